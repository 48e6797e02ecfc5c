// The guard that keeps a second copy of the program from starting.
//
// A lock file in the user's runtime directory (the temporary directory where
// there is none) is held for the life of the program. A lock left behind by
// a copy that was killed or crashed names a process that no longer runs; it
// is taken over, so a crash never locks the user out. Only a lock held by a
// running copy refuses the start; a lock file that cannot be written at all
// (no such directory, no permission) does not stop the program either.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace orvanta {

class SingleInstanceGuard {
 public:
  explicit SingleInstanceGuard(QString lockPath = DefaultLockPath());

  // True when this is the only running copy; the lock is then held until the
  // guard is destroyed. False only when another running copy holds it.
  bool Acquire();

  static QString DefaultLockPath();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace orvanta
