// SIGINT and SIGTERM during a batch: a request to stop after the row being
// written, instead of the default end in the middle of a write.
//
// The handler only stores the signal's number in an atomic and writes one
// byte to a self-pipe; the batch polls the number between rows, and a read
// that waits for input waits on the pipe as well. The first signal asks
// the run to stop; the handler is then reset, so a second one ends the
// program at once, as the signal does by default.
#pragma once

#include <atomic>
#include <string>

namespace orvanta::cli {

// A request to stop a run early.
struct StopRequest {
  std::atomic<int> signal{0};  // the number of the signal that asked; 0 while none has
  int wakeFd = -1;             // readable once `signal` is set (a self-pipe), or -1
};

// Catches SIGINT and SIGTERM from now on, for the rest of the process; the
// request they fill. Each call returns the same request.
StopRequest* CatchStopSignals();

// "SIGINT", "SIGTERM", or "signal N".
std::string SignalName(int signal);

// The status of a run stopped by `signal`: 128 plus its number, as a shell
// reports a command the signal ended (130 for SIGINT, 143 for SIGTERM).
inline constexpr int ExitStatusOfSignal(int signal) {
  return 128 + signal;
}

}  // namespace orvanta::cli
