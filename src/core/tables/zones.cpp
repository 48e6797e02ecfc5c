#include "tables/zones.h"

namespace orvanta {

std::optional<ZoneShift> ZoneShiftOf(int listIndex) {
  if (listIndex < 0 || listIndex >= kZoneCount) return std::nullopt;
  const ZoneEntry& row = kZones[static_cast<std::size_t>(listIndex)];
  return ZoneShift{row.shiftHours, row.shiftMinutes};
}

std::optional<ZoneShift> ZoneShiftOf(ExactOffset offset) {
  if (offset.eastMinutes < -kMaxExactOffsetMinutes || offset.eastMinutes > kMaxExactOffsetMinutes)
    return std::nullopt;
  const int correction = -offset.eastMinutes;
  return ZoneShift{static_cast<std::int16_t>(correction / 60),
                   static_cast<std::int16_t>(correction % 60)};
}

}  // namespace orvanta
