// The clock a birth was told in: city times the tz database leaves out,
// local mean time of the birth's own longitude, and the tz reading as the
// other choice, each to the second of Universal Time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "model/birth.h"
#include "model/datetime.h"
#include "tz/birth_clock.h"
#include "tz/city_times.h"
#include "tz/zone_history.h"

namespace orvanta {
namespace {

GeoPosition At(int latDeg, int latMin, bool north, int lonDeg, int lonMin, bool east) {
  GeoPosition p;
  p.latitude = {static_cast<std::int16_t>(latDeg), static_cast<std::int16_t>(latMin), north};
  p.longitude = {static_cast<std::int16_t>(lonDeg), static_cast<std::int16_t>(lonMin), east};
  return p;
}

// The atlas's places to the minute of arc (Debian's GeoNames data).
const GeoPosition kMumbai = At(19, 4, true, 72, 53, true);
const GeoPosition kKolkata = At(22, 34, true, 88, 22, true);
const GeoPosition kKathmandu = At(27, 42, true, 85, 19, true);
const GeoPosition kPokhara = At(28, 14, true, 83, 58, true);
const GeoPosition kPune = At(18, 31, true, 73, 51, true);

// "YYYY-MM-DD HH:MM:SS" of a Universal Time.
std::string UtcText(std::chrono::sys_seconds t) {
  const CivilTime c = Split(LocalDateTime{t.time_since_epoch()});
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute, c.second);
  return text;
}

// Each expected Universal Time is the local reading minus the clock's
// offset, worked by hand from the offset's source:
// - Bombay Time UTC+4:51 until 1955, Calcutta Time UTC+5:53:20 until 1948:
//   the public histories cited in src/core/tz/city_times.cpp;
// - Indian Standard Time UTC+5:30 and Nepal's UTC+5:30 (1920-1985) and
//   UTC+5:45 (from 1986), and Kathmandu's LMT UTC+5:41:16 until 1920: the tz
//   database (zdump -v Asia/Kolkata Asia/Kathmandu);
// - local mean time: four minutes of clock per degree of longitude east
//   (83°58' E: 83.9667 x 240 s = 20152 s = 5:35:52; 85°19' E: 5:41:16;
//   80°00' E: 5:20:00).
TEST(BirthClock, UniversalTimeOfTheBirthsClock) {
  struct Case {
    const char* name;
    const char* zone;
    GeoPosition position;
    bool placeFromAtlas;
    ClockPreference preference;
    int year, month, day, hour, minute;
    const char* universalTime;
    ClockSource source;
    const char* caption;
    bool hasAlternative;
  };
  const ClockPreference city = ClockPreference::City;
  const ClockPreference standard = ClockPreference::Standard;
  const Case cases[] = {
      {"Mumbai 1930", "Asia/Kolkata", kMumbai, true, city, 1930, 5, 10, 8, 0, "1930-05-10 03:09:00",
       ClockSource::CityTime, "Bombay Time, UTC+4:51, the city's own clock until 1955", true},
      {"Mumbai 1960", "Asia/Kolkata", kMumbai, true, city, 1960, 5, 10, 8, 0, "1960-05-10 02:30:00",
       ClockSource::ZoneHistory, "Asia/Kolkata, UTC+5:30, standard time (IST)", false},
      {"Kolkata 1930", "Asia/Kolkata", kKolkata, true, city, 1930, 5, 10, 8, 0,
       "1930-05-10 02:06:40", ClockSource::CityTime,
       "Calcutta Time, UTC+5:53:20, the city's own clock until 1948", true},
      {"Kolkata 1960", "Asia/Kolkata", kKolkata, true, city, 1960, 5, 10, 8, 0,
       "1960-05-10 02:30:00", ClockSource::ZoneHistory,
       "Asia/Kolkata, UTC+5:30, standard time (IST)", false},
      // An explicit --tz is honoured as given: no city time.
      {"Mumbai 1930 --tz", "Asia/Kolkata", kMumbai, false, city, 1930, 5, 10, 8, 0,
       "1930-05-10 02:30:00", ClockSource::ZoneHistory,
       "Asia/Kolkata, UTC+5:30, standard time (IST)", false},
      {"Mumbai 1930 --clock standard", "Asia/Kolkata", kMumbai, true, standard, 1930, 5, 10, 8, 0,
       "1930-05-10 02:30:00", ClockSource::ZoneHistory,
       "Asia/Kolkata, UTC+5:30, standard time (IST)", true},
      // The end of each city time, on both sides (the local clock).
      {"Mumbai last minute", "Asia/Kolkata", kMumbai, true, city, 1954, 12, 31, 23, 59,
       "1954-12-31 19:08:00", ClockSource::CityTime,
       "Bombay Time, UTC+4:51, the city's own clock until 1955", true},
      {"Mumbai first IST minute", "Asia/Kolkata", kMumbai, true, city, 1955, 1, 1, 0, 0,
       "1954-12-31 18:30:00", ClockSource::ZoneHistory,
       "Asia/Kolkata, UTC+5:30, standard time (IST)", false},
      {"Kolkata last minute", "Asia/Kolkata", kKolkata, true, city, 1947, 12, 31, 23, 59,
       "1947-12-31 18:05:40", ClockSource::CityTime,
       "Calcutta Time, UTC+5:53:20, the city's own clock until 1948", true},
      {"Kolkata first IST minute", "Asia/Kolkata", kKolkata, true, city, 1948, 1, 1, 0, 0,
       "1947-12-31 18:30:00", ClockSource::ZoneHistory,
       "Asia/Kolkata, UTC+5:30, standard time (IST)", false},
      // Before Indian Standard Time (the tz history's Madras time, +5:21:10)
      // the cities kept their own clocks too.
      {"Mumbai 1901", "Asia/Kolkata", kMumbai, true, city, 1901, 3, 1, 12, 0, "1901-03-01 07:09:00",
       ClockSource::CityTime, "Bombay Time, UTC+4:51, the city's own clock until 1955", true},
      // War time is kept as the tz history gives it.
      {"Mumbai war time", "Asia/Kolkata", kMumbai, true, city, 1943, 5, 10, 10, 0,
       "1943-05-10 03:30:00", ClockSource::ZoneHistory, "Asia/Kolkata, UTC+6:30, summer time",
       false},
      // Outside the area (Pune, 120 km from Mumbai) the tz reading holds.
      {"Pune 1930", "Asia/Kolkata", kPune, true, city, 1930, 5, 10, 8, 0, "1930-05-10 02:30:00",
       ClockSource::ZoneHistory, "Asia/Kolkata, UTC+5:30, standard time (IST)", false},
      // Local mean time at the zone's own city is the tz database's LMT.
      {"Kathmandu 1901", "Asia/Kathmandu", kKathmandu, true, city, 1901, 1, 15, 10, 0,
       "1901-01-15 04:18:44", ClockSource::LocalMeanTime,
       "local mean time at 85\u00B019\u2032 E, UTC+5:41:16", false},
      {"Pokhara 1901", "Asia/Kathmandu", kPokhara, true, city, 1901, 1, 15, 10, 0,
       "1901-01-15 04:24:08", ClockSource::LocalMeanTime,
       "local mean time at 83\u00B058\u2032 E, UTC+5:35:52", true},
      {"Pokhara 1901 --clock standard", "Asia/Kathmandu", kPokhara, true, standard, 1901, 1, 15, 10,
       0, "1901-01-15 04:18:44", ClockSource::ZoneHistory,
       "Asia/Kathmandu, UTC+5:41:16, standard time (LMT)", true},
      // An explicit zone still gives the birth's own mean time where its
      // history says LMT.
      {"28N00 80E00 --tz Asia/Kathmandu", "Asia/Kathmandu", At(28, 0, true, 80, 0, true), false,
       city, 1901, 1, 15, 10, 0, "1901-01-15 04:40:00", ClockSource::LocalMeanTime,
       "local mean time at 80\u00B000\u2032 E, UTC+5:20", true},
      // The end of Nepal's LMT (1920), on both sides.
      {"Pokhara LMT last hour", "Asia/Kathmandu", kPokhara, true, city, 1919, 12, 31, 23, 0,
       "1919-12-31 17:24:08", ClockSource::LocalMeanTime,
       "local mean time at 83\u00B058\u2032 E, UTC+5:35:52", true},
      {"Pokhara 1920", "Asia/Kathmandu", kPokhara, true, city, 1920, 1, 1, 1, 0,
       "1919-12-31 19:30:00", ClockSource::ZoneHistory, "Asia/Kathmandu, UTC+5:30, standard time",
       false},
      {"Kathmandu 1990", "Asia/Kathmandu", kKathmandu, true, city, 1990, 5, 10, 10, 0,
       "1990-05-10 04:15:00", ClockSource::ZoneHistory, "Asia/Kathmandu, UTC+5:45, standard time",
       false},
  };
  ZoneHistory history;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BirthClockQuery query;
    query.zoneName = c.zone;
    query.position = c.position;
    query.placeFromAtlas = c.placeFromAtlas;
    query.local = MakeDateTime(c.year, c.month, c.day, c.hour, c.minute);
    const BirthClock bc = BirthClockOf(history, query, c.preference);
    ASSERT_TRUE(bc.clock) << bc.tz.message;
    EXPECT_EQ(UtcText(UniversalTimeOf(query.local, bc.clock->clock)), c.universalTime);
    EXPECT_EQ(bc.clock->clock.source, c.source);
    EXPECT_EQ(bc.clock->caption, c.caption);
    EXPECT_EQ(bc.clock->clock.zoneName, c.zone);
    EXPECT_EQ(bc.alternative.has_value(), c.hasAlternative);
    EXPECT_FALSE(bc.clock->clock.daylightTick);
  }
}

// The other choice is the one the preference left: switching twice gives
// the same clock back.
TEST(BirthClock, AlternativeIsTheOtherPreference) {
  ZoneHistory history;
  BirthClockQuery query;
  query.zoneName = "Asia/Kolkata";
  query.position = kMumbai;
  query.placeFromAtlas = true;
  query.local = MakeDateTime(1930, 5, 10, 8, 0);
  const BirthClock cityFirst = BirthClockOf(history, query, ClockPreference::City);
  const BirthClock standardFirst = BirthClockOf(history, query, ClockPreference::Standard);
  ASSERT_TRUE(cityFirst.alternative && standardFirst.alternative);
  EXPECT_EQ(cityFirst.clock->caption, standardFirst.alternative->caption);
  EXPECT_EQ(cityFirst.alternative->caption, standardFirst.clock->caption);
  EXPECT_EQ(cityFirst.alternative->clock.offsetSeconds, 5 * 3600 + 1800);
  EXPECT_EQ(cityFirst.alternative->clock.zoneRow, standardFirst.clock->clock.zoneRow);
}

// An unknown zone gives no clock and the tz history's message.
TEST(BirthClock, NoClockWithoutTheZonesReading) {
  ZoneHistory history;
  BirthClockQuery query;
  query.zoneName = "Asia/Nowhere";
  query.position = kMumbai;
  query.local = MakeDateTime(1930, 5, 10, 8, 0);
  const BirthClock bc = BirthClockOf(history, query);
  EXPECT_FALSE(bc.clock);
  EXPECT_FALSE(bc.tz.message.empty());
}

// The areas: the table's centres against hand-measured distances.
TEST(CityTimes, AreasAndDistances) {
  // Mumbai (Fort) to Pune, about 120 km as the crow flies; Kolkata to
  // Howrah station, about 2 km.
  EXPECT_NEAR(DistanceKm(18.9333, 72.8333, 18.5167, 73.85), 117.0, 3.0);
  EXPECT_NEAR(DistanceKm(22.5667, 88.3667, 22.5833, 88.3417), 3.1, 0.5);
  for (const CityTime& row : CityTimes()) {
    SCOPED_TRACE(std::string(row.name));
    EXPECT_LT(row.fromYear, row.untilYear);
    EXPECT_GT(row.radiusKm, 0);
  }
}

}  // namespace
}  // namespace orvanta
