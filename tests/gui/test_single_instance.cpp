// One copy at a time: a second start is refused while a copy runs, in this
// process or another; a lock left by a killed copy, and anything in the
// lock's place that no running copy can hold (an empty or unreadable file, a
// directory, a dangling link), does not lock the user out, nor does a lock
// naming another host or a live process that is no running copy, nor another
// user's lock in a shared folder; and where no lock
// can be written at all the program starts and says so in its status line.
//
// Run with "--hold-lock PATH", this executable is the other copy: it takes
// the lock, says "locked" on its standard output and waits to be killed.
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStatusBar>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gui/frm_main.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "support/gui_harness.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

constexpr int kHelperStartMs = 30000;  // generous: a loaded machine starts slowly
constexpr uid_t kNobody = 65534;       // the user and group "nobody" of Debian

int HoldLock(const char* path) {
  // Same executable, same application name as the test: the lock names a
  // running copy of the same program.
  SingleInstanceGuard guard(QString::fromLocal8Bit(path));
  if (guard.Acquire() != SingleInstanceGuard::Outcome::Held) return 2;
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
  void whatNoRunningCopyHoldsIsReplaced_data();
  void whatNoRunningCopyHoldsIsReplaced();
  void lockNoRunningCopyHoldsIsTakenOver_data();
  void lockNoRunningCopyHoldsIsTakenOver();
  void anotherUsersRunningCopyGivesWayToTheNextPlace();
  void unwritableLockPlaceGivesWayToTheNext();
  void noPlaceForTheLockStartsAndSaysSo();

 private:
  // Starts the helper copy holding the lock at `path`; waits until it holds it.
  std::unique_ptr<QProcess> StartHolder(const QString& path);
  void ExpectRefusal(SingleInstanceGuard& guard);
  // Starts the program with the lock at `path`: the form shows, nothing is
  // said, and the lock is then held (a further start is refused).
  void ExpectStartHoldingTheLock(const QString& path);

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
  QCOMPARE(first.Acquire(), SingleInstanceGuard::Outcome::Held);
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

  ExpectStartHoldingTheLock(lockPath_);
}

void TestSingleInstance::ExpectStartHoldingTheLock(const QString& path) {
  SingleInstanceGuard guard(path);
  RecordingSink sink;
  Shell shell(sink, pages_.opener(), [] {});
  QVERIFY(shell.Start(guard));
  QVERIFY(sink.shown.empty());
  QVERIFY(shell.form()->isVisible());
  QVERIFY(shell.form()->statusBar()->currentMessage().isEmpty());
  // The lock is now this copy's: a further start is refused.
  SingleInstanceGuard another(path);
  QCOMPARE(another.Acquire(), SingleInstanceGuard::Outcome::HeldByAnotherCopy);
}

// What a crash, a full disk or a stray command can leave where the lock
// belongs. None of it can be held by a running copy.
void TestSingleInstance::whatNoRunningCopyHoldsIsReplaced_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("empty file") << "empty";
  QTest::newRow("file that is no lock") << "garbage";
  QTest::newRow("unreadable file") << "unreadable";
  QTest::newRow("directory") << "directory";
  QTest::newRow("dangling link") << "dangling link";
}

void TestSingleInstance::whatNoRunningCopyHoldsIsReplaced() {
  QFETCH(QString, kind);
  if (kind == "directory") {
    QVERIFY(QDir().mkdir(lockPath_));
  } else if (kind == "dangling link") {
    QVERIFY(QFile::link(dir_->filePath(QStringLiteral("gone")), lockPath_));
  } else {
    QFile file(lockPath_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Not a lock: no process number on the first line.
    if (kind != "empty") file.write("\x7f\x01 binary\n\n");
    file.close();
    if (kind == "unreadable") QVERIFY(file.setPermissions(QFileDevice::Permissions()));
  }
  ExpectStartHoldingTheLock(lockPath_);
}

// Locks that look like a running copy's but that no running copy holds.
void TestSingleInstance::lockNoRunningCopyHoldsIsTakenOver_data() {
  QTest::addColumn<QString>("host");
  QTest::addColumn<bool>("anotherUser");
  QTest::newRow("another host") << "another-host.example" << false;
  // The process named is this test, alive and of the same name: only the
  // lock file's flock tells that it is no running copy.
  QTest::newRow("live process, this host") << QSysInfo::machineHostName() << false;
  QTest::newRow("another user's, shared folder") << QSysInfo::machineHostName() << true;
}

void TestSingleInstance::lockNoRunningCopyHoldsIsTakenOver() {
  QFETCH(QString, host);
  QFETCH(bool, anotherUser);
  if (anotherUser && ::geteuid() != 0) QSKIP("giving a file to another user needs root");
  QFile file(lockPath_);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
             QCoreApplication::applicationName().toUtf8() + '\n' + host.toUtf8() + '\n');
  file.close();
  if (anotherUser) {
    // A shared folder as /tmp is: anyone may write, only the owner remove.
    QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 01777) == 0);
    QVERIFY(::chown(QFile::encodeName(lockPath_).constData(), kNobody, kNobody) == 0);
  }
  ExpectStartHoldingTheLock(lockPath_);
}

void TestSingleInstance::anotherUsersRunningCopyGivesWayToTheNextPlace() {
  if (::geteuid() != 0) QSKIP("giving a file to another user needs root");
  std::unique_ptr<QProcess> holder = StartHolder(lockPath_);
  QVERIFY2(holder != nullptr, "the other copy did not take the lock");
  QVERIFY(::chown(QFile::encodeName(lockPath_).constData(), kNobody, kNobody) == 0);
  const QString own = dir_->filePath(QStringLiteral("own.lock"));
  SingleInstanceGuard guard(QStringList{lockPath_, own});
  QCOMPARE(guard.Acquire(), SingleInstanceGuard::Outcome::Held);
  QVERIFY(QFile::exists(own));
  holder->closeWriteChannel();
  QVERIFY(holder->waitForFinished(kHelperStartMs));
}

void TestSingleInstance::unwritableLockPlaceGivesWayToTheNext() {
  const QString missing = dir_->filePath(QStringLiteral("missing/dir/orvanta.lock"));
  SingleInstanceGuard guard(QStringList{missing, lockPath_});
  QCOMPARE(guard.Acquire(), SingleInstanceGuard::Outcome::Held);
  QVERIFY(QFile::exists(lockPath_));
  // A second copy takes the same way and finds the lock held.
  SingleInstanceGuard second(QStringList{missing, lockPath_});
  QCOMPARE(second.Acquire(), SingleInstanceGuard::Outcome::HeldByAnotherCopy);
}

void TestSingleInstance::noPlaceForTheLockStartsAndSaysSo() {
  // Folders that do not exist cannot be written, by root either.
  SingleInstanceGuard guard(QStringList{dir_->filePath(QStringLiteral("missing/orvanta.lock")),
                                        dir_->filePath(QStringLiteral("gone/orvanta.lock"))});
  RecordingSink sink;
  int ended = 0;
  Shell shell(sink, pages_.opener(), [&] { ++ended; });
  QVERIFY(shell.Start(guard));
  QCOMPARE(ended, 0);
  QVERIFY(shell.form() != nullptr && shell.form()->isVisible());
  // Said once, on the form's status line; no message box stands in the way.
  QVERIFY(sink.shown.empty());
  QCOMPARE(shell.form()->statusBar()->currentMessage(),
           QString::fromLatin1(kCannotKeepOtherCopiesOut));
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
