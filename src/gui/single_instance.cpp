#include "gui/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>

namespace orvanta {

namespace {

// Whether a lock can be created at `path` once this has run: what lies there
// and cannot be held by a running copy is removed. A lock file held by a
// running copy carries an exclusive flock for the life of that copy, so a
// file that this process can lock is held by nobody, and if it is empty or
// cannot be read as a lock it is stale; a readable lock of a dead copy is
// left for QLockFile, which takes it over itself. False when something that
// is no lock is there and cannot be removed.
bool ClearUnusableLock(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (::lstat(name.constData(), &st) != 0) return true;  // nothing there
  if (S_ISDIR(st.st_mode)) return ::rmdir(name.constData()) == 0;
  if (!S_ISREG(st.st_mode)) return ::unlink(name.constData()) == 0;  // a link, a pipe, ...

  const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    // A running copy's lock is always readable by its user.
    return errno != EACCES || ::unlink(name.constData()) == 0;
  }
  bool usable = true;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    qint64 pid = 0;
    QString host, application;
    const bool readable = QLockFile(path).getLockInfo(&pid, &host, &application);
    if (!readable) usable = ::unlink(name.constData()) == 0;
  }
  ::close(fd);  // also releases the flock
  return usable;
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(QStringList lockPaths)
    : lockPaths_(std::move(lockPaths)) {}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath) : lockPaths_{lockPath} {}

SingleInstanceGuard::Outcome SingleInstanceGuard::Acquire() {
  if (lock_ && lock_->isLocked()) return Outcome::Held;
  for (const QString& path : lockPaths_) {
    if (!ClearUnusableLock(path)) continue;
    auto lock = std::make_unique<QLockFile>(path);
    // No age limit: only a dead owner makes a lock stale, so a copy that has
    // been running for hours keeps its lock.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
      lock_ = std::move(lock);
      return Outcome::Held;
    }
    // LockFailedError: another running copy holds the lock. Any other error
    // means the lock could not be written here at all.
    if (lock->error() == QLockFile::LockFailedError) return Outcome::HeldByAnotherCopy;
  }
  return Outcome::NoPlaceForTheLock;
}

QStringList SingleInstanceGuard::DefaultLockPaths() {
  QStringList paths;
  for (const auto location : {QStandardPaths::RuntimeLocation, QStandardPaths::TempLocation}) {
    const QString dir = QStandardPaths::writableLocation(location);
    if (dir.isEmpty()) continue;
    const QString path = QDir(dir).filePath(QStringLiteral("orvanta.lock"));
    if (!paths.contains(path)) paths << path;
  }
  return paths;
}

}  // namespace orvanta
