// The engine's numbers for births read from standard input, for the
// real-sky check (real_sky_check.py), which compares them with an
// independent ephemeris.
//
// Input, one birth per line, whitespace-separated integers:
//   year month day hour minute latDeg latMin south lonDeg lonMin east
//   zoneShiftHours zoneShiftMinutes dst [offsetSeconds]
// (the zone list's correction from clock time to universal time, hours and
// minutes with one sign; a fifteenth number, where given, is instead the
// clock's offset east of Greenwich to the second, Kathmandu's 20476 of 1901)
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
#include "model/birth.h"

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
    Birth b;
    b.local = CivilTime{v[0], v[1], v[2], v[3], v[4], 0};
    b.position.latitude = {static_cast<std::int16_t>(v[5]), static_cast<std::int16_t>(v[6]),
                           v[7] == 0};
    b.position.longitude = {static_cast<std::int16_t>(v[8]), static_cast<std::int16_t>(v[9]),
                            v[10] != 0};
    b.clock.offsetSeconds = -(v[11] * 3600 + v[12] * 60);
    if (int offsetSeconds = 0; in >> offsetSeconds) b.clock.offsetSeconds = offsetSeconds;
    b.clock.daylightTick = v[13] != 0;

    const TimeQuantities q = ComputeAscendant(b);
    const MoonPosition moon = ComputeMoonPosition(b);
    const PlanetPositions p = ComputePlanets(PlanetMomentOf(b, q));
    const LocalDateTime midnight = MakeDateTime(b.local.year, b.local.month, b.local.day);
    const SunEvents sun = SunEventsOf(SunriseInputFor(b, midnight));

    const double birthJd = q.JulianDay - 0.5 + q.UniversalTime / 24;
    std::printf("%.17g %.17g", 2451545 + p.dayNumber, -q.ayanamsaDeg);
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
