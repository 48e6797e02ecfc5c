// Retrograde lookup and chart marks.
//
// Expected values come from the station dates of the committed tables (first
// rows: Mercury 15 March to 7 April 1900, Jupiter from 27 March 1900, Saturn
// 14 April to 2 September 1900, Uranus 17 March to 17 August 1900) and from the
// rule that a planet is retrograde only on dates strictly between the two
// station dates. The fast lookup is also compared with a literal row-by-row
// scan of the texts over thousands of dates.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "engine/retrograde.h"
#include "engine/stations.h"
#include "model/datetime.h"

namespace orvanta {
namespace {

struct LookupCase {
  const char* name;
  std::string_view planet;
  int year, month, day, hour, minute;
  bool retrograde;
};

constexpr std::array<LookupCase, 18> kLookupCases = {{
    {"Mercury the day after its station retrograde, midnight", "Mercury", 1900, 3, 16, 0, 0, true},
    {"Mercury the day after its station retrograde, 23:59", "Mercury", 1900, 3, 16, 23, 59, true},
    {"Mercury the day before its station direct", "Mercury", 1900, 4, 6, 12, 0, true},
    {"Mercury on its station retrograde day, midnight", "Mercury", 1900, 3, 15, 0, 0, false},
    {"Mercury on its station retrograde day, after the station", "Mercury", 1900, 3, 15, 23, 59,
     false},
    {"Mercury on its station direct day, midnight", "Mercury", 1900, 4, 7, 0, 0, false},
    {"Mercury on its station direct day, before the station", "Mercury", 1900, 4, 7, 12, 0, false},
    {"Saturn on its station retrograde day, 23:59", "Saturn", 1900, 4, 14, 23, 59, false},
    {"Saturn the next day at 00:00", "Saturn", 1900, 4, 15, 0, 0, true},
    {"Saturn the day before its station direct", "Saturn", 1900, 9, 1, 23, 59, true},
    {"Saturn on its station direct day", "Saturn", 1900, 9, 2, 0, 0, false},
    {"Uranus inside its first period", "Uranus", 1900, 6, 1, 12, 0, true},
    {"Pluto inside its first period", "Pluto", 1899, 12, 1, 12, 0, true},
    {"Mercury inside its last period", "Mercury", 2050, 12, 10, 12, 0, true},
    {"Jupiter inside its last period, after 2050", "Jupiter", 2051, 2, 1, 12, 0, true},
    {"lower-case name is unknown", "mercury", 1900, 3, 16, 12, 0, false},
    {"Sun has no tables", "Sun", 1900, 3, 16, 12, 0, false},
    {"empty name", "", 1900, 3, 16, 12, 0, false},
}};

TEST(IsRetrograde, StationDaysAndNamedDates) {
  for (const LookupCase& c : kLookupCases) {
    const LocalDateTime when = MakeDateTime(c.year, c.month, c.day, c.hour, c.minute);
    SCOPED_TRACE(std::string(c.name) + ": " + std::string(c.planet) + " at " +
                 FormatIsoMinute(when));
    EXPECT_EQ(IsRetrogradeOn(c.planet, when), c.retrograde);
  }
}

// Plain chart names, as every computation starts from.
ChartLabels PlainLabels() {
  ChartLabels labels;
  for (std::size_t k = 0; k < labels.size(); ++k) labels[k] = std::string(kChartLabelNames[k]);
  return labels;
}

struct MarkingCase {
  const char* name;
  int year, month, day, hour, minute;
  std::array<bool, 8> flags;           // Mercury..Pluto
  std::array<const char*, 10> labels;  // Sun..Asc
};

constexpr std::array<const char*, 10> kPlain = {"Sun",     "Moon",   "Mercury", "Venus", "Mars",
                                                "Jupiter", "Saturn", "Rahu",    "Ketu",  "Asc"};

const std::array<MarkingCase, 6> kMarkingCases = {{
    {"16 March 1900: Mercury alone",
     1900,
     3,
     16,
     10,
     30,
     {true, false, false, false, false, false, false, false},
     {"Sun", "Moon", "Mercury (R) ", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"}},
    {"1 June 1900: Jupiter, Saturn and Uranus; Uranus has no label",
     1900,
     6,
     1,
     12,
     0,
     {false, false, false, true, true, true, false, false},
     {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter (R) ", "Saturn (R) ", "Rahu", "Ketu",
      "Asc"}},
    {"1 March 1900: none (Pluto turned direct on 27 February)",
     1900,
     3,
     1,
     0,
     0,
     {false, false, false, false, false, false, false, false},
     kPlain},
    {"before the tables", 1898, 6, 15, 12, 0, {}, kPlain},
    {"after the tables", 2052, 6, 15, 12, 0, {}, kPlain},
    {"30 February is no date: no marks", 1900, 2, 30, 12, 0, {}, kPlain},
}};

TEST(RetrogradeMarking, FlagsAndLabels) {
  for (const MarkingCase& c : kMarkingCases) {
    SCOPED_TRACE(c.name);
    const RetrogradeMarks marks = RetrogradeMarksAt(c.month, c.day, c.year, c.hour, c.minute);
    for (std::size_t k = 0; k < c.flags.size(); ++k) {
      SCOPED_TRACE(kRetrogradePlanets[k]);
      EXPECT_EQ(marks.RetroFlag[k], c.flags[k]);
    }
    for (std::size_t k = 0; k < c.labels.size(); ++k) {
      EXPECT_EQ(marks.ChartLabel[k], c.labels[k]) << "label " << k;
    }
  }
}

TEST(RetrogradeMarking, SecondComputationLeavesNoStaleMark) {
  const RetrogradeMarks first = RetrogradeMarksAt(3, 16, 1900, 10, 30);
  ASSERT_EQ(first.ChartLabel[Body::Mercury], "Mercury (R) ");
  const RetrogradeMarks second = RetrogradeMarksAt(3, 1, 1900, 10, 30);
  EXPECT_EQ(second.ChartLabel, PlainLabels());
  const RetrogradeMarks third = RetrogradeMarksAt(3, 16, 1900, 10, 30);
  EXPECT_EQ(third.ChartLabel, first.ChartLabel);
}

TEST(RetrogradeMarking, NoMarksOnAnyDayOf1898Or2052) {
  for (const int year : {1898, 2052}) {
    for (int day = 1; day <= 365; ++day) {
      const CivilTime c = Split(MakeDateTime(year, 1, day));
      const RetrogradeMarks marks = RetrogradeMarksAt(c.month, c.day, c.year, 12, 0);
      ASSERT_EQ(marks.RetroFlag, (std::array<bool, 8>{}))
          << c.year << "-" << c.month << "-" << c.day;
    }
  }
}

TEST(RetrogradeMarking, OutOfRangeEntriesGiveNoMarks) {
  struct Case {
    const char* name;
    int month, day, year, hour, minute;
  };
  // Each would be 16 March 1900 (Mercury retrograde) but for one bad field.
  constexpr std::array<Case, 6> kCases = {{
      {"month 0", 0, 16, 1900, 10, 30},
      {"month 13", 13, 16, 1900, 10, 30},
      {"day 0", 3, 0, 1900, 10, 30},
      {"day 32", 3, 32, 1900, 10, 30},
      {"hour 24", 3, 16, 1900, 24, 0},
      {"minute -1", 3, 16, 1900, 10, -1},
  }};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const RetrogradeMarks marks = RetrogradeMarksAt(c.month, c.day, c.year, c.hour, c.minute);
    EXPECT_EQ(marks.RetroFlag, (std::array<bool, 8>{}));
    EXPECT_EQ(marks.ChartLabel, PlainLabels());
  }
}

// A planet's tables by name, empty for an unknown name.
StationTables TablesOf(std::string_view planet) {
  constexpr std::array<StationTables (*)(), 8> kLoaders = {
      MercuryStationTables, VenusStationTables,  MarsStationTables,    JupiterStationTables,
      SaturnStationTables,  UranusStationTables, NeptuneStationTables, PlutoStationTables};
  for (std::size_t k = 0; k < kRetrogradePlanets.size(); ++k) {
    if (kRetrogradePlanets[k] == planet) return kLoaders[k]();
  }
  return {};
}

// The lookup as a literal scan of the texts: split each pair of records, form
// their dates, and count whole days from the birth date to each.
bool LinearScanRetrograde(std::string_view planet, LocalDateTime when) {
  const StationTables t = TablesOf(planet);
  const auto birthDate = std::chrono::floor<std::chrono::days>(when);
  const auto dateOf = [](std::string_view record) {
    int month = 0, day = 0, year = 0, hour = 0, minute = 0;
    std::sscanf(std::string(record).c_str(), "%d,%d,%d,%d,%d,", &month, &day, &year, &hour,
                &minute);
    return std::chrono::floor<std::chrono::days>(MakeDateTime(year, month, day, hour, minute));
  };
  for (std::size_t i = 0; i < t.RetroStart.size(); ++i) {
    const auto d1 = (dateOf(t.RetroStart[i]) - birthDate).count();
    const auto d2 = (dateOf(t.RetroEnd[i]) - birthDate).count();
    if (d1 < 0 && d2 > 0) return true;
  }
  return false;
}

TEST(IsRetrograde, SameAsLinearScanOnRandomDates) {
  constexpr int kDates = 4000;
  const LocalDateTime from = MakeDateTime(1898, 1, 1);
  const LocalDateTime to = MakeDateTime(2052, 12, 31, 23, 59);
  std::mt19937_64 rng(20240601);  // fixed seed: the same dates every run
  std::uniform_int_distribution<long long> minute(
      0, std::chrono::duration_cast<std::chrono::minutes>(to - from).count());
  int retrogradeSeen = 0;
  for (int n = 0; n < kDates; ++n) {
    const LocalDateTime when = from + std::chrono::minutes{minute(rng)};
    for (const std::string_view planet : kRetrogradePlanets) {
      const bool expected = LinearScanRetrograde(planet, when);
      ASSERT_EQ(IsRetrogradeOn(planet, when), expected)
          << planet << " at " << FormatIsoMinute(when);
      retrogradeSeen += expected;
    }
  }
  // Some thousands of the 32000 lookups fall inside a period, so both outcomes are exercised.
  EXPECT_GT(retrogradeSeen, 1000);
}

// Station days and their neighbours are where a search by day number could
// slip by one; try every one of them.
TEST(IsRetrograde, SameAsLinearScanAroundEveryStation) {
  using std::chrono::days;
  for (const std::string_view planet : kRetrogradePlanets) {
    const StationTables t = TablesOf(planet);
    ASSERT_FALSE(t.PeriodDays.empty()) << planet;
    for (const RetroPeriodDays& p : t.PeriodDays) {
      for (const std::int32_t station : {p.StartDay, p.EndDay}) {
        for (int offset = -1; offset <= 1; ++offset) {
          const LocalDateTime when = LocalDateTime{} + days{station + offset};
          ASSERT_EQ(IsRetrogradeOn(planet, when), LinearScanRetrograde(planet, when))
              << planet << " at " << FormatIsoMinute(when);
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvanta
