// Julian day numbers, the ayanamsa correction, the small angle helpers and
// the universal time and ascendant of ComputeAscendant.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/calendar.h"

namespace orvanta {
namespace {

// Four decimals, as the worked ayanamsa value is quoted.
constexpr double kFourDecimals = 0.5e-4;
// Values carried from the independent derivation with ten decimals.
constexpr double kDerivedDigits = 1e-9;
// Continuity of T across a change of date, in centuries (about 3 ns).
constexpr double kCenturiesContinuity = 1e-15;
// Universal time in seconds from hours: the double of a few hours holds
// far finer than a microsecond.
constexpr double kUtSecondsTolerance = 1e-6;

TEST(CalendarConstants, HaveTheStatedBitPatterns) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(calendar::kDegToRad), 0x3F91DF46A2529D3AULL);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(calendar::kRadToDeg), 0x404CA5DC1A63C1F5ULL);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(calendar::kPi), 0x400921FB54442D11ULL);
}

TEST(JulianDayNumber, WorkedExamples) {
  struct Row {
    const char* name;
    double month, day, year;
    double expected;  // worked examples of the calendar rules
  };
  const Row rows[] = {
      {"J2000 day", 1, 1, 2000, 2451545},
      {"1900 epoch day", 1, 1, 1900, 2415021},
      {"last Julian-calendar day", 10, 4, 1582, 2299160},
      // Almanac Julian day of 1 January 1583 (Gregorian) 12:00.
      {"first Gregorian new year", 1, 1, 1583, 2299239},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(JulianDayNumber(r.month, r.day, r.year), r.expected)
        << r.month << "/" << r.day << "/" << r.year;
  }
}

TEST(AyanamsaCorrection, AtTheEpochIsMinus22_4663) {
  // T = 0 is JD 2415020.0; the worked value is -22.4663 to four decimals.
  EXPECT_NEAR(AyanamsaCorrection(0), -22.4663, kFourDecimals);
}

// The correction's node is reduced by whole turns. Wherever turns can be
// counted one by one the value is that of the plain loop (subtracting 360
// is exact there); far beyond, or for a non-finite T, the call still ends.
TEST(AyanamsaCorrection, EndsForAnyCenturiesAndKeepsTheLoopsValue) {
  const auto looped = [](double T) {
    double nodeDeg = (933060 - 6962911 * T + 7.5 * (T * T)) / 3600;
    while (nodeDeg >= 360) nodeDeg = nodeDeg - 360;
    const double twiceSunDeg = (2013816 + 259205536 * T) / 3600;
    const double nutationArcsec = 17.23 * std::sin(nodeDeg * calendar::kDegToRad) +
                                  1.27 * std::sin(twiceSunDeg * calendar::kDegToRad);
    return (nutationArcsec - (5025.64 + 1.11 * T) * T - 80861.27) / 3600;
  };
  for (const double T : {-2.0, -0.5, 0.0, 0.8, 1.5, 3.0, -40.0, 100.0, 2000.0}) {
    SCOPED_TRACE(T);
    EXPECT_EQ(AyanamsaCorrection(T), looped(T));
  }
  // Each of these would never leave the plain loop.
  for (const double T :
       {1e12, -1e12, 1e200, std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(T);
    (void)AyanamsaCorrection(T);
  }
}

TEST(StepInto360, OneStepEachWay) {
  struct Row {
    const char* name;
    double in, expected;
  };
  const Row rows[] = {
      {"360 stays", 360, 360},
      {"negative raised once", -30, 330},
      {"one step only", 725, 365},
      {"in range unchanged", 12.5, 12.5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    double angle = r.in;
    EXPECT_EQ(StepInto360(angle), r.expected) << "input " << r.in;
    EXPECT_EQ(angle, r.expected) << "the argument is replaced";
  }
}

TEST(ArcTan2, QuadrantRules) {
  const double pi = calendar::kPi;
  struct Row {
    const char* name;
    double y, x, expected;
  };
  const Row rows[] = {
      {"negative x axis gives 0, not pi", 0, -1, 0},
      {"origin", 0, 0, 0},
      {"positive y axis", 2, 0, pi / 2},
      {"negative y axis", -2, 0, -pi / 2},
      {"first quadrant", 1, 1, std::atan(1.0)},
      {"second quadrant", 1, -1, pi - std::atan(1.0)},
      {"third quadrant", -1, -1, -(pi - std::atan(1.0))},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ArcTan2(r.y, r.x), r.expected) << "y " << r.y << " x " << r.x;
  }
}

TEST(SignDMS, Texts) {
  struct Row {
    const char* name;
    double angle;
    const char* expected;
  };
  const Row rows[] = {
      {"worked example 125.5", 125.5, "5° 30' 0\" Leo"},
      {"worked example 0.75", 0.75, "0° 45' 0\" Ari"},
      {"negative taken as absolute", -125.5, "5° 30' 0\" Leo"},
      {"exactly 360 has no sign letters", 360, "0° 0' 0\" "},
      {"last second of Pisces", 359.9999, "29° 59' 59\" Pis"},
      {"seconds truncated", 30 + 1.0 / 60 + 59.9 / 3600, "0° 1' 59\" Tau"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    double angle = r.angle;
    EXPECT_EQ(SignDMS(angle), r.expected) << "angle " << r.angle;
    EXPECT_EQ(angle, std::fabs(r.angle)) << "the argument becomes its absolute value";
  }
}

TEST(SignDMS, NonFiniteGivesEmptyText) {
  double nan = std::nan("");
  double inf = HUGE_VAL;
  EXPECT_EQ(SignDMS(nan), "");
  EXPECT_EQ(SignDMS(inf), "");
}

// A birth on 15 June 1980 at 40N00 with the zone list's correction from
// clock time to universal time (hours and minutes of one sign).
Birth Born(int hour, int minute, int shiftHours, int shiftMinutes, int lonDeg, int lonMin,
           bool east, bool dst) {
  Birth b;
  b.local = CivilTime{1980, 6, 15, hour, minute, 0};
  b.clock.offsetSeconds = -(shiftHours * 3600 + shiftMinutes * 60);
  b.clock.daylightTick = dst;
  b.position.longitude = {static_cast<std::int16_t>(lonDeg), static_cast<std::int16_t>(lonMin),
                          east};
  b.position.latitude = {40, 0, true};
  return b;
}

// The zone's own sign decides the direction of the correction, daylight
// saving follows it, and a zone of 0 keeps the longitude rule. Expected
// values are clock arithmetic by hand.
TEST(TimeCalculation, UniversalTimeFollowsTheZone) {
  struct Row {
    const char* name;
    Birth birth;
    double expectedUt;
  };
  const Row rows[] = {
      {"Madrid 10:00 CET, west of Greenwich", Born(10, 0, -1, 0, 3, 42, false, false), 9},
      {"Madrid 10:00 CET with daylight saving", Born(10, 0, -1, 0, 3, 42, false, true), 8},
      {"Delhi 10:30 IST", Born(10, 30, -5, -30, 77, 12, true, false), 5},
      {"east on IST with daylight saving subtracts 6.5 h",
       Born(10, 30, -5, -30, 77, 12, true, true), 4},
      {"west on EST with daylight saving adds 4 h", Born(10, 0, 5, 0, 74, 0, false, true), 14},
      {"longitude 0 on EST counts as west", Born(10, 0, 5, 0, 0, 0, true, false), 15},
      {"St. John's 10:00 NST adds 3.5 h", Born(10, 0, 3, 30, 52, 43, false, false), 13.5},
      {"London on BST", Born(10, 0, -1, 0, 0, 7, false, false), 9},
      {"GMT west with daylight saving", Born(10, 0, 0, 0, 0, 7, false, true), 9},
      {"GMT east with daylight saving", Born(10, 0, 0, 0, 10, 0, true, true), 9},
      {"GMT without daylight saving", Born(10, 0, 0, 0, 10, 0, true, false), 10},
      {"after midnight east: negative, no change of date",
       Born(0, 30, -5, -30, 77, 12, true, false), -5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TimeQuantities q = ComputeAscendant(r.birth);
    EXPECT_EQ(q.UniversalTime, r.expectedUt);
    EXPECT_EQ(q.JulianDay, 2444406) << "15 June 1980 whatever the universal time";
  }
}

// Kathmandu kept its mean time, +5:41:16, until 1920 (tz database,
// Asia/Kathmandu "LMT"): 10:00 on 15 January 1901 is 04:18:44 UT, to the
// second, in the hours the ascendant and the Moon start from.
TEST(TimeCalculation, ClockWithSecondsReachesUniversalTime) {
  Birth b = Born(10, 0, 0, 0, 85, 19, true, false);
  b.local = CivilTime{1901, 1, 15, 10, 0, 0};
  b.clock.offsetSeconds = 5 * 3600 + 41 * 60 + 16;
  const TimeQuantities q = ComputeAscendant(b);
  EXPECT_NEAR(q.UniversalTime * 3600, 4 * 3600 + 18 * 60 + 44, kUtSecondsTolerance);
}

TEST(TimeCalculation, CenturiesContinueAcrossMidnight) {
  // 00:30 IST on 16 June is 19:00 UT on 15 June: the date stays, the
  // universal time goes negative, and T is the same instant.
  Birth early = Born(0, 30, -5, -30, 77, 12, true, false);
  early.local.day = 16;
  const Birth evening = Born(19, 0, 0, 0, 0, 0, false, false);
  const TimeQuantities a = ComputeAscendant(early);
  const TimeQuantities b = ComputeAscendant(evening);
  EXPECT_EQ(a.UniversalTime, -5);
  EXPECT_EQ(a.JulianDay, b.JulianDay + 1);
  EXPECT_NEAR(a.CenturiesT, b.CenturiesT, kCenturiesContinuity);
}

TEST(TimeCalculation, HandCheckedDelhiBirth) {
  // 15 June 1980 10:30 IST, 28°36'N 77°12'E. Expected values from
  // tools/skycheck/derive_positions.py, an independent float derivation.
  Birth b = Born(10, 30, -5, -30, 77, 12, true, false);
  b.position.latitude = {28, 36, true};
  const TimeQuantities q = ComputeAscendant(b);
  EXPECT_EQ(q.UniversalTime, 5);
  EXPECT_NEAR(q.CenturiesT, 0.804536846909, 1e-12);
  EXPECT_NEAR(q.ayanamsaDeg, 23.5818542580, kDerivedDigits);
  EXPECT_NEAR(q.siderealTimeDeg, 55.83681431, 1e-8);
  EXPECT_NEAR(q.tropicalAscendantDeg, 150.08673273, 1e-8);
  EXPECT_NEAR(q.AscendantDeg, 126.504878475, kDerivedDigits);
  EXPECT_EQ(q.AscendantInt, 126);
  EXPECT_EQ(q.AscendantText, "6° 30' 17\" Leo");
}

TEST(TimeCalculation, SouthernLatitudeMovesTheAscendant) {
  // Same sky, mirrored latitude: the ascendant changes but stays a valid
  // angle in 0..360 (property of the formula, no expected digits).
  Birth north = Born(10, 30, -5, -30, 77, 12, true, false);
  Birth south = north;
  south.position.latitude.positive = false;
  const TimeQuantities n = ComputeAscendant(north);
  const TimeQuantities s = ComputeAscendant(south);
  EXPECT_NE(n.tropicalAscendantDeg, s.tropicalAscendantDeg);
  EXPECT_GE(s.AscendantDeg, 0);
  EXPECT_LE(s.AscendantDeg, 360);
}

}  // namespace
}  // namespace orvanta
