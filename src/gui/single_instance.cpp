#include "gui/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace orvanta {

SingleInstanceGuard::SingleInstanceGuard(QString lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
  // No age limit: only a dead owner makes a lock stale, so a copy that has
  // been running for hours keeps its lock.
  lock_->setStaleLockTime(0);
}

bool SingleInstanceGuard::Acquire() {
  if (lock_->isLocked()) return true;
  if (lock_->tryLock(0)) return true;
  // LockFailedError: another running copy holds the lock. Any other error
  // means the lock could not be written at all; that is no reason to refuse.
  return lock_->error() != QLockFile::LockFailedError;
}

QString SingleInstanceGuard::DefaultLockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
  return QDir(dir).filePath(QStringLiteral("orvanta.lock"));
}

}  // namespace orvanta
