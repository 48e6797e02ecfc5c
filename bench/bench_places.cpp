// Place search over the whole atlas and zone resolution from the time-zone
// history. Targets: a place search under 5 ms (the form's completer runs one
// per key typed), a birth place resolved under 1 ms, loading the atlas's index
// well under a millisecond (it is mapped, not read), a zone resolution under
// 20 microseconds, and one `orvanta-cli --place` chart, the whole process
// from spawn to exit on the wall clock, under 40 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "atlas/atlas.h"
#include "tz/zone_resolution.h"

extern char** environ;

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

// A fresh atlas's first search, the one parse of every city counted with
// it (the desktop form parses when City takes the focus, before a key is
// typed; the command line's --places pays it).
void BM_FirstPlaceSearch(benchmark::State& state) {
  for (auto _ : state) {
    const orvanta::Atlas atlas;
    benchmark::DoNotOptimize(atlas.Search("chennai", 12));
  }
}
BENCHMARK(BM_FirstPlaceSearch)->Unit(benchmark::kMillisecond);

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
                                                  orvanta::DoubledChoice::Summer));
    ++i;
  }
}
BENCHMARK(BM_ZoneResolution)->Unit(benchmark::kMicrosecond);

// One chart of a birth place named by the atlas, as a user runs it: spawn
// of orvanta-cli to its exit, the chart written to /dev/null.
void BM_OneChartProcess(benchmark::State& state) {
  const char* program = ORVANTA_CLI_PROGRAM;
  char* argv[] = {const_cast<char*>(program),       const_cast<char*>("--name"),
                  const_cast<char*>("A"),           const_cast<char*>("--place"),
                  const_cast<char*>("Pune, India"), const_cast<char*>("--date"),
                  const_cast<char*>("1990-01-01"),  const_cast<char*>("--time"),
                  const_cast<char*>("10:00"),       nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program, &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("orvanta-cli did not start");
      break;
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("orvanta-cli did not compute the chart");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  posix_spawn_file_actions_destroy(&actions);
  state.SetLabel("spawn to exit, --place \"Pune, India\"");
}
BENCHMARK(BM_OneChartProcess)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
