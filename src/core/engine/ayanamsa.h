// The ayanamsa choices: the arc from the equinox of date back to the start
// of the sidereal zodiac, for the tropical longitudes the engine computes.
//
// Method: each named ayanamsa is a value at an epoch carried to the date by
// the general precession in longitude (IAU 2006, the rate the planets are
// precessed with, see PrecessionFromJ2000Deg). The engine's tropical
// longitudes are on the mean equinox of date: the planets are precessed mean
// J2000 elements, the Moon is the mean-equinox lunar series and the ascendant
// comes from the mean sidereal time and the mean obliquity; none carries the
// nutation. So the named choices are mean ayanamsas (without the nutation),
// and the sidereal longitude is the same as an apparent position minus an
// apparent ayanamsa. The program's own value is the engine's correction as it
// has always been (a Lahiri-type value that carries the nutation term).
// Input: Julian Day in universal time, used as dynamical time as everywhere
// in the engine (the difference, at most a minute or two of time in the
// years 1900..2050, moves an ayanamsa by less than 0.01"). Output: degrees,
// positive, subtracted from a tropical longitude. Good for 1800..2200.
#pragma once

#include <optional>
#include <string_view>

namespace orvanta {

enum class AyanamsaChoice {
  Program,       // the engine's own Lahiri-type correction (the default)
  Lahiri,        // Chitrapaksha, as the Indian national ephemeris defines it
  Raman,         // B. V. Raman's
  Krishnamurti,  // Krishnamurti Paddhati (KP)
};

inline constexpr AyanamsaChoice kDefaultAyanamsa = AyanamsaChoice::Program;

namespace ayanamsa {
// The epochs the named values are given at, Julian Days.
inline constexpr double kJ1900Jd = 2415020.0;      // 1900 January 0.5
inline constexpr double kMarch1956Jd = 2435553.5;  // 1956 March 21, 0h
inline constexpr double kJ2000Jd = 2451545.0;      // 2000 January 1.5
// Days beyond which (either side of J2000.0) no value is given: ten thousand
// years, far past any birth, and the engine's correction reduces its node
// by repeated turns, which must stay a short loop.
inline constexpr double kMaxDaysFromJ2000 = 3652500;

// Lahiri (Chitrapaksha): 23°15'00.658" on 1956 March 21 at 0h, the value
// the Indian Astronomical Ephemeris adopted on the Calendar Reform
// Committee's recommendation. It is a true (apparent) value: the mean one
// is this minus the nutation in longitude of that date.
inline constexpr double kLahiri1956TrueDeg = 23 + 15.0 / 60 + 0.658 / 3600;
// Raman: 21°00'51.12" at J1900.0 (mean), B. V. Raman's ayanamsa at the
// constant 1°26'46.69" below Chitrapaksha with which the field's reference
// ephemerides tabulate it.
inline constexpr double kRamanJ1900MeanDeg = 21 + 0.0 / 60 + 51.12 / 3600;
// Krishnamurti (KP): 22°21'49.14" at J1900.0 (mean), at the constant
// 5'48.67" below Chitrapaksha with which the field's reference ephemerides
// tabulate it.
inline constexpr double kKrishnamurtiJ1900MeanDeg = 22 + 21.0 / 60 + 49.14 / 3600;
}  // namespace ayanamsa

// The ayanamsa of `choice` at Julian Day `jdUt`, degrees (about 24 today).
// Program: the negated AyanamsaCorrection of the engine at the same instant,
// the value the planets, the ascendant and Rahu are made sidereal with (to
// the last bit only where the caller forms the centuries the same way; the
// chart keeps calling the engine for it). The Moon has its own J2000 form of
// it (AyanamsaJ2000), within 3" of this one in 1900..2050. Empty for a
// non-finite day or one more than kMaxDaysFromJ2000 from J2000.0.
std::optional<double> AyanamsaDeg(AyanamsaChoice choice, double jdUt);

// Nutation in longitude at Julian Day `jd`, degrees: the four largest terms
// of the IAU 1980 series (within 0.5" of the full series). Add it to a
// mean-equinox longitude to compare with apparent positions.
double NutationInLongitudeDeg(double jd);

// Stable name of a choice ("program", "lahiri", "raman", "kp") and back.
std::string_view AyanamsaChoiceName(AyanamsaChoice choice);
std::optional<AyanamsaChoice> AyanamsaChoiceFromName(std::string_view name);

}  // namespace orvanta
