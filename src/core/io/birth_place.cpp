#include "io/birth_place.h"

#include <chrono>

#include "tables/zones.h"

namespace orvanta {

void FillCoordinates(FormEntries& e, const FormCoordinates& c) {
  e.latDeg = std::to_string(c.latDeg);
  e.latMin = std::to_string(c.latMin);
  e.north = c.north;
  e.lonDeg = std::to_string(c.lonDeg);
  e.lonMin = std::to_string(c.lonMin);
  e.east = c.east;
}

void FillPlace(FormEntries& e, const Place& place) {
  e.city = place.name;
  e.state = place.state;
  e.country = place.country;
  FillCoordinates(e, CoordinatesToMinute(place.latitudeDeg, place.longitudeDeg));
}

void FillZone(FormEntries& e, const ZoneResolution& r) {
  e.exactOffsetSeconds.reset();
  e.clockCaption.clear();
  e.clockSource.reset();
  if (r.zoneIndex) {
    e.zoneIndex = *r.zoneIndex;
    e.exactOffsetMinutes.reset();
  } else {
    e.exactOffsetMinutes = r.offsetMinutes;
    if (r.reading.offsetSeconds % 60 != 0) e.exactOffsetSeconds = r.reading.offsetSeconds;
  }
  e.daylightTick = false;
  e.zoneName = r.zoneName;
  e.summerTime = r.reading.summerTime;
}

std::optional<LocalDateTime> LocalBirthTime(const FormEntries& e) {
  const auto day = PlainWholeNumber(e.dayText);
  const auto year = PlainWholeNumber(e.yearText);
  const auto hour = PlainWholeNumber(e.hourText);
  const auto minute = PlainWholeNumber(e.minuteText);
  if (!day || !year || !hour || !minute || e.monthIndex < 0 || e.monthIndex > 11)
    return std::nullopt;
  if (*year < 1 || *year > 9999 || *hour > 23 || *minute > 59) return std::nullopt;
  const std::chrono::year_month_day ymd{
      std::chrono::year{static_cast<int>(*year)},
      std::chrono::month{static_cast<unsigned>(e.monthIndex + 1)},
      std::chrono::day{static_cast<unsigned>(*day > 31 ? 0 : *day)}};
  if (!ymd.ok()) return std::nullopt;
  return MakeDateTime(static_cast<int>(*year), e.monthIndex + 1, static_cast<int>(*day),
                      static_cast<int>(*hour), static_cast<int>(*minute));
}

std::optional<TypedPosition> TypedPositionOf(const FormEntries& e) {
  const auto latDeg = PlainWholeNumber(e.latDeg);
  const auto latMin = PlainWholeNumber(e.latMin);
  const auto lonDeg = PlainWholeNumber(e.lonDeg);
  const auto lonMin = PlainWholeNumber(e.lonMin);
  auto within = [](const std::optional<long>& n, long most) { return n && *n >= 0 && *n <= most; };
  if (!within(latDeg, 89) || !within(latMin, 59) || !within(lonDeg, 179) || !within(lonMin, 59))
    return std::nullopt;
  const double latitudeDeg = static_cast<double>(*latDeg) + static_cast<double>(*latMin) / 60.0;
  const double longitudeDeg = static_cast<double>(*lonDeg) + static_cast<double>(*lonMin) / 60.0;
  return TypedPosition{e.north ? latitudeDeg : -latitudeDeg, e.east ? longitudeDeg : -longitudeDeg};
}

}  // namespace orvanta
