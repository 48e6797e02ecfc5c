#include "lagna/moving_points.h"

#include "model/records.h"

namespace orvanta {

namespace {
inline constexpr double kDegPerSign = 30.0;
inline constexpr double kMinutesPerDegree = 60.0;
inline constexpr double kSecondsPerDegree = 3600.0;
}  // namespace

double MovingPointDeg(double sunriseSunDeg, double degPerMinute, long long elapsedMinutes) {
  double point = sunriseSunDeg + degPerMinute * static_cast<double>(elapsedMinutes);
  while (point > 360) point = point - 360;
  return point;
}

double VighatisOfSeconds(long long elapsedSeconds) {
  return static_cast<double>(elapsedSeconds) / 3600 * 150 / 15;
}

std::optional<int> VighatiPointSign(int sunSign, int sunDegrees, int sunMinutes,
                                    const VighatiArc& arc) {
  if (sunSign < 0 || sunSign >= kSignCount) return std::nullopt;
  double point = sunSign * kDegPerSign + sunDegrees + sunMinutes / kMinutesPerDegree;
  point += arc.ArcSigns * kDegPerSign + arc.ArcDegrees + arc.ArcMinutes / kMinutesPerDegree +
           arc.ArcSeconds / kSecondsPerDegree;
  while (point >= 360) point -= 360;
  return static_cast<int>(point / kDegPerSign);
}

}  // namespace orvanta
