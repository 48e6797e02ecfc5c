// Planetary longitudes, the lunar node, the universal-time moment and the
// chart form of position texts.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "chart/presentation.h"
#include "engine/calendar.h"
#include "engine/lunar_node.h"
#include "engine/moon.h"
#include "engine/planets.h"

namespace orvanta {
namespace {

// Values carried from the independent derivation with nine decimals.
constexpr double kDerivedDigits = 1e-8;
// Newton's solution of Kepler's equation satisfies it to this many radians.
constexpr double kKeplerResidualRad = 1e-12;
// 180/3.1416 instead of 180/pi lowers a node of up to 360 deg by < 0.00085 deg.
constexpr double kRoundedPiDeg = 0.00085;

TEST(PlanetConstants, KeplerToleranceHasTheStatedBitPattern) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(planets::kKeplerToleranceRad), 0x3D719799812DEA11ULL);
}

TEST(DayNumber, CountsDaysFromJ2000) {
  struct Row {
    const char* name;
    double year, month, day, hour, minute;
    double expected;  // days from JD 2451545.0, by hand from the Julian days
  };
  const Row rows[] = {
      {"J2000.0 itself", 2000, 1, 1, 12, 0, 0},
      {"midnight before", 2000, 1, 1, 0, 0, -0.5},
      {"1 March 2000 (leap February)", 2000, 3, 1, 12, 0, 60},
      {"1 January 1901 00:00", 1901, 1, 1, 0, 0, 2415385.5 - 2451545},
      {"31 December 2050 18:00", 2050, 12, 31, 18, 0, 2470172.25 - 2451545},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(DayNumber(r.year, r.month, r.day, r.hour, r.minute), r.expected);
  }
}

TEST(PlanetElements, AtJ2000AreTheTableValues) {
  // d = 0: the J2000 column of the element table, angles in radians.
  const double k = calendar::kDegToRad;
  struct Row {
    const char* name;
    int index;
    double a, e, iDeg, nodeDeg, perihelionDeg, meanLongitudeDeg;
  };
  const Row rows[] = {
      {"Mercury", 0, 0.38709893, 0.20563069, 7.00487, 48.33167, 77.45645, 252.25084},
      {"Venus", 1, 0.72333199, 0.00677323, 3.39471, 76.68069, 131.53298, 181.97973},
      {"Earth", 2, 1.00000011, 0.01671022, 0.00005, -11.26064, 102.94719, 100.46435},
      {"Mars", 3, 1.52366231, 0.09341233, 1.85061, 49.57854, 336.04084, 355.45332},
      {"Jupiter", 4, 5.20336301, 0.04839266, 1.3053, 100.55615, 14.75385, 34.40438},
      {"Saturn", 5, 9.53707032, 0.0541506, 2.48446, 113.71504, 92.43194, 49.94432},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const OrbitalElements el = PlanetElements(r.index, 0);
    EXPECT_EQ(el.a, r.a);
    EXPECT_EQ(el.e, r.e);
    EXPECT_EQ(el.iRad, r.iDeg * k);
    EXPECT_EQ(el.nodeRad, r.nodeDeg * k);
    EXPECT_EQ(el.perihelionRad, r.perihelionDeg * k);
    EXPECT_EQ(el.meanLongitudeRad, r.meanLongitudeDeg * k);
  }
}

TEST(PlanetElements, RatesArePerCentury) {
  // One century on (d = 36525): Mercury's L grows by 538101628.29".
  const OrbitalElements el = PlanetElements(0, 36525);
  EXPECT_EQ(el.meanLongitudeRad, (252.25084 + 538101628.29 / 3600) * calendar::kDegToRad);
  EXPECT_EQ(el.a, 0.38709893 + 0.00000066);
}

TEST(MeanAnomaly2Pi, ReducesIntoOneTurn) {
  const double turn = planets::kTwoPi;
  struct Row {
    const char* name;
    double x, expected;
  };
  const Row rows[] = {
      {"zero", 0, 0},
      {"inside", 1, 1},
      {"one turn and one", turn + 1, (((turn + 1) / turn) - 1) * turn},
      {"negative", -1, (-1 / turn) * turn + turn},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const double m = MeanAnomaly2Pi(r.x);
    EXPECT_EQ(m, r.expected) << "x " << r.x;
    EXPECT_GE(m, 0);
    EXPECT_LT(m, turn);
  }
}

TEST(TrueAnomaly, SolvesKeplersEquation) {
  struct Row {
    const char* name;
    double M, e;
  };
  const Row rows[] = {
      {"circle", 1.2, 0}, {"Earth", 2.0, 0.0167}, {"Mercury", 0.3, 0.2056}, {"steep", 3.0, 0.9}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const double v = TrueAnomaly(r.M, r.e);
    // Back from the true to the eccentric anomaly, then Kepler's equation.
    const double E = 2 * std::atan(std::sqrt((1 - r.e) / (1 + r.e)) * std::tan(v / 2));
    double m = E - r.e * std::sin(E);
    if (m < 0) m += planets::kTwoPi;
    EXPECT_NEAR(m, r.M, kKeplerResidualRad) << "v " << v;
  }
  EXPECT_NEAR(TrueAnomaly(1.2, 0), 1.2, kKeplerResidualRad) << "a circle has v = M";
  EXPECT_TRUE(std::isnan(TrueAnomaly(std::nan(""), 0.1))) << "a NaN ends, it does not hang";
}

TEST(FormatPosition, ChartForm) {
  struct Row {
    const char* name;
    const char* text;
    const char* expected;  // by the character rule: Left/Mid/Right on the marks
  };
  const Row rows[] = {
      {"worked example 5 deg 7 min Leo", "5° 7' 0\" Leo", "05 Leo 07"},
      {"two digits stay", "25° 23' 47\" Gem", "25 Gem 23"},
      {"degrees padded, minutes kept", "1° 16' 6\" Gem", "01 Gem 16"},
      {"surrounding blanks trimmed", "   10° 5' 0\" Ari   ", "10 Ari 05"},
      {"sign text of exactly 360", "0° 0' 0\" ", "00 0\" 00"},
      {"empty text", "", "0  0"},
      {"no marks at all", "no marks here", "0 ere 0"},
      {"minute mark before degree mark", "12' 5° Leo", "12' 5 Leo 0"},
      {"minute mark only", "7' Leo", "0 Leo 07"},
      {"degree marks only", "°°°", "0 °°° 0"},
      {"short text", "5°", "05 5° 0"},
      {"multi-byte characters at the end", "1° 2' x°y", "01 x°y 02"},
      {"multi-byte characters before the degree", "é° 3' Vir", "0é Vir 03"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ChartFormOfPosition(r.text), r.expected) << "text [" << r.text << "]";
  }
}

TEST(FormatPosition, SurvivesMalformedUtf8) {
  // Stray continuation bytes and a cut-off degree mark: any text, no crash.
  const std::string texts[] = {"\x80\x80", "5\xC2", "\xB0' \xC2", std::string(1, '\0')};
  for (const std::string& t : texts) {
    SCOPED_TRACE(t);
    const std::string out = ChartFormOfPosition(t);
    EXPECT_GE(out.size(), 4u);
  }
}

PlanetMoment Moment(int year, int month, int day, int hour, int minute, int shiftHours,
                    int shiftMinutes) {
  PlanetMoment m;
  m.year = year;
  m.month = month;
  m.day = day;
  m.hour = hour;
  m.minute = minute;
  m.offsetSeconds = -(shiftHours * 3600 + shiftMinutes * 60);
  m.ayanamsaDeg = 23.5;
  return m;
}

PlanetMoment Kathmandu1901() {
  PlanetMoment m = Moment(1901, 1, 15, 10, 0, 0, 0);
  m.offsetSeconds = 5 * 3600 + 41 * 60 + 16;
  return m;
}

TEST(PlanetCalculation, UniversalTimeRollsTheDateOver) {
  struct Row {
    const char* name;
    PlanetMoment moment;
    const char* expectedUt;  // clock arithmetic by hand
  };
  const Row rows[] = {
      {"IST back over new year", Moment(1980, 1, 1, 2, 0, -5, -30), "1979-12-31 20:30"},
      {"EST forward over new year", Moment(2000, 12, 31, 22, 0, 5, 0), "2001-01-01 03:00"},
      {"leap day into March", Moment(2000, 2, 29, 23, 0, 5, 0), "2000-03-01 04:00"},
      {"Newfoundland minutes carry", Moment(1999, 6, 30, 20, 45, 3, 30), "1999-07-01 00:15"},
      {"NZST back into February", Moment(2001, 3, 1, 5, 0, -13, 0), "2001-02-28 16:00"},
      // Kathmandu's mean time, +5:41:16: 04:18:44, its seconds dropped.
      {"a clock to the second", Kathmandu1901(), "1901-01-15 04:18"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const PlanetPositions p = ComputePlanets(r.moment);
    EXPECT_EQ(FormatIsoMinute(p.universalTime), r.expectedUt);
    const CivilTime c = Split(p.universalTime);
    EXPECT_EQ(p.dayNumber, DayNumber(c.year, c.month, c.day, c.hour, c.minute));
  }
}

TEST(PlanetCalculation, J2000NoonGivesDayZero) {
  const PlanetPositions p = ComputePlanets(Moment(2000, 1, 1, 12, 0, 0, 0));
  EXPECT_EQ(p.dayNumber, 0);
}

TEST(PlanetCalculation, RahuAndKetu) {
  for (int year = 1901; year <= 2050; year += 7) {
    SCOPED_TRACE(year);
    const PlanetMoment m = Moment(year, 5, 17, 6, 40, 0, 0);
    const PlanetPositions p = ComputePlanets(m);
    // Ketu is Rahu + 180 reduced once.
    const double ketu = p.rahuDeg + 180 > 360 ? p.rahuDeg + 180 - 360 : p.rahuDeg + 180;
    EXPECT_EQ(p.ketuDeg, ketu);
    // Rahu is one degree below the sidereal mean node.
    double node = std::fmod(125.1228 - 0.0529538083 * p.dayNumber, 360.0);
    if (node < 0) node += 360;
    double expected = std::fmod(node - 1 - m.ayanamsaDeg + 720, 360.0);
    double diff = std::remainder(p.rahuDeg - expected, 360.0);
    EXPECT_NEAR(diff, 0, kRoundedPiDeg) << "rahu " << p.rahuDeg << " expected " << expected;
  }
}

TEST(PlanetCalculation, SunIsTheEarthsOrbitSeenBack) {
  const PlanetPositions p = ComputePlanets(Moment(1995, 3, 21, 6, 0, -5, -30));
  EXPECT_EQ(p.sunLongitudeDeg, p.siderealDeg[2]);
}

Birth DelhiBirth() {
  Birth b;
  b.local = CivilTime{1980, 6, 15, 10, 30, 0};
  b.clock.offsetSeconds = 5 * 3600 + 30 * 60;  // "Indian Time, IST, +5.3", list position 34
  b.clock.zoneRow = 34;
  b.position = {{28, 36, true}, {77, 12, true}};
  return b;
}

TEST(PlanetCalculation, HandCheckedDelhiBirth) {
  // 15 June 1980 10:30 IST, 28°36'N 77°12'E, no daylight saving. Every
  // expected value comes from tools/skycheck/derive_positions.py, a separate
  // plain-float derivation of the same formulas (not this code).
  const Birth b = DelhiBirth();
  const TimeQuantities q = ComputeAscendant(b);
  const MoonPosition moon = ComputeMoonPosition(b);
  const PlanetPositions p = ComputePlanets(PlanetMomentOf(b, q));
  const BodyPositions bodies = BodyPositionsOf(q, moon, p, {});

  EXPECT_EQ(FormatIsoMinute(p.universalTime), "1980-06-15 05:00");
  EXPECT_NEAR(p.dayNumber, -7139.2916666667, 1e-9);

  struct Row {
    Body body;
    const char* expectedText;
    double expectedDeg;
  };
  const Row rows[] = {
      {Sun, "00 Gem 40", 60.669240592},     {Moon, "00 Can 13", 90.220598267},
      {Mercury, "25 Gem 07", 85.123635965}, {Venus, "00 Gem 49", 60.828849196},
      {Mars, "23 Leo 03", 143.053156696},   {Jupiter, "10 Leo 09", 130.157194492},
      {Saturn, "27 Leo 06", 147.114413341}, {Rahu, "28 Can 35", 118.593293251},
      {Ketu, "28 Cap 35", 298.593293251},   {Asc, "06 Leo 30", 126.504878475},
  };
  // Heliocentric index of each planet body (Sun from the Earth's orbit).
  const int helio[] = {2, -1, 0, 1, 3, 4, 5};
  for (const Row& r : rows) {
    SCOPED_TRACE(kChartLabelNames[static_cast<std::size_t>(r.body)]);
    EXPECT_EQ(PositionText(bodies[static_cast<std::size_t>(r.body)]), r.expectedText);
    double actual = 0;
    if (r.body == Moon) {
      actual = moon.MoonSidereal;
    } else if (r.body == Rahu) {
      actual = p.rahuDeg;
    } else if (r.body == Ketu) {
      actual = p.ketuDeg;
    } else if (r.body == Asc) {
      actual = q.AscendantDeg;
    } else {
      actual = p.siderealDeg[static_cast<std::size_t>(helio[r.body])];
    }
    EXPECT_NEAR(actual, r.expectedDeg, kDerivedDigits);
  }
}

TEST(PlanetCalculation, DaylightSavingMovesThePlanetsWithTheMoon) {
  // Madrid 10:00 CET with daylight saving: the clock runs two hours ahead of
  // universal time, so the ascendant, the Moon and the planets all use 08:00.
  Birth b = DelhiBirth();
  b.clock.offsetSeconds = 3600;
  b.clock.zoneRow = 20;
  b.local.hour = 10;
  b.local.minute = 0;
  b.position.longitude = {3, 42, false};
  b.clock.daylightTick = true;
  const TimeQuantities q = ComputeAscendant(b);
  const PlanetPositions p = ComputePlanets(PlanetMomentOf(b, q));
  EXPECT_EQ(q.UniversalTime, 8);
  EXPECT_EQ(FormatIsoMinute(p.universalTime), "1980-06-15 08:00");
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

// A clock moment of the form's years (days 1..28, valid in every month).
PlanetMoment RandomMoment(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  PlanetMoment m;
  m.year = pick(1901, 2050);
  m.month = pick(1, 12);
  m.day = pick(1, 28);
  m.hour = pick(0, 23);
  m.minute = pick(0, 59);
  return m;
}

// The sunrise pass computes the Sun alone; it must give exactly the Sun of
// the full pass for the same moment.
TEST(SunrisePass, SunIsBitIdenticalToTheFullPass) {
  std::mt19937 rng(1980615);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int n = 0; n < 2000; ++n) {
    PlanetMoment m = RandomMoment(rng);
    m.offsetSeconds = -3600 * pick(-13, 12);
    m.ayanamsaDeg = 22.0 + pick(0, 2000) / 1000.0;
    const PlanetPositions full = ComputePlanets(m);
    const SunAtMoment sun = SunriseSunPosition(m);
    SCOPED_TRACE(std::to_string(m.year) + "-" + std::to_string(m.month) + "-" +
                 std::to_string(m.day) + " " + std::to_string(m.hour) + ":" +
                 std::to_string(m.minute));
    ASSERT_EQ(sun.sunLongitudeDeg, full.sunLongitudeDeg);
  }
}

// The Rahu node choice's own point is the chart's Rahu before its ayanamsa:
// over random moments the two forms of the rule must not drift apart.
TEST(PlanetCalculation, RahuIsTheProgramNodeChoiceMadeSidereal) {
  constexpr double kSameArithmeticDeg = 1e-9;
  constexpr double kAyanamsaDeg = 23.5;
  std::mt19937 rng(25);
  for (int n = 0; n < 2000; ++n) {
    PlanetMoment m = RandomMoment(rng);
    m.ayanamsaDeg = kAyanamsaDeg;
    const PlanetPositions engine = ComputePlanets(m);
    const double jd = 2451545.0 + engine.dayNumber;
    const double programDeg = NodeLongitudeDeg(NodeChoice::Program, jd).value_or(NAN);
    EXPECT_NEAR(std::remainder(programDeg - (engine.rahuDeg + kAyanamsaDeg), 360.0), 0,
                kSameArithmeticDeg)
        << m.year << "-" << m.month << "-" << m.day << " " << m.hour << ":" << m.minute
        << " UT: program node " << programDeg << ", Rahu " << engine.rahuDeg << " + "
        << kAyanamsaDeg;
  }
}

}  // namespace
}  // namespace orvanta
