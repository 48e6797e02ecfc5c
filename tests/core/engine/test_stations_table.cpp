// The committed station tables: shape, bounds, record form, order, lengths.
//
// Expected row counts, first and last rows and the shortest and longest
// period of each planet are the fixed figures the tables are defined by; the
// period lengths are given there to 0.1 day. Records are checked here with a
// parser of their own (not the one the program uses).
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "engine/retrograde.h"
#include "engine/stations.h"
#include "model/datetime.h"

namespace orvanta {
namespace {

// Period lengths are stated to 0.1 day, so a length within half of that of
// the stated range rounds into it.
constexpr double kStatedLengthRoundingDays = 0.05;
constexpr double kMinutesPerDay = 1440.0;

struct PlanetRow {
  const char* planet;
  StationTables (*load)();
  std::size_t rows;
  std::string_view firstStart, firstEnd, lastStart, lastEnd;
  double shortestDays, longestDays;
};

constexpr std::array<PlanetRow, 8> kPlanetRows = {{
    {"Mercury", MercuryStationTables, 476, "3,15,1900,13,19,", "4,7,1900,18,42,",
     "12,1,2050,17,17,", "12,21,2050,11,33,", 19.4, 24.6},
    {"Venus", VenusStationTables, 95, "6,16,1900,22,56,", "7,30,1900,2,44,", "9,25,2050,22,15,",
     "11,6,2050,19,4,", 40.4, 43.6},
    {"Mars", MarsStationTables, 71, "1,13,1901,6,16,", "4,4,1901,7,21,", "7,15,2050,5,50,",
     "9,13,2050,9,41,", 59.9, 81.1},
    {"Jupiter", JupiterStationTables, 139, "3,27,1900,20,39,", "7,29,1900,1,35,",
     "12,21,2050,13,21,", "4,21,2051,23,46,", 116.7, 124.6},
    {"Saturn", SaturnStationTables, 146, "4,14,1900,6,2,", "9,2,1900,14,39,", "5,18,2050,13,6,",
     "10,6,2050,11,5,", 133.4, 141.9},
    {"Uranus", UranusStationTables, 150, "3,17,1900,17,36,", "8,17,1900,15,27,",
     "12,30,2050,15,40,", "5,29,2051,6,22,", 148.8, 154.6},
    {"Neptune", NeptuneStationTables, 150, "10,2,1900,13,58,", "3,8,1901,0,45,", "8,31,2050,13,52,",
     "2,4,2051,10,41,", 155.9, 160.7},
    {"Pluto", PlutoStationTables, 151, "9,16,1899,5,48,", "2,27,1900,7,36,", "6,10,2050,3,49,",
     "11,21,2050,16,16,", 156.2, 164.8},
}};

// "M,D,YYYY,H,MIN,": no leading zeros, four-digit year, hour 0..23, minute 0..59.
const std::regex kRecordForm(
    "^(1[0-2]|[1-9]),(3[01]|[12][0-9]|[1-9]),([1-9][0-9]{3}),(2[0-3]|1[0-9]|[0-9]),([1-5][0-9]|["
    "0-9]),$");

// The moment of a record, or nullopt when it is not of the record form or
// not a real calendar date.
std::optional<LocalDateTime> RecordMoment(std::string_view text) {
  const std::string s(text);
  std::smatch m;
  if (!std::regex_match(s, m, kRecordForm)) return std::nullopt;
  const int month = std::stoi(m[1]), day = std::stoi(m[2]), year = std::stoi(m[3]);
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return MakeDateTime(year, month, day, std::stoi(m[4]), std::stoi(m[5]));
}

double DaysBetween(LocalDateTime from, LocalDateTime to) {
  return std::chrono::duration<double>(to - from).count() / (kMinutesPerDay * 60.0);
}

TEST(StationTables, RowCountsAreTheDefinedOnes) {
  std::size_t total = 0;
  for (const PlanetRow& row : kPlanetRows) {
    SCOPED_TRACE(row.planet);
    const StationTables t = row.load();
    EXPECT_EQ(t.RetroStart.size(), row.rows);
    EXPECT_EQ(t.RetroEnd.size(), row.rows);
    EXPECT_EQ(t.PeriodDays.size(), row.rows);
    total += t.RetroStart.size();
  }
  EXPECT_EQ(total, 1378u);  // all rows of the eight planets
}

TEST(StationTables, FirstAndLastRowsAreExactlyTheBounds) {
  for (const PlanetRow& row : kPlanetRows) {
    SCOPED_TRACE(row.planet);
    const StationTables t = row.load();
    ASSERT_FALSE(t.RetroStart.empty());
    EXPECT_EQ(t.RetroStart.front(), row.firstStart);
    EXPECT_EQ(t.RetroEnd.front(), row.firstEnd);
    EXPECT_EQ(t.RetroStart.back(), row.lastStart);
    EXPECT_EQ(t.RetroEnd.back(), row.lastEnd);
  }
}

TEST(StationTables, EveryRecordIsWellFormed) {
  for (const PlanetRow& row : kPlanetRows) {
    const StationTables t = row.load();
    for (std::size_t i = 0; i < t.RetroStart.size(); ++i) {
      for (const std::string_view record : {t.RetroStart[i], t.RetroEnd[i]}) {
        SCOPED_TRACE(std::string(row.planet) + " row " + std::to_string(i) + " \"" +
                     std::string(record) + "\"");
        EXPECT_TRUE(RecordMoment(record).has_value());
        const int year = Split(RecordMoment(record).value_or(LocalDateTime{})).year;
        EXPECT_GE(year, 1899);
        EXPECT_LE(year, 2051);
      }
    }
  }
}

TEST(StationTables, PeriodsRunInTimeOrderWithoutOverlap) {
  for (const PlanetRow& row : kPlanetRows) {
    const StationTables t = row.load();
    std::optional<LocalDateTime> previousEnd;
    for (std::size_t i = 0; i < t.RetroStart.size(); ++i) {
      SCOPED_TRACE(std::string(row.planet) + " row " + std::to_string(i) + ": " +
                   std::string(t.RetroStart[i]) + " to " + std::string(t.RetroEnd[i]));
      const std::optional<LocalDateTime> start = RecordMoment(t.RetroStart[i]);
      const std::optional<LocalDateTime> end = RecordMoment(t.RetroEnd[i]);
      ASSERT_TRUE(start && end);
      EXPECT_LT(*start, *end);
      if (previousEnd) {
        EXPECT_LT(*previousEnd, *start) << "previous period ends " << FormatIsoMinute(*previousEnd);
      }
      previousEnd = end;
    }
  }
}

TEST(StationTables, EveryPeriodLastsWithinTheDefinedRange) {
  for (const PlanetRow& row : kPlanetRows) {
    const StationTables t = row.load();
    for (std::size_t i = 0; i < t.RetroStart.size(); ++i) {
      const std::optional<LocalDateTime> start = RecordMoment(t.RetroStart[i]);
      const std::optional<LocalDateTime> end = RecordMoment(t.RetroEnd[i]);
      ASSERT_TRUE(start && end);
      const double days = DaysBetween(*start, *end);
      SCOPED_TRACE(std::string(row.planet) + " row " + std::to_string(i) + ": " +
                   std::string(t.RetroStart[i]) + " to " + std::string(t.RetroEnd[i]) + " lasts " +
                   std::to_string(days) + " days");
      EXPECT_GE(days, row.shortestDays - kStatedLengthRoundingDays);
      EXPECT_LT(days, row.longestDays + kStatedLengthRoundingDays);
    }
  }
}

// The day numbers the lookup searches are the dates of the texts.
TEST(StationTables, PeriodDaysAreTheDatesOfTheRecords) {
  using std::chrono::days;
  using std::chrono::floor;
  for (const PlanetRow& row : kPlanetRows) {
    const StationTables t = row.load();
    for (std::size_t i = 0; i < t.RetroStart.size(); ++i) {
      SCOPED_TRACE(std::string(row.planet) + " row " + std::to_string(i));
      const std::optional<LocalDateTime> start = RecordMoment(t.RetroStart[i]);
      const std::optional<LocalDateTime> end = RecordMoment(t.RetroEnd[i]);
      ASSERT_TRUE(start && end);
      EXPECT_EQ(t.PeriodDays[i].StartDay, floor<days>(*start).time_since_epoch().count());
      EXPECT_EQ(t.PeriodDays[i].EndDay, floor<days>(*end).time_since_epoch().count());
    }
  }
}

TEST(StationRecords, ParserAcceptsOnlyTheRecordForm) {
  struct Case {
    const char* name;
    std::string_view text;
    bool wellFormed;
  };
  constexpr std::array<Case, 14> kCases = {{
      {"first Mercury start", "3,15,1900,13,19,", true},
      {"zero hour and minute", "9,2,1900,0,0,", true},
      {"29 February of a leap year", "2,29,2000,23,59,", true},
      {"no trailing comma", "3,15,1900,13,19", false},
      {"leading zero in the month", "03,15,1900,13,19,", false},
      {"leading zero in the minute", "3,15,1900,13,09,", false},
      {"blank inside", "3, 15,1900,13,19,", false},
      {"two-digit year", "3,15,00,13,19,", false},
      {"hour 24", "3,15,1900,24,0,", false},
      {"minute 60", "3,15,1900,23,60,", false},
      {"month 13", "13,1,1900,0,0,", false},
      {"30 February", "2,30,1900,0,0,", false},
      {"29 February of 1900", "2,29,1900,0,0,", false},
      {"sixth field filled", "3,15,1900,13,19,7,", false},
  }};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + ": \"" + std::string(c.text) + "\"");
    EXPECT_EQ(ParseStationRecord(c.text).has_value(), c.wellFormed);
    // The test's own parser must agree, so the two checks above mean the same.
    EXPECT_EQ(RecordMoment(c.text).has_value(), c.wellFormed);
  }
}

TEST(StationRecords, MonthNumberReadsTheMonthField) {
  struct Case {
    const char* name;
    std::string_view record;
    int month;
  };
  constexpr std::array<Case, 5> kCases = {{
      {"one-digit month", "3,15,1900,13,19,", 3},
      {"two-digit month", "12,21,2050,11,33,", 12},
      {"October", "10,2,1900,13,58,", 10},
      {"empty text is no record", "", 0},
      {"malformed record", "3/15/1900", 0},
  }};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + ": \"" + std::string(c.record) + "\"");
    EXPECT_EQ(StationRecordMonth(c.record), c.month);
  }
}

}  // namespace
}  // namespace orvanta
