// A reader of comma-separated records: the births file and the batch input.
//
// Fields are separated by commas; a field in double quotes may hold commas
// and doubled quotes (""), never a line break. Records end at LF or CR LF; a
// UTF-8 byte-order mark at the start is skipped, and lines holding nothing
// are skipped. Each record carries the number of the line on which it starts
// (the first line is 1), so that errors can name it. A record that cannot be
// read whole is returned with an error instead of its fields, and reading
// goes on after it:
// - a quoted field still open at the end of its line (a stray quote in a
//   name): the error names that line, and the next line is read as a record
//   again, so that no row is swallowed;
// - a record reaching kMaxRecordBytes, whether or not a line end ever
//   follows (endless input such as /dev/zero): the rest of its line is
//   skipped.
//
// The input comes from a ByteSource, so a failed read is a status: Next()
// then gives nothing more and readError() names the line it happened on.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/bytes.h"

namespace orvanta {

// Longest record kept in memory; longer ones are skipped with an error.
inline constexpr std::size_t kMaxRecordBytes = 1 << 20;

struct CsvRecord {
  std::vector<std::string> fields;
  long lineNumber = 0;
  std::string error;  // set when the record could not be read whole
};

// A read that failed: the errno value and the line being read.
struct CsvReadError {
  long lineNumber = 0;
  int errorNumber = 0;
};

class CsvReader {
 public:
  explicit CsvReader(ByteSource& source);
  // Reads the stream through a StreamSource of its own.
  explicit CsvReader(std::istream& input);

  // The next record, or nothing at the end of the input or after a failed
  // read. A record cut short by a failed read is not returned.
  std::optional<CsvRecord> Next();

  // Set once a read has failed; nothing is read after it.
  const std::optional<CsvReadError>& readError() const { return readError_; }

  // Called before each read from the source, which may wait for input: the
  // batch mode hands on the rows it holds, so that none waits for the next.
  void SetBeforeRead(std::function<void()> hook) { beforeRead_ = std::move(hook); }

 private:
  // The next byte without taking it, and the next byte taken (or eof at the
  // end of the input or after a failed read).
  int Peek();
  int Take();
  // Reads more from the source into chunk_; false at the end or on failure.
  bool Fill();
  // Takes the bytes up to and including the next line end.
  void SkipRestOfLine();

  std::function<void()> beforeRead_;
  std::unique_ptr<StreamSource> ownSource_;  // set when reading a stream
  ByteSource& source_;
  std::string chunk_;  // bytes read from the source, from chunkAt_ on not yet taken
  std::size_t chunkAt_ = 0;
  bool sourceDone_ = false;  // the end of the input or a failed read was reached
  std::optional<CsvReadError> readError_;
  long line_ = 1;
  bool started_ = false;
  bool skipLine_ = false;  // the rest of an overlong record's line is still to be skipped
};

// Appends a field for CSV output, in quotes when it holds a comma, a quote or
// a line break.
void AppendCsvField(std::string& out, std::string_view field);

}  // namespace orvanta
