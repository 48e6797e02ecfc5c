// The form's guards: the eight checks of the compute button in their order,
// the refusal of coordinate texts that are not plain whole numbers, and the
// key filters of the typed boxes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "io/validation.h"

namespace orvanta {
namespace {

// The messages exactly as the system shows them.
constexpr std::string_view kName = "Please Enter Name";
constexpr std::string_view kLonD =
    "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr std::string_view kLonM =
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr std::string_view kLatD = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr std::string_view kLatM = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
constexpr std::string_view kFeb = "Please Enter Correct Date Or Month!";
constexpr std::string_view kMonth = "Please Enter Correct Date Or Month !";

// List positions of the month and day lists.
constexpr int kJan = 0, kFeb_ = 1, kMar = 2, kApr = 3, kJun = 5, kSep = 8, kNov = 10, kDec = 11;
constexpr int Day(int dayOfMonth) {
  return dayOfMonth - 1;
}

// Delhi, 15 June 1980: every check passes.
ValidationInput Valid() {
  ValidationInput in;
  in.name = "RAM";
  in.lonDeg = "77";
  in.lonMin = "12";
  in.latDeg = "28";
  in.latMin = "36";
  in.year = "1980";
  in.monthIndex = kJun;
  in.dayIndex = Day(15);
  return in;
}

ValidationInput With(const std::function<void(ValidationInput&)>& change) {
  ValidationInput in = Valid();
  change(in);
  return in;
}

struct Expect {
  std::string_view message;  // empty: accepted
  MessageIcon icon = MessageIcon::Stop;
  std::optional<FormField> focus;
};
const Expect kAccepted{};
Expect StopAt(std::string_view message, FormField focus) {
  return {message, MessageIcon::Stop, focus};
}
Expect Info(std::string_view message) {
  return {message, MessageIcon::Information, std::nullopt};
}

struct Row {
  const char* name;
  ValidationInput in;
  Expect expect;
};

std::string Describe(const ValidationInput& in) {
  return "name '" + in.name + "' lon '" + in.lonDeg + "' '" + in.lonMin + "' lat '" + in.latDeg +
         "' '" + in.latMin + "' year '" + in.year + "' month " + std::to_string(in.monthIndex) +
         " day " + std::to_string(in.dayIndex);
}

void Check(const Row& row) {
  SCOPED_TRACE(std::string(row.name) + ": " + Describe(row.in));
  const std::optional<Refusal> r = ValidateEntries(row.in);
  if (row.expect.message.empty()) {
    EXPECT_FALSE(r.has_value()) << "refused with '" << r->message << "'";
    return;
  }
  ASSERT_TRUE(r.has_value()) << "accepted, expected '" << row.expect.message << "'";
  EXPECT_EQ(r->message, row.expect.message);
  EXPECT_EQ(r->icon, row.expect.icon);
  EXPECT_EQ(r->focus, row.expect.focus);
}

// The examples and edge cases of the checks, each with the outcome the
// check table gives.
TEST(ValidateInput, ChecksInTheirOrder) {
  const Row rows[] = {
      {"AllValid", Valid(), kAccepted},
      {"EmptyName", With([](auto& in) { in.name = ""; }), StopAt(kName, FormField::Name)},
      {"NameOfBlanksOnly", With([](auto& in) { in.name = "   "; }), StopAt(kName, FormField::Name)},
      {"Longitude179d59Passes", With([](auto& in) {
         in.lonDeg = "179";
         in.lonMin = "59";
       }),
       kAccepted},
      {"Longitude180Refused", With([](auto& in) { in.lonDeg = "180"; }),
       StopAt(kLonD, FormField::LonDegrees)},
      {"EmptyLongitudeDegrees", With([](auto& in) { in.lonDeg = ""; }),
       StopAt(kLonD, FormField::LonDegrees)},
      {"LongitudeMinute60", With([](auto& in) { in.lonMin = "60"; }),
       StopAt(kLonM, FormField::LonMinutes)},
      {"Latitude89d59Passes", With([](auto& in) {
         in.latDeg = "89";
         in.latMin = "59";
       }),
       kAccepted},
      {"Latitude90Refused", With([](auto& in) { in.latDeg = "90"; }),
       StopAt(kLatD, FormField::LatDegrees)},
      {"LatitudeMinute60", With([](auto& in) { in.latMin = "60"; }),
       StopAt(kLatM, FormField::LatMinutes)},
      {"ZeroEverywherePasses",
       With([](auto& in) { in.lonDeg = in.lonMin = in.latDeg = in.latMin = "0"; }), kAccepted},
      {"BlanksAroundNumbersAreTrimmed", With([](auto& in) {
         in.lonDeg = " 77 ";
         in.latMin = "  5";
       }),
       kAccepted},
      {"LeadingZerosAreAWholeNumber", With([](auto& in) { in.lonDeg = "007"; }), kAccepted},
      // February by the leap-year test of the year's value (no century rule).
      {"Feb29of2000", With([](auto& in) {
         in.year = "2000";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(29);
       }),
       kAccepted},
      {"Feb29of1900", With([](auto& in) {
         in.year = "1900";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(29);
       }),
       kAccepted},
      {"Feb29of1901", With([](auto& in) {
         in.year = "1901";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(29);
       }),
       Info(kFeb)},
      {"Feb28of1901", With([](auto& in) {
         in.year = "1901";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(28);
       }),
       kAccepted},
      {"Feb30of2000", With([](auto& in) {
         in.year = "2000";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(30);
       }),
       Info(kFeb)},
      {"Feb31of2000", With([](auto& in) {
         in.year = "2000";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(31);
       }),
       Info(kFeb)},
      {"Feb31of1901", With([](auto& in) {
         in.year = "1901";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(31);
       }),
       Info(kFeb)},
      {"YearWithBlanks", With([](auto& in) {
         in.year = " 2000 ";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(29);
       }),
       kAccepted},
      {"YearNoNumberIsNoLeapYear", With([](auto& in) {
         in.year = "";
         in.monthIndex = kFeb_;
         in.dayIndex = Day(29);
       }),
       Info(kFeb)},
      // The thirty-day months.
      {"April31", With([](auto& in) {
         in.monthIndex = kApr;
         in.dayIndex = Day(31);
       }),
       Info(kMonth)},
      {"June31", With([](auto& in) {
         in.monthIndex = kJun;
         in.dayIndex = Day(31);
       }),
       Info(kMonth)},
      {"September31", With([](auto& in) {
         in.monthIndex = kSep;
         in.dayIndex = Day(31);
       }),
       Info(kMonth)},
      {"November31", With([](auto& in) {
         in.monthIndex = kNov;
         in.dayIndex = Day(31);
       }),
       Info(kMonth)},
      {"April30", With([](auto& in) {
         in.monthIndex = kApr;
         in.dayIndex = Day(30);
       }),
       kAccepted},
      {"March31", With([](auto& in) {
         in.monthIndex = kMar;
         in.dayIndex = Day(31);
       }),
       kAccepted},
      {"January31", With([](auto& in) {
         in.monthIndex = kJan;
         in.dayIndex = Day(31);
       }),
       kAccepted},
      {"December31", With([](auto& in) {
         in.monthIndex = kDec;
         in.dayIndex = Day(31);
       }),
       kAccepted},
      // Only the first failing check is told.
      {"NameAndLatitudeWrongGivesName", With([](auto& in) {
         in.name = " ";
         in.latDeg = "95";
       }),
       StopAt(kName, FormField::Name)},
      {"LongitudeBeforeLatitude", With([](auto& in) {
         in.lonMin = "75";
         in.latDeg = "95";
       }),
       StopAt(kLonM, FormField::LonMinutes)},
      {"LatitudeMinuteBeforeDate", With([](auto& in) {
         in.latMin = "99";
         in.monthIndex = kApr;
         in.dayIndex = Day(31);
       }),
       StopAt(kLatM, FormField::LatMinutes)},
  };
  for (const Row& row : rows) Check(row);
}

// Pasted texts: anything but a plain whole number is refused by the check
// of its own box, degrees and minutes alike, however long it is.
TEST(ValidateInput, CoordinateTextMustBeAPlainWholeNumber) {
  struct Field {
    const char* name;
    FormField field;
    std::string ValidationInput::*text;
    std::string_view message;
  };
  const Field fields[] = {
      {"longitude degrees", FormField::LonDegrees, &ValidationInput::lonDeg, kLonD},
      {"longitude minutes", FormField::LonMinutes, &ValidationInput::lonMin, kLonM},
      {"latitude degrees", FormField::LatDegrees, &ValidationInput::latDeg, kLatD},
      {"latitude minutes", FormField::LatMinutes, &ValidationInput::latMin, kLatM},
  };
  const char* pasted[] = {
      "28X",
      "12.5",
      "1e3",
      "-5",
      "+5",
      "",
      " ",
      "2 8",
      "\t28",
      "\xe2\x88\x92"
      "5",             // U+2212 minus sign, then 5
      "\xef\xbc\x95",  // U+FF15 full-width digit five
      "99999999999999999999",
      "00000000000000000000000000000000180",
  };
  for (const Field& field : fields) {
    for (const char* text : pasted) {
      ValidationInput in = Valid();
      in.*field.text = text;
      Check({field.name, in, StopAt(field.message, field.field)});
    }
  }
}

// The day and time lists take typed numbers: a text that is a number of the
// list's range passes, leading zeros and blanks included ("08", " 7 "); any
// other text is refused with the list's own message, after the coordinate
// checks and before the date checks.
TEST(ValidateInput, TypedDayAndTimeMustBeANumberOfTheirList) {
  const std::string_view day = "Please Enter Value Between 1 And 31 in the Day of Birth";
  const std::string_view hour = "Please Enter Value Between 0 And 23 in the Hour of Birth";
  const std::string_view minute = "Please Enter Value Between 0 And 59 in the Minute of Birth";
  const std::string_view second = "Please Enter Value Between 0 And 59 in the Second of Birth";
  const Row rows[] = {
      {"LeadingZeros", With([](auto& in) {
         in.day = "04";
         in.hour = "08";
         in.minute = "05";
         in.second = "09";
       }),
       kAccepted},
      {"Blanks", With([](auto& in) {
         in.day = " 7 ";
         in.hour = " 23";
         in.minute = "59 ";
       }),
       kAccepted},
      {"Day0", With([](auto& in) { in.day = "0"; }), StopAt(day, FormField::Day)},
      {"Day32", With([](auto& in) { in.day = "32"; }), StopAt(day, FormField::Day)},
      {"DayEmpty", With([](auto& in) { in.day = ""; }), StopAt(day, FormField::Day)},
      {"Hour24", With([](auto& in) { in.hour = "24"; }), StopAt(hour, FormField::Hour)},
      {"HourLetters", With([](auto& in) { in.hour = "eight"; }), StopAt(hour, FormField::Hour)},
      {"Minute60", With([](auto& in) { in.minute = "60"; }), StopAt(minute, FormField::Minute)},
      {"MinuteSigned", With([](auto& in) { in.minute = "-5"; }), StopAt(minute, FormField::Minute)},
      {"SecondDecimal", With([](auto& in) { in.second = "8.5"; }),
       StopAt(second, FormField::Second)},
      {"LatitudeBeforeHour", With([](auto& in) {
         in.latDeg = "95";
         in.hour = "99";
       }),
       StopAt(kLatD, FormField::LatDegrees)},
      {"HourBeforeDate", With([](auto& in) {
         in.hour = "99";
         in.monthIndex = kApr;
         in.dayIndex = Day(31);
       }),
       StopAt(hour, FormField::Hour)},
  };
  for (const Row& row : rows) Check(row);
}

// Names and places: letters of any script (as the front end classes them),
// blanks, both apostrophes, hyphens and full stops; nothing else.
TEST(NameCharacters, PunctuationOfNamesAndNothingElse) {
  for (const char32_t code : {U' ', U'\'', U'\u2019', U'-', U'.'}) {
    EXPECT_TRUE(NameCharacterAccepted(code, false)) << static_cast<long>(code);
  }
  for (const char32_t code : {U'1', U',', U'_', U'@', U'\u2018', U'\u2013', U'"'}) {
    EXPECT_FALSE(NameCharacterAccepted(code, false)) << static_cast<long>(code);
  }
  EXPECT_TRUE(NameCharacterAccepted(U'\u7530', true));
  EXPECT_EQ(NameCharacterRefusal().message, "Please Enter only Letters");
  EXPECT_EQ(NameCharacterRefusal().icon, MessageIcon::Information);
}

TEST(ValidateInput, LongRunOfZerosIsStillZero) {
  Check({"ManyZeros", With([](auto& in) { in.lonDeg = "0000000000000000000000000"; }), kAccepted});
}

TEST(CoordinateKeyFilter, DigitsAndBackspaceOnly) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE("code " + std::to_string(code));
    const KeyVerdict v = CoordinateKeyFilter(code);
    const bool accepted = (code >= 48 && code <= 57) || code == 8;
    if (accepted) {
      EXPECT_EQ(v.code, code);
      EXPECT_FALSE(v.refusal.has_value());
    } else {
      EXPECT_EQ(v.code, 0);
      ASSERT_TRUE(v.refusal.has_value());
      EXPECT_EQ(v.refusal->message, "Only Numbers Are Accepted");
      EXPECT_EQ(v.refusal->icon, MessageIcon::Stop);
    }
  }
  // The named cases: "-" and "." in txtLatD, Enter in a digit box.
  for (int code : {int{'-'}, int{'.'}, 13}) EXPECT_EQ(CoordinateKeyFilter(code).code, 0) << code;
}

TEST(NameKeyFilter, LettersInCapitalsBlankEnterBackspace) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE("code " + std::to_string(code));
    const KeyVerdict v = NameKeyFilter(code);
    if (code >= 'A' && code <= 'Z') {
      EXPECT_EQ(v.code, code);
    } else if (code >= 'a' && code <= 'z') {
      EXPECT_EQ(v.code, code - 32) << "lowercase becomes uppercase";
    } else if (code == 32 || code == 13 || code == 8 || code == '\'' || code == '-' ||
               code == '.') {
      // Blanks, apostrophes, hyphens and full stops belong in names:
      // "James O'Brien", "Anne-Marie", "St. Louis".
      EXPECT_EQ(v.code, code);
    } else {
      EXPECT_EQ(v.code, 0);
      ASSERT_TRUE(v.refusal.has_value());
      EXPECT_EQ(v.refusal->message, "Please Enter only Letters");
      EXPECT_EQ(v.refusal->icon, MessageIcon::Information);
      continue;
    }
    EXPECT_FALSE(v.refusal.has_value());
  }
  EXPECT_EQ(NameKeyFilter('a').code, 'A');
  EXPECT_EQ(NameKeyFilter('1').code, 0);
}

}  // namespace
}  // namespace orvanta
