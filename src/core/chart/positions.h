// The chart's positions as numbers: for each body its sidereal longitude and
// what the chart reads from it (sign, degree and minute within the sign,
// nakshatra and pada, navamsa sign), and its retrograde mark.
//
// Longitudes in degrees, 0 = sidereal Aries. The sign, degree and minute are
// those the chart writes ("05 Leo 07"): whole degrees and minutes of the
// absolute value, truncated. A longitude that is not finite, or of 360 and
// beyond (a reduction that stopped at exactly 360), has no sign in the chart:
// it is kept with sign -1 and no nakshatra. Every text is made from these
// numbers by the presentation (chart/presentation.h); nothing reads them
// back from a text.
#pragma once

#include <array>
#include <string_view>

#include "engine/calendar.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "model/records.h"

namespace orvanta {

// The number of nakshatras, and of their quarters (padas) in a turn.
inline constexpr int kNakshatraCount = 27;
inline constexpr int kPadaCount = 108;

// The nakshatras from 0 deg sidereal, in order.
inline constexpr std::array<std::string_view, kNakshatraCount> kNakshatraNames = {
    "Ashwini",
    "Bharani",
    "Krittika",
    "Rohini",
    "Mrigashira",
    "Ardra",
    "Punarvasu",
    "Pushya",
    "Ashlesha",
    "Magha",
    "Purva Phalguni",
    "Uttara Phalguni",
    "Hasta",
    "Chitra",
    "Swati",
    "Vishakha",
    "Anuradha",
    "Jyeshtha",
    "Mula",
    "Purva Ashadha",
    "Uttara Ashadha",
    "Shravana",
    "Dhanishta",
    "Shatabhisha",
    "Purva Bhadrapada",
    "Uttara Bhadrapada",
    "Revati"};

struct BodyPosition {
  double longitudeDeg = 0;  // sidereal, as the engine gave it
  int sign = -1;            // 0 = Aries .. 11 = Pisces; -1 where the chart shows none
  int degrees = 0;          // whole degrees within the sign, 0..29
  int minutes = 0;          // whole minutes, 0..59
  int nakshatra = -1;       // 0..26, spans of 13 deg 20 min from 0 deg; -1 without a sign
  int pada = 0;             // quarter of the nakshatra, 1..4; 0 without a sign
  int navamsaSign = -1;     // sign of the navamsa (ninth of a sign) the body stands in
  bool retrograde = false;
};

using BodyPositions = std::array<BodyPosition, kBodyCount>;

// The position of a body at `longitudeDeg` (its absolute value is read, as
// the chart always has).
BodyPosition PositionOf(double longitudeDeg, bool retrograde = false);

// The ten bodies of one computation, Sun..Asc: the planets, Rahu and Ketu of
// the planet pass, the Moon and the ascendant of their own stages, and the
// retrograde flags (Mercury..Saturn from RetroFlag, which runs from Mercury).
BodyPositions BodyPositionsOf(const TimeQuantities& time, const MoonPosition& moon,
                              const PlanetPositions& planets, const std::array<bool, 8>& retroFlag);

}  // namespace orvanta
