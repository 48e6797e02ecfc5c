#include "lagna/vighati.h"

#include <cmath>

namespace orvanta {

VighatiArc Vighati2Degree(double value) {
  const double x = std::fabs(value);
  const double whole = std::floor(x);
  const double degrees = (x - whole) * 30;
  const double minutes = (degrees - std::floor(degrees)) * 60;
  const double seconds = (minutes - std::floor(minutes)) * 60;

  VighatiArc arc;
  arc.ArcSigns = std::floor(whole / 15);
  arc.ArcDegrees = std::floor(degrees);
  arc.ArcMinutes = std::floor(minutes);
  arc.ArcSeconds = std::floor(seconds);
  return arc;
}

}  // namespace orvanta
