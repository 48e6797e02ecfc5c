// Fuzz target: ComputeChart over form entries taken from the fuzz input, one
// to three charts in a row in the same settings (as the desktop program runs
// them), each under calculation settings (ayanamsa, node, Indu Lagna rule)
// the input chooses.
//
// The text boxes (name, place, the four coordinate boxes) take any bytes, as
// pasted text can; the drop-down lists (day, year, hour, minute, second,
// month, zone) mostly hold one of their own entries, and sometimes anything
// at all, out-of-range list positions included. Properties:
// - nothing crashes, leaks or hits undefined behaviour (the sanitizers);
// - a refusal is one of the checks' own messages, with its icon and focus,
//   and leaves the settings as they were;
// - entries the form can hold give a chart with every property of
//   ChartFault (Indu Lagna in 0..11 marked once, nothing NaN, ...);
// - any chart at all renders as valid JSON, a CSV line of twelve fields (or,
//   for a name holding a line break, a line the CSV reader refuses) and a
//   text report.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/arguments.h"
#include "cli/render.h"
#include "io/birth_entries.h"
#include "io/csv.h"
#include "support/chart_invariants.h"
#include "support/json_check.h"
#include "tables/zones.h"

namespace {

using orvanta::CalculationSettings;
using orvanta::ChartRun;
using orvanta::FormEntries;

[[noreturn]] void Fail(const std::string& what, const FormEntries& e) {
  std::fprintf(stderr,
               "fuzz_chart: %s\n  name[%zu] month %d day '%s' year '%s' time '%s:%s:%s'\n"
               "  lon '%s' '%s' %s lat '%s' '%s' %s zone %d dst %d\n",
               what.c_str(), e.name.size(), e.monthIndex, e.dayText.c_str(), e.yearText.c_str(),
               e.hourText.c_str(), e.minuteText.c_str(), e.secondText.c_str(), e.lonDeg.c_str(),
               e.lonMin.c_str(), e.east ? "E" : "W", e.latDeg.c_str(), e.latMin.c_str(),
               e.north ? "N" : "S", e.zoneIndex, e.daylightTick ? 1 : 0);
  std::abort();
}

// Texts a user may paste into a box, beside the fuzzer's own bytes.
constexpr std::array<const char*, 20> kOddTexts = {
    "",
    " ",
    "0",
    "00",
    "180",
    "90",
    "60",
    "-5",
    "\xe2\x88\x92"
    "5",  // U+2212 minus sign, then 5
    "1e3",
    "12.5",
    "+5",
    "\xef\xbc\x95",  // full-width five
    "28X",
    " 59 ",
    "\t7",
    "99999999999999999999",
    "32768",
    "\xff\xfe",
    "0000000000000000000000000000179",
};

// A text box: a plain number in or near its range, a pasted oddity, or bytes.
std::string BoxText(FuzzedDataProvider& in, int maxValue) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
    case 1:
      return std::to_string(in.ConsumeIntegralInRange(0, maxValue + 1));
    case 2:
      return kOddTexts[in.ConsumeIntegralInRange<std::size_t>(0, kOddTexts.size() - 1)];
    default:
      return in.ConsumeRandomLengthString(64);
  }
}

// A drop-down list: one of its entries, or (when `wild`) any text.
std::string ListText(FuzzedDataProvider& in, bool wild, int first, int last) {
  if (wild && in.ConsumeBool()) {
    return in.ConsumeBool() ? in.ConsumeRandomLengthString(16)
                            : std::to_string(in.ConsumeIntegral<std::int32_t>());
  }
  return std::to_string(in.ConsumeIntegralInRange(first, last));
}

int ListPosition(FuzzedDataProvider& in, bool wild, int none, int last) {
  if (wild && in.ConsumeBool()) return in.ConsumeIntegral<int>();
  return in.ConsumeIntegralInRange(none, last);
}

FormEntries EntriesFrom(FuzzedDataProvider& in, bool wild) {
  FormEntries e;
  e.name = in.ConsumeBool() ? std::string("ARJUN MEHTA") : in.ConsumeRandomLengthString(80);
  e.city = in.ConsumeRandomLengthString(24);
  e.state = in.ConsumeRandomLengthString(12);
  e.country = in.ConsumeRandomLengthString(12);
  e.monthIndex = ListPosition(in, wild, 0, 11);
  e.dayText = ListText(in, wild, 1, 31);
  e.yearText = ListText(in, wild, orvanta::kFirstYear, orvanta::kLastYear);
  e.hourText = ListText(in, wild, 0, 23);
  e.minuteText = ListText(in, wild, 0, 59);
  e.secondText = ListText(in, wild, 0, 59);
  e.lonDeg = BoxText(in, 179);
  e.lonMin = BoxText(in, 59);
  e.latDeg = BoxText(in, 89);
  e.latMin = BoxText(in, 59);
  e.east = in.ConsumeBool();
  e.north = in.ConsumeBool();
  e.zoneIndex = ListPosition(in, wild, -1, orvanta::kZoneCount - 1);
  e.daylightTick = in.ConsumeBool();
  return e;
}

constexpr std::array<std::string_view, 11> kMessages = {
    "Please Enter Name",
    "Please Enter Value Between 0 And 179 in the Degree of Longitude",
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude",
    "Please Enter Value Between 0 And 89 in the Degree of Latitude",
    "Please Enter Value Between 0 And 59 in the  Minute of Latitude",
    "Please Enter Value Between 1 And 31 in the Day of Birth",
    "Please Enter Value Between 0 And 23 in the Hour of Birth",
    "Please Enter Value Between 0 And 59 in the Minute of Birth",
    "Please Enter Value Between 0 And 59 in the Second of Birth",
    "Please Enter Correct Date Or Month!",
    "Please Enter Correct Date Or Month !",
};
constexpr std::array<orvanta::FormField, 9> kFocus = {
    orvanta::FormField::Name,       orvanta::FormField::LonDegrees, orvanta::FormField::LonMinutes,
    orvanta::FormField::LatDegrees, orvanta::FormField::LatMinutes, orvanta::FormField::Day,
    orvanta::FormField::Hour,       orvanta::FormField::Minute,     orvanta::FormField::Second};

void CheckRefusal(const orvanta::Refusal& r, const FormEntries& e) {
  const auto found = std::find(kMessages.begin(), kMessages.end(), r.message);
  if (found == kMessages.end()) Fail("unknown refusal message '" + std::string(r.message) + "'", e);
  const auto at = static_cast<std::size_t>(found - kMessages.begin());
  // The box and list checks stop with their control's focus; the date
  // checks inform.
  if (at < kFocus.size()) {
    if (!r.focus || *r.focus != kFocus[at] || r.icon != orvanta::MessageIcon::Stop) {
      Fail("refusal '" + std::string(r.message) + "' without its icon and focus", e);
    }
  } else if (r.focus || r.icon != orvanta::MessageIcon::Information) {
    Fail("date refusal with a focus or a stop icon", e);
  }
}

void CheckRendering(const ChartRun& run, const FormEntries& e) {
  std::string json;
  orvanta::cli::AppendChartJson(json, run.chart);
  if (!orvanta::fuzz::IsValidJson(json)) Fail("chart JSON is not valid: " + json, e);
  std::string csv;
  orvanta::cli::AppendChartCsv(csv, run.chart);
  std::istringstream csvIn(csv);
  orvanta::CsvReader reader(csvIn);
  const auto record = reader.Next();
  // No field of a CSV line holds a line break: a name written with one
  // (which no batch row can give) makes a line the reader refuses, never a
  // merged one.
  if (const std::size_t lineEnd = csv.find('\n');
      lineEnd != std::string::npos && lineEnd + 1 < csv.size()) {
    if (!record || record->error.empty()) Fail("chart CSV with a line break read whole: " + csv, e);
  } else if (!record || !record->error.empty() || record->fields.size() != 12 || reader.Next()) {
    Fail("chart CSV is not one line of twelve fields: " + csv, e);
  }
  std::string text;
  orvanta::cli::AppendChartText(text, run.chart);
  if (text.empty()) Fail("empty text report", e);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool wild = in.ConsumeBool();
  const int charts = in.ConsumeIntegralInRange(1, 3);
  CalculationSettings settings;
  for (int n = 0; n < charts; ++n) {
    const FormEntries e = EntriesFrom(in, wild);
    // Each chart under calculation settings the input chooses.
    settings.ayanamsa = orvanta::kAyanamsaChoices[in.ConsumeIntegralInRange<std::size_t>(0, 3)];
    settings.node = orvanta::kNodeChoices[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
    settings.induLagnaRule = orvanta::kInduLagnaRules[in.ConsumeIntegralInRange<std::size_t>(0, 1)];
    const ChartRun run = orvanta::ComputeChart(e, settings);
    if (run.refusal) {
      CheckRefusal(*run.refusal, e);
      std::string json;
      orvanta::cli::AppendRefusalJson(json, e.name, *run.refusal);
      if (!orvanta::fuzz::IsValidJson(json)) Fail("refusal JSON is not valid: " + json, e);
      continue;
    }
    if (!wild) {
      if (const std::string fault = orvanta::fuzz::ChartFault(run.chart); !fault.empty()) {
        Fail(fault, e);
      }
    }
    CheckRendering(run, e);
  }
  return 0;
}
