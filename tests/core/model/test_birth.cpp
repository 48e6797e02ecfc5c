// The birth's clock: Universal Time to the second, the offset in the
// engine's hours, the zone list's hours and minutes, local mean time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "model/birth.h"
#include "tables/zones.h"

namespace orvanta {
namespace {

using std::chrono::sys_days;
using namespace std::chrono_literals;

// Kathmandu kept its own mean time, +5:41:16, until 1920 (tz database,
// Asia/Kathmandu "LMT"). 10:00 local on 15 January 1901 is 04:18:44 UT:
// 10:00:00 - 5:41:16 by hand.
TEST(UniversalTime, KathmanduCityTimeToTheSecond) {
  Birth b;
  b.local = CivilTime{1901, 1, 15, 10, 0, 0};
  b.clock.offsetSeconds = 5 * 3600 + 41 * 60 + 16;
  b.clock.zoneName = "Asia/Kathmandu";
  b.clock.source = ClockSource::CityTime;
  EXPECT_EQ(UniversalTime(b), sys_days{1901y / 1 / 15} + 4h + 18min + 44s);
  // The engine's hours carry the seconds: 5 + 41/60 + 16/3600.
  EXPECT_EQ(ClockHours(b.clock), 5 + 41 / 60.0 + 16 / 3600.0);
  // The zone list's form takes the nearest minute.
  EXPECT_EQ(LegacyZoneShift(b.clock).hours, -5);
  EXPECT_EQ(LegacyZoneShift(b.clock).minutes, -41);
}

// Every row of the zone list, with and without the tick: the clock made from
// the row gives the row's correction back, the hours are bit for bit those
// the sunrise arithmetic forms from the row (sign of the hours, magnitude
// hours + minutes / 60, one hour more with the tick), and Universal Time is
// the local time plus the correction, one hour less with the tick, as the
// planets' calendar arithmetic adds it.
TEST(ClockHours, EveryZoneRowAsTheZoneListGivesIt) {
  const LocalDateTime local = MakeDateTime(1980, 6, 15, 10, 30, 0);
  for (int row = 0; row < kZoneCount; ++row) {
    for (const bool tick : {false, true}) {
      const ZoneEntry& z = kZones[static_cast<std::size_t>(row)];
      SCOPED_TRACE(std::string(z.text) + (tick ? ", tick" : ""));
      Clock c;
      c.offsetSeconds = -(z.shiftHours * 3600 + z.shiftMinutes * 60);
      c.daylightTick = tick;
      c.zoneRow = row;
      EXPECT_EQ(LegacyZoneShift(c).hours, z.shiftHours);
      EXPECT_EQ(LegacyZoneShift(c).minutes, z.shiftMinutes);
      EXPECT_EQ(OffsetMinutesWithTick(c), -(z.shiftHours * 60 + z.shiftMinutes) + (tick ? 60 : 0));
      const double s = z.shiftHours < 0 || (z.shiftHours == 0 && z.shiftMinutes < 0) ? -1.0 : 1.0;
      double expected = -s * (std::abs(z.shiftHours) + std::abs(z.shiftMinutes) / 60.0);
      if (tick) expected = expected + 1;
      EXPECT_EQ(ClockHours(c), expected);
      const auto ut = std::chrono::sys_seconds{local.time_since_epoch()} +
                      std::chrono::hours{z.shiftHours - (tick ? 1 : 0)} +
                      std::chrono::minutes{z.shiftMinutes};
      EXPECT_EQ(UniversalTimeOf(local, c), ut);
    }
  }
}

// West of Greenwich with seconds: Dublin Mean Time, -0:25:21 (tz database,
// Europe/Dublin "DMT" until 1916).
TEST(ClockHours, WestWithSeconds) {
  Clock c;
  c.offsetSeconds = -(25 * 60 + 21);
  EXPECT_EQ(ClockHours(c), -(25 / 60.0 + 21 / 3600.0));
  EXPECT_EQ(LegacyZoneShift(c).hours, 0);
  EXPECT_EQ(LegacyZoneShift(c).minutes, 25);
  EXPECT_EQ(UniversalTimeOf(MakeDateTime(1910, 3, 1, 0, 0, 0), c),
            sys_days{1910y / 3 / 1} + 25min + 21s);
}

// Four minutes of clock per degree: 85E19 (Kathmandu) gives 5:41:16, the
// mean time the city kept; 74W00 (New York) gives -4:56:00.
TEST(LocalMeanTimeClock, FourMinutesPerDegree) {
  GeoPosition kathmandu{{27, 42, true}, {85, 19, true}};
  EXPECT_EQ(LocalMeanTimeClock(kathmandu).offsetSeconds, 5 * 3600 + 41 * 60 + 16);
  EXPECT_EQ(LocalMeanTimeClock(kathmandu).source, ClockSource::LocalMeanTime);
  GeoPosition newYork{{40, 43, true}, {74, 0, false}};
  EXPECT_EQ(LocalMeanTimeClock(newYork).offsetSeconds, -(4 * 3600 + 56 * 60));
  EXPECT_DOUBLE_EQ(LatitudeDeg(newYork), 40 + 43 / 60.0);
  EXPECT_EQ(LongitudeDeg(newYork), -74.0);
}

}  // namespace
}  // namespace orvanta
