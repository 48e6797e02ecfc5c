// One whole chart computation (ComputeChart: validation, engine, Indu Lagna,
// sunrise references, sign-table copy), each computed afresh as the
// batch mode runs it. Target: well under 20 microseconds per chart.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "io/birth_entries.h"
#include "support/reference_births.h"

namespace {

// Births spread over the form's years, the globe (below the polar circles)
// and the zone list, so that no single branch pattern is measured.
std::vector<orvanta::FormEntries> VariedBirths(std::size_t count) {
  std::mt19937 random(1980);
  std::vector<orvanta::FormEntries> births;
  for (std::size_t i = 0; i < count; ++i) {
    orvanta::FormEntries e = orvanta::reference::DelhiBirth();
    e.monthIndex = static_cast<int>(random() % 12);
    e.dayText = std::to_string(1 + random() % 28);
    e.yearText = std::to_string(1901 + random() % 150);
    e.hourText = std::to_string(random() % 24);
    e.minuteText = std::to_string(random() % 60);
    e.secondText = std::to_string(random() % 60);
    e.latDeg = std::to_string(random() % 60);
    e.latMin = std::to_string(random() % 60);
    e.lonDeg = std::to_string(random() % 180);
    e.lonMin = std::to_string(random() % 60);
    e.north = random() % 2 == 0;
    e.east = random() % 2 == 0;
    e.zoneIndex = static_cast<int>(random() % 71);
    e.daylightTick = random() % 4 == 0;
    births.push_back(std::move(e));
  }
  return births;
}

void BM_RunChart_Delhi(benchmark::State& state) {
  const orvanta::FormEntries entries = orvanta::reference::DelhiBirth();
  for (auto _ : state) {
    orvanta::ChartRun run = orvanta::ComputeChart(entries);
    benchmark::DoNotOptimize(run);
  }
}
BENCHMARK(BM_RunChart_Delhi)->Repetitions(7)->DisplayAggregatesOnly(true);

void BM_RunChart_Varied(benchmark::State& state) {
  const std::vector<orvanta::FormEntries> births = VariedBirths(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    orvanta::ChartRun run = orvanta::ComputeChart(births[i++ % births.size()]);
    benchmark::DoNotOptimize(run);
  }
}
BENCHMARK(BM_RunChart_Varied)->Repetitions(7)->DisplayAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
