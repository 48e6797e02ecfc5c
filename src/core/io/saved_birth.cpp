#include "io/saved_birth.h"

#include <array>
#include <cstdio>

#include "io/offset_text.h"
#include "io/validation.h"
#include "model/whole_number.h"
#include "tables/zones.h"
#include "tz/birth_clock.h"

namespace orvanta {

namespace {

// The form's lists and boxes, first and last value.
struct Range {
  long first = 0, last = 0;
};
inline constexpr Range kMonthPositions{0, 11};
inline constexpr Range kDays{1, 31};
inline constexpr Range kYears{kFirstYear, kLastYear};
inline constexpr Range kHours{0, 23};
inline constexpr Range kMinutes{0, 59};  // minutes and seconds of the time, minutes of an angle
inline constexpr Range kLatDegrees{0, 89};
inline constexpr Range kLonDegrees{0, 179};
inline constexpr Range kZonePositions{0, kZoneCount - 1};
inline constexpr Range kOffsets{kMostWestOffsetMinutes, kMostEastOffsetMinutes};
inline constexpr Range kOffsetSeconds{kMostWestOffsetMinutes * 60L, kMostEastOffsetMinutes * 60L};
inline constexpr Range kMonths{1, 12};

// "1901–2050" (an en dash).
std::string Span(Range r) {
  return std::to_string(r.first) + "\u2013" + std::to_string(r.last);
}

// What is wrong with a value's kind for a column `what` of the given kind,
// or nothing when it is of that kind.
std::optional<std::string> KindProblem(const StoredValue& v, StoredValue::Kind wanted,
                                       const std::string& what) {
  if (v.kind == wanted) return std::nullopt;
  if (v.kind == StoredValue::Kind::Null) return "its " + what + " is missing";
  return wanted == StoredValue::Kind::Text ? "its " + what + " is not text"
                                           : "its " + what + " is not a whole number";
}

// A text, or what is wrong with it.
Parsed<std::string> TextOf(const StoredValue& v, const std::string& what) {
  if (auto problem = KindProblem(v, StoredValue::Kind::Text, what)) return {{}, *problem};
  return {v.text, {}};
}

// A whole number within `range`, or what is wrong with it. `shown` says how
// the range is named ("the form's zones 0–70").
Parsed<long long> IntegerIn(const StoredValue& v, Range range, const std::string& what,
                            const std::string& shown) {
  if (auto problem = KindProblem(v, StoredValue::Kind::Integer, what)) return {{}, *problem};
  if (v.integer < range.first || v.integer > range.last) {
    return {{}, "its " + what + " " + std::to_string(v.integer) + " is outside " + shown};
  }
  return {v.integer, {}};
}

// The 0/1 of an option or tick.
Parsed<bool> FlagOf(const StoredValue& v, const std::string& what, const std::string& meaning) {
  if (auto problem = KindProblem(v, StoredValue::Kind::Integer, what)) return {{}, *problem};
  if (v.integer != 0 && v.integer != 1) {
    return {
        {},
        "its " + what + " " + std::to_string(v.integer) + " is neither 1 nor 0 (" + meaning + ")"};
  }
  return {v.integer == 1, {}};
}

// A number text of a list or box within `range`: digits and nothing else
// (blanks around them as the form trims), the text kept as stored.
Parsed<std::string> NumberTextIn(const StoredValue& v, Range range, const std::string& what,
                                 const std::string& shown) {
  Parsed<std::string> text = TextOf(v, what);
  if (!text.value) return text;
  const std::optional<long> number = PlainWholeNumber(*text.value);
  if (!number) {
    return {{},
            "its " + what + " " + QuotedForMessage(*text.value) + " is not a number of " + shown};
  }
  if (*number < range.first || *number > range.last) {
    return {{},
            "its " + what + " " +
                (*number >= kNumberCap ? QuotedForMessage(*text.value) : std::to_string(*number)) +
                " is outside " + shown};
  }
  return text;
}

}  // namespace

Parsed<FormEntries> EntriesOfStoredBirth(const StoredBirth& s) {
  FormEntries e;
  std::string problem;
  // Takes a checked value into the entries, or keeps the first problem.
  const auto take = [&problem](auto parsed, auto& into) {
    if (!problem.empty()) return;
    if (!parsed.value) {
      problem = parsed.error;
      return;
    }
    into = std::move(*parsed.value);
  };

  take(TextOf(s.name, "name"), e.name);
  if (problem.empty()) {
    if (TrimBlanks(e.name).empty()) {
      problem = "its name is empty";
    } else if (const std::size_t count = CharacterCount(e.name); count > kMaxNameChars) {
      problem = "its name has " + std::to_string(count) + " characters, more than the " +
                std::to_string(kMaxNameChars) + " a name may have";
    }
  }
  long long month = 0;
  take(IntegerIn(s.monthIndex, kMonthPositions, "month (list position)",
                 "the form's months " + Span(kMonthPositions) + " (January to December)"),
       month);
  e.monthIndex = static_cast<int>(month);
  take(NumberTextIn(s.dayText, kDays, "day", "the form's days " + Span(kDays)), e.dayText);
  take(NumberTextIn(s.yearText, kYears, "year", "the form's years " + Span(kYears)), e.yearText);
  // The year list cannot be typed into: only its own texts can be shown.
  if (problem.empty() && std::to_string(*PlainWholeNumber(e.yearText)) != e.yearText) {
    problem = "its year " + QuotedForMessage(e.yearText) + " is not written as the form's years " +
              Span(kYears) + " are";
  }
  take(NumberTextIn(s.hourText, kHours, "hour", "the form's hours " + Span(kHours)), e.hourText);
  take(NumberTextIn(s.minuteText, kMinutes, "minute", "the form's minutes " + Span(kMinutes)),
       e.minuteText);
  take(NumberTextIn(s.secondText, kMinutes, "second", "the form's seconds " + Span(kMinutes)),
       e.secondText);
  take(TextOf(s.city, "city"), e.city);
  take(TextOf(s.state, "state"), e.state);
  take(TextOf(s.country, "country"), e.country);
  take(NumberTextIn(s.latDeg, kLatDegrees, "latitude degrees",
                    "the form's latitudes " + Span(kLatDegrees)),
       e.latDeg);
  take(NumberTextIn(s.latMin, kMinutes, "latitude minutes", "the form's minutes " + Span(kMinutes)),
       e.latMin);
  take(FlagOf(s.north, "hemisphere of latitude", "North or South"), e.north);
  take(NumberTextIn(s.lonDeg, kLonDegrees, "longitude degrees",
                    "the form's longitudes " + Span(kLonDegrees)),
       e.lonDeg);
  take(
      NumberTextIn(s.lonMin, kMinutes, "longitude minutes", "the form's minutes " + Span(kMinutes)),
      e.lonMin);
  take(FlagOf(s.east, "hemisphere of longitude", "East or West"), e.east);
  take(FlagOf(s.dst, "daylight-saving tick", "ticked or not"), e.daylightTick);
  take(TextOf(s.tzName, "time-zone name"), e.zoneName);
  if (problem.empty() && s.utcOffsetMinutes.kind != StoredValue::Kind::Null) {
    long long offset = 0;
    take(IntegerIn(s.utcOffsetMinutes, kOffsets, "offset from Greenwich in minutes",
                   "the widest clocks, " + Span(kOffsets) + " minutes"),
         offset);
    e.exactOffsetMinutes = static_cast<int>(offset);
  }
  // The zone list shows no row while an exact offset decides the clock.
  if (problem.empty()) {
    const Range zones{e.exactOffsetMinutes ? -1 : kZonePositions.first, kZonePositions.last};
    long long zone = 0;
    take(IntegerIn(s.zoneIndex, zones, "zone (list position)",
                   "the form's zones " + Span(kZonePositions) +
                       (e.exactOffsetMinutes ? " (or -1 beside an exact offset)" : "")),
         zone);
    e.zoneIndex = static_cast<int>(zone);
  }
  // Last, the form's own checks of the whole birth: what they refuse (31
  // April) the form would refuse to compute.
  if (problem.empty()) {
    if (const std::optional<Refusal> refusal = ReadBirth(e).refusal) {
      problem = "the form refuses it (" + std::string(refusal->message) + ")";
    }
  }
  if (!problem.empty()) return {std::nullopt, problem};
  return {std::move(e), {}};
}

namespace {

struct SourceKey {
  ClockSource source;
  std::string_view key;
};
// The stored names of the clock's sources; a file keeps the name, so that a
// new source appends a row and no stored value changes its meaning.
inline constexpr std::array<SourceKey, 5> kSourceKeys = {{
    {ClockSource::ZoneRow, "zone-row"},
    {ClockSource::ZoneHistory, "zone-history"},
    {ClockSource::LocalMeanTime, "local-mean-time"},
    {ClockSource::CityTime, "city-time"},
    {ClockSource::GivenOffset, "given-offset"},
}};

// The offset of a zone row east of Greenwich in seconds (the row holds the
// correction towards Universal Time).
int RowOffsetSeconds(int row) {
  const ZoneEntry& entry = kZones[static_cast<std::size_t>(row)];
  return OffsetSecondsOfShift({entry.shiftHours, entry.shiftMinutes});
}

// The digits of `text` from `at` for `count` characters as a number, or
// nothing when one of them is no digit.
std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// Three numbers written as `shape` says ("YYYY-MM-DD" or "HH:MM:SS": the
// letters digits, the rest as written), or nothing.
std::optional<std::array<int, 3>> IsoParts(std::string_view text, std::string_view shape) {
  if (text.size() != shape.size()) return std::nullopt;
  std::array<int, 3> parts{};
  std::size_t part = 0;
  for (std::size_t i = 0; i < shape.size();) {
    if (shape[i] == '-' || shape[i] == ':') {
      if (text[i] != shape[i]) return std::nullopt;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < shape.size() && shape[end] == shape[i]) ++end;
    const std::optional<int> value = DigitsAt(text, i, end - i);
    if (!value || part == parts.size()) return std::nullopt;
    parts[part++] = *value;
    i = end;
  }
  return parts;
}

// A number within `range`, or what is wrong with it.
std::optional<std::string> OutsideProblem(long long value, Range range, const std::string& what,
                                          const std::string& shown) {
  if (value >= range.first && value <= range.last) return std::nullopt;
  return "its " + what + " " + std::to_string(value) + " is outside " + shown;
}

// "+5:45", "-3:30", "+5:41:16".
std::string ShownOffset(int seconds) {
  const int magnitude = seconds < 0 ? -seconds : seconds;
  std::string text = (seconds < 0 ? "-" : "+") + std::to_string(magnitude / 3600) + ":";
  char rest[8];
  std::snprintf(rest, sizeof rest, "%02d", magnitude % 3600 / 60);
  text += rest;
  if (magnitude % 60 != 0) {
    std::snprintf(rest, sizeof rest, ":%02d", magnitude % 60);
    text += rest;
  }
  return text;
}

}  // namespace

std::string_view ClockSourceKey(ClockSource source) {
  for (const SourceKey& k : kSourceKeys) {
    if (k.source == source) return k.key;
  }
  return kSourceKeys.front().key;
}

std::optional<ClockSource> ClockSourceOfKey(std::string_view key) {
  for (const SourceKey& k : kSourceKeys) {
    if (k.key == key) return k.source;
  }
  return std::nullopt;
}

std::string IsoDateOf(LocalDateTime local) {
  const CivilTime t = Split(local);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
  return text;
}

std::string IsoTimeOf(LocalDateTime local) {
  const CivilTime t = Split(local);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

StoredTypedBirth StoredRowOf(const Birth& b) {
  StoredTypedBirth s;
  s.name = StoredValue::Text(b.name);
  s.city = StoredValue::Text(b.city);
  s.state = StoredValue::Text(b.state);
  s.country = StoredValue::Text(b.country);
  s.birthDate = StoredValue::Text(IsoDateOf(LocalMoment(b)));
  s.birthTime = StoredValue::Text(IsoTimeOf(LocalMoment(b)));
  s.latDeg = StoredValue::Integer(b.position.latitude.degrees);
  s.latMin = StoredValue::Integer(b.position.latitude.minutes);
  s.north = StoredValue::Integer(b.position.latitude.positive ? 1 : 0);
  s.lonDeg = StoredValue::Integer(b.position.longitude.degrees);
  s.lonMin = StoredValue::Integer(b.position.longitude.minutes);
  s.east = StoredValue::Integer(b.position.longitude.positive ? 1 : 0);
  s.offsetSeconds = StoredValue::Integer(b.clock.offsetSeconds);
  s.daylightTick = StoredValue::Integer(b.clock.daylightTick ? 1 : 0);
  s.summerTime = StoredValue::Integer(b.clock.summerTime ? 1 : 0);
  s.tzName = StoredValue::Text(b.clock.zoneName);
  if (b.clock.zoneRow) s.zoneRow = StoredValue::Integer(*b.clock.zoneRow);
  s.clockSource = StoredValue::Text(std::string(ClockSourceKey(b.clock.source)));
  return s;
}

Parsed<Birth> BirthOfStoredRow(const StoredTypedBirth& s) {
  Birth b;
  std::string problem;
  const auto take = [&problem](auto parsed, auto& into) {
    if (!problem.empty()) return;
    if (!parsed.value) {
      problem = parsed.error;
      return;
    }
    into = std::move(*parsed.value);
  };
  const auto check = [&problem](std::optional<std::string> found) {
    if (problem.empty() && found) problem = std::move(*found);
  };

  take(TextOf(s.name, "name"), b.name);
  if (problem.empty()) {
    if (TrimBlanks(b.name).empty()) {
      problem = "its name is empty";
    } else if (const std::size_t count = CharacterCount(b.name); count > kMaxNameChars) {
      problem = "its name has " + std::to_string(count) + " characters, more than the " +
                std::to_string(kMaxNameChars) + " a name may have";
    }
  }
  // The date and the time, each written as ISO 8601 writes it.
  std::string dateText, timeText;
  take(TextOf(s.birthDate, "date"), dateText);
  std::optional<std::array<int, 3>> date;
  if (problem.empty()) {
    date = IsoParts(dateText, "YYYY-MM-DD");
    if (!date) problem = "its date " + QuotedForMessage(dateText) + " is not written YYYY-MM-DD";
  }
  if (date) {
    check(OutsideProblem((*date)[0], kYears, "year", "the form's years " + Span(kYears)));
    check(OutsideProblem((*date)[1], kMonths, "month", "the form's months " + Span(kMonths)));
    check(OutsideProblem((*date)[2], kDays, "day", "the form's days " + Span(kDays)));
  }
  take(TextOf(s.birthTime, "time"), timeText);
  std::optional<std::array<int, 3>> time;
  if (problem.empty()) {
    time = IsoParts(timeText, "HH:MM:SS");
    if (!time) problem = "its time " + QuotedForMessage(timeText) + " is not written HH:MM:SS";
  }
  if (time) {
    check(OutsideProblem((*time)[0], kHours, "hour", "the form's hours " + Span(kHours)));
    check(OutsideProblem((*time)[1], kMinutes, "minute", "the form's minutes " + Span(kMinutes)));
    check(OutsideProblem((*time)[2], kMinutes, "second", "the form's seconds " + Span(kMinutes)));
  }
  if (problem.empty()) {
    b.local = CivilTime{(*date)[0], (*date)[1], (*date)[2], (*time)[0], (*time)[1], (*time)[2]};
  }
  take(TextOf(s.city, "city"), b.city);
  take(TextOf(s.state, "state"), b.state);
  take(TextOf(s.country, "country"), b.country);
  // An angle's degrees and minutes, within their ranges.
  const auto angle = [&](const StoredValue& deg, const StoredValue& min, const StoredValue& flag,
                         Range degrees, const char* what, const char* hemispheres, ArcAngle& into) {
    long long d = 0, m = 0;
    const std::string name(what);
    take(IntegerIn(deg, degrees, name + " degrees", "the form's " + name + "s " + Span(degrees)),
         d);
    take(IntegerIn(min, kMinutes, name + " minutes", "the form's minutes " + Span(kMinutes)), m);
    take(FlagOf(flag, "hemisphere of " + name, hemispheres), into.positive);
    into.degrees = static_cast<std::int16_t>(d);
    into.minutes = static_cast<std::int16_t>(m);
  };
  angle(s.latDeg, s.latMin, s.north, kLatDegrees, "latitude", "North or South",
        b.position.latitude);
  angle(s.lonDeg, s.lonMin, s.east, kLonDegrees, "longitude", "East or West", b.position.longitude);
  // The clock.
  long long offset = 0;
  take(IntegerIn(s.offsetSeconds, kOffsetSeconds, "offset from Greenwich in seconds",
                 "the widest clocks, " + Span(kOffsetSeconds) + " seconds"),
       offset);
  b.clock.offsetSeconds = static_cast<int>(offset);
  take(FlagOf(s.daylightTick, "daylight-saving tick", "ticked or not"), b.clock.daylightTick);
  // Files before this version did not keep the reading: not known is read
  // as standard time, and the form finds it again from the zone.
  if (problem.empty() && s.summerTime.kind != StoredValue::Kind::Null) {
    take(FlagOf(s.summerTime, "summer-time reading", "summer or standard time"),
         b.clock.summerTime);
  }
  take(TextOf(s.tzName, "time-zone name"), b.clock.zoneName);
  if (problem.empty() && s.zoneRow.kind != StoredValue::Kind::Null) {
    long long row = 0;
    take(IntegerIn(s.zoneRow, kZonePositions, "zone (list position)",
                   "the form's zones " + Span(kZonePositions)),
         row);
    b.clock.zoneRow = static_cast<int>(row);
    // A row and an offset that disagree would give two clocks; neither is
    // taken over the other.
    if (problem.empty() && RowOffsetSeconds(*b.clock.zoneRow) != b.clock.offsetSeconds) {
      problem = "its offset " + ShownOffset(b.clock.offsetSeconds) + " is not that of its zone " +
                std::to_string(row) + " (" + ShownOffset(RowOffsetSeconds(*b.clock.zoneRow)) + ")";
    }
  }
  std::string sourceKey;
  take(TextOf(s.clockSource, "clock's source"), sourceKey);
  if (problem.empty()) {
    if (const std::optional<ClockSource> source = ClockSourceOfKey(sourceKey)) {
      b.clock.source = *source;
    } else {
      problem = "its clock's source " + QuotedForMessage(sourceKey) + " is none of the known ones";
    }
  }
  if (problem.empty() && b.clock.source == ClockSource::ZoneRow && !b.clock.zoneRow) {
    problem = "its clock is of a zone row but names none";
  }
  // The row keeps the clock's numbers; a city's own clock and the place's
  // mean time get their caption back from them.
  if (problem.empty()) b.clock.caption = CaptionOfKeptClock(b);
  // Last, the form's own checks of the whole birth, on the date as stored:
  // the local date-time would have carried 31 April into 1 May.
  if (problem.empty()) {
    Parsed<FormEntries> entries = FormEntriesOfBirth(b);
    if (entries.value) {
      entries.value->yearText = std::to_string((*date)[0]);
      entries.value->monthIndex = (*date)[1] - 1;
      entries.value->dayText = std::to_string((*date)[2]);
    }
    if (!entries.value) {
      problem = entries.error;
    } else if (const std::optional<Refusal> refusal = ReadBirth(*entries.value).refusal) {
      problem = "the form refuses it (" + std::string(refusal->message) + ")";
    }
  }
  if (!problem.empty()) return {std::nullopt, problem};
  return {std::move(b), {}};
}

std::optional<Birth> BirthOfFormEntries(const FormEntries& e) {
  const auto number = [](const std::string& text) -> std::optional<int> {
    const std::optional<long> n = PlainWholeNumber(text);
    if (!n || *n > kNumberCap) return std::nullopt;
    return static_cast<int>(*n);
  };
  const std::optional<int> day = number(e.dayText), year = number(e.yearText),
                           hour = number(e.hourText), minute = number(e.minuteText),
                           second = number(e.secondText), latDeg = number(e.latDeg),
                           latMin = number(e.latMin), lonDeg = number(e.lonDeg),
                           lonMin = number(e.lonMin);
  if (!day || !year || !hour || !minute || !second || !latDeg || !latMin || !lonDeg || !lonMin ||
      e.monthIndex < 0 || e.monthIndex > 11) {
    return std::nullopt;
  }
  Birth b;
  b.name = e.name;
  b.city = e.city;
  b.state = e.state;
  b.country = e.country;
  b.position.latitude = {static_cast<std::int16_t>(*latDeg), static_cast<std::int16_t>(*latMin),
                         e.north};
  b.position.longitude = {static_cast<std::int16_t>(*lonDeg), static_cast<std::int16_t>(*lonMin),
                          e.east};
  b.local =
      CivilTime{static_cast<int>(*year), e.monthIndex + 1,          static_cast<int>(*day),
                static_cast<int>(*hour), static_cast<int>(*minute), static_cast<int>(*second)};
  Clock& c = b.clock;
  c.daylightTick = e.daylightTick;
  c.summerTime = e.summerTime;
  c.zoneName = e.zoneName;
  const bool fromZone = !e.zoneName.empty();
  if (const std::optional<int> exact = ExactOffsetSecondsOf(e)) {
    c.offsetSeconds = *exact;
    c.source =
        e.clockSource.value_or(fromZone ? ClockSource::ZoneHistory : ClockSource::GivenOffset);
  } else if (e.zoneIndex >= 0 && e.zoneIndex < kZoneCount) {
    c.offsetSeconds = RowOffsetSeconds(e.zoneIndex);
    c.zoneRow = e.zoneIndex;
    c.source = fromZone ? ClockSource::ZoneHistory : ClockSource::ZoneRow;
  } else {
    // No row chosen: the chart reads the clock as Universal Time.
    c.offsetSeconds = 0;
    c.source = ClockSource::GivenOffset;
  }
  c.caption = e.clockCaption;
  return b;
}

Parsed<FormEntries> FormEntriesOfBirth(const Birth& b) {
  const CivilTime& t = b.local;
  FormEntries e;
  e.name = b.name;
  e.city = b.city;
  e.state = b.state;
  e.country = b.country;
  e.monthIndex = t.month - 1;
  e.dayText = std::to_string(t.day);
  e.yearText = std::to_string(t.year);
  e.hourText = std::to_string(t.hour);
  e.minuteText = std::to_string(t.minute);
  e.secondText = std::to_string(t.second);
  e.latDeg = std::to_string(b.position.latitude.degrees);
  e.latMin = std::to_string(b.position.latitude.minutes);
  e.north = b.position.latitude.positive;
  e.lonDeg = std::to_string(b.position.longitude.degrees);
  e.lonMin = std::to_string(b.position.longitude.minutes);
  e.east = b.position.longitude.positive;
  if (b.clock.zoneRow) {
    e.zoneIndex = *b.clock.zoneRow;
  } else {
    e.zoneIndex = -1;
    SetExactOffset(e, b.clock.offsetSeconds);
  }
  if (IsPlacesOwnClock(b.clock.source)) {
    e.clockCaption = b.clock.caption;
    e.clockSource = b.clock.source;
  }
  e.daylightTick = b.clock.daylightTick;
  e.zoneName = b.clock.zoneName;
  e.summerTime = b.clock.summerTime;
  return {std::move(e), {}};
}

}  // namespace orvanta
