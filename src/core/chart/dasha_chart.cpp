#include "chart/dasha_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/chart_layout.h"
#include "chart/positions.h"
#include "engine/calendar.h"
#include "wealth/wealth.h"

namespace orvanta {

namespace {

using namespace std::chrono;

constexpr std::size_t kLordColumn = 22;  // indent and lord, five levels deep

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on
// "literal" + std::string.
std::string TwoDigits(unsigned value) {
  std::string s = std::to_string(value);
  if (value < 10) s.insert(s.begin(), '0');
  return s;
}

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
  out += text;
  const std::size_t length = TextLength(text);
  if (length < width) out.append(width - length, ' ');
}

// "UTC+5:30", "UTC-3", "UTC", and to the second where the clock has
// seconds: "UTC+5:35:52".
std::string OffsetText(seconds offset) {
  const long long all = offset.count();
  if (all == 0) return "UTC";
  const long long magnitude = all < 0 ? -all : all;
  std::string text = all < 0 ? "UTC-" : "UTC+";
  text += std::to_string(magnitude / 3600);
  if (magnitude % 3600 != 0) {
    text += ':';
    text += TwoDigits(static_cast<unsigned>(magnitude / 60 % 60));
  }
  if (magnitude % 60 != 0) {
    text += ':';
    text += TwoDigits(static_cast<unsigned>(magnitude % 60));
  }
  return text;
}

std::string PartsText(const dasha::YearsMonthsDays& ymd) {
  std::string text;
  const auto part = [&text](int n, std::string_view one, std::string_view many) {
    if (n == 0) return;
    if (!text.empty()) text += ' ';
    text += std::to_string(n);
    text += ' ';
    text += n == 1 ? one : many;
  };
  part(ymd.years, "year", "years");
  part(ymd.months, "month", "months");
  part(ymd.days, "day", "days");
  return text.empty() ? "0 days" : text;
}

void AppendPeriodLine(std::string& out, const ChartOutput& chart, const dasha::Period& p,
                      NameScript script) {
  out.append(static_cast<std::size_t>(2 * p.level), ' ');
  AppendPadded(out, LordNameIn(script, p.lord()),
               kLordColumn - static_cast<std::size_t>(2 * p.level));
  out += DateText(LocalDateOf(chart.birth, p.start));
  out += "  ";
  out += DateText(LocalDateOf(chart.birth, p.end));
  out += "  ";
  out += AgeText(AgeAt(chart.birth, p.start));
  out += '\n';
}

void AppendPeriodTree(std::string& out, const ChartOutput& chart, const dasha::Vimshottari& v,
                      const dasha::Period& p, int levels, NameScript script) {
  AppendPeriodLine(out, chart, p, script);
  if (p.level >= levels) return;
  if (const auto subs = dasha::SubPeriods(v, p)) {
    for (const dasha::Period& s : *subs) AppendPeriodTree(out, chart, v, s, levels, script);
  }
}

}  // namespace

std::string_view LordNameIn(NameScript script, dasha::Lord lord) {
  if (script == NameScript::English) return dasha::LordName(lord);
  return BodyNameIn(script, wealth::BodyOfLord(lord));
}

std::chrono::seconds BirthClockOffset(const Birth& birth) {
  return seconds{OffsetSecondsWithTick(birth.clock)};
}

dasha::UtSeconds BirthInstantUt(const Birth& birth) {
  return UniversalTime(birth);
}

std::optional<dasha::Vimshottari> DashaOf(const ChartOutput& chart) {
  return dasha::VimshottariOf(chart.moon.MoonSidereal, BirthInstantUt(chart.birth),
                              chart.settings.dashaYear);
}

dasha::UtSeconds StartOfLocalDate(const Birth& birth, year_month_day date) {
  return sys_seconds{sys_days{date}} - BirthClockOffset(birth);
}

year_month_day LocalDateOf(const Birth& birth, dasha::UtSeconds instant) {
  return year_month_day{floor<days>(instant + BirthClockOffset(birth))};
}

namespace {

// Writes `value` (0 .. 10^width - 1) in `width` digits at `at`.
void PutDigits(char* at, unsigned value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    at[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

// "YYYY-MM-DD" into the ten chars at `at`, for a valid date of the years
// 0 .. 9999; false for any other.
bool PutDate(char* at, year_month_day date) {
  const int year = static_cast<int>(date.year());
  if (!date.ok() || year < 0 || year > 9999) return false;
  PutDigits(at, static_cast<unsigned>(year), 4);
  at[4] = '-';
  PutDigits(at + 5, static_cast<unsigned>(date.month()), 2);
  at[7] = '-';
  PutDigits(at + 8, static_cast<unsigned>(date.day()), 2);
  return true;
}

}  // namespace

// Dates are written a few hundred times for every chart's periods: the
// digits are put in place, not formatted.
std::string DateText(year_month_day date) {
  char buffer[32];
  if (PutDate(buffer, date)) return std::string(buffer, 10);
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

bool PutUtcText(char* out, dasha::UtSeconds instant) {
  const sys_days day = floor<days>(instant);
  const hh_mm_ss<seconds> clock{instant - day};
  if (!PutDate(out, year_month_day{day})) return false;
  out[10] = 'T';
  PutDigits(out + 11, static_cast<unsigned>(clock.hours().count()), 2);
  out[13] = ':';
  PutDigits(out + 14, static_cast<unsigned>(clock.minutes().count()), 2);
  out[16] = ':';
  PutDigits(out + 17, static_cast<unsigned>(clock.seconds().count()), 2);
  out[19] = 'Z';
  return true;
}

std::string UtcText(dasha::UtSeconds instant) {
  char buffer[kUtcTextLength];
  if (PutUtcText(buffer, instant)) return std::string(buffer, sizeof buffer);
  const sys_days day = floor<days>(instant);
  const hh_mm_ss<seconds> clock{instant - day};
  return DateText(year_month_day{day}) + "T" +
         TwoDigits(static_cast<unsigned>(clock.hours().count())) + ":" +
         TwoDigits(static_cast<unsigned>(clock.minutes().count())) + ":" +
         TwoDigits(static_cast<unsigned>(clock.seconds().count())) + "Z";
}

std::optional<dasha::YearsMonthsDays> AgeAt(const Birth& birth, dasha::UtSeconds instant) {
  const dasha::UtSeconds born = BirthInstantUt(birth);
  if (instant < born) return std::nullopt;
  const year_month_day from = LocalDateOf(birth, born);
  const year_month_day to = LocalDateOf(birth, instant);
  int years = static_cast<int>(to.year()) - static_cast<int>(from.year());
  int months = static_cast<int>(static_cast<unsigned>(to.month())) -
               static_cast<int>(static_cast<unsigned>(from.month()));
  int dayCount = static_cast<int>(static_cast<unsigned>(to.day())) -
                 static_cast<int>(static_cast<unsigned>(from.day()));
  if (dayCount < 0) {
    // Borrow the month before the later date's month.
    const year_month before = year_month{to.year(), to.month()} - std::chrono::months{1};
    dayCount += static_cast<int>(static_cast<unsigned>((before / last).day()));
    --months;
  }
  if (months < 0) {
    months += 12;
    --years;
  }
  return dasha::YearsMonthsDays{years, months, dayCount};
}

std::string AgeText(const std::optional<dasha::YearsMonthsDays>& age) {
  return age ? PartsText(*age) : std::string("before birth");
}

std::string BalanceText(const dasha::Vimshottari& v, NameScript script) {
  std::string text(LordNameIn(script, v.firstLord));
  text += " dasha, ";
  text += PartsText(dasha::YearsMonthsDaysOf(v.balanceYears));
  text += " left at birth";
  return text;
}

void AppendDashaReport(std::string& out, const ChartOutput& chart, const DashaRequest& request,
                       NameScript script) {
  const std::optional<dasha::Vimshottari> v = DashaOf(chart);
  out += "Vimshottari Dasha (";
  out += DashaYearCaption(chart.settings.dashaYear);
  out += ")\n";
  if (!v) {
    out += "  No periods: the chart has no sidereal Moon.\n";
    return;
  }
  out += "  Moon in ";
  out += NakshatraNameIn(script, v->nakshatra);
  out += ": ";
  out += BalanceText(*v, script);
  out += "\n  Dates by the birth's clock (";
  out += OffsetText(BirthClockOffset(chart.birth));
  out += "); the age at the start of each period.\n\n";
  const int levels = std::clamp(request.levels, 1, dasha::kMaxLevel);
  for (const dasha::Period& m : dasha::Mahadashas(*v))
    AppendPeriodTree(out, chart, *v, m, levels, script);
  if (!request.at) return;
  out += "\n  Running on ";
  out += DateText(*request.at);
  const std::vector<dasha::Period> running =
      dasha::PeriodsAt(*v, StartOfLocalDate(chart.birth, *request.at), levels);
  if (running.empty()) {
    out += ": none (the date lies outside the 120 years)\n";
    return;
  }
  out += ":\n";
  for (const dasha::Period& p : running) {
    out += "    ";
    AppendPadded(out, dasha::kLevelNames[static_cast<std::size_t>(p.level - 1)], 17);
    AppendPadded(out, LordNameIn(script, p.lord()), 9);
    out += DateText(LocalDateOf(chart.birth, p.start));
    out += "  ";
    out += DateText(LocalDateOf(chart.birth, p.end));
    out += '\n';
  }
}

}  // namespace orvanta
