// The desktop program from start to the birth-data form on screen (target:
// at most 300 ms, offscreen), measured two ways:
//
//  - BM_FormCreateAndShow: inside one running process, the program's start
//    (single-instance guard, Shell::Start: the form built, its lists filled,
//    shown) until the form's window is exposed. Qt is already loaded and
//    warm, so this is the part of a start that the program's own code costs.
//  - BM_ProcessStartToFormShown: a whole new process. The benchmark starts a
//    copy of itself with the argument --startup-child PIPE_FD; the child does
//    what the program's main() does (QApplication, program icon, message box
//    sink, single-instance guard, Shell::Start) and writes one byte to the
//    pipe once the form is exposed. The figure is the time from the spawn to
//    that byte: loading the libraries, starting Qt and the fonts, building
//    and showing the form. The child's exit is not timed. The program itself
//    has no switch or variable for this: it reads no configuration at all.
//
// Both run on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
// The guard's lock lives in a temporary directory, so that a running Orvanta
// does not turn the measured start into a refused one.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "gui/frm_main.h"
#include "gui/message_sink.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "gui/ui_common.h"

extern char** environ;

namespace {

constexpr const char* kChildSwitch = "--startup-child";

// The path of this executable, for the child processes.
std::string g_self;

// The program's start as main.cpp makes it, ending as soon as the form is
// exposed. Returns the process's exit status.
int RunStartupChild(int argc, char** argv, int pipeFd) {
  QApplication app(argc, argv);
  app.setWindowIcon(orvanta::ProgramIcon());
  app.setQuitOnLastWindowClosed(false);
  QTemporaryDir lockDir;
  orvanta::MessageBoxSink messages;
  orvanta::SingleInstanceGuard guard(lockDir.filePath("orvanta.lock"));
  orvanta::Shell shell(
      messages, [](const QUrl&) { return true; }, [] {});
  if (!shell.Start(guard)) return 3;
  if (!QTest::qWaitForWindowExposed(shell.form())) return 4;
  const char shown = 'F';
  if (write(pipeFd, &shown, 1) != 1) return 5;
  close(pipeFd);
  return 0;
}

void BM_ProcessStartToFormShown(benchmark::State& state) {
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("no pipe");
      break;
    }
    const std::string fdText = std::to_string(fds[1]);
    char* childArgv[] = {g_self.data(), const_cast<char*>(kChildSwitch),
                         const_cast<char*>(fdText.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, g_self.c_str(), nullptr, nullptr, childArgv, environ) != 0) {
      close(fds[0]);
      close(fds[1]);
      state.SkipWithError("the child did not start");
      break;
    }
    close(fds[1]);
    char shown = 0;
    const ssize_t got = read(fds[0], &shown, 1);
    const auto end = std::chrono::steady_clock::now();
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got != 1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the child did not show its form");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  state.SetLabel("spawn to form exposed");
}
BENCHMARK(BM_ProcessStartToFormShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_FormCreateAndShow(benchmark::State& state) {
  QTemporaryDir lockDir;
  orvanta::MessageBoxSink messages;
  for (auto _ : state) {
    orvanta::SingleInstanceGuard guard(lockDir.filePath("orvanta.lock"));
    orvanta::Shell shell(
        messages, [](const QUrl&) { return true; }, [] {});
    if (!shell.Start(guard) || !QTest::qWaitForWindowExposed(shell.form())) {
      state.SkipWithError("the form was not shown");
      break;
    }
    state.PauseTiming();
    // The shell deletes the form when it goes; that is not part of a start.
    shell.form()->hide();
    state.ResumeTiming();
  }
  state.SetLabel("in-process start to form exposed");
}
BENCHMARK(BM_FormCreateAndShow)->Unit(benchmark::kMillisecond);

// The offscreen platform warns once for every window it shows that it
// cannot pass size hints on; that line would bury the figures.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  // Windows need a platform; the benchmark needs no screen. The children
  // inherit the setting.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietOffscreenWarnings);
  if (argc == 3 && std::strcmp(argv[1], kChildSwitch) == 0) {
    int childArgc = 1;
    return RunStartupChild(childArgc, argv, std::atoi(argv[2]));
  }
  g_self = "/proc/self/exe";
  {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) g_self.assign(path, static_cast<std::size_t>(length));
  }
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
