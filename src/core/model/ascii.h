// ASCII letters and digits, whatever the C locale says: the notations the
// program reads ("28N36", zone abbreviations) are ASCII.
#pragma once

namespace orvanta {

inline bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace orvanta
