// Julian day, universal time, ayanamsa, sidereal time and the ascendant.
//
// Method: the integer Julian day number of the local civil date (Julian
// calendar before the Gregorian reform), universal time in hours from the
// clock time and the zone (no change of date), Julian centuries T from
// JD 2415020.0, a Lahiri-type ayanamsa with the nutation in longitude, the
// local sidereal time from Newcomb's series, and the ascendant from the RAMC,
// the obliquity and the latitude (the rising point of the ecliptic at every
// latitude, beyond the polar circles too). Angles in degrees except inside the
// trigonometric calls; good for the form's years 1901..2050 and well beyond.
// Every step keeps its exact order of operations and constants: the last
// digit of a result decides a sign, a minute or a nakshatra.
#pragma once

#include <string>

#include "engine/ayanamsa.h"
#include "engine/rounded_constants.h"
#include "model/birth.h"
#include "model/records.h"

namespace orvanta {

namespace calendar {
using rounded::kDegToRad;
using rounded::kPi;
using rounded::kRadToDeg;
}  // namespace calendar

// Everything ComputeAscendant derives from one birth.
struct TimeQuantities {
  double localTimeHours = 0;   // hour + minute / 60 of the clock reading
  double clockHours = 0;       // the clock's offset east, tick counted (ClockHours)
  double longitudeDeg = 0;     // west positive
  double latitudeDeg = 0;      // north positive
  double UniversalTime = 0;    // hours, not reduced to 0..24
  double JulianDay = 0;        // of the local civil date (not moved to the UT date)
  double CenturiesT = 0;       // Julian centuries from JD 2415020.0
  double ayanamsaDeg = 0;      // the ayanamsa, subtracted from tropical longitudes
  double siderealTimeDeg = 0;  // local sidereal time as an angle
  double ramcRad = 0;
  double obliquityRad = 0;
  double tropicalAscendantDeg = 0;
  double AscendantDeg = 0;    // StepInto360 of the sidereal ascendant
  double AscendantInt = 0;    // floor of AscendantDeg
  std::string AscendantText;  // SignDMS of the sidereal ascendant
};

// The birth moment as the ascendant and the Moon both work it out: the
// clock reading in hours (its seconds left out, as they always were), the
// clock's offset in the engine's hours, and universal time on the local
// civil date.
struct BirthUniversalTime {
  double localTimeHours = 0;      // hour + minute / 60
  double clockHours = 0;          // ClockHours of the birth's clock
  double longitudeDeg = 0;        // west positive
  double julianDay = 0;           // of the local civil date (not moved to the UT date)
  double universalTimeHours = 0;  // not reduced to 0..24
};

// Universal time of a birth in hours: the clock reading less the clock's
// offset east with the tick (ClockHours), to the second of the offset. No
// reduction to 0..24 and no change of date: the centuries counted from the
// Julian day stay continuous anyway.
BirthUniversalTime UniversalTimeOfBirth(const Birth& birth);

// The universal time, the local sidereal time and the sidereal ascendant of
// a birth, with every quantity on the way. With the program's ayanamsa
// ayanamsaDeg is -AyanamsaCorrection(T); with a named one it is that
// ayanamsa at the birth moment (NaN where AyanamsaDeg gives none).
TimeQuantities ComputeAscendant(const Birth& birth, AyanamsaChoice ayanamsa = kDefaultAyanamsa);

// Integer Julian day number of the civil date (the day beginning at noon).
double JulianDayNumber(double month, double day, double year);

// Ayanamsa correction in degrees for T Julian centuries from JD 2415020.0.
// Its node is reduced by whole turns; a T so large that the turns could not
// be counted one by one (or not finite) is reduced in one exact step, so the
// call always ends.
double AyanamsaCorrection(double T);

// Quadrant arctangent in radians; ArcTan2(0, -1) is 0, not pi.
double ArcTan2(double y, double x);

// One step each way: below 0 add 360, then above 360 subtract 360. The
// argument is replaced by the result, which is also returned.
double StepInto360(double& angle);

// "5° 30' 0\" Leo": degrees within the sign, minutes, truncated seconds and
// the sign letters. The argument is replaced by its absolute value.
std::string SignDMS(double& angle);

// The whole numbers SignDMS writes, before they become text. The argument is
// replaced by its absolute value; a non-finite angle gives `finite` false.
struct SignDmsParts {
  double degrees = 0;  // within the sign
  double minutes = 0;
  double seconds = 0;  // truncated
  double sign = 0;     // whole signs in the angle, 0 = Aries
  bool finite = false;
  // Sign 12 (an angle of exactly 360) and beyond has no letters.
  bool HasSignLetters() const { return sign >= 0 && sign < 12; }
};
SignDmsParts SplitSignDms(double& angle);

}  // namespace orvanta
