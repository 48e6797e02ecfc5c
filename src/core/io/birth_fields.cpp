#include "io/birth_fields.h"

#include <array>
#include <chrono>

#include "io/offset_text.h"
#include "model/ascii.h"
#include "model/coordinate_text.h"
#include "model/utf8.h"
#include "model/whole_number.h"
#include "tables/zones.h"
#include "tz/zone_resolution.h"

namespace orvanta {

std::string_view TrimField(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<int> SmallNumber(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : s) {
    if (!IsAsciiDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string QuotedForMessage(std::string_view s, std::size_t shownChars) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out = "\"";
  std::size_t shown = 0, i = 0;
  for (; i < s.size() && shown < shownChars; ++shown) {
    const auto byte = static_cast<unsigned char>(s[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += s[i++];
    } else if (const std::size_t length = byte >= 0x80 ? Utf8SequenceLength(s.substr(i)) : 0) {
      out += s.substr(i, length);
      i += length;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
      ++i;
    }
  }
  if (i < s.size()) out += "...";
  out += '"';
  return out;
}

namespace {

template <typename T>
Parsed<T> Fail(std::string message) {
  return Parsed<T>{std::nullopt, std::move(message)};
}

}  // namespace

Parsed<CalendarDate> ParseDate(std::string_view text) {
  const std::string_view s = TrimField(text);
  const auto fail = [&] {
    return Fail<CalendarDate>("bad date " + QuotedForMessage(text) + ": expected YYYY-MM-DD");
  };
  const std::size_t dash1 = s.find('-');
  if (dash1 == std::string_view::npos) return fail();
  const std::size_t dash2 = s.find('-', dash1 + 1);
  if (dash2 == std::string_view::npos) return fail();
  const auto year = SmallNumber(s.substr(0, dash1), 4);
  const auto month = SmallNumber(s.substr(dash1 + 1, dash2 - dash1 - 1), 2);
  const auto day = SmallNumber(s.substr(dash2 + 1), 2);
  if (dash1 != 4 || !year || !month || !day) return fail();
  if (*month < 1 || *month > 12) {
    return Fail<CalendarDate>("bad date " + QuotedForMessage(text) + ": the month must be 01..12");
  }
  if (*day < 1 || *day > 31) {
    return Fail<CalendarDate>("bad date " + QuotedForMessage(text) + ": the day must be 01..31");
  }
  if (*year < kFirstYear || *year > kLastYear) {
    return Fail<CalendarDate>("bad date " + QuotedForMessage(text) + ": the year must lie in " +
                              std::to_string(kFirstYear) + ".." + std::to_string(kLastYear));
  }
  return {CalendarDate{*year, *month, *day}, {}};
}

Parsed<ClockTime> ParseTime(std::string_view text) {
  const std::string_view s = TrimField(text);
  const auto fail = [&] {
    return Fail<ClockTime>("bad time " + QuotedForMessage(text) + ": expected HH:MM or HH:MM:SS");
  };
  const std::size_t colon1 = s.find(':');
  if (colon1 == std::string_view::npos) return fail();
  const std::size_t colon2 = s.find(':', colon1 + 1);
  const auto hour = SmallNumber(s.substr(0, colon1), 2);
  const auto minute =
      SmallNumber(s.substr(colon1 + 1, colon2 == std::string_view::npos ? std::string_view::npos
                                                                        : colon2 - colon1 - 1),
                  2);
  std::optional<int> second = 0;
  if (colon2 != std::string_view::npos) second = SmallNumber(s.substr(colon2 + 1), 2);
  if (!hour || !minute || !second) return fail();
  if (*hour > 23 || *minute > 59 || *second > 59) {
    return Fail<ClockTime>("bad time " + QuotedForMessage(text) +
                           ": hours must be 0..23, minutes and seconds 0..59");
  }
  return {ClockTime{*hour, *minute, *second}, {}};
}

Parsed<CoordinateTexts> ParseCoordinate(std::string_view text, char positive, char negative,
                                        std::string_view what) {
  const std::optional<CoordinateDigits> digits =
      ReadCoordinateText(TrimField(text), positive, negative);
  if (!digits) {
    return Fail<CoordinateTexts>("bad " + std::string(what) + " " + QuotedForMessage(text) +
                                 ": expected degrees, " + positive + " or " + negative +
                                 ", minutes (as in 28" + positive + "36)");
  }
  CoordinateTexts c;
  c.degreesText = std::string(digits->degrees);
  c.minutesText = std::string(digits->minutes);
  c.positive = digits->positive;
  c.degrees = PlainWholeNumber(c.degreesText).value_or(0);
  c.minutes = PlainWholeNumber(c.minutesText).value_or(0);
  return {std::move(c), {}};
}

std::string_view ZoneAbbreviation(int listIndex) {
  if (listIndex < 0 || listIndex >= kZoneCount) return {};
  return kZones[static_cast<std::size_t>(listIndex)].abbreviation;
}

Parsed<int> ParseZone(std::string_view text) {
  const std::string_view s = TrimField(text);
  if (s.empty()) return {kDefaultZoneIndex, {}};
  if (IsAsciiDigit(s.front())) {
    const auto position = SmallNumber(s, 2);
    if (!position || *position >= kZoneCount) {
      return Fail<int>("bad zone " + QuotedForMessage(text) + ": a list position must be 0.." +
                       std::to_string(kZoneCount - 1) + " (see --list-zones)");
    }
    return {*position, {}};
  }
  std::array<int, kZoneCount> matches{};
  int matchCount = 0;
  for (int i = 0; i < kZoneCount; ++i) {
    if (EqualsIgnoreCase(ZoneAbbreviation(i), s))
      matches[static_cast<std::size_t>(matchCount++)] = i;
  }
  if (matchCount == 1) return {matches[0], {}};
  if (matchCount == 0) {
    return Fail<int>("unknown zone " + QuotedForMessage(text) +
                     ": give a list position 0..70 or an abbreviation (see --list-zones)");
  }
  std::string message = "ambiguous zone " + QuotedForMessage(text) + ": it names";
  for (int k = 0; k < matchCount; ++k) {
    const int i = matches[static_cast<std::size_t>(k)];
    message += (k == 0 ? " " : ", ");
    message +=
        std::to_string(i) + " (" + std::string(kZones[static_cast<std::size_t>(i)].text) + ")";
  }
  message += "; give the list position instead";
  return Fail<int>(std::move(message));
}

Parsed<bool> ParseDst(std::string_view text) {
  const std::string_view s = TrimField(text);
  for (std::string_view yes : {"1", "true", "yes"}) {
    if (EqualsIgnoreCase(s, yes)) return {true, {}};
  }
  for (std::string_view no : {"", "0", "false", "no"}) {
    if (EqualsIgnoreCase(s, no)) return {false, {}};
  }
  return Fail<bool>("bad dst " + QuotedForMessage(text) +
                    ": expected 1, 0, true, false, yes, no or empty");
}

Parsed<std::optional<int>> ParseOffset(std::string_view text) {
  // Nepal's +5:45 and the Chatham Islands' +13:45 lie within these bounds.
  constexpr int kMostWestMinutes = kMostWestOffsetMinutes;
  constexpr int kMostEastMinutes = kMostEastOffsetMinutes;
  const std::string_view s = TrimField(text);
  if (s.empty()) return {std::optional<int>{}, {}};
  const bool west = s.front() == '-';
  const std::string_view digits = (west || s.front() == '+') ? s.substr(1) : s;
  const std::optional<int> magnitude = SmallNumber(digits, 3);
  const int minutes = magnitude ? (west ? -*magnitude : *magnitude) : 0;
  if (!magnitude || minutes < kMostWestMinutes || minutes > kMostEastMinutes) {
    return Fail<std::optional<int>>("bad offset " + QuotedForMessage(text) +
                                    ": expected minutes east of Greenwich, " +
                                    std::to_string(kMostWestMinutes) + ".." +
                                    std::to_string(kMostEastMinutes) + " (345 for +5:45)");
  }
  return {std::optional<int>{minutes}, {}};
}

namespace {

// A coordinate's whole degrees or minutes of arc for the birth: values the
// checks refuse (above 179 or 59) never reach a chart, so the 16-bit field
// only has to hold those that pass.
std::int16_t ArcField(long value) {
  return static_cast<std::int16_t>(value > 32767 ? 0 : value);
}

ArcAngle ArcOf(const CoordinateTexts& c) {
  return ArcAngle{ArcField(c.degrees), ArcField(c.minutes), c.positive};
}

// The clock the fields give without a zone history: an exact offset (to
// the second) wins over the zone row, which then only says whether the
// clock is summer time; an exact offset alone names no row. The
// daylight-saving tick is the dst field.
Clock GivenClock(std::optional<int> offsetSeconds, int zoneIndex, bool zoneGiven, bool dst) {
  Clock clock;
  if (offsetSeconds) {
    clock.offsetSeconds = *offsetSeconds;
    clock.source = ClockSource::GivenOffset;
    if (!zoneGiven) zoneIndex = -1;
  } else if (const std::optional<ZoneShift> shift = ZoneShiftOf(zoneIndex)) {
    clock.offsetSeconds = OffsetSecondsOfShift(*shift);
    clock.zoneRow = zoneIndex;
  }
  clock.summerTime = IsSummerTimeRow(zoneIndex);
  clock.daylightTick = dst;
  return clock;
}

}  // namespace

Parsed<BirthReading> BirthOfFields(const BirthFields& fields, const GeoPosition* placePosition) {
  const auto date = ParseDate(fields.date);
  if (!date.value) return {std::nullopt, date.error};
  const auto time = ParseTime(fields.time);
  if (!time.value) return {std::nullopt, time.error};
  // One coordinate: the place's where the field is empty and a place gives
  // one, else the field's, with its degrees and minutes as typed for the
  // checks (which refuse 91 degrees or 60 minutes).
  struct Axis {
    ArcAngle angle;
    long degrees = 0, minutes = 0;
  };
  const auto axisOf = [placePosition](std::string_view text, char positive, char negative,
                                      std::string_view what,
                                      ArcAngle GeoPosition::*fromPlace) -> Parsed<Axis> {
    if (placePosition != nullptr && text.empty()) {
      const ArcAngle& angle = placePosition->*fromPlace;
      return {Axis{angle, angle.degrees, angle.minutes}, {}};
    }
    const auto read = ParseCoordinate(text, positive, negative, what);
    if (!read.value) return {std::nullopt, read.error};
    return {Axis{ArcOf(*read.value), read.value->degrees, read.value->minutes}, {}};
  };
  const auto latitude = axisOf(fields.lat, 'N', 'S', "latitude", &GeoPosition::latitude);
  if (!latitude.value) return {std::nullopt, latitude.error};
  const auto longitude = axisOf(fields.lon, 'E', 'W', "longitude", &GeoPosition::longitude);
  if (!longitude.value) return {std::nullopt, longitude.error};
  const auto zone = ParseZone(fields.zone);
  if (!zone.value) return {std::nullopt, zone.error};
  const auto dst = ParseDst(fields.dst);
  if (!dst.value) return {std::nullopt, dst.error};
  const auto offset = ParseOffsetSeconds(fields.offset);
  if (!offset.value) return {std::nullopt, offset.error};

  BirthReading reading;
  Birth& b = reading.birth;
  b.name = fields.name;
  b.city = fields.city;
  b.state = fields.state;
  b.country = fields.country;
  b.position.latitude = latitude.value->angle;
  b.position.longitude = longitude.value->angle;
  b.local = CivilTime{date.value->year, date.value->month,  date.value->day,
                      time.value->hour, time.value->minute, time.value->second};
  b.clock = GivenClock(*offset.value, *zone.value, !TrimField(fields.zone).empty(), *dst.value);

  CheckedValues v;
  v.name = b.name;
  v.latDeg = latitude.value->degrees;
  v.latMin = latitude.value->minutes;
  v.lonDeg = longitude.value->degrees;
  v.lonMin = longitude.value->minutes;
  v.year = date.value->year;
  v.monthIndex = date.value->month - 1;
  v.dayIndex = date.value->day - 1;
  v.day = date.value->day;
  v.hour = time.value->hour;
  v.minute = time.value->minute;
  v.second = time.value->second;
  if (std::optional<Refusal> refusal = ValidateValues(v)) reading.refusal = *refusal;
  return {std::move(reading), {}};
}

std::optional<LocalDateTime> ExistingLocalTime(const CivilTime& t) {
  const std::chrono::year_month_day ymd{std::chrono::year{t.year},
                                        std::chrono::month{static_cast<unsigned>(t.month)},
                                        std::chrono::day{static_cast<unsigned>(t.day)}};
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || !ymd.ok()) return std::nullopt;
  return MakeDateTime(t.year, t.month, t.day, t.hour, t.minute);
}

}  // namespace orvanta
