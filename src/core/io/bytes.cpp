#include "io/bytes.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ios>
#include <istream>
#include <ostream>
#include <system_error>

namespace orvanta {

namespace {

// Waits until `fd` is ready for `events`; false when polling itself fails.
bool WaitFor(int fd, short events) {
  pollfd p{fd, events, 0};
  for (;;) {
    if (::poll(&p, 1, -1) >= 0) return true;
    if (errno != EINTR) return false;
  }
}

}  // namespace

ReadResult DescriptorSource::Read(char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, data, size);
    if (n >= 0) return {static_cast<std::size_t>(n), 0};
    const int error = errno;
    if (error == EINTR) continue;
    if ((error == EAGAIN || error == EWOULDBLOCK) && WaitFor(fd_, POLLIN)) continue;
    return {0, error};
  }
}

DescriptorSink::DescriptorSink(int fd) : fd_(fd) {
  struct stat st {};
  regularFile_ = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

int DescriptorSink::Write(std::string_view bytes) {
  const std::string_view all = bytes;
  const int error = WriteAll(bytes);
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
    if ((error == EAGAIN || error == EWOULDBLOCK) && WaitFor(fd_, POLLOUT)) continue;
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
  if (eachRow_ || buffer_.size() >= kBlockBytes) return Flush();
  return error_ == 0;
}

bool RowWriter::Flush() {
  if (error_ == 0 && !buffer_.empty()) error_ = sink_.Write(buffer_);
  buffer_.clear();
  return error_ == 0;
}

bool RowWriter::AppendRows(std::string_view rows) {
  if (buffer_.size() + rows.size() < kBlockBytes) {
    buffer_ += rows;
    return error_ == 0;
  }
  if (!Flush()) return false;
  if (rows.size() < kBlockBytes) {
    buffer_ += rows;
  } else {
    error_ = sink_.Write(rows);
  }
  return error_ == 0;
}

std::string ErrorText(int errorNumber) {
  return std::generic_category().message(errorNumber);
}

}  // namespace orvanta
