// A strict checker of JSON texts (RFC 8259) for the fuzz targets and the
// bad-input tests: one value, optionally surrounded by blanks; strings in
// well-formed UTF-8 without raw control characters; numbers in the grammar's
// form (no leading zeros, no NaN or Infinity). It answers only yes or no:
// the targets must never see the program write anything else. Beside it,
// IsPrintableLine checks the shape of the program's messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvanta::fuzz {

// Length of the well-formed UTF-8 sequence of two to four bytes at the start
// of `s` (shortest form, no surrogates, nothing above U+10FFFF), or 0.
inline std::size_t Utf8SequenceLength(std::string_view s) {
  if (s.empty()) return 0;
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  std::size_t length = 0;
  std::uint32_t code = 0, least = 0;
  if ((byte(0) & 0xE0) == 0xC0) {
    length = 2, code = byte(0) & 0x1Fu, least = 0x80;
  } else if ((byte(0) & 0xF0) == 0xE0) {
    length = 3, code = byte(0) & 0x0Fu, least = 0x800;
  } else if ((byte(0) & 0xF8) == 0xF0) {
    length = 4, code = byte(0) & 0x07u, least = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(k) & 0x3Fu);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// True for one line of printable text: well-formed UTF-8 without control
// characters (what every message of the program must be, whatever the user
// typed or the batch file held).
inline bool IsPrintableLine(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto byte = static_cast<unsigned char>(s[i]);
    if (byte < 0x20 || byte == 0x7F) return false;
    if (byte < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(s.substr(i));
    if (length == 0) return false;
    i += length;
  }
  return true;
}

class JsonChecker {
 public:
  explicit JsonChecker(std::string_view text) : s_(text) {}

  bool Valid() {
    Blanks();
    if (!Value(0)) return false;
    Blanks();
    return i_ == s_.size();
  }

 private:
  // Deeper nesting than the program ever writes is refused rather than
  // followed, so that the checker itself cannot exhaust the stack.
  static constexpr int kMaxDepth = 64;

  bool AtEnd() const { return i_ >= s_.size(); }
  unsigned char Peek() const { return static_cast<unsigned char>(s_[i_]); }

  void Blanks() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++i_;
  }

  bool Literal(std::string_view word) {
    if (s_.substr(i_, word.size()) != word) return false;
    i_ += word.size();
    return true;
  }

  bool Value(int depth) {
    if (AtEnd() || depth > kMaxDepth) return false;
    switch (Peek()) {
      case '{':
        return Object(depth + 1);
      case '[':
        return Array(depth + 1);
      case '"':
        return String();
      case 't':
        return Literal("true");
      case 'f':
        return Literal("false");
      case 'n':
        return Literal("null");
      default:
        return Number();
    }
  }

  bool Object(int depth) {
    ++i_;  // '{'
    Blanks();
    if (!AtEnd() && Peek() == '}') {
      ++i_;
      return true;
    }
    for (;;) {
      Blanks();
      if (AtEnd() || Peek() != '"' || !String()) return false;
      Blanks();
      if (AtEnd() || Peek() != ':') return false;
      ++i_;
      Blanks();
      if (!Value(depth)) return false;
      Blanks();
      if (AtEnd()) return false;
      if (Peek() == '}') {
        ++i_;
        return true;
      }
      if (Peek() != ',') return false;
      ++i_;
    }
  }

  bool Array(int depth) {
    ++i_;  // '['
    Blanks();
    if (!AtEnd() && Peek() == ']') {
      ++i_;
      return true;
    }
    for (;;) {
      Blanks();
      if (!Value(depth)) return false;
      Blanks();
      if (AtEnd()) return false;
      if (Peek() == ']') {
        ++i_;
        return true;
      }
      if (Peek() != ',') return false;
      ++i_;
    }
  }

  static bool IsHex(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  }

  bool Utf8Sequence() {
    const std::size_t length = Utf8SequenceLength(s_.substr(i_));
    i_ += length;
    return length > 0;
  }

  bool String() {
    ++i_;  // opening quote
    while (!AtEnd()) {
      const unsigned char c = Peek();
      if (c == '"') {
        ++i_;
        return true;
      }
      if (c < 0x20) return false;
      if (c >= 0x80) {
        if (!Utf8Sequence()) return false;
        continue;
      }
      ++i_;
      if (c != '\\') continue;
      if (AtEnd()) return false;
      const unsigned char e = Peek();
      ++i_;
      if (e == 'u') {
        for (int k = 0; k < 4; ++k, ++i_) {
          if (AtEnd() || !IsHex(Peek())) return false;
        }
      } else if (std::string_view("\"\\/bfnrt").find(static_cast<char>(e)) ==
                 std::string_view::npos) {
        return false;
      }
    }
    return false;
  }

  bool Digits() {
    const std::size_t start = i_;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++i_;
    return i_ > start;
  }

  bool Number() {
    if (!AtEnd() && Peek() == '-') ++i_;
    if (AtEnd()) return false;
    if (Peek() == '0') {
      ++i_;
    } else if (!Digits()) {
      return false;
    }
    if (!AtEnd() && Peek() == '.') {
      ++i_;
      if (!Digits()) return false;
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      ++i_;
      if (!AtEnd() && (Peek() == '+' || Peek() == '-')) ++i_;
      if (!Digits()) return false;
    }
    return true;
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

inline bool IsValidJson(std::string_view text) {
  return JsonChecker(text).Valid();
}

}  // namespace orvanta::fuzz
