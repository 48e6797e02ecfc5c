// Fuzz target: orvanta-cli's batch loop (RunBatch) over any bytes, with
// JSON output on and off.
//
// The first input byte chooses the output form and whether the batch header
// line is put in front of the rest (so that the fuzzer reaches the rows
// without having to find the header first). Properties:
// - the status is 0, 1 or 65, and 1 exactly when an error line was written;
// - without the header nothing reaches standard output and one error line
//   names the problem;
// - with it, every record after the header gives exactly one output line or
//   one error line, in order ("orvanta-cli: line N: ..." with N the record's
//   first line), and each error is one line of printable UTF-8, whatever
//   bytes the row held;
// - JSON output is one valid JSON object per line whose numbers are never
//   null where the engine computes them; CSV output reads back as the
//   header and one record of twelve fields per chart.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/app.h"
#include "cli/arguments.h"
#include "cli/render.h"
#include "io/csv.h"
#include "support/json_check.h"

namespace {

constexpr std::string_view kHeader = "name,date,time,lat,lon,zone,dst,city,state,country\n";
constexpr std::string_view kPrefix = "orvanta-cli: ";

[[noreturn]] void Fail(const std::string& what, const std::string& input, const std::string& out,
                       const std::string& err) {
  std::fprintf(
      stderr,
      "fuzz_batch: %s\n--- input (%zu bytes)\n%.2000s\n--- out\n%.2000s\n--- err\n%.2000s\n",
      what.c_str(), input.size(), input.c_str(), out.c_str(), err.c_str());
  std::abort();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The line numbers of the records after the first, read independently of
// the batch loop (the first record is the header).
std::vector<long> DataRecordLines(const std::string& input) {
  std::istringstream in(input);
  orvanta::CsvReader reader(in);
  std::vector<long> lines;
  bool header = true;
  while (const auto record = reader.Next()) {
    if (!header) lines.push_back(record->lineNumber);
    header = false;
  }
  return lines;
}

// The numbers the engine always computes; null would mean NaN or infinity.
constexpr std::string_view kFiniteMembers[] = {
    "\"UniversalTime\":", "\"CenturiesT\":",   "\"AyanCorr\":",           "\"AscendantDeg\":",
    "\"MoonTropical\":",  "\"MoonSidereal\":", "\"SunriseSunLongitude\":"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool json = (data[0] & 1) != 0;
  std::string input;
  if ((data[0] & 2) != 0) input = kHeader;
  input.append(reinterpret_cast<const char*>(data + 1), size - 1);

  std::istringstream in(input);
  std::ostringstream outStream, errStream;
  // The chart record: its members are checked below (the chart schema's
  // output is checked against the schema by chart_schema_check).
  orvanta::cli::BatchSettings settings;
  settings.json = json;
  settings.record = true;
  const int status = orvanta::cli::RunBatch(in, settings, outStream, errStream);
  const std::string out = outStream.str(), err = errStream.str();
  const auto fail = [&](const std::string& what) { Fail(what, input, out, err); };

  const std::vector<std::string> errLines = Lines(err);
  if (!err.empty() && err.back() != '\n') fail("error output does not end its line");
  for (const std::string& line : errLines) {
    if (!line.starts_with(kPrefix)) fail("error line without the program's name");
    if (!orvanta::fuzz::IsPrintableLine(line)) fail("error line is not printable UTF-8");
  }

  if (status == orvanta::cli::kExitBadInput) {
    if (!out.empty()) fail("output written for input without its header");
    if (errLines.size() != 1) fail("not one error line for input without its header");
    return 0;
  }
  if (status != orvanta::cli::kExitOk && status != orvanta::cli::kExitRowsFailed) {
    fail("status " + std::to_string(status));
  }
  if ((status == orvanta::cli::kExitRowsFailed) != !errLines.empty()) {
    fail("status " + std::to_string(status) + " with " + std::to_string(errLines.size()) +
         " error lines");
  }

  // Every error names a record's first line, in input order.
  const std::vector<long> records = DataRecordLines(input);
  std::size_t next = 0;
  for (const std::string& line : errLines) {
    const std::string lead = std::string(kPrefix) + "line ";
    if (!line.starts_with(lead)) fail("error line without its line number");
    const long number = std::strtol(line.c_str() + lead.size(), nullptr, 10);
    while (next < records.size() && records[next] != number) ++next;
    if (next == records.size()) fail("error names line " + std::to_string(number));
    ++next;
  }

  std::size_t charts = 0;
  if (json) {
    if (!out.empty() && out.back() != '\n') fail("JSON output does not end its line");
    for (const std::string& line : Lines(out)) {
      if (!line.starts_with("{\"Name\":")) fail("JSON line is not a chart");
      if (line.find("\"Valid\":true,") == std::string::npos) fail("JSON chart not valid");
      if (!orvanta::fuzz::IsValidJson(line)) fail("invalid JSON: " + line);
      for (std::string_view member : kFiniteMembers) {
        const std::size_t at = line.find(member);
        if (at == std::string::npos) fail("JSON chart without " + std::string(member));
        if (line.compare(at + member.size(), 4, "null") == 0) {
          fail("JSON member " + std::string(member) + " is null");
        }
      }
      ++charts;
    }
  } else {
    std::istringstream back(out);
    orvanta::CsvReader reader(back);
    const auto header = reader.Next();
    if (!header || header->fields.size() != 12 || header->fields[0] != "name") {
      fail("CSV output without its header");
    }
    while (const auto record = reader.Next()) {
      if (!record->error.empty() || record->fields.size() != 12) {
        fail("CSV output line is not twelve fields");
      }
      ++charts;
    }
  }
  if (charts + errLines.size() != records.size()) {
    fail(std::to_string(charts) + " charts and " + std::to_string(errLines.size()) +
         " errors for " + std::to_string(records.size()) + " records");
  }
  return 0;
}
