#include "tables/zones.h"

namespace orvanta {

std::optional<ZoneShift> Zone_Calculation(int listIndex) {
  if (listIndex < 0 || listIndex >= kZoneCount) return std::nullopt;
  const ZoneEntry& row = kZones[static_cast<std::size_t>(listIndex)];
  return ZoneShift{row.shiftHours, row.shiftMinutes};
}

}  // namespace orvanta
