// From a birth place and its local clock time to the chart's inputs.
//
// The coordinates are rounded to the nearest minute of arc and split into
// whole degrees, minutes and hemispheres, as the birth-data form holds them.
// The clock's offset comes from the time-zone history; it becomes the zone
// row whose correction equals the whole offset (standard time plus daylight
// saving) with the daylight-saving tick left off, since the tz database
// already counts the daylight hour. Among rows of equal offset the one whose
// name fits is preferred: the row with the zone's own abbreviation, then a
// daylight row exactly when daylight saving is in force, then one whose
// abbreviation starts with the same letter. An offset that no row carries
// (Nepal's +5:45) is used exactly, to the minute.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/datetime.h"
#include "tz/zone_history.h"

namespace orvanta {

struct FormCoordinates {
  int latDeg = 0, latMin = 0;  // 0..90, 0..59
  bool north = true;
  int lonDeg = 0, lonMin = 0;  // 0..180, 0..59
  bool east = true;
};

// Rounds to the nearest minute of arc; 59.5' carries into the degrees.
FormCoordinates CoordinatesToMinute(double latitudeDeg, double longitudeDeg);

// "40N25", "3W42": degrees, hemisphere letter, two-digit minutes.
std::string LatitudeText(const FormCoordinates& c);
std::string LongitudeText(const FormCoordinates& c);

// Which reading to take when the local time happened twice.
enum class DoubledChoice { Refuse, Summer, Standard };

struct ZoneResolution {
  std::string zoneName;
  LocalDateTime local{};
  ClockReading reading;   // the reading taken
  int offsetMinutes = 0;  // reading.offsetSeconds to the nearest minute
  // The zone row with that offset, or no value when the exact offset is used
  // (always for an offset with seconds).
  std::optional<int> zoneIndex;
};

struct ZoneResolutionResult {
  std::optional<ZoneResolution> resolution;
  LocalTimeKind kind = LocalTimeKind::Unique;
  // Doubled or skipped: both readings and the gap, for the message or a
  // question to the user.
  LocalTimeReading reading;
  std::string message;  // set when there is no resolution
};

// The row whose correction equals `offsetMinutes` east of Greenwich and
// whose name fits best, or no value when no row carries that offset.
std::optional<int> ZoneRowForOffset(int offsetMinutes, const ClockReading& reading);

// True when the zone row's name says daylight or summer time.
bool IsSummerTimeRow(int listIndex);

// The resolution for one reading the user chose (of a doubled or skipped
// local time).
ZoneResolution ResolutionOf(std::string_view zoneName, LocalDateTime local,
                            const ClockReading& reading);

ZoneResolutionResult ResolveZone(ZoneHistory& history, std::string_view zoneName,
                                 LocalDateTime local, DoubledChoice choice = DoubledChoice::Refuse);

// "Europe/Madrid on 4 July 1990 at 14:25: UTC+2:00, summer time (CEST)".
std::string DescribeResolution(const ZoneResolution& r);

// "HH:MM" of a local time.
std::string ClockText(LocalDateTime t);

// The message for a doubled or skipped time, naming both readings or the gap
// and how to choose (`summerHow`, `standardHow` say how the caller's user
// picks a reading, e.g. "--dst").
std::string LocalTimeProblem(std::string_view zoneName, LocalDateTime local,
                             const LocalTimeReading& reading, std::string_view summerHow,
                             std::string_view standardHow);

}  // namespace orvanta
