// The points the chart marks beside the Indu Lagna, all counted from the Sun
// at the reference sunrise (the last sunrise before the birth):
// - three points moving from the Sun's longitude at 1.25, 0.5 and 0.25
//   degrees per minute of time elapsed since that sunrise;
// - one point at the elapsed time in vighatis turned into an arc (signs,
//   degrees, minutes, seconds), added to the Sun's sign, degree and minute
//   as the chart shows them.
// Each point adds an empty line to its sign's mark label. Longitudes in
// degrees, 0 = sidereal Aries.
#pragma once

#include <array>
#include <optional>

#include "lagna/vighati.h"

namespace orvanta {

// Rates of the three moving points, degrees per minute of elapsed time.
inline constexpr std::array<double, 3> kMovingPointDegPerMinute = {1.25, 0.5, 0.25};

// Longitude of the moving point of rate `degPerMinute`, reduced below 360
// (a longitude of exactly 360 stays, as the chart's formatting reads it).
double MovingPointDeg(double sunriseSunDeg, double degPerMinute, long long elapsedMinutes);

// Vighatis in `elapsedSeconds` (an hour holds 150 / 15 · 15 = 150 vighatis,
// written in the order the marks depend on).
double VighatisOfSeconds(long long elapsedSeconds);

// Sign (0 = Aries) of the vighati point: the arc added to the sign, whole
// degree and whole minute of the Sun at the reference sunrise as the chart
// shows them; nothing when the Sun has no sign (-1).
std::optional<int> VighatiPointSign(int sunSign, int sunDegrees, int sunMinutes,
                                    const VighatiArc& arc);

}  // namespace orvanta
