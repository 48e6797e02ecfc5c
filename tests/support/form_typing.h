// The form's entries a user leaves when typing a births-file row or the
// command line's options into the birth-data form: the month as a list
// position, the other list texts as plain decimals ("5", not "05"), degrees
// and minutes as typed, the hemispheres as the option buttons; or the first
// malformed field. Tests hold the program's one reader of those texts
// (BirthOfFields) against the form's reading of the same birth.
#pragma once

#include <string>
#include <utility>

#include "io/birth_entries.h"
#include "io/birth_fields.h"
#include "io/offset_text.h"

namespace orvanta::testing {

inline Parsed<FormEntries> Refused(std::string message) {
  return {std::nullopt, std::move(message)};
}

inline Parsed<FormEntries> TypedIntoForm(const BirthFields& fields) {
  const auto date = ParseDate(fields.date);
  if (!date.value) return Refused(date.error);
  const auto time = ParseTime(fields.time);
  if (!time.value) return Refused(time.error);
  const auto lat = ParseCoordinate(fields.lat, 'N', 'S', "latitude");
  if (!lat.value) return Refused(lat.error);
  const auto lon = ParseCoordinate(fields.lon, 'E', 'W', "longitude");
  if (!lon.value) return Refused(lon.error);
  const auto zone = ParseZone(fields.zone);
  if (!zone.value) return Refused(zone.error);
  const auto dst = ParseDst(fields.dst);
  if (!dst.value) return Refused(dst.error);
  const auto offset = ParseOffsetSeconds(fields.offset);
  if (!offset.value) return Refused(offset.error);

  // The lists of the form hold plain decimal texts ("5", not "05").
  FormEntries e;
  e.name = fields.name;
  e.city = fields.city;
  e.state = fields.state;
  e.country = fields.country;
  e.monthIndex = date.value->month - 1;
  e.dayText = std::to_string(date.value->day);
  e.yearText = std::to_string(date.value->year);
  e.hourText = std::to_string(time.value->hour);
  e.minuteText = std::to_string(time.value->minute);
  e.secondText = std::to_string(time.value->second);
  e.latDeg = lat.value->degreesText;
  e.latMin = lat.value->minutesText;
  e.north = lat.value->positive;
  e.lonDeg = lon.value->degreesText;
  e.lonMin = lon.value->minutesText;
  e.east = lon.value->positive;
  // An exact offset with no zone leaves the zone list unselected, as the
  // form does.
  e.zoneIndex = *offset.value && TrimField(fields.zone).empty() ? -1 : *zone.value;
  e.daylightTick = *dst.value;
  if (*offset.value) SetExactOffset(e, **offset.value);
  return {std::move(e), {}};
}

}  // namespace orvanta::testing
