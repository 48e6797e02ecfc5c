#include "chart/xml_text.h"

#include "model/utf8.h"

namespace orvanta {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The entity for a character of markup, or empty for any other byte.
std::string_view Entity(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return {};
  }
}

// True for the two characters XML 1.0 leaves out of the Basic
// Multilingual Plane besides the surrogates: U+FFFE and U+FFFF (EF BF BE,
// EF BF BF).
bool IsNonCharacterFFFx(std::string_view sequence) {
  return sequence.size() == 3 && sequence[0] == '\xEF' && sequence[1] == '\xBF' &&
         (sequence[2] == '\xBE' || sequence[2] == '\xBF');
}

std::string XmlText(std::string_view text, bool escapeMarkup) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') {
        out += kReplacement;
      } else if (const std::string_view entity = escapeMarkup ? Entity(text[i]) : "";
                 !entity.empty()) {
        out += entity;
      } else {
        out += text[i];
      }
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) {
      // One U+FFFD for each byte that is not part of a character.
      out += kReplacement;
      ++i;
      continue;
    }
    const std::string_view sequence = text.substr(i, length);
    out += IsNonCharacterFFFx(sequence) ? kReplacement : sequence;
    i += length;
  }
  return out;
}

}  // namespace

std::string XmlSafeText(std::string_view text) {
  return XmlText(text, false);
}

std::string XmlEscaped(std::string_view text) {
  return XmlText(text, true);
}

}  // namespace orvanta
