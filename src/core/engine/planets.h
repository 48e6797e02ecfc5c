// Geocentric sidereal longitudes of the Sun and the five visible planets,
// the mean lunar node (Rahu) and Ketu.
//
// Method: two-body Keplerian orbits from the J2000 mean elements and linear
// rates of the JPL table "Keplerian elements for approximate positions of
// the major planets" (mean ecliptic and equinox of J2000, valid 1800-2050),
// carried to the equinox of the date by the general precession in longitude;
// no perturbations, aberration, nutation or light time. Time is days d from
// J2000.0 in universal time; longitudes in degrees. Rahu is the mean node of
// the date, one degree lowered as the program has always shown it, or the
// mean or true node of engine/lunar_node.h when one of those is chosen.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "engine/lunar_node.h"
#include "engine/moon.h"
#include "model/birth.h"
#include "model/datetime.h"
#include "model/records.h"

namespace orvanta {

namespace planets {
// Newton iteration of Kepler's equation stops when a step is at most this
// many radians: the Double 1.0E-12 (0x3D719799812DEA11).
inline constexpr double kKeplerToleranceRad = 1.0E-12;
using rounded::kPi;
using rounded::kTwoPi;
// Pi as the node's conversion back to degrees writes it.
inline constexpr double kRahuPi = rounded::kPiFourDecimals;
// General precession in longitude from J2000 to the date (IAU 2006), the
// linear and the quadratic term, arcseconds per Julian century and per
// century squared. The elements are of the mean equinox of J2000, the
// ayanamsa of the date: without this the planets drift by 0.84' a year.
inline constexpr double kPrecessionArcsecPerCentury = 5028.796195;
inline constexpr double kPrecessionArcsecPerCenturySquared = 1.1054348;
// Iteration cap for Kepler's equation: never reached for eccentricities
// below 1 (a handful of steps converge), it only stops a NaN from looping.
inline constexpr int kKeplerMaxIterations = 200;
}  // namespace planets

// The clock time a pass starts from and what it needs of the earlier stages.
struct PlanetMoment {
  int year = 2000;  // local civil date and clock time
  int month = 1;
  int day = 1;
  int hour = 12;
  int minute = 0;
  // The clock's offset east of Greenwich in seconds with the daylight-saving
  // tick counted (OffsetSecondsWithTick): the clock time less it is
  // universal time.
  int offsetSeconds = 0;
  double ayanamsaDeg = 0;  // ayanamsaDeg of ComputeAscendant, subtracted
  // The node Rahu stands at (Ketu opposite); the program's own by default.
  NodeChoice node = kDefaultNode;
};

// The pass of a birth at its own clock time, or at another local clock time
// (the reference sunrise): the birth's clock with the daylight-saving tick
// (the clock one hour ahead of the zone when the tick is set, so the
// universal time is that of the Moon and the ascendant), and the ayanamsa its
// own computation left.
PlanetMoment PlanetMomentOf(const Birth& birth, const TimeQuantities& time);
PlanetMoment PlanetMomentOf(const Birth& birth, const CivilTime& clock, const TimeQuantities& time);

struct PlanetPositions {
  LocalDateTime universalTime{};  // the UT moment, seconds dropped
  double dayNumber = 0;           // d, days from J2000.0
  // Sidereal longitudes in heliocentric order: 0 Mercury, 1 Venus, 2 the Sun
  // (from the Earth's orbit), 3 Mars, 4 Jupiter, 5 Saturn.
  std::array<double, 6> siderealDeg{};
  double rahuDeg = 0;
  double ketuDeg = 0;
  double sunLongitudeDeg = 0;  // = siderealDeg[2]; SunriseSunLongitude in sunrise mode
};

PlanetPositions ComputePlanets(const PlanetMoment& moment);

// The one product of the sunrise pass: the Sun's sidereal longitude, the
// same value ComputePlanets gives for the Sun.
struct SunAtMoment {
  double sunLongitudeDeg = 0;
};
SunAtMoment SunriseSunPosition(const PlanetMoment& moment);

// Days from J2000.0 (exact for 1901..2099).
double DayNumber(double year, double month, double day, double hour, double minute);

struct OrbitalElements {
  double a = 0;                 // semi-major axis, AU
  double e = 0;                 // eccentricity
  double iRad = 0;              // inclination
  double nodeRad = 0;           // longitude of the ascending node
  double perihelionRad = 0;     // longitude of perihelion
  double meanLongitudeRad = 0;  // not reduced
};

// Elements of heliocentric index 0..5 at d days from J2000.0.
OrbitalElements PlanetElements(int index, double d);
// Tropical (J2000) geocentric longitude in degrees, 0..360.
double GeoLongitude(int index, double d);
// Precession in longitude from J2000 to d days after it, degrees, with
// T = d / 36525 in this exact order of operations.
double PrecessionFromJ2000Deg(double d);
double MeanAnomaly2Pi(double x);
double TrueAnomaly(double meanAnomaly, double e);

// Chart form of a SignDMS/Degree2Dms text: "05 Leo 07" for 5° 7' in Leo.
// The chart's positions are written from their numbers (chart/presentation.h);
// this form remains for an angle that has no sign.
std::string ChartFormOfPosition(std::string_view text);

}  // namespace orvanta
