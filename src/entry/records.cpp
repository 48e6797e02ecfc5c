#include "entry/records.h"

namespace orvanta {

int SignIndexOfPosition(std::string_view positionText) {
  if (positionText.size() < 6) return -1;
  const std::string_view sign = positionText.substr(3, 3);
  for (int k = 0; k < kSignCount; ++k) {
    if (kSignAbbr[static_cast<std::size_t>(k)] == sign) return k;
  }
  return -1;
}

}  // namespace orvanta
