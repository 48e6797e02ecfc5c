// A saved birth as the births database holds it, checked against what the
// birth-data form can show before anything is filled in or computed.
//
// The database keeps each birth as the form left it: list positions (month,
// zone), the list and box texts (day, year, hour, minute, second, degrees
// and minutes), the option buttons and the daylight-saving tick as 0 or 1,
// and an exact offset east of Greenwich when the clock came from the
// time-zone history. A value the form has no place for (a year after the
// year list, a zone position past the 71 zones, an offset of 900 minutes, a
// missing hemisphere) would otherwise turn into another birth without a
// word: the form would keep its previous year, fall back to Greenwich, or
// pick South. Here every stored value is checked, and the first one the form
// cannot show is named; nothing is read from such a birth.
//
// The ranges are those of the form and of the births file's columns
// (io/birth_fields.h, io/validation.h, tables/zones.h), so that a birth
// the import or the Save command keeps always opens.
#pragma once

#include <string>

#include "io/birth_entries.h"
#include "io/birth_fields.h"

namespace orvanta {

// One stored value with the kind the database gave it.
struct StoredValue {
  enum class Kind { Null, Integer, Real, Text, Blob };
  Kind kind = Kind::Null;
  long long integer = 0;  // the value of an Integer
  std::string text;       // the UTF-8 text of a Text

  static StoredValue Integer(long long value) { return {Kind::Integer, value, {}}; }
  static StoredValue Text(std::string value) { return {Kind::Text, 0, std::move(value)}; }
};

// The columns of a saved birth that the form shows, as stored.
struct StoredBirth {
  StoredValue name;
  StoredValue monthIndex;  // 0 = January
  StoredValue dayText, yearText, hourText, minuteText, secondText;
  StoredValue city, state, country;
  StoredValue latDeg, latMin, north;  // north: 1 North, 0 South
  StoredValue lonDeg, lonMin, east;   // east: 1 East, 0 West
  StoredValue zoneIndex;              // list position; -1 with an exact offset
  StoredValue dst;                    // 1 ticked, 0 not
  StoredValue tzName;                 // the resolved zone's name, or empty
  StoredValue utcOffsetMinutes;       // minutes east of Greenwich, or NULL
};

// The form's entries of a stored birth (the zone's name in `zoneName`), or
// the first value the form cannot show, named in words that follow "The
// saved birth cannot be opened: " ("its year 2051 is outside the form's
// years 1901–2050"). The checks: every value present and of its kind; the
// list positions within the lists; the day, year and time texts numbers of
// their lists; the degrees and minutes within the form's ranges; the flags 0
// or 1; the offset within the widest clocks; the name within its length;
// and, last, the form's own checks of the whole birth (31 April).
Parsed<FormEntries> EntriesOfStoredBirth(const StoredBirth& stored);

}  // namespace orvanta
