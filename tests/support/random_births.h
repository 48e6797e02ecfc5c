// Births drawn from the birth-data form's whole input domain: every year of
// the list, every day 1..31 of every month (impossible dates included), any
// clock time with seconds, latitudes to 89°59' and longitudes to 179°59' on
// both hemispheres, the zones from `firstZone` (-1: no selection) to the
// last, daylight saving on and off. The same generator state gives the same
// births.
#pragma once

#include <random>
#include <string>

#include "io/birth_entries.h"
#include "tables/zones.h"

namespace orvanta::testing {

inline FormEntries RandomFormEntries(std::mt19937_64& rng, int firstZone = 0) {
  const auto pick = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
  };
  FormEntries e;
  e.name = "RANDOM";
  e.monthIndex = pick(1, 12) - 1;
  e.dayText = std::to_string(pick(1, 31));
  e.yearText = std::to_string(pick(1901, 2050));
  e.hourText = std::to_string(pick(0, 23));
  e.minuteText = std::to_string(pick(0, 59));
  e.secondText = std::to_string(pick(0, 59));
  e.latDeg = std::to_string(pick(0, 89));
  e.latMin = std::to_string(pick(0, 59));
  e.lonDeg = std::to_string(pick(0, 179));
  e.lonMin = std::to_string(pick(0, 59));
  e.north = pick(0, 1) == 1;
  e.east = pick(0, 1) == 1;
  e.zoneIndex = pick(firstZone, kZoneCount - 1);
  e.daylightTick = pick(0, 1) == 1;
  return e;
}

}  // namespace orvanta::testing
