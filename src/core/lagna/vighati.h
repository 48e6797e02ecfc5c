// Splits a time measure into a whole count and an arc (degrees, minutes and
// seconds of arc), each truncated. The count scales the whole part by 1/15
// while the arc scales the fraction by 30: the two scales differ on purpose.
#pragma once

namespace orvanta {

struct VighatiArc {
  double ArcSigns = 0;    // Int(Int(|x|) / 15)
  double ArcDegrees = 0;  // Int(frac(|x|) * 30)
  double ArcMinutes = 0;
  double ArcSeconds = 0;
};

VighatiArc Vighati2Degree(double value);

}  // namespace orvanta
