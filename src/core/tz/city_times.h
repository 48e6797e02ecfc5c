// City clocks the tz database leaves out: the mean times some cities kept
// for years after their country's standard time, which the tz database
// merges into the country's zone.
//
// Each row is one city's clock: its offset east of Greenwich to the second,
// the local dates between which it was the city's civil time, the tz zone it
// is merged into, and the area it applies to (the city's centre and a radius
// around it). The sources of each fact are given beside the table in
// city_times.cpp. A row applies only where the tz zone gives its standard
// time: war time and summer time are kept as the tz history records them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/birth.h"
#include "model/datetime.h"

namespace orvanta {

struct CityTime {
  std::string_view name;      // "Bombay Time"
  std::string_view city;      // "Mumbai", the atlas name of its city
  std::string_view zoneName;  // the tz zone it is merged into, "Asia/Kolkata"
  double latitudeDeg = 0;     // the city's centre, north positive
  double longitudeDeg = 0;    // east positive
  double radiusKm = 0;        // the area: the centre and this far around it
  int offsetSeconds = 0;      // east of Greenwich
  int fromYear = 0;           // in civil use from 1 January of this year ...
  int untilYear = 0;          // ... until 1 January of this one (local clock)
};

// The table, in the order of the documentation.
std::span<const CityTime> CityTimes();

// The great-circle distance in kilometres between two points given in
// degrees (north and east positive), on a sphere of the Earth's mean radius.
double DistanceKm(double latitudeDeg1, double longitudeDeg1, double latitudeDeg2,
                  double longitudeDeg2);

// The city clock of a birth at `position` in tz zone `zoneName` with the
// local clock reading `local`, or nothing where no row's area, zone and
// period hold it. `local` is read on the city's own clock; the period ends
// at midnight at the start of `untilYear`.
std::optional<CityTime> CityTimeAt(std::string_view zoneName, const GeoPosition& position,
                                   LocalDateTime local);

}  // namespace orvanta
