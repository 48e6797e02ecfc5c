// The desktop program from the click on "Get My Indu Lagna" to the filled,
// shown and painted result window (target: at most 30 ms), and the two parts
// of that road measured alone so that a slow figure points at its cause: the
// chart computation and the building of a fresh main window with its result
// window.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise. The
// reference birth (New Delhi, 15 June 1980, 10:30 IST) is typed into the real
// form once; each iteration clicks the compute button (the computation, the
// new main window and result window built, filled and shown), lets the event
// loop handle the pending layout and expose events, paints the result window
// once more synchronously so that the figure surely holds one full paint, and
// goes Back (not timed).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <cstdlib>
#include <memory>

#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "gui/message_sink.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "support/reference_births.h"

namespace {

// Refusals would mean the benchmark measures the wrong road: count them.
class CountingSink final : public orvanta::MessageSink {
 public:
  void Show(const QString&, orvanta::MessageIcon) override { ++shown; }
  int shown = 0;
};

// The program with the reference birth typed into its form.
struct Program {
  QTemporaryDir lockDir;
  orvanta::SingleInstanceGuard guard{lockDir.filePath("orvanta.lock")};
  CountingSink messages;
  orvanta::Shell shell{messages, [](const QUrl&) { return true; }, [] {}};
  QPushButton* compute = nullptr;

  bool Start() {
    if (!shell.Start(guard)) return false;
    orvanta::FrmMain* form = shell.form();
    if (!QTest::qWaitForWindowExposed(form)) return false;
    form->SetEntries(orvanta::reference::DelhiBirth());
    compute = form->findChild<QPushButton*>("cmdRashi");
    return compute != nullptr;
  }

  // Back, and the closed windows actually deleted.
  void Back() {
    shell.Back();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
};

// Click to painted result window. The click is delivered to the button as a
// mouse press and release; the form is shown again after every Back, so the
// click reaches it like the user's.
void BM_ComputeClickToResultWindow(benchmark::State& state) {
  Program program;
  if (!program.Start()) {
    state.SkipWithError("the form did not start");
    return;
  }
  for (auto _ : state) {
    QTest::mouseClick(program.compute, Qt::LeftButton);
    orvanta::MdiWindow* mdi = program.shell.mainWindow();
    if (mdi == nullptr) {
      state.SkipWithError("no result window");
      break;
    }
    // Layout, expose and paint of the new windows.
    QCoreApplication::processEvents();
    mdi->display()->repaint();
    benchmark::DoNotOptimize(mdi);
    state.PauseTiming();
    program.Back();
    state.ResumeTiming();
  }
  if (program.messages.shown != 0) state.SkipWithError("the entries were refused");
  state.SetLabel("click to painted result window");
}
BENCHMARK(BM_ComputeClickToResultWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The computation alone, as the click runs it (computed afresh each time).
void BM_ComputeOnly(benchmark::State& state) {
  const orvanta::FormEntries entries = orvanta::reference::DelhiBirth();
  for (auto _ : state) {
    benchmark::DoNotOptimize(orvanta::ComputeChart(entries));
  }
}
BENCHMARK(BM_ComputeOnly)->Unit(benchmark::kMicrosecond);

// A fresh main window with its result window, filled, without showing it.
void BM_BuildAndFillResultWindow(benchmark::State& state) {
  const orvanta::ChartOutput chart = orvanta::ComputeChart(orvanta::reference::DelhiBirth()).chart;
  const orvanta::HelpLinks help([](const QUrl&) { return true; });
  for (auto _ : state) {
    auto mdi = std::make_unique<orvanta::MdiWindow>(help);
    mdi->display()->Present(chart);
    benchmark::DoNotOptimize(mdi.get());
  }
}
BENCHMARK(BM_BuildAndFillResultWindow)->Unit(benchmark::kMillisecond);

// The offscreen platform warns once for every window it shows that it
// cannot pass size hints on; that line would bury the figures.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  // Windows need a platform; the benchmark needs no screen.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietOffscreenWarnings);
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
