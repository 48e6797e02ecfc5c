#include "engine/calendar.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace orvanta {

namespace {

// Above this many whole degrees the sign reduction uses fmod, which for the
// integer-valued degrees is exactly what the repeated subtraction of 30
// gives, without running for ages on absurd inputs.
inline constexpr double kSignLoopLimitDeg = 1.0e6;

// Appends a whole number in plain decimal form, without padding ("5", "30").
void AppendPlainNumber(std::string& text, double wholeValue) {
  char buf[40];
  // Whole degrees, minutes and seconds: an integer conversion gives the same
  // digits as the general format, at a fraction of the cost.
  if (std::fabs(wholeValue) < 1e15) {
    const auto asInteger = static_cast<long long>(wholeValue);
    if (static_cast<double>(asInteger) == wholeValue && !std::signbit(wholeValue)) {
      const auto [end, error] = std::to_chars(buf, buf + sizeof buf, asInteger);
      if (error == std::errc{}) {
        text.append(buf, end);
        return;
      }
    }
  }
  std::snprintf(buf, sizeof buf, "%.15g", wholeValue);
  text += buf;
}

double Sgn(double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

}  // namespace

double JulianDayNumber(double month, double day, double year) {
  const double m = 12 * (year + 4800) + month - 3;
  const double t = (2 * (m - 12 * std::floor(m / 12)) + 7 + 365 * m) / 12;
  double j = std::floor(t) + day + std::floor(m / 48) - 32083;
  // Gregorian correction, tested on the Julian-calendar number.
  if (j > 2299171) j = j + std::floor(m / 4800) - std::floor(m / 1200) + 38;
  return j;
}

namespace {
// Above this many degrees the ayanamsa's node is reduced with fmod: a
// million turns, far past any date the form accepts (T = 1 moves the node
// by about 5.4 turns), and far below 2^56, up to which subtracting 360 is
// exact.
inline constexpr double kNodeTurnLoopLimitDeg = 360.0e6;
}  // namespace

double AyanamsaCorrection(double T) {
  using calendar::kDegToRad;
  double nodeDeg = (933060 - 6962911 * T + 7.5 * (T * T)) / 3600;
  // Below the limit each subtraction of 360 is exact, so fmod gives the same
  // value; above it (and for an infinite node) the loop would not end.
  if (!(nodeDeg < kNodeTurnLoopLimitDeg)) nodeDeg = std::fmod(nodeDeg, 360.0);
  while (nodeDeg >= 360) nodeDeg = nodeDeg - 360;  // negative values are not raised
  const double twiceSunDeg = (2013816 + 259205536 * T) / 3600;
  const double nutationArcsec =
      17.23 * std::sin(nodeDeg * kDegToRad) + 1.27 * std::sin(twiceSunDeg * kDegToRad);
  const double x = nutationArcsec - (5025.64 + 1.11 * T) * T;
  return (x - 80861.27) / 3600;
}

double ArcTan2(double y, double x) {
  using calendar::kPi;
  if (x > 0) return std::atan(y / x);
  if (x < 0) return (kPi - std::atan(std::fabs(y / x))) * Sgn(y);  // y = 0 gives 0, not pi
  if (y != 0) return Sgn(y) * kPi / 2;
  return 0;
}

double StepInto360(double& angle) {
  if (angle < 0) angle = angle + 360;
  if (angle > 360) angle = angle - 360;
  return angle;
}

SignDmsParts SplitSignDms(double& angle) {
  angle = std::fabs(angle);
  SignDmsParts p;
  if (!std::isfinite(angle)) return p;  // no degrees to write
  const double a = angle;
  double d = std::floor(a);
  const double f = a - d;
  const double minutesExact = 60 * f;
  p.minutes = std::floor(minutesExact);
  p.seconds = std::floor(60 * (minutesExact - p.minutes));
  p.sign = std::floor(d / 30);
  if (d >= kSignLoopLimitDeg) d = std::fmod(d, 30);
  while (d >= 30) d = d - 30;
  p.degrees = d;
  p.finite = true;
  return p;
}

std::string SignDMS(double& angle) {
  const SignDmsParts p = SplitSignDms(angle);
  if (!p.finite) return {};

  std::string text;
  text.reserve(24);
  AppendPlainNumber(text, p.degrees);
  text += "° ";
  AppendPlainNumber(text, p.minutes);
  text += "' ";
  AppendPlainNumber(text, p.seconds);
  text += "\" ";
  // Sign 12 (an angle of exactly 360) and beyond has no letters.
  if (p.HasSignLetters()) {
    text += kSignLetters.substr(static_cast<std::size_t>(p.sign) * 3, 3);
  }
  return text;
}

BirthUniversalTime UniversalTimeOfBirth(const Birth& birth) {
  BirthUniversalTime u;
  const CivilTime& local = birth.local;
  u.localTimeHours = local.hour + local.minute / 60.0;
  u.clockHours = ClockHours(birth.clock);
  u.longitudeDeg = -LongitudeDeg(birth.position);
  u.julianDay = JulianDayNumber(local.month, local.day, local.year);
  u.universalTimeHours = u.localTimeHours - u.clockHours;
  return u;
}

TimeQuantities ComputeAscendant(const Birth& birth, AyanamsaChoice ayanamsa) {
  using calendar::kDegToRad;
  using calendar::kPi;
  using calendar::kRadToDeg;

  TimeQuantities q;
  const BirthUniversalTime u = UniversalTimeOfBirth(birth);
  q.localTimeHours = u.localTimeHours;
  q.clockHours = u.clockHours;
  q.longitudeDeg = u.longitudeDeg;
  const double latitude = LatitudeDeg(birth.position);
  q.latitudeDeg = latitude;
  const double longitude = u.longitudeDeg;

  q.JulianDay = u.julianDay;
  q.UniversalTime = u.universalTimeHours;
  const double T = ((q.JulianDay - 2415020) + q.UniversalTime / 24 - 0.5) / 36525;
  q.CenturiesT = T;
  if (ayanamsa == AyanamsaChoice::Program) {
    q.ayanamsaDeg = -AyanamsaCorrection(T);
  } else {
    const double jdUt = q.JulianDay - 0.5 + q.UniversalTime / 24;
    q.ayanamsaDeg = AyanamsaDeg(ayanamsa, jdUt).value_or(NAN);
  }

  double s = 15 * (6.6460656 + 2400.0513 * T + 0.0000258 * (T * T) + q.UniversalTime) - longitude;
  while (s >= 360) s = s - 360;  // a negative sidereal time is not raised
  q.siderealTimeDeg = s;
  q.ramcRad = s * kDegToRad;
  q.obliquityRad = kDegToRad * (23.452294 - 0.0130125 * T);

  const double ramc = q.ramcRad;
  const double eps = q.obliquityRad;
  double ascendant = ArcTan2(std::cos(ramc), -std::sin(ramc) * std::cos(eps) -
                                                 std::sin(eps) * std::tan(latitude * kDegToRad));
  if (ascendant < 0) ascendant = ascendant + kPi;
  if (std::cos(ramc) < 0) ascendant = ascendant + kPi;
  // The formula gives one of the two points where the ecliptic meets the
  // horizon. Below the polar circles it is always the rising one; beyond
  // them it can be the setting one. A point whose hour angle RAMC - alpha
  // lies west of the meridian (positive sine) is setting: take the opposite
  // point, which rises.
  const double rightAscensionRad =
      std::atan2(std::sin(ascendant) * std::cos(eps), std::cos(ascendant));
  if (std::sin(ramc - rightAscensionRad) > 0) ascendant = ascendant + kPi;
  ascendant = ascendant * kRadToDeg;
  while (ascendant >= 360) ascendant = ascendant - 360;
  q.tropicalAscendantDeg = ascendant;

  ascendant = q.tropicalAscendantDeg - q.ayanamsaDeg;
  // StepInto360 replaces its argument, so the later calls see the reduced value.
  q.AscendantInt = std::floor(StepInto360(ascendant));
  q.AscendantDeg = StepInto360(ascendant);
  double forText = StepInto360(ascendant);
  q.AscendantText = SignDMS(forText);
  return q;
}

}  // namespace orvanta
