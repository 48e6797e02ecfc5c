// The Moon's sidereal longitude and its nakshatra.
//
// Method: the 25 largest longitude terms of the ELP-2000/82 lunar series
// with linear mean elements (no T^2 terms), T in Julian centuries from
// J2000.0 computed from the birth record on its own; the ayanamsa is the
// J2000 variant with the nutation in longitude. Output in degrees; good
// for the centuries around 2000.
#pragma once

#include <array>
#include <string>

#include "engine/ayanamsa.h"
#include "model/birth.h"
#include "model/records.h"

namespace orvanta {

// Start degree of each of the 27 nakshatras: multiples of 13.33, as the
// program has always used them (not of 13°20').
inline constexpr std::array<double, 27> kNakStartTable = {
    0,      13.33,  26.66,  39.99,  53.32,  66.65,  79.98,  93.31,  106.64,
    119.97, 133.3,  146.63, 159.96, 173.29, 186.62, 199.95, 213.28, 226.61,
    239.94, 253.27, 266.6,  279.93, 293.26, 306.59, 319.92, 333.25, 346.58};

struct MoonPosition {
  double centuriesJ2000 = 0;  // T from J2000.0
  double MoonTropical = 0;    // degrees, 0..360
  double MoonSidereal = 0;    // degrees, 0 <= value < 360
  int nakshatraIndex = 0;     // 0..26
  double NakStartDeg = 0;
  std::string MoonText;  // Degree2Dms(MoonSidereal)
};

// The Moon's tropical and sidereal longitude and its nakshatra at a birth.
// With the program's ayanamsa the sidereal Moon uses AyanamsaJ2000; with a
// named one, that ayanamsa at the same instant (no sidereal Moon where
// AyanamsaDeg gives none).
MoonPosition ComputeMoonPosition(const Birth& birth, AyanamsaChoice ayanamsa = kDefaultAyanamsa);

// Ayanamsa in degrees for T centuries from J2000.0 (negative; added to
// tropical longitudes).
double AyanamsaJ2000(double T);

// Geocentric tropical longitude of the Moon in degrees for T centuries from
// J2000.0: reduced into 0..360 by whole turns (exactly 360 stays).
double MoonTropicalLongitude(double T);

// Sidereal Moon from the tropical one less the ayanamsa: one added turn
// when the difference is negative. Only where the correction outgrows a
// turn (centuries away from 2000) is the value reduced further, so that it
// always lies in [0, 360).
double SiderealMoonDeg(double moonTropicalDeg, double ayanamsaDeg);

// Nakshatra of a sidereal Moon: Int(60 * lon / 800), the exact 800' span;
// 0..26 (a Moon that rounds up to 27 is still in the last one).
int NakshatraIndex(double moonSiderealDeg);

// Same text as SignDMS, from the absolute value of the angle; the argument is
// not changed.
std::string Degree2Dms(double angle);

}  // namespace orvanta
