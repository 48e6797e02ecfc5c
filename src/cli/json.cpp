#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/utf8.h"

namespace orvanta::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// True when none of the eight bytes at `p` is a control character, DEL, a
// byte of a multi-byte character, a quote or a backslash: the bytes are
// copied as they are. (Bit tricks on a 64-bit word: a byte of x is zero
// exactly where the high bit of HasZero(x) is set.)
bool PlainAscii8(const char* p) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::uint64_t x;
  std::memcpy(&x, p, sizeof x);
  const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighBits; };
  const std::uint64_t below20 = (x - kOnes * 0x20) & ~x & kHighBits;  // a byte below 0x20
  return ((x & kHighBits) | below20 | hasZero(x ^ (kOnes * 0x7F)) | hasZero(x ^ (kOnes * '"')) |
          hasZero(x ^ (kOnes * '\\'))) == 0;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  constexpr std::string_view kHex = "0123456789abcdef";
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    // Copy a run of printable ASCII that needs no escape in one piece,
    // eight bytes at a time while none of them needs a closer look.
    std::size_t run = i;
    while (run + 8 <= text.size() && PlainAscii8(text.data() + run)) run += 8;
    while (run < text.size()) {
      const unsigned char r = static_cast<unsigned char>(text[run]);
      if (r < 0x20 || r >= 0x7F || r == '"' || r == '\\') break;
      ++run;
    }
    if (run > i) {
      out.append(text.data() + i, run - i);
      i = run;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c < 0x20 || c == 0x7F) {
        const char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
        out.append(escape, sizeof escape);
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) {
      out += kReplacement;
      ++i;
    } else {
      out += text.substr(i, length);
      i += length;
    }
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendJsonInteger(std::string& out, long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

JsonObject::JsonObject(std::string& out) : out_(out) {
  out_ += '{';
}

std::string& JsonObject::Key(std::string_view name) {
  // The whole `,"name":` written in place after one resize: a key built in
  // a small buffer byte by byte and then copied out is read back before its
  // bytes have settled, which stalls the copy on every member.
  const std::size_t at = out_.size();
  const std::size_t comma = first_ ? 0 : 1;
  out_.resize(at + comma + name.size() + 3);
  char* p = out_.data() + at;
  if (comma != 0) *p++ = ',';
  *p++ = '"';
  std::memcpy(p, name.data(), name.size());
  p += name.size();
  p[0] = '"';
  p[1] = ':';
  first_ = false;
  return out_;
}

void JsonObject::String(std::string_view name, std::string_view value) {
  AppendJsonString(Key(name), value);
}

void JsonObject::Number(std::string_view name, double value) {
  AppendJsonNumber(Key(name), value);
}

void JsonObject::Integer(std::string_view name, long long value) {
  AppendJsonInteger(Key(name), value);
}

void JsonObject::Bool(std::string_view name, bool value) {
  Key(name) += value ? "true" : "false";
}

void JsonObject::Null(std::string_view name) {
  Key(name) += "null";
}

void JsonObject::Close() {
  out_ += '}';
}

}  // namespace orvanta::cli
