// Retrograde station tables of Mercury..Pluto, 1899-2051.
//
// Each planet has two tables of station records: row i of <Planet>RetroStart
// is the station retrograde that begins the i-th retrograde period and row i
// of <Planet>RetroEnd the station direct that ends it. A record is the text
// "M,D,YYYY,H,MIN," (month, day, four-digit year, hour 0..23, minute 0..59,
// each followed by a comma, no leading zeros or blanks) in Universal Time.
// The tables are generated (src/core/engine/stations.cpp, by tools/stations) and
// parsed into day numbers while compiling, so a lookup reads no text.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orvanta {

inline constexpr std::size_t kMercuryStationRows = 476;
inline constexpr std::size_t kVenusStationRows = 95;
inline constexpr std::size_t kMarsStationRows = 71;
inline constexpr std::size_t kJupiterStationRows = 139;
inline constexpr std::size_t kSaturnStationRows = 146;
inline constexpr std::size_t kUranusStationRows = 150;
inline constexpr std::size_t kNeptuneStationRows = 150;
inline constexpr std::size_t kPlutoStationRows = 151;

extern const std::array<std::string_view, kMercuryStationRows> MercuryRetroStart;
extern const std::array<std::string_view, kMercuryStationRows> MercuryRetroEnd;
extern const std::array<std::string_view, kVenusStationRows> VenusRetroStart;
extern const std::array<std::string_view, kVenusStationRows> VenusRetroEnd;
extern const std::array<std::string_view, kMarsStationRows> MarsRetroStart;
extern const std::array<std::string_view, kMarsStationRows> MarsRetroEnd;
extern const std::array<std::string_view, kJupiterStationRows> JupiterRetroStart;
extern const std::array<std::string_view, kJupiterStationRows> JupiterRetroEnd;
extern const std::array<std::string_view, kSaturnStationRows> SaturnRetroStart;
extern const std::array<std::string_view, kSaturnStationRows> SaturnRetroEnd;
extern const std::array<std::string_view, kUranusStationRows> UranusRetroStart;
extern const std::array<std::string_view, kUranusStationRows> UranusRetroEnd;
extern const std::array<std::string_view, kNeptuneStationRows> NeptuneRetroStart;
extern const std::array<std::string_view, kNeptuneStationRows> NeptuneRetroEnd;
extern const std::array<std::string_view, kPlutoStationRows> PlutoRetroStart;
extern const std::array<std::string_view, kPlutoStationRows> PlutoRetroEnd;

// The five fields of a station record.
struct StationRecord {
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31, a real day of that month
  int Year = 0;   // four digits
  int Hour = 0;   // 0..23
  int Minute = 0;
};

// Retrograde period as the day numbers of its two station dates (days since
// 1 January 1970, proleptic Gregorian; the time of day is dropped because only
// dates decide whether a planet is retrograde).
struct RetroPeriodDays {
  std::int32_t StartDay = 0;
  std::int32_t EndDay = 0;
};

// A planet's tables as <Planet>StationTables hands them out.
struct StationTables {
  std::span<const std::string_view> RetroStart;
  std::span<const std::string_view> RetroEnd;
  std::span<const RetroPeriodDays> PeriodDays;  // row i = rows i of the two texts
};

StationTables MercuryStationTables();
StationTables VenusStationTables();
StationTables MarsStationTables();
StationTables JupiterStationTables();
StationTables SaturnStationTables();
StationTables UranusStationTables();
StationTables NeptuneStationTables();
StationTables PlutoStationTables();

namespace station_detail {

// Reads one decimal field ending in a comma at text[pos], without a leading
// zero (a lone "0" is allowed); advances pos past the comma.
constexpr std::optional<int> ReadField(std::string_view text, std::size_t& pos,
                                       std::size_t maxDigits) {
  const std::size_t begin = pos;
  int value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (pos - begin == maxDigits) return std::nullopt;
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  const std::size_t digits = pos - begin;
  if (digits == 0 || (digits > 1 && text[begin] == '0')) return std::nullopt;
  if (pos == text.size() || text[pos] != ',') return std::nullopt;
  ++pos;
  return value;
}

}  // namespace station_detail

// The fields of "M,D,YYYY,H,MIN,"; nullopt unless the text is exactly that
// form with a real calendar date, a four-digit year and a valid clock time.
constexpr std::optional<StationRecord> ParseStationRecord(std::string_view text) {
  std::size_t pos = 0;
  const std::optional<int> month = station_detail::ReadField(text, pos, 2);
  const std::optional<int> day = station_detail::ReadField(text, pos, 2);
  const std::optional<int> year = station_detail::ReadField(text, pos, 4);
  const std::optional<int> hour = station_detail::ReadField(text, pos, 2);
  const std::optional<int> minute = station_detail::ReadField(text, pos, 2);
  if (!month || !day || !year || !hour || !minute || pos != text.size()) return std::nullopt;
  if (*year < 1000 || *hour > 23 || *minute > 59) return std::nullopt;
  if (*month < 1 || *month > 12 || *day < 1) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{*year},
                                         std::chrono::month{static_cast<unsigned>(*month)},
                                         std::chrono::day{static_cast<unsigned>(*day)}};
  if (!date.ok()) return std::nullopt;
  return StationRecord{*month, *day, *year, *hour, *minute};
}

// Days since 1 January 1970 of a record's date.
constexpr std::int32_t StationDayNumber(const StationRecord& r) {
  const std::chrono::year_month_day date{std::chrono::year{r.Year},
                                         std::chrono::month{static_cast<unsigned>(r.Month)},
                                         std::chrono::day{static_cast<unsigned>(r.Day)}};
  return static_cast<std::int32_t>(std::chrono::sys_days{date}.time_since_epoch().count());
}

// Minutes since 1 January 1970 0:00 of a record's moment.
constexpr std::int64_t StationMinuteNumber(const StationRecord& r) {
  return std::int64_t{StationDayNumber(r)} * 1440 + r.Hour * 60 + r.Minute;
}

// The day numbers of a planet's periods; nullopt unless every record is
// well-formed and the moments run start[0] < end[0] < start[1] < ... . A
// lookup by day number relies on that order.
template <std::size_t N>
constexpr std::optional<std::array<RetroPeriodDays, N>> ParseStationTables(
    const std::array<std::string_view, N>& retroStart,
    const std::array<std::string_view, N>& retroEnd) {
  std::array<RetroPeriodDays, N> periods{};
  std::int64_t previousEnd = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const std::optional<StationRecord> start = ParseStationRecord(retroStart[i]);
    const std::optional<StationRecord> end = ParseStationRecord(retroEnd[i]);
    if (!start || !end) return std::nullopt;
    const std::int64_t startMinute = StationMinuteNumber(*start);
    const std::int64_t endMinute = StationMinuteNumber(*end);
    if (startMinute >= endMinute || (i > 0 && previousEnd >= startMinute)) return std::nullopt;
    previousEnd = endMinute;
    periods[i] = {StationDayNumber(*start), StationDayNumber(*end)};
  }
  return periods;
}

}  // namespace orvanta
