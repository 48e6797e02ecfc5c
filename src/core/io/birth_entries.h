// The birth-data form's entries and their reading into a typed birth.
//
// The form, the command line's options and a births-file row give their
// entries as the form holds them: list positions and typed texts. ReadBirth
// runs the form's checks on them (in the form's order, with its messages)
// and reads them once into a Birth in numbers, the only input of a chart.
#pragma once

#include <optional>
#include <string>

#include "chart/chart.h"
#include "io/validation.h"
#include "model/birth.h"

namespace orvanta {

// The birth-data form's entries as the user left them.
struct FormEntries {
  std::string name;
  std::string city, state, country;
  int monthIndex = 0;  // position in the month list, 0 = January
  std::string dayText = "1";
  std::string yearText = "1901";
  std::string hourText = "0";
  std::string minuteText = "0";
  std::string secondText = "0";
  std::string lonDeg, lonMin, latDeg, latMin;  // degrees and minutes as typed
  bool east = true;
  bool north = true;
  int zoneIndex = 29;  // row of the zone list; -1 = no selection
  // An offset east of Greenwich in minutes that no row carries, resolved from
  // the time-zone history; when set it is used instead of zoneIndex.
  std::optional<int> exactOffsetMinutes;
  // The same offset to the second where the history gives seconds (a city's
  // mean time, Kathmandu's +5:41:16); when set it is used instead of both.
  std::optional<int> exactOffsetSeconds;
  // The clock's own name where it is no tz reading (a city's own time, the
  // local mean time of the birth place); empty otherwise.
  std::string clockCaption;
  // Where that clock came from (ClockSource::CityTime or LocalMeanTime);
  // nothing for every other clock.
  std::optional<ClockSource> clockSource;
  bool daylightTick = false;  // the form's "Daylight Saving Time" box
  // The tz database zone the offset was resolved from ("Asia/Kathmandu")
  // and whether that reading is summer time; empty when the zone was
  // chosen from the list.
  std::string zoneName;
  bool summerTime = false;
};

ValidationInput ValidationInputOf(const FormEntries& entries);

// The entries read as one birth in numbers, or the first check they fail
// (the checks in the form's order, with its messages). Every front end's
// entries (the form, the command line's options, a births-file row) pass
// this one step before a chart, and the engine starts from `birth` alone.
struct BirthReading {
  std::optional<Refusal> refusal;
  Birth birth;  // meaningful only without a refusal
};
BirthReading ReadBirth(const FormEntries& entries);

struct ChartRun {
  std::optional<Refusal> refusal;  // set when validation refused the entries
  ChartOutput chart;               // meaningful only without a refusal
};

// ReadBirth, then the chart of the birth it gives: the one step from the
// form's entries to a chart, for the front ends that hold entries.
ChartRun ComputeChart(const FormEntries& entries, const CalculationSettings& settings,
                      ChartScope scope = ChartScope::Everything);
ChartRun ComputeChart(const FormEntries& entries, ChartScope scope = ChartScope::Everything);

}  // namespace orvanta
