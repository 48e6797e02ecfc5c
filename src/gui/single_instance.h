// The guard that keeps a second copy of the program from starting.
//
// A lock file in the user's runtime directory (the temporary directory, under
// a name of the user's own, where the runtime one cannot be written) is held
// for the life of the program. Only a lock that a running copy of this user
// holds refuses the start. Anything else in the lock's place is taken over:
// a lock left by a copy that was killed or crashed, one naming another host
// or a process that is not a running copy, an empty file (what a crash or a
// full disk leaves while the lock is being written), a file whose contents
// cannot be read, a directory, a link. A place held by another user, or that
// cannot be cleared, gives way to the next. When no place for the lock can
// be written at all, the program starts all the same; the caller tells the
// user that other copies cannot be kept out.
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

  // The runtime directory's orvanta.lock, then the temporary directory's
  // orvanta-<user number>.lock.
  static QStringList DefaultLockPaths();

 private:
  QStringList lockPaths_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace orvanta
