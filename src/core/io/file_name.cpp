#include "io/file_name.h"

#include "model/utf8.h"

namespace orvanta {

namespace {

constexpr char kStandIn = '_';

bool RefusedInAName(unsigned char byte) {
  constexpr std::string_view kRefused = "/\\:*?\"<>|";
  return byte < 0x20 || byte == 0x7F || kRefused.find(static_cast<char>(byte)) != kRefused.npos;
}

bool TrimmedAtTheEnds(char c) {
  return c == ' ' || c == '.';
}

}  // namespace

std::string ProposedFileName(std::string_view text, std::string_view fallback) {
  std::string name;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    std::string_view piece = text.substr(i, 1);
    if (byte >= 0x80) {
      length = Utf8SequenceLength(text.substr(i));
      piece = length == 0 ? std::string_view() : text.substr(i, length);
      if (length == 0) length = 1;
    } else if (RefusedInAName(byte)) {
      piece = {};
    }
    const std::size_t added = piece.empty() ? 1 : piece.size();
    if (name.size() + added > kLongestProposedFileName) break;
    if (piece.empty()) {
      name += kStandIn;
    } else {
      name += piece;
    }
    i += length;
  }
  std::size_t first = 0, last = name.size();
  while (first < last && TrimmedAtTheEnds(name[first])) ++first;
  while (last > first && TrimmedAtTheEnds(name[last - 1])) --last;
  if (first == last) return std::string(fallback);
  return name.substr(first, last - first);
}

}  // namespace orvanta
