// One chart, from the form's entries to every text the result window shows.
//
// ComputeChart reads the entries as a birth in numbers (ReadBirth), runs the engine
// stages in their fixed order (ascendant, Moon, planets, retrograde marks),
// places the bodies into the twelve sign cells, runs the twelve house calls
// and the sunrise references, finds the Indu Lagna and copies its sign's row.
// Each chart is a function of its entries and its calculation settings
// alone: nothing is carried from one computation to the next.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "chart/positions.h"
#include "chart/presentation.h"
#include "chart/settings.h"
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

// Sunrise and sunset of one day; empty where the Sun does not rise or does
// not set on that day (beyond the polar circles).
using RiseSetPair = std::array<std::optional<LocalDateTime>, 2>;

// What a window or a command-line run keeps while it computes charts: the
// calculation settings the user chose. Each chart is a function of its
// entries and these settings alone: nothing else is kept, so two sessions
// with the same settings, or one session in any order of births, give the
// same charts.
struct Session {
  CalculationSettings settings;
};

enum class SunriseReference { None, DaySunrise, PreviousSunrise, NextSunrise };

struct ChartOutput {
  // What the chart was computed from: the entries and the settings.
  FormEntries entries;
  CalculationSettings settings;
  BirthDetails birth;
  TimeQuantities time;
  MoonPosition moon;
  BodyPositions bodies;  // the birth chart's positions, Sun..Asc, with their retrograde marks
  // Whether Uranus, Neptune and Pluto were retrograde on the birth date: the
  // chart shows none of them, the legacy record lists their flags.
  std::array<bool, 3> outerPlanetsRetrograde{};
  std::int16_t AscSignIndex = 0;  // the ascendant's sign, 0 when it has none
  HouseCalls houses;
  // The Indu Lagna under the settings' rule; nothing without an ascendant's
  // or a Moon's sign.
  std::optional<InduLagnaCount> induLagna;

  RiseSetPair previousDay, day, nextDay;
  SunriseReference reference = SunriseReference::None;
  std::optional<LocalDateTime> referenceSunrise;
  std::optional<long long> ElapsedMinutes, ElapsedSeconds;
  double SunriseSunLongitude = 0;
  BodyPosition sunriseSun;  // the Sun at the reference sunrise
  VighatiArc arc;
  // The signs (0..11) of the three points moving from the Sun at the
  // reference sunrise, in kMovingPointDegPerMinute order, -1 where a point
  // has none; all -1 without a reference sunrise.
  std::array<int, 3> movingPointSigns{-1, -1, -1};
  // The sign of the vighati point; nothing without a reference sunrise.
  std::optional<int> vighatiSign;

  BirthDetailTexts details;
  ChartClock clock;
  std::optional<AttributeRow> attributes;  // nothing when the index lies outside the tables
};

struct ChartRun {
  std::optional<Refusal> refusal;  // set when validation refused the entries
  ChartOutput chart;               // meaningful only without a refusal
};

ValidationInput ValidationInputOf(const FormEntries& entries);

// The entries read as one birth in numbers, or the first check they fail
// (the checks in the form's order, with its messages). Every front end's
// entries (the form, the command line's options, a births-file row) pass
// this one step before a chart, and the engine starts from `birth` alone.
struct BirthReading {
  std::optional<Refusal> refusal;
  BirthDetails birth;  // meaningful only without a refusal
};
BirthReading ReadBirth(const FormEntries& entries);

// How much of a chart to compute. `PositionsAndLagna` leaves out what is
// counted from the sunrise (the three days' rise and set, the elapsed time,
// the moving points and the vighati point, with their marks) and the birth
// detail texts: about a sixth of a chart's time, and none of it changes the
// positions, the retrograde flags, the Indu Lagna or its sign's row. The
// batch's CSV output, which shows only those, uses it.
enum class ChartScope { Everything, PositionsAndLagna };

// The chart of the form's entries under `settings`, or the validation's
// refusal.
ChartRun ComputeChart(const FormEntries& entries, const CalculationSettings& settings,
                      ChartScope scope = ChartScope::Everything);
// The same with the default settings.
ChartRun ComputeChart(const FormEntries& entries, ChartScope scope = ChartScope::Everything);

// The same under a window's or a run's session's settings.
ChartRun ComputeChart(Session& session, const FormEntries& entries,
                      ChartScope scope = ChartScope::Everything);

}  // namespace orvanta
