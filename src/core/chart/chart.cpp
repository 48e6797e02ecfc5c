#include "chart/chart.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <utility>

#include "engine/planets.h"
#include "engine/retrograde.h"
#include "engine/sunrise.h"
#include "lagna/moving_points.h"

namespace orvanta {

namespace {

// Minutes and seconds between two clock readings, truncated toward zero.
struct Difference {
  long long minutes;
  long long seconds;
};

Difference Between(LocalDateTime from, LocalDateTime to) {
  using namespace std::chrono;
  const seconds diff = to - from;
  return {duration_cast<minutes>(diff).count(), diff.count()};
}

// Sunrise and sunset of one day; an event that does not happen on that day
// stays empty.
RiseSetPair SunriseAndSunset(const SunriseInput& in) {
  const SunEvents events = SunEventsOf(in);
  return {events.rise, events.set};
}

// The engine at the birth moment: ascendant, Moon, planets, retrograde marks.
// The ayanamsa chosen in the settings makes every sidereal longitude: the
// ascendant and the Moon here, the planets, Rahu, Ketu and the Sun at the
// reference sunrise through their ayanamsa, which their moments carry.
void BirthPass(const Birth& b, const CalculationSettings& settings, ChartOutput& out) {
  out.time = ComputeAscendant(b, settings.ayanamsa);
  out.moon = ComputeMoonPosition(b, settings.ayanamsa);
  PlanetMoment moment = PlanetMomentOf(b, out.time);
  moment.node = settings.node;
  const PlanetPositions planets = ComputePlanets(moment);
  const CivilTime& local = b.local;
  const RetrogradeMarks retro =
      RetrogradeMarksAt(local.month, local.day, local.year, local.hour, local.minute);
  out.bodies = BodyPositionsOf(out.time, out.moon, planets, retro.RetroFlag);
  // RetroFlag runs Mercury..Saturn, then Uranus, Neptune, Pluto.
  std::copy(retro.RetroFlag.end() - 3, retro.RetroFlag.end(), out.outerPlanetsRetrograde.begin());
}

// One day's sunrise and sunset, and which day it is.
struct SunDay {
  RiseSetPair events;
  SunriseReference reference;
};

// The sunrise the elapsed time counts from, among the days' events, each at
// the local date and time it happens:
// - a birth between a day's sunrise and its sunset counts from that sunrise;
// - a birth in the night before a sunrise on its own date counts back to the
//   sunrise before it;
// - a birth in the night after a day's sunset, before midnight, counts
//   forward to the next sunrise.
// Where a zone about a day away from the place's meridian moves the sunrise
// the rule needs beyond the days given, `missingDirection` says on which
// side of the birth it lies: -1 before, +1 after.
struct ReferenceChoice {
  const SunDay* day = nullptr;
  bool forward = false;  // counted from the birth forward to the sunrise
  int missingDirection = 0;
};

ReferenceChoice ChooseReference(std::span<const SunDay> days, LocalDateTime birth,
                                LocalDateTime birthDate) {
  const SunDay* daylight = nullptr;  // the day whose sunrise and sunset hold the birth
  const SunDay* before = nullptr;    // the latest sunrise at or before the birth
  const SunDay* after = nullptr;     // the first sunrise after it
  for (const SunDay& d : days) {
    const auto& [rise, set] = d.events;
    if (!rise) continue;
    if (*rise <= birth) {
      if (!daylight && set && birth <= *set) daylight = &d;
      if (!before || *before->events[0] < *rise) before = &d;
    } else if (!after || *rise < *after->events[0]) {
      after = &d;
    }
  }
  if (daylight) return {daylight, false, 0};
  if (after && std::chrono::floor<std::chrono::days>(*after->events[0]) == birthDate) {
    if (before) return {before, false, 0};
    // The day before's sunrise falls on the birth date: the zone runs about
    // a day ahead of the place, and the sunrise before lies two days back.
    return {nullptr, false, after->reference == SunriseReference::PreviousSunrise ? -1 : 0};
  }
  if (after) return {after, true, 0};
  // The day after's sunrise is already past: the zone runs about a day
  // behind the place, and the next sunrise lies two days on.
  return {nullptr, false, before && before->reference == SunriseReference::NextSunrise ? +1 : 0};
}

// Sunrise and sunset of the birth day and of its neighbours, and the time
// since the reference sunrise. A sunset after midnight, or the events at a
// place whose zone lies far from its meridian, fall a day before or after
// the day asked for; where the zone is about a day away, the sunrise the
// rule needs can lie two days off the birth date: that day is computed too,
// for the reference only. A day without a sunrise or a sunset (beyond the
// polar circles) gives none and takes no part, so no reference is invented.
void SunriseReferences(const Birth& b, ChartOutput& out) {
  const LocalDateTime birthDate = MakeDateTime(b.local.year, b.local.month, b.local.day);
  out.day = SunriseAndSunset(SunriseInputFor(b, birthDate));
  out.previousDay = SunriseAndSunset(SunriseInputFor(b, birthDate - std::chrono::days{1}));
  out.nextDay = SunriseAndSunset(SunriseInputFor(b, birthDate + std::chrono::days{1}));

  const LocalDateTime birth = LocalMoment(b);
  std::array<SunDay, 4> days = {{{out.day, SunriseReference::DaySunrise},
                                 {out.previousDay, SunriseReference::PreviousSunrise},
                                 {out.nextDay, SunriseReference::NextSunrise},
                                 {}}};
  ReferenceChoice choice = ChooseReference(std::span(days).first(3), birth, birthDate);
  if (choice.missingDirection != 0) {
    const bool earlier = choice.missingDirection < 0;
    const SunEvents further =
        SunEventsOf(SunriseInputFor(b, birthDate + std::chrono::days{earlier ? -2 : 2}));
    days[3] = {{further.rise, further.set},
               earlier ? SunriseReference::PreviousSunrise : SunriseReference::NextSunrise};
    choice = ChooseReference(days, birth, birthDate);
  }
  if (!choice.day) return;
  const LocalDateTime sunrise = *choice.day->events[0];
  out.reference = choice.day->reference;
  out.referenceSunrise = sunrise;
  const Difference elapsed = choice.forward ? Between(birth, sunrise) : Between(sunrise, birth);
  out.ElapsedMinutes = elapsed.minutes;
  out.ElapsedSeconds = elapsed.seconds;
}

// The Sun at the reference sunrise, and the signs of the three points
// moving from it.
void MovingPoints(const Birth& b, ChartOutput& out) {
  if (!out.ElapsedMinutes || !out.referenceSunrise) return;
  const CivilTime riseClock = Split(*out.referenceSunrise);
  const SunAtMoment atSunrise = SunriseSunPosition(PlanetMomentOf(b, riseClock, out.time));
  out.SunriseSunLongitude = atSunrise.sunLongitudeDeg;
  out.sunriseSun = PositionOf(atSunrise.sunLongitudeDeg);
  for (std::size_t k = 0; k < kMovingPointDegPerMinute.size(); ++k) {
    const double point =
        MovingPointDeg(out.SunriseSunLongitude, kMovingPointDegPerMinute[k], *out.ElapsedMinutes);
    out.movingPointSigns[k] = PositionOf(point).sign;
  }
}

// One further point: the elapsed time in vighatis split into signs and an
// arc, counted from the Sun's sign, degree and minute at the reference
// sunrise as the chart shows them.
void VighatiPoint(ChartOutput& out) {
  if (!out.ElapsedSeconds || !out.referenceSunrise) return;
  out.arc = Vighati2Degree(VighatisOfSeconds(*out.ElapsedSeconds));
  const BodyPosition& sun = out.sunriseSun;
  out.vighatiSign = VighatiPointSign(sun.sign, sun.degrees, sun.minutes, out.arc);
}

}  // namespace

ChartOutput ComputeChart(const Birth& birth, const CalculationSettings& settings,
                         ChartScope scope) {
  ChartOutput out;
  out.settings = settings;
  out.birth = birth;
  BirthPass(out.birth, settings, out);
  const bool everything = scope == ChartScope::Everything;
  BodySigns signs{};
  BodyFlags retrograde{};
  for (std::size_t i = 0; i < out.bodies.size(); ++i) {
    signs[i] = out.bodies[i].sign;
    retrograde[i] = out.bodies[i].retrograde;
  }
  out.AscSignIndex = static_cast<std::int16_t>(std::max(signs[Asc], 0));
  out.houses = HouseCallsOf(signs, retrograde);
  if (everything) {
    SunriseReferences(out.birth, out);
    MovingPoints(out.birth, out);
  }
  out.induLagna = CountInduLagna(signs[Asc], signs[Moon], settings.induLagnaRule);
  // The Indu Lagna sign's row.
  if (out.induLagna) out.attributes = SignRowCopy(out.induLagna->sign);
  if (everything) VighatiPoint(out);
  return out;
}

}  // namespace orvanta
