#include "chart/positions.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {
// Minutes of arc in one pada (a quarter of a nakshatra of 800 minutes).
inline constexpr double kPadaArcMinutes = 200.0;
}  // namespace

BodyPosition PositionOf(double longitudeDeg, bool retrograde) {
  BodyPosition p;
  p.longitudeDeg = longitudeDeg;
  p.retrograde = retrograde;
  double angle = longitudeDeg;
  const SignDmsParts parts = SplitSignDms(angle);
  if (!parts.finite || !parts.HasSignLetters()) return p;
  p.sign = static_cast<int>(parts.sign);
  p.degrees = static_cast<int>(parts.degrees);
  p.minutes = static_cast<int>(parts.minutes);
  // The pada of the turn (0..107): four to a nakshatra, nine to a round of
  // the twelve navamsa signs from Aries.
  const int padaIndex =
      std::min(static_cast<int>(std::floor(angle * 60 / kPadaArcMinutes)), kPadaCount - 1);
  p.nakshatra = padaIndex / 4;
  p.pada = padaIndex % 4 + 1;
  p.navamsaSign = padaIndex % kSignCount;
  return p;
}

BodyPositions BodyPositionsOf(const TimeQuantities& time, const MoonPosition& moon,
                              const PlanetPositions& planets,
                              const std::array<bool, 8>& retroFlag) {
  // RetroFlag runs Mercury, Venus, Mars, Jupiter, Saturn, ... from index 0.
  const auto retro = [&](Body body) { return retroFlag[static_cast<std::size_t>(body - Mercury)]; };
  const auto& helio =
      planets.siderealDeg;  // 0 Mercury, 1 Venus, 2 Sun, 3 Mars, 4 Jupiter, 5 Saturn
  BodyPositions b;
  b[Sun] = PositionOf(helio[2]);
  b[Moon] = PositionOf(moon.MoonSidereal);
  b[Mercury] = PositionOf(helio[0], retro(Mercury));
  b[Venus] = PositionOf(helio[1], retro(Venus));
  b[Mars] = PositionOf(helio[3], retro(Mars));
  b[Jupiter] = PositionOf(helio[4], retro(Jupiter));
  b[Saturn] = PositionOf(helio[5], retro(Saturn));
  b[Rahu] = PositionOf(planets.rahuDeg);
  b[Ketu] = PositionOf(planets.ketuDeg);
  b[Asc] = PositionOf(time.AscendantDeg);
  return b;
}

}  // namespace orvanta
