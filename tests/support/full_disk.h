// Writes that fail for want of room, made by the kernel rather than faked:
// a small tmpfs filled to the last byte (needs root, as mount does), and a
// limit on the size of any file this process writes (RLIMIT_FSIZE, open to
// every user), under which a write past the limit fails with EFBIG.
#pragma once

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace orvanta::testing {

// A tmpfs of `bytes` mounted on `folder` for the life of the object;
// mounted() is false when this process may not mount one.
class SmallDisk {
 public:
  SmallDisk(const QString& folder, qint64 bytes) : folder_(QFile::encodeName(folder)) {
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    mounted_ = ::geteuid() == 0 &&
               ::mount("tmpfs", folder_.constData(), "tmpfs", 0, options.constData()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.constData(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }

  // Fills what room is left with a file named `name`.
  void Fill(const QString& name) const {
    QFile filler(QDir(QFile::decodeName(folder_)).filePath(name));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) {
    }
    const QByteArray byte(1, 'x');
    while (filler.write(byte) > 0) {
    }
  }

 private:
  QByteArray folder_;
  bool mounted_ = false;
};

// No file this process writes may grow past `bytes` while the object lives;
// the signal the kernel sends for such a write is ignored, so the write
// fails with EFBIG as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    ::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_{};
  sighandler_t previousHandler_ = SIG_DFL;
};

}  // namespace orvanta::testing
