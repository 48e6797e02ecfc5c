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
  Clock clock;
  clock.offsetSeconds = offset.eastMinutes * 60;
  return LegacyZoneShift(clock);
}

}  // namespace orvanta
