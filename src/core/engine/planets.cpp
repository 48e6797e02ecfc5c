#include "engine/planets.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "engine/ayanamsa.h"
#include "engine/calendar.h"
#include "engine/lunar_node.h"

namespace orvanta {

namespace {

// J2000 value and rate per Julian century of one element.
struct ElementRate {
  double base;
  double perCentury;  // a, e: own unit per century; angles: arcseconds per century
};

struct ElementRow {
  const char* body;
  ElementRate a, e, iDeg, nodeDeg, perihelionDeg, meanLongitudeDeg;
};

// Keplerian elements for approximate positions of the major planets (JPL),
// mean ecliptic and equinox of J2000, valid 1800-2050; heliocentric order.
inline constexpr std::array<ElementRow, 6> kElements = {{
    {"Mercury",
     {0.38709893, +0.00000066},
     {0.20563069, +0.00002527},
     {7.00487, -23.51},
     {48.33167, -446.3},
     {77.45645, +573.57},
     {252.25084, +538101628.29}},
    {"Venus",
     {0.72333199, +0.00000092},
     {0.00677323, -0.00004938},
     {3.39471, -2.86},
     {76.68069, -996.89},
     {131.53298, -108.8},
     {181.97973, +210664136.06}},
    {"Earth",
     {1.00000011, -0.00000005},
     {0.01671022, -0.00003804},
     {0.00005, -46.94},
     {-11.26064, -18228.25},
     {102.94719, +1198.28},
     {100.46435, +129597740.63}},
    {"Mars",
     {1.52366231, -0.00007221},
     {0.09341233, +0.00011902},
     {1.85061, -25.47},
     {49.57854, -1020.19},
     {336.04084, +1560.78},
     {355.45332, +68905103.78}},
    {"Jupiter",
     {5.20336301, +0.00060737},
     {0.04839266, -0.0001288},
     {1.3053, -4.15},
     {100.55615, +1217.17},
     {14.75385, +839.93},
     {34.40438, +10925078.35}},
    {"Saturn",
     {9.53707032, -0.0030153},
     {0.0541506, -0.00036762},
     {2.48446, +6.11},
     {113.71504, -1591.05},
     {92.43194, -1948.89},
     {49.94432, +4401052.95}},
}};

inline constexpr int kEarthIndex = 2;

double AngleRad(const ElementRate& rate, double T) {
  return (rate.base + rate.perCentury * T / 3600) * calendar::kDegToRad;
}

// Heliocentric ecliptic position of one orbit, AU.
struct Vector3 {
  double x = 0, y = 0, z = 0;
};

// ---- Character-based text helpers on UTF-8 ----
// A character starts at every byte that is not a continuation byte
// (10xxxxxx); "°" is two bytes but one character.

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CharCount(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (i == 0 || !IsContinuation(s[i])) ++n;
  }
  return n;
}

// Blanks only, as the chart texts use them.
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The last `count` characters (the whole text when it is shorter).
std::string_view RightChars(std::string_view s, std::size_t count) {
  std::size_t start = s.size();
  for (std::size_t taken = 0; taken < count && start > 0;) {
    --start;
    if (start == 0 || !IsContinuation(s[start])) ++taken;
  }
  return s.substr(start);
}

// Appends a number text, with a leading "0" when it is one character or none.
void AppendPaddedTwo(std::string& out, std::string_view s) {
  if (CharCount(s) <= 1) out += '0';
  out.append(s.data(), s.size());
}

}  // namespace

double DayNumber(double year, double month, double day, double hour, double minute) {
  return 367 * year - std::floor(7 * (year + std::floor((month + 9) / 12)) / 4) +
         std::floor(275 * month / 9) + day - 730531.5 + (hour + minute / 60) / 24;
}

OrbitalElements PlanetElements(int index, double d) {
  OrbitalElements el;
  if (index < 0 || index >= static_cast<int>(kElements.size())) return el;
  const ElementRow& row = kElements[static_cast<std::size_t>(index)];
  const double T = d / 36525;
  el.a = row.a.base + row.a.perCentury * T;
  el.e = row.e.base + row.e.perCentury * T;
  el.iRad = AngleRad(row.iDeg, T);
  el.nodeRad = AngleRad(row.nodeDeg, T);
  el.perihelionRad = AngleRad(row.perihelionDeg, T);
  el.meanLongitudeRad = AngleRad(row.meanLongitudeDeg, T);  // not reduced
  return el;
}

double MeanAnomaly2Pi(double x) {
  using planets::kTwoPi;
  const double q = x / kTwoPi;
  const double f = q - (q >= 0 ? std::floor(q) : std::floor(q) + 1);
  double result = f * kTwoPi;
  if (result < 0) result = result + kTwoPi;
  return result;
}

double TrueAnomaly(double meanAnomaly, double e) {
  const double M = meanAnomaly;
  double E = M + e * std::sin(M) * (1 + e * std::cos(M));
  for (int step = 0; step < planets::kKeplerMaxIterations; ++step) {
    const double E0 = E;
    E = E0 - (E0 - e * std::sin(E0) - M) / (1 - e * std::cos(E0));
    if (std::fabs(E - E0) <= planets::kKeplerToleranceRad) break;
  }
  double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
  if (v < 0) v = v + planets::kTwoPi;
  return v;
}

namespace {

// The Earth's heliocentric position in the ecliptic (its inclination and
// node are not used), AU.
struct EarthXY {
  double x = 0, y = 0;
};

EarthXY EarthPosition(double d) {
  const OrbitalElements earth = PlanetElements(kEarthIndex, d);
  const double Me = MeanAnomaly2Pi(earth.meanLongitudeRad - earth.perihelionRad);
  const double ve = TrueAnomaly(Me, earth.e);
  const double re = earth.a * (1 - earth.e * earth.e) / (1 + earth.e * std::cos(ve));
  return {re * std::cos(ve + earth.perihelionRad), re * std::sin(ve + earth.perihelionRad)};
}

// Geocentric longitude of body `index` seen from the Earth at `earth`; for
// the Earth's own index the body is the Sun at the origin.
double GeoLongitudeFrom(int index, double d, const EarthXY& earth) {
  Vector3 planet;
  if (index != kEarthIndex) {
    const OrbitalElements el = PlanetElements(index, d);
    const double M = MeanAnomaly2Pi(el.meanLongitudeRad - el.perihelionRad);
    const double v = TrueAnomaly(M, el.e);
    const double r = el.a * (1 - el.e * el.e) / (1 + el.e * std::cos(v));
    const double u = v + el.perihelionRad - el.nodeRad;
    planet.x = r * (std::cos(el.nodeRad) * std::cos(u) -
                    std::sin(u) * std::sin(el.nodeRad) * std::cos(el.iRad));
    planet.y = r * (std::sin(el.nodeRad) * std::cos(u) +
                    std::sin(u) * std::cos(el.nodeRad) * std::cos(el.iRad));
    planet.z = r * std::sin(u) * std::sin(el.iRad);
  }
  double lonDeg = ArcTan2(planet.y - earth.y, planet.x - earth.x) * 180 / planets::kPi;
  if (!std::isfinite(lonDeg)) return lonDeg;
  while (lonDeg > 360) lonDeg = lonDeg - 360;
  while (lonDeg < 0) lonDeg = lonDeg + 360;
  return lonDeg;
}

// Universal time of a pass: the clock time less the clock's offset, with
// calendar arithmetic so that the date, month and year roll over; the
// seconds an offset to the second leaves are dropped, as the clock time's
// own seconds are.
LocalDateTime UniversalMinute(const PlanetMoment& moment) {
  const LocalDateTime ut =
      MakeDateTime(moment.year, moment.month, moment.day, moment.hour, moment.minute) -
      std::chrono::seconds{moment.offsetSeconds};
  return std::chrono::floor<std::chrono::minutes>(ut);
}

double DayNumberOf(LocalDateTime ut) {
  const CivilTime c = Split(ut);
  return DayNumber(c.year, c.month, c.day, c.hour, c.minute);
}

// Sidereal longitude of heliocentric index `index`: the tropical longitude
// of J2000 carried to the equinox of the date, minus the magnitude of the
// ayanamsa (which is of the date), raised into 0..360.
double SiderealLongitude(int index, double d, const EarthXY& earth, double ayanamsaDeg) {
  double lonDeg = GeoLongitudeFrom(index, d, earth);
  lonDeg = lonDeg + PrecessionFromJ2000Deg(d);
  lonDeg = lonDeg - ayanamsaDeg;
  if (std::isfinite(lonDeg)) {
    while (lonDeg < 0) lonDeg = lonDeg + 360;
  }
  return lonDeg;
}

}  // namespace

PlanetMoment PlanetMomentOf(const Birth& birth, const TimeQuantities& time) {
  return PlanetMomentOf(birth, birth.local, time);
}

PlanetMoment PlanetMomentOf(const Birth& birth, const CivilTime& clock,
                            const TimeQuantities& time) {
  PlanetMoment m;
  m.year = clock.year;
  m.month = clock.month;
  m.day = clock.day;
  m.hour = clock.hour;
  m.minute = clock.minute;
  m.offsetSeconds = OffsetSecondsWithTick(birth.clock);
  m.ayanamsaDeg = time.ayanamsaDeg;
  return m;
}

double PrecessionFromJ2000Deg(double d) {
  using planets::kPrecessionArcsecPerCentury;
  using planets::kPrecessionArcsecPerCenturySquared;
  const double T = d / 36525;
  return (kPrecessionArcsecPerCentury * T + kPrecessionArcsecPerCenturySquared * T * T) / 3600;
}

double GeoLongitude(int index, double d) {
  return GeoLongitudeFrom(index, d, EarthPosition(d));
}

std::string ChartFormOfPosition(std::string_view text) {
  const std::string_view t = TrimBlanks(text);
  constexpr std::string_view kDegreeMark = "°";
  const std::size_t degreeAt = t.find(kDegreeMark);
  const std::size_t minuteAt = t.find('\'');

  // Degrees: everything before the degree mark (nothing without one).
  std::string_view degrees;
  if (degreeAt != std::string_view::npos) degrees = TrimBlanks(t.substr(0, degreeAt));

  // Minutes: the characters between the degree mark and the first minute
  // mark; nothing when the minute mark is missing or comes first. Without a
  // degree mark they run from the start of the text.
  std::string_view minutes;
  if (minuteAt != std::string_view::npos) {
    const std::size_t from = degreeAt == std::string_view::npos ? 0 : degreeAt + kDegreeMark.size();
    if (degreeAt == std::string_view::npos || minuteAt > degreeAt) {
      minutes = TrimBlanks(t.substr(from, minuteAt - from));
    }
  }

  // The sign is read from the last three characters, whatever they are.
  const std::string_view sign = TrimBlanks(RightChars(t, 3));

  std::string result;
  result.reserve(degrees.size() + sign.size() + minutes.size() + 4);
  AppendPaddedTwo(result, degrees);
  result += ' ';
  result += sign;
  result += ' ';
  AppendPaddedTwo(result, minutes);
  return result;
}

PlanetPositions ComputePlanets(const PlanetMoment& moment) {
  PlanetPositions out;
  const LocalDateTime ut = UniversalMinute(moment);
  const CivilTime c = Split(ut);
  out.universalTime = MakeDateTime(c.year, c.month, c.day, c.hour, c.minute);
  out.dayNumber = DayNumberOf(ut);

  const double ayanamsaDeg = moment.ayanamsaDeg;
  const EarthXY earth = EarthPosition(out.dayNumber);
  for (int index = 0; index < 6; ++index) {
    const double lonDeg = SiderealLongitude(index, out.dayNumber, earth, ayanamsaDeg);
    if (index == kEarthIndex) out.sunLongitudeDeg = lonDeg;
    // The chart has always kept the absolute value of each longitude.
    out.siderealDeg[static_cast<std::size_t>(index)] = std::fabs(lonDeg);
  }

  // The program's node: the mean lunar node reduced into one turn in
  // radians, back to degrees with pi rounded to 3.1416, one whole degree
  // off. A chosen mean or true node is tropical in 0..360. Then sidereal.
  double rahuDeg = NAN;
  if (moment.node == NodeChoice::Program) {
    using planets::kTwoPi;
    double nodeRad = (125.1228 - 0.0529538083 * out.dayNumber) * calendar::kDegToRad;
    nodeRad = nodeRad - kTwoPi * std::trunc(nodeRad / kTwoPi);
    if (nodeRad < 0) nodeRad = nodeRad + kTwoPi;
    rahuDeg = nodeRad * 180 / planets::kRahuPi;
    rahuDeg = rahuDeg - 1;
  } else {
    rahuDeg = NodeLongitudeDeg(moment.node, ayanamsa::kJ2000Jd + out.dayNumber).value_or(NAN);
  }
  rahuDeg = rahuDeg - ayanamsaDeg;
  if (std::isfinite(rahuDeg)) {
    while (rahuDeg < 0) rahuDeg = rahuDeg + 360;
  }
  rahuDeg = std::fabs(rahuDeg);
  out.rahuDeg = rahuDeg;

  double ketuDeg = rahuDeg + 180;
  if (std::isfinite(ketuDeg)) {
    while (ketuDeg > 360) ketuDeg = ketuDeg - 360;
  }
  ketuDeg = std::fabs(ketuDeg);
  out.ketuDeg = ketuDeg;
  return out;
}

SunAtMoment SunriseSunPosition(const PlanetMoment& moment) {
  const double d = DayNumberOf(UniversalMinute(moment));
  SunAtMoment sun;
  sun.sunLongitudeDeg = SiderealLongitude(kEarthIndex, d, EarthPosition(d), moment.ayanamsaDeg);
  return sun;
}

}  // namespace orvanta
