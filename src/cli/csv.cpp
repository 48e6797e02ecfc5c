#include "cli/csv.h"

namespace orvanta::cli {

namespace {
constexpr int kEof = std::char_traits<char>::eof();
}  // namespace

CsvReader::CsvReader(std::istream& input) : buffer_(input.rdbuf()) {}

int CsvReader::Peek() {
  if (replayAt_ < replay_.size()) return static_cast<unsigned char>(replay_[replayAt_]);
  return buffer_->sgetc();
}

int CsvReader::Take() {
  if (replayAt_ < replay_.size()) return static_cast<unsigned char>(replay_[replayAt_++]);
  return buffer_->sbumpc();
}

std::optional<CsvRecord> CsvReader::Next() {
  if (buffer_ == nullptr) return std::nullopt;
  if (!started_) {
    started_ = true;
    // Skip a UTF-8 byte-order mark (EF BB BF).
    if (buffer_->sgetc() == 0xEF) {
      buffer_->sbumpc();
      if (buffer_->sgetc() == 0xBB) buffer_->sbumpc();
      if (buffer_->sgetc() == 0xBF) buffer_->sbumpc();
    }
  }

  for (;;) {
    if (Peek() == kEof) return std::nullopt;
    CsvRecord record;
    record.lineNumber = line_;
    std::string field;
    std::size_t recordBytes = 0;
    bool quoted = false;    // inside a quoted part
    bool anyQuote = false;  // the record used quotes (so it is not blank)
    bool tooLong = false;
    bool ended = false;
    // The bytes after the record's first line break, which lies inside a
    // quote: they are read again as new lines if the quote never closes.
    bool spansLines = false;
    std::string laterLines;
    bool abandoned = false;

    while (!ended) {
      const int c = Take();
      if (c == kEof) {
        if (quoted) record.error = "a quoted field is not closed before the end of the input";
        abandoned = quoted && spansLines;
        ended = true;
        break;
      }
      const char ch = static_cast<char>(c);
      if (spansLines) {
        laterLines += ch;
        if (laterLines.size() > kMaxRecordBytes) {
          record.error =
              "a quoted field is not closed within " + std::to_string(kMaxRecordBytes) + " bytes";
          abandoned = true;
          break;
        }
      }
      if (quoted) {
        if (ch == '"') {
          if (Peek() == '"') {
            Take();
            if (spansLines) laterLines += '"';
            field += '"';
          } else {
            quoted = false;
          }
        } else {
          if (ch == '\n') {
            ++line_;
            spansLines = true;
          }
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
      if (++recordBytes > kMaxRecordBytes && !tooLong) {
        tooLong = true;
        record.error = "record longer than " + std::to_string(kMaxRecordBytes) + " bytes";
      }
      if (tooLong) {
        // Keep counting lines but stop keeping text.
        field.clear();
        record.fields.clear();
      }
    }
    if (abandoned) {
      // Only the record's first line is lost: the lines after it are read
      // again, unquoted, followed by whatever is left to read.
      laterLines.append(replay_, replayAt_, std::string::npos);
      replay_ = std::move(laterLines);
      replayAt_ = 0;
      line_ = record.lineNumber + 1;
    } else if (tooLong) {
      record.error = "record longer than " + std::to_string(kMaxRecordBytes) + " bytes";
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
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
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

}  // namespace orvanta::cli
