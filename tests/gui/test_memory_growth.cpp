// Memory of the desktop program over ten computations through the real
// widgets (compute, Back, compute, ...): Back destroys the main window and
// its result window, so neither the number of windows and objects nor the
// process's memory grows from one computation to the next.
//
// The memory figures are the kernel's: VmRSS (resident now) and VmHWM (the
// resident peak) from /proc/self/status. Under AddressSanitizer they mean
// nothing (freed memory is held in quarantine on purpose), so the memory
// check is skipped there; the window and object counts are checked always.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "support/gui_harness.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORVANTA_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTA_UNDER_ASAN 1
#endif
#endif

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// The growth allowed from the first computation to the tenth: at most 10%.
constexpr double kAllowedGrowth = 0.10;
// Computations run before the first measured one: the first windows load
// fonts, glyph caches, style data and the platform's buffers once for the
// life of the process, which is no growth per computation.
constexpr int kWarmUpRuns = 3;
constexpr int kMeasuredRuns = 10;

struct MemoryKiB {
  long rss = 0;  // VmRSS
  long hwm = 0;  // VmHWM
};

// The figures of this process. Before reading, the allocator hands its free
// pages back to the system where it can (glibc's malloc_trim): memory freed
// by Back but kept in the allocator's pools is not memory in use, and
// without the trim the figures would depend on how the pools happened to
// fragment (allocator noise of a few hundred KiB either way).
[[maybe_unused]] std::optional<MemoryKiB> ReadMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
  MemoryKiB memory;
  for (const QByteArray& line : status.readAll().split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 2) continue;
    if (fields[0] == "VmRSS:") memory.rss = fields[1].toLong();
    if (fields[0] == "VmHWM:") memory.hwm = fields[1].toLong();
  }
  if (memory.rss <= 0 || memory.hwm <= 0) return std::nullopt;
  return memory;
}

// Every object the application can reach: its own children and every
// top-level widget with all of its descendants.
int ReachableObjects() {
  int count = 1 + static_cast<int>(qApp->findChildren<QObject*>().size());
  for (QWidget* window : QApplication::topLevelWidgets()) {
    count += 1 + static_cast<int>(window->findChildren<QObject*>().size());
  }
  return count;
}

}  // namespace

class TestMemoryGrowth : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void backDestroysTheWindows();
  void memoryStaysFlatOverTenComputations();

 private:
  // One computation through the compute button, then Back through the main
  // window's button; the closed windows are deleted before returning.
  void ComputeAndGoBack();
  // The same birth typed as the user types it.
  void TypeBirth();

  std::unique_ptr<ProgramUnderTest> program_;
};

void TestMemoryGrowth::init() {
  program_ = std::make_unique<ProgramUnderTest>([] {});
  QVERIFY(program_->Start());
  Activate(program_->shell.form());
  TypeBirth();
}

void TestMemoryGrowth::cleanup() {
  program_.reset();
}

void TestMemoryGrowth::TypeBirth() {
  program_->EnterReferenceBirth();
}

void TestMemoryGrowth::ComputeAndGoBack() {
  auto* compute = program_->shell.form()->findChild<QPushButton*>(QStringLiteral("cmdRashi"));
  QVERIFY(compute != nullptr);
  QTest::mouseClick(compute, Qt::LeftButton);
  MdiWindow* mdi = program_->shell.mainWindow();
  QVERIFY2(mdi != nullptr,
           program_->sink.shown.empty() ? "no window" : qPrintable(program_->sink.shown[0].text));
  QVERIFY(QTest::qWaitForWindowExposed(mdi));
  auto* back = mdi->findChild<QPushButton*>(QStringLiteral("cmdBack"));
  QVERIFY(back != nullptr);
  QTest::mouseClick(back, Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  QVERIFY(program_->shell.form()->isVisible());
}

void TestMemoryGrowth::backDestroysTheWindows() {
  // The first runs create the application's lasting helpers (the clipboard,
  // the style's animations); their objects stay and are no growth.
  for (int run = 0; run < kWarmUpRuns; ++run) {
    ComputeAndGoBack();
    if (QTest::currentTestFailed()) return;
  }
  const int windows = static_cast<int>(QApplication::topLevelWidgets().size());
  const int objects = ReachableObjects();
  for (int run = 0; run < kMeasuredRuns; ++run) {
    QTest::mouseClick(program_->shell.form()->findChild<QPushButton*>(QStringLiteral("cmdRashi")),
                      Qt::LeftButton);
    const QPointer<MdiWindow> mdi = program_->shell.mainWindow();
    QVERIFY(mdi);
    const QPointer<FrmDisplay> display = mdi->display();
    const QPointer<QMdiSubWindow> child = mdi->displayWindow();
    QTest::mouseClick(mdi->findChild<QPushButton*>(QStringLiteral("cmdBack")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QVERIFY2(mdi.isNull() && display.isNull() && child.isNull(), qPrintable(QString::number(run)));
    QCOMPARE(static_cast<int>(QApplication::topLevelWidgets().size()), windows);
    QCOMPARE(ReachableObjects(), objects);
  }
  QVERIFY(program_->sink.shown.empty());
}

void TestMemoryGrowth::memoryStaysFlatOverTenComputations() {
#if defined(ORVANTA_UNDER_ASAN)
  QSKIP("AddressSanitizer keeps freed memory in quarantine: the figures mean nothing");
#else
  const auto run = [this] {
    ComputeAndGoBack();
    return !QTest::currentTestFailed();
  };
  for (int i = 0; i < kWarmUpRuns; ++i) {
    if (!run()) return;
  }
  if (!run()) return;
  const std::optional<MemoryKiB> first = ReadMemory();
  if (!first) QSKIP("no /proc/self/status on this system");
  for (int i = 1; i < kMeasuredRuns; ++i) {
    if (!run()) return;
  }
  const std::optional<MemoryKiB> tenth = ReadMemory();
  QVERIFY(tenth.has_value());

  const QString figures = QString(
                              "after the first computation: resident %1 KiB, peak %2 KiB; "
                              "after the tenth: resident %3 KiB, peak %4 KiB")
                              .arg(first->rss)
                              .arg(first->hwm)
                              .arg(tenth->rss)
                              .arg(tenth->hwm);
  qInfo("%s", qPrintable(figures));
  QVERIFY2(tenth->rss <= first->rss * (1.0 + kAllowedGrowth), qPrintable(figures));
  QVERIFY2(tenth->hwm <= first->hwm * (1.0 + kAllowedGrowth), qPrintable(figures));
  QVERIFY(program_->sink.shown.empty());
#endif
}

QTEST_MAIN(TestMemoryGrowth)
#include "test_memory_growth.moc"
