#include "io/validation.h"

#include <array>

namespace orvanta {

namespace {

// The system's own texts, blanks included: two blanks in "the  Minute", and
// the third date message has a blank before its exclamation mark.
inline constexpr std::string_view kEnterName = "Please Enter Name";
inline constexpr std::string_view kLonDegRange =
    "Please Enter Value Between 0 And 179 in the Degree of Longitude";
inline constexpr std::string_view kLonMinRange =
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
inline constexpr std::string_view kLatDegRange =
    "Please Enter Value Between 0 And 89 in the Degree of Latitude";
inline constexpr std::string_view kLatMinRange =
    "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
inline constexpr std::string_view kFebruaryDate = "Please Enter Correct Date Or Month!";
inline constexpr std::string_view kThirtyDayMonth = "Please Enter Correct Date Or Month !";
inline constexpr std::string_view kOnlyNumbers = "Only Numbers Are Accepted";
inline constexpr std::string_view kOnlyLetters = "Please Enter only Letters";
inline constexpr std::string_view kNameTooLong =
    "The name is too long: a name has at most 10,000 characters";
static_assert(kMaxNameChars == 10'000, "kNameTooLong names the limit");
// The date and time lists: a number typed into a list that is none of its
// items is refused with the list's own message, never read as 0 or left at
// the previous item.
inline constexpr std::string_view kDayRange =
    "Please Enter Value Between 1 And 31 in the Day of Birth";
inline constexpr std::string_view kHourRange =
    "Please Enter Value Between 0 And 23 in the Hour of Birth";
inline constexpr std::string_view kMinuteRange =
    "Please Enter Value Between 0 And 59 in the Minute of Birth";
inline constexpr std::string_view kSecondRange =
    "Please Enter Value Between 0 And 59 in the Second of Birth";

inline constexpr int kFebruary = 1;  // month list position
inline constexpr int kDay29 = 28;    // day list positions
inline constexpr int kDay30 = 29;
inline constexpr int kDay31 = 30;
// April, June, September, November.
inline constexpr std::array<int, 4> kThirtyDayMonths = {3, 5, 8, 10};

// Refused when there is no value or it lies above `maxValue` (values are
// never negative: they are plain whole numbers).
bool OutOfRange(const std::optional<long>& value, long maxValue) {
  return !value || *value > maxValue;
}

// A year counts as a leap year when its value is divisible by 4, with no
// century rule (1900 counts). A year that is no number is not a leap year,
// so that its 29 February is refused rather than waved through.
bool IsLeapYear(const std::optional<long>& year) {
  return year && *year < kNumberCap && *year % 4 == 0;
}

Refusal Stop(std::string_view message, FormField focus) {
  return Refusal{message, MessageIcon::Stop, focus};
}

Refusal Information(std::string_view message) {
  return Refusal{message, MessageIcon::Information, std::nullopt};
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  // Every byte but a UTF-8 continuation byte starts a character.
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

Refusal NameLengthRefusal() {
  return Stop(kNameTooLong, FormField::Name);
}

std::optional<Refusal> ValidateEntries(const ValidationInput& in) {
  CheckedValues v;
  v.name = in.name;
  v.lonDeg = PlainWholeNumber(in.lonDeg);
  v.lonMin = PlainWholeNumber(in.lonMin);
  v.latDeg = PlainWholeNumber(in.latDeg);
  v.latMin = PlainWholeNumber(in.latMin);
  v.year = PlainWholeNumber(in.year);
  v.monthIndex = in.monthIndex;
  v.dayIndex = in.dayIndex;
  v.day = PlainWholeNumber(in.day);
  v.hour = PlainWholeNumber(in.hour);
  v.minute = PlainWholeNumber(in.minute);
  v.second = PlainWholeNumber(in.second);
  return ValidateValues(v);
}

std::optional<Refusal> ValidateValues(const CheckedValues& in) {
  // The checks run in this order and the first failure is the only one told.
  if (TrimBlanks(in.name).empty()) return Stop(kEnterName, FormField::Name);
  if (OutOfRange(in.lonDeg, 179)) return Stop(kLonDegRange, FormField::LonDegrees);
  if (OutOfRange(in.lonMin, 59)) return Stop(kLonMinRange, FormField::LonMinutes);
  if (OutOfRange(in.latDeg, 89)) return Stop(kLatDegRange, FormField::LatDegrees);
  if (OutOfRange(in.latMin, 59)) return Stop(kLatMinRange, FormField::LatMinutes);
  if (!in.day || *in.day < 1 || *in.day > 31) return Stop(kDayRange, FormField::Day);
  if (OutOfRange(in.hour, 23)) return Stop(kHourRange, FormField::Hour);
  if (OutOfRange(in.minute, 59)) return Stop(kMinuteRange, FormField::Minute);
  if (OutOfRange(in.second, 59)) return Stop(kSecondRange, FormField::Second);

  // February: the leap-year test decides which of the two checks applies.
  if (IsLeapYear(in.year)) {
    if (in.monthIndex == kFebruary && (in.dayIndex == kDay30 || in.dayIndex == kDay31)) {
      return Information(kFebruaryDate);
    }
  } else if (in.monthIndex == kFebruary &&
             (in.dayIndex == kDay29 || in.dayIndex == kDay30 || in.dayIndex == kDay31)) {
    return Information(kFebruaryDate);
  }
  for (const int month : kThirtyDayMonths) {
    if (in.monthIndex == month && in.dayIndex == kDay31) return Information(kThirtyDayMonth);
  }
  return std::nullopt;
}

KeyVerdict CoordinateKeyFilter(int code) {
  constexpr int kBackspace = 8;
  if ((code >= '0' && code <= '9') || code == kBackspace) return KeyVerdict{code, std::nullopt};
  return KeyVerdict{0, Refusal{kOnlyNumbers, MessageIcon::Stop, std::nullopt}};
}

KeyVerdict NameKeyFilter(int code) {
  constexpr int kBackspace = 8;
  constexpr int kEnter = 13;
  constexpr int kBlank = 32;
  if (code >= 'A' && code <= 'Z') return KeyVerdict{code, std::nullopt};
  // Names are always typed in capitals.
  if (code >= 'a' && code <= 'z') return KeyVerdict{code - ('a' - 'A'), std::nullopt};
  if (code == kBlank || code == kEnter || code == kBackspace) return KeyVerdict{code, std::nullopt};
  if (code >= 0 && IsNamePunctuation(static_cast<char32_t>(code))) {
    return KeyVerdict{code, std::nullopt};
  }
  return KeyVerdict{0, NameCharacterRefusal()};
}

bool IsNamePunctuation(char32_t code) {
  // Blank, apostrophe, typographic apostrophe (U+2019), hyphen, full stop:
  // "James O'Brien", "Anne-Marie", "St. Louis".
  return code == U' ' || code == U'\'' || code == U'\u2019' || code == U'-' || code == U'.';
}

bool NameCharacterAccepted(char32_t code, bool letterOrMark) {
  return letterOrMark || IsNamePunctuation(code);
}

Refusal NameCharacterRefusal() {
  return Refusal{kOnlyLetters, MessageIcon::Information, std::nullopt};
}

Refusal ListCharacterRefusal(FormField list) {
  switch (list) {
    case FormField::Day:
      return Stop(kDayRange, list);
    case FormField::Hour:
      return Stop(kHourRange, list);
    case FormField::Minute:
      return Stop(kMinuteRange, list);
    default:
      return Stop(kSecondRange, FormField::Second);
  }
}

}  // namespace orvanta
