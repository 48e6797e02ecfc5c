// Local civil date-times: building, splitting and calendar roll-over.
#include <gtest/gtest.h>

#include <chrono>

#include "model/datetime.h"

namespace orvanta {
namespace {

TEST(MonthName, FullEnglishNames) {
  EXPECT_EQ(MonthName(1), "January");
  EXPECT_EQ(MonthName(6), "June");
  EXPECT_EQ(MonthName(12), "December");
  EXPECT_EQ(MonthName(0), "");
  EXPECT_EQ(MonthName(13), "");
}

TEST(MakeDateTime, RollsOverWithCalendarArithmetic) {
  using std::chrono::hours;
  using std::chrono::minutes;
  struct Row {
    const char* name;
    LocalDateTime t;
    const char* expected;  // calendar arithmetic by hand
  };
  const Row rows[] = {
      {"plain", MakeDateTime(1980, 6, 15, 10, 30), "1980-06-15 10:30"},
      {"back over new year", MakeDateTime(1980, 1, 1, 2, 0) + hours{-5} + minutes{-30},
       "1979-12-31 20:30"},
      {"leap day", MakeDateTime(2000, 2, 28, 23, 0) + hours{2}, "2000-02-29 01:00"},
      {"no leap day in 1900", MakeDateTime(1900, 2, 28, 23, 0) + hours{2}, "1900-03-01 01:00"},
      {"day past month end rolls", MakeDateTime(2001, 2, 30), "2001-03-02 00:00"},
      {"hour past midnight rolls", MakeDateTime(2050, 12, 31, 24, 0), "2051-01-01 00:00"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(FormatIsoMinute(r.t), r.expected);
  }
}

TEST(Split, GivesTheParts) {
  const CivilTime c = Split(MakeDateTime(1999, 12, 31, 23, 59, 58));
  EXPECT_EQ(c.year, 1999);
  EXPECT_EQ(c.month, 12);
  EXPECT_EQ(c.day, 31);
  EXPECT_EQ(c.hour, 23);
  EXPECT_EQ(c.minute, 59);
  EXPECT_EQ(c.second, 58);
  const CivilTime early = Split(MakeDateTime(1901, 1, 1) - std::chrono::seconds{1});
  EXPECT_EQ(early.year, 1900);
  EXPECT_EQ(early.hour, 23);
}

TEST(DayOfYearAndWeekday, KnownDates) {
  struct Row {
    const char* name;
    int year, month, day;
    int dayOfYear, weekday;  // from a printed calendar
  };
  const Row rows[] = {
      {"1 January 2000, Saturday", 2000, 1, 1, 1, 6},
      {"31 December 2000 (leap), Sunday", 2000, 12, 31, 366, 0},
      {"15 June 1980, Sunday", 1980, 6, 15, 167, 0},
      {"1 March 1901, Friday", 1901, 3, 1, 60, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const LocalDateTime t = MakeDateTime(r.year, r.month, r.day, 13, 0);
    EXPECT_EQ(DayOfYear(t), r.dayOfYear);
    EXPECT_EQ(WeekdaySunday0(t), r.weekday);
  }
}

}  // namespace
}  // namespace orvanta
