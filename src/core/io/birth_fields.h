// One birth as the texts a user gives it: the options of the command line,
// the columns of a births file. Each text is checked for its shape (a date
// is YYYY-MM-DD with month 1..12 and day 1..31, a year lies in the form's
// list 1901..2050) and read straight into the birth's numbers
// (BirthOfFields). Whether they make a birth the form accepts (31 April,
// 95 degrees of latitude) is decided by the form's own checks, with their
// messages, in the same order.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "io/birth_entries.h"

namespace orvanta {

// The form's year list runs from 1901 to 2050.
inline constexpr int kFirstYear = 1901;
inline constexpr int kLastYear = 2050;
// The exact offsets a birth may carry, in minutes east of Greenwich: the
// widest clocks ever kept, 12 hours west to 14 hours east.
inline constexpr int kMostWestOffsetMinutes = -12 * 60;
inline constexpr int kMostEastOffsetMinutes = 14 * 60;

// A value, or the reason why there is none.
template <typename T>
struct Parsed {
  std::optional<T> value;
  std::string error;  // set exactly when value is empty
};

// One birth as texts, from options or from a batch row.
struct BirthFields {
  std::string name, date, time, lat, lon, zone, dst, city, state, country;
  std::string place;   // "City[, State], Country", looked up in the atlas
  std::string tz;      // tz database zone name, "Europe/Madrid"
  std::string offset;  // exact offset east of Greenwich in minutes, "345"
  std::string note;    // the user's note on a saved birth; no part of the chart
};

struct CalendarDate {
  int year = 0, month = 0, day = 0;  // month 1..12, day 1..31 (not checked against the month)
};
struct ClockTime {
  int hour = 0, minute = 0, second = 0;
};
// Astrological notation "28N36": degrees, hemisphere letter, minutes; the
// digits as typed and their values (capped at kNumberCap, so that a run of
// twenty digits is a value the checks refuse, not an overflow).
struct CoordinateTexts {
  std::string degreesText;
  std::string minutesText;
  bool positive = true;  // North or East: the first option button
  long degrees = 0;
  long minutes = 0;
};

Parsed<CalendarDate> ParseDate(std::string_view text);
Parsed<ClockTime> ParseTime(std::string_view text);
// `positive` and `negative` are the upper-case hemisphere letters ('N', 'S'
// or 'E', 'W'); the lower-case letters are accepted as well.
Parsed<CoordinateTexts> ParseCoordinate(std::string_view text, char positive, char negative,
                                        std::string_view what);
// List position 0..70, or an abbreviation unique in the zone list (either
// case); empty gives the form's default, Greenwich Mean Time.
Parsed<int> ParseZone(std::string_view text);
// 1/0, true/false, yes/no (either case) or empty (false).
Parsed<bool> ParseDst(std::string_view text);

// The abbreviation of zone `listIndex` ("IST" for "Indian Time, IST, +5.3");
// empty outside the list.
std::string_view ZoneAbbreviation(int listIndex);

// An exact offset east of Greenwich in whole minutes, -720..840 ("345" for
// +5:45, "-210" for -3:30); empty gives none.
Parsed<std::optional<int>> ParseOffset(std::string_view text);

// One birth read from its texts straight into numbers, or the first
// malformed field (date, time, latitude, longitude, zone, dst, offset). The
// reading carries the form's refusal where the values are well formed but
// no birth the form accepts (an empty name, 31 April, 95 degrees of
// latitude); its birth is filled all the same, so that a refusal can name
// it. Where `placePosition` is given, an empty latitude or longitude takes
// the place's.
Parsed<BirthReading> BirthOfFields(const BirthFields& fields,
                                   const GeoPosition* placePosition = nullptr);

// The local clock reading of a birth whose date exists in the calendar
// (not 31 April, nor 29 February of a common year); nothing otherwise.
std::optional<LocalDateTime> ExistingLocalTime(const CivilTime& local);

// A user's text quoted inside a message, cut short if it is very long. The
// message stays one line of printable text whatever the user gave: control
// characters (a line break, a terminal escape) and bytes that are not UTF-8
// are shown as \xNN, and the cut never splits a character. A file's path
// is shown whole (kWholeText).
inline constexpr std::size_t kShownTextChars = 40;
inline constexpr std::size_t kWholeText = static_cast<std::size_t>(-1);
std::string QuotedForMessage(std::string_view text, std::size_t shownChars = kShownTextChars);

// The text without the spaces and tabs around it (a field of a row, an
// option's value).
std::string_view TrimField(std::string_view text);

// A run of 1..maxDigits decimal digits read as a number; nothing for any
// other text.
std::optional<int> SmallNumber(std::string_view text, std::size_t maxDigits);

}  // namespace orvanta
