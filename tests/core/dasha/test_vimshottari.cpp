// The Vimshottari periods: worked examples by hand and from a published
// tutorial, and the properties every birth's periods must have.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>

#include "dasha/vimshottari.h"

namespace orvanta::dasha {
namespace {

using std::chrono::seconds;
using std::chrono::sys_days;

UtSeconds At(int y, unsigned m, unsigned d, int hh = 0, int mm = 0, int ss = 0) {
  return sys_days{std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}} +
         std::chrono::hours{hh} + std::chrono::minutes{mm} + seconds{ss};
}

// Seconds in `years` of the Julian year, the default.
inline constexpr double kJulianYearSeconds = 365.25 * 86400;
// A boundary is rounded once to the nearest second.
inline constexpr double kRoundingSeconds = 0.5;

TEST(Vimshottari, LordsTable) {
  // The nine lords and their years sum to the 120 years of the cycle, and
  // the order repeats every nine nakshatras from Ashwini (Ketu).
  int total = 0;
  for (std::size_t i = 0; i < kVimshottariLords.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(kVimshottariLords[i].lord), i);
    total += kVimshottariLords[i].years;
  }
  EXPECT_EQ(total, kCycleYears);
  EXPECT_EQ(LordAfter(Lord::Mercury, 1), Lord::Ketu);
  EXPECT_EQ(LordAfter(Lord::Ketu, -1), Lord::Mercury);
  EXPECT_EQ(LordAfter(Lord::Rahu, 9), Lord::Rahu);
}

// Worked examples: the Moon at the edges of the zodiac's nakshatras, and a
// published balance at birth.
TEST(Vimshottari, WorkedExamples) {
  struct Row {
    const char* name;
    double moonDeg;
    int nakshatra;
    Lord first;
    double balanceYears;            // of the first lord, left at birth
    double secondStartAfterBirthS;  // seconds from the birth to the second mahadasha
    YearsMonthsDays balance;        // as printed: 12 months of 30 days
  };
  const UtSeconds birth = At(1980, 6, 15, 5, 0, 0);
  const Row rows[] = {
      // By hand: 0°00' is the start of Ashwini, whose lord is Ketu; nothing
      // of it has run, the whole 7 years lie ahead.
      {"0°00' Ashwini: full Ketu", 0.0, 0, Lord::Ketu, 7, 7 * kJulianYearSeconds, {7, 0, 0}},
      // By hand: 13°20' is where Bharani begins; its lord Venus has all of
      // its 20 years ahead.
      {"13°20' Bharani begins: full Venus",
       40.0 / 3,
       1,
       Lord::Venus,
       20,
       20 * kJulianYearSeconds,
       {20, 0, 0}},
      // By hand: one second of arc before 360° is the last second of
      // Revati (lord Mercury, 17 years): 1" of its 800' left, 17 / 48000
      // years, 11176.65 s, about 3 hours 6 minutes.
      {"last second of Revati: Mercury almost over",
       360 - 1.0 / 3600,
       26,
       Lord::Mercury,
       17.0 / 48000,
       17.0 / 48000 * kJulianYearSeconds,
       {0, 0, 0}},
      // horosoft.net, "Calculation of Major Periods" (Method I): the Moon at
      // 6s 7°35' (Libra, 187°35') stands in Swati, lord Rahu, with 12°25' =
      // 745' of its 800' still to run: 745 × 18 / 800 = 16 305/400 years =
      // 16 years 9.15 months = 16 years 9 months 4.5 days, which the author
      // rounds to 5 days. The author counts a year as 12 months of 30 days.
      {"horosoft.net: Rahu, 16 years 9 months 5 days",
       187 + 35.0 / 60,
       14,
       Lord::Rahu,
       16.7625,
       16.7625 * kJulianYearSeconds,
       {16, 9, 5}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto v = VimshottariOf(r.moonDeg, birth);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->nakshatra, r.nakshatra);
    EXPECT_EQ(v->firstLord, r.first);
    EXPECT_NEAR(v->balanceYears, r.balanceYears, 1e-9) << "Moon " << r.moonDeg;
    const auto periods = Mahadashas(*v);
    EXPECT_EQ(periods[0].lord(), r.first);
    const double secondS = static_cast<double>((periods[1].start - birth).count());
    EXPECT_NEAR(secondS, r.secondStartAfterBirthS, 2 * kRoundingSeconds)
        << "Moon " << r.moonDeg << ": second mahadasha " << secondS << " s after birth";
    const YearsMonthsDays ymd = YearsMonthsDaysOf(v->balanceYears);
    EXPECT_EQ(ymd.years, r.balance.years);
    EXPECT_EQ(ymd.months, r.balance.months);
    EXPECT_EQ(ymd.days, r.balance.days);
  }
}

TEST(Vimshottari, FullPeriodsStartAtBirth) {
  // A Moon at the very start of a nakshatra: the first mahadasha starts at
  // the birth, to the second, and the Ketu mahadasha runs 7 Julian years.
  const UtSeconds birth = At(2000, 1, 1, 12, 0, 0);
  const auto v = VimshottariOf(0.0, birth);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->firstStart, birth);
  const auto maha = Mahadashas(*v);
  EXPECT_EQ(maha[0].end - maha[0].start, seconds{7 * 31'557'600});
  EXPECT_EQ(maha[8].lord(), Lord::Mercury);
}

// Antardashas of the printed tables: period × sub-lord's years / 120,
// in years of 12 months of 30 days (the antardasha tables of the manuals
// list Ketu-Ketu 4 months 27 days, Venus-Venus 3 years 4 months, Sun-Sun 3
// months 18 days, Saturn-Mercury 2 years 8 months 9 days).
TEST(Vimshottari, AntardashaLengths) {
  struct Row {
    Lord maha, antar;
    YearsMonthsDays length;
  };
  const Row rows[] = {
      {Lord::Ketu, Lord::Ketu, {0, 4, 27}},      {Lord::Venus, Lord::Venus, {3, 4, 0}},
      {Lord::Sun, Lord::Sun, {0, 3, 18}},        {Lord::Saturn, Lord::Mercury, {2, 8, 9}},
      {Lord::Jupiter, Lord::Saturn, {2, 6, 12}},
  };
  const auto v = VimshottariOf(0.0, At(2000, 1, 1));
  ASSERT_TRUE(v);
  const auto maha = Mahadashas(*v);
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(LordName(r.maha)) + "-" + std::string(LordName(r.antar)));
    const Period& m = maha[static_cast<std::size_t>(r.maha)];
    ASSERT_EQ(m.lord(), r.maha);
    const auto subs = SubPeriods(*v, m);
    ASSERT_TRUE(subs);
    bool seen = false;
    for (const Period& p : *subs) {
      if (p.lord() != r.antar) continue;
      seen = true;
      const double years = static_cast<double>(p.lengthUnits) / kUnitsPerYear;
      const YearsMonthsDays ymd = YearsMonthsDaysOf(years);
      EXPECT_EQ(ymd.years, r.length.years);
      EXPECT_EQ(ymd.months, r.length.months);
      EXPECT_EQ(ymd.days, r.length.days);
    }
    EXPECT_TRUE(seen);
  }
}

TEST(Vimshottari, PeriodsAtAnInstant) {
  const UtSeconds birth = At(1980, 6, 15, 5, 0, 0);
  const auto v = VimshottariOf(187 + 35.0 / 60, birth);
  ASSERT_TRUE(v);
  // At birth: Rahu's mahadasha, and one period per level, nested.
  const auto atBirth = PeriodsAt(*v, birth);
  ASSERT_EQ(atBirth.size(), 5u);
  EXPECT_EQ(atBirth[0].lord(), Lord::Rahu);
  for (std::size_t i = 0; i < atBirth.size(); ++i) {
    EXPECT_EQ(atBirth[i].level, static_cast<int>(i) + 1);
    EXPECT_LE(atBirth[i].start, birth);
    EXPECT_LT(birth, atBirth[i].end);
    if (i > 0) {
      EXPECT_LE(atBirth[i - 1].start, atBirth[i].start);
      EXPECT_LE(atBirth[i].end, atBirth[i - 1].end);
    }
  }
  EXPECT_EQ(PeriodsAt(*v, birth, 2).size(), 2u);
  // The start of the second mahadasha belongs to it, not to the first.
  const auto maha = Mahadashas(*v);
  const auto atSecond = PeriodsAt(*v, maha[1].start, 3);
  ASSERT_EQ(atSecond.size(), 3u);
  EXPECT_EQ(atSecond[0].lord(), Lord::Jupiter);
  EXPECT_EQ(atSecond[1].lord(), Lord::Jupiter);
  EXPECT_EQ(atSecond[2].lord(), Lord::Jupiter);
  // Outside the 120 years nothing runs.
  EXPECT_TRUE(PeriodsAt(*v, maha[0].start - seconds{1}).empty());
  EXPECT_TRUE(PeriodsAt(*v, maha[8].end).empty());
  EXPECT_FALSE(PeriodsAt(*v, maha[8].end - seconds{1}).empty());
}

TEST(Vimshottari, RefusesAMoonThatIsNoNumber) {
  EXPECT_FALSE(VimshottariOf(NAN, At(2000, 1, 1)));
  EXPECT_FALSE(VimshottariOf(INFINITY, At(2000, 1, 1)));
  // A longitude outside 0..360 is the same point of the zodiac.
  const auto a = VimshottariOf(370, At(2000, 1, 1));
  const auto b = VimshottariOf(10, At(2000, 1, 1));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->firstStart, b->firstStart);
}

TEST(Vimshottari, YearLengthNames) {
  for (const YearLengthRow& row : kYearLengths) {
    EXPECT_EQ(YearLengthFromName(row.name), row.length);
    EXPECT_EQ(YearLengthName(row.length), row.name);
  }
  EXPECT_EQ(YearDays(YearLength::Julian), 365.25);
  EXPECT_EQ(YearDays(YearLength::Gregorian), 365.2425);
  EXPECT_EQ(YearDays(YearLength::Sidereal), 365.256363);
  EXPECT_EQ(YearDays(YearLength::Savana), 360);
  EXPECT_FALSE(YearLengthFromName("tropical"));
}

// The sub-periods of `parent`: contiguous from its start to its end, first
// its own lord, then the order; lengths in proportion to the lords' years.
void CheckSubPeriods(const Vimshottari& v, const Period& parent) {
  const auto subs = SubPeriods(v, parent);
  ASSERT_TRUE(subs) << "level " << parent.level;
  EXPECT_EQ((*subs)[0].lord(), parent.lord()) << "level " << parent.level;
  EXPECT_EQ((*subs)[0].start, parent.start);
  EXPECT_EQ((*subs)[8].end, parent.end);
  Units unitSum = 0;
  seconds secondSum{0};
  for (std::size_t i = 0; i < subs->size(); ++i) {
    const Period& p = (*subs)[i];
    EXPECT_EQ(p.level, parent.level + 1);
    EXPECT_EQ(p.lord(), LordAfter(parent.lord(), static_cast<int>(i)));
    for (int k = 0; k < parent.level; ++k)
      EXPECT_EQ(p.path[static_cast<std::size_t>(k)], parent.path[static_cast<std::size_t>(k)]);
    if (i > 0) {
      EXPECT_EQ(p.start, (*subs)[i - 1].end) << "gap or overlap at level " << p.level;
    }
    EXPECT_EQ(p.lengthUnits * kCycleYears, parent.lengthUnits * RowOf(p.lord()).years);
    unitSum += p.lengthUnits;
    secondSum += p.end - p.start;
  }
  EXPECT_EQ(unitSum, parent.lengthUnits);
  EXPECT_EQ(secondSum, parent.end - parent.start) << "level " << parent.level;
}

TEST(Vimshottari, PropertiesOverRandomBirths) {
  std::mt19937_64 rng(33);  // fixed: the same births every run
  std::uniform_real_distribution<double> moon(0.0, 360.0);
  // Births 1800..2100, to the second.
  std::uniform_int_distribution<std::int64_t> birthS((At(1800, 1, 1) - UtSeconds{}).count(),
                                                     (At(2100, 1, 1) - UtSeconds{}).count());
  std::uniform_int_distribution<int> pick(0, 8);
  constexpr int kBirths = 2000;
  constexpr int kDeepPaths = 6;  // random paths down to the prana, per birth
  for (int n = 0; n < kBirths; ++n) {
    const double moonDeg = moon(rng);
    const UtSeconds birth = UtSeconds{seconds{birthS(rng)}};
    const YearLength yl = kYearLengths[static_cast<std::size_t>(n % 4)].length;
    SCOPED_TRACE(::testing::Message()
                 << "birth " << n << " Moon " << moonDeg << " at " << (birth - UtSeconds{}).count()
                 << " s, year " << YearLengthName(yl));
    const auto v = VimshottariOf(moonDeg, birth, yl);
    ASSERT_TRUE(v);
    const auto maha = Mahadashas(*v);
    // The nine mahadashas: contiguous, the order from the first lord, 120
    // years from the first start.
    EXPECT_EQ(maha[0].start, v->firstStart);
    for (std::size_t i = 1; i < 9; ++i) EXPECT_EQ(maha[i].start, maha[i - 1].end);
    EXPECT_EQ(maha[8].end, InstantAt(*v, kCycleUnits));
    const double cycleDays = static_cast<double>((maha[8].end - maha[0].start).count()) / 86400;
    EXPECT_NEAR(cycleDays, 120 * YearDays(yl), kRoundingSeconds / 86400);
    // The birth lies inside the first mahadasha.
    EXPECT_LE(maha[0].start, birth);
    EXPECT_LT(birth, maha[0].end);
    EXPECT_EQ(PeriodsAt(*v, birth, 1).at(0).lord(), v->firstLord);

    // Every period to the third level, then random paths to the fifth.
    for (const Period& m : maha) {
      CheckSubPeriods(*v, m);
      const auto antar = SubPeriods(*v, m);
      ASSERT_TRUE(antar);
      for (const Period& a : *antar) CheckSubPeriods(*v, a);
    }
    for (int path = 0; path < kDeepPaths; ++path) {
      Period p = maha[static_cast<std::size_t>(pick(rng))];
      while (p.level < kMaxLevel) {
        CheckSubPeriods(*v, p);
        p = (*SubPeriods(*v, p))[static_cast<std::size_t>(pick(rng))];
      }
      EXPECT_FALSE(SubPeriods(*v, p));
      EXPECT_GT(p.end, p.start) << "an empty prana";
    }

    // The four year lengths scale every length: the same whole units, and
    // seconds in the ratio of the years (each boundary rounded once).
    // Same Moon, so the same lords at the same places of the tree.
    const auto julian = VimshottariOf(moonDeg, birth, YearLength::Julian);
    ASSERT_TRUE(julian);
    const double ratio = YearDays(yl) / YearDays(YearLength::Julian);
    const std::size_t i = static_cast<std::size_t>(pick(rng));
    const std::size_t j = static_cast<std::size_t>(pick(rng));
    const Period jm = Mahadashas(*julian)[i];
    const Period ja = (*SubPeriods(*julian, jm))[j];
    const Period om = maha[i];
    const Period oa = (*SubPeriods(*v, om))[j];
    const std::pair<const Period*, const Period*> pairs[] = {{&jm, &om}, {&ja, &oa}};
    for (const auto& [jp, op] : pairs) {
      EXPECT_EQ(op->lord(), jp->lord());
      EXPECT_EQ(op->startUnits, jp->startUnits);
      EXPECT_EQ(op->lengthUnits, jp->lengthUnits);
      const double julianS = static_cast<double>((jp->end - jp->start).count());
      const double otherS = static_cast<double>((op->end - op->start).count());
      EXPECT_NEAR(otherS, julianS * ratio, 2 * kRoundingSeconds) << "level " << jp->level;
    }
    // The part gone at birth scales the same way.
    const double goneJ = static_cast<double>((birth - julian->firstStart).count());
    const double goneO = static_cast<double>((birth - v->firstStart).count());
    EXPECT_NEAR(goneO, goneJ * ratio, 2 * kRoundingSeconds);
  }
}

}  // namespace
}  // namespace orvanta::dasha
