// One copy at a time: a second start is refused while a copy runs, in this
// process or another, and a lock left by a killed copy does not lock the
// user out.
//
// Run with "--hold-lock PATH", this executable is the other copy: it takes
// the lock, says "locked" on its standard output and waits to be killed.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gui/frm_main.h"
#include "gui/shell.h"
#include "gui/shell_test_support.h"
#include "gui/single_instance.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

constexpr int kHelperStartMs = 30000;  // generous: a loaded machine starts slowly

int HoldLock(const char* path) {
  // Same executable, same application name as the test: the lock names a
  // running copy of the same program.
  SingleInstanceGuard guard(QString::fromLocal8Bit(path));
  if (!guard.Acquire()) return 2;
  std::puts("locked");
  std::fflush(stdout);
  char buffer[16];
  while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
  }
  return 0;
}

bool AnyWindowVisible() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) return true;
  }
  return false;
}

}  // namespace

class TestSingleInstance : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void firstStartShowsTheForm();
  void secondStartInTheSameSessionIsRefused();
  void copyRunningInAnotherProcessRefusesTheStart();
  void lockOfAKilledCopyIsTakenOver();
  void unwritableLockPlaceDoesNotLockTheUserOut();

 private:
  // Starts the helper copy holding the lock at `path`; waits until it holds it.
  std::unique_ptr<QProcess> StartHolder(const QString& path);
  void ExpectRefusal(SingleInstanceGuard& guard);

  std::unique_ptr<QTemporaryDir> dir_;
  QString lockPath_;
  RecordingOpener pages_;
};

void TestSingleInstance::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  lockPath_ = dir_->filePath(QStringLiteral("orvanta.lock"));
}

std::unique_ptr<QProcess> TestSingleInstance::StartHolder(const QString& path) {
  auto holder = std::make_unique<QProcess>();
  holder->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-lock"), path});
  if (!holder->waitForStarted(kHelperStartMs)) return nullptr;
  while (!holder->canReadLine()) {
    if (!holder->waitForReadyRead(kHelperStartMs)) return nullptr;
  }
  if (holder->readLine().trimmed() != "locked") return nullptr;
  return holder;
}

void TestSingleInstance::ExpectRefusal(SingleInstanceGuard& guard) {
  RecordingSink sink;
  int ended = 0;
  Shell shell(sink, pages_.opener(), [&] { ++ended; });
  QVERIFY(!shell.Start(guard));
  QCOMPARE(sink.shown.size(), std::size_t{1});
  QCOMPARE(sink.shown[0].text, QStringLiteral("Application is already running"));
  QCOMPARE(sink.shown[0].icon, MessageIcon::Information);
  QCOMPARE(ended, 1);
  // No window opened.
  QVERIFY(shell.form() == nullptr);
  QVERIFY(!AnyWindowVisible());
}

void TestSingleInstance::firstStartShowsTheForm() {
  SingleInstanceGuard guard(lockPath_);
  RecordingSink sink;
  int ended = 0;
  Shell shell(sink, pages_.opener(), [&] { ++ended; });
  QVERIFY(shell.Start(guard));
  QVERIFY(sink.shown.empty());
  QCOMPARE(ended, 0);
  QVERIFY(shell.form() != nullptr && shell.form()->isVisible());
  QVERIFY(QFile::exists(lockPath_));
}

void TestSingleInstance::secondStartInTheSameSessionIsRefused() {
  SingleInstanceGuard first(lockPath_);
  QVERIFY(first.Acquire());
  SingleInstanceGuard second(lockPath_);
  ExpectRefusal(second);
}

void TestSingleInstance::copyRunningInAnotherProcessRefusesTheStart() {
  std::unique_ptr<QProcess> holder = StartHolder(lockPath_);
  QVERIFY2(holder != nullptr, "the other copy did not take the lock");
  SingleInstanceGuard guard(lockPath_);
  ExpectRefusal(guard);
  holder->closeWriteChannel();
  QVERIFY(holder->waitForFinished(kHelperStartMs));
}

void TestSingleInstance::lockOfAKilledCopyIsTakenOver() {
  std::unique_ptr<QProcess> holder = StartHolder(lockPath_);
  QVERIFY2(holder != nullptr, "the other copy did not take the lock");
  // Killed outright: no chance to remove its lock file.
  holder->kill();
  QVERIFY(holder->waitForFinished(kHelperStartMs));
  QVERIFY(QFile::exists(lockPath_));

  SingleInstanceGuard guard(lockPath_);
  RecordingSink sink;
  Shell shell(sink, pages_.opener(), [] {});
  QVERIFY(shell.Start(guard));
  QVERIFY(sink.shown.empty());
  QVERIFY(shell.form()->isVisible());
  // The lock is now this copy's: a further start is refused.
  SingleInstanceGuard third(lockPath_);
  QVERIFY(!third.Acquire());
}

void TestSingleInstance::unwritableLockPlaceDoesNotLockTheUserOut() {
  SingleInstanceGuard guard(dir_->filePath(QStringLiteral("missing/dir/orvanta.lock")));
  QVERIFY(guard.Acquire());
}

int main(int argc, char* argv[]) {
  if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0) {
    QCoreApplication app(argc, argv);
    return HoldLock(argv[2]);
  }
  QApplication app(argc, argv);
  TestSingleInstance test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_single_instance.moc"
