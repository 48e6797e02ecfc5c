// The guard that keeps a second copy of the program from starting.
//
// A lock file in the user's runtime directory (the temporary directory
// where the runtime one cannot be written) is held for the life of the
// program. A lock left behind by a copy that was killed or crashed names a
// process that no longer runs; it is taken over, so a crash never locks the
// user out. So is anything in the lock's place that no running copy can be
// holding: an empty file (what a crash or a full disk leaves while the lock
// is being written), a file whose contents cannot be read, a directory, a
// link. Only a lock held by a running copy refuses the start, and a lock
// naming another host is left alone, since whether that copy runs cannot be
// known from here. When no place for the lock can be written at all, the
// program starts all the same; the caller tells the user that other copies
// cannot be kept out.
#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace orvanta {

class SingleInstanceGuard {
 public:
  enum class Outcome {
    Held,               // this is the only running copy; the lock is held
    HeldByAnotherCopy,  // another running copy holds the lock
    NoPlaceForTheLock,  // no lock could be written: other copies are not kept out
  };

  // The lock is tried at each path in turn; a path whose folder cannot be
  // written gives way to the next.
  explicit SingleInstanceGuard(QStringList lockPaths = DefaultLockPaths());
  explicit SingleInstanceGuard(const QString& lockPath);

  // Held keeps the lock until the guard is destroyed.
  Outcome Acquire();

  // The runtime directory's orvanta.lock, then the temporary directory's.
  static QStringList DefaultLockPaths();

 private:
  QStringList lockPaths_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace orvanta
