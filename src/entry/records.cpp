#include "entry/records.h"

#include <cstdint>

namespace orvanta {

namespace {

// Three letters packed into one number, so a sign is found with twelve
// integer compares (this lookup runs well over a hundred times per chart).
constexpr std::uint32_t Pack(char a, char b, char c) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c));
}

constexpr std::array<std::uint32_t, kSignCount> kPackedAbbr = [] {
  std::array<std::uint32_t, kSignCount> packed{};
  for (std::size_t k = 0; k < kSignAbbr.size(); ++k) {
    packed[k] = Pack(kSignAbbr[k][0], kSignAbbr[k][1], kSignAbbr[k][2]);
  }
  return packed;
}();

}  // namespace

int SignIndexOfPosition(std::string_view positionText) {
  if (positionText.size() < 6) return -1;
  const std::uint32_t key = Pack(positionText[3], positionText[4], positionText[5]);
  for (int k = 0; k < kSignCount; ++k) {
    if (kPackedAbbr[static_cast<std::size_t>(k)] == key) return k;
  }
  return -1;
}

}  // namespace orvanta
