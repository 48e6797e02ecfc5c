#include "chart/chart.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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

Difference Absolute(Difference d) {
  return {std::llabs(d.minutes), std::llabs(d.seconds)};
}

// Sunrise and sunset of one day; an event that does not happen on that day
// stays empty.
RiseSetPair SunriseAndSunset(const SunriseInput& in) {
  const SunEvents events = SunRise_SunSet(in);
  return {events.rise, events.set};
}

BirthDetailTexts DetailTexts(const FormEntries& e, const BirthDetails& b) {
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
  const auto shift = e.exactOffsetMinutes ? Zone_Calculation(ExactOffset{*e.exactOffsetMinutes})
                                          : Zone_Calculation(e.zoneIndex);
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
void BirthPass(const BirthDetails& b, ChartOutput& out) {
  out.time = Time_Calculation(b);
  out.moon = Ephemeris_Calculation(b);
  const PlanetPositions planets = Planet_Calculation(PlanetMomentOf(b, out.time));
  const RetrogradeMarks retro = Retrograde_Marking(b.Month, b.Day, b.Year, b.Hour, b.Minute);
  out.RetroFlag = retro.RetroFlag;
  out.ChartLabel = retro.ChartLabel;
  out.bodies = BodyPositionsOf(out.time, out.moon, planets, out.RetroFlag);
  out.PositionText = PositionTextsOf(out.bodies);
}

// Bodies into the fixed-sign cells: an empty first line, then one body per line.
void PlaceBodies(ChartOutput& out) {
  for (int i = 0; i < kBodyCount; ++i) {
    const int sign = out.bodies[static_cast<std::size_t>(i)].sign;
    if (sign < 0) continue;
    std::string& cell = out.signCells[static_cast<std::size_t>(sign)];
    cell += kCrLf;
    cell += out.ChartLabel[static_cast<std::size_t>(i)];
  }
}

// Sunrise and sunset of the birth day and of its neighbours, and the time
// since the reference sunrise. The three cases are tested one after the
// other: where the day's sunset falls before its sunrise on the clock a later
// case that holds overrides an earlier one. A day without a sunrise or a
// sunset (beyond the polar circles) takes no part, so no reference is
// invented.
void SunriseReferences(const BirthDetails& b, ChartOutput& out) {
  const LocalDateTime birthDate = MakeDateTime(b.Year, b.Month, b.Day);
  out.day = SunriseAndSunset(SunriseInputFor(b, birthDate));
  out.previousDay = SunriseAndSunset(SunriseInputFor(b, birthDate - std::chrono::days{1}));
  out.nextDay = SunriseAndSunset(SunriseInputFor(b, birthDate + std::chrono::days{1}));

  const LocalDateTime birth = b.BirthMoment;
  const auto& [dayRise, daySet] = out.day;
  std::optional<Difference> elapsed;
  if (dayRise && daySet && *dayRise <= birth && birth <= *daySet) {
    out.reference = SunriseReference::DaySunrise;
    out.referenceSunrise = dayRise;
    elapsed = Absolute(Between(*dayRise, birth));
  }
  if (dayRise && birth < *dayRise && out.previousDay[0]) {
    out.reference = SunriseReference::PreviousSunrise;
    out.referenceSunrise = out.previousDay[0];
    elapsed = Absolute(Between(*out.previousDay[0], birth));
  }
  if (daySet && birth > *daySet && out.nextDay[0]) {
    out.reference = SunriseReference::NextSunrise;
    out.referenceSunrise = out.nextDay[0];
    elapsed = Between(birth, *out.nextDay[0]);
  }
  if (elapsed && out.referenceSunrise) {
    out.ElapsedMinutes = elapsed->minutes;
    out.ElapsedSeconds = elapsed->seconds;
  }
}

// The Sun at the reference sunrise, and the three points moving from it;
// each adds an empty line to its sign's mark.
void MovingPoints(const BirthDetails& b, ChartOutput& out) {
  if (!out.ElapsedMinutes || !out.referenceSunrise) return;
  const CivilTime riseClock = Split(*out.referenceSunrise);
  const SunAtMoment atSunrise = SunriseSunPosition(PlanetMomentOf(b, riseClock, out.time));
  out.SunriseSunLongitude = atSunrise.sunLongitudeDeg;
  out.sunriseSun = PositionOf(atSunrise.sunLongitudeDeg);
  for (const double degPerMinute : kMovingPointDegPerMinute) {
    const double point = MovingPointDeg(out.SunriseSunLongitude, degPerMinute, *out.ElapsedMinutes);
    AppendMark(out.marks, PositionOf(point).sign, "");
  }
}

// One further point: the elapsed time in vighatis split into signs and an
// arc, counted from the Sun's sign, degree and minute at the reference
// sunrise as the chart shows them. It adds an empty line after "IL", so "IL"
// stays the last line with text in its label.
void VighatiPoint(ChartOutput& out) {
  if (!out.ElapsedSeconds || !out.referenceSunrise) return;
  out.arc = Vighati2Degree(VighatisOfSeconds(*out.ElapsedSeconds));
  const BodyPosition& sun = out.sunriseSun;
  if (const auto sign = VighatiPointSign(sun.sign, sun.degrees, sun.minutes, out.arc)) {
    AppendMark(out.marks, *sign, "");
  }
}

}  // namespace

ChartRun Run_Chart(Session& /*session*/, const FormEntries& e, ChartScope scope) {
  return ComputeChart(e, scope);
}

ChartRun ComputeChart(const FormEntries& e, ChartScope scope) {
  ChartRun run;
  if (auto refusal = Validate_Input(ValidationInputOf(e))) {
    run.refusal = refusal;
    return run;
  }
  ChartOutput& out = run.chart;
  FillBirthRecord(e, out.birth);
  BirthPass(out.birth, out);
  const bool everything = scope == ChartScope::Everything;
  if (everything) out.details = DetailTexts(e, out.birth);
  PlaceBodies(out);
  BodySigns signs{};
  BodyFlags retrograde{};
  for (std::size_t i = 0; i < out.bodies.size(); ++i) {
    signs[i] = out.bodies[i].sign;
    retrograde[i] = out.bodies[i].retrograde;
  }
  out.AscSignIndex = static_cast<std::int16_t>(std::max(signs[Asc], 0));
  out.houses = RunHouseCalls(signs, retrograde, out.marks);
  if (everything) {
    SunriseReferences(out.birth, out);
    MovingPoints(out.birth, out);
  }
  out.induLagna = CountInduLagna(signs[Asc], signs[Moon], InduLagnaRule::FromAscendantVenus10);
  if (out.induLagna) {
    AppendMark(out.marks, out.induLagna->sign, kInduLagnaMark);
    // The Indu Lagna sign's row.
    out.attributes = SignRowCopy(out.induLagna->sign);
  }
  if (everything) VighatiPoint(out);
  return run;
}

}  // namespace orvanta
