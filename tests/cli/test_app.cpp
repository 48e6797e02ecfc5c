// Tests of the program's run loop in process: every batch row gives either
// one output line or one error line, whatever its bytes, and a command line
// of random words never computes a partial chart.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/app.h"
#include "cli/arguments.h"

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

TEST(RunCli, RandomWordsNeverGiveAPartialChart) {
  // Property: any command line made of option names and odd values either
  // prints a whole chart (status 0), a refusal (2) or a usage error (64) with
  // nothing on standard output.
  const std::vector<std::string> words = {
      "--name", "--date", "--time", "--lat",  "--lon",      "--zone",     "--dst",
      "--json", "--city", "A",      "",       "1980-06-15", "1981-02-29", "10:30",
      "25:00",  "28N36",  "95N00",  "77E12",  "180W00",     "IST",        "NST",
      "71",     "x",      "-",      "--bogus"};
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
        EXPECT_TRUE(out.str().starts_with("Orvanta v1.15\n") || out.str().starts_with("{\"Name\""))
            << out.str();
        EXPECT_EQ(err.str(), "");
        break;
      case kExitRefused:
        EXPECT_FALSE(err.str().empty());
        if (!out.str().empty()) {
          EXPECT_NE(out.str().find("\"Valid\":false"), std::string::npos);
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
