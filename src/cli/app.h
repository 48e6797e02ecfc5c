// The run of orvanta-cli, apart from the process: it reads its arguments,
// standard input and the batch file through the parameters and writes to
// the two given streams, and returns the exit status. main() only hands it
// the process's streams; tests and benchmarks call it with string streams.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace orvanta::cli {

struct CliStreams {
  std::istream& in;   // standard input (for --batch -)
  std::ostream& out;  // standard output
  std::ostream& err;  // standard error
};

// Runs the program with the arguments after its name; returns the exit status.
int RunCli(std::span<const std::string_view> args, CliStreams io);

// The batch mode over an open input: one chart per CSV row, each from a
// fresh session. Returns kExitOk, kExitRowsFailed or kExitBadInput.
int RunBatch(std::istream& input, bool json, std::ostream& out, std::ostream& err);

}  // namespace orvanta::cli
