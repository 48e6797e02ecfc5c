#include "gui/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <array>
#include <cerrno>
#include <utility>

namespace orvanta {

namespace {

// What lies at a lock's path, once whatever no running copy holds is gone.
enum class LockPlace {
  Free,            // nothing there: the lock can be created
  HeldByThisUser,  // a running copy of this user holds it
  Unusable,        // something that cannot be removed, or another user's lock
};

// A lock file held by a running copy carries an exclusive flock for the life
// of that copy (QLockFile takes one on the file it creates), so whatever this
// process can flock, or cannot even open, is held by no running copy: a lock
// left by a killed copy, one naming another host or a process number that
// now belongs to something else, an empty or unreadable file. All of it is
// removed. A lock that a running copy of another user holds (a shared
// temporary folder) does not keep this user out; it is not this user's
// place for the lock.
LockPlace ClearStaleLock(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (::lstat(name.constData(), &st) != 0) return LockPlace::Free;
  const auto removed = [](bool ok) { return ok ? LockPlace::Free : LockPlace::Unusable; };
  if (S_ISDIR(st.st_mode)) return removed(::rmdir(name.constData()) == 0);
  if (!S_ISREG(st.st_mode)) return removed(::unlink(name.constData()) == 0);  // a link, a pipe

  const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return removed(::unlink(name.constData()) == 0);  // a running copy can read its own
  const int locked = ::flock(fd, LOCK_EX | LOCK_NB);
  if (locked != 0 && errno != EWOULDBLOCK) {
    // No flock on this file system: QLockFile judges the lock by its contents.
    ::close(fd);
    return LockPlace::Free;
  }
  if (locked == 0) {
    // Removed while this process still holds its flock, so no copy can
    // have taken it in between.
    const bool gone = ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed(gone);
  }
  ::close(fd);
  return st.st_uid == ::geteuid() ? LockPlace::HeldByThisUser : LockPlace::Unusable;
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(QStringList lockPaths)
    : lockPaths_(std::move(lockPaths)) {}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath) : lockPaths_{lockPath} {}

SingleInstanceGuard::Outcome SingleInstanceGuard::Acquire() {
  if (lock_ && lock_->isLocked()) return Outcome::Held;
  for (const QString& path : lockPaths_) {
    switch (ClearStaleLock(path)) {
      case LockPlace::HeldByThisUser:
        return Outcome::HeldByAnotherCopy;
      case LockPlace::Unusable:
        continue;
      case LockPlace::Free:
        break;
    }
    auto lock = std::make_unique<QLockFile>(path);
    // No age limit: only a dead owner makes a lock stale, so a copy that has
    // been running for hours keeps its lock.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
      lock_ = std::move(lock);
      return Outcome::Held;
    }
    // LockFailedError: another copy took the lock in the meantime. Any other
    // error means the lock could not be written here at all.
    if (lock->error() == QLockFile::LockFailedError) return Outcome::HeldByAnotherCopy;
  }
  return Outcome::NoPlaceForTheLock;
}

QStringList SingleInstanceGuard::DefaultLockPaths() {
  QStringList paths;
  // The runtime folder is the user's own; the temporary folder is shared by
  // every user, so the lock there carries the user's number.
  const std::array<std::pair<QStandardPaths::StandardLocation, QString>, 2> places = {{
      {QStandardPaths::RuntimeLocation, QStringLiteral("orvanta.lock")},
      {QStandardPaths::TempLocation, QStringLiteral("orvanta-%1.lock").arg(::geteuid())},
  }};
  for (const auto& [location, fileName] : places) {
    const QString dir = QStandardPaths::writableLocation(location);
    if (dir.isEmpty()) continue;
    const QString path = QDir(dir).filePath(fileName);
    if (!paths.contains(path)) paths << path;
  }
  return paths;
}

}  // namespace orvanta
