// Place search over the whole atlas and zone resolution from the time-zone
// history. Targets: a place search under 5 ms (the form's completer runs one
// per key typed), a birth place resolved under 1 ms, loading the atlas's
// index well under the 40 ms a one-chart run may take in all, a zone
// resolution under 20 microseconds.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "atlas/atlas.h"
#include "tz/zone_resolution.h"

namespace {

void BM_PlaceSearch(benchmark::State& state) {
  const orvanta::Atlas atlas;  // loaded outside the timing
  const std::vector<std::string> queries = {
      "Madrid", "Sao Paulo",  "New York, USA", "Portland, Maine, US",
      "s",      "London, UK", "Xqzzy",         "bomb",
      "Москва", "मुंबई",        "chennai"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(atlas.Search(queries[i++ % queries.size()]));
  }
}
BENCHMARK(BM_PlaceSearch)->Unit(benchmark::kMillisecond);

void BM_PlaceResolve(benchmark::State& state) {
  const orvanta::Atlas atlas;
  const std::vector<std::string> queries = {"Bombay", "Poona, India", "Manhattan, United States",
                                            "Wiener", "Москва",       "Madrid, Spain"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(atlas.Resolve(queries[i++ % queries.size()]));
  }
}
BENCHMARK(BM_PlaceResolve)->Unit(benchmark::kMillisecond);

void BM_AtlasLoad(benchmark::State& state) {
  for (auto _ : state) {
    const orvanta::Atlas atlas;
    benchmark::DoNotOptimize(atlas.size());
  }
}
BENCHMARK(BM_AtlasLoad)->Unit(benchmark::kMillisecond);

void BM_ZoneResolution(benchmark::State& state) {
  orvanta::ZoneHistory history;
  const std::vector<std::string> zones = {"Europe/Madrid",    "America/New_York", "Asia/Kolkata",
                                          "Australia/Sydney", "Asia/Kathmandu",   "Europe/London"};
  std::mt19937 random(1990);
  std::vector<orvanta::LocalDateTime> moments;
  for (int k = 0; k < 1024; ++k) {
    moments.push_back(orvanta::MakeDateTime(
        1901 + static_cast<int>(random() % 150), 1 + static_cast<int>(random() % 12),
        1 + static_cast<int>(random() % 28), static_cast<int>(random() % 24),
        static_cast<int>(random() % 60)));
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(orvanta::ResolveZone(history, zones[i % zones.size()],
                                                  moments[i % moments.size()],
                                                  orvanta::DoubledChoice::Daylight));
    ++i;
  }
}
BENCHMARK(BM_ZoneResolution)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
