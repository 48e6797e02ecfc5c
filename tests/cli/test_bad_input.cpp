// Every failure a user can cause gets a clear message and loses nothing:
// broken batch lines (the other rows go on), batch files that cannot be read,
// empty files, lines of a megabyte, texts that are not UTF-8, a name of
// 10,000 characters, and pasted coordinate texts such as "−5" or "1e3".
// The program's run loop is called in-process (RunCli, RunBatch) with string
// streams, and the chart driver (ComputeChart) directly for the form's boxes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/app.h"
#include "cli/arguments.h"
#include "io/birth_entries.h"
#include "io/csv.h"
#include "support/chart_invariants.h"
#include "support/json_check.h"
#include "support/reference_births.h"

namespace orvanta::cli {
namespace {

namespace fs = std::filesystem;

const std::string kHeader = "name,date,time,lat,lon,zone,dst,city,state,country\n";

std::string Row(std::string_view name) {
  return std::string(name) + ",1980-06-15,10:30,28N36,77E12,IST,0,New Delhi,Delhi,India\n";
}

struct Outcome {
  int status = -1;
  std::string out, err;
};

Outcome Batch(const std::string& input, bool json) {
  std::istringstream in(input);
  std::ostringstream out, err;
  Outcome r;
  r.status = RunBatch(in, json, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

Outcome Cli(const std::vector<std::string>& args) {
  const std::vector<std::string_view> views(args.begin(), args.end());
  std::istringstream in;
  std::ostringstream out, err;
  Outcome r;
  r.status = RunCli(views, {in, out, err});
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The name of each JSON output line (a chart of the schema or the record),
// checking that each is valid JSON.
std::vector<std::string> JsonNames(const std::string& out) {
  std::vector<std::string> names;
  for (const std::string& line : Lines(out)) {
    EXPECT_TRUE(fuzz::IsValidJson(line)) << line.substr(0, 300);
    const std::string record = "{\"Name\":\"";
    const std::string schema = "{\"schema\":\"orvanta.chart/2\",\"name\":\"";
    const std::string& lead = line.starts_with(record) ? record : schema;
    if (!line.starts_with(lead)) {
      ADD_FAILURE() << "not a chart: " << line.substr(0, 300);
      continue;
    }
    names.push_back(line.substr(lead.size(), line.find('"', lead.size()) - lead.size()));
  }
  return names;
}

// Every error line is one line of printable UTF-8 starting with the program's name.
void ExpectPrintableErrors(const std::string& err) {
  for (const std::string& line : Lines(err)) {
    EXPECT_TRUE(line.starts_with("orvanta-cli: ")) << line;
    EXPECT_TRUE(fuzz::IsPrintableLine(line)) << line;
  }
}

// A scratch directory of this test, removed at the end.
class ScratchDir {
 public:
  ScratchDir()
      : dir_(fs::temp_directory_path() / ("orvanta-bad-input-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::permissions(dir_ / "locked.csv", fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }
  fs::path Write(const std::string& name, const std::string& text) const {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
};

// The checkers the tests and fuzz targets rely on must refuse what they
// exist to catch; expected verdicts from the grammar of RFC 8259.
TEST(Checkers, JsonAndPrintableLines) {
  struct Case {
    const char* label;
    std::string text;
    bool json;
  };
  const Case cases[] = {
      {"empty object", "{}", true},
      {"members and nesting", R"({"a":[1,-0.5e3,2E+1,true,false,null],"b":{"c":"\u00e9\n"}})",
       true},
      {"blanks around", " \t[ ]\r\n", true},
      {"UTF-8 in a string", "\"28\xc2\xb0 \xf0\x9f\x8c\x99\"", true},
      {"nothing", "", false},
      {"trailing comma", R"({"a":1,})", false},
      {"leading zero", "01", false},
      {"NaN", "NaN", false},
      {"bare minus", "-", false},
      {"missing fraction digits", "1.", false},
      {"raw line break in a string", "\"a\nb\"", false},
      {"byte that is not UTF-8", "\"\xff\"", false},
      {"surrogate in UTF-8", "\"\xed\xa0\x80\"", false},
      {"unknown escape", R"("\x41")", false},
      {"short unicode escape", R"("\u00e")", false},
      {"two values", "[1] [2]", false},
      {"member without value", R"({"a"})", false},
      {"unclosed string", "\"abc", false},
      {"nested too deep", std::string(100, '[') + std::string(100, ']'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(fuzz::IsValidJson(c.text), c.json) << c.text;
  }
  EXPECT_TRUE(
      fuzz::IsPrintableLine("bad date \"\xe2\x88\x92"
                            "5\\x0A\""));
  EXPECT_FALSE(fuzz::IsPrintableLine("two\nlines"));
  EXPECT_FALSE(fuzz::IsPrintableLine("escape \x1b[2J"));
  EXPECT_FALSE(fuzz::IsPrintableLine("Latin-1 \xe9"));
}

TEST(BadBatchInput, BrokenLinesAreReportedAndTheOtherRowsGoOn) {
  // Six kinds of broken line between good rows. Expected: each good row
  // gives its chart, in order; each broken line gives one error naming its
  // line; the status says that some rows failed.
  const std::string input =
      kHeader +                                        // line 1
      Row("FIRST") +                                   // 2
      "SHORT,1980-06-15,10:30\n" +                     // 3: three fields
      Row("SECOND") +                                  // 4
      "BAD,15/06/1980,10:30,28N36,77E12,,,,,\n" +      // 5: date shape
      "\"STRAY,1980-06-15,10:30,28N36,77E12,,,,,\n" +  // 6: open quote
      Row("THIRD") +                                   // 7
      "\xff\xfe\xfd,\x80\x81,\xc3,\xe2\x88,\xf0\x9f,\xed\xa0\x80,\xc0\xaf,,,\n"
      // 8: a whole line of invalid UTF-8
      + std::string("NUL\0,1980-06-15,x,,,,,,,\n", 25) +  // 9: NUL, bad time
      Row("FOURTH") +                                     // 10
      "APRIL,1980-04-31,10:30,28N36,77E12,IST,0,,,\n" +   // 11: 31 April
      Row("FIFTH");                                       // 12
  const std::vector<std::string> expectedErrors = {
      "orvanta-cli: line 3: expected 10 fields, found 3",
      "orvanta-cli: line 5: bad date \"15/06/1980\": expected YYYY-MM-DD",
      "orvanta-cli: line 6: a quoted field is not closed on its line",
      "orvanta-cli: line 8: bad date \"\\x80\\x81\": expected YYYY-MM-DD",
      "orvanta-cli: line 9: bad time \"x\": expected HH:MM or HH:MM:SS",
      "orvanta-cli: line 11: Please Enter Correct Date Or Month !",
  };
  const std::vector<std::string> expectedNames = {"FIRST", "SECOND", "THIRD", "FOURTH", "FIFTH"};

  const Outcome json = Batch(input, true);
  EXPECT_EQ(json.status, kExitRowsFailed);
  EXPECT_EQ(JsonNames(json.out), expectedNames);
  EXPECT_EQ(Lines(json.err), expectedErrors);
  ExpectPrintableErrors(json.err);

  const Outcome csv = Batch(input, false);
  EXPECT_EQ(csv.status, kExitRowsFailed);
  EXPECT_EQ(Lines(csv.err), expectedErrors);
  const std::vector<std::string> rows = Lines(csv.out);
  ASSERT_EQ(rows.size(), expectedNames.size() + 1) << csv.out;  // with the header line
  for (std::size_t i = 0; i < expectedNames.size(); ++i) {
    EXPECT_TRUE(rows[i + 1].starts_with(expectedNames[i] + ",")) << rows[i + 1];
  }
}

TEST(BadBatchInput, LineBreakInsideAQuotedFieldIsRefusedOnItsLine) {
  // No field holds a line break: a quoted date running over two lines is
  // refused on its first line, the second line is read as a row of its own
  // (refused too: its quote is not closed either), and the row after them
  // is computed. Each message is one line.
  const std::string input = kHeader + "A,\"1980\n-06-15\",10:30,28N36,77E12,,,,,\n" + Row("NEXT");
  const Outcome r = Batch(input, true);
  EXPECT_EQ(r.status, kExitRowsFailed);
  EXPECT_EQ(r.err,
            "orvanta-cli: line 2: a quoted field is not closed on its line\n"
            "orvanta-cli: line 3: a quoted field is not closed on its line\n");
  EXPECT_EQ(JsonNames(r.out), std::vector<std::string>{"NEXT"});
}

TEST(BadBatchInput, PlaceAndZoneTextsGiveOnePrintableLineEach) {
  // A terminal escape in a place or zone name is shown as \x1B, never sent
  // to the terminal; an ambiguous place lists its candidates on one line.
  const std::string input = std::string("name,date,time,place,tz\n") +
                            "A,1990-07-04,14:25,\"Nowhere\x1b[31mX\",\n"
                            "B,1990-07-04,14:25,\"Madrid, Spain\",\"Mars\x1b[31m\"\n"
                            "C,1990-07-04,14:25,Portland,\n" +
                            // A NUL is named as such, not as text that is no UTF-8.
                            std::string("D,1990-07-04,14:25,Mad\0rid,\n", 28) +
                            "NEXT,1990-07-04,14:25,\"Madrid, Spain\",\n";
  const Outcome r = Batch(input, true);
  EXPECT_EQ(r.status, kExitRowsFailed);
  std::istringstream lines(r.err);
  std::string line;
  std::vector<std::string> errors;
  while (std::getline(lines, line)) errors.push_back(line);
  ASSERT_EQ(errors.size(), 4u) << r.err;
  EXPECT_EQ(errors[0], "orvanta-cli: line 2: No place in the atlas matches \"Nowhere\\x1B[31mX\".");
  EXPECT_EQ(errors[1],
            "orvanta-cli: line 3: unknown time zone \"Mars\\x1B[31m\": give a tz database name "
            "such as Europe/Madrid");
  EXPECT_TRUE(
      errors[2].starts_with("orvanta-cli: line 4: The place \"Portland\" fits 3 places; "
                            "write one of these: \"Portland, Oregon,"))
      << errors[2];
  EXPECT_EQ(errors[3], "orvanta-cli: line 5: bad place: The place name contains a NUL character.");
  EXPECT_EQ(JsonNames(r.out), std::vector<std::string>{"NEXT"});
}

TEST(BadBatchInput, MegabyteLines) {
  // A name of 1,000,000 bytes is below the record limit (1 MiB) and is
  // computed and written whole; a line of 2 MiB is refused with its line
  // number and the rows after it go on.
  const std::string megaName(1'000'000, 'M');
  const std::string hugeLine(2 * kMaxRecordBytes, 'x');
  const std::string input =
      kHeader + Row(megaName) + hugeLine + ",1980-06-15\n" + Row("AFTER") + Row("LAST");
  const Outcome r = Batch(input, true);
  EXPECT_EQ(r.status, kExitRowsFailed);
  EXPECT_EQ(r.err, "orvanta-cli: line 3: record longer than 1048576 bytes\n");
  EXPECT_EQ(JsonNames(r.out), (std::vector<std::string>{megaName, "AFTER", "LAST"}));
}

TEST(BadBatchInput, InvalidUtf8NameIsComputedAndWrittenAsValidUtf8) {
  // A Latin-1 name (JOSÉ as one byte E9) and a name cut inside a character:
  // both are computed; the JSON output replaces each bad byte by U+FFFD
  // (EF BF BD) and stays valid; the CSV output keeps the bytes as given.
  const std::string input = kHeader + Row("JOS\xc9") + Row("CUT \xe2\x88");
  const Outcome json = Batch(input, true);
  EXPECT_EQ(json.status, kExitOk) << json.err;
  EXPECT_EQ(JsonNames(json.out),
            (std::vector<std::string>{"JOS\xef\xbf\xbd", "CUT \xef\xbf\xbd\xef\xbf\xbd"}));
  const Outcome csv = Batch(input, false);
  EXPECT_EQ(csv.status, kExitOk) << csv.err;
  const std::vector<std::string> rows = Lines(csv.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[1].starts_with("JOS\xc9,"));
  EXPECT_TRUE(rows[2].starts_with("CUT \xe2\x88,"));
}

TEST(BadBatchInput, EmptyAndHeaderlessFiles) {
  const ScratchDir scratch;
  struct Case {
    const char* label;
    std::string text;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {"empty file", "", kExitBadInput,
       "orvanta-cli: empty batch input: expected the header line "
       "name,date,time,lat,lon,zone,dst,city,state,country\n"},
      {"byte-order mark only", "\xef\xbb\xbf", kExitBadInput,
       "orvanta-cli: empty batch input: expected the header line "
       "name,date,time,lat,lon,zone,dst,city,state,country\n"},
      {"header only", kHeader, kExitOk, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const fs::path file = scratch.Write("rows.csv", c.text);
    const Outcome r = Cli({"--batch", file.string(), "--json"});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST(BadBatchInput, UnreadablePathsGiveStatus66AndNoOutput) {
  // Paths that cannot be read by anyone, root included: a directory, a path
  // that runs through a regular file, an empty name, a missing file.
  const ScratchDir scratch;
  const fs::path file = scratch.Write("plain.csv", kHeader + Row("A"));
  // The path is shown whole and printable, with the system's reason.
  const std::string longName(200, 'x');
  const struct {
    std::string path, shown, why;
  } cases[] = {
      {scratch.dir().string(), scratch.dir().string(), "Is a directory"},
      {(file / "rows.csv").string(), (file / "rows.csv").string(), "Not a directory"},
      {"", "", "No such file or directory"},
      {(scratch.dir() / "missing.csv").string(), (scratch.dir() / "missing.csv").string(),
       "No such file or directory"},
      {(scratch.dir() / (longName + ".csv")).string(),
       (scratch.dir() / (longName + ".csv")).string(), "No such file or directory"},
      {(scratch.dir() / "a\nb\x1b[2J.csv").string(),
       (scratch.dir() / "a\\x0Ab\\x1B[2J.csv").string(), "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const Outcome r = Cli({"--batch", c.path});
    EXPECT_EQ(r.status, kExitNoInput);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "orvanta-cli: cannot open the batch file \"" + c.shown + "\": " + c.why + "\n");
  }
}

TEST(BadBatchInput, FileWithoutReadPermission) {
  const ScratchDir scratch;
  const fs::path file = scratch.Write("locked.csv", kHeader + Row("A"));
  fs::permissions(file, fs::perms::none);
  if (::access(file.c_str(), R_OK) == 0) {
    GTEST_SKIP() << "this user (root?) can read a file with mode 000; the unreadable paths "
                    "test covers what no user can read";
  }
  const Outcome r = Cli({"--batch", file.string()});
  EXPECT_EQ(r.status, kExitNoInput);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "orvanta-cli: cannot open the batch file \"" + file.string() +
                       "\": Permission denied\n");
}

const std::vector<std::string> kDelhi = {"--date", "1980-06-15", "--time", "10:30",  "--lat",
                                         "28N36",  "--lon",      "77E12",  "--zone", "IST"};

std::vector<std::string> Args(std::vector<std::string> extra) {
  extra.insert(extra.end(), kDelhi.begin(), kDelhi.end());
  return extra;
}

TEST(BadCommandLine, NameOfTenThousandCharacters) {
  // The whole name reaches the report and the JSON object.
  const std::string name(10'000, 'N');
  const Outcome text = Cli(Args({"--name", name}));
  EXPECT_EQ(text.status, kExitOk) << text.err;
  EXPECT_NE(text.out.find(name), std::string::npos);
  const Outcome json = Cli(Args({"--name", name, "--json-record"}));
  EXPECT_EQ(json.status, kExitOk) << json.err;
  EXPECT_EQ(JsonNames(json.out), std::vector<std::string>{name});
}

TEST(BadCommandLine, InvalidUtf8AndControlsInAFieldGiveOnePrintableLine) {
  // The message quotes the text with each control character and each byte
  // that is not UTF-8 as \xNN; a well-formed character (the minus sign
  // U+2212) is kept as it is.
  struct Case {
    const char* label;
    std::string lat;
    std::string err;
  };
  const Case cases[] = {
      {"Latin-1 byte", "28\xb0N36",
       "orvanta-cli: bad latitude \"28\\xB0N36\": expected degrees, N or S, minutes (as in "
       "28N36)\n"},
      {"escape sequence", "\x1b[2J28N36",
       "orvanta-cli: bad latitude \"\\x1B[2J28N36\": expected degrees, N or S, minutes (as in "
       "28N36)\n"},
      {"Unicode minus",
       "\xe2\x88\x92"
       "5N00",
       "orvanta-cli: bad latitude \"\xe2\x88\x92"
       "5N00\": expected degrees, N or S, minutes (as in 28N36)\n"},
      {"long text cut between characters", std::string(39, 'x') + "\xe2\x88\x92" + "yyy",
       "orvanta-cli: bad latitude \"" + std::string(39, 'x') +
           "\xe2\x88\x92...\": expected degrees, N or S, minutes (as in 28N36)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const Outcome r = Cli({"--name", "A", "--date", "1980-06-15", "--time", "10:30", "--lat", c.lat,
                           "--lon", "77E12"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
    ExpectPrintableErrors(r.err);
  }
}

TEST(PastedCoordinates, RefusedWithTheBoxMessageAndFocusThroughRunChart) {
  // Pasted texts are not filtered by the key filters; ComputeChart's validation
  // refuses each with the check of its own box (message and focus as in the
  // validation table) and computes nothing: the session keeps its values.
  struct Box {
    std::string FormEntries::*text;
    FormField field;
    const char* message;
  };
  const Box boxes[] = {
      {&FormEntries::lonDeg, FormField::LonDegrees,
       "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
      {&FormEntries::lonMin, FormField::LonMinutes,
       "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
      {&FormEntries::latDeg, FormField::LatDegrees,
       "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
      {&FormEntries::latMin, FormField::LatMinutes,
       "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
  };
  const char* pasted[] = {
      "\xe2\x88\x92"
      "5",  // U+2212 minus sign, then 5
      "1e3", "-5", " 1e3 ",
      "\xe2\x88\x92"
      "0"};
  for (const Box& box : boxes) {
    for (const char* text : pasted) {
      SCOPED_TRACE(testing::Message() << box.message << ": '" << text << "'");
      FormEntries e = reference::DelhiBirth();
      e.*box.text = text;
      const ChartRun run = ComputeChart(e);
      ASSERT_TRUE(run.refusal);
      EXPECT_EQ(run.refusal->message, box.message);
      EXPECT_EQ(run.refusal->icon, MessageIcon::Stop);
      EXPECT_EQ(run.refusal->focus, std::optional<FormField>(box.field));
    }
  }
}

TEST(PastedCoordinates, TheSameBirthTypedPlainlyIsComputed) {
  // Control row: the entries the pasted texts replace give a whole chart.
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  EXPECT_EQ(fuzz::ChartFault(run.chart), "");
}

TEST(LongName, TenThousandCharactersThroughRunChart) {
  FormEntries e = reference::DelhiBirth();
  e.name = std::string(10'000, 'A');
  const ChartRun run = ComputeChart(e);
  ASSERT_FALSE(run.refusal);
  EXPECT_EQ(BirthDetailTextsOf(run.chart.birth).name, e.name);
  EXPECT_EQ(fuzz::ChartFault(run.chart), "");
}

}  // namespace
}  // namespace orvanta::cli
