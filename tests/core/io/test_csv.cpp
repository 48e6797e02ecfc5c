// Tests of the CSV reader of the births file and the batch mode: quoting,
// line endings, line numbers, blank lines, stray quotes, very long records,
// input that never ends a line, and reads that fail.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "io/csv.h"

namespace orvanta {
namespace {

struct ReadRecord {
  long line;
  std::vector<std::string> fields;  // empty with an error
  bool error = false;
};

std::vector<ReadRecord> ReadAll(const std::string& text) {
  std::istringstream in(text);
  CsvReader reader(in);
  std::vector<ReadRecord> out;
  while (auto r = reader.Next()) out.push_back({r->lineNumber, r->fields, !r->error.empty()});
  return out;
}

std::string Describe(const std::vector<ReadRecord>& records) {
  std::string s;
  for (const ReadRecord& r : records) {
    s += "line " + std::to_string(r.line) + (r.error ? " (error)" : "") + ":";
    for (const std::string& f : r.fields) s += " [" + f + "]";
    s += "\n";
  }
  return s;
}

struct CsvCase {
  const char* label;
  std::string input;
  std::vector<ReadRecord> expected;
};

TEST(CsvReader, RecordsAndLineNumbers) {
  // Expected records written out by hand from the quoting rules (RFC 4180
  // with LF or CR LF endings); line numbers count physical lines from 1.
  const CsvCase cases[] = {
      {"two plain lines", "a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
      {"no final line break", "a,b\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
      {"CR LF endings", "a,b\r\nc,d\r\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
      {"CR at the very end", "a,b\r\nc,d\r", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
      {"empty fields", ",,\n", {{1, {"", "", ""}}}},
      {"quoted comma", "\"Delhi, India\",x\n", {{1, {"Delhi, India", "x"}}}},
      {"doubled quote", "\"say \"\"hi\"\"\",x\n", {{1, {"say \"hi\"", "x"}}}},
      // No field holds a line break: a quoted field still open at the end of
      // its line is refused on that line, and the next line is a record.
      {"quoted line break refused on its line",
       "\"a\nb,c\nd,e\n",
       {{1, {}, true}, {2, {"b", "c"}}, {3, {"d", "e"}}}},
      {"quoted CR LF refused on its line",
       "\"a\r\nb\r\nx\r\n",
       {{1, {}, true}, {2, {"b"}}, {3, {"x"}}}},
      {"blank lines skipped", "\n\na\n   \n\r\nb\n", {{3, {"a"}}, {6, {"b"}}}},
      {"empty quoted field is not blank", "\"\"\n", {{1, {""}}}},
      {"byte-order mark skipped", "\xEF\xBB\xBFname,x\n", {{1, {"name", "x"}}}},
      {"quote inside an unquoted field joins the text", "ab\"c,d\"e\n", {{1, {"abc,de"}}}},
      {"open quote on the last line", "a,b\n\"open,c", {{1, {"a", "b"}}, {2, {}, true}}},
      // A quote that never closes costs its own line only: the lines after
      // it are read again as records of their own.
      {"open quote before other lines",
       "a,b\n\"open,c\nd\ne,\"f\"\"g\"\n",
       {{1, {"a", "b"}}, {2, {}, true}, {3, {"d"}}, {4, {"e", "f\"g"}}}},
      {"stray quote in each line",
       "\"x\n\"y\n\"z\n",
       {{1, {}, true}, {2, {}, true}, {3, {}, true}}},
      // Two stray quotes in four rows: the two rows that hold them are
      // refused, and the rows between and after them are read, none merged.
      {"two stray quotes merge nothing",
       "Bob \"B,1980-01-02\nAlice,1981-02-03\nCarol\" C,1982-03-04\nDave,1983-04-05\n",
       {{1, {}, true}, {2, {"Alice", "1981-02-03"}}, {3, {}, true}, {4, {"Dave", "1983-04-05"}}}},
      {"nothing", "", {}},
  };
  for (const CsvCase& c : cases) {
    SCOPED_TRACE(c.label);
    const auto actual = ReadAll(c.input);
    ASSERT_EQ(actual.size(), c.expected.size()) << Describe(actual);
    for (std::size_t i = 0; i < actual.size(); ++i) {
      EXPECT_EQ(actual[i].line, c.expected[i].line) << Describe(actual);
      EXPECT_EQ(actual[i].fields, c.expected[i].fields) << Describe(actual);
      EXPECT_EQ(actual[i].error, c.expected[i].error) << Describe(actual);
    }
  }
}

TEST(CsvReader, OverlongRecordIsSkippedAndReadingGoesOn) {
  const std::string longField(kMaxRecordBytes + 10, 'x');
  const auto records = ReadAll("a\n" + longField + ",y\nb\n");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].fields, std::vector<std::string>{"a"});
  EXPECT_TRUE(records[1].error);
  EXPECT_EQ(records[1].line, 2);
  EXPECT_EQ(records[2].fields, std::vector<std::string>{"b"});
  EXPECT_EQ(records[2].line, 3);
}

TEST(CsvReader, QuoteOpenOverTheLimitLosesOnlyItsLine) {
  // A stray quote followed by more than kMaxRecordBytes of lines: the record
  // is abandoned when the limit is reached and reading starts again on the
  // line after the quote, so every later line is read.
  std::string input = "\"stray,1\n";
  const int lines = 2 * static_cast<int>(kMaxRecordBytes / 16);
  for (int i = 0; i < lines; ++i) input += "row,0123456789\n";  // 15 bytes a line
  const auto records = ReadAll(input);
  ASSERT_EQ(records.size(), static_cast<std::size_t>(lines) + 1);
  EXPECT_TRUE(records[0].error);
  EXPECT_EQ(records[0].line, 1);
  EXPECT_EQ(records[1].fields, (std::vector<std::string>{"row", "0123456789"}));
  EXPECT_EQ(records[1].line, 2);
  EXPECT_EQ(records.back().line, lines + 1);
  EXPECT_FALSE(records.back().error);
}

TEST(CsvReader, LongRecordBelowTheLimitIsKept) {
  const std::string longField(kMaxRecordBytes / 2, 'n');
  const auto records = ReadAll(longField + ",b\n");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].fields, (std::vector<std::string>{longField, "b"}));
}

// Input as it arrives: the given pieces, one per read, then without end
// the byte `endless`, or else the end of the input or a failed read.
class ScriptedSource final : public ByteSource {
 public:
  ScriptedSource(std::vector<std::string> pieces, int finalError, std::optional<char> endless)
      : pieces_(std::move(pieces)), finalError_(finalError), endless_(endless) {}
  ReadResult Read(char* data, std::size_t size) override {
    if (next_ < pieces_.size()) {
      const std::string& piece = pieces_[next_++];
      std::memcpy(data, piece.data(), std::min(size, piece.size()));
      return {std::min(size, piece.size()), 0};
    }
    if (endless_) {
      std::memset(data, *endless_, size);
      return {size, 0};
    }
    return {0, finalError_};
  }

 private:
  std::vector<std::string> pieces_;
  std::size_t next_ = 0;
  int finalError_;
  std::optional<char> endless_;
};

TEST(CsvReader, LineThatNeverEndsIsRefusedAtTheLimit) {
  // Endless input with no line end (/dev/zero, or a header followed by
  // zeros): the record is returned with its error once it reaches the
  // limit, instead of reading for ever.
  for (const char endless : {'\0', 'x', ','}) {
    SCOPED_TRACE(static_cast<int>(endless));
    ScriptedSource header({}, 0, endless);
    CsvReader headerReader(header);
    const auto first = headerReader.Next();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->lineNumber, 1);
    EXPECT_EQ(first->error, "record longer than 1048576 bytes");

    ScriptedSource row({"name,date\n", "a,"}, 0, endless);
    CsvReader rowReader(row);
    EXPECT_EQ(rowReader.Next()->fields, (std::vector<std::string>{"name", "date"}));
    const auto second = rowReader.Next();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->lineNumber, 2);
    EXPECT_FALSE(second->error.empty());
  }
}

TEST(CsvReader, FailedReadEndsReadingAndNamesItsLine) {
  // The records read whole before the failure are returned; the one it cut
  // short is not; the failure names the line being read.
  struct Case {
    const char* label;
    std::vector<std::string> pieces;
    std::vector<long> lines;  // of the records returned
    long failedLine;
  };
  const Case cases[] = {
      {"at the first read", {}, {}, 1},
      {"inside the fourth line", {"h\nr1\n", "r2\nr"}, {1, 2, 3}, 4},
      {"right after a line end", {"h\nr1\n"}, {1, 2}, 3},
      {"after a quoted field refused at its line end", {"h\n\"a\nb"}, {1, 2}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptedSource source(c.pieces, EIO, std::nullopt);
    CsvReader reader(source);
    std::vector<long> lines;
    while (auto record = reader.Next()) lines.push_back(record->lineNumber);
    EXPECT_EQ(lines, c.lines);
    ASSERT_TRUE(reader.readError().has_value());
    EXPECT_EQ(reader.readError()->lineNumber, c.failedLine);
    EXPECT_EQ(reader.readError()->errorNumber, EIO);
    EXPECT_FALSE(reader.Next().has_value());
  }
}

TEST(CsvReader, StreamThatThrowsOnReadGivesItsError) {
  // A file stream opened on a directory throws from its buffer when read;
  // the reader turns that into a failed read with the system's error.
  std::ifstream directory(std::filesystem::temp_directory_path(), std::ios::binary);
  if (!directory.is_open()) GTEST_SKIP() << "this library does not open a directory as a file";
  CsvReader reader(directory);
  EXPECT_FALSE(reader.Next().has_value());
  ASSERT_TRUE(reader.readError().has_value());
  EXPECT_EQ(reader.readError()->lineNumber, 1);
  EXPECT_EQ(reader.readError()->errorNumber, EISDIR);
}

TEST(CsvField, WriteThenReadGivesTheFieldsBack) {
  // Property: any fields without line breaks written with AppendCsvField
  // and joined by commas read back as the same fields (random texts over a
  // small alphabet rich in commas, quotes and blanks).
  std::mt19937 random(20240611);
  const std::string alphabet = "ab ,\"\r\t";
  for (int trial = 0; trial < 2000; ++trial) {
    std::vector<std::string> fields(1 + random() % 5);
    for (std::string& f : fields) {
      const std::size_t length = random() % 8;
      for (std::size_t i = 0; i < length; ++i) f += alphabet[random() % alphabet.size()];
    }
    // A record that is one blank unquoted field reads as a blank line.
    if (fields.size() == 1 && fields[0].find_first_not_of(" \t") == std::string::npos) continue;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) line += ',';
      AppendCsvField(line, fields[i]);
    }
    line += '\n';
    SCOPED_TRACE("line: " + line);
    const auto records = ReadAll(line);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, fields);
  }
}

}  // namespace
}  // namespace orvanta
