#include "io/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

#include "io/bytes.h"

namespace orvanta {

namespace {

// Tells apart the new files of one process.
std::atomic<unsigned> newFileCount{0};

// The new file beside `path`, created here (never an existing one); its
// descriptor, or -1 with errno set.
int CreateBeside(const std::string& path, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(newFileCount++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes all of `bytes` to `fd`; 0 or the errno value of the failure.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n == 0) {
      return EIO;
    } else if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
}

// A device or a pipe is written as it is: it cannot be replaced by a file.
// (So is a link that names no file yet, which creates it.)
std::optional<std::string> WriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return ErrorText(errno);
  int error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return ErrorText(error);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteWholeFile(const std::string& givenPath, std::string_view bytes) {
  // A symbolic link stays a link: the file it names is the one replaced
  // (renaming over the link would put a file in its place).
  std::string path = givenPath;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return WriteInPlace(path, bytes);
    path = real;
    std::free(real);
  }
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) return WriteInPlace(path, bytes);
  std::string name;
  const int fd = CreateBeside(path, name);
  if (fd < 0) return ErrorText(errno);
  int error = 0;
  if (exists && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(name.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(name.c_str());
    return ErrorText(error);
  }
  return std::nullopt;
}

}  // namespace orvanta
