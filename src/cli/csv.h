// A reader of comma-separated records for the batch mode.
//
// Fields are separated by commas; a field in double quotes may hold commas,
// line breaks and doubled quotes (""). Records end at LF or CR LF; a UTF-8
// byte-order mark at the start is skipped, and lines holding nothing are
// skipped. Each record carries the number of the line on which it starts
// (the first line is 1), so that errors can name it. A record that cannot be
// read whole (a quote left open at the end of the input, a record longer
// than kMaxRecordBytes) is returned with an error instead of its fields, and
// reading goes on after it.
//
// A record is refused as soon as it reaches kMaxRecordBytes, whether or not
// a line end ever follows (endless input such as /dev/zero), and the rest
// of its line is skipped. A quote that is never closed (a stray quote in a
// name) would otherwise swallow every line after it: when a quoted field
// that runs over a line break is still open at the end of the input, or at
// the limit, only the line where its record starts is reported, and reading
// starts again on the next line.
//
// The input comes from a ByteSource, so a failed read is a status: Next()
// then gives nothing more and readError() names the line it happened on.
#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/io.h"

namespace orvanta::cli {

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

 private:
  // The next byte without taking it, and the next byte taken (or eof at the
  // end of the input or after a failed read): the bytes to be read again
  // come first, then the source's.
  int Peek();
  int Take();
  // Reads more from the source into chunk_; false at the end or on failure.
  bool Fill();
  // Takes the bytes up to and including the next line end.
  void SkipRestOfLine();

  std::unique_ptr<StreamSource> ownSource_;  // set when reading a stream
  ByteSource& source_;
  std::string chunk_;  // bytes read from the source, from chunkAt_ on not yet taken
  std::size_t chunkAt_ = 0;
  bool sourceDone_ = false;  // the end of the input or a failed read was reached
  std::optional<CsvReadError> readError_;
  std::string replay_;  // bytes of an abandoned record to be read again
  std::size_t replayAt_ = 0;
  long line_ = 1;
  bool started_ = false;
  bool skipLine_ = false;  // the rest of an overlong record's line is still to be skipped
};

// Quotes a field for CSV output when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view field);

}  // namespace orvanta::cli
