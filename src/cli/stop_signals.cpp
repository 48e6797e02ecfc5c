#include "cli/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

namespace orvanta::cli {

namespace {

static_assert(std::atomic<int>::is_always_lock_free, "the handler needs a lock-free atomic");

// The process's one request: a signal handler can reach nothing else.
StopRequest g_request;
int g_wakeWriteFd = -1;

// Async-signal-safe: an atomic store, sigaction(2) and write(2), errno kept.
void OnStopSignal(int signal) {
  const int saved = errno;
  int expected = 0;
  g_request.signal.compare_exchange_strong(expected, signal);
  // The handler serves once: the next SIGINT or SIGTERM has its default effect.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(SIGINT, &fallback, nullptr);
  ::sigaction(SIGTERM, &fallback, nullptr);
  if (g_wakeWriteFd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wakeWriteFd, &byte, 1);
  }
  errno = saved;
}

}  // namespace

StopRequest* CatchStopSignals() {
  static const bool caught = [] {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
      // Never on 0, 1 or 2: with standard input or output closed the pipe
      // would take its place.
      for (int& fd : fds) {
        if (fd > STDERR_FILENO) continue;
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        ::close(fd);
        fd = moved;
      }
      if (fds[0] >= 0 && fds[1] >= 0) {
        g_request.wakeFd = fds[0];
        g_wakeWriteFd = fds[1];
      }
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    // Interrupted system calls resume (nothing in the core expects EINTR);
    // a read that waits for input is woken by the pipe instead.
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    return true;
  }();
  (void)caught;
  return &g_request;
}

std::string SignalName(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    default:
      return "signal " + std::to_string(signal);
  }
}

}  // namespace orvanta::cli
