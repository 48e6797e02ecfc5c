// A sweep over the whole input domain the birth-data form allows: every
// year of the list, every day 1..31 of every month (impossible dates
// included), every clock time with seconds, latitudes up to 89°59' on both
// hemispheres (polar days and nights included), longitudes up to 179°59'
// east and west, all 71 zones, daylight saving on and off.
//
// ORVANTA_SWEEP_COUNT sets the number of births (default 200000) and
// ORVANTA_SWEEP_SEED the seed; a failure prints both, so it can be replayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "chart/explanation.h"
#include "chart/legacy_record.h"
#include "engine/sunrise.h"
#include "io/birth_entries.h"
#include "support/chart_invariants.h"
#include "support/random_births.h"
#include "tables/zones.h"

namespace orvanta {
namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  return std::strtoul(text, nullptr, 10);
}

bool IsLeapForTheForm(int year) {
  return year % 4 == 0;
}

int DaysInMonth(int month, int year) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapForTheForm(year)) return 29;
  return kDays[month - 1];
}

// "DD Sss MM": two-digit degrees within the sign, a sign, two-digit minutes.
bool IsChartPosition(const std::string& t) {
  if (t.size() != 9 || t[2] != ' ' || t[6] != ' ') return false;
  if (std::find(kSignAbbr.begin(), kSignAbbr.end(), t.substr(3, 3)) == kSignAbbr.end())
    return false;
  const auto digit = [&](std::size_t i) { return t[i] >= '0' && t[i] <= '9'; };
  if (!digit(0) || !digit(1) || !digit(7) || !digit(8)) return false;
  const int deg = (t[0] - '0') * 10 + (t[1] - '0');
  const int min = (t[7] - '0') * 10 + (t[8] - '0');
  return deg < 30 && min < 60;
}

RiseSetPair DayOf(const SunEvents& events) {
  return {events.rise, events.set};
}

TEST(Sweep, WholeInputDomain) {
  const unsigned long seed = EnvNumber("ORVANTA_SWEEP_SEED", 1901);
  const unsigned long count = EnvNumber("ORVANTA_SWEEP_COUNT", 200000);
  std::mt19937_64 rng(seed);

  unsigned long refused = 0, polar = 0;
  for (unsigned long n = 0; n < count; ++n) {
    const FormEntries e = testing::RandomFormEntries(rng);
    const int month = e.monthIndex + 1;
    const int day = std::stoi(e.dayText);
    const int year = std::stoi(e.yearText);
    const std::string where = "seed " + std::to_string(seed) + ", birth " + std::to_string(n) +
                              ": " + e.yearText + "-" + std::to_string(month) + "-" + e.dayText +
                              " " + e.hourText + ":" + e.minuteText + ":" + e.secondText + " lat " +
                              e.latDeg + "°" + e.latMin + (e.north ? "N" : "S") + " lon " +
                              e.lonDeg + "°" + e.lonMin + (e.east ? "E" : "W") + " zone " +
                              std::to_string(e.zoneIndex) + (e.daylightTick ? " dst" : "");

    const ChartRun run = ComputeChart(e);

    if (day > DaysInMonth(month, year)) {
      ASSERT_TRUE(run.refusal) << where;
      const std::string expected = month == 2 ? "Please Enter Correct Date Or Month!"
                                              : "Please Enter Correct Date Or Month !";
      ASSERT_EQ(run.refusal->message, expected) << where;
      ASSERT_EQ(run.refusal->icon, MessageIcon::Information) << where;
      ASSERT_FALSE(run.refusal->focus) << where;
      ++refused;
      continue;
    }
    ASSERT_FALSE(run.refusal) << where << ": " << run.refusal->message;
    const ChartOutput& c = run.chart;
    const LegacyCaptions record = LegacyCaptionsOf(c);

    for (int i = 0; i < kBodyCount; ++i) {
      const auto& text = record.positionText[static_cast<std::size_t>(i)];
      ASSERT_TRUE(IsChartPosition(text)) << where << ": body " << i << " '" << text << "'";
      const auto& label = record.chartLabel[static_cast<std::size_t>(i)];
      const std::string plain(kChartLabelNames[static_cast<std::size_t>(i)]);
      ASSERT_TRUE(label == plain || (i >= Mercury && i <= Saturn && label == plain + " (R) "))
          << where << ": label '" << label << "'";
    }
    ASSERT_GE(c.moon.MoonSidereal, 0) << where;
    ASSERT_LT(c.moon.MoonSidereal, 360) << where;
    // Finite quantities; the Indu Lagna in 0..11, marked exactly once, on
    // its label's last line; the sign's row copied.
    ASSERT_EQ(fuzz::ChartFault(c), "") << where;
    // The explanation exists for every chart and its numbers lead to the
    // marked sign: counting `remainder` (0 as 12) from the ascendant's sign.
    const int il = c.induLagna->sign;
    const std::optional<InduLagnaSteps> steps = ExplainInduLagna(c);
    ASSERT_TRUE(steps) << where;
    ASSERT_EQ(steps->chosen.ascSign, c.bodies[Asc].sign) << where;
    ASSERT_EQ(steps->chosen.moonSign, c.bodies[Moon].sign) << where;
    ASSERT_EQ((steps->chosen.ascSign +
               (steps->chosen.remainder == 0 ? 12 : steps->chosen.remainder) - 1) %
                  12,
              il)
        << where;

    // Leaving out the sunrise and the detail texts changes none of what the
    // narrower scope promises (checked on every eighth birth).
    if (n % 8 == 0) {
      const ChartRun narrow = ComputeChart(e, ChartScope::PositionsAndLagna);
      ASSERT_FALSE(narrow.refusal) << where;
      const ChartOutput& l = narrow.chart;
      const LegacyCaptions narrowRecord = LegacyCaptionsOf(l);
      ASSERT_EQ(narrowRecord.positionText, record.positionText) << where;
      ASSERT_EQ(narrowRecord.retroFlag, record.retroFlag) << where;
      ASSERT_EQ(narrowRecord.chartLabel, record.chartLabel) << where;
      ASSERT_EQ(narrowRecord.signCells, record.signCells) << where;
      ASSERT_EQ(l.AscSignIndex, c.AscSignIndex) << where;
      ASSERT_TRUE(l.induLagna) << where;
      ASSERT_EQ(l.induLagna->sign, il) << where;
      ASSERT_EQ(l.houses.lagnaSign, c.houses.lagnaSign) << where;
      ASSERT_EQ(l.attributes.has_value(), c.attributes.has_value()) << where;
    }

    // Sunrise: each day has its own events; one that cannot happen on a
    // date stays empty, none is taken from another day or chart.
    const LocalDateTime date = MakeDateTime(year, month, day);
    const SunEvents dayEvents = SunEventsOf(SunriseInputFor(c.birth, date));
    if (!dayEvents.rise || !dayEvents.set) ++polar;
    const RiseSetPair expectDay = DayOf(dayEvents);
    const RiseSetPair expectPrev =
        DayOf(SunEventsOf(SunriseInputFor(c.birth, date - std::chrono::days{1})));
    const RiseSetPair expectNext =
        DayOf(SunEventsOf(SunriseInputFor(c.birth, date + std::chrono::days{1})));
    ASSERT_EQ(c.day, expectDay) << where;
    ASSERT_EQ(c.previousDay, expectPrev) << where;
    ASSERT_EQ(c.nextDay, expectNext) << where;
    if (c.ElapsedMinutes) {
      ASSERT_TRUE(c.referenceSunrise && c.ElapsedSeconds) << where;
      // Counted from a sunrise before the birth, or forward to one after it
      // from the evening before that sunrise's date, whatever the zone's
      // distance from the place's meridian: never negative.
      using namespace std::chrono;
      const long long toReference =
          duration_cast<seconds>(*c.referenceSunrise - LocalMoment(c.birth)).count();
      ASSERT_EQ(*c.ElapsedSeconds, std::llabs(toReference)) << where;
      if (toReference > 0) {
        ASSERT_GT(floor<days>(*c.referenceSunrise), floor<days>(LocalMoment(c.birth))) << where;
      }
    }
  }
  RecordProperty("refused", static_cast<int>(refused));
  RecordProperty("polar", static_cast<int>(polar));
  EXPECT_GT(refused, 0u);
  EXPECT_GT(polar, 0u);
}

}  // namespace
}  // namespace orvanta
