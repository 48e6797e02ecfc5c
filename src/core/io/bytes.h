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

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

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
};

// An open file descriptor, read with read(2). Interrupted reads are retried;
// a descriptor in non-blocking mode is waited for.
class DescriptorSource final : public ByteSource {
 public:
  explicit DescriptorSource(int fd) : fd_(fd) {}
  ReadResult Read(char* data, std::size_t size) override;

 private:
  int fd_;
};

// An open file descriptor, written with write(2). A closed pipe still ends
// the program through SIGPIPE, unless that signal is ignored. A write to a
// regular file that fails part way (a full disk) takes back the part of a
// line it wrote, so that the file ends at its last whole line.
class DescriptorSink final : public ByteSink {
 public:
  explicit DescriptorSink(int fd);
  int Write(std::string_view bytes) override;
  bool WantsEachRow() const override { return !regularFile_; }

 private:
  // Writes `bytes`, leaving in it what was not written; 0 or the errno value.
  int WriteAll(std::string_view& bytes);

  int fd_;
  bool regularFile_;
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

// The batch mode's standard output: rows are gathered into blocks of about
// kBlockBytes, or passed on one by one when the sink wants each row. The
// first failed write is kept; nothing is written after it.
class RowWriter {
 public:
  static constexpr std::size_t kBlockBytes = 1 << 16;

  explicit RowWriter(ByteSink& sink);
  // Rows are appended here, then EndRow() is called.
  std::string& buffer() { return buffer_; }
  // Writes what is gathered when it is time; false once the output failed.
  bool EndRow();
  // Writes what is gathered now; false once the output failed.
  bool Flush();
  // Several whole rows at once, for a sink that takes blocks (the rows may
  // go out together with what is gathered, or on their own when they fill
  // a block); false once the output failed.
  bool AppendRows(std::string_view rows);
  // True when each row is to be passed on by itself (EndRow after each).
  bool eachRow() const { return eachRow_; }
  // The errno value of the failed write, or 0.
  int error() const { return error_; }

 private:
  ByteSink& sink_;
  bool eachRow_;
  std::string buffer_;
  int error_ = 0;
};

// The system's text for an errno value ("Input/output error").
std::string ErrorText(int errorNumber);

}  // namespace orvanta
