#include "io/csv.h"

#include <algorithm>

namespace orvanta {

namespace {
constexpr int kEof = std::char_traits<char>::eof();
// Bytes asked of the source at a time; a pipe gives what it holds at once.
constexpr std::size_t kChunkBytes = 1 << 16;

// Bytes that mean something outside quotes.
bool EndsPlainRun(char c) {
  return c == ',' || c == '"' || c == '\n' || c == '\r';
}
}  // namespace

CsvReader::CsvReader(ByteSource& source) : source_(source) {}

CsvReader::CsvReader(std::istream& input)
    : ownSource_(std::make_unique<StreamSource>(input)), source_(*ownSource_) {}

bool CsvReader::Fill() {
  if (sourceDone_) return false;
  chunk_.resize(kChunkBytes);
  chunkAt_ = 0;
  if (beforeRead_) beforeRead_();
  const ReadResult result = source_.Read(chunk_.data(), chunk_.size());
  chunk_.resize(result.bytes);
  if (result.bytes > 0) return true;
  sourceDone_ = true;
  if (result.error != 0) readError_ = CsvReadError{line_, result.error};
  return false;
}

int CsvReader::Peek() {
  if (chunkAt_ == chunk_.size() && !Fill()) return kEof;
  return static_cast<unsigned char>(chunk_[chunkAt_]);
}

int CsvReader::Take() {
  if (chunkAt_ == chunk_.size() && !Fill()) return kEof;
  return static_cast<unsigned char>(chunk_[chunkAt_++]);
}

void CsvReader::SkipRestOfLine() {
  for (int c = Take(); c != kEof; c = Take()) {
    if (c == '\n') {
      ++line_;
      return;
    }
  }
}

std::optional<CsvRecord> CsvReader::Next() {
  if (!started_) {
    started_ = true;
    // Skip a UTF-8 byte-order mark (EF BB BF).
    if (Peek() == 0xEF) {
      Take();
      if (Peek() == 0xBB) Take();
      if (Peek() == 0xBF) Take();
    }
  }
  if (skipLine_) {
    skipLine_ = false;
    SkipRestOfLine();
  }

  for (;;) {
    if (Peek() == kEof) return std::nullopt;
    CsvRecord record;
    record.lineNumber = line_;
    std::string field;
    std::size_t recordBytes = 0;
    bool quoted = false;    // inside a quoted part
    bool anyQuote = false;  // the record used quotes (so it is not blank)
    bool ended = false;

    while (!ended) {
      if (!quoted) {
        // A run of ordinary bytes of an unquoted field, taken in one piece
        // up to the record's limit; the byte that ends it is read below.
        const std::size_t limit =
            std::min(chunk_.size(), chunkAt_ + (kMaxRecordBytes - recordBytes));
        std::size_t end = chunkAt_;
        while (end < limit && !EndsPlainRun(chunk_[end])) ++end;
        field.append(chunk_, chunkAt_, end - chunkAt_);
        recordBytes += end - chunkAt_;
        chunkAt_ = end;
      }
      const int c = Take();
      if (c == kEof) {
        if (readError_) return std::nullopt;  // the record is incomplete
        if (quoted) record.error = "a quoted field is not closed before the end of the input";
        break;
      }
      const char ch = static_cast<char>(c);
      if (++recordBytes > kMaxRecordBytes) {
        // Refused here, without waiting for a line end that may never come.
        record.error = "record longer than " + std::to_string(kMaxRecordBytes) + " bytes";
        if (ch == '\n') {
          ++line_;
        } else {
          skipLine_ = true;
        }
        break;
      }
      if (quoted) {
        if (ch == '"') {
          if (Peek() == '"') {
            Take();
            field += '"';
          } else {
            quoted = false;
          }
        } else if (ch == '\n') {
          // No field holds a line break: a quote left open (a stray quote
          // in a name) would otherwise swallow the rows after it. The
          // record is refused on its line and the next line is a row again.
          ++line_;
          record.error = "a quoted field is not closed on its line";
          break;
        } else if (ch == '\r' && Peek() == '\n') {
          // The CR of a CR LF line end: the LF refuses the record.
        } else {
          field += ch;
        }
      } else if (ch == '"') {
        quoted = true;
        anyQuote = true;
      } else if (ch == ',') {
        record.fields.push_back(std::move(field));
        field.clear();
      } else if (ch == '\n') {
        ++line_;
        ended = true;
      } else if (ch == '\r' && (Peek() == '\n' || Peek() == kEof)) {
        // CR LF: the LF ends the record on the next turn; a CR at the very
        // end of the input is the last line's ending without its LF.
      } else {
        field += ch;
      }
    }
    if (!record.error.empty()) {
      record.fields.clear();
      return record;
    }
    record.fields.push_back(std::move(field));
    const bool blank = !anyQuote && record.fields.size() == 1 &&
                       record.fields[0].find_first_not_of(" \t") == std::string::npos;
    if (blank) continue;
    return record;
  }
}

void AppendCsvField(std::string& out, std::string_view field) {
  // One pass over the field (a search for any of four characters would
  // look each byte up in the set).
  const bool plain = std::none_of(field.begin(), field.end(), [](char c) {
    return c == ',' || c == '"' || c == '\r' || c == '\n';
  });
  if (plain) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace orvanta
