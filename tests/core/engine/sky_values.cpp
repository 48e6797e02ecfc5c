// The engine's numbers for births read from standard input, for the
// real-sky check (real_sky_check.py), which compares them with an
// independent ephemeris.
//
// Input, one birth per line, whitespace-separated integers:
//   year month day hour minute latDeg latMin south lonDeg lonMin east
//   zoneShiftHours zoneShiftMinutes dst
// Output, one line per birth, whitespace-separated, full precision:
//   planetJd ayanCorr sun mercury venus mars jupiter saturn
//   moonJd moonAyanamsa moon
//   ascJd tropicalAscendant ascendant
//   riseMinutes setMinutes
// planetJd is the planets' own universal time and moonJd/ascJd that of the
// Moon and the ascendant, as Julian dates; longitudes are sidereal degrees
// (the tropical ascendant excepted); rise and set are those of the birth
// date's solar day, in minutes from the local midnight that begins the birth
// date (negative on the day before, 1440 or more on the day after), or nan
// where the event is absent.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "engine/calendar.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "engine/sunrise.h"
#include "model/records.h"

namespace {

// Minutes from `midnight` to the event, "nan" where it is absent.
std::string MinutesFrom(orvanta::LocalDateTime midnight,
                        const std::optional<orvanta::LocalDateTime>& t) {
  if (!t) return "nan";
  return std::to_string(std::chrono::duration_cast<std::chrono::minutes>(*t - midnight).count());
}

}  // namespace

int main() {
  using namespace orvanta;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    int v[14];
    bool ok = true;
    for (int& x : v) ok = ok && static_cast<bool>(in >> x);
    if (!ok) {
      std::cerr << "sky_values: unreadable line: " << line << "\n";
      return 2;
    }
    BirthDetails b;
    b.Year = static_cast<std::int16_t>(v[0]);
    b.Month = static_cast<std::int16_t>(v[1]);
    b.Day = static_cast<std::int16_t>(v[2]);
    b.Hour = static_cast<std::int16_t>(v[3]);
    b.Minute = static_cast<std::int16_t>(v[4]);
    b.LatDeg = static_cast<std::int16_t>(v[5]);
    b.LatMin = static_cast<std::int16_t>(v[6]);
    b.South = v[7] != 0;
    b.LonDeg = static_cast<std::int16_t>(v[8]);
    b.LonMin = static_cast<std::int16_t>(v[9]);
    b.East = v[10] != 0;
    b.ZoneShiftHours = static_cast<std::int16_t>(v[11]);
    b.ZoneShiftMinutes = static_cast<std::int16_t>(v[12]);
    b.ZoneHours = static_cast<std::int16_t>(std::abs(v[11]));
    b.ZoneMinutes = static_cast<std::int16_t>(std::abs(v[12]));
    b.Dst = v[13] != 0;

    const TimeQuantities q = ComputeAscendant(b);
    const MoonPosition moon = ComputeMoonPosition(b);
    const PlanetPositions p = ComputePlanets(PlanetMomentOf(b, q));
    const LocalDateTime midnight = MakeDateTime(b.Year, b.Month, b.Day);
    const SunEvents sun = SunEventsOf(SunriseInputFor(b, midnight));

    const double birthJd = q.JulianDay - 0.5 + q.UniversalTime / 24;
    std::printf("%.17g %.17g", 2451545 + p.dayNumber, q.AyanCorr);
    for (const int helio : {2, 0, 1, 3, 4, 5}) {
      std::printf(" %.17g", p.siderealDeg[static_cast<std::size_t>(helio)]);
    }
    std::printf(" %.17g %.17g %.17g", birthJd, AyanamsaJ2000(moon.centuriesJ2000),
                moon.MoonSidereal);
    std::printf(" %.17g %.17g %.17g", birthJd, q.tropicalAscendantDeg, q.AscendantDeg);
    std::printf(" %s %s\n", MinutesFrom(midnight, sun.rise).c_str(),
                MinutesFrom(midnight, sun.set).c_str());
  }
  return 0;
}
