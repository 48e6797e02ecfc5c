#include "chart/chart.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <utility>

#include "chart/birth_place.h"
#include "engine/planets.h"
#include "engine/retrograde.h"
#include "engine/sunrise.h"
#include "lagna/moving_points.h"
#include "tables/zones.h"

namespace orvanta {

namespace {

// Reads a list text into a 16-bit record field; a text without a value
// leaves the field as it was (the front ends offer only numbers).
void ReadField(std::string_view text, std::int16_t& field) {
  if (const auto v = PlainWholeNumber(text); v && *v <= 32767)
    field = static_cast<std::int16_t>(*v);
}

std::string ToText(int value) {
  return std::to_string(value);
}

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

BirthDetailTexts DetailTexts(const FormEntries& e, const BirthDetails& b, const ChartClock& clock) {
  BirthDetailTexts t;
  t.name = b.Name;
  t.dateOfBirth.append(MonthName(b.Month)).append("/").append(ToText(b.Day));
  t.dateOfBirth.append("/").append(ToText(b.Year));
  t.timeOfBirth.append(ToText(b.Hour)).append(":").append(ToText(b.Minute));
  t.latitude.append(ToText(b.LatDeg)).append("° ").append(ToText(b.LatMin)).append("'");
  t.latitude.append(e.north ? " N" : " S");
  t.longitude.append(ToText(b.LonDeg)).append("° ").append(ToText(b.LonMin)).append("'");
  t.longitude.append(e.east ? " E" : " W");
  t.city = e.city;
  t.state = e.state;
  t.country = e.country;
  t.timeZone = clock.text;
  return t;
}

}  // namespace

ValidationInput ValidationInputOf(const FormEntries& e) {
  ValidationInput in;
  in.name = e.name;
  in.lonDeg = e.lonDeg;
  in.lonMin = e.lonMin;
  in.latDeg = e.latDeg;
  in.latMin = e.latMin;
  in.year = e.yearText;
  in.monthIndex = e.monthIndex;
  // The day list holds 1..31 at positions 0..30.
  const auto day = PlainWholeNumber(e.dayText);
  in.dayIndex = day ? static_cast<int>(*day - 1) : -1;
  in.day = e.dayText;
  in.hour = e.hourText;
  in.minute = e.minuteText;
  in.second = e.secondText;
  return in;
}

namespace {

// The birth record from validated entries. With no zone selected the
// correction is zero (universal time).
void FillBirthRecord(const FormEntries& e, BirthDetails& b) {
  b.Name = e.name;
  const auto shift = e.exactOffsetMinutes ? ZoneShiftOf(ExactOffset{*e.exactOffsetMinutes})
                                          : ZoneShiftOf(e.zoneIndex);
  const std::int16_t shiftHours = shift ? shift->hours : std::int16_t{0};
  const std::int16_t shiftMinutes = shift ? shift->minutes : std::int16_t{0};
  // A list position whose month does not fit the 16-bit field (only a caller
  // outside the form can give one) leaves the field as it was.
  if (e.monthIndex >= INT16_MIN - 1 && e.monthIndex < INT16_MAX) {
    b.Month = static_cast<std::int16_t>(e.monthIndex + 1);
  }
  ReadField(e.dayText, b.Day);
  ReadField(e.yearText, b.Year);
  ReadField(e.hourText, b.Hour);
  ReadField(e.minuteText, b.Minute);
  b.ZoneShiftHours = shiftHours;
  b.ZoneShiftMinutes = shiftMinutes;
  b.ZoneHours = static_cast<std::int16_t>(std::abs(shiftHours));
  b.ZoneMinutes = static_cast<std::int16_t>(std::abs(shiftMinutes));
  b.ZoneName = e.zoneName;
  b.ZoneSummerTime = e.zoneDaylight;
  ReadField(e.lonDeg, b.LonDeg);
  ReadField(e.lonMin, b.LonMin);
  ReadField(e.latDeg, b.LatDeg);
  ReadField(e.latMin, b.LatMin);
  b.East = e.east;
  b.South = !e.north;
  b.Dst = e.dst;
  int seconds = 0;
  if (const auto s = PlainWholeNumber(e.secondText)) seconds = static_cast<int>(*s);
  b.BirthMoment = MakeDateTime(b.Year, b.Month, b.Day, b.Hour, b.Minute, seconds);
}

// The engine at the birth moment: ascendant, Moon, planets, retrograde marks.
// The ayanamsa chosen in the settings makes every sidereal longitude: the
// ascendant and the Moon here, the planets, Rahu, Ketu and the Sun at the
// reference sunrise through AyanCorr, which their moments carry.
void BirthPass(const BirthDetails& b, const CalculationSettings& settings, ChartOutput& out) {
  out.time = ComputeAscendant(b, settings.ayanamsa);
  out.moon = ComputeMoonPosition(b, settings.ayanamsa);
  PlanetMoment moment = PlanetMomentOf(b, out.time);
  moment.node = settings.node;
  const PlanetPositions planets = ComputePlanets(moment);
  const RetrogradeMarks retro = RetrogradeMarksAt(b.Month, b.Day, b.Year, b.Hour, b.Minute);
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
void SunriseReferences(const BirthDetails& b, ChartOutput& out) {
  const LocalDateTime birthDate = MakeDateTime(b.Year, b.Month, b.Day);
  out.day = SunriseAndSunset(SunriseInputFor(b, birthDate));
  out.previousDay = SunriseAndSunset(SunriseInputFor(b, birthDate - std::chrono::days{1}));
  out.nextDay = SunriseAndSunset(SunriseInputFor(b, birthDate + std::chrono::days{1}));

  const LocalDateTime birth = b.BirthMoment;
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
void MovingPoints(const BirthDetails& b, ChartOutput& out) {
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

ChartRun ComputeChart(Session& session, const FormEntries& e, ChartScope scope) {
  return ComputeChart(e, session.settings, scope);
}

ChartRun ComputeChart(const FormEntries& e, ChartScope scope) {
  return ComputeChart(e, CalculationSettings{}, scope);
}

BirthReading ReadBirth(const FormEntries& e) {
  BirthReading reading;
  reading.refusal = ValidateEntries(ValidationInputOf(e));
  if (!reading.refusal) FillBirthRecord(e, reading.birth);
  return reading;
}

ChartRun ComputeChart(const FormEntries& e, const CalculationSettings& settings, ChartScope scope) {
  ChartRun run;
  BirthReading reading = ReadBirth(e);
  if (reading.refusal) {
    run.refusal = reading.refusal;
    return run;
  }
  ChartOutput& out = run.chart;
  out.entries = e;
  out.settings = settings;
  out.birth = std::move(reading.birth);
  BirthPass(out.birth, settings, out);
  const bool everything = scope == ChartScope::Everything;
  if (everything) {
    out.clock = ChartClockOf(e, out.birth);
    out.details = DetailTexts(e, out.birth, out.clock);
  }
  BodySigns signs{};
  BodyFlags retrograde{};
  for (std::size_t i = 0; i < out.bodies.size(); ++i) {
    signs[i] = out.bodies[i].sign;
    retrograde[i] = out.bodies[i].retrograde;
  }
  out.AscSignIndex = static_cast<std::int16_t>(std::max(signs[Asc], 0));
  out.houses = RunHouseCalls(signs, retrograde);
  if (everything) {
    SunriseReferences(out.birth, out);
    MovingPoints(out.birth, out);
  }
  out.induLagna = CountInduLagna(signs[Asc], signs[Moon], settings.induLagnaRule);
  // The Indu Lagna sign's row.
  if (out.induLagna) out.attributes = SignRowCopy(out.induLagna->sign);
  if (everything) VighatiPoint(out);
  return run;
}

}  // namespace orvanta
