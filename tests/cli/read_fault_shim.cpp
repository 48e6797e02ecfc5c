// Preloaded into orvanta-cli by the tests (LD_PRELOAD): a read(2) that fails
// with EIO once the file named by ORVANTA_FAIL_READ_PATH has been read up to
// byte ORVANTA_FAIL_READ_AFTER, as a disk error in the middle of a batch file
// would. Every other descriptor is read as usual.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

using ReadFunction = ssize_t (*)(int, void*, size_t);

// The offset from which reads of `fd` fail, or -1 when `fd` is another file.
off_t FailFrom(int fd) {
  const char* path = std::getenv("ORVANTA_FAIL_READ_PATH");
  const char* after = std::getenv("ORVANTA_FAIL_READ_AFTER");
  struct stat target {
  }, opened{};
  if (path == nullptr || after == nullptr || ::stat(path, &target) != 0 ||
      ::fstat(fd, &opened) != 0 || opened.st_dev != target.st_dev ||
      opened.st_ino != target.st_ino) {
    return -1;
  }
  return static_cast<off_t>(std::strtoll(after, nullptr, 10));
}

}  // namespace

extern "C" ssize_t read(int fd, void* data, size_t size) {
  if (const off_t failFrom = FailFrom(fd); failFrom >= 0) {
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at >= failFrom) {
      errno = EIO;
      return -1;
    }
    if (static_cast<off_t>(size) > failFrom - at) size = static_cast<size_t>(failFrom - at);
  }
  const auto next = reinterpret_cast<ReadFunction>(::dlsym(RTLD_NEXT, "read"));
  return next(fd, data, size);
}
