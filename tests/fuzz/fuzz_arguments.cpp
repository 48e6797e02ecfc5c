// Fuzz target: orvanta-cli's command line. The input is split at NUL bytes
// into the arguments after the program name (as the process would receive
// them), parsed, and, unless it asks for a batch file or a drawing in a
// file, run in-process with string streams. Properties:
// - ParseArguments gives options or an error message, never both, and a
//   message is one line of printable UTF-8 whatever the arguments held;
// - options for one chart carry every required birth option, and their
//   birth fields either make form entries within the form's lists (month
//   0..11, day 1..31, year 1901..2050, zone 0..70, plain decimal texts) or
//   name the malformed field;
// - the run ends with 0 (a whole chart, nothing on standard error), 2 (the
//   check's message on standard error; with --json a valid refusal object,
//   or, for a place or local time refused before the check, nothing on
//   standard output and one line on standard error; --places that found
//   nothing writes an empty list with --json)
//   or 64 (nothing on standard output, one line on standard error);
// - with --json, anything on standard output is one valid JSON object.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/app.h"
#include "cli/arguments.h"
#include "io/birth_fields.h"
#include "support/json_check.h"
#include "tables/zones.h"

namespace {

using orvanta::cli::CliOptions;
using orvanta::cli::Mode;

[[noreturn]] void Fail(const std::string& what, const std::vector<std::string_view>& args) {
  std::string line;
  for (std::string_view a : args) line += "[" + std::string(a.substr(0, 200)) + "] ";
  std::fprintf(stderr, "fuzz_arguments: %s\n  args: %s\n", what.c_str(), line.c_str());
  std::abort();
}

bool OneLine(const std::string& s) {
  return !s.empty() && orvanta::fuzz::IsPrintableLine(s);
}

// The program's own message: "orvanta-cli: ", one line, and its line end.
bool IsProgramMessage(const std::string& err) {
  return err.starts_with("orvanta-cli: ") && err.ends_with('\n') &&
         OneLine(err.substr(0, err.size() - 1));
}

// Whatever the options, the birth's fields read into numbers inside their
// ranges, or the first malformed field is named on one line.
void CheckBirth(const CliOptions& options, const std::vector<std::string_view>& args) {
  const auto reading = orvanta::BirthOfFields(options.birth);
  if (!reading.value) {
    if (!OneLine(reading.error)) Fail("field error is not one line: " + reading.error, args);
    return;
  }
  if (const auto& refusal = reading.value->refusal) {
    if (!OneLine(std::string(refusal->message))) Fail("refusal is not one line", args);
    return;
  }
  const orvanta::Birth& b = reading.value->birth;
  const orvanta::CivilTime& t = b.local;
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.year < orvanta::kFirstYear ||
      t.year > orvanta::kLastYear || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
      t.second < 0 || t.second > 59) {
    Fail("date or time outside its range", args);
  }
  if (b.clock.zoneRow && (*b.clock.zoneRow < 0 || *b.clock.zoneRow >= orvanta::kZoneCount))
    Fail("zone outside the list", args);
  const orvanta::GeoPosition& p = b.position;
  if (p.latitude.degrees < 0 || p.latitude.degrees > 89 || p.latitude.minutes < 0 ||
      p.latitude.minutes > 59 || p.longitude.degrees < 0 || p.longitude.degrees > 179 ||
      p.longitude.minutes < 0 || p.longitude.minutes > 59) {
    Fail("coordinate outside its range", args);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> args;
  if (!input.empty()) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = input.find('\0', start);
      args.push_back(input.substr(start, end == std::string_view::npos ? end : end - start));
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }

  const auto parsed = orvanta::cli::ParseArguments(args);
  if (parsed.value.has_value() == !parsed.error.empty()) Fail("options and error disagree", args);
  if (!parsed.value) {
    if (!OneLine(parsed.error)) Fail("usage error is not one line: " + parsed.error, args);
  } else if (parsed.value->mode == Mode::Chart) {
    CheckBirth(*parsed.value, args);
  }
  // A batch run would open the named file; the batch loop has its own target.
  if (parsed.value && parsed.value->mode == Mode::Batch) return 0;
  // A drawing goes to a file the input names, or before the JSON.
  if (parsed.value && !parsed.value->svgPath.empty()) return 0;

  std::istringstream in;
  std::ostringstream outStream, errStream;
  const int status = orvanta::cli::RunCli(args, {in, outStream, errStream});
  const std::string out = outStream.str(), err = errStream.str();
  // Help, version and the zone list are text even with --json.
  const bool json = parsed.value && parsed.value->json && parsed.value->mode == Mode::Chart;
  const bool placesJson =
      parsed.value && parsed.value->json && parsed.value->mode == Mode::ListPlaces;
  switch (status) {
    case orvanta::cli::kExitOk:
      if (!err.empty()) Fail("success with an error message: " + err, args);
      if (out.empty()) Fail("success without output", args);
      if (json && !orvanta::fuzz::IsValidJson(out)) Fail("invalid JSON: " + out, args);
      break;
    case orvanta::cli::kExitRefused:
      if (err.empty()) Fail("refusal without its message", args);
      if (placesJson) {
        // --places that found nothing lists nothing.
        if (out != "[]\n") Fail("places refused with a list: " + out, args);
      } else if (json && out.empty()) {
        // A place or a local time refused before the birth is read: nothing
        // on standard output, the program's one line on standard error.
        if (!IsProgramMessage(err)) Fail("refusal without its object or its line: " + err, args);
      } else if (json ? !orvanta::fuzz::IsValidJson(out) ||
                            out.find(parsed.value->jsonRecord ? "\"Valid\":false"
                                                              : "\"valid\":false") == out.npos
                      : !out.empty()) {
        Fail("refusal with output: " + out, args);
      }
      break;
    case orvanta::cli::kExitUsage:
      if (!out.empty()) Fail("usage error with output: " + out, args);
      if (!IsProgramMessage(err)) Fail("usage error is not one line: " + err, args);
      break;
    default:
      Fail("status " + std::to_string(status), args);
  }
  return 0;
}
