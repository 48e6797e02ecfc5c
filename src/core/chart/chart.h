// One chart, from the form's entries to every text the result window shows.
//
// Run_Chart validates the entries, fills the birth record, runs the engine
// stages in their fixed order (ascendant, Moon, planets, retrograde marks),
// places the bodies into the twelve sign cells, runs the twelve house calls
// and the sunrise references, finds the Indu Lagna and copies its sign's row.
// The caller owns the Session: the few values that deliberately survive from
// one computation to the next live there, and two sessions share nothing.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "chart/presentation.h"
#include "chart/validation.h"
#include "engine/calendar.h"
#include "engine/moon.h"
#include "engine/sunrise.h"
#include "lagna/indu_lagna.h"
#include "lagna/vighati.h"
#include "model/datetime.h"
#include "model/records.h"
#include "tables/sign_tables.h"

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
  bool dst = false;  // the daylight-saving tick
  // The tz database zone the offset was resolved from ("Asia/Kathmandu")
  // and whether that reading is summer time; empty when the zone was
  // chosen from the list.
  std::string zoneName;
  bool zoneDaylight = false;
};

// Sunrise and sunset as the sunrise step left them; an entry that was never
// written (polar dates from the start) stays empty.
using RiseSetPair = std::array<std::optional<LocalDateTime>, 2>;

// Values that outlive one computation.
struct Session {
  std::int16_t ZoneShiftHours = 0;  // kept when no zone is selected
  std::int16_t ZoneShiftMinutes = 0;
  InduLagnaState lagna;
  RiseSetPair riseSetTime;  // kept where the sun does not rise or set
};

enum class SunriseReference { None, DaySunrise, PreviousSunrise, NextSunrise };

struct ChartOutput {
  BirthDetails birth;
  TimeQuantities time;
  MoonPosition moon;
  PositionTexts PositionText;  // birth chart, 0 Sun .. 9 ascendant
  std::array<bool, 8> RetroFlag{};
  ChartLabels ChartLabel;
  std::int16_t AscSignIndex = 0;
  InduLagnaState lagna;  // after InduLagnaFinish

  RiseSetPair previousDay, day, nextDay;
  SunriseReference reference = SunriseReference::None;
  std::optional<LocalDateTime> referenceSunrise;
  std::optional<long long> ElapsedMinutes, ElapsedSeconds;
  double SunriseSunLongitude = 0;
  std::string SunriseSunText;
  VighatiArc arc;

  SignCaptions signCells;  // the bodies in each sign's cell, Aries first
  SignCaptions marks;      // each sign's mark label ("IL" for the Indu Lagna), Aries first
  BirthDetailTexts details;
  ChartClock clock;
  std::optional<AttributeRow> attributes;  // nothing when the index lies outside the tables
};

struct ChartRun {
  std::optional<Refusal> refusal;  // set when validation refused the entries
  ChartOutput chart;               // meaningful only without a refusal
};

ValidationInput ValidationInputOf(const FormEntries& entries);

// How much of a chart to compute. `PositionsAndLagna` leaves out what is
// counted from the sunrise (the three days' rise and set, the elapsed time,
// the moving points and the vighati point, with their marks) and the birth
// detail texts: about a sixth of a chart's time, and none of it changes the
// positions, the retrograde flags, the Indu Lagna or its sign's row. The
// session's sunrise state is then left as it was. The batch's CSV output,
// which shows only those, uses it.
enum class ChartScope { Everything, PositionsAndLagna };

ChartRun Run_Chart(Session& session, const FormEntries& entries,
                   ChartScope scope = ChartScope::Everything);

}  // namespace orvanta
