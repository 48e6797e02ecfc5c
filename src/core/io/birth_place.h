// The birth-data entries an atlas place and a resolved zone give.
//
// FillPlace writes the city, state and country and both coordinates, rounded
// to the minute, with their hemispheres; FillZone writes the zone row (or the
// exact offset when no row has it) and leaves the daylight-saving tick off,
// since the resolved offset already holds the daylight hour.
#pragma once

#include <optional>
#include <string>

#include "atlas/atlas.h"
#include "io/birth_entries.h"
#include "model/datetime.h"
#include "tz/zone_resolution.h"

namespace orvanta {

void FillPlace(FormEntries& entries, const Place& place);
void FillCoordinates(FormEntries& entries, const FormCoordinates& c);
void FillZone(FormEntries& entries, const ZoneResolution& resolution);

// The local birth date and time the entries hold (seconds left out), or no
// value when they hold no valid date.
std::optional<LocalDateTime> LocalBirthTime(const FormEntries& entries);

// The birth place's coordinates as the entries hold them, in degrees (north
// and east positive), or no value while a box is empty or outside the form's
// range (latitude 0..89, longitude 0..179 degrees, minutes 0..59).
struct TypedPosition {
  double latitudeDeg = 0;
  double longitudeDeg = 0;
};
std::optional<TypedPosition> TypedPositionOf(const FormEntries& entries);

}  // namespace orvanta
