// A birth as numbers: who, where, the local clock reading and the clock.
//
// The Clock says how the local clock related to Universal Time at the birth:
// its offset east of Greenwich in whole seconds (standard time plus the
// summer hour the tz history already counts, Kathmandu's +5:41:16 of 1901
// to the second), the daylight-saving tick the user set on top of it, whether
// the reading is summer time, the tz zone and the zone-list row it came from,
// and where it came from. The tick's one hour and the direction of the
// offset are written once, here: UniversalTimeOf is the one rule from a local
// clock reading to Universal Time, and ClockHours is the same offset in the
// hours the engine's arithmetic has always worked with.
//
// The position keeps the whole degrees and minutes of arc the chart computes
// with; degrees come on demand.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "model/datetime.h"

namespace orvanta {

// One of latitude or longitude: whole degrees and minutes of arc and the
// hemisphere (north or east is `positive`).
struct ArcAngle {
  std::int16_t degrees = 0;
  std::int16_t minutes = 0;  // 0..59
  bool positive = true;
};

struct GeoPosition {
  ArcAngle latitude;   // 0..89 degrees, north positive
  ArcAngle longitude;  // 0..179 degrees, east positive
};

// Degrees, north positive: degrees + minutes / 60, then the hemisphere.
double LatitudeDeg(const GeoPosition& position);
// Degrees, east positive.
double LongitudeDeg(const GeoPosition& position);

// Where a clock came from.
enum class ClockSource {
  ZoneRow,        // a row of the 71-zone list
  ZoneHistory,    // the tz history of a named zone at the birth
  LocalMeanTime,  // the mean time of the birth place's own meridian
  CityTime,       // the mean time a zone's city kept before standard time
  GivenOffset,    // an offset given by hand, in minutes
};

// Whether the clock is the place's own (a city's clock, the birth place's
// mean time) rather than a zone's: only such a clock has a caption of its own.
constexpr bool IsPlacesOwnClock(ClockSource source) {
  return source == ClockSource::CityTime || source == ClockSource::LocalMeanTime;
}

// The daylight-saving tick moves the clock this far ahead of its zone.
inline constexpr int kDaylightTickSeconds = 3600;

struct Clock {
  int offsetSeconds = 0;       // east of Greenwich, without the tick
  bool daylightTick = false;   // the form's "Daylight Saving Time" box
  bool summerTime = false;     // the reading is summer (daylight) time
  std::string zoneName;        // "Asia/Kathmandu"; empty for a row or an offset
  std::optional<int> zoneRow;  // the zone list's row, where one was chosen
  ClockSource source = ClockSource::ZoneRow;
  // The clock's own name where it is no tz reading nor a row: "Bombay Time,
  // UTC+4:51, the city's own clock until 1955", "local mean time at 83°58′ E,
  // UTC+5:35:52"; empty otherwise.
  std::string caption;
};

struct Birth {
  std::string name;
  std::string city, state, country;
  GeoPosition position;
  // The local clock reading with seconds, as entered: a day the form's leap
  // rule lets through (29 February 1900) stays as it was entered, since the
  // engine's calendar steps work on the entered date.
  CivilTime local{1901, 1, 1, 0, 0, 0};
  Clock clock;
};

// The local clock reading as a date-time; a day past the end of its month
// rolls into the next.
LocalDateTime LocalMoment(const Birth& birth);

// The clock's offset east of Greenwich in seconds with the tick counted.
int OffsetSecondsWithTick(const Clock& clock);

// Universal Time of a local clock reading: the reading minus the offset.
std::chrono::sys_seconds UniversalTimeOf(LocalDateTime local, const Clock& clock);
// The birth's Universal Time, to the second.
std::chrono::sys_seconds UniversalTime(const Birth& birth);

// Whether the birth's clock reads summer time: a zone's own reading where
// the clock came from a tz zone, otherwise the zone row's reading or the
// daylight-saving tick.
bool ReadsSummerTime(const Clock& clock);

// The offset east with the tick, in hours, formed as the engine has always
// formed it: whole hours + minutes / 60 (+ seconds / 3600 where the clock
// has seconds), signed, then + 1 for the tick. For a whole-minute clock the
// value is bit for bit what the zone list's hours and minutes give.
double ClockHours(const Clock& clock);

// The correction from local clock time to Universal Time in the zone list's
// form: signed whole hours and the remaining minutes with the same sign,
// without the tick ("+5:30" gives -5, -30). A clock with seconds is taken to
// the nearest minute, halves away from zero.
struct ZoneShift {
  std::int16_t hours = 0;
  std::int16_t minutes = 0;
};
ZoneShift LegacyZoneShift(const Clock& clock);
// The offset east of Greenwich, in seconds, that a correction in that form
// stands for: its sign turned ("-5, -30" gives +5:30, 19800).
int OffsetSecondsOfShift(ZoneShift shift);

// "UTC+2:00", "UTC-3:30", "UTC+1:19:32" (seconds only when there are some).
std::string FormatUtcOffset(int offsetSeconds);

// The offset east with the tick, to the nearest minute as LegacyZoneShift
// takes it.
int OffsetMinutesWithTick(const Clock& clock);

// The mean time of a meridian: four minutes of clock per degree east, to
// the nearest second.
Clock LocalMeanTimeClock(const GeoPosition& position);

}  // namespace orvanta
