// Births the tests and benchmarks share.
#pragma once

#include "io/birth_entries.h"

namespace orvanta::reference {

inline constexpr int kIndianTimeZone = 34;  // "Indian Time, IST, +5.3"

// New Delhi, 15 June 1980, 10:30 IST, 28°36' N 77°12' E: the project's
// reference birth (sunrise 05:23, sunset 19:20; Indu Lagna in Scorpio).
inline FormEntries DelhiBirth() {
  FormEntries e;
  e.name = "ARJUN MEHTA";
  e.city = "New Delhi";
  e.state = "Delhi";
  e.country = "India";
  e.monthIndex = 5;
  e.dayText = "15";
  e.yearText = "1980";
  e.hourText = "10";
  e.minuteText = "30";
  e.latDeg = "28";
  e.latMin = "36";
  e.lonDeg = "77";
  e.lonMin = "12";
  e.east = true;
  e.north = true;
  e.zoneIndex = kIndianTimeZone;
  return e;
}

}  // namespace orvanta::reference
