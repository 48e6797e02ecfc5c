#include "model/whole_number.h"

namespace orvanta {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// The value of a plain whole number: after trimming blanks, one or more
// ASCII digits and nothing else. Any other text ("", "28X", "12.5", "1e3",
// "-5", "+5", full-width or other non-ASCII digits) has no value. Values
// from kNumberCap up are returned as kNumberCap.
//
// The degree checks once read only the leading number of the text, so a
// pasted "28X" or "12.5" passed as 28 or 12 and the later conversion into
// the birth record then failed, leaving a stale or zero coordinate in a
// chart that validation had accepted. Every coordinate text, degrees and
// minutes alike, must therefore be a plain whole number, or its check
// refuses it with the check's own message and focus.
std::optional<long> PlainWholeNumber(std::string_view text) {
  const std::string_view digits = TrimBlanks(text);
  if (digits.empty()) return std::nullopt;
  long value = 0;
  for (const char ch : digits) {
    if (ch < '0' || ch > '9') return std::nullopt;
    if (value < kNumberCap) value = value * 10 + (ch - '0');
  }
  return value < kNumberCap ? value : kNumberCap;
}

}  // namespace orvanta
