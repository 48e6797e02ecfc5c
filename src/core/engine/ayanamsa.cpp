#include "engine/ayanamsa.h"

#include <array>
#include <cmath>
#include <numbers>

#include "engine/calendar.h"
#include "engine/planets.h"

namespace orvanta {

namespace {

inline constexpr double kDaysPerCentury = 36525;
inline constexpr double kRadPerDeg = std::numbers::pi / 180;

// A mean ayanamsa given at `epochJd`, carried to `jd` by the precession.
double CarriedMeanDeg(double epochMeanDeg, double epochJd, double jd) {
  return epochMeanDeg + (PrecessionFromJ2000Deg(jd - ayanamsa::kJ2000Jd) -
                         PrecessionFromJ2000Deg(epochJd - ayanamsa::kJ2000Jd));
}

double LahiriMeanDeg(double jd) {
  const double epochMeanDeg =
      ayanamsa::kLahiri1956TrueDeg - NutationInLongitudeDeg(ayanamsa::kMarch1956Jd);
  return CarriedMeanDeg(epochMeanDeg, ayanamsa::kMarch1956Jd, jd);
}

struct ChoiceName {
  AyanamsaChoice choice;
  std::string_view name;
};
inline constexpr std::array<ChoiceName, 4> kChoiceNames = {{
    {AyanamsaChoice::Program, "program"},
    {AyanamsaChoice::Lahiri, "lahiri"},
    {AyanamsaChoice::Raman, "raman"},
    {AyanamsaChoice::Krishnamurti, "kp"},
}};

}  // namespace

double NutationInLongitudeDeg(double jd) {
  const double T = (jd - ayanamsa::kJ2000Jd) / kDaysPerCentury;
  // Mean longitudes of the Sun and the Moon and the Moon's mean node.
  const double sunRad = (280.4665 + 36000.7698 * T) * kRadPerDeg;
  const double moonRad = (218.3165 + 481267.8813 * T) * kRadPerDeg;
  const double nodeRad = (125.04452 - 1934.136261 * T) * kRadPerDeg;
  const double arcsec = -17.20 * std::sin(nodeRad) - 1.32 * std::sin(2 * sunRad) -
                        0.23 * std::sin(2 * moonRad) + 0.21 * std::sin(2 * nodeRad);
  return arcsec / 3600;
}

std::optional<double> AyanamsaDeg(AyanamsaChoice choice, double jdUt) {
  if (!(std::fabs(jdUt - ayanamsa::kJ2000Jd) <= ayanamsa::kMaxDaysFromJ2000)) return std::nullopt;
  double deg = NAN;
  switch (choice) {
    case AyanamsaChoice::Program:
      deg = -AyanamsaCorrection((jdUt - ayanamsa::kJ1900Jd) / kDaysPerCentury);
      break;
    case AyanamsaChoice::Lahiri:
      deg = LahiriMeanDeg(jdUt);
      break;
    case AyanamsaChoice::Raman:
      deg = CarriedMeanDeg(ayanamsa::kRamanJ1900MeanDeg, ayanamsa::kJ1900Jd, jdUt);
      break;
    case AyanamsaChoice::Krishnamurti:
      deg = CarriedMeanDeg(ayanamsa::kKrishnamurtiJ1900MeanDeg, ayanamsa::kJ1900Jd, jdUt);
      break;
  }
  if (!std::isfinite(deg)) return std::nullopt;  // not one of the choices
  return deg;
}

std::string_view AyanamsaChoiceName(AyanamsaChoice choice) {
  for (const ChoiceName& row : kChoiceNames) {
    if (row.choice == choice) return row.name;
  }
  return {};
}

std::optional<AyanamsaChoice> AyanamsaChoiceFromName(std::string_view name) {
  for (const ChoiceName& row : kChoiceNames) {
    if (row.name == name) return row.choice;
  }
  return std::nullopt;
}

}  // namespace orvanta
