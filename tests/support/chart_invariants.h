// The properties every computed chart has, whatever entries led to it:
// the Indu Lagna lies in 0..11 and is marked "IL" exactly once, on the last
// line of its own mark label; the mark labels hold nothing but line breaks
// and that mark; no quantity the result window or the JSON output shows is
// NaN or infinite; the Indu Lagna sign's row was copied. Shared by the fuzz
// targets, the whole-domain sweep and the bad-input tests.
#pragma once

#include <cmath>
#include <string>

#include "chart/legacy_record.h"
#include "io/birth_entries.h"

namespace orvanta::fuzz {

// The first property the chart breaks, or "" when it has them all.
inline std::string ChartFault(const ChartOutput& c) {
  for (const double v :
       {c.time.UniversalTime, c.time.CenturiesT, c.time.ayanamsaDeg, c.time.AscendantDeg,
        c.moon.MoonTropical, c.moon.MoonSidereal, c.moon.NakStartDeg, c.SunriseSunLongitude}) {
    if (!std::isfinite(v)) return "a quantity is not finite";
  }
  if (!c.induLagna) return "no Indu Lagna";
  const int il = c.induLagna->sign;
  if (il < 0 || il >= kSignCount) return "Indu Lagna " + std::to_string(il) + " outside 0..11";
  // The mark labels of the chart's record.
  const SignCaptions labels = LegacyCaptionsOf(c).marks;
  int marks = 0;
  for (int k = 0; k < kSignCount; ++k) {
    const std::string& m = labels[static_cast<std::size_t>(k)];
    if (m.find_first_not_of("\r\nIL") != std::string::npos) {
      return "mark label " + std::to_string(k) + " holds text other than IL";
    }
    for (std::size_t pos = m.find("IL"); pos != std::string::npos; pos = m.find("IL", pos + 2)) {
      ++marks;
      if (k != il) return "IL marked in sign " + std::to_string(k) + ", not " + std::to_string(il);
    }
  }
  if (marks != 1) return "IL marked " + std::to_string(marks) + " times";
  const std::string& label = labels[static_cast<std::size_t>(il)];
  const std::size_t last = label.find_last_not_of("\r\n");
  if (last == std::string::npos || last < 1 || label.compare(last - 1, 2, "IL") != 0) {
    return "IL is not the last line of its mark label";
  }
  if (!c.attributes) return "the Indu Lagna sign's row was not copied";
  return {};
}

}  // namespace orvanta::fuzz
