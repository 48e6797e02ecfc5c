// The clock's offset from the time-zone history and its way into the chart:
// historical cases against the tz database, doubled and skipped local times,
// the zone row chosen, and Universal Time over a thousand random births.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

#include "atlas/atlas.h"
#include "io/birth_entries.h"
#include "io/birth_place.h"
#include "tables/zones.h"
#include "tz/zone_history.h"
#include "tz/zone_resolution.h"

namespace orvanta {
namespace {

// Expected offsets are the tz database's own (zdump -v on Debian's tzdata);
// the row indices are positions in the 71-row zone list.
TEST(ZoneResolution, HistoricalCases) {
  struct Case {
    const char* name;
    const char* zone;
    int year, month, day, hour, minute;
    int offsetSeconds;
    bool summerTime;
    const char* abbreviation;
    int zoneIndex;  // -1: no row has the offset
  };
  const Case cases[] = {
      // India kept war time, +6:30, from 1942 to 1945.
      {"Kolkata war time", "Asia/Kolkata", 1943, 5, 10, 10, 0, 6 * 3600 + 1800, true, "+0630", 52},
      // Britain kept summer time all year from 1968 to 1971, as standard time.
      {"London 1970", "Europe/London", 1970, 1, 15, 12, 0, 3600, false, "BST", 16},
      {"Madrid summer", "Europe/Madrid", 1990, 7, 4, 14, 25, 7200, true, "CEST", 19},
      {"Madrid winter", "Europe/Madrid", 1990, 1, 4, 14, 25, 3600, false, "CET", 20},
      // Amsterdam summer time before 1937: +1:19:32, no row has it.
      {"Amsterdam 1935", "Europe/Amsterdam", 1935, 6, 1, 12, 0, 4772, true, "NST", -1},
      {"Kathmandu", "Asia/Kathmandu", 2000, 6, 1, 12, 0, 5 * 3600 + 2700, false, "+0545", -1},
      {"Sydney summer", "Australia/Sydney", 1985, 12, 15, 6, 10, 11 * 3600, true, "AEDT", 7},
      // The United States kept daylight saving through the winter of 1974.
      {"New York 1974", "America/New_York", 1974, 1, 20, 8, 0, -4 * 3600, true, "EDT", 24},
      // Moscow kept +4 all year from 2011 to 2014.
      {"Moscow 2012", "Europe/Moscow", 2012, 1, 15, 12, 0, 4 * 3600, false, "MSK", 63},
      // After the zone files' last listed transition (2037) the closing rule holds.
      {"New York 2045 summer", "America/New_York", 2045, 7, 1, 12, 0, -4 * 3600, true, "EDT", 24},
      {"New York 2050 winter", "America/New_York", 2050, 1, 10, 12, 0, -5 * 3600, false, "EST", 27},
      // Summer time is the reading whose clock runs ahead, whatever the tz
      // database flags: it flags Dublin's winter (its summer time, Irish
      // Standard Time, is standard time in its terms) and Morocco's Ramadan
      // hour, both an hour behind the rest of the year.
      {"Dublin winter", "Europe/Dublin", 1990, 1, 15, 12, 0, 0, false, "GMT", 29},
      {"Dublin summer", "Europe/Dublin", 1990, 7, 4, 12, 0, 3600, true, "IST", 16},
      {"Dublin 2045 winter", "Europe/Dublin", 2045, 1, 15, 12, 0, 0, false, "GMT", 29},
      {"Dublin 2045 summer", "Europe/Dublin", 2045, 7, 4, 12, 0, 3600, true, "IST", 16},
      {"Casablanca Ramadan", "Africa/Casablanca", 2020, 5, 10, 12, 0, 0, false, "+00", 29},
      {"Casablanca January", "Africa/Casablanca", 2020, 1, 15, 12, 0, 3600, true, "+01", 16},
  };
  ZoneHistory history;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LocalDateTime local = MakeDateTime(c.year, c.month, c.day, c.hour, c.minute);
    const ZoneResolutionResult r = ResolveZone(history, c.zone, local);
    ASSERT_TRUE(r.resolution) << r.message;
    EXPECT_EQ(r.kind, LocalTimeKind::Unique);
    EXPECT_EQ(r.resolution->reading.offsetSeconds, c.offsetSeconds);
    EXPECT_EQ(r.resolution->reading.summerTime, c.summerTime);
    EXPECT_EQ(r.resolution->reading.abbreviation, c.abbreviation);
    EXPECT_EQ(r.resolution->zoneIndex.value_or(-1), c.zoneIndex);
    // The row or the exact offset carries the offset to the minute.
    const auto shift = r.resolution->zoneIndex
                           ? ZoneShiftOf(*r.resolution->zoneIndex)
                           : ZoneShiftOf(ExactOffset{r.resolution->offsetMinutes});
    ASSERT_TRUE(shift);
    const int nearestMinute = (c.offsetSeconds + (c.offsetSeconds < 0 ? -30 : 30)) / 60;
    EXPECT_EQ(shift->hours * 60 + shift->minutes, -nearestMinute);
  }
}

TEST(ZoneResolution, DoubledAndSkippedTimesAreNotGuessed) {
  ZoneHistory history;
  // 2 November 2008: clocks went back from 02:00 EDT to 01:00 EST.
  const LocalDateTime doubled = MakeDateTime(2008, 11, 2, 1, 30);
  const ZoneResolutionResult d = ResolveZone(history, "America/New_York", doubled);
  EXPECT_FALSE(d.resolution);
  EXPECT_EQ(d.kind, LocalTimeKind::Doubled);
  EXPECT_EQ(d.message,
            "America/New_York on 2 November 2008 at 01:30 happened twice: UTC-4:00, summer time "
            "(EDT), and UTC-5:00, standard time (EST).");
  const auto summer = ResolveZone(history, "America/New_York", doubled, DoubledChoice::Summer);
  ASSERT_TRUE(summer.resolution);
  EXPECT_EQ(summer.resolution->offsetMinutes, -240);
  EXPECT_EQ(summer.resolution->zoneIndex, 24);  // "Eastern Daylight Time,EDT,-4.0"
  const auto standard = ResolveZone(history, "America/New_York", doubled, DoubledChoice::Standard);
  ASSERT_TRUE(standard.resolution);
  EXPECT_EQ(standard.resolution->offsetMinutes, -300);
  EXPECT_EQ(standard.resolution->zoneIndex, 27);  // "Eastern Standard Time,EST,-5.0"

  // Dublin's clocks went back from 02:00 IST to 01:00 GMT on 25 October
  // 2020: the summer-time reading the message names is the one --dst takes.
  const LocalDateTime dublinDoubled = MakeDateTime(2020, 10, 25, 1, 30);
  const ZoneResolutionResult dublin = ResolveZone(history, "Europe/Dublin", dublinDoubled);
  EXPECT_EQ(dublin.kind, LocalTimeKind::Doubled);
  EXPECT_EQ(LocalTimeProblem("Europe/Dublin", dublinDoubled, dublin.reading, "--dst", "--no-dst"),
            "Europe/Dublin on 25 October 2020 at 01:30 happened twice: UTC+1:00, summer time "
            "(IST), and UTC+0:00, standard time (GMT). Choose --dst for the summer-time reading "
            "or --no-dst for the standard one.");
  const auto dublinSummer =
      ResolveZone(history, "Europe/Dublin", dublinDoubled, DoubledChoice::Summer);
  ASSERT_TRUE(dublinSummer.resolution);
  EXPECT_EQ(dublinSummer.resolution->offsetMinutes, 60);
  EXPECT_TRUE(dublinSummer.resolution->reading.summerTime);
  const auto dublinStandard =
      ResolveZone(history, "Europe/Dublin", dublinDoubled, DoubledChoice::Standard);
  ASSERT_TRUE(dublinStandard.resolution);
  EXPECT_EQ(dublinStandard.resolution->offsetMinutes, 0);
  EXPECT_FALSE(dublinStandard.resolution->reading.summerTime);

  // 9 March 2008: clocks went from 02:00 EST straight to 03:00 EDT; no
  // choice makes 02:30 exist.
  const LocalDateTime skipped = MakeDateTime(2008, 3, 9, 2, 30);
  for (const DoubledChoice choice :
       {DoubledChoice::Refuse, DoubledChoice::Summer, DoubledChoice::Standard}) {
    const ZoneResolutionResult s = ResolveZone(history, "America/New_York", skipped, choice);
    EXPECT_FALSE(s.resolution);
    EXPECT_EQ(s.kind, LocalTimeKind::Skipped);
    EXPECT_EQ(s.message,
              "America/New_York on 9 March 2008 at 02:30 did not exist: the clocks went from "
              "02:00 straight to 03:00 (UTC-5:00 to UTC-4:00). Check the time of birth.");
  }
  // Whole days skipped when a zone crossed the date line: the dates are
  // named, not "from 00:00 straight to 00:00" (Samoa left 30 December 2011
  // out, going from UTC-10 to UTC+14; Kiritimati left out 31 December 1994,
  // going from UTC-10 to UTC+14).
  const struct {
    const char* zone;
    LocalDateTime local;
    const char* message;
  } dateLine[] = {
      {"Pacific/Apia", MakeDateTime(2011, 12, 30, 12, 0),
       "Pacific/Apia on 30 December 2011 at 12:00 did not exist: 30 December 2011 was skipped: "
       "the clocks went from the end of 29 December 2011 straight to 31 December 2011 at 00:00 "
       "(UTC-10:00 to UTC+14:00). Check the date of birth."},
      {"Pacific/Kiritimati", MakeDateTime(1994, 12, 31, 8, 0),
       "Pacific/Kiritimati on 31 December 1994 at 08:00 did not exist: 31 December 1994 was "
       "skipped: the clocks went from the end of 30 December 1994 straight to 1 January 1995 at "
       "00:00 (UTC-10:00 to UTC+14:00). Check the date of birth."},
  };
  for (const auto& row : dateLine) {
    SCOPED_TRACE(row.zone);
    const ZoneResolutionResult s = ResolveZone(history, row.zone, row.local);
    EXPECT_EQ(s.kind, LocalTimeKind::Skipped);
    EXPECT_EQ(s.message, row.message);
  }
  // The same in the years only the closing rule covers.
  EXPECT_EQ(ResolveZone(history, "America/New_York", MakeDateTime(2040, 3, 11, 2, 30)).kind,
            LocalTimeKind::Skipped);
  EXPECT_EQ(ResolveZone(history, "America/New_York", MakeDateTime(2040, 11, 4, 1, 30)).kind,
            LocalTimeKind::Doubled);

  const ZoneResolutionResult unknown = ResolveZone(history, "Mars/Olympus_Mons", doubled);
  EXPECT_FALSE(unknown.resolution);
  EXPECT_EQ(unknown.message, "The time-zone database has no zone \"Mars/Olympus_Mons\".");
  EXPECT_FALSE(history.Knows("../../etc/passwd"));
  EXPECT_FALSE(history.Knows(""));
}

TEST(ZoneResolution, ResolvedLineSaysWhatWasFound) {
  ZoneHistory history;
  const auto madrid = ResolveZone(history, "Europe/Madrid", MakeDateTime(1990, 7, 4, 14, 25));
  ASSERT_TRUE(madrid.resolution);
  EXPECT_EQ(DescribeResolution(*madrid.resolution),
            "Europe/Madrid on 4 July 1990 at 14:25: UTC+2:00, summer time (CEST)");
  const auto amsterdam = ResolveZone(history, "Europe/Amsterdam", MakeDateTime(1935, 6, 1, 12, 0));
  ASSERT_TRUE(amsterdam.resolution);
  EXPECT_EQ(DescribeResolution(*amsterdam.resolution),
            "Europe/Amsterdam on 1 June 1935 at 12:00: UTC+1:19:32, summer time (NST); no zone "
            "in the list has it, the exact offset, to the second, is used");
}

TEST(ZoneResolution, CoordinatesToTheMinute) {
  struct Case {
    double lat, lon;
    const char* latText;
    const char* lonText;
  };
  const Case cases[] = {
      {40.4165, -3.70256, "40N25", "3W42"},       // Madrid: 24.99' and 42.15'
      {-23.5475, -46.63611, "23S33", "46W38"},    // São Paulo
      {-33.86785, 151.20732, "33S52", "151E12"},  // Sydney
      {0.0, 0.0, "0N00", "0E00"},
      {10.99999, -0.0083, "11N00", "0W00"},  // 59.9994' carries into the degrees
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.latText);
    const FormCoordinates f = CoordinatesToMinute(c.lat, c.lon);
    EXPECT_EQ(LatitudeText(f), c.latText);
    EXPECT_EQ(LongitudeText(f), c.lonText);
  }
}

// For random atlas cities and dates 1901-2050 the chart's Universal Time is
// the local time minus the tz database's offset, to the minute. The expected
// instant comes from the date library's own local-to-UTC conversion; the
// chart's comes through the chosen zone row or exact offset and the engine's
// zone arithmetic.
TEST(ZoneResolution, UniversalTimeForRandomCitiesAndDates) {
  // An offset rounded to the minute moves the instant by 30 s at most.
  constexpr double kHalfMinute = 0.5 + 1e-6;
  const Atlas atlas;
  ZoneHistory history;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> year(1901, 2050), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59);
  const std::vector<Place> places = [&] {
    // Every city through the search, so the test sees what a user can pick.
    std::vector<Place> all;
    for (const char* q : {"a", "e", "i", "o", "u", "b", "k", "m", "s", "t"})
      for (const Place& p : atlas.Search(q, 100000).matches) all.push_back(p);
    return all;
  }();
  ASSERT_GT(places.size(), 10000u);
  std::uniform_int_distribution<std::size_t> pick(0, places.size() - 1);

  int checked = 0, exact = 0;
  while (checked < 1000) {
    const Place& place = places[pick(random)];
    const LocalDateTime local =
        MakeDateTime(year(random), month(random), day(random), hour(random), minute(random));
    const ZoneResolutionResult r = ResolveZone(history, place.timeZone, local);
    ASSERT_TRUE(r.resolution || r.kind != LocalTimeKind::Unique) << r.message;
    if (!r.resolution) continue;  // a transition: tested above
    // Away from transitions: the same offset an hour before and after.
    const auto before = history.Lookup(place.timeZone, local - std::chrono::hours{3});
    const auto after = history.Lookup(place.timeZone, local + std::chrono::hours{3});
    if (before.reading->first.offsetSeconds != r.resolution->reading.offsetSeconds ||
        after.reading->first.offsetSeconds != r.resolution->reading.offsetSeconds)
      continue;

    const CivilTime lc = Split(local);
    ::setenv("TZ", (":" + place.timeZone).c_str(), 1);
    ::tzset();
    std::tm tm{};
    tm.tm_year = lc.year - 1900;
    tm.tm_mon = lc.month - 1;
    tm.tm_mday = lc.day;
    tm.tm_hour = lc.hour;
    tm.tm_min = lc.minute;
    tm.tm_isdst = -1;
    const std::time_t utc = std::mktime(&tm);
    // The exact instant in minutes; the chart's offset is whole minutes, so
    // an offset with seconds (Saigon's +7:06:30 of 1906-11) may put it up
    // to half a minute away.
    const double expectedUtMinutes = static_cast<double>(utc) / 60.0;

    FormEntries e;
    e.name = "TEST";
    FillPlace(e, place);
    FillZone(e, *r.resolution);
    const CivilTime c = Split(local);
    e.monthIndex = c.month - 1;
    e.dayText = std::to_string(c.day);
    e.yearText = std::to_string(c.year);
    e.hourText = std::to_string(c.hour);
    e.minuteText = std::to_string(c.minute);
    if (e.latDeg == "90" || e.lonDeg == "180") continue;  // outside the form's ranges
    const ChartRun run = ComputeChart(e);
    ASSERT_FALSE(run.refusal) << place.name << ": " << run.refusal->message;
    // UniversalTime is in hours from the local date's midnight.
    const auto localMidnight = MakeDateTime(c.year, c.month, c.day);
    const double actualMinutes =
        std::chrono::duration_cast<std::chrono::minutes>(localMidnight.time_since_epoch()).count() +
        run.chart.time.UniversalTime * 60;
    SCOPED_TRACE(place.name + " " + place.timeZone + " " + FormatIsoMinute(local));
    ASSERT_NEAR(actualMinutes, expectedUtMinutes, kHalfMinute);
    if (!r.resolution->zoneIndex) ++exact;
    ++checked;
  }
  ::unsetenv("TZ");
  ::tzset();
  // Local mean times before 1920 and zones such as Nepal's use exact offsets.
  EXPECT_GT(exact, 0);
}

}  // namespace
}  // namespace orvanta
