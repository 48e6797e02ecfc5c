// One chart end to end: the driver's order of steps, what it keeps between
// computations, and the texts it hands to the result window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "chart/chart_text.h"
#include "chart/dasha_chart.h"
#include "chart/legacy_record.h"
#include "engine/planets.h"
#include "io/birth_entries.h"
#include "support/random_births.h"
#include "support/reference_births.h"

namespace orvanta {
namespace {

constexpr int kEasternStandardTime = 27;
constexpr int kAustralianCentralDaylight = 5;
constexpr int kGreenwichMeanTime = 29;

// New Delhi, 15 June 1980, 10:30 IST: the project's reference birth.
TEST(RunChart, RefusedEntriesChangeNothing) {
  ASSERT_FALSE(ComputeChart(reference::DelhiBirth()).refusal);

  FormEntries bad = reference::DelhiBirth();
  bad.name = "   ";
  bad.latDeg = "95";
  bad.zoneIndex = kEasternStandardTime;
  const ChartRun run = ComputeChart(bad);
  ASSERT_TRUE(run.refusal);
  // The checks run in order: only the name is reported.
  EXPECT_EQ(run.refusal->message, "Please Enter Name");
}

TEST(RunChart, ZoneReachesTheRecordAsMagnitudeAndSignedShift) {
  FormEntries e = reference::DelhiBirth();
  e.zoneIndex = kAustralianCentralDaylight;  // shift -10 h -30 min
  const ChartRun run = ComputeChart(e);
  ASSERT_FALSE(run.refusal);
  EXPECT_EQ(run.chart.birth.clock.offsetSeconds, 10 * 3600 + 30 * 60);
  EXPECT_EQ(LegacyZoneShift(run.chart.birth.clock).hours, -10);
  EXPECT_EQ(LegacyZoneShift(run.chart.birth.clock).minutes, -30);
  EXPECT_EQ(run.chart.birth.clock.zoneRow, std::optional<int>(kAustralianCentralDaylight));
  EXPECT_TRUE(run.chart.birth.clock.summerTime);

  // The reference birth read once as numbers: what the engine starts from.
  const BirthReading reading = ReadBirth(reference::DelhiBirth());
  ASSERT_FALSE(reading.refusal);
  const Birth& b = reading.birth;
  EXPECT_EQ(LocalMoment(b), MakeDateTime(1980, 6, 15, 10, 30));
  EXPECT_DOUBLE_EQ(LatitudeDeg(b.position), 28.6);
  EXPECT_DOUBLE_EQ(LongitudeDeg(b.position), 77.2);
  EXPECT_EQ(b.clock.offsetSeconds, 330 * 60);
  EXPECT_EQ(b.clock.source, ClockSource::ZoneRow);
}

// No zone selected is no correction, whatever zone the chart before had.
TEST(RunChart, NoZoneSelectedMeansNoCorrection) {
  ASSERT_FALSE(ComputeChart(reference::DelhiBirth()).refusal);
  FormEntries e = reference::DelhiBirth();
  e.zoneIndex = -1;
  const ChartRun run = ComputeChart(e);
  ASSERT_FALSE(run.refusal);
  EXPECT_EQ(run.chart.birth.clock.offsetSeconds, 0);
  EXPECT_FALSE(run.chart.birth.clock.zoneRow);
  e.zoneIndex = kGreenwichMeanTime;
  EXPECT_EQ(LegacyCaptionsOf(run.chart).positionText,
            LegacyCaptionsOf(ComputeChart(e).chart).positionText);
}

TEST(RunChart, DelhiBirthMeasuresFromTheDaysSunrise) {
  // Sunrise 05:23 and sunset 19:20 that day (almanac example); 10:30:00 is
  // 5 h 7 min after sunrise: 307 minutes, 18420 seconds.
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  const ChartOutput& c = run.chart;
  ASSERT_TRUE(c.day[0] && c.day[1]);
  EXPECT_EQ(FormatIsoMinute(*c.day[0]), "1980-06-15 05:23");
  EXPECT_EQ(FormatIsoMinute(*c.day[1]), "1980-06-15 19:20");
  ASSERT_TRUE(c.previousDay[0] && c.nextDay[0]);
  EXPECT_EQ(FormatIsoMinute(*c.previousDay[0]).substr(0, 10), "1980-06-14");
  EXPECT_EQ(FormatIsoMinute(*c.nextDay[0]).substr(0, 10), "1980-06-16");
  EXPECT_EQ(c.reference, SunriseReference::DaySunrise);
  EXPECT_EQ(c.ElapsedMinutes, 307);
  EXPECT_EQ(c.ElapsedSeconds, 18420);
  EXPECT_EQ(BirthDetailTextsOf(c.birth).dateOfBirth, "June/15/1980");
  EXPECT_EQ(BirthDetailTextsOf(c.birth).timeOfBirth, "10:30");
  EXPECT_EQ(BirthDetailTextsOf(c.birth).latitude, "28° 36' N");
  EXPECT_EQ(BirthDetailTextsOf(c.birth).longitude, "77° 12' E");
  EXPECT_EQ(BirthDetailTextsOf(c.birth).city, "New Delhi");
  // The Sun of 15 June 1980 stands in sidereal Gemini (about 30° 28').
  EXPECT_EQ(LegacyCaptionsOf(c).positionText[Sun].substr(3, 3), "Gem");
}

TEST(RunChart, SunriseReferenceFollowsTheBirthTime) {
  struct Row {
    const char* name;
    const char* hour;
    const char* minute;
    SunriseReference reference;
  };
  // Delhi, 15 June 1980: sunrise 05:23, sunset 19:20.
  const Row rows[] = {
      {"before sunrise: the previous day's sunrise", "4", "0", SunriseReference::PreviousSunrise},
      {"at sunrise", "5", "23", SunriseReference::DaySunrise},
      {"at sunset", "19", "20", SunriseReference::DaySunrise},
      {"after sunset: the next sunrise", "21", "0", SunriseReference::NextSunrise},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FormEntries e = reference::DelhiBirth();
    e.hourText = row.hour;
    e.minuteText = row.minute;
    const ChartRun run = ComputeChart(e);
    ASSERT_FALSE(run.refusal);
    const ChartOutput& c = run.chart;
    EXPECT_EQ(c.reference, row.reference);
    ASSERT_TRUE(c.referenceSunrise && c.ElapsedMinutes && c.ElapsedSeconds);
    const long long seconds =
        std::chrono::duration_cast<std::chrono::seconds>(*c.referenceSunrise - LocalMoment(c.birth))
            .count();
    if (row.reference == SunriseReference::NextSunrise) {
      // Counted forward from the birth to the next sunrise.
      EXPECT_EQ(*c.ElapsedSeconds, seconds);
      EXPECT_GT(*c.ElapsedSeconds, 0);
    } else {
      EXPECT_EQ(*c.ElapsedSeconds, std::llabs(seconds));
    }
    EXPECT_EQ(*c.ElapsedMinutes, *c.ElapsedSeconds / 60);
  }
}

TEST(RunChart, SecondsChangeOnlyTheElapsedTime) {
  FormEntries e = reference::DelhiBirth();
  const ChartRun whole = ComputeChart(e);
  e.secondText = "59";
  const ChartRun late = ComputeChart(e);
  ASSERT_FALSE(whole.refusal || late.refusal);
  EXPECT_EQ(LegacyCaptionsOf(whole.chart).positionText, LegacyCaptionsOf(late.chart).positionText);
  EXPECT_EQ(LegacyCaptionsOf(whole.chart).chartLabel, LegacyCaptionsOf(late.chart).chartLabel);
  EXPECT_EQ(LegacyCaptionsOf(whole.chart).signCells, LegacyCaptionsOf(late.chart).signCells);
  EXPECT_EQ(*late.chart.ElapsedSeconds - *whole.chart.ElapsedSeconds, 59);
}

TEST(RunChart, SunAndMoonInOneSignShareACell) {
  // New moon of 6 January 2000 (18:14 UT): the Sun and the Moon stand in one sign.
  FormEntries e = reference::DelhiBirth();
  e.monthIndex = 0;
  e.dayText = "6";
  e.yearText = "2000";
  e.hourText = "18";
  e.minuteText = "14";
  e.zoneIndex = 29;  // Greenwich Mean Time
  const ChartRun run = ComputeChart(e);
  ASSERT_FALSE(run.refusal);
  const int sign = run.chart.bodies[Sun].sign;
  ASSERT_EQ(sign, run.chart.bodies[Moon].sign);
  EXPECT_EQ(LegacyCaptionsOf(run.chart).signCells[static_cast<std::size_t>(sign)].rfind(
                "\r\nSun\r\nMoon", 0),
            0u)
      << LegacyCaptionsOf(run.chart).signCells[static_cast<std::size_t>(sign)];
}

TEST(RunChart, SouthernLatitudeShowsMinutesWithoutLeadingZero) {
  FormEntries e = reference::DelhiBirth();
  e.latDeg = "28";
  e.latMin = "5";
  e.north = false;
  e.lonMin = "07";
  e.east = false;
  const ChartRun run = ComputeChart(e);
  ASSERT_FALSE(run.refusal);
  EXPECT_EQ(BirthDetailTextsOf(run.chart.birth).latitude, "28° 5' S");
  EXPECT_EQ(BirthDetailTextsOf(run.chart.birth).longitude, "77° 7' W");
}

TEST(RunChart, SecondComputationLeavesNothingOfTheFirst) {
  FormEntries first = reference::DelhiBirth();
  FormEntries second = reference::DelhiBirth();
  second.yearText = "1999";
  second.monthIndex = 10;
  second.hourText = "23";

  ASSERT_FALSE(ComputeChart(first).refusal);
  const ChartRun again = ComputeChart(second);
  const ChartRun alone = ComputeChart(second);
  ASSERT_FALSE(again.refusal || alone.refusal);
  EXPECT_EQ(LegacyCaptionsOf(again.chart).signCells, LegacyCaptionsOf(alone.chart).signCells);
  EXPECT_EQ(LegacyCaptionsOf(again.chart).marks, LegacyCaptionsOf(alone.chart).marks);
  EXPECT_EQ(LegacyCaptionsOf(again.chart).chartLabel, LegacyCaptionsOf(alone.chart).chartLabel);
  ASSERT_TRUE(again.chart.induLagna && alone.chart.induLagna);
  EXPECT_EQ(again.chart.induLagna->sign, alone.chart.induLagna->sign);

  // The same entries twice give the same result.
  const ChartRun repeat = ComputeChart(second);
  EXPECT_EQ(LegacyCaptionsOf(repeat.chart).signCells, LegacyCaptionsOf(again.chart).signCells);
  EXPECT_EQ(LegacyCaptionsOf(repeat.chart).marks, LegacyCaptionsOf(again.chart).marks);
}

TEST(RunChart, MonthPositionOutsideTheListDoesNotOverflow) {
  // Found by fuzzing: a month position of INT_MAX overflowed when one was
  // added to it. Positions whose month does not fit the 16-bit field leave
  // the field at its start value (January); positions that fit it are kept
  // as given and the chart is still made (the date arithmetic rolls over).
  struct Row {
    const char* label;
    int monthIndex;
    std::int16_t month;
  };
  const Row rows[] = {
      {"largest int", std::numeric_limits<int>::max(), 1},
      {"smallest int", std::numeric_limits<int>::min(), 1},
      {"just above the field", 32767, 1},
      {"largest that fits", 32766, 32767},
      {"no selection", -1, 0},
      {"one past December", 12, 13},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    FormEntries e = reference::DelhiBirth();
    e.monthIndex = row.monthIndex;
    const ChartRun run = ComputeChart(e);
    ASSERT_FALSE(run.refusal);
    EXPECT_EQ(run.chart.birth.local.month, row.month);
  }
}

// A birth given as numbers: date, clock time with seconds, place in degrees
// and minutes with hemispheres, zone list position and the tick.
struct SkyBirth {
  int year, month, day, hour, minute, second;
  int latDeg, latMin;
  bool north;
  int lonDeg, lonMin;
  bool east;
  int zoneIndex;
  bool dst;
};

FormEntries EntriesOf(const SkyBirth& s) {
  FormEntries e = reference::DelhiBirth();
  e.monthIndex = s.month - 1;
  e.dayText = std::to_string(s.day);
  e.yearText = std::to_string(s.year);
  e.hourText = std::to_string(s.hour);
  e.minuteText = std::to_string(s.minute);
  e.secondText = std::to_string(s.second);
  e.latDeg = std::to_string(s.latDeg);
  e.latMin = std::to_string(s.latMin);
  e.north = s.north;
  e.lonDeg = std::to_string(s.lonDeg);
  e.lonMin = std::to_string(s.lonMin);
  e.east = s.east;
  e.zoneIndex = s.zoneIndex;
  e.daylightTick = s.dst;
  return e;
}

// Charts checked against the real sky (a modern ephemeris, Lahiri ayanamsa),
// each one a place where the chart once went plainly wrong.
TEST(RunChart, SkyTrueExamples) {
  // London, 13 January 1950, 12:00 GMT: the Sun stood at 29° 36' sidereal
  // Sagittarius and entered Capricorn the next day. Without the precession
  // from J2000 to the date the chart showed "00 Cap 17".
  {
    SCOPED_TRACE("London 1950: the Sun in Sagittarius");
    const ChartRun run = ComputeChart(
        EntriesOf({1950, 1, 13, 12, 0, 0, 51, 30, true, 0, 7, false, kGreenwichMeanTime, false}));
    ASSERT_FALSE(run.refusal);
    EXPECT_EQ(LegacyCaptionsOf(run.chart).positionText[Sun], "29 Sag 35");
  }
  // "YSSG": 52°55' S 139°21' W on Eastern Standard Time. The clock runs
  // four hours ahead of the place, and the sunset falls after midnight: on
  // 8 February 1917 at 00:02 of the 9th (ephemeris 00:00:03). A birth at
  // 23:30 on the 8th is still in daylight and counts from that day's sunrise
  // (09:01; ephemeris 09:02:14): 14 h 29 min. Dated on the 8th, the sunset
  // lay before the birth, which then counted to the next sunrise instead.
  {
    SCOPED_TRACE("sunset after midnight on the next date");
    const ChartRun run = ComputeChart(EntriesOf(
        {1917, 2, 8, 23, 30, 0, 52, 55, false, 139, 21, false, kEasternStandardTime, false}));
    ASSERT_FALSE(run.refusal);
    const ChartOutput& c = run.chart;
    ASSERT_TRUE(c.day[0] && c.day[1] && c.ElapsedMinutes);
    EXPECT_EQ(FormatIsoMinute(*c.day[0]), "1917-02-08 09:01");
    EXPECT_EQ(FormatIsoMinute(*c.day[1]), "1917-02-09 00:02");
    EXPECT_EQ(c.reference, SunriseReference::DaySunrise);
    EXPECT_EQ(*c.ElapsedMinutes, 14 * 60 + 29);
  }
  // The same place at 01:18:14 on 9 February: the sunset of the 9th rounds
  // to 24:00, 00:00 of the 10th (ephemeris 23:58:07 on the 9th). The birth
  // lies in the night before the day's sunrise (09:03) and counts from the
  // previous one (09:01 on the 8th): 16 h 17 min.
  {
    SCOPED_TRACE("sunset at 24:00 is midnight of the next date");
    const ChartRun run = ComputeChart(EntriesOf(
        {1917, 2, 9, 1, 18, 14, 52, 55, false, 139, 21, false, kEasternStandardTime, false}));
    ASSERT_FALSE(run.refusal);
    const ChartOutput& c = run.chart;
    ASSERT_TRUE(c.day[0] && c.day[1] && c.ElapsedMinutes);
    EXPECT_EQ(FormatIsoMinute(*c.day[1]), "1917-02-10 00:00");
    EXPECT_EQ(c.reference, SunriseReference::PreviousSunrise);
    EXPECT_EQ(*c.ElapsedMinutes, 16 * 60 + 17);
  }
  // Zones a day away from the place's meridian, across the date line: the
  // events of the day asked for happen a clock day later or earlier, and a
  // birth at noon counts from the sunrise of its own morning.
  struct FarZoneRow {
    const char* name;
    SkyBirth birth;
    const char* sunrise;  // the reference sunrise
    long long elapsedMinutes;
  };
  const FarZoneRow farZones[] = {
      // Apia, 13°50' S 171°46' W, on +13: the sunrise of 15 January at 06:10
      // belongs to the 14th at that longitude (ephemeris 06:10:22).
      {"Apia on +13, noon",
       {2015, 1, 15, 12, 0, 0, 13, 50, false, 171, 46, false, 46, false},
       "2015-01-15 06:10",
       5 * 60 + 50},
      // 8°31' S 179°12' E on -11: the sunrise of 15 March at 07:08 belongs
      // to the 16th at that longitude (ephemeris 07:07:31).
      {"179 E on -11, noon",
       {2000, 3, 15, 12, 0, 0, 8, 31, false, 179, 12, true, 51, false},
       "2000-03-15 07:08",
       4 * 60 + 52},
      // Apia at 03:00: back to 06:09 on the 14th (ephemeris 06:09:48).
      {"Apia on +13, small hours",
       {2015, 1, 15, 3, 0, 0, 13, 50, false, 171, 46, false, 46, false},
       "2015-01-14 06:09",
       20 * 60 + 51},
      // 179° E at 21:00: forward to 07:08 on the 16th (ephemeris 07:07:28).
      {"179 E on -11, evening",
       {2000, 3, 15, 21, 0, 0, 8, 31, false, 179, 12, true, 51, false},
       "2000-03-16 07:08",
       10 * 60 + 8},
  };
  for (const FarZoneRow& row : farZones) {
    SCOPED_TRACE(row.name);
    const ChartRun run = ComputeChart(EntriesOf(row.birth));
    ASSERT_FALSE(run.refusal);
    ASSERT_TRUE(run.chart.referenceSunrise && run.chart.ElapsedMinutes);
    EXPECT_EQ(FormatIsoMinute(*run.chart.referenceSunrise), row.sunrise);
    EXPECT_EQ(*run.chart.ElapsedMinutes, row.elapsedMinutes);
  }
  // New York, Sunday 1 April 2001, daylight-saving box ticked: the clock
  // runs one hour ahead all that day whatever the birth time, so a birth at
  // 01:00 sees the same sunrise and sunset as one at 03:00.
  struct ClockRow {
    const char* name;
    int hour;
  };
  for (const ClockRow& row : {ClockRow{"New York 1 April 2001, tick, birth at 01:00", 1},
                              ClockRow{"New York 1 April 2001, tick, birth at 03:00", 3}}) {
    SCOPED_TRACE(row.name);
    const int hour = row.hour;
    const ChartRun run = ComputeChart(EntriesOf(
        {2001, 4, 1, hour, 0, 0, 40, 43, true, 74, 0, false, kEasternStandardTime, true}));
    ASSERT_FALSE(run.refusal);
    ASSERT_TRUE(run.chart.day[0] && run.chart.day[1]);
    EXPECT_EQ(FormatIsoMinute(*run.chart.day[0]), "2001-04-01 06:42");
    EXPECT_EQ(FormatIsoMinute(*run.chart.day[1]), "2001-04-01 19:19");
  }
}

// A birth entered on a zone's standard row with the daylight-saving tick is
// the same moment as one entered on its daylight row without it: every
// position, the Sun at the reference sunrise, the sunrise and sunset, the
// elapsed time and the marks agree exactly. The rows with their places,
// north and south, each at three clock times (night, afternoon, evening).
TEST(RunChart, TickAndDaylightRowGiveOneChart) {
  struct PairRow {
    const char* name;
    int standardRow, daylightRow;
    SkyBirth birth;  // zone and tick are set from the pair
  };
  const PairRow pairs[] = {
      {"New York EST/EDT", 27, 24, {1990, 7, 4, 14, 25, 0, 40, 43, true, 74, 0, false, 0, false}},
      {"Chicago CST/CDT", 21, 18, {1975, 8, 19, 6, 5, 30, 41, 52, true, 87, 38, false, 0, false}},
      {"Los Angeles PST/PDT",
       54,
       53,
       {2004, 5, 2, 9, 41, 0, 34, 3, true, 118, 15, false, 0, false}},
      {"Honolulu HST/HDT", 32, 31, {1944, 6, 1, 3, 10, 0, 21, 18, true, 157, 51, false, 0, false}},
      {"London GMT/BST", 29, 16, {1969, 3, 30, 11, 0, 0, 51, 30, true, 0, 7, false, 0, false}},
      {"Madrid CET/CED", 20, 19, {1990, 7, 4, 14, 25, 0, 40, 25, true, 3, 42, false, 0, false}},
      {"Athens EET/EED", 26, 25, {1999, 9, 21, 20, 45, 0, 37, 58, true, 23, 43, true, 0, false}},
      {"Sydney AEST/AEDT", 8, 7, {1988, 1, 26, 17, 20, 0, 33, 52, false, 151, 12, true, 0, false}},
      {"Adelaide ACST/ACDT",
       6,
       5,
       {2010, 12, 31, 23, 59, 0, 34, 56, false, 138, 36, true, 0, false}},
      {"Perth AWST/AWDT", 10, 9, {2007, 2, 14, 5, 30, 0, 31, 57, false, 115, 51, true, 0, false}},
      {"Wellington NZT/NZST",
       47,
       46,
       {1995, 2, 10, 0, 40, 0, 41, 17, false, 174, 47, true, 0, false}},
  };
  const int clockHours[] = {-1, 2, 21};  // -1: the row's own time
  for (const PairRow& pair : pairs) {
    for (const int hour : clockHours) {
      SkyBirth ticked = pair.birth;
      if (hour >= 0) ticked.hour = hour;
      ticked.zoneIndex = pair.standardRow;
      ticked.dst = true;
      SkyBirth daylight = ticked;
      daylight.zoneIndex = pair.daylightRow;
      daylight.dst = false;
      SCOPED_TRACE(std::string(pair.name) + " at " + std::to_string(ticked.hour) + ":" +
                   std::to_string(ticked.minute));
      const ChartRun a = ComputeChart(EntriesOf(ticked));
      const ChartRun b = ComputeChart(EntriesOf(daylight));
      ASSERT_FALSE(a.refusal || b.refusal);
      const ChartOutput& x = a.chart;
      const ChartOutput& y = b.chart;
      EXPECT_EQ(LegacyCaptionsOf(x).positionText, LegacyCaptionsOf(y).positionText);
      EXPECT_EQ(x.time.UniversalTime, y.time.UniversalTime);
      EXPECT_EQ(x.moon.MoonSidereal, y.moon.MoonSidereal);
      EXPECT_EQ(x.day, y.day);
      EXPECT_EQ(x.previousDay, y.previousDay);
      EXPECT_EQ(x.nextDay, y.nextDay);
      EXPECT_EQ(x.referenceSunrise, y.referenceSunrise);
      EXPECT_EQ(x.ElapsedSeconds, y.ElapsedSeconds);
      EXPECT_EQ(x.SunriseSunLongitude, y.SunriseSunLongitude);
      EXPECT_EQ(LegacyCaptionsOf(x).signCells, LegacyCaptionsOf(y).signCells);
      EXPECT_EQ(LegacyCaptionsOf(x).marks, LegacyCaptionsOf(y).marks);
      ASSERT_EQ(x.induLagna.has_value(), y.induLagna.has_value());
      if (x.induLagna) {
        EXPECT_EQ(x.induLagna->sign, y.induLagna->sign);
      }
    }
  }
  // New York, 4 July 1990, 14:25 EDT: the Sun at 18° 46' Gemini and Mars at
  // 0° 54' Aries whichever way the moment is entered (with the planets an
  // hour late the tick once gave 18 Gem 49 and 00 Ari 56).
  SkyBirth ny = pairs[0].birth;
  ny.zoneIndex = pairs[0].standardRow;
  ny.dst = true;
  const ChartRun run = ComputeChart(EntriesOf(ny));
  ASSERT_FALSE(run.refusal);
  EXPECT_EQ(LegacyCaptionsOf(run.chart).positionText[Sun], "18 Gem 46");
  EXPECT_EQ(LegacyCaptionsOf(run.chart).positionText[Mars], "00 Ari 54");
}

// Births over the form's whole domain, no zone selection included, the
// same for a given seed.
std::vector<FormEntries> RandomBirths(unsigned seed, int count) {
  std::mt19937_64 rng(seed);
  std::vector<FormEntries> births;
  for (int i = 0; i < count; ++i) births.push_back(testing::RandomFormEntries(rng, -1));
  return births;
}

// Everything a chart shows, as one text, so that two runs compare exactly.
std::string Shown(const ChartRun& run) {
  if (run.refusal) return std::string(run.refusal->message);
  const ChartOutput& c = run.chart;
  std::string s;
  for (const std::string& p : LegacyCaptionsOf(c).positionText) s += p + '|';
  for (const std::string& p : LegacyCaptionsOf(c).signCells) s += p + '|';
  for (const std::string& p : LegacyCaptionsOf(c).marks) s += p + '|';
  s +=
      std::to_string(c.induLagna ? c.induLagna->sign : -1) + '|' + PositionText(c.sunriseSun) + '|';
  s +=
      std::to_string(c.ElapsedSeconds.value_or(-1)) + '|' + BirthDetailTextsOf(c.birth).dateOfBirth;
  for (const RiseSetPair* day : {&c.previousDay, &c.day, &c.nextDay}) {
    for (const auto& event : *day) s += '|' + (event ? FormatIsoMinute(*event) : "none");
  }
  return s;
}

std::vector<std::string> ComputeAll(const std::vector<FormEntries>& births) {
  std::vector<std::string> shown;
  for (const FormEntries& e : births) shown.push_back(Shown(ComputeChart(e)));
  return shown;
}

// Two threads share nothing: each computing its own sequence of charts gets exactly what one thread
// gets computing them one after the other (`make test-threads` runs this under ThreadSanitizer).
TEST(RunChart, ChartsInTwoThreadsMatchOneThread) {
  const std::vector<FormEntries> first = RandomBirths(1, 3000);
  const std::vector<FormEntries> second = RandomBirths(2, 3000);
  const std::vector<std::string> expectFirst = ComputeAll(first);
  const std::vector<std::string> expectSecond = ComputeAll(second);

  std::vector<std::string> gotFirst, gotSecond;
  std::thread a([&] { gotFirst = ComputeAll(first); });
  std::thread b([&] { gotSecond = ComputeAll(second); });
  a.join();
  b.join();
  EXPECT_EQ(gotFirst, expectFirst);
  EXPECT_EQ(gotSecond, expectSecond);
}

// Tromso, 21 June 1990, 14:00 GMT, under the midnight sun: the Sun neither
// rises nor sets on the day or its neighbours, so the chart has no sunrise,
// no sunset, no reference and no time since sunrise, and it stays so after
// any other chart in the same session; the other chart is not changed by
// the polar one either.
TEST(RunChart, PolarBirthIsTheSameBeforeAndAfterAnOrdinaryOne) {
  FormEntries polar = reference::DelhiBirth();
  polar.name = "POLAR";
  polar.dayText = "21";
  polar.yearText = "1990";
  polar.hourText = "14";
  polar.minuteText = "0";
  polar.latDeg = "69";
  polar.latMin = "39";
  polar.lonDeg = "18";
  polar.lonMin = "57";
  polar.zoneIndex = kGreenwichMeanTime;
  const FormEntries ordinary = reference::DelhiBirth();

  const ChartRun polarAlone = ComputeChart(polar);
  ASSERT_FALSE(polarAlone.refusal);
  const ChartOutput& c = polarAlone.chart;
  for (const RiseSetPair* day : {&c.previousDay, &c.day, &c.nextDay}) {
    EXPECT_FALSE((*day)[0]);
    EXPECT_FALSE((*day)[1]);
  }
  EXPECT_EQ(c.reference, SunriseReference::None);
  EXPECT_FALSE(c.ElapsedMinutes);
  const std::string ordinaryAlone = Shown(ComputeChart(ordinary));

  for (const bool polarFirst : {false, true}) {
    SCOPED_TRACE(polarFirst ? "polar first" : "ordinary first");
    std::string polarShown, ordinaryShown;
    if (polarFirst) polarShown = Shown(ComputeChart(polar));
    ordinaryShown = Shown(ComputeChart(ordinary));
    if (!polarFirst) polarShown = Shown(ComputeChart(polar));
    EXPECT_EQ(polarShown, Shown(polarAlone));
    EXPECT_EQ(ordinaryShown, ordinaryAlone);
  }
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

// The difference a - b brought into -180..180 degrees.
double TurnDifference(double a, double b) {
  return std::remainder(a - b, 360.0);
}

// A named ayanamsa moves every sidereal longitude by the same arc: the
// program's ayanamsa less the chosen one at the birth moment. The ascendant,
// the planets, Rahu and Ketu and the Sun at the reference sunrise carry the
// birth's ayanamsa and move by exactly that arc (to rounding); the Moon has
// its own J2000 form of the program's value (within 3"). A longitude the
// settings left out would move by nothing, or by the wrong arc. The node
// choices move Rahu alone; the Indu Lagna rule moves no longitude.
TEST(RunChart, EverySiderealLongitudeFollowsTheChosenAyanamsa) {
  constexpr double kRoundingDeg = 1e-9;
  constexpr double kMoonFormDeg = 3.0 / 3600;  // AyanamsaJ2000 against AyanamsaCorrection
  std::mt19937_64 rng(20261208);
  int compared = 0;
  for (int i = 0; i < 400; ++i) {
    const FormEntries e = testing::RandomFormEntries(rng);
    const ChartRun program = ComputeChart(e);
    if (program.refusal) continue;
    for (const AyanamsaChoice choice :
         {AyanamsaChoice::Lahiri, AyanamsaChoice::Raman, AyanamsaChoice::Krishnamurti}) {
      CalculationSettings settings;
      settings.ayanamsa = choice;
      const ChartRun named = ComputeChart(e, settings);
      ASSERT_FALSE(named.refusal);
      const ChartOutput& a = program.chart;
      const ChartOutput& b = named.chart;
      SCOPED_TRACE(e.yearText + " " + std::string(AyanamsaChoiceName(choice)));
      // The arc: the named value at the birth moment less the program's.
      const double arc = b.time.ayanamsaDeg - a.time.ayanamsaDeg;
      for (int body = 0; body < kBodyCount; ++body) {
        SCOPED_TRACE(body);
        const double tolerance = body == Moon ? kMoonFormDeg : kRoundingDeg;
        EXPECT_NEAR(TurnDifference(a.bodies[static_cast<std::size_t>(body)].longitudeDeg,
                                   b.bodies[static_cast<std::size_t>(body)].longitudeDeg),
                    arc, tolerance);
      }
      if (a.ElapsedMinutes) {
        ASSERT_TRUE(b.ElapsedMinutes);
        EXPECT_NEAR(TurnDifference(a.SunriseSunLongitude, b.SunriseSunLongitude), arc,
                    kRoundingDeg);
      }
      ++compared;
    }
    for (const NodeChoice node : {NodeChoice::Mean, NodeChoice::True}) {
      CalculationSettings settings;
      settings.node = node;
      const ChartOutput b = ComputeChart(e, settings).chart;
      const ChartOutput& a = program.chart;
      for (int body = 0; body < kBodyCount; ++body) {
        if (body == Rahu || body == Ketu) continue;
        EXPECT_EQ(a.bodies[static_cast<std::size_t>(body)].longitudeDeg,
                  b.bodies[static_cast<std::size_t>(body)].longitudeDeg);
      }
      // Rahu is the chosen node made sidereal with the birth's ayanamsa.
      const double jd =
          ayanamsa::kJ2000Jd + ComputePlanets(PlanetMomentOf(a.birth, a.time)).dayNumber;
      EXPECT_NEAR(TurnDifference(b.bodies[Rahu].longitudeDeg,
                                 *NodeLongitudeDeg(node, jd) - a.time.ayanamsaDeg),
                  0, kRoundingDeg);
      EXPECT_NEAR(TurnDifference(b.bodies[Ketu].longitudeDeg, b.bodies[Rahu].longitudeDeg + 180), 0,
                  kRoundingDeg);
    }
  }
  EXPECT_GT(compared, 600);
}

// The Indu Lagna rule decides the chart's count, its "IL" mark and its
// sign's row; the settings travel with the chart.
TEST(RunChart, TheChosenInduLagnaRuleMakesTheMarkAndTheRow) {
  CalculationSettings classical;
  classical.induLagnaRule = InduLagnaRule::FromMoonVenus12;
  std::mt19937_64 rng(7);
  for (int i = 0; i < 200; ++i) {
    const FormEntries e = testing::RandomFormEntries(rng);
    const ChartRun run = ComputeChart(e, classical);
    if (run.refusal || !run.chart.induLagna) continue;
    const ChartOutput& c = run.chart;
    EXPECT_EQ(c.settings, classical);
    const auto expected =
        CountInduLagna(c.bodies[Asc].sign, c.bodies[Moon].sign, InduLagnaRule::FromMoonVenus12);
    ASSERT_TRUE(expected);
    EXPECT_EQ(c.induLagna->sign, expected->sign);
    EXPECT_NE(LegacyCaptionsOf(c).marks[static_cast<std::size_t>(expected->sign)].find("IL"),
              std::string::npos);
    EXPECT_EQ(InduLagnaSignName(c),
              SignRows()[static_cast<std::size_t>(expected->sign)].EnglishName);
    for (int sign = 0; sign < kSignCount; ++sign) {
      if (sign == expected->sign) continue;
      EXPECT_EQ(LegacyCaptionsOf(c).marks[static_cast<std::size_t>(sign)].find("IL"),
                std::string::npos);
    }
  }
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

// The dasha of a chart: the birth's Universal Time to the second, the
// chart's own sidereal Moon, the year length of the settings.
TEST(ChartDasha, BirthInstantAndMoonComeFromTheChart) {
  using namespace std::chrono;
  struct Row {
    const char* name;
    int zoneIndex;  // -1: the reference birth's IST
    bool dst;
    sys_seconds ut;  // by hand: the clock 1980-06-15 10:30:45 less the zone (and tick)
  };
  const Row rows[] = {
      {"IST, UTC+5:30", -1, false, sys_days{1980y / 6 / 15} + 5h + 0min + 45s},
      {"Eastern, UTC-5", kEasternStandardTime, false, sys_days{1980y / 6 / 15} + 15h + 30min + 45s},
      {"Eastern with the tick, UTC-4", kEasternStandardTime, true,
       sys_days{1980y / 6 / 15} + 14h + 30min + 45s},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FormEntries e = reference::DelhiBirth();
    e.secondText = "45";
    if (r.zoneIndex >= 0) {
      e.zoneIndex = r.zoneIndex;
      e.daylightTick = r.dst;
    }
    const ChartRun run = ComputeChart(e);
    ASSERT_FALSE(run.refusal);
    const sys_seconds expected = r.ut;
    EXPECT_EQ(BirthInstantUt(run.chart.birth), expected);
    const auto v = DashaOf(run.chart);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->birth, expected);
    EXPECT_EQ(v->moonLongitudeDeg, run.chart.moon.MoonSidereal);
    EXPECT_EQ(v->nakshatra, run.chart.moon.nakshatraIndex);
  }
}

TEST(ChartDasha, YearLengthSettingAndTexts) {
  CalculationSettings savana;
  savana.dashaYear = dasha::YearLength::Savana;
  const ChartRun julian = ComputeChart(reference::DelhiBirth());
  const ChartRun short_ = ComputeChart(reference::DelhiBirth(), savana);
  ASSERT_FALSE(julian.refusal);
  ASSERT_FALSE(short_.refusal);
  const auto a = DashaOf(julian.chart);
  const auto b = DashaOf(short_.chart);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(b->yearLength, dasha::YearLength::Savana);
  const auto ma = dasha::Mahadashas(*a);
  const auto mb = dasha::Mahadashas(*b);
  // 120 years of 360 days against 120 of 365.25: 630 days shorter.
  EXPECT_EQ((ma[8].end - ma[0].start) - (mb[8].end - mb[0].start),
            std::chrono::seconds{630 * 86400});
  EXPECT_NE(SettingsLine(savana).find("dasha year 360 days"), std::string::npos);
  EXPECT_NE(SettingsLine(CalculationSettings{}).find("dasha year 365.25 days"), std::string::npos);
  CalculationSettings sidereal;
  sidereal.dashaYear = dasha::YearLength::Sidereal;
  EXPECT_NE(SettingsLine(sidereal).find("dasha year 365.256363 days"), std::string::npos);

  // Age by the calendar of the birth's clock; nothing before the birth.
  const Birth& birth = julian.chart.birth;
  EXPECT_FALSE(AgeAt(birth, BirthInstantUt(birth) - std::chrono::seconds{1}));
  const auto age = AgeAt(
      birth, StartOfLocalDate(birth, std::chrono::year_month_day{std::chrono::year{2014} / 8 / 3}));
  ASSERT_TRUE(age);
  EXPECT_EQ(age->years, 34);
  EXPECT_EQ(age->months, 1);
  EXPECT_EQ(age->days, 19);
  EXPECT_EQ(AgeText(age), "34 years 1 month 19 days");
  EXPECT_EQ(AgeText(std::nullopt), "before birth");
  EXPECT_EQ(UtcText(BirthInstantUt(birth)), "1980-06-15T05:00:00Z");
  EXPECT_NE(BalanceText(*a).find(" left at birth"), std::string::npos);
}

}  // namespace
}  // namespace orvanta
