// The run of orvanta-cli, apart from the process: it reads its arguments,
// standard input and the batch file through the parameters and writes to
// the given output, and returns the exit status. main() hands it the
// process's descriptors; tests and benchmarks call it with string streams.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "cli/chart_json.h"
#include "cli/render.h"
#include "cli/stop_signals.h"
#include "io/bytes.h"

namespace orvanta::cli {

struct CliStreams {
  std::istream& in;   // standard input (for --batch -)
  std::ostream& out;  // standard output
  std::ostream& err;  // standard error
};

struct CliChannels {
  ByteSource& in;     // standard input (for --batch -)
  ByteSink& out;      // standard output
  std::ostream& err;  // standard error
  // Called as a batch starts: catches the signals that ask it to stop
  // (CatchStopSignals in the program, which also lets the request wake a
  // read of standard input) and gives the request they fill; none: the
  // run is never asked to stop.
  std::function<StopRequest*()> catchStop = {};
};

// Runs the program with the arguments after its name; returns the exit status.
int RunCli(std::span<const std::string_view> args, CliChannels io);
int RunCli(std::span<const std::string_view> args, CliStreams io);

// How the batch mode computes and writes its rows.
struct BatchSettings {
  bool json = false;    // one JSON object per row instead of a CSV line
  bool record = false;  // with json: the internal record (--json-record), not the chart schema
  int jobs = 1;         // threads computing charts; 1 computes each row as it is read
  ChartJsonMembers fields = ChartJsonMembers{}.set();            // the record's members written
  ChartSchemaMembers schemaFields = ChartSchemaMembers{}.set();  // the schema's members written
  CalculationSettings calculation;  // --il-rule, --ayanamsa, --node: every row's settings
  ChartStyle style = ChartStyle::SouthIndian;  // the JSON's settings.chartStyle
  NameScript names = NameScript::English;      // the JSON's settings.names
  // Polled between rows: once it holds a signal's number the run stops
  // after the row being written (null: never).
  const std::atomic<int>* stop = nullptr;
  DashaRequest dasha;  // --dasha-levels, --dasha-at
};

// The batch mode over an open input: one chart per CSV row, each from a
// fresh session, written in input order whatever the number of jobs.
// `inputName` names the input in a read error ("standard input" or the
// file's name). Returns kExitOk, kExitRowsFailed, kExitBadInput,
// kExitNoInput (a read failed; the rows before it are written),
// kExitCannotWrite (the output failed; the run stopped there) or, when
// settings.stop asked it to stop, ExitStatusOfSignal() of that signal (the
// rows written so far are whole).
int RunBatch(ByteSource& input, std::string_view inputName, const BatchSettings& settings,
             ByteSink& out, std::ostream& err);
int RunBatch(ByteSource& input, std::string_view inputName, bool json, ByteSink& out,
             std::ostream& err);
int RunBatch(std::istream& input, const BatchSettings& settings, std::ostream& out,
             std::ostream& err);
int RunBatch(std::istream& input, bool json, std::ostream& out, std::ostream& err);

}  // namespace orvanta::cli
