// The chart's positions as numbers and their texts: sign, degree and minute
// within the sign, nakshatra, pada and navamsa, at the boundaries worked by
// hand (a nakshatra spans 13 deg 20 min, a pada and a navamsa 3 deg 20 min).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "chart/positions.h"
#include "chart/presentation.h"

namespace orvanta {
namespace {

struct Row {
  const char* name;
  double lonDeg;
  int sign, degrees, minutes, nakshatra, pada, navamsa;
  const char* text;
};

const Row kRows[] = {
    {"AriesStart", 0.0, 0, 0, 0, 0, 1, 0, "00 Ari 00"},
    // 3 deg 20 min: the second pada of Ashwini, navamsa Taurus.
    {"SecondPada", 10.0 / 3 + 1e-9, 0, 3, 20, 0, 2, 1, "03 Ari 20"},
    // 13 deg 20 min: Bharani begins.
    {"BharaniStart", 40.0 / 3 + 1e-9, 0, 13, 20, 1, 1, 4, "13 Ari 20"},
    // 30 deg: Taurus, the third pada of Krittika, whose navamsa is Capricorn
    // (the tenth pada of the turn).
    {"TaurusStart", 30.0, 1, 0, 0, 2, 2, 9, "00 Tau 00"},
    // New Delhi 1980 (test_planets): the Moon at 90.2206 deg, Punarvasu 4, Cancer navamsa.
    {"DelhiMoon", 90.220598267, 3, 0, 13, 6, 4, 3, "00 Can 13"},
    {"LastMinute", 359.9999, 11, 29, 59, 26, 4, 11, "29 Pis 59"},
    // The chart reads the absolute value.
    {"NegativeReadAsAbsolute", -5.5, 0, 5, 30, 0, 2, 1, "05 Ari 30"},
};

TEST(PositionOf, BoundariesByHand) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    const BodyPosition p = PositionOf(r.lonDeg);
    EXPECT_EQ(p.longitudeDeg, r.lonDeg);
    EXPECT_EQ(p.sign, r.sign);
    EXPECT_EQ(p.degrees, r.degrees);
    EXPECT_EQ(p.minutes, r.minutes);
    EXPECT_EQ(p.nakshatra, r.nakshatra);
    EXPECT_EQ(p.pada, r.pada);
    EXPECT_EQ(p.navamsaSign, r.navamsa);
    EXPECT_EQ(PositionText(p), r.text);
  }
}

// A reduction that stopped at exactly 360, or no number at all, has no sign:
// the chart writes the angle's digits without sign letters, as it always has.
TEST(PositionOf, NoSignAt360OrNotFinite) {
  for (double lon : {360.0, 725.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(lon);
    const BodyPosition p = PositionOf(lon);
    EXPECT_EQ(p.sign, -1);
    EXPECT_EQ(p.nakshatra, -1);
    EXPECT_EQ(p.pada, 0);
    EXPECT_EQ(p.navamsaSign, -1);
  }
  EXPECT_EQ(PositionText(PositionOf(360.0)), "00 0\" 00");
  EXPECT_EQ(PositionText(PositionOf(std::numeric_limits<double>::quiet_NaN())), "0  0");
}

}  // namespace
}  // namespace orvanta
