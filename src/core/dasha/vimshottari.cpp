#include "dasha/vimshottari.h"

#include <algorithm>
#include <cmath>

#include "engine/moon.h"

namespace orvanta::dasha {

namespace {

// Wide enough for a count of units times the year in microdays times the
// seconds of a day (about 8e23).
__extension__ using Wide = __int128;

// The nakshatra's span, arcminutes (13°20').
inline constexpr double kNakshatraArcmin = 800;
inline constexpr std::int64_t kSecondsPerDay = 86400;
inline constexpr std::int64_t kMicrodaysPerDay = 1'000'000;

// Seconds in `units` of a year of `microdays`, rounded to the nearest
// second (half up); units are never negative here.
std::int64_t SecondsOfUnits(Units units, std::int64_t microdays) {
  const Wide numerator = Wide{units} * microdays * kSecondsPerDay;
  const Wide denominator = Wide{kUnitsPerYear} * kMicrodaysPerDay;
  return static_cast<std::int64_t>((2 * numerator + denominator) / (2 * denominator));
}

Period MakePeriod(const Vimshottari& v, int level, const std::array<Lord, kMaxLevel>& path,
                  Units startUnits, Units lengthUnits) {
  Period p;
  p.level = level;
  p.path = path;
  p.startUnits = startUnits;
  p.lengthUnits = lengthUnits;
  p.start = InstantAt(v, startUnits);
  p.end = InstantAt(v, startUnits + lengthUnits);
  return p;
}

}  // namespace

const YearLengthRow& YearLengthRowOf(YearLength length) {
  for (const YearLengthRow& row : kYearLengths)
    if (row.length == length) return row;
  return kYearLengths[0];
}

double YearDays(YearLength length) {
  return static_cast<double>(YearLengthRowOf(length).microdays) / kMicrodaysPerDay;
}

std::string_view YearLengthName(YearLength length) {
  return YearLengthRowOf(length).name;
}

std::optional<YearLength> YearLengthFromName(std::string_view name) {
  for (const YearLengthRow& row : kYearLengths)
    if (row.name == name) return row.length;
  return std::nullopt;
}

const LordRow& RowOf(Lord lord) {
  return kVimshottariLords[static_cast<std::size_t>(lord)];
}

std::string_view LordName(Lord lord) {
  return RowOf(lord).name;
}

Lord LordOfNakshatra(int nakshatra) {
  return LordAfter(Lord::Ketu, nakshatra);  // Ashwini's lord
}

Lord LordAfter(Lord lord, int steps) {
  const int n = static_cast<int>(kVimshottariLords.size());
  const int index = ((static_cast<int>(lord) + steps) % n + n) % n;
  return static_cast<Lord>(index);
}

std::optional<Vimshottari> VimshottariOf(double moonSiderealDeg, UtSeconds birthUt,
                                         YearLength yearLength) {
  if (!std::isfinite(moonSiderealDeg)) return std::nullopt;
  double lonDeg = std::fmod(moonSiderealDeg, 360.0);
  if (lonDeg < 0) lonDeg += 360;
  if (lonDeg >= 360) lonDeg = 0;

  Vimshottari v;
  v.moonLongitudeDeg = lonDeg;
  v.yearLength = yearLength;
  v.birth = birthUt;
  // The nakshatra by the exact 800' span, as the chart counts it.
  v.nakshatra = NakshatraIndex(lonDeg);
  v.firstLord = LordOfNakshatra(v.nakshatra);
  const double runArcmin = 60 * lonDeg - kNakshatraArcmin * v.nakshatra;
  v.elapsedFraction = std::clamp(runArcmin / kNakshatraArcmin, 0.0, 1.0);
  const int years = RowOf(v.firstLord).years;
  v.balanceYears = (1 - v.elapsedFraction) * years;

  // The part of the first lord's years gone at birth, to the nearest second;
  // a Moon a hair before the nakshatra's end still leaves the birth one
  // second inside the first mahadasha.
  const double yearSeconds = YearDays(yearLength) * kSecondsPerDay;
  const auto fullSeconds =
      SecondsOfUnits(years * kUnitsPerYear, YearLengthRowOf(yearLength).microdays);
  auto elapsedSeconds =
      static_cast<std::int64_t>(std::llround(v.elapsedFraction * years * yearSeconds));
  elapsedSeconds = std::clamp<std::int64_t>(elapsedSeconds, 0, fullSeconds - 1);
  v.firstStart = birthUt - std::chrono::seconds{elapsedSeconds};
  return v;
}

UtSeconds InstantAt(const Vimshottari& v, Units units) {
  return v.firstStart +
         std::chrono::seconds{SecondsOfUnits(units, YearLengthRowOf(v.yearLength).microdays)};
}

std::array<Period, 9> Mahadashas(const Vimshottari& v) {
  std::array<Period, 9> periods;
  Units at = 0;
  for (int i = 0; i < 9; ++i) {
    const Lord lord = LordAfter(v.firstLord, i);
    std::array<Lord, kMaxLevel> path{};
    path[0] = lord;
    const Units length = RowOf(lord).years * kUnitsPerYear;
    periods[static_cast<std::size_t>(i)] = MakePeriod(v, 1, path, at, length);
    at += length;
  }
  return periods;
}

std::optional<std::array<Period, 9>> SubPeriods(const Vimshottari& v, const Period& parent) {
  if (parent.level < 1 || parent.level >= kMaxLevel) return std::nullopt;
  std::array<Period, 9> periods;
  Units at = parent.startUnits;
  for (int i = 0; i < 9; ++i) {
    const Lord lord = LordAfter(parent.lord(), i);
    std::array<Lord, kMaxLevel> path = parent.path;
    path[static_cast<std::size_t>(parent.level)] = lord;
    // The parent's length is a multiple of 120 units at every level above
    // the fifth, so each share is a whole count.
    const Units length = parent.lengthUnits / kCycleYears * RowOf(lord).years;
    periods[static_cast<std::size_t>(i)] = MakePeriod(v, parent.level + 1, path, at, length);
    at += length;
  }
  return periods;
}

std::vector<Period> PeriodsAt(const Vimshottari& v, UtSeconds instant, int levels) {
  levels = std::clamp(levels, 1, kMaxLevel);
  std::vector<Period> running;
  const auto within = [instant](const Period& p) { return p.start <= instant && instant < p.end; };
  const std::array<Period, 9> top = Mahadashas(v);
  auto found = std::find_if(top.begin(), top.end(), within);
  if (found == top.end()) return running;
  running.push_back(*found);
  while (static_cast<int>(running.size()) < levels) {
    const auto subs = SubPeriods(v, running.back());
    if (!subs) break;
    const auto next = std::find_if(subs->begin(), subs->end(), within);
    if (next == subs->end()) break;  // cannot happen: the sub-periods tile their parent
    running.push_back(*next);
  }
  return running;
}

YearsMonthsDays YearsMonthsDaysOf(double years) {
  if (!std::isfinite(years) || years < 0) return {};
  // Whole days of the 360-day count; an exact half (a decimal the binary
  // fraction cannot hold, 4.5 days as 4.4999...) rounds up as on paper.
  const auto days = static_cast<long long>(std::floor(years * 360 + 0.5 + 1e-7));
  YearsMonthsDays out;
  out.years = static_cast<int>(days / 360);
  out.months = static_cast<int>(days % 360 / 30);
  out.days = static_cast<int>(days % 30);
  return out;
}

}  // namespace orvanta::dasha
