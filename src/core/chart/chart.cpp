#include "chart/chart.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/planets.h"
#include "engine/retrograde.h"
#include "engine/sunrise.h"
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

// One sunrise call: the events it could compute overwrite the session's
// values, the others keep what an earlier call left there.
RiseSetPair SunriseAndSunset(Session& session, const SunriseInput& in) {
  const SunEvents events = SunRise_SunSet(in);
  if (events.rise) session.riseSetTime[0] = events.rise;
  if (events.set) session.riseSetTime[1] = events.set;
  return session.riseSetTime;
}

PlanetMoment MomentOf(const CivilTime& local, const BirthDetails& b, const TimeQuantities& time,
                      const MoonPosition& moon) {
  PlanetMoment m;
  m.year = local.year;
  m.month = local.month;
  m.day = local.day;
  m.hour = local.hour;
  m.minute = local.minute;
  m.zoneShiftHours = b.ZoneShiftHours;
  m.zoneShiftMinutes = b.ZoneShiftMinutes;
  m.ayanCorr = time.AyanCorr;
  m.moonText = moon.MoonText;
  m.ascendantText = time.AscendantText;
  return m;
}

// Adds an empty mark to the sign that characters 4 to 6 of a chart position
// text name; a text that names no sign places nothing.
void MarkPositionSign(SignCaptions& marks, std::string_view positionText) {
  const int sign = SignIndexOfPosition(positionText);
  if (sign >= 0) AppendMark(marks, sign, "");
}

BirthDetailTexts DetailTexts(const FormEntries& e, const BirthDetails& b) {
  BirthDetailTexts t;
  t.name = b.Name;
  t.dateOfBirth = std::string(MonthName(b.Month)) + "/" + ToText(b.Day) + "/" + ToText(b.Year);
  t.timeOfBirth = ToText(b.Hour) + ":" + ToText(b.Minute);
  t.latitude = ToText(b.LatDeg) + "° " + ToText(b.LatMin) + "'" + (e.north ? " N" : " S");
  t.longitude = ToText(b.LonDeg) + "° " + ToText(b.LonMin) + "'" + (e.east ? " E" : " W");
  t.city = e.city;
  t.state = e.state;
  t.country = e.country;
  return t;
}

}  // namespace

SunriseInput SunriseInputFor(const BirthDetails& b, LocalDateTime date) {
  const CivilTime c = Split(date);
  SunriseInput in;
  in.month = c.month;
  in.day = c.day;
  in.year = c.year;
  in.hour = b.Hour;
  in.minute = b.Minute;
  in.latDeg = b.LatDeg;
  in.latMin = b.LatMin;
  in.south = b.South;
  in.lonDeg = b.LonDeg;
  in.lonMin = b.LonMin;
  in.east = b.East;
  in.zoneShiftHours = b.ZoneShiftHours;
  in.zoneShiftMinutes = b.ZoneShiftMinutes;
  in.dst = b.Dst;
  return in;
}

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
  return in;
}

ChartRun Run_Chart(Session& session, const FormEntries& e) {
  ChartRun run;
  if (auto refusal = Validate_Input(ValidationInputOf(e))) {
    run.refusal = refusal;
    return run;
  }
  ChartOutput& out = run.chart;
  BirthDetails& b = out.birth;

  // Name and zone: no selection keeps the previous correction.
  b.Name = e.name;
  const auto shift = e.exactOffsetMinutes ? Zone_Calculation(ExactOffset{*e.exactOffsetMinutes})
                                          : Zone_Calculation(e.zoneIndex);
  if (shift) {
    session.ZoneShiftHours = shift->hours;
    session.ZoneShiftMinutes = shift->minutes;
  }

  // The birth record.
  // A list position whose month does not fit the 16-bit field (only a caller
  // outside the form can give one) leaves the field as it was.
  if (e.monthIndex >= INT16_MIN - 1 && e.monthIndex < INT16_MAX) {
    b.Month = static_cast<std::int16_t>(e.monthIndex + 1);
  }
  ReadField(e.dayText, b.Day);
  ReadField(e.yearText, b.Year);
  ReadField(e.hourText, b.Hour);
  ReadField(e.minuteText, b.Minute);
  b.ZoneShiftHours = session.ZoneShiftHours;
  b.ZoneShiftMinutes = session.ZoneShiftMinutes;
  b.ZoneHours = static_cast<std::int16_t>(std::abs(session.ZoneShiftHours));
  b.ZoneMinutes = static_cast<std::int16_t>(std::abs(session.ZoneShiftMinutes));
  ReadField(e.lonDeg, b.LonDeg);
  ReadField(e.lonMin, b.LonMin);
  ReadField(e.latDeg, b.LatDeg);
  ReadField(e.latMin, b.LatMin);
  b.East = e.east;
  b.South = !e.north;
  b.Dst = e.dst;

  // Engine, birth pass.
  out.time = Time_Calculation(b);
  out.moon = Ephemeris_Calculation(b);
  const CivilTime birthClock{b.Year, b.Month, b.Day, b.Hour, b.Minute, 0};
  out.PositionText = Planet_Calculation(MomentOf(birthClock, b, out.time, out.moon)).PositionText;
  const RetrogradeMarks retro = Retrograde_Marking(b.Month, b.Day, b.Year, b.Hour, b.Minute);
  out.RetroFlag = retro.RetroFlag;
  out.ChartLabel = retro.ChartLabel;

  // Result texts: birth details; the sign cells and marks start empty.
  out.details = DetailTexts(e, b);

  // Indu Lagna state of this computation.
  session.lagna.HouseCount = 0;
  session.lagna.FirstLordSign = 0;
  session.lagna.LagnaSign = 0;
  out.SunriseSunLongitude = 0;

  // Bodies into the fixed-sign cells: an empty first line, then one body per line.
  for (int i = 0; i < kBodyCount; ++i) {
    const int sign = SignIndexOfPosition(out.PositionText[static_cast<std::size_t>(i)]);
    if (sign < 0) continue;
    std::string& cell = out.signCells[static_cast<std::size_t>(sign)];
    cell += kCrLf;
    cell += out.ChartLabel[static_cast<std::size_t>(i)];
  }

  // The twelve house calls in house order from the ascendant's sign. A text
  // that names no sign leaves the index at 0 and the houses run from Taurus
  // to Pisces only.
  out.AscSignIndex = static_cast<std::int16_t>(
      RunHouseCalls(session.lagna, out.PositionText, out.ChartLabel, out.marks));

  // Text forms of the date.
  b.MonthName = std::string(MonthName(b.Month));
  b.DayText = std::string(TrimBlanks(e.dayText));
  b.YearText = std::string(TrimBlanks(e.yearText));
  b.HourText = e.hourText;
  b.MinuteText = e.minuteText;
  b.SecondText = e.secondText;
  b.DateText = b.MonthName + " " + ToText(b.Day) + "," + ToText(b.Year);

  // Sunrise and sunset of the birth day and of its neighbours.
  const LocalDateTime birthDate = MakeDateTime(b.Year, b.Month, b.Day);
  out.day = SunriseAndSunset(session, SunriseInputFor(b, birthDate));
  out.previousDay = SunriseAndSunset(session, SunriseInputFor(b, birthDate - std::chrono::days{1}));
  out.nextDay = SunriseAndSunset(session, SunriseInputFor(b, birthDate + std::chrono::days{1}));

  // Time since the reference sunrise. The three cases are tested one after
  // the other: where the day's sunset falls before its sunrise on the clock a
  // later case that holds overrides an earlier one. A sunrise that was never
  // computed (the sun has not risen at this place in this session) takes no
  // part, so no reference is invented.
  int seconds = 0;
  if (const auto s = PlainWholeNumber(e.secondText)) seconds = static_cast<int>(*s);
  b.BirthMoment = MakeDateTime(b.Year, b.Month, b.Day, b.Hour, b.Minute, seconds);
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

    // Engine, sunrise pass: the Sun at the reference sunrise.
    const CivilTime riseClock = Split(*out.referenceSunrise);
    const SunAtMoment atSunrise = SunriseSunPosition(MomentOf(riseClock, b, out.time, out.moon));
    out.SunriseSunLongitude = atSunrise.sunLongitudeDeg;
    out.SunriseSunText = atSunrise.sunText;

    // Points moving from the sunrise Sun at 1.25, 0.5 and 0.25 degrees per
    // minute of elapsed time; they add an empty line to their sign's mark.
    for (const double degPerMinute : {1.25, 0.5, 0.25}) {
      double point =
          out.SunriseSunLongitude + degPerMinute * static_cast<double>(out.ElapsedMinutes.value());
      while (point > 360) point = point - 360;
      MarkPositionSign(out.marks, Format_Position(Degree2Dms(point)));
    }
  }

  // The Indu Lagna and its mark.
  InduLagnaFinish(session.lagna, out.marks);

  // One further point: the elapsed time in vighatis split into signs and an
  // arc, counted from the Sun's sign and degree at the reference sunrise (as
  // its chart text gives them). It adds an empty line after "IL", so "IL"
  // stays the last line with text in its label.
  if (out.ElapsedSeconds && out.referenceSunrise) {
    out.arc = Vighati2Degree(static_cast<double>(*out.ElapsedSeconds) / 3600 * 150 / 15);
    const int sunSign = SignIndexOfPosition(out.SunriseSunText);
    const auto deg = PlainWholeNumber(std::string_view(out.SunriseSunText).substr(0, 2));
    const auto min = out.SunriseSunText.size() >= 9
                         ? PlainWholeNumber(std::string_view(out.SunriseSunText).substr(7))
                         : std::nullopt;
    if (sunSign >= 0 && deg && min) {
      double point = sunSign * 30.0 + *deg + *min / 60.0;
      point += out.arc.ArcSigns * 30 + out.arc.ArcDegrees + out.arc.ArcMinutes / 60 +
               out.arc.ArcSeconds / 3600;
      while (point >= 360) point -= 360;
      AppendMark(out.marks, static_cast<int>(point / 30), "");
    }
  }

  // The Indu Lagna sign's row, when the index lies within the tables.
  out.lagna = session.lagna;
  out.attributes = SignRowCopy(session.lagna.InduLagnaIndex);
  return run;
}

}  // namespace orvanta
