// The program's Moon and Vimshottari periods for births read from standard
// input, for the real-sky check (dasha_sky_check.py), which computes the
// periods again from an independent ephemeris's Moon.
//
// Input, one birth per line, whitespace-separated integers:
//   year month day hour minute second lonDeg lonMin east
//   zoneShiftHours zoneShiftMinutes dst
// Output, one line per birth, whitespace-separated, full precision:
//   birthUnixSeconds moonSidereal lahiriDeg nutationDeg firstLord
//   secondLord secondStartUnixSeconds
// with the Lahiri ayanamsa and the Julian year; lords are 0 Ketu .. 8
// Mercury; lahiriDeg is the program's (mean) Lahiri ayanamsa at the birth.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "chart/dasha_chart.h"
#include "engine/ayanamsa.h"
#include "engine/moon.h"

int main() {
  using namespace orvanta;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    int v[12];
    bool ok = true;
    for (int& x : v) ok = ok && static_cast<bool>(in >> x);
    if (!ok) {
      std::cerr << "dasha_values: unreadable line: " << line << "\n";
      return 2;
    }
    Birth b;
    b.local = CivilTime{v[0], v[1], v[2], v[3], v[4], v[5]};
    b.position.longitude = {static_cast<std::int16_t>(v[6]), static_cast<std::int16_t>(v[7]),
                            v[8] != 0};
    b.clock.offsetSeconds = -(v[9] * 3600 + v[10] * 60);
    b.clock.daylightTick = v[11] != 0;

    const MoonPosition moon = ComputeMoonPosition(b, AyanamsaChoice::Lahiri);
    const dasha::UtSeconds birth = BirthInstantUt(b);
    const auto scheme = dasha::VimshottariOf(moon.MoonSidereal, birth);
    if (!scheme) {
      std::cerr << "dasha_values: no periods for: " << line << "\n";
      return 2;
    }
    const auto maha = dasha::Mahadashas(*scheme);
    const double jd = static_cast<double>(birth.time_since_epoch().count()) / 86400 + 2440587.5;
    std::printf("%lld %.17g %.17g %.17g %d %d %lld\n",
                static_cast<long long>(birth.time_since_epoch().count()), moon.MoonSidereal,
                AyanamsaDeg(AyanamsaChoice::Lahiri, jd).value_or(NAN), NutationInLongitudeDeg(jd),
                static_cast<int>(maha[0].lord()), static_cast<int>(maha[1].lord()),
                static_cast<long long>(maha[1].start.time_since_epoch().count()));
  }
  return 0;
}
