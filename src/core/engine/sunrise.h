// Sunrise and sunset at the birth place for one civil date.
//
// Method: the sunrise algorithm of the US Naval Observatory's Almanac for
// Computers (1990), in radians with the program's own rounded constants, for
// a zenith distance of 90°50' (upper limb, refraction). Inputs are the civil
// date, the place in degrees and minutes, the signed zone shift and the
// daylight-saving tick (one hour ahead when set); outputs are the sunrise and
// sunset of the solar day of the input date at the place's longitude, each as
// the local date and clock time at which it happens, to the minute (a sunset
// after midnight, or the events of a zone far from the place's meridian, fall
// on the day before or after the input date).
#pragma once

#include <optional>

#include "model/birth.h"
#include "model/datetime.h"
#include "model/records.h"

namespace orvanta {

struct SunriseInput {
  int month = 1, day = 1, year = 2000;
  GeoPosition position;
  // The clock the events are told in (its offset and daylight-saving tick;
  // the tick puts the clock one hour ahead on every date).
  Clock clock;
};

// The sunrise call for one civil date at the birth place, in the birth's
// clock.
SunriseInput SunriseInputFor(const Birth& birth, LocalDateTime date);

// The two events of one call. Where the sun does not rise (or set) on that
// date at that latitude the event is absent; the rise is computed first, so
// when it fails the set is absent too. Callers keep their previous values
// for absent events.
struct SunEvents {
  std::optional<LocalDateTime> rise;
  std::optional<LocalDateTime> set;
};

SunEvents SunEventsOf(const SunriseInput& in);

// Quadrant arctangent with pi as 3.14159265358979.
double Sun_Atan2(double y, double x);

// Clock minutes after midnight (0..1440) of an event `hours` (0 to 24.00003,
// a rounded full turn) after local midnight: the hour part, and the minute
// part rounded to the nearest minute. A minute part of 60 carries into the
// next hour; 24:00 is 1440, midnight of the next day. A non-finite or
// negative value gives 0.
int ClockMinutesOfHours(double hours);

}  // namespace orvanta
