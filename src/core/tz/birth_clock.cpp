#include "tz/birth_clock.h"

#include "tz/city_times.h"

namespace orvanta {

namespace {

// The tz database's name for the mean time of a zone's own city.
inline constexpr std::string_view kLocalMeanTimeAbbreviation = "LMT";

// An abbreviation that is a name ("IST", "EDT"), not the offset again
// ("+0545").
bool IsNamedAbbreviation(std::string_view abbreviation) {
  return !abbreviation.empty() && abbreviation.front() != '+' && abbreviation.front() != '-';
}

ClockOption CityClockOf(const CityTime& row, std::string_view zoneName) {
  ClockOption option;
  option.clock.offsetSeconds = row.offsetSeconds;
  option.clock.zoneName = std::string(zoneName);
  option.clock.source = ClockSource::CityTime;
  option.caption = std::string(row.name) + ", " + FormatUtcOffset(row.offsetSeconds) +
                   ", the city's own clock until " + std::to_string(row.untilYear);
  return option;
}

ClockOption MeanTimeClockOf(const GeoPosition& position, std::string_view zoneName) {
  ClockOption option;
  option.clock = LocalMeanTimeClock(position);
  option.clock.zoneName = std::string(zoneName);
  option.caption = "local mean time at " + LongitudeCaption(position.longitude) + ", " +
                   FormatUtcOffset(option.clock.offsetSeconds);
  return option;
}

}  // namespace

std::string CaptionOfKeptClock(const Birth& birth) {
  const Clock& clock = birth.clock;
  if (clock.source == ClockSource::LocalMeanTime) {
    const ClockOption mean = MeanTimeClockOf(birth.position, clock.zoneName);
    return mean.clock.offsetSeconds == clock.offsetSeconds ? mean.caption : std::string{};
  }
  if (clock.source == ClockSource::CityTime) {
    const std::optional<CityTime> row =
        CityTimeAt(clock.zoneName, birth.position, LocalMoment(birth));
    if (row && row->offsetSeconds == clock.offsetSeconds)
      return CityClockOf(*row, clock.zoneName).caption;
  }
  return {};
}

Clock KeptClockOf(const ClockOption& option) {
  Clock clock = option.clock;
  clock.daylightTick = false;
  const bool ownClock =
      clock.source == ClockSource::CityTime || clock.source == ClockSource::LocalMeanTime;
  clock.caption = ownClock ? option.caption : std::string{};
  return clock;
}

std::string LongitudeCaption(const ArcAngle& longitude) {
  std::string text = std::to_string(longitude.degrees);
  text += "\u00B0";
  if (longitude.minutes < 10) text += '0';
  text += std::to_string(longitude.minutes);
  text += "\u2032 ";
  text += longitude.positive ? 'E' : 'W';
  return text;
}

ClockOption TzClockOf(const ZoneResolution& r) {
  ClockOption option;
  option.clock.offsetSeconds = r.reading.offsetSeconds;
  option.clock.summerTime = r.reading.summerTime;
  option.clock.zoneName = r.zoneName;
  option.clock.zoneRow = r.zoneIndex;
  option.clock.source = ClockSource::ZoneHistory;
  option.caption = r.zoneName + ", " + FormatUtcOffset(r.reading.offsetSeconds) +
                   (r.reading.summerTime ? ", summer time" : ", standard time");
  if (IsNamedAbbreviation(r.reading.abbreviation))
    option.caption += " (" + r.reading.abbreviation + ")";
  return option;
}

BirthClock BirthClockOf(ZoneHistory& history, const BirthClockQuery& query,
                        ClockPreference preference) {
  BirthClock result;
  result.tz = ResolveZone(history, query.zoneName, query.local, query.doubled);
  if (!result.tz.resolution) return result;
  const ZoneResolution& r = *result.tz.resolution;
  ClockOption tz = TzClockOf(r);

  // The place's own clock, where it differs from the tz reading.
  std::optional<ClockOption> own;
  if (query.placeFromAtlas && !r.reading.summerTime) {
    if (const std::optional<CityTime> city =
            CityTimeAt(query.zoneName, query.position, query.local))
      own = CityClockOf(*city, query.zoneName);
  }
  if (!own && r.reading.abbreviation == kLocalMeanTimeAbbreviation) {
    ClockOption meanTime = MeanTimeClockOf(query.position, query.zoneName);
    // At the zone's own city the two are one clock, named for the place.
    if (meanTime.clock.offsetSeconds == tz.clock.offsetSeconds) {
      result.clock = std::move(meanTime);
      return result;
    }
    own = std::move(meanTime);
  }
  if (!own) {
    result.clock = std::move(tz);
    return result;
  }
  if (preference == ClockPreference::City) {
    result.clock = std::move(own);
    result.alternative = std::move(tz);
  } else {
    result.clock = std::move(tz);
    result.alternative = std::move(own);
  }
  return result;
}

}  // namespace orvanta
