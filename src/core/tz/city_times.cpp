#include "tz/city_times.h"

#include <array>
#include <chrono>
#include <cmath>

namespace orvanta {

namespace {

// The Earth's mean radius in kilometres (IUGG), enough for an area of tens
// of kilometres.
inline constexpr double kEarthRadiusKm = 6371.0;
inline constexpr double kPi = 3.14159265358979323846;

// Bombay Time, UTC+4:51, the civil time of Bombay (Mumbai) from 1884 until
// 1955.
// - Offset: "4 hours and 51 minutes ahead of Greenwich Mean Time" (the
//   public history of Bombay Time, en.wikipedia.org/wiki/Bombay_Time, after
//   the protocols of the International Meridian Conference of 1884); also
//   "UTC+04:51" in dailyo.in's history of Indian Standard Time (2017).
//   Sources disagree on the seconds: the Bombay wiki
//   (bombaywiki.with.camp, "Bombay Time") has Bombay "behind Indian Standard
//   Time by 38 minutes and 50 seconds precisely", which is UTC+4:51:10. The
//   table keeps the more widely cited UTC+4:51:00.
// - Period: kept after Indian Standard Time was introduced on 1 January 1906,
//   "maintained until 1955" (both sources above; "until 1955" also in the
//   history of Indian Standard Time, liquisearch.com). No source found
//   gives the day, so the table ends it at the start of 1955; the clock
//   dates from the two Indian city times of 1884.
// - Area: the city; 30 km around its centre (the Fort, 18°56' N 72°50' E)
//   holds the island city and its suburbs of the time.
//
// Calcutta Time, UTC+5:53:20, the civil time of Calcutta (Kolkata) from 1884
// until 1948.
// - Offset: "5 hours, 53 minutes and 20 seconds ahead of Greenwich Mean
//   Time", "23 minutes and 20 seconds ahead of Indian standard time" (the
//   public history of Calcutta Time, wikimili.com/en/Calcutta_Time and
//   wikizero.com, after Science 23 (588), 6 April 1906, p. 560). dailyo.in
//   (2017) rounds it to UTC+5:54; the table keeps UTC+5:53:20.
// - Period: "Calcutta Time remained in effect until 1948 when it was
//   abandoned in favour of IST" (the same history, after the Indian
//   Railways Fan Club's notes). No day is given; the table ends it at the
//   start of 1948.
// - Area: 30 km around the centre (22°34' N 88°22' E), the city and Howrah.
//
// India's war time (UTC+6:30, 1941 to 1945) is no standard reading: the
// tz history is kept for it in both cities, since the sources do not say
// how the city clocks ran during the war.
constexpr std::array kCityTimes{
    CityTime{"Bombay Time", "Mumbai", "Asia/Kolkata", 18.9333, 72.8333, 30.0, 4 * 3600 + 51 * 60,
             1884, 1955},
    CityTime{"Calcutta Time", "Kolkata", "Asia/Kolkata", 22.5667, 88.3667, 30.0,
             5 * 3600 + 53 * 60 + 20, 1884, 1948},
};

double Radians(double degrees) {
  return degrees * kPi / 180.0;
}

LocalDateTime StartOfYear(int year) {
  return MakeDateTime(year, 1, 1, 0, 0);
}

}  // namespace

std::span<const CityTime> CityTimes() {
  return kCityTimes;
}

double DistanceKm(double latitudeDeg1, double longitudeDeg1, double latitudeDeg2,
                  double longitudeDeg2) {
  // The haversine formula, well conditioned for short distances.
  const double dLat = Radians(latitudeDeg2 - latitudeDeg1);
  const double dLon = Radians(longitudeDeg2 - longitudeDeg1);
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(Radians(latitudeDeg1)) * std::cos(Radians(latitudeDeg2)) *
                       std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * kEarthRadiusKm * std::asin(std::sqrt(std::fmin(1.0, a)));
}

std::optional<CityTime> CityTimeAt(std::string_view zoneName, const GeoPosition& position,
                                   LocalDateTime local) {
  for (const CityTime& row : kCityTimes) {
    if (row.zoneName != zoneName) continue;
    if (local < StartOfYear(row.fromYear) || local >= StartOfYear(row.untilYear)) continue;
    if (DistanceKm(LatitudeDeg(position), LongitudeDeg(position), row.latitudeDeg,
                   row.longitudeDeg) > row.radiusKm)
      continue;
    return row;
  }
  return std::nullopt;
}

}  // namespace orvanta
