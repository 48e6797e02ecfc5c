#include "io/saved_birth.h"

#include "io/validation.h"
#include "model/whole_number.h"
#include "tables/zones.h"

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
  take(FlagOf(s.dst, "daylight-saving tick", "ticked or not"), e.dst);
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

}  // namespace orvanta
