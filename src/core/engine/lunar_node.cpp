#include "engine/lunar_node.h"

#include <array>
#include <cmath>
#include <numbers>

#include "engine/ayanamsa.h"
#include "engine/calendar.h"
#include "engine/planets.h"

namespace orvanta {

namespace {

inline constexpr double kDaysPerCentury = 36525;
inline constexpr double kRadPerDeg = std::numbers::pi / 180;
// Half the interval of the velocity's central difference, days: short
// against the month, long enough that rounding stays far below 0.01".
inline constexpr double kVelocityHalfStepDays = 0.01;
// Mean Earth-Moon distance the distance series is added to, km.
inline constexpr double kMeanDistanceKm = 385000.56;

// Multiples of D, M, M' and F; the sine coefficient of the longitude and the
// cosine coefficient of the distance, in 1e-6 degrees and 1e-3 km. Meeus
// table 47.A, in its order.
struct LongitudeDistanceTerm {
  int d, m, mp, f;
  double lonMicroDeg, distanceMilliKm;
};
inline constexpr std::array<LongitudeDistanceTerm, 60> kLongitudeDistanceTerms = {{
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
}};

// Multiples of D, M, M' and F and the sine coefficient of the latitude in
// 1e-6 degrees. Meeus table 47.B, in its order.
struct LatitudeTerm {
  int d, m, mp, f;
  double latMicroDeg;
};
inline constexpr std::array<LatitudeTerm, 60> kLatitudeTerms = {{
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},  {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
}};

// The Moon's mean longitude and the Delaunay arguments, radians, with their
// polynomials in T centuries from J2000.0 (Meeus eqs. 47.1 to 47.5).
struct LunarArguments {
  double lRad, dRad, mRad, mpRad, fRad;
  double eccentricityFactor;  // E, for the terms in the Sun's anomaly
};

LunarArguments ArgumentsAt(double T) {
  const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  LunarArguments a;
  a.lRad = (218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841 - T4 / 65194000) *
           kRadPerDeg;
  a.dRad = (297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 / 545868 - T4 / 113065000) *
           kRadPerDeg;
  a.mRad = (357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000) * kRadPerDeg;
  a.mpRad =
      (134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 / 69699 - T4 / 14712000) * kRadPerDeg;
  a.fRad = (93.2720950 + 483202.0175233 * T - 0.0036539 * T2 - T3 / 3526000 + T4 / 863310000) *
           kRadPerDeg;
  a.eccentricityFactor = 1 - 0.002516 * T - 0.0000074 * T2;
  return a;
}

template <typename Term>
double ArgumentRad(const Term& t, const LunarArguments& a) {
  return t.d * a.dRad + t.m * a.mRad + t.mp * a.mpRad + t.f * a.fRad;
}

template <typename Term>
double EccentricityFactor(const Term& t, const LunarArguments& a) {
  if (t.m == 0) return 1;
  return (t.m == 1 || t.m == -1) ? a.eccentricityFactor
                                 : a.eccentricityFactor * a.eccentricityFactor;
}

struct Vector3 {
  double x, y, z;
};

// Geocentric position of the Moon, km, on the mean ecliptic and equinox of
// date, at T centuries from J2000.0.
Vector3 MoonPositionKm(double T) {
  const LunarArguments a = ArgumentsAt(T);
  // Additive terms: Venus (A1), Jupiter (A2) and the Earth's flattening (A3).
  const double a1Rad = (119.75 + 131.849 * T) * kRadPerDeg;
  const double a2Rad = (53.09 + 479264.290 * T) * kRadPerDeg;
  const double a3Rad = (313.45 + 481266.484 * T) * kRadPerDeg;

  double lonMicroDeg =
      3958 * std::sin(a1Rad) + 1962 * std::sin(a.lRad - a.fRad) + 318 * std::sin(a2Rad);
  double distanceMilliKm = 0;
  for (const LongitudeDistanceTerm& t : kLongitudeDistanceTerms) {
    const double argRad = ArgumentRad(t, a);
    const double e = EccentricityFactor(t, a);
    lonMicroDeg += t.lonMicroDeg * e * std::sin(argRad);
    distanceMilliKm += t.distanceMilliKm * e * std::cos(argRad);
  }
  double latMicroDeg = -2235 * std::sin(a.lRad) + 382 * std::sin(a3Rad) +
                       175 * std::sin(a1Rad - a.fRad) + 175 * std::sin(a1Rad + a.fRad) +
                       127 * std::sin(a.lRad - a.mpRad) - 115 * std::sin(a.lRad + a.mpRad);
  for (const LatitudeTerm& t : kLatitudeTerms) {
    latMicroDeg += t.latMicroDeg * EccentricityFactor(t, a) * std::sin(ArgumentRad(t, a));
  }

  const double lonRad = a.lRad + lonMicroDeg * 1e-6 * kRadPerDeg;
  const double latRad = latMicroDeg * 1e-6 * kRadPerDeg;
  const double distanceKm = kMeanDistanceKm + distanceMilliKm * 1e-3;
  return {distanceKm * std::cos(latRad) * std::cos(lonRad),
          distanceKm * std::cos(latRad) * std::sin(lonRad), distanceKm * std::sin(latRad)};
}

// Reduces an angle in degrees into 0 <= value < 360 without a loop.
double TurnDeg(double deg) {
  double r = std::fmod(deg, 360.0);
  if (r < 0) r += 360;
  return r >= 360 ? 0 : r;
}

double MeanNodeDeg(double jd) {
  const double T = (jd - ayanamsa::kJ2000Jd) / kDaysPerCentury;
  const double T2 = T * T;
  return TurnDeg(125.0445479 - 1934.1362891 * T + 0.0020754 * T2 + T2 * T / 467441 -
                 T2 * T2 / 60616000);
}

// The ascending node of the orbit through the Moon's position and velocity:
// the direction of the ecliptic in which the orbit's pole h = r x v lies 90°
// behind, i.e. the longitude atan2(h.x, -h.y).
double TrueNodeDeg(double jd) {
  const double T = (jd - ayanamsa::kJ2000Jd) / kDaysPerCentury;
  const double stepT = kVelocityHalfStepDays / kDaysPerCentury;
  const Vector3 r = MoonPositionKm(T);
  const Vector3 before = MoonPositionKm(T - stepT);
  const Vector3 after = MoonPositionKm(T + stepT);
  const Vector3 v = {after.x - before.x, after.y - before.y, after.z - before.z};
  const double hx = r.y * v.z - r.z * v.y;
  const double hy = r.z * v.x - r.x * v.z;
  return TurnDeg(std::atan2(hx, -hy) / kRadPerDeg);
}

// The engine's Rahu before its ayanamsa: the linear mean node of the days
// from J2000.0 with the engine's constants, reduced in radians, back in
// degrees with pi as 3.1416 (the rounding is part of the point), one degree
// lower.
double ProgramNodeDeg(double jd) {
  using planets::kTwoPi;
  const double d = jd - ayanamsa::kJ2000Jd;
  double nodeRad = (125.1228 - 0.0529538083 * d) * calendar::kDegToRad;
  nodeRad = nodeRad - kTwoPi * std::trunc(nodeRad / kTwoPi);
  if (nodeRad < 0) nodeRad = nodeRad + kTwoPi;
  return TurnDeg(nodeRad * 180 / planets::kRahuPi - 1);
}

struct ChoiceName {
  NodeChoice choice;
  std::string_view name;
};
inline constexpr std::array<ChoiceName, 3> kChoiceNames = {{
    {NodeChoice::Program, "program"},
    {NodeChoice::Mean, "mean"},
    {NodeChoice::True, "true"},
}};

}  // namespace

std::optional<double> NodeLongitudeDeg(NodeChoice choice, double jdUt) {
  if (!(std::fabs(jdUt - ayanamsa::kJ2000Jd) <= ayanamsa::kMaxDaysFromJ2000)) return std::nullopt;
  double deg = NAN;
  switch (choice) {
    case NodeChoice::Program:
      deg = ProgramNodeDeg(jdUt);
      break;
    case NodeChoice::Mean:
      deg = MeanNodeDeg(jdUt);
      break;
    case NodeChoice::True:
      deg = TrueNodeDeg(jdUt);
      break;
  }
  if (!std::isfinite(deg)) return std::nullopt;  // not one of the choices
  return deg;
}

std::string_view NodeChoiceName(NodeChoice choice) {
  for (const ChoiceName& row : kChoiceNames) {
    if (row.choice == choice) return row.name;
  }
  return {};
}

std::optional<NodeChoice> NodeChoiceFromName(std::string_view name) {
  for (const ChoiceName& row : kChoiceNames) {
    if (row.name == name) return row.choice;
  }
  return std::nullopt;
}

}  // namespace orvanta
