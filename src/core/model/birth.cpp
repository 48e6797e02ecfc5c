#include "model/birth.h"

#include <cmath>
#include <cstdlib>

namespace orvanta {

namespace {

double DegreesOf(const ArcAngle& a) {
  const double deg = a.degrees + a.minutes / 60.0;
  return a.positive ? deg : -deg;
}

// Seconds of clock per degree of longitude (24 hours for 360 degrees).
inline constexpr double kClockSecondsPerDegree = 240.0;

}  // namespace

double LatitudeDeg(const GeoPosition& position) {
  return DegreesOf(position.latitude);
}

double LongitudeDeg(const GeoPosition& position) {
  return DegreesOf(position.longitude);
}

int OffsetSecondsWithTick(const Clock& clock) {
  return clock.offsetSeconds + (clock.daylightTick ? kDaylightTickSeconds : 0);
}

std::chrono::sys_seconds UniversalTimeOf(LocalDateTime local, const Clock& clock) {
  return std::chrono::sys_seconds{local.time_since_epoch()} -
         std::chrono::seconds{OffsetSecondsWithTick(clock)};
}

LocalDateTime LocalMoment(const Birth& birth) {
  const CivilTime& c = birth.local;
  return MakeDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
}

std::chrono::sys_seconds UniversalTime(const Birth& birth) {
  return UniversalTimeOf(LocalMoment(birth), birth.clock);
}

bool ReadsSummerTime(const Clock& clock) {
  if (!clock.zoneName.empty()) return clock.summerTime;
  return clock.daylightTick || clock.summerTime;
}

double ClockHours(const Clock& clock) {
  const int magnitude = std::abs(clock.offsetSeconds);
  double hours = magnitude / 3600 + (magnitude % 3600) / 60 / 60.0;
  // Only a clock with seconds adds them, so that a whole-minute clock is
  // visibly the zone list's hours + minutes / 60.
  if (const int seconds = magnitude % 60; seconds != 0) hours = hours + seconds / 3600.0;
  if (clock.offsetSeconds < 0) hours = -hours;
  if (clock.daylightTick) hours = hours + kDaylightTickSeconds / 3600.0;
  return hours;
}

ZoneShift LegacyZoneShift(const Clock& clock) {
  const int minutes = (std::abs(clock.offsetSeconds) + 30) / 60;
  const int correction = clock.offsetSeconds < 0 ? minutes : -minutes;
  return {static_cast<std::int16_t>(correction / 60), static_cast<std::int16_t>(correction % 60)};
}

int OffsetSecondsOfShift(ZoneShift shift) {
  return -(shift.hours * 3600 + shift.minutes * 60);
}

std::string FormatUtcOffset(int offsetSeconds) {
  const int magnitude = std::abs(offsetSeconds);
  const int hours = magnitude / 3600;
  const int minutes = magnitude / 60 % 60;
  const int seconds = magnitude % 60;
  std::string text = "UTC";
  text += offsetSeconds < 0 ? '-' : '+';
  text += std::to_string(hours) + ":" + (minutes < 10 ? "0" : "") + std::to_string(minutes);
  if (seconds != 0) text += std::string(":") + (seconds < 10 ? "0" : "") + std::to_string(seconds);
  return text;
}

int OffsetMinutesWithTick(const Clock& clock) {
  Clock ticked = clock;
  ticked.offsetSeconds = OffsetSecondsWithTick(clock);
  ticked.daylightTick = false;
  return OffsetSecondsOfShift(LegacyZoneShift(ticked)) / 60;
}

Clock LocalMeanTimeClock(const GeoPosition& position) {
  Clock clock;
  clock.offsetSeconds =
      static_cast<int>(std::lround(LongitudeDeg(position) * kClockSecondsPerDegree));
  clock.source = ClockSource::LocalMeanTime;
  return clock;
}

}  // namespace orvanta
