// A reader of comma-separated records for the batch mode.
//
// Fields are separated by commas; a field in double quotes may hold commas,
// line breaks and doubled quotes (""). Records end at LF or CR LF; a UTF-8
// byte-order mark at the start is skipped, and lines holding nothing are
// skipped. Each record carries the number of the line on which it starts
// (the first line is 1), so that errors can name it. A record that cannot be
// read whole (a quote left open at the end of the input, a record longer
// than kMaxRecordBytes) is returned with an error instead of its fields, and
// reading goes on after it. A quote that is never closed (a stray quote in a
// name) would otherwise swallow every line after it: when a quoted field
// that runs over a line break is still open at the end of the input, or
// after kMaxRecordBytes more bytes, only the line where its record starts is
// reported, and reading starts again on the next line.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace orvanta::cli {

// Longest record kept in memory; longer ones are skipped with an error.
inline constexpr std::size_t kMaxRecordBytes = 1 << 20;

struct CsvRecord {
  std::vector<std::string> fields;
  long lineNumber = 0;
  std::string error;  // set when the record could not be read whole
};

class CsvReader {
 public:
  explicit CsvReader(std::istream& input);

  // The next record, or nothing at the end of the input.
  std::optional<CsvRecord> Next();

 private:
  // The next byte without taking it, and the next byte taken (or eof): the
  // bytes to be read again come first, then the stream's.
  int Peek();
  int Take();

  std::streambuf* buffer_;
  std::string replay_;  // bytes of an abandoned record to be read again
  std::size_t replayAt_ = 0;
  long line_ = 1;
  bool started_ = false;
};

// Quotes a field for CSV output when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view field);

}  // namespace orvanta::cli
