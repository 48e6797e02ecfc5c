// The Vimshottari periods of a computed chart, and their texts.
//
// The periods start from the chart's own sidereal Moon (under the chart's
// ayanamsa) and from the birth instant in Universal Time, which one function
// (BirthInstantUt) takes from the birth record; the year they are counted in
// is a calculation setting. Dates are shown as the birth's clock reads them
// (the zone and daylight-saving offset of the birth, kept for every date), so
// a period that starts at 23:30 UT shows the next day for a birth in India.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "dasha/vimshottari.h"
#include "tables/names.h"

namespace orvanta {

// The birth instant in Universal Time to the second: the clock reading with
// its seconds, moved by the same zone and daylight-saving hour as the
// ascendant and the Moon are computed with.
dasha::UtSeconds BirthInstantUt(const Birth& birth);

// The birth's clock against Universal Time (local minus UT), seconds.
std::chrono::seconds BirthClockOffset(const Birth& birth);

// The periods of a chart; nothing where the chart has no sidereal Moon.
std::optional<dasha::Vimshottari> DashaOf(const ChartOutput& chart);

// What a report shows of the periods: how many levels (1..5) and, when
// given, the periods running on a date.
inline constexpr int kDefaultDashaLevels = 2;
struct DashaRequest {
  int levels = kDefaultDashaLevels;
  std::optional<std::chrono::year_month_day> at;  // a local date of the birth's clock
};

// The instant a date of the birth's clock starts (its 00:00).
dasha::UtSeconds StartOfLocalDate(const Birth& birth, std::chrono::year_month_day date);

// The local date of an instant by the birth's clock.
std::chrono::year_month_day LocalDateOf(const Birth& birth, dasha::UtSeconds instant);

// "YYYY-MM-DD".
std::string DateText(std::chrono::year_month_day date);
// "YYYY-MM-DDTHH:MM:SSZ".
std::string UtcText(dasha::UtSeconds instant);
// UtcText's kUtcTextLength characters put at `out` for the years 0 .. 9999,
// digit by digit (a chart's periods write hundreds); false for any other
// instant, which UtcText spells out.
inline constexpr std::size_t kUtcTextLength = 20;
bool PutUtcText(char* out, dasha::UtSeconds instant);

// The native's age at a date, in whole calendar years, months and days of
// the birth's clock; nothing before the birth.
std::optional<dasha::YearsMonthsDays> AgeAt(const Birth& birth, dasha::UtSeconds instant);
// "34 years 2 months 5 days" (a part that is zero is left out, "0 days"
// when all are), and "before birth" for nothing.
std::string AgeText(const std::optional<dasha::YearsMonthsDays>& age);

// A dasha lord's name: dasha::LordName in English, else the body's name in
// the script's table.
std::string_view LordNameIn(NameScript script, dasha::Lord lord);

// "Jupiter dasha, 12 years 2 months 8 days left at birth", the lord named
// in `script`.
std::string BalanceText(const dasha::Vimshottari& v, NameScript script = NameScript::English);

// The Dasha section of the text report: the balance, then the periods to
// `request.levels`, indented one step per level, with start and end dates;
// with `request.at`, the periods running on that date, one line per level.
void AppendDashaReport(std::string& out, const ChartOutput& chart, const DashaRequest& request,
                       NameScript script = NameScript::English);

}  // namespace orvanta
