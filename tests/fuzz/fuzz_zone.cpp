// Fuzz target: orvanta-cli's zone parser (ParseZone) over any text, with
// the zone list's own arithmetic (ZoneShiftOf) for the position it
// gives. Properties, each checked against the zone list itself rather than
// against the parser's code:
// - the result is a list position 0..70, or an error message that is one
//   line of printable UTF-8 whatever bytes the text held;
// - an empty (blank) text gives the default zone, Greenwich Mean Time;
// - a text of digits is taken as a list position exactly when it is one;
// - any other text is accepted exactly when it equals, ignoring case and
//   surrounding blanks, the abbreviation of exactly one zone, and then gives
//   that zone;
// - every accepted position has a correction whose minutes carry the sign
//   of its hours, and the correction's magnitude is under 14 hours.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "support/json_check.h"
#include "tables/zones.h"

namespace {

[[noreturn]] void Fail(const std::string& what, std::string_view text) {
  std::fprintf(stderr, "fuzz_zone: %s\n  text: '%.200s' (%zu bytes)\n", what.c_str(),
               std::string(text).c_str(), text.size());
  std::abort();
}

std::string_view Blanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// The abbreviation of zone `i` read from its list text: the part between the
// first and second comma, blanks removed.
std::string_view AbbreviationInList(int i) {
  const std::string_view text = orvanta::kZones[static_cast<std::size_t>(i)].text;
  const std::size_t first = text.find(',');
  const std::size_t second = text.find(',', first + 1);
  return Blanks(text.substr(first + 1, second - first - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = orvanta::ParseZone(text);
  if (parsed.value.has_value() == !parsed.error.empty()) Fail("value and error disagree", text);
  if (!parsed.value && !orvanta::fuzz::IsPrintableLine(parsed.error)) {
    Fail("error message is not one line of printable text: " + parsed.error, text);
  }

  // Fuzzed list positions outside the list have no correction.
  if (size >= 4) {
    int wild = 0;
    for (int k = 0; k < 4; ++k) {
      wild = static_cast<int>((static_cast<unsigned>(wild) << 8) | data[k]);
    }
    if ((wild < 0 || wild >= orvanta::kZoneCount) && orvanta::ZoneShiftOf(wild)) {
      Fail("a correction for position " + std::to_string(wild), text);
    }
  }

  const std::string_view trimmed = Blanks(text);
  std::optional<int> expected;
  if (trimmed.empty()) {
    expected = orvanta::kDefaultZoneIndex;
  } else if (trimmed.find_first_not_of("0123456789") == std::string_view::npos) {
    if (trimmed.size() <= 2 && std::stoi(std::string(trimmed)) < orvanta::kZoneCount) {
      expected = std::stoi(std::string(trimmed));
    }
  } else if (trimmed.front() < '0' || trimmed.front() > '9') {
    int matches = 0;
    for (int i = 0; i < orvanta::kZoneCount; ++i) {
      if (SameIgnoringCase(AbbreviationInList(i), trimmed)) {
        ++matches;
        expected = i;
      }
    }
    if (matches != 1) expected.reset();
  }
  // A text that starts with a digit and goes on with other characters ("5a")
  // is no list position and no abbreviation: refused.
  if (parsed.value != expected) {
    Fail("gave " + (parsed.value ? std::to_string(*parsed.value) : "an error") + ", expected " +
             (expected ? std::to_string(*expected) : "an error"),
         text);
  }
  if (!parsed.value) return 0;

  const int position = *parsed.value;
  if (orvanta::ZoneAbbreviation(position) != AbbreviationInList(position)) {
    Fail("ZoneAbbreviation differs from the list text", text);
  }
  const auto shift = orvanta::ZoneShiftOf(position);
  if (!shift) Fail("no correction for a listed zone", text);
  if ((shift->hours > 0 && shift->minutes < 0) || (shift->hours < 0 && shift->minutes > 0)) {
    Fail("minutes and hours of the correction differ in sign", text);
  }
  if (std::abs(shift->hours * 60 + shift->minutes) >= 14 * 60) Fail("correction too large", text);
  return 0;
}
