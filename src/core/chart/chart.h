// One chart, in numbers, from a typed birth.
//
// ComputeChart takes the birth in numbers (io/birth_entries.h reads the
// form's entries into one), runs the engine stages in their fixed order (ascendant, Moon, planets,
// retrograde marks), places the bodies into the twelve sign cells, runs the twelve house calls and
// the sunrise references, finds the Indu Lagna and copies its sign's row. Each chart is a function
// of its birth and its calculation settings alone: nothing is carried from one computation to the
// next. Its texts are made from it at the edge (chart/presentation.h and the writers).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "chart/positions.h"
#include "chart/presentation.h"
#include "chart/settings.h"
#include "engine/calendar.h"
#include "engine/moon.h"
#include "engine/sunrise.h"
#include "lagna/indu_lagna.h"
#include "lagna/vighati.h"
#include "model/birth.h"
#include "model/datetime.h"
#include "model/records.h"
#include "tables/sign_tables.h"

namespace orvanta {

// Sunrise and sunset of one day; empty where the Sun does not rise or does
// not set on that day (beyond the polar circles).
using RiseSetPair = std::array<std::optional<LocalDateTime>, 2>;

enum class SunriseReference { None, DaySunrise, PreviousSunrise, NextSunrise };

struct ChartOutput {
  // What the chart was computed from: the birth and the settings.
  CalculationSettings settings;
  Birth birth;
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

  std::optional<AttributeRow> attributes;  // nothing when the index lies outside the tables
};

// How much of a chart to compute. `PositionsAndLagna` leaves out what is
// counted from the sunrise (the three days' rise and set, the elapsed time,
// the moving points and the vighati point, with their marks): about a sixth
// of a chart's time, and none of it changes the positions, the retrograde
// flags, the Indu Lagna or its sign's row. The
// batch's CSV output, which shows only those, uses it.
enum class ChartScope { Everything, PositionsAndLagna };

// The chart of a birth under `settings`.
ChartOutput ComputeChart(const Birth& birth, const CalculationSettings& settings,
                         ChartScope scope = ChartScope::Everything);

}  // namespace orvanta
