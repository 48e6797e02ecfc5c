// Sunrise and sunset at the birth place for one civil date.
//
// Method: the sunrise algorithm of the US Naval Observatory's Almanac for
// Computers (1990), in radians with the program's own rounded constants, for
// a zenith distance of 90°50' (upper limb, refraction). Inputs are the civil
// date, a clock time for the daylight-saving rule, the place in degrees and
// minutes and the signed zone shift; outputs are local clock times on the
// input date, to the minute.
#pragma once

#include <optional>

#include "model/datetime.h"
#include "model/records.h"

namespace orvanta {

struct SunriseInput {
  int month = 1, day = 1, year = 2000;
  int hour = 0, minute = 0;  // only for the daylight-saving rule
  int latDeg = 0, latMin = 0;
  bool south = false;
  int lonDeg = 0, lonMin = 0;
  bool east = true;
  int zoneShiftHours = 0, zoneShiftMinutes = 0;  // ZoneShiftHours/ZoneShiftMinutes
  bool dst = false;
};

// The sunrise call for one civil date at the birth place: the birth's clock
// time (for the daylight-saving rule), place, signed zone shift and flag.
SunriseInput SunriseInputFor(const BirthDetails& birth, LocalDateTime date);

// The two events of one call. Where the sun does not rise (or set) on that
// date at that latitude the event is absent; the rise is computed first, so
// when it fails the set is absent too. Callers keep their previous values
// for absent events.
struct SunEvents {
  std::optional<LocalDateTime> rise;
  std::optional<LocalDateTime> set;
};

SunEvents SunRise_SunSet(const SunriseInput& in);

// 1 when daylight saving (first Sunday of April to last Sunday of October,
// changing at 02:00) is in force; weekday with Sunday = 0.
int DST_In_Effect(int day, int weekday, int month, int hour, int minute);

// Quadrant arctangent with pi as 3.14159265358979.
double Sun_Atan2(double y, double x);

// Clock minutes after midnight (0..1439) of an event `hours` after local
// midnight: the hour part, and the minute part rounded to the nearest minute.
// A minute part of 60 carries into the next hour; 24:00 becomes 00:00 of the
// same date. A non-finite value gives 0.
int ClockMinutesOfHours(double hours);

}  // namespace orvanta
