// The bytes orvanta-cli reads and writes, with every failure as a status.
//
// A ByteSource hands out the input in pieces as they arrive; a ByteSink
// takes the output. Both report a failed read or write as its errno value
// instead of throwing or setting a stream flag, so that the batch mode can
// name the failure, keep what it has computed and stop at once. The
// descriptor versions serve the program itself (standard input and output,
// a batch file); the stream versions let tests, benchmarks and fuzzers run
// the same loops over strings.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// The outcome of one read: some bytes, the end of the input (no bytes, no
// error), or a failure (an errno value).
struct ReadResult {
  std::size_t bytes = 0;
  int error = 0;
};

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes into `data`; waits only until some are there.
  virtual ReadResult Read(char* data, std::size_t size) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all of `bytes`; 0, or the errno value of the write that failed.
  virtual int Write(std::string_view bytes) = 0;
  // True when a reader may be waiting for each row as it is computed (a pipe
  // or a terminal); false for a regular file, which is written in large
  // blocks.
  virtual bool WantsEachRow() const { return false; }
  // The most bytes the next Write() can take so that a process killed
  // during it leaves all of them or none: for a regular file what is left
  // of the page the write begins in (the kernel stops a write for a fatal
  // signal only between pages); no limit for any other sink.
  virtual std::size_t WholeWriteRoom() { return kNoRoomLimit; }

  static constexpr std::size_t kNoRoomLimit = static_cast<std::size_t>(-1);
};

// An open file descriptor, read with read(2). Interrupted reads are retried;
// a descriptor in non-blocking mode is waited for. With a wake descriptor
// (the read end of a self-pipe that a signal handler writes to), a read
// that would wait gives up with EINTR as soon as that one is readable, so
// that a request to stop is not held up by an input that never comes.
class DescriptorSource final : public ByteSource {
 public:
  explicit DescriptorSource(int fd, int wakeFd = -1) : fd_(fd), wakeFd_(wakeFd) {}
  ReadResult Read(char* data, std::size_t size) override;
  void SetWakeDescriptor(int wakeFd) { wakeFd_ = wakeFd; }

 private:
  int fd_;
  int wakeFd_;
};

// An open file descriptor, written with write(2); a short write is
// continued. A closed pipe still ends the program through SIGPIPE, unless
// that signal is ignored. A write to a regular file that fails part way (a
// full disk) takes back the part of a line it wrote, so that the file ends
// at its last whole line.
class DescriptorSink final : public ByteSink {
 public:
  explicit DescriptorSink(int fd);
  int Write(std::string_view bytes) override;
  bool WantsEachRow() const override { return !regularFile_; }
  std::size_t WholeWriteRoom() override;

 private:
  // Writes `bytes`, leaving in it what was not written; 0 or the errno value.
  int WriteAll(std::string_view& bytes);

  int fd_;
  bool regularFile_;
  std::size_t pageBytes_;
  // Where in the file the next write lands, once known (-1: to be asked).
  off_t position_ = -1;
};

// A C++ stream. A stream buffer that throws on a failed read (a file
// buffer does) gives the error of its exception, or EIO.
class StreamSource final : public ByteSource {
 public:
  explicit StreamSource(std::istream& in) : in_(in) {}
  ReadResult Read(char* data, std::size_t size) override;

 private:
  std::istream& in_;
};

class StreamSink final : public ByteSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  int Write(std::string_view bytes) override;

 private:
  std::ostream& out_;
};

// The batch mode's standard output: rows are gathered up to about
// kBlockBytes, or passed on one by one when the sink wants each row. Every
// write ends at a row's end and holds as many whole rows as fit in the
// sink's WholeWriteRoom() (a row longer than that goes alone), so that even
// a process killed in the middle of the run leaves whole rows behind; only
// a row that goes alone across a page boundary can be cut there by a
// SIGKILL, which no order of writes avoids. The first failed write is kept;
// nothing is written after it.
class RowWriter {
 public:
  static constexpr std::size_t kBlockBytes = 1 << 16;

  explicit RowWriter(ByteSink& sink);
  // A row is appended here, then EndRow() is called.
  std::string& buffer() { return buffer_; }
  // Ends the row appended to buffer(); writes what is gathered when it is
  // time. False once the output failed.
  bool EndRow();
  // Writes what is gathered now; false once the output failed.
  bool Flush();
  // True when each row is to be passed on by itself (EndRow flushes it).
  bool eachRow() const { return eachRow_; }
  // The errno value of the failed write, or 0.
  int error() const { return error_; }

 private:
  ByteSink& sink_;
  bool eachRow_;
  std::string buffer_;
  std::vector<std::size_t> rowEnds_;  // where each row gathered in buffer_ ends
  int error_ = 0;
};

// The system's text for an errno value ("Input/output error").
std::string ErrorText(int errorNumber);

}  // namespace orvanta
