// Properties of the whole engine over many random births: the chart texts
// always have their fixed shape and every number stays finite.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "chart/presentation.h"
#include "engine/calendar.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "tables/zones.h"

namespace orvanta {
namespace {

// Fixed so that every run checks the same births; a failure prints it.
constexpr std::uint64_t kSeed = 0x0A1B2C3D4E5F6071ULL;
constexpr int kBirthCount = 12000;
// Hours rebuilt from minutes/60 in a different order differ in the last bits.
constexpr double kClockRoundingHours = 1e-12;

int DaysInMonth(int year, int month) {
  using namespace std::chrono;
  const year_month_day_last last{std::chrono::year{year} /
                                 std::chrono::month{static_cast<unsigned>(month)} /
                                 std::chrono::last};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

struct RandomBirth {
  Birth birth;
  int zoneIndex = 0;
};

RandomBirth Draw(std::mt19937_64& rng) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  RandomBirth r;
  Birth& b = r.birth;
  CivilTime& t = b.local;
  t.year = pick(1901, 2050);
  t.month = pick(1, 12);
  t.day = pick(1, DaysInMonth(t.year, t.month));
  t.hour = pick(0, 23);
  t.minute = pick(0, 59);
  r.zoneIndex = pick(0, kZoneCount - 1);
  const ZoneShift shift = *ZoneShiftOf(r.zoneIndex);
  b.clock.offsetSeconds = -(shift.hours * 3600 + shift.minutes * 60);
  b.clock.zoneRow = r.zoneIndex;
  ArcAngle& lat = b.position.latitude;
  ArcAngle& lon = b.position.longitude;
  lat.degrees = static_cast<std::int16_t>(pick(0, 89));
  lat.minutes = static_cast<std::int16_t>(pick(0, 59));
  lon.degrees = static_cast<std::int16_t>(pick(0, 179));
  lon.minutes = static_cast<std::int16_t>(pick(0, 59));
  lon.positive = pick(0, 1) == 1;
  lat.positive = pick(0, 1) != 1;
  b.clock.daylightTick = pick(0, 1) == 1;
  return r;
}

std::string Describe(int n, const RandomBirth& r) {
  const CivilTime& t = r.birth.local;
  const ArcAngle& lat = r.birth.position.latitude;
  const ArcAngle& lon = r.birth.position.longitude;
  std::ostringstream out;
  out << "seed 0x" << std::hex << kSeed << std::dec << ", birth #" << n << ": " << t.year << "-"
      << t.month << "-" << t.day << " " << t.hour << ":" << t.minute << " zone " << r.zoneIndex
      << " lat " << lat.degrees << "°" << lat.minutes << (lat.positive ? "N" : "S") << " lon "
      << lon.degrees << "°" << lon.minutes << (lon.positive ? "E" : "W")
      << (r.birth.clock.daylightTick ? " DST" : "");
  return out.str();
}

// "DD Sss MM" for a position with a sign: its degree, its sign's
// abbreviation and its minute, each inside its range.
bool HasChartShape(const std::string& text, const BodyPosition& p) {
  auto two = [](int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
  };
  return p.sign >= 0 && p.sign < kSignCount && p.degrees >= 0 && p.degrees < 30 && p.minutes >= 0 &&
         p.minutes < 60 &&
         text == two(p.degrees) + " " + std::string(kSignAbbr[static_cast<std::size_t>(p.sign)]) +
                     " " + two(p.minutes);
}

TEST(EngineProperties, RandomBirthsGiveWellFormedCharts) {
  std::mt19937_64 rng(kSeed);
  int failures = 0;
  for (int n = 0; n < kBirthCount && failures < 10; ++n) {
    const RandomBirth r = Draw(rng);
    const Birth& b = r.birth;
    const TimeQuantities q = ComputeAscendant(b);
    const MoonPosition moon = ComputeMoonPosition(b);
    const PlanetPositions p = ComputePlanets(PlanetMomentOf(b, q));
    const BodyPositions bodies = BodyPositionsOf(q, moon, p, {});

    std::ostringstream problems;
    for (int body = 0; body < kBodyCount; ++body) {
      const BodyPosition& position = bodies[static_cast<std::size_t>(body)];
      const std::string text = PositionText(position);
      if (!HasChartShape(text, position)) {
        problems << " " << kChartLabelNames[static_cast<std::size_t>(body)] << " text [" << text
                 << "];";
      }
    }
    const double numbers[] = {q.UniversalTime,
                              q.CenturiesT,
                              q.ayanamsaDeg,
                              q.siderealTimeDeg,
                              q.ramcRad,
                              q.obliquityRad,
                              q.tropicalAscendantDeg,
                              q.AscendantDeg,
                              moon.centuriesJ2000,
                              moon.MoonTropical,
                              moon.MoonSidereal,
                              moon.NakStartDeg,
                              p.dayNumber,
                              p.rahuDeg,
                              p.ketuDeg,
                              p.sunLongitudeDeg,
                              p.siderealDeg[0],
                              p.siderealDeg[1],
                              p.siderealDeg[2],
                              p.siderealDeg[3],
                              p.siderealDeg[4],
                              p.siderealDeg[5]};
    for (double x : numbers) {
      if (!std::isfinite(x)) problems << " non-finite value;";
    }
    if (!(moon.MoonSidereal >= 0 && moon.MoonSidereal < 360)) {
      problems << " MoonSidereal " << moon.MoonSidereal << ";";
    }
    if (moon.nakshatraIndex < 0 || moon.nakshatraIndex > 26) {
      problems << " nakshatra " << moon.nakshatraIndex << ";";
    }
    // The Moon's sign is the sign of MoonSidereal.
    if (bodies[Body::Moon].sign != static_cast<int>(std::floor(moon.MoonSidereal / 30))) {
      problems << " Moon sign differs from MoonSidereal " << moon.MoonSidereal << ";";
    }
    // The ascendant's sign is Int(AscendantInt / 30).
    if (bodies[Body::Asc].sign != static_cast<int>(std::floor(q.AscendantInt / 30))) {
      problems << " ascendant sign differs from AscendantInt " << q.AscendantInt << ";";
    }
    const std::string found = problems.str();
    if (!found.empty()) {
      ++failures;
      ADD_FAILURE() << Describe(n, r) << ":" << found;
    }
  }
}

TEST(EngineProperties, DaylightSavingMovesTheBirthOneHourEarlier) {
  // With the zone's own sign deciding the direction, ticking daylight saving
  // always gives a universal time one hour earlier, east or west.
  std::mt19937_64 rng(kSeed + 1);
  for (int n = 0; n < 2000; ++n) {
    RandomBirth r = Draw(rng);
    r.birth.clock.daylightTick = false;
    const TimeQuantities plain = ComputeAscendant(r.birth);
    r.birth.clock.daylightTick = true;
    const TimeQuantities dst = ComputeAscendant(r.birth);
    ASSERT_NEAR(dst.UniversalTime, plain.UniversalTime - 1, kClockRoundingHours) << Describe(n, r);
    // And the zone itself: universal time = local time + signed shift.
    const ZoneShift shift = *ZoneShiftOf(r.zoneIndex);
    const double expected = plain.localTimeHours + shift.hours + shift.minutes / 60.0;
    ASSERT_NEAR(plain.UniversalTime, expected, kClockRoundingHours) << Describe(n, r);
  }
}

}  // namespace
}  // namespace orvanta
