// Tests of the CSV reader of the batch mode: quoting, line endings, line
// numbers, blank lines, damaged input and very long records.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/csv.h"

namespace orvanta::cli {
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
      {"quoted line break counts lines",
       "\"a\nb\",c\nd,e\n",
       {{1, {"a\nb", "c"}}, {3, {"d", "e"}}}},
      {"quoted CR LF kept inside", "\"a\r\nb\"\r\nx\r\n", {{1, {"a\r\nb"}}, {3, {"x"}}}},
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
      {"stray quote in the line read again", "\"x\n\"y\n\"z\n", {{1, {"x\ny"}}, {3, {}, true}}},
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

TEST(CsvField, WriteThenReadGivesTheFieldsBack) {
  // Property: any fields written with AppendCsvField and joined by commas
  // read back as the same fields (random texts over a small alphabet rich in
  // commas, quotes and line breaks).
  std::mt19937 random(20240611);
  const std::string alphabet = "ab ,\"\r\n\t";
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
}  // namespace orvanta::cli
