// The chart's positions as numbers and their texts: sign, degree and minute
// within the sign, nakshatra, pada and navamsa, at the boundaries worked by
// hand (a nakshatra spans 13 deg 20 min, a pada and a navamsa 3 deg 20 min).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "chart/chart_text.h"
#include "chart/positions.h"
#include "chart/presentation.h"

namespace orvanta {
namespace {

struct Row {
  const char* name;
  double lonDeg;
  int sign, degrees, minutes, nakshatra, pada, navamsa;
  const char* text;
  const char* nakshatraName;
  const char* lord;  // of the nakshatra, in the Vimshottari order from Ashwini's Ketu
};

const Row kRows[] = {
    {"AriesStart", 0.0, 0, 0, 0, 0, 1, 0, "00 Ari 00", "Ashwini", "Ketu"},
    // 3 deg 20 min: the second pada of Ashwini, navamsa Taurus.
    {"SecondPada", 10.0 / 3 + 1e-9, 0, 3, 20, 0, 2, 1, "03 Ari 20", "Ashwini", "Ketu"},
    // 13 deg 20 min: Bharani begins.
    {"BharaniStart", 40.0 / 3 + 1e-9, 0, 13, 20, 1, 1, 4, "13 Ari 20", "Bharani", "Venus"},
    // 30 deg: Taurus, the third pada of Krittika, whose navamsa is Capricorn
    // (the tenth pada of the turn).
    {"TaurusStart", 30.0, 1, 0, 0, 2, 2, 9, "00 Tau 00", "Krittika", "Sun"},
    // New Delhi 1980 (test_planets): the Moon at 90.2206 deg, Punarvasu 4, Cancer navamsa.
    {"DelhiMoon", 90.220598267, 3, 0, 13, 6, 4, 3, "00 Can 13", "Punarvasu", "Jupiter"},
    {"LastMinute", 359.9999, 11, 29, 59, 26, 4, 11, "29 Pis 59", "Revati", "Mercury"},
    // The chart reads the absolute value.
    {"NegativeReadAsAbsolute", -5.5, 0, 5, 30, 0, 2, 1, "05 Ari 30", "Ashwini", "Ketu"},
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
    EXPECT_EQ(NakshatraName(p), r.nakshatraName);
    EXPECT_EQ(PadaText(p), std::to_string(r.pada));
    EXPECT_EQ(NakshatraLordName(p), r.lord);
  }
}

// The lords of the nakshatras where the nine repeat and a few in between,
// from the published table of the Vimshottari order: Magha and Mula begin
// the second and third rounds with Ketu; Chitra is Mars', Anuradha
// Saturn's, Shravana the Moon's, Shatabhisha Rahu's. A position without a
// sign has none of the three texts.
TEST(NakshatraTexts, LordsAndNoSign) {
  const struct {
    int nakshatra;
    const char* name;
    const char* lord;
  } lords[] = {
      {9, "Magha", "Ketu"},       {18, "Mula", "Ketu"},     {13, "Chitra", "Mars"},
      {16, "Anuradha", "Saturn"}, {21, "Shravana", "Moon"}, {23, "Shatabhisha", "Rahu"},
      {7, "Pushya", "Saturn"},    {12, "Hasta", "Moon"},    {25, "Uttara Bhadrapada", "Saturn"}};
  for (const auto& l : lords) {
    SCOPED_TRACE(l.name);
    // The middle of the nakshatra's third pada.
    const BodyPosition p = PositionOf(l.nakshatra * 40.0 / 3 + 2.5 * 10.0 / 3);
    EXPECT_EQ(p.nakshatra, l.nakshatra);
    EXPECT_EQ(NakshatraName(p), l.name);
    EXPECT_EQ(PadaText(p), "3");
    EXPECT_EQ(NakshatraLordName(p), l.lord);
  }
  const BodyPosition none = PositionOf(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(NakshatraName(none), "");
  EXPECT_EQ(PadaText(none), "");
  EXPECT_EQ(NakshatraLordName(none), "");
}

// Degrees, minutes and seconds within sign `sign` (0 = Aries) as a longitude.
double Dms(int sign, int degrees, int minutes, int seconds = 0) {
  return sign * 30.0 + degrees + minutes / 60.0 + seconds / 3600.0;
}

// The navamsa sign at and around each boundary of a fire, an earth, an air
// and a water sign, worked by hand: a sign's nine navamsas of 3 deg 20 min
// run on from Aries in a fire sign, from Capricorn in an earth sign, from
// Libra in an air sign and from Cancer in a water sign.
TEST(PositionOf, NavamsaAtEveryBoundary) {
  struct NavamsaRow {
    const char* name;
    double lonDeg;
    int navamsa;
  };
  const NavamsaRow rows[] = {
      {"Aries 0", Dms(0, 0, 0), 0},
      {"Aries 3 19 59", Dms(0, 3, 19, 59), 0},
      {"Aries 3 20", Dms(0, 3, 20), 1},
      {"Aries 26 39 59", Dms(0, 26, 39, 59), 7},
      {"Aries 26 40", Dms(0, 26, 40), 8},
      {"Aries 29 59 59", Dms(0, 29, 59, 59), 8},
      {"Taurus 0", Dms(1, 0, 0), 9},
      {"Taurus 3 19 59", Dms(1, 3, 19, 59), 9},
      {"Taurus 3 20", Dms(1, 3, 20), 10},
      {"Taurus 26 39 59", Dms(1, 26, 39, 59), 4},
      {"Taurus 26 40", Dms(1, 26, 40), 5},
      {"Taurus 29 59 59", Dms(1, 29, 59, 59), 5},
      {"Gemini 0", Dms(2, 0, 0), 6},
      {"Gemini 3 19 59", Dms(2, 3, 19, 59), 6},
      {"Gemini 3 20", Dms(2, 3, 20), 7},
      {"Gemini 26 39 59", Dms(2, 26, 39, 59), 1},
      {"Gemini 26 40", Dms(2, 26, 40), 2},
      {"Gemini 29 59 59", Dms(2, 29, 59, 59), 2},
      {"Cancer 0", Dms(3, 0, 0), 3},
      {"Cancer 3 19 59", Dms(3, 3, 19, 59), 3},
      {"Cancer 3 20", Dms(3, 3, 20), 4},
      {"Cancer 26 39 59", Dms(3, 26, 39, 59), 10},
      {"Cancer 26 40", Dms(3, 26, 40), 11},
      {"Cancer 29 59 59", Dms(3, 29, 59, 59), 11},
      // The turn closes: the last navamsa of Pisces (water) is Pisces, and
      // Aries begins again with Aries.
      {"Pisces 29 59 59", Dms(11, 29, 59, 59), 11},
      {"Sagittarius 26 40", Dms(8, 26, 40), 8},
      {"Virgo 26 40", Dms(5, 26, 40), 5},
      {"Aquarius 0", Dms(10, 0, 0), 6},
  };
  for (const NavamsaRow& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(PositionOf(r.lonDeg).navamsaSign, r.navamsa) << "longitude " << r.lonDeg;
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
