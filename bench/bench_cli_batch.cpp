// Throughput of the batch mode of orvanta-cli: CSV rows in, one JSON line (or
// CSV line) per row out, each row computed afresh, measured in process
// over generated rows, reading and writing included. BM_Batch runs JSON and
// CSV output with one job and with one job per usable core (the program's
// default), timed on the wall clock. Reported as rows per second and
// microseconds per row. Targets on a 2-core machine: CSV with one job under
// 8 us per row; full JSON on all cores over 100,000 rows per second. The two
// descriptor cases write as the program does: to a regular file in blocks,
// and row by row to a device (as to a pipe or a terminal), so that the cost
// of passing each row on at once shows.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/app.h"
#include "cli/pipeline.h"
#include "io/bytes.h"

namespace {

constexpr int kRows = 20000;

// Valid rows spread over the form's years, both hemispheres and the zone
// list (positions and abbreviations).
std::string GeneratedRows() {
  std::mt19937 random(2050);
  const char* zones[] = {"IST", "EST", "GMT", "34", "0", "70", "AEST", "CET", "JST", ""};
  std::string csv = "name,date,time,lat,lon,zone,dst,city,state,country\n";
  char line[256];
  for (int i = 0; i < kRows; ++i) {
    std::snprintf(line, sizeof line,
                  "PERSON %d,%d-%02d-%02d,%d:%02d:%02d,%d%c%02d,%d%c%02d,%s,%d,"
                  "\"City, %d\",State,Country\n",
                  i, 1901 + static_cast<int>(random() % 150), 1 + static_cast<int>(random() % 12),
                  1 + static_cast<int>(random() % 28), static_cast<int>(random() % 24),
                  static_cast<int>(random() % 60), static_cast<int>(random() % 60),
                  static_cast<int>(random() % 60), random() % 2 ? 'N' : 'S',
                  static_cast<int>(random() % 60), static_cast<int>(random() % 180),
                  random() % 2 ? 'E' : 'W', static_cast<int>(random() % 60), zones[random() % 10],
                  static_cast<int>(random() % 2), i);
    csv += line;
  }
  return csv;
}

// Standard output stand-in: counts the bytes and drops them, as writing to
// a file or pipe would cost no growing of a string in memory.
class CountingBuffer : public std::streambuf {
 public:
  std::size_t bytes = 0;

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    bytes += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) ++bytes;
    return traits_type::not_eof(c);
  }
};

// Arguments: the output form, the chart schema's JSON (1), the chart record's
// JSON (2) or CSV (0), and the number of jobs.
void BM_Batch(benchmark::State& state) {
  static const std::string input = GeneratedRows();
  orvanta::cli::BatchSettings settings;
  settings.json = state.range(0) != 0;
  settings.record = state.range(0) == 2;
  settings.jobs = static_cast<int>(state.range(1));
  std::size_t outputBytes = 0;
  for (auto _ : state) {
    std::istringstream in(input);
    CountingBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    const int status = orvanta::cli::RunBatch(in, settings, out, err);
    if (status != 0) state.SkipWithError("a generated row failed");
    outputBytes = sink.bytes;
    benchmark::DoNotOptimize(outputBytes);
  }
  const double rows = static_cast<double>(kRows) * static_cast<double>(state.iterations());
  state.counters["rows_per_s"] = benchmark::Counter(rows, benchmark::Counter::kIsRate);
  state.counters["us_per_row"] =
      benchmark::Counter(rows / 1e6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["out_bytes_per_row"] = static_cast<double>(outputBytes) / kRows;
}
BENCHMARK(BM_Batch)
    ->ArgNames({"form", "jobs"})
    ->ArgsProduct({{1, 2, 0}, {1, orvanta::cli::UsableCores()}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->DisplayAggregatesOnly(true);

// The JSON batch written through a descriptor: `path` is truncated before
// each run.
void RunDescriptorBenchmark(benchmark::State& state, const char* path) {
  const std::string input = GeneratedRows();
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    state.SkipWithError("cannot open the output");
    return;
  }
  for (auto _ : state) {
    if (::ftruncate(fd, 0) == 0) ::lseek(fd, 0, SEEK_SET);
    std::istringstream in(input);
    orvanta::StreamSource source(in);
    orvanta::DescriptorSink sink(fd);
    std::ostringstream err;
    const int status = orvanta::cli::RunBatch(source, "rows", true, sink, err);
    if (status != 0) state.SkipWithError("a generated row failed");
  }
  ::close(fd);
  state.counters["rows_per_s"] =
      benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_Batch_Json_ToFile(benchmark::State& state) {
  const std::string path = "/tmp/orvanta-bench-" + std::to_string(::getpid()) + ".json";
  RunDescriptorBenchmark(state, path.c_str());
  ::unlink(path.c_str());
}
BENCHMARK(BM_Batch_Json_ToFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->DisplayAggregatesOnly(true);

void BM_Batch_Json_RowByRow(benchmark::State& state) {
  RunDescriptorBenchmark(state, "/dev/null");
}
BENCHMARK(BM_Batch_Json_RowByRow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->DisplayAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
