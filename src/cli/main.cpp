// orvanta-cli: one chart from options, or many from a CSV file.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/app.h"
#include "cli/arguments.h"
#include "cli/stop_signals.h"
#include "io/bytes.h"

int main(int argc, char** argv) {
  // Whatever goes wrong inside (memory running out), the user gets a line
  // saying so and a documented status, never an abort.
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    // Standard input and output are read and written directly, so that a
    // failed read or write is known at once with its cause, and rows reach
    // a pipe as soon as they are computed.
    orvanta::DescriptorSource in(STDIN_FILENO);
    orvanta::DescriptorSink out(STDOUT_FILENO);
    // A batch stops after the row being written on SIGINT or SIGTERM; a
    // read of standard input that waits gives way to the request.
    const auto catchStop = [&in] {
      orvanta::cli::StopRequest* stop = orvanta::cli::CatchStopSignals();
      in.SetWakeDescriptor(stop->wakeFd);
      return stop;
    };
    return orvanta::cli::RunCli(args, orvanta::cli::CliChannels{in, out, std::cerr, catchStop});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvanta-cli: internal error: %s\n", e.what());
  } catch (...) {
    std::fputs("orvanta-cli: internal error\n", stderr);
  }
  return orvanta::cli::kExitInternal;
}
