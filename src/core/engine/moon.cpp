#include "engine/moon.h"

#include <array>
#include <cmath>

#include "engine/calendar.h"

namespace orvanta {

namespace {

// Multiples of the D, M, M' and F arguments, the coefficient in degrees and
// whether the eccentricity factor E multiplies the term.
struct LunarTerm {
  int d, m, mp, f;
  double coefficientDeg;
  bool timesE;
};

// The 25 largest longitude terms of the ELP-2000/82 truncation, in the order
// they are summed (the order is part of the last digit).
inline constexpr std::array<LunarTerm, 25> kLunarTerms = {{
    {0, 0, 1, 0, +6.288774, false},   //  1: M'
    {2, 0, -1, 0, +1.274027, false},  //  2: 2D - M'
    {2, 0, 0, 0, +0.658314, false},   //  3: 2D
    {0, 0, 2, 0, +0.213618, false},   //  4: 2M'
    {0, 1, 0, 0, -0.185116, true},    //  5: M
    {0, 0, 0, 2, -0.114332, false},   //  6: 2F
    {2, 0, -2, 0, +0.058793, false},  //  7: 2D - 2M'
    {2, -1, -1, 0, +0.057066, true},  //  8: 2D - M - M'
    {2, 0, 1, 0, +0.053322, false},   //  9: 2D + M'
    {2, -1, 0, 0, +0.045758, true},   // 10: 2D - M
    {0, 1, -1, 0, -0.040923, true},   // 11: M - M'
    {1, 0, 0, 0, -0.034720, false},   // 12: D
    {0, 1, 1, 0, -0.030383, true},    // 13: M + M'
    {2, 0, 0, -2, +0.015327, false},  // 14: 2D - 2F
    {0, 0, 1, 2, -0.012528, false},   // 15: M' + 2F
    {0, 0, 1, -2, +0.010980, false},  // 16: M' - 2F
    {4, 0, -1, 0, +0.010675, false},  // 17: 4D - M'
    {0, 0, 3, 0, +0.010034, false},   // 18: 3M'
    {4, 0, -2, 0, +0.008548, false},  // 19: 4D - 2M'
    {2, 1, -1, 0, -0.007888, true},   // 20: 2D + M - M'
    {2, 1, 0, 0, -0.006766, true},    // 21: 2D + M
    {1, 0, -1, 0, -0.005163, false},  // 22: D - M'
    {1, 1, 0, 0, +0.004987, true},    // 23: D + M
    {2, -1, 1, 0, +0.004036, true},   // 24: 2D - M + M'
    {2, 0, 2, 0, +0.003994, false},   // 25: 2D + 2M'
}};

// One multiple of an argument, added left to right to the partial sum; a
// leading term starts the sum (2D - M' is 2·D then minus M', as written).
void AddMultiple(double& sum, bool& started, int multiple, double argRad) {
  if (multiple == 0) return;
  const double magnitude = multiple < 0 ? -multiple : multiple;
  const double part = magnitude == 1 ? argRad : magnitude * argRad;
  if (!started) {
    sum = multiple < 0 ? -part : part;
    started = true;
  } else if (multiple < 0) {
    sum = sum - part;
  } else {
    sum = sum + part;
  }
}

double Argument(const LunarTerm& term, double dRad, double mRad, double mpRad, double fRad) {
  double sum = 0;
  bool started = false;
  AddMultiple(sum, started, term.d, dRad);
  AddMultiple(sum, started, term.m, mRad);
  AddMultiple(sum, started, term.mp, mpRad);
  AddMultiple(sum, started, term.f, fRad);
  return sum;
}

}  // namespace

double AyanamsaJ2000(double T) {
  using calendar::kDegToRad;
  const double nodeDeg = 125.044555 - 1934.1361849 * T + 0.0020762 * (T * T);
  const double sunDeg = 280.466449 + 36000.7698231 * T + 0.0003106 * (T * T);
  const double nutationArcsec =
      17.23 * std::sin(nodeDeg * kDegToRad) + 1.27 * std::sin(2 * sunDeg * kDegToRad);
  const double x = nutationArcsec - (5025.64 + 1.11 * T) * T;
  return (x - 85886.27) / 3600;
}

std::string Degree2Dms(double angle) {
  double magnitude = std::fabs(angle);
  return SignDMS(magnitude);
}

double MoonTropicalLongitude(double T) {
  using calendar::kDegToRad;
  const double meanLongitudeDeg = 218.3164591 + 481267.88134236 * T;
  const double dRad = (297.8502042 + 445267.1115168 * T) * kDegToRad;
  const double mRad = (357.5291092 + 35999.0502909 * T) * kDegToRad;
  const double mpRad = (134.9634114 + 477198.8676313 * T) * kDegToRad;
  const double fRad = (93.2720993 + 483202.0175273 * T) * kDegToRad;
  const double E = 1 - 0.002516 * T - 0.0000074 * (T * T);

  double sumDeg = 0;
  for (const LunarTerm& term : kLunarTerms) {
    const double s = std::sin(Argument(term, dRad, mRad, mpRad, fRad));
    sumDeg = sumDeg + (term.timesE ? term.coefficientDeg * E * s : term.coefficientDeg * s);
  }

  double lonDeg = meanLongitudeDeg + sumDeg;
  if (!std::isfinite(lonDeg)) return lonDeg;
  while (lonDeg < 0) lonDeg = lonDeg + 360;
  while (lonDeg > 360) lonDeg = lonDeg - 360;  // exactly 360 stays
  return lonDeg;
}

double SiderealMoonDeg(double moonTropicalDeg, double ayanamsaDeg) {
  double lonDeg = moonTropicalDeg - ayanamsaDeg;
  if (lonDeg < 0) lonDeg = lonDeg + 360;
  // One step is all the modern centuries need. Far from 2000 the correction
  // outgrows a turn; reduce fully there so the nakshatra stays in the table.
  if ((lonDeg < 0 || lonDeg >= 360) && std::isfinite(lonDeg)) {
    lonDeg = std::fmod(lonDeg, 360.0);
    if (lonDeg < 0) lonDeg = lonDeg + 360;
    if (lonDeg >= 360) lonDeg = 0;
  }
  return lonDeg;
}

int NakshatraIndex(double moonSiderealDeg) {
  const double k = std::floor(60 * moonSiderealDeg / 800);
  // A Moon a hair below 360 may round up to 27: it still stands in the last
  // nakshatra.
  if (!(k >= 0)) return 0;
  if (k > 26) return 26;
  return static_cast<int>(k);
}

MoonPosition ComputeMoonPosition(const Birth& birth, AyanamsaChoice ayanamsa) {
  // The same birth moment as the ascendant's, counted from J2000.0.
  const BirthUniversalTime u = UniversalTimeOfBirth(birth);
  const double jd = u.julianDay;
  const double ut = u.universalTimeHours;

  MoonPosition p;
  p.centuriesJ2000 = ((jd - 2451545) + ut / 24 - 0.5) / 36525;
  p.MoonTropical = MoonTropicalLongitude(p.centuriesJ2000);
  const double ayanamsaDeg = ayanamsa == AyanamsaChoice::Program
                                 ? -AyanamsaJ2000(p.centuriesJ2000)
                                 : AyanamsaDeg(ayanamsa, jd - 0.5 + ut / 24).value_or(NAN);
  p.MoonSidereal = SiderealMoonDeg(p.MoonTropical, ayanamsaDeg);
  p.MoonText = Degree2Dms(p.MoonSidereal);
  p.nakshatraIndex = NakshatraIndex(p.MoonSidereal);
  p.NakStartDeg = kNakStartTable[static_cast<std::size_t>(p.nakshatraIndex)];
  return p;
}

}  // namespace orvanta
