// The program's time-based wealth lagnas for births read from standard
// input, for the sunrise check (wealth_sky_check.py), which counts them
// again from an independent sunrise and Sun.
//
// Input, one birth per line, whitespace-separated integers:
//   year month day hour minute second latDeg latMin north lonDeg lonMin east
//   zoneOffsetMinutes (east of Greenwich)
// Output, one line per birth, whitespace-separated, full precision:
//   birthUnixSeconds sunriseUnixSeconds elapsedSeconds sunAtSunriseDeg
//   horaDeg ghatiDeg bhavaDeg lahiriDeg nutationDeg
// under the Lahiri ayanamsa, the sunrise being the last before the birth by
// the program's own method; "none" for a birth with no such sunrise (or
// entries the form refuses). lahiriDeg and nutationDeg are the program's
// at the sunrise.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "chart/chart.h"
#include "chart/dasha_chart.h"
#include "chart/wealth_chart.h"
#include "engine/ayanamsa.h"
#include "io/birth_entries.h"

int main() {
  using namespace orvanta;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    int v[13];
    bool ok = true;
    for (int& x : v) ok = ok && static_cast<bool>(in >> x);
    if (!ok) {
      std::cerr << "wealth_values: unreadable line: " << line << "\n";
      return 2;
    }
    FormEntries e;
    e.name = "SKY";
    e.yearText = std::to_string(v[0]);
    e.monthIndex = v[1] - 1;
    e.dayText = std::to_string(v[2]);
    e.hourText = std::to_string(v[3]);
    e.minuteText = std::to_string(v[4]);
    e.secondText = std::to_string(v[5]);
    e.latDeg = std::to_string(v[6]);
    e.latMin = std::to_string(v[7]);
    e.north = v[8] != 0;
    e.lonDeg = std::to_string(v[9]);
    e.lonMin = std::to_string(v[10]);
    e.east = v[11] != 0;
    e.exactOffsetMinutes = v[12];
    CalculationSettings settings;
    settings.ayanamsa = AyanamsaChoice::Lahiri;
    const ChartRun run = ComputeChart(e, settings);
    if (run.refusal) {
      std::printf("none\n");
      continue;
    }
    const ChartOutput& chart = run.chart;
    const auto basis = LastSunriseBasis(chart);
    if (!basis) {
      std::printf("none\n");
      continue;
    }
    const long long birth = BirthInstantUt(chart.birth).time_since_epoch().count();
    const long long sunrise = birth - basis->elapsedSeconds;
    const double jd = static_cast<double>(sunrise) / 86400 + 2440587.5;
    std::printf(
        "%lld %lld %lld %.17g %.17g %.17g %.17g %.17g %.17g\n", birth, sunrise,
        basis->elapsedSeconds, basis->sunDeg,
        wealth::TimeLagnaDeg(basis->sunDeg, wealth::kHoraLagnaDegPerMinute, basis->elapsedSeconds),
        wealth::TimeLagnaDeg(basis->sunDeg, wealth::kGhatiLagnaDegPerMinute, basis->elapsedSeconds),
        wealth::TimeLagnaDeg(basis->sunDeg, wealth::kBhavaLagnaDegPerMinute, basis->elapsedSeconds),
        AyanamsaDeg(AyanamsaChoice::Lahiri, jd).value_or(NAN), NutationInLongitudeDeg(jd));
  }
  return 0;
}
