// The Vimshottari dasha: the periods of a life, counted from the Moon's
// nakshatra at birth.
//
// Method: the nine lords rule in a fixed order for their years, 120 in all;
// the first mahadasha is the lord of the Moon's nakshatra, and the part of
// the nakshatra (13°20') the Moon has already run is the part of that lord's
// years already gone at birth. Every period divides into nine in the same
// order, starting from its own lord, each in proportion to its years; five
// levels deep (mahadasha, antardasha, pratyantardasha, sookshma, prana).
//
// Exactness: a boundary at any of the five levels lies a whole number of
// units of 1/120^4 year after the first mahadasha's start, so every boundary
// is that start plus a cumulative whole count of units, turned into seconds
// once (rounded to the nearest second). Sub-periods therefore meet without
// gaps and their lengths sum to their parent's to the second, at every
// level, and changing the year length scales every count the same way.
//
// Input: the Moon's sidereal longitude in degrees and the birth instant in
// Universal Time (whole seconds); the year length is a setting. Output:
// instants in Universal Time, whole seconds. Periods are made on demand: a
// period's sub-periods, or the periods running at an instant, never the
// whole 9^5 tree.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orvanta::dasha {

using UtSeconds = std::chrono::sys_seconds;

// The nine lords, in the order of their periods.
enum class Lord : std::uint8_t { Ketu, Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury };

struct LordRow {
  Lord lord;
  std::string_view name;  // the program's English name of the body
  int years;              // the length of its mahadasha
};

// The lords and their years in the order they follow one another, after
// Brihat Parashara Hora Shastra, the chapter on the Vimshottari dasha (Ketu
// 7, Venus 20, Sun 6, Moon 10, Mars 7, Rahu 18, Jupiter 16, Saturn 19,
// Mercury 17; 120 years). Ashwini's lord is Ketu and the order repeats every
// nine nakshatras.
inline constexpr std::array<LordRow, 9> kVimshottariLords = {{
    {Lord::Ketu, "Ketu", 7},
    {Lord::Venus, "Venus", 20},
    {Lord::Sun, "Sun", 6},
    {Lord::Moon, "Moon", 10},
    {Lord::Mars, "Mars", 7},
    {Lord::Rahu, "Rahu", 18},
    {Lord::Jupiter, "Jupiter", 16},
    {Lord::Saturn, "Saturn", 19},
    {Lord::Mercury, "Mercury", 17},
}};

// The full cycle, years.
inline constexpr int kCycleYears = 120;
// The levels: 1 mahadasha .. 5 prana.
inline constexpr int kMaxLevel = 5;
inline constexpr std::array<std::string_view, kMaxLevel> kLevelNames = {
    "mahadasha", "antardasha", "pratyantardasha", "sookshma", "prana"};

// Whole units a boundary lies from the first mahadasha's start: 1/120^4
// year, so that the shortest prana (Sun within Sun four times over, 6^5
// units) and every sum of periods are whole counts.
using Units = std::int64_t;
inline constexpr Units kUnitsPerYear = Units{120} * 120 * 120 * 120;
inline constexpr Units kCycleUnits = kCycleYears * kUnitsPerYear;

// The length of the year the periods are counted in.
enum class YearLength { Julian, Gregorian, Sidereal, Savana };

struct YearLengthRow {
  YearLength length;
  std::string_view name;     // the command line's and the settings file's value
  std::int64_t microdays;    // the year in millionths of a day (exact)
  std::string_view caption;  // for the user
};

// Julian 365.25 days, the year of most printed tables (the default);
// Gregorian 365.2425 (the civil calendar's mean year); sidereal 365.256363
// (the Earth's revolution against the stars, J2000); savana 360 (twelve
// months of thirty days).
inline constexpr std::array<YearLengthRow, 4> kYearLengths = {{
    {YearLength::Julian, "julian", 365'250'000, "Julian year, 365.25 days"},
    {YearLength::Gregorian, "gregorian", 365'242'500, "Gregorian year, 365.2425 days"},
    {YearLength::Sidereal, "sidereal", 365'256'363, "sidereal year, 365.256363 days"},
    {YearLength::Savana, "savana", 360'000'000, "savana year, 360 days"},
}};
inline constexpr YearLength kDefaultYearLength = YearLength::Julian;

const YearLengthRow& YearLengthRowOf(YearLength length);
// Days in the year (365.25 ...).
double YearDays(YearLength length);
std::string_view YearLengthName(YearLength length);
std::optional<YearLength> YearLengthFromName(std::string_view name);

// The lord's row, and the lord `steps` places after `lord` in the order.
const LordRow& RowOf(Lord lord);
std::string_view LordName(Lord lord);
Lord LordAfter(Lord lord, int steps);
// The lord of a nakshatra (0 Ashwini .. 26 Revati): the order above from
// Ashwini, again from Magha and from Mula.
Lord LordOfNakshatra(int nakshatra);

// One period: the lords from its mahadasha down to itself, where it lies in
// the cycle (whole units from the first mahadasha's start) and when.
struct Period {
  int level = 1;                       // 1 mahadasha .. 5 prana
  std::array<Lord, kMaxLevel> path{};  // lords of levels 1..level; path[level-1] is its own
  Units startUnits = 0;
  Units lengthUnits = 0;
  UtSeconds start{}, end{};

  Lord lord() const { return path[static_cast<std::size_t>(level - 1)]; }
};

// The scheme of one birth: where its cycle starts and everything the
// periods are made from.
struct Vimshottari {
  double moonLongitudeDeg = 0;  // sidereal, 0 <= value < 360
  int nakshatra = 0;            // 0 Ashwini .. 26 Revati
  Lord firstLord = Lord::Ketu;
  double elapsedFraction = 0;  // part of the nakshatra the Moon has run, 0 <= f < 1
  double balanceYears = 0;     // years of the first mahadasha left at birth
  YearLength yearLength = kDefaultYearLength;
  UtSeconds birth{};
  UtSeconds firstStart{};  // the first mahadasha's start, at or before the birth
};

// The scheme of a birth from the Moon's sidereal longitude and the birth
// instant; nothing for a longitude that is not a finite number.
std::optional<Vimshottari> VimshottariOf(double moonSiderealDeg, UtSeconds birthUt,
                                         YearLength yearLength = kDefaultYearLength);

// The instant `units` after the first mahadasha's start.
UtSeconds InstantAt(const Vimshottari& v, Units units);

// The nine mahadashas from the first.
std::array<Period, 9> Mahadashas(const Vimshottari& v);

// The nine sub-periods of a period, starting with its own lord; nothing for
// a prana (the fifth level has none).
std::optional<std::array<Period, 9>> SubPeriods(const Vimshottari& v, const Period& parent);

// The periods running at an instant, one per level from the mahadasha down to
// `levels` (1..5, clamped); empty outside the 120 years.
std::vector<Period> PeriodsAt(const Vimshottari& v, UtSeconds instant, int levels = kMaxLevel);

// A span of years as the tables print it: years, months of a twelfth of a
// year and days of a thirtieth of a month, rounded to the nearest day (half a
// day up).
struct YearsMonthsDays {
  int years = 0, months = 0, days = 0;
};
YearsMonthsDays YearsMonthsDaysOf(double years);

}  // namespace orvanta::dasha
