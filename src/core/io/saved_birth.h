// A saved birth as the births database holds it, checked against what the
// birth-data form can show before anything is filled in or computed.
//
// Files of version 3 keep each birth as its numbers (StoredTypedBirth): the
// local date and time with seconds, the position in whole degrees and
// minutes with its hemispheres, and the clock (offset east in seconds, the
// tick, the summer-time reading, the tz zone, the zone-list row, where the
// clock came from). BirthOfStoredRow reads such a row into a Birth and
// StoredRowOf writes one; the two are each other's inverse.
//
// Files of versions 1 and 2 kept each birth as the form left it: list
// positions (month, zone), the list and box texts (day, year, hour, minute,
// second, degrees and minutes), the option buttons and the daylight-saving
// tick as 0 or 1, and an exact offset east of Greenwich when the clock came
// from the time-zone history (StoredBirth). They are read to migrate them,
// and to open them as they are when they cannot be written. A value the form has no place for (a
// year after the year list, a zone position past the 71 zones, an offset of 900 minutes, a missing
// hemisphere) would otherwise turn into another birth without a word: the form would keep its
// previous year, fall back to Greenwich, or pick South. Here every stored value is checked, and the
// first one the form cannot show is named; nothing is read from such a birth.
//
// The ranges are those of the form and of the births file's columns
// (io/birth_fields.h, io/validation.h, tables/zones.h), so that a birth
// the import or the Save command keeps always opens.
#pragma once

#include <string>

#include "io/birth_entries.h"
#include "io/birth_fields.h"
#include "model/birth.h"

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

// The columns of a saved birth of version 3, as stored.
struct StoredTypedBirth {
  StoredValue name;
  StoredValue city, state, country;
  StoredValue birthDate;              // "1980-06-15": the local date, ISO 8601
  StoredValue birthTime;              // "10:30:00": the local clock reading, ISO 8601
  StoredValue latDeg, latMin, north;  // whole degrees 0..89, minutes 0..59; north 1, south 0
  StoredValue lonDeg, lonMin, east;   // whole degrees 0..179, minutes 0..59; east 1, west 0
  StoredValue offsetSeconds;          // the clock's offset east of Greenwich, without the tick
  StoredValue daylightTick;           // 1 ticked, 0 not
  StoredValue summerTime;             // 1 summer time, 0 standard, NULL not known
  StoredValue tzName;                 // "Asia/Kathmandu", or empty
  StoredValue zoneRow;                // the zone list's row 0..70, or NULL
  StoredValue clockSource;            // a ClockSourceKey
};

// The stored name of where a clock came from ("zone-row", "zone-history",
// "local-mean-time", "city-time", "given-offset"), and back.
std::string_view ClockSourceKey(ClockSource source);
std::optional<ClockSource> ClockSourceOfKey(std::string_view key);

// "1980-06-15" and "10:30:00" of a local date-time.
std::string IsoDateOf(LocalDateTime local);
std::string IsoTimeOf(LocalDateTime local);

// The row that keeps `birth`. A NULL summer time is written only by the
// migration of an older file, which did not keep the reading.
StoredTypedBirth StoredRowOf(const Birth& birth);

// The birth of a stored row, or the first value the form cannot show, named
// in words that follow "The saved birth cannot be opened: ", as
// EntriesOfStoredBirth names them. The checks: every value present and of
// its kind; the date a real date of the form's years and the time a real
// clock reading; the degrees and minutes within the form's ranges; the flags
// 0 or 1; the offset within the widest clocks; the zone row within the list
// and its offset the row's own; the clock's source one of the known ones;
// the name within its length; and, last, the form's own checks.
Parsed<Birth> BirthOfStoredRow(const StoredTypedBirth& stored);

// Between the form's entries and a birth, while the form still speaks in
// entries. The entries must have passed the form's checks (ReadBirth);
// nothing when a text is not a number. An exact offset decides the clock
// over any zone row, as in the chart; a zone row chosen from a tz zone keeps
// both.
std::optional<Birth> BirthOfFormEntries(const FormEntries& entries);
// The form's entries of a birth: a clock with seconds (a city's own clock,
// the mean time of the place) keeps them in the entries' exact offset, and
// its caption with them. Never refused today; the status stays for callers
// that check.
Parsed<FormEntries> FormEntriesOfBirth(const Birth& birth);

}  // namespace orvanta
