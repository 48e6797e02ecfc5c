#include "engine/retrograde.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>

#include "engine/stations.h"

namespace orvanta {

namespace {

using LoadStations = StationTables (*)();

// Loader of each planet's tables, in kRetrogradePlanets order.
constexpr std::array<LoadStations, kRetrogradePlanets.size()> kStationLoaders = {
    MercuryStationTables, VenusStationTables,  MarsStationTables,    JupiterStationTables,
    SaturnStationTables,  UranusStationTables, NeptuneStationTables, PlutoStationTables};

// Entries of RetroFlag that carry a chart mark: Mercury..Saturn, labels 2..6.
inline constexpr std::size_t kMarkedPlanets = 5;
inline constexpr std::size_t kFirstMarkedLabel = Body::Mercury;

// True when the day lies strictly between the two station dates of a period.
// The periods are in time order without overlap (checked while compiling the
// tables), so only the last period starting before the day can contain it;
// this gives the same answer as trying every period in turn.
bool InsideAPeriod(std::span<const RetroPeriodDays> periods, std::int32_t day) {
  const auto after =
      std::lower_bound(periods.begin(), periods.end(), day,
                       [](const RetroPeriodDays& p, std::int32_t d) { return p.StartDay < d; });
  if (after == periods.begin()) return false;
  return day < std::prev(after)->EndDay;
}

// Whether planet `index` (in kRetrogradePlanets order) is retrograde on the
// day `day` (days since the clock's epoch).
bool RetrogradeOnDay(std::size_t index, std::int32_t day) {
  return InsideAPeriod(kStationLoaders[index]().PeriodDays, day);
}

std::int32_t DayOf(LocalDateTime when) {
  // Only the date counts: the hour and minute of the birth never matter.
  return static_cast<std::int32_t>(
      std::chrono::floor<std::chrono::days>(when).time_since_epoch().count());
}

}  // namespace

bool IsRetrogradeOn(std::string_view planet, LocalDateTime when) {
  const auto found = std::find(kRetrogradePlanets.begin(), kRetrogradePlanets.end(), planet);
  if (found == kRetrogradePlanets.end()) return false;
  return RetrogradeOnDay(static_cast<std::size_t>(found - kRetrogradePlanets.begin()), DayOf(when));
}

RetrogradeMarks RetrogradeMarksAt(int month, int day, int year, int hour, int minute) {
  RetrogradeMarks marks;
  for (std::size_t k = 0; k < kBodyCount; ++k) {
    marks.ChartLabel[k] = std::string(kChartLabelNames[k]);
  }
  // A birth moment that is no real date and clock time cannot be looked up:
  // every planet then counts as direct and the labels stay plain.
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  const bool realMoment = month >= 1 && month <= 12 && day >= 1 && date.ok() && hour >= 0 &&
                          hour <= 23 && minute >= 0 && minute <= 59;
  if (!realMoment) return marks;

  const std::int32_t birthDay = DayOf(MakeDateTime(year, month, day, hour, minute));
  for (std::size_t k = 0; k < kRetrogradePlanets.size(); ++k) {
    marks.RetroFlag[k] = RetrogradeOnDay(k, birthDay);
  }
  for (std::size_t k = 0; k < kMarkedPlanets; ++k) {
    if (marks.RetroFlag[k]) marks.ChartLabel[kFirstMarkedLabel + k] += kRetrogradeMark;
  }
  return marks;
}

int StationRecordMonth(std::string_view record) {
  const std::optional<StationRecord> fields = ParseStationRecord(record);
  return fields ? fields->Month : 0;
}

}  // namespace orvanta
