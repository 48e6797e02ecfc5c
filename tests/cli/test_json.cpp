// Tests of the JSON pieces: string escaping (always valid JSON, any bytes
// in), numbers that read back to the same double, null for non-finite values.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "cli/json.h"

namespace orvanta::cli {
namespace {

// Independent check of UTF-8 by code point: each sequence decodes to a
// code point in the range its length allows, outside the surrogates.
bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    std::size_t n = 0;
    std::uint32_t cp = 0, min = 0;
    if (b(i) < 0x80) {
      ++i;
      continue;
    } else if ((b(i) & 0xE0) == 0xC0) {
      n = 2, cp = b(i) & 0x1F, min = 0x80;
    } else if ((b(i) & 0xF0) == 0xE0) {
      n = 3, cp = b(i) & 0x0F, min = 0x800;
    } else if ((b(i) & 0xF8) == 0xF0) {
      n = 4, cp = b(i) & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((b(i + k) & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

// Decodes one JSON string literal as the writer produces it (escaped quote,
// escaped backslash and \u00XX); nothing when it is not a well-formed literal.
std::optional<std::string> DecodeJsonString(std::string_view json) {
  if (json.size() < 2 || json.front() != '"' || json.back() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i + 1 < json.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(json[i]);
    if (c < 0x20 || c == '"') return std::nullopt;
    if (c != '\\') {
      out += static_cast<char>(c);
      continue;
    }
    if (++i + 1 >= json.size()) return std::nullopt;
    if (json[i] == '"' || json[i] == '\\') {
      out += json[i];
    } else if (json[i] == 'u' && i + 4 < json.size() - 1) {
      const std::string hex(json.substr(i + 1, 4));
      char* end = nullptr;
      const long cp = std::strtol(hex.c_str(), &end, 16);
      if (end != hex.c_str() + 4 || cp >= 0x80) return std::nullopt;
      out += static_cast<char>(cp);
      i += 4;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string Json(std::string_view s) {
  std::string out;
  AppendJsonString(out, s);
  return out;
}

struct EscapeCase {
  const char* label;
  std::string input;
  std::string expected;
};

TEST(JsonString, Escapes) {
  // Expected texts from RFC 8259 section 7, with every control character
  // written as \u00XX and U+FFFD (EF BF BD) for each byte that is not UTF-8.
  const EscapeCase cases[] = {
      {"plain", "ARJUN MEHTA", "\"ARJUN MEHTA\""},
      {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
      {"CR LF of a caption", "\r\nSun", "\"\\u000d\\u000aSun\""},
      {"tab, NUL, unit separator, DEL", std::string("\t\0\x1f\x7f", 4),
       "\"\\u0009\\u0000\\u001f\\u007f\""},
      {"degree sign kept", "28\xC2\xB0 36'", "\"28\xC2\xB0 36'\""},
      {"four-byte character kept", "\xF0\x9F\x8C\x99", "\"\xF0\x9F\x8C\x99\""},
      {"Latin-1 byte replaced", "Jos\xE9", "\"Jos\xEF\xBF\xBD\""},
      {"stray continuation byte", "\x80x", "\"\xEF\xBF\xBDx\""},
      {"overlong slash", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"surrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"above U+10FFFF", "\xF4\x90\x80\x80",
       "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"cut short at the end", "a\xE2\x82", "\"a\xEF\xBF\xBD\xEF\xBF\xBD\""},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Json(c.input), c.expected);
  }
}

TEST(JsonString, AnyBytesGiveAValidLiteral) {
  // Property over random byte strings: the literal is well formed, decodes to
  // valid UTF-8, and to the input itself whenever the input was valid UTF-8.
  std::mt19937 random(8259);
  for (int trial = 0; trial < 20000; ++trial) {
    std::string input(random() % 12, '\0');
    for (char& ch : input) {
      // Mix plain ASCII with the interesting high bytes.
      const unsigned r = random();
      ch = static_cast<char>((r & 0x100) ? (r & 0x7F) : (0x80 | (r & 0x7F)));
    }
    if (trial % 3 == 0) input = "\xE2\x82\xAC" + input + "\xC3\xA9";
    const std::string literal = Json(input);
    const auto decoded = DecodeJsonString(literal);
    ASSERT_TRUE(decoded.has_value()) << literal;
    EXPECT_TRUE(IsValidUtf8(*decoded)) << literal;
    if (IsValidUtf8(input)) {
      EXPECT_EQ(*decoded, input);
    }
  }
}

TEST(JsonNumber, ShortestRoundTrip) {
  // Property over random bit patterns: the text reads back to the same bits,
  // and nothing but null is written for NaN and the infinities.
  std::mt19937_64 random(754);
  int finite = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const double value = std::bit_cast<double>(static_cast<std::uint64_t>(random()));
    std::string text;
    AppendJsonNumber(text, value);
    if (!std::isfinite(value)) {
      EXPECT_EQ(text, "null");
      continue;
    }
    ++finite;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr)),
              std::bit_cast<std::uint64_t>(value))
        << text;
    EXPECT_EQ(text.find_first_not_of("0123456789.-+e"), std::string::npos) << text;
  }
  EXPECT_GT(finite, 19000);
}

TEST(JsonNumber, Examples) {
  // Expected texts: the shortest decimal that reads back exactly.
  const std::pair<double, std::string_view> cases[] = {
      {0.0, "0"},
      {-0.0, "-0"},
      {2444405.0, "2444405"},
      {0.1, "0.1"},
      {-22.69, "-22.69"},
      {5e-324, "5e-324"},
      {std::numeric_limits<double>::quiet_NaN(), "null"},
      {std::numeric_limits<double>::infinity(), "null"},
      {-std::numeric_limits<double>::infinity(), "null"},
  };
  for (const auto& [value, expected] : cases) {
    std::string text;
    AppendJsonNumber(text, value);
    EXPECT_EQ(text, expected) << value;
  }
}

TEST(JsonObject, MembersInCallOrderWithCommas) {
  std::string out;
  JsonObject o(out);
  o.String("Name", "A");
  o.Bool("Valid", false);
  o.Integer("N", -12);
  o.Number("X", 1.5);
  o.Null("Focus");
  AppendJsonInteger(o.Key("Raw"), 7);
  o.Close();
  EXPECT_EQ(out, R"({"Name":"A","Valid":false,"N":-12,"X":1.5,"Focus":null,"Raw":7})");
}

}  // namespace
}  // namespace orvanta::cli
