#include "tz/zone_resolution.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "model/coordinate_text.h"
#include "tables/zones.h"

namespace orvanta {

namespace {

std::string TwoDigits(int v) {
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on
  // "literal" + std::string.
  std::string text = std::to_string(v);
  if (v >= 0 && v < 10) text.insert(text.begin(), '0');
  return text;
}

// A minute count to the nearest minute, halves away from zero.
int NearestMinute(double minutes) {
  return static_cast<int>(std::lround(minutes));
}

int RoundSecondsToMinutes(int seconds) {
  const int magnitude = (std::abs(seconds) + 30) / 60;
  return seconds < 0 ? -magnitude : magnitude;
}

}  // namespace

FormCoordinates CoordinatesToMinute(double latitudeDeg, double longitudeDeg) {
  FormCoordinates c;
  c.north = latitudeDeg >= 0;
  c.east = longitudeDeg >= 0;
  const int lat = NearestMinute(std::fabs(latitudeDeg) * 60);
  const int lon = NearestMinute(std::fabs(longitudeDeg) * 60);
  c.latDeg = lat / 60;
  c.latMin = lat % 60;
  c.lonDeg = lon / 60;
  c.lonMin = lon % 60;
  return c;
}

std::string LatitudeText(const FormCoordinates& c) {
  return CoordinateText(c.latDeg, LatitudeLetter(c.north), c.latMin);
}

std::string LongitudeText(const FormCoordinates& c) {
  return CoordinateText(c.lonDeg, LongitudeLetter(c.east), c.lonMin);
}

std::optional<int> ZoneRowForOffset(int offsetMinutes, const ClockReading& reading) {
  std::optional<int> best;
  int bestScore = -1;
  for (int i = 0; i < kZoneCount; ++i) {
    const ZoneEntry& row = kZones[static_cast<std::size_t>(i)];
    if (OffsetSecondsOfShift({row.shiftHours, row.shiftMinutes}) != offsetMinutes * 60) continue;
    const std::string_view abbr = row.abbreviation;
    int score = 0;
    if (!reading.abbreviation.empty() && abbr == reading.abbreviation) score += 4;
    if (row.summerTime == reading.summerTime) score += 2;
    if (!abbr.empty() && !reading.abbreviation.empty() && abbr[0] == reading.abbreviation[0])
      score += 1;
    if (score > bestScore) {
      best = i;
      bestScore = score;
    }
  }
  return best;
}

bool IsSummerTimeRow(int listIndex) {
  if (listIndex < 0 || listIndex >= kZoneCount) return false;
  return kZones[static_cast<std::size_t>(listIndex)].summerTime;
}

ZoneResolution ResolutionOf(std::string_view zoneName, LocalDateTime local,
                            const ClockReading& reading) {
  ZoneResolution r;
  r.zoneName = std::string(zoneName);
  r.local = local;
  r.reading = reading;
  r.offsetMinutes = RoundSecondsToMinutes(reading.offsetSeconds);
  // A clock with seconds (a city's mean time) keeps them: no row has it.
  if (reading.offsetSeconds % 60 == 0) r.zoneIndex = ZoneRowForOffset(r.offsetMinutes, reading);
  return r;
}

ZoneResolutionResult ResolveZone(ZoneHistory& history, std::string_view zoneName,
                                 LocalDateTime local, DoubledChoice choice) {
  ZoneResolutionResult result;
  const ZoneLookup lookup = history.Lookup(zoneName, local);
  if (!lookup.reading) {
    result.message = lookup.error;
    return result;
  }
  const LocalTimeReading& reading = *lookup.reading;
  result.kind = reading.kind;
  result.reading = reading;
  ClockReading taken = reading.first;
  if (reading.kind == LocalTimeKind::Skipped) {
    result.message = LocalTimeProblem(zoneName, local, reading, "", "");
    return result;
  }
  if (reading.kind == LocalTimeKind::Doubled) {
    // The daylight reading is the one with the larger offset.
    const bool firstIsDaylight = reading.first.offsetSeconds > reading.second.offsetSeconds;
    switch (choice) {
      case DoubledChoice::Refuse:
        result.message = LocalTimeProblem(zoneName, local, reading, "", "");
        return result;
      case DoubledChoice::Summer:
        taken = firstIsDaylight ? reading.first : reading.second;
        break;
      case DoubledChoice::Standard:
        taken = firstIsDaylight ? reading.second : reading.first;
        break;
    }
  }
  result.resolution = ResolutionOf(zoneName, local, taken);
  return result;
}

std::string ClockText(LocalDateTime t) {
  const CivilTime c = Split(t);
  return TwoDigits(c.hour) + ":" + TwoDigits(c.minute);
}

namespace {
std::string LongDate(LocalDateTime t) {
  const CivilTime c = Split(t);
  return std::to_string(c.day) + " " + std::string(MonthName(c.month)) + " " +
         std::to_string(c.year);
}

std::string ReadingText(const ClockReading& r) {
  std::string text = FormatUtcOffset(r.offsetSeconds);
  text += r.summerTime ? ", summer time" : ", standard time";
  if (!r.abbreviation.empty()) text += " (" + r.abbreviation + ")";
  return text;
}

// A gap that crosses midnight (a zone moved across the date line, such as
// Pacific/Apia at the end of 2011): the clock times alone would read "from
// 00:00 straight to 00:00", so the dates are named, and the dates skipped
// whole.
std::string SkippedDaysText(const LocalTimeReading& reading) {
  using std::chrono::days;
  const LocalDateTime start = reading.gapStart;
  const LocalDateTime end = reading.gapEnd;
  const LocalDateTime firstWhole = std::chrono::ceil<days>(start);
  const LocalDateTime lastWhole = std::chrono::floor<days>(end) - days{1};
  std::string text = " did not exist: ";
  if (firstWhole <= lastWhole) {
    text += LongDate(firstWhole);
    if (lastWhole != firstWhole) text += " to " + LongDate(lastWhole);
    text += lastWhole != firstWhole ? " were skipped: " : " was skipped: ";
  }
  // A gap that begins at midnight begins at the end of the day before.
  const std::string from = start == std::chrono::floor<days>(start)
                               ? "the end of " + LongDate(start - days{1})
                               : LongDate(start) + " at " + ClockText(start);
  return text + "the clocks went from " + from + " straight to " + LongDate(end) + " at " +
         ClockText(end);
}
}  // namespace

std::string DescribeResolution(const ZoneResolution& r) {
  std::string text = r.zoneName + " on " + LongDate(r.local) + " at " + ClockText(r.local) + ": " +
                     ReadingText(r.reading);
  if (!r.zoneIndex) {
    text += "; no zone in the list has it, the exact offset";
    if (r.reading.offsetSeconds % 60 != 0) text += ", to the second,";
    text += " is used";
  }
  return text;
}

std::string LocalTimeProblem(std::string_view zoneName, LocalDateTime local,
                             const LocalTimeReading& reading, std::string_view summerHow,
                             std::string_view standardHow) {
  const std::string where =
      std::string(zoneName) + " on " + LongDate(local) + " at " + ClockText(local);
  if (reading.kind == LocalTimeKind::Skipped) {
    const std::string offsets = " (" + FormatUtcOffset(reading.first.offsetSeconds) + " to " +
                                FormatUtcOffset(reading.second.offsetSeconds) + ").";
    if (std::chrono::floor<std::chrono::days>(reading.gapStart) ==
        std::chrono::floor<std::chrono::days>(reading.gapEnd)) {
      return where + " did not exist: the clocks went from " + ClockText(reading.gapStart) +
             " straight to " + ClockText(reading.gapEnd) + offsets + " Check the time of birth.";
    }
    return where + SkippedDaysText(reading) + offsets + " Check the date of birth.";
  }
  if (reading.kind == LocalTimeKind::Doubled) {
    const bool firstIsDaylight = reading.first.offsetSeconds > reading.second.offsetSeconds;
    const ClockReading& day = firstIsDaylight ? reading.first : reading.second;
    const ClockReading& standard = firstIsDaylight ? reading.second : reading.first;
    std::string text =
        where + " happened twice: " + ReadingText(day) + ", and " + ReadingText(standard) + ".";
    if (!summerHow.empty() && !standardHow.empty()) {
      text += " Choose " + std::string(summerHow) + " for the summer-time reading or " +
              std::string(standardHow) + " for the standard one.";
    }
    return text;
  }
  return {};
}

}  // namespace orvanta
