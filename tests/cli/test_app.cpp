// Tests of the program's run loop in process: every batch row gives either
// one output line or one error line, whatever its bytes; the output and the
// error lines are the same, in the same order, for any number of jobs; and
// a command line of random words never computes a partial chart.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/app.h"
#include "cli/arguments.h"
#include "cli/chart_json.h"
#include "cli/render.h"
#include "io/bytes.h"
#include "support/random_births.h"

namespace orvanta::cli {
namespace {

int CountLines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

TEST(RunBatch, EachMutatedRowGivesOneLineOnOneStream) {
  // Property over random byte edits of good rows (no quotes or line breaks
  // are inserted, so each input line stays one record): the number of output
  // lines plus error lines equals the number of rows, and the status says
  // whether any row failed.
  const std::string good =
      "ARJUN MEHTA,1980-06-15,10:30:05,28N36,77E12,IST,0,New Delhi,Delhi,India";
  const std::string alphabet = "0123456789NSEWnsew:-,. xA\x01\x80\xff";
  std::mt19937 random(64);
  for (int trial = 0; trial < 60; ++trial) {
    std::string input = "name,date,time,lat,lon,zone,dst,city,state,country\n";
    const int rows = 20;
    for (int r = 0; r < rows; ++r) {
      std::string row = good;
      const int edits = static_cast<int>(random() % 4);
      for (int e = 0; e < edits; ++e) {
        row[random() % row.size()] = alphabet[random() % alphabet.size()];
      }
      input += row + "\n";
    }
    for (bool json : {true, false}) {
      std::istringstream in(input);
      std::ostringstream out, err;
      const int status = RunBatch(in, json, out, err);
      const int outLines = CountLines(out.str()) - (json ? 0 : 1);  // CSV header line
      const int errLines = CountLines(err.str());
      SCOPED_TRACE(input + "\n--- errors:\n" + err.str());
      EXPECT_EQ(outLines + errLines, rows);
      EXPECT_EQ(status, errLines > 0 ? kExitRowsFailed : kExitOk);
    }
  }
}

// Standard output and standard error of one run in one transcript, in the
// order the program hands them on; standard output alone beside it.
class Transcript final : public ByteSink, private std::streambuf {
 public:
  explicit Transcript(bool eachRow) : eachRow_(eachRow), err_(this) {}
  int Write(std::string_view bytes) override {
    out.append(bytes);
    both.append(bytes);
    return 0;
  }
  bool WantsEachRow() const override { return eachRow_; }
  std::ostream& err() { return err_; }

  std::string out, both;

 private:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    both.append(s, static_cast<std::size_t>(n));
    return n;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) both += traits_type::to_char_type(c);
    return traits_type::not_eof(c);
  }
  bool eachRow_;
  std::ostream err_;
};

// Over a thousand rows (several chunks of work, more than the window holds
// for few jobs) with bad rows scattered through them: every kind of error
// the reader, the field checks and the validation give, an unclosed quote
// whose later lines are read again, and quoted fields holding line breaks.
std::string ScatteredBatch() {
  std::mt19937 random(1414);
  std::string csv = "name,date,time,lat,lon,zone,dst,city,state,country\n";
  const auto number = [&](int low, int high) {
    return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
  };
  for (int i = 0; i < 1100; ++i) {
    std::string name = std::to_string(i);  // "B" + i, built by insertion: GCC 12 at -O3
    name.insert(name.begin(), 'B');        // warns falsely (-Wrestrict) on "B" + string
    char row[160];
    std::snprintf(row, sizeof row, "%s,%d-%02d-%02d,%02d:%02d:%02d,%d%c%02d,%d%c%02d,%d,%d",
                  name.c_str(), number(1901, 2050), number(1, 12), number(1, 31), number(0, 23),
                  number(0, 59), number(0, 59), number(0, 89), "NS"[number(0, 1)], number(0, 59),
                  number(0, 179), "EW"[number(0, 1)], number(0, 59), number(0, 70), number(0, 1));
    switch (i % 97) {
      case 5:
        csv += std::string(row) + ",City\n";  // too few fields
        break;
      case 17:
        csv += name + ",1980-13-01,10:30,28N36,77E12,IST,0,C,S,K\n";  // malformed date
        break;
      case 29:
        csv += name + ",1981-02-29,10:30,28N36,77E12,IST,0,C,S,K\n";  // refused by validation
        break;
      case 41:
        csv += "\"" + name + "\nsecond line\"" + std::string(row).substr(name.size()) +
               ",\"New\r\nDelhi\",S,K\n";  // line breaks inside quotes
        break;
      case 53:
        csv += ",1980-06-15,10:30,28N36,77E12,IST,0,C,S,K\n";  // empty name, refused
        break;
      case 83:
        csv += "\n  \n";  // blank lines
        [[fallthrough]];
      default:
        csv += std::string(row) + ",\"City, " + std::to_string(i) + "\",S,K\n";
    }
  }
  // A quote left open runs to the end of the input; the lines after the one
  // where it opens are then read again as rows.
  csv += "\"OPEN,1980-06-15,10:30,28N36,77E12,IST,0,C,S,K\n";
  for (int i = 0; i < 5; ++i)
    csv += "LAST " + std::to_string(i) + ",1980-06-15,10:30,28N36,77E12,IST,0,C,S,K\n";
  return csv;
}

struct BatchRun {
  int status = 0;
  std::string out, both;
};

BatchRun RunScattered(const std::string& input, const BatchSettings& settings, bool eachRow) {
  std::istringstream in(input);
  StreamSource source(in);
  Transcript transcript(eachRow);
  BatchRun run;
  run.status = RunBatch(source, "rows", settings, transcript, transcript.err());
  run.out = std::move(transcript.out);
  run.both = std::move(transcript.both);
  return run;
}

TEST(RunBatch, OutputIsTheSameForEveryNumberOfJobs) {
  // The rows are computed on several threads but written in input order:
  // standard output, the error lines and their place among the rows are the
  // same bytes as with one job, for each output form and for a sink that
  // takes blocks (a file) or each row (a pipe). Under ThreadSanitizer
  // (make test-threads) this is also the parallel batch's race check.
  const std::string input = ScatteredBatch();
  ChartJsonMembers few;
  for (std::string_view name : {"Name", "PositionText", "InduLagnaIndex"}) {
    few.set(*ChartJsonMemberIndex(name));
  }
  struct Form {
    const char* label;
    bool json;
    bool record;
    ChartJsonMembers fields;
  };
  const Form forms[] = {{"CSV", false, false, ChartJsonMembers{}.set()},
                        {"JSON", true, false, ChartJsonMembers{}.set()},
                        {"JSON record", true, true, ChartJsonMembers{}.set()},
                        {"JSON record, three members", true, true, few}};
  for (const Form& form : forms) {
    for (bool eachRow : {false, true}) {
      BatchSettings settings;
      settings.json = form.json;
      settings.record = form.record;
      settings.fields = form.fields;
      settings.jobs = 1;
      const BatchRun one = RunScattered(input, settings, eachRow);
      // Bad rows were reported and good ones computed around them.
      ASSERT_EQ(one.status, kExitRowsFailed);
      ASSERT_GT(CountLines(one.out), 1000);
      ASSERT_GT(CountLines(one.both) - CountLines(one.out), 50);
      ASSERT_NE(one.both.find("a quoted field is not closed"), std::string::npos);
      ASSERT_NE(one.out.find("LAST 4"), std::string::npos);
      for (int jobs : {2, 3, 8}) {
        SCOPED_TRACE(std::string(form.label) + (eachRow ? ", each row" : ", blocks") + ", " +
                     std::to_string(jobs) + " jobs");
        settings.jobs = jobs;
        const BatchRun many = RunScattered(input, settings, eachRow);
        EXPECT_EQ(many.status, one.status);
        EXPECT_TRUE(many.out == one.out) << "standard output differs";
        EXPECT_TRUE(many.both == one.both) << "the error lines stand elsewhere among the rows";
      }
    }
  }
}

TEST(RunBatch, FieldsGiveTheChosenMembersOfTheFullObject) {
  // Each line written with --fields holds exactly the named members of the
  // full object, with the same text, in the full object's order.
  const std::string input = ScatteredBatch().substr(0, 20000);
  BatchSettings full;
  full.json = true;
  full.record = true;
  BatchSettings some = full;
  some.fields.reset();
  const std::vector<std::string_view> chosen = {"Name", "PositionText", "RiseSet", "InduLagnaIndex",
                                                "Attributes"};
  for (std::string_view name : chosen) some.fields.set(*ChartJsonMemberIndex(name));
  const BatchRun all = RunScattered(input, full, false);
  const BatchRun few = RunScattered(input, some, false);
  std::istringstream allLines(all.out), fewLines(few.out);
  std::string line, fewLine;
  int compared = 0;
  while (std::getline(allLines, line)) {
    ASSERT_TRUE(std::getline(fewLines, fewLine));
    std::string expected = "{";
    for (std::size_t k = 0; k < kChartJsonMemberCount; ++k) {
      if (!some.fields.test(k)) continue;
      // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict)
      // on a literal added to a string.
      std::string key = "\"";
      key += ChartJsonMemberName(k);
      key += "\":";
      const std::size_t start = line.find(key);
      ASSERT_NE(start, std::string::npos) << key;
      // The member runs to the next member written, or to the closing brace.
      std::size_t end = line.size() - 1;
      for (std::size_t next = k + 1; next < kChartJsonMemberCount; ++next) {
        std::string nextKey = ",\"";
        nextKey += ChartJsonMemberName(next);
        nextKey += "\":";
        const std::size_t at = line.find(nextKey, start);
        if (at != std::string::npos) {
          end = at;
          break;
        }
      }
      if (expected.size() > 1) expected += ',';
      expected += line.substr(start, end - start);
    }
    expected += '}';
    EXPECT_EQ(fewLine, expected);
    ++compared;
  }
  EXPECT_FALSE(std::getline(fewLines, fewLine));
  EXPECT_GT(compared, 100);
}

TEST(RunBatch, SchemaFieldsGiveTheChosenTopLevelMembers) {
  // With --json, each line written with --fields holds exactly the named
  // top-level members of the full chart object, with the same text, in its
  // order; a refused row's object stays whole.
  const std::string input = ScatteredBatch().substr(0, 20000);
  BatchSettings full;
  full.json = true;
  BatchSettings some = full;
  some.schemaFields.reset();
  const std::vector<std::string_view> chosen = {"name", "bodies", "induLagna", "texts", "dasha"};
  for (std::string_view name : chosen) some.schemaFields.set(*ChartSchemaMemberIndex(name));
  const BatchRun all = RunScattered(input, full, false);
  const BatchRun few = RunScattered(input, some, false);
  std::istringstream allLines(all.out), fewLines(few.out);
  std::string line, fewLine;
  int compared = 0;
  while (std::getline(allLines, line)) {
    ASSERT_TRUE(std::getline(fewLines, fewLine));
    if (line.find("\"valid\":false") != std::string::npos) {
      EXPECT_EQ(fewLine, line);
      continue;
    }
    std::string expected = "{";
    for (std::size_t c = 0; c < chosen.size(); ++c) {
      std::string key = "\"";
      key += chosen[c];
      key += "\":";
      const std::size_t start = line.find(key);
      ASSERT_NE(start, std::string::npos) << key;
      // The member runs to the next top-level member, or to the closing brace.
      const std::size_t k = *ChartSchemaMemberIndex(chosen[c]);
      std::size_t end = line.size() - 1;
      for (std::size_t next = k + 1; next < kChartSchemaMemberCount; ++next) {
        std::string nextKey = ",\"";
        nextKey += kChartSchemaMembers[next];
        nextKey += "\":";
        const std::size_t at = line.find(nextKey, start);
        if (at != std::string::npos) {
          end = at;
          break;
        }
      }
      if (expected.size() > 1) expected += ',';
      expected += line.substr(start, end - start);
    }
    expected += '}';
    EXPECT_EQ(fewLine, expected);
    ++compared;
  }
  EXPECT_FALSE(std::getline(fewLines, fewLine));
  EXPECT_GT(compared, 100);
}

// The names are presentation alone: for a few hundred births from the whole
// input domain the JSON of every --names is the English one but for its
// settings.names, while the text report does change.
TEST(RunCli, NamesChangeNoNumber) {
  std::mt19937_64 rng(35);
  const auto run = [](const std::vector<std::string>& args, std::string& output) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCli(views, {in, out, err});
    output = out.str() + err.str();
    return status;
  };
  const auto twoDigits = [](const std::string& text) {
    return text.size() < 2 ? "0" + text : text;
  };
  int charts = 0;
  for (int i = 0; i < 300; ++i) {
    const FormEntries e = orvanta::testing::RandomFormEntries(rng);
    std::vector<std::string> args = {
        "--name",
        e.name,
        "--date",
        e.yearText + "-" + twoDigits(std::to_string(e.monthIndex + 1)) + "-" + twoDigits(e.dayText),
        "--time",
        twoDigits(e.hourText) + ":" + twoDigits(e.minuteText) + ":" + twoDigits(e.secondText),
        "--lat",
        e.latDeg + (e.north ? "N" : "S") + twoDigits(e.latMin),
        "--lon",
        e.lonDeg + (e.east ? "E" : "W") + twoDigits(e.lonMin),
        "--zone",
        std::to_string(e.zoneIndex),
        "--json"};
    if (e.daylightTick) args.push_back("--dst");
    std::string english;
    const int status = run(args, english);
    SCOPED_TRACE(english.substr(0, 200));
    ASSERT_TRUE(status == kExitOk || status == kExitRefused) << status;
    if (status == kExitOk) ++charts;
    const std::string member = "\"names\":\"english\"";
    ASSERT_EQ(status == kExitOk, english.find(member) != std::string::npos);
    for (const NameScript script : kNameScripts) {
      std::vector<std::string> with = args;
      with.push_back("--names");
      with.push_back(std::string(NameScriptKey(script)));
      std::string json;
      ASSERT_EQ(run(with, json), status);
      const std::string own = "\"names\":\"" + std::string(NameScriptKey(script)) + "\"";
      if (const std::size_t at = json.find(own); at != std::string::npos) {
        json.replace(at, own.size(), member);
      }
      ASSERT_EQ(json, english) << NameScriptKey(script);
    }
    if (status != kExitOk || i % 10 != 0) continue;
    // The text report of the same birth does name things otherwise.
    args.pop_back();
    if (e.daylightTick) args.pop_back();
    std::string text, tamil;
    ASSERT_EQ(run(args, text), kExitOk);
    args.push_back("--names");
    args.push_back("tamil");
    ASSERT_EQ(run(args, tamil), kExitOk);
    EXPECT_NE(text, tamil);
    EXPECT_NE(tamil.find("\u0B9A\u0BC2\u0BB0\u0BBF\u0BAF\u0BA9\u0BCD"), std::string::npos);
  }
  EXPECT_GT(charts, 100);
}

TEST(RunCli, RandomWordsNeverGiveAPartialChart) {
  // Property: any command line made of option names and odd values either
  // prints a whole chart (status 0), a refusal (2) or a usage error (64) with
  // nothing on standard output.
  const std::vector<std::string> words = {
      "--name",        "--date", "--time", "--lat", "--lon",      "--zone",     "--dst",
      "--json",        "--city", "A",      "",      "1980-06-15", "1981-02-29", "10:30",
      "--json-record", "25:00",  "28N36",  "95N00", "77E12",      "180W00",     "IST",
      "NST",           "71",     "x",      "-",     "--bogus"};
  std::mt19937 random(2);
  for (int trial = 0; trial < 400; ++trial) {
    std::vector<std::string> args;
    const std::size_t count = random() % 14;
    for (std::size_t i = 0; i < count; ++i) args.push_back(words[random() % words.size()]);
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCli(views, {in, out, err});
    std::string line;
    for (const std::string& a : args) line += "[" + a + "] ";
    SCOPED_TRACE(line);
    switch (status) {
      case kExitOk:
        EXPECT_TRUE(out.str().starts_with("Orvanta v1.15\n") ||
                    out.str().starts_with("{\"Name\"") ||
                    out.str().starts_with("{\"schema\":\"orvanta.chart/2\""))
            << out.str();
        EXPECT_EQ(err.str(), "");
        break;
      case kExitRefused:
        EXPECT_FALSE(err.str().empty());
        if (!out.str().empty()) {
          EXPECT_TRUE(out.str().find("\"Valid\":false") != std::string::npos ||
                      out.str().find("\"valid\":false") != std::string::npos)
              << out.str();
        }
        break;
      case kExitUsage:
        EXPECT_EQ(out.str(), "");
        EXPECT_TRUE(err.str().starts_with("orvanta-cli: ")) << err.str();
        break;
      default:
        ADD_FAILURE() << "status " << status;
    }
  }
}

}  // namespace
}  // namespace orvanta::cli
