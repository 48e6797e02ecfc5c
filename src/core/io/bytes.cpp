#include "io/bytes.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ios>
#include <istream>
#include <ostream>
#include <system_error>

namespace orvanta {

namespace {

// What a wait for a descriptor came to.
enum class Wait { Ready, Woken, Failed };

// Waits until `fd` is ready for `events` or `wakeFd` (if not -1) is
// readable, whichever comes first.
Wait WaitFor(int fd, short events, int wakeFd = -1) {
  std::array<pollfd, 2> p{{{fd, events, 0}, {wakeFd, POLLIN, 0}}};
  const nfds_t count = wakeFd >= 0 ? 2 : 1;
  for (;;) {
    if (::poll(p.data(), count, -1) >= 0) return p[1].revents != 0 ? Wait::Woken : Wait::Ready;
    if (errno != EINTR) return Wait::Failed;
  }
}

std::size_t PageBytes() {
  const long page = ::sysconf(_SC_PAGESIZE);
  return page > 0 ? static_cast<std::size_t>(page) : 4096;
}

}  // namespace

ReadResult DescriptorSource::Read(char* data, std::size_t size) {
  for (;;) {
    // A read that would wait is waited for together with the wake
    // descriptor (a regular file is always ready).
    if (wakeFd_ >= 0 && WaitFor(fd_, POLLIN, wakeFd_) == Wait::Woken) return {0, EINTR};
    const ssize_t n = ::read(fd_, data, size);
    if (n >= 0) return {static_cast<std::size_t>(n), 0};
    const int error = errno;
    if (error == EINTR) continue;
    if (error == EAGAIN || error == EWOULDBLOCK) {
      const Wait wait = WaitFor(fd_, POLLIN, wakeFd_);
      if (wait == Wait::Woken) return {0, EINTR};
      if (wait == Wait::Ready) continue;
    }
    return {0, error};
  }
}

DescriptorSink::DescriptorSink(int fd) : fd_(fd), pageBytes_(PageBytes()) {
  struct stat st {};
  regularFile_ = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

std::size_t DescriptorSink::WholeWriteRoom() {
  if (!regularFile_) return kNoRoomLimit;
  if (position_ < 0) {
    // A file opened for appending (>>) is written at its end, wherever
    // the descriptor's offset stands.
    const int flags = ::fcntl(fd_, F_GETFL);
    struct stat st {};
    if (flags >= 0 && (flags & O_APPEND) != 0) {
      position_ = ::fstat(fd_, &st) == 0 ? st.st_size : -1;
    } else {
      position_ = ::lseek(fd_, 0, SEEK_CUR);
    }
    if (position_ < 0) return pageBytes_;
  }
  return pageBytes_ - static_cast<std::size_t>(position_) % pageBytes_;
}

int DescriptorSink::Write(std::string_view bytes) {
  const std::string_view all = bytes;
  const int error = WriteAll(bytes);
  if (error == 0 && position_ >= 0) {
    position_ += static_cast<off_t>(all.size());
  } else {
    position_ = -1;  // asked again before the next write
  }
  if (error != 0 && regularFile_ && bytes.size() < all.size()) {
    // A full disk took part of the text: the part of a line it took is
    // taken back, so the file ends with its last whole line.
    const std::string_view written = all.substr(0, all.size() - bytes.size());
    const std::size_t lastEnd = written.rfind('\n');
    const std::size_t partial =
        lastEnd == std::string_view::npos ? written.size() : written.size() - lastEnd - 1;
    const off_t at = ::lseek(fd_, 0, SEEK_CUR);
    if (partial > 0 && at >= static_cast<off_t>(partial)) {
      const off_t end = at - static_cast<off_t>(partial);
      if (::ftruncate(fd_, end) == 0) ::lseek(fd_, end, SEEK_SET);
    }
  }
  return error;
}

int DescriptorSink::WriteAll(std::string_view& bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    const int error = n == 0 ? EIO : errno;
    if (error == EINTR) continue;
    if ((error == EAGAIN || error == EWOULDBLOCK) && WaitFor(fd_, POLLOUT) == Wait::Ready) continue;
    return error;
  }
  return 0;
}

ReadResult StreamSource::Read(char* data, std::size_t size) {
  std::streambuf* buffer = in_.rdbuf();
  if (buffer == nullptr || size == 0) return {};
  try {
    // Wait for one byte, then take what is there without waiting for more.
    if (buffer->sgetc() == std::char_traits<char>::eof()) return {};
    const std::streamsize available = buffer->in_avail();
    const std::streamsize wanted =
        available > 0 ? std::min(available, static_cast<std::streamsize>(size)) : 1;
    return {static_cast<std::size_t>(buffer->sgetn(data, wanted)), 0};
  } catch (const std::ios_base::failure& e) {
    const bool system = e.code().category() == std::system_category() ||
                        e.code().category() == std::generic_category();
    return {0, system && e.code().value() != 0 ? e.code().value() : EIO};
  } catch (...) {
    return {0, EIO};
  }
}

int StreamSink::Write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out_ ? 0 : EIO;
}

RowWriter::RowWriter(ByteSink& sink) : sink_(sink), eachRow_(sink.WantsEachRow()) {
  buffer_.reserve(2 * kBlockBytes);
}

bool RowWriter::EndRow() {
  if (rowEnds_.empty() || rowEnds_.back() != buffer_.size()) rowEnds_.push_back(buffer_.size());
  if (eachRow_ || buffer_.size() >= kBlockBytes) return Flush();
  return error_ == 0;
}

bool RowWriter::Flush() {
  // Text after the last row's end (none, when every row was ended) is a row.
  if (!buffer_.empty() && (rowEnds_.empty() || rowEnds_.back() != buffer_.size())) {
    rowEnds_.push_back(buffer_.size());
  }
  const std::string_view text = buffer_;
  std::size_t start = 0;
  for (std::size_t next = 0; next < rowEnds_.size() && error_ == 0;) {
    // The first row, and the rows after it while they fit the room.
    const std::size_t room = sink_.WholeWriteRoom();
    std::size_t end = rowEnds_[next++];
    while (next < rowEnds_.size() && rowEnds_[next] - start <= room) end = rowEnds_[next++];
    error_ = sink_.Write(text.substr(start, end - start));
    start = end;
  }
  buffer_.clear();
  rowEnds_.clear();
  return error_ == 0;
}

std::string ErrorText(int errorNumber) {
  return std::generic_category().message(errorNumber);
}

}  // namespace orvanta
