// The 71 zone rows and the correction ZoneShiftOf gives for each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "tables/zones.h"

namespace orvanta {
namespace {

TEST(ZoneCalculation, WorkedExamples) {
  struct Row {
    const char* name;
    int index;
    const char* text;
    int hours, minutes;  // the documented corrections of the zone list
  };
  const Row rows[] = {
      {"initial selection", 29, "Greenwich Mean Time,GMT,0.0", 0, 0},
      {"India, shown as +5.3", 34, "Indian Time, IST, +5.3", -5, -30},
      {"Newfoundland", 50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
      {"largest eastward", 46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
      {"date line west", 36, "Int'l Date Line West,IDLW,-12.0", 12, 0},
      {"first row", 0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
      {"last row", 70, "Yukon War Time,YWT,-8.0", 8, 0},
      {"Central European", 20, "Central European Time,CET,+1.0", -1, 0},
      {"Hawaii half hour", 32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(kZones[static_cast<std::size_t>(r.index)].text, r.text);
    const auto shift = ZoneShiftOf(r.index);
    ASSERT_TRUE(shift.has_value());
    EXPECT_EQ(shift->hours, r.hours);
    EXPECT_EQ(shift->minutes, r.minutes);
  }
  EXPECT_EQ(kZones[static_cast<std::size_t>(kDefaultZoneIndex)].text,
            "Greenwich Mean Time,GMT,0.0");
}

TEST(ZoneCalculation, ExactOffsetsSplitLikeRows) {
  struct Row {
    const char* name;
    int eastMinutes;
    bool valid;
    int hours, minutes;  // the negated offset, hours and minutes with one sign
  };
  const Row rows[] = {
      {"Nepal +5:45", 345, true, -5, -45},
      {"Amsterdam 1935 +1:19:32 to the minute", 80, true, -1, -20},
      {"Amsterdam standard +0:19:32 to the minute", 20, true, 0, -20},
      {"Newfoundland -3:30 like row 50", -210, true, 3, 30},
      {"Marquesas -9:30", -570, true, 9, 30},
      {"Kiribati +14, the widest clock", 840, true, -14, 0},
      {"beyond any clock", 841, false, 0, 0},
      {"beyond any clock, west", -841, false, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto shift = ZoneShiftOf(ExactOffset{r.eastMinutes});
    ASSERT_EQ(shift.has_value(), r.valid);
    if (!shift) continue;
    EXPECT_EQ(shift->hours, r.hours);
    EXPECT_EQ(shift->minutes, r.minutes);
  }
}

TEST(ZoneCalculation, NoSelectionGivesNothing) {
  // The caller then keeps the previous correction.
  for (int index : {-1, kZoneCount, 1000}) {
    SCOPED_TRACE(index);
    EXPECT_FALSE(ZoneShiftOf(index).has_value());
  }
}

// The signed offset at the end of a zone text in minutes ("+5.3" is the
// list's way of writing five and a half hours).
int OffsetMinutesOfText(std::string_view text) {
  const std::size_t comma = text.rfind(',');
  std::string offset(text.substr(comma + 1));
  while (!offset.empty() && offset.front() == ' ') offset.erase(0, 1);
  const int sign = offset.front() == '-' ? -1 : 1;
  if (offset.front() == '+' || offset.front() == '-') offset.erase(0, 1);
  const std::size_t dot = offset.find('.');
  const int hours = std::atoi(offset.substr(0, dot).c_str());
  const std::string tenth = offset.substr(dot + 1);
  int minutes = 0;
  if (tenth == "5" || tenth == "3") minutes = 30;
  return sign * (hours * 60 + minutes);
}

TEST(ZoneTable, EveryRowIsItsTextNegated) {
  ASSERT_EQ(kZones.size(), 71u);
  std::set<std::string_view> seen;
  for (int i = 0; i < kZoneCount; ++i) {
    const ZoneEntry& row = kZones[static_cast<std::size_t>(i)];
    SCOPED_TRACE(std::to_string(i) + " " + std::string(row.text));
    // Only list position 34 writes half an hour as ".3".
    const std::size_t dot = row.text.rfind('.');
    ASSERT_NE(dot, std::string_view::npos);
    const char tenth = row.text[dot + 1];
    EXPECT_TRUE(tenth == '0' || tenth == '5' || (tenth == '3' && i == 34));

    const auto shift = ZoneShiftOf(i);
    ASSERT_TRUE(shift.has_value());
    EXPECT_EQ(shift->hours * 60 + shift->minutes, -OffsetMinutesOfText(row.text));
    // Minutes carry the sign of the hours and never reach an hour.
    EXPECT_TRUE(shift->minutes == 0 || (shift->minutes < 0) == (shift->hours < 0));
    EXPECT_LT(std::abs(shift->minutes), 60);
    EXPECT_LE(std::abs(shift->hours), 13);
    seen.insert(row.text);
  }
  // Positions 56/57 and 58/59 differ by their abbreviation, so all texts differ.
  EXPECT_EQ(seen.size(), 71u);
}

TEST(Zones, AbbreviationAndSummerTimeAreTheRowsOwn) {
  // Each row's abbreviation is the one its text shows between the commas
  // (blanks aside), and the summer times are the rows named Daylight or
  // Summer time in the list: positions 0, 5, 7, 9, 15, 16, 18, 19, 24, 25,
  // 31, 40, 43, 46, 48, 53, 56, 57 and 68.
  const std::set<int> summer = {0,  5,  7,  9,  15, 16, 18, 19, 24, 25,
                                31, 40, 43, 46, 48, 53, 56, 57, 68};
  for (int i = 0; i < kZoneCount; ++i) {
    SCOPED_TRACE(i);
    const ZoneEntry& row = kZones[static_cast<std::size_t>(i)];
    EXPECT_FALSE(row.abbreviation.empty());
    const std::size_t at = row.text.find(row.abbreviation);
    ASSERT_NE(at, std::string_view::npos);
    EXPECT_TRUE(row.text[at - 1] == ',' || row.text.substr(at - 2, 2) == ", ");
    EXPECT_TRUE(row.text[at + row.abbreviation.size()] == ',');
    EXPECT_EQ(row.summerTime, summer.count(i) == 1);
  }
  EXPECT_EQ(kZones[34].abbreviation, "IST");
  EXPECT_EQ(kZones[61].abbreviation, "UT");
}

}  // namespace
}  // namespace orvanta
