// orvanta-stations: writes src/core/engine/stations.cpp, the retrograde station
// tables of Mercury..Pluto for 1899-2051.
//
// A station is a moment where the geocentric ecliptic longitude of date of a
// planet stops and turns: its longitude speed changes sign, from + to - at
// the station retrograde (a period's start) and from - to + at the station
// direct (its end). Positions come from the Swiss Ephemeris library in its
// analytical Moshier mode (SEFLG_MOSEPH, no data files). The search steps
// through the span one day at a time, brackets each change of sign of the
// speed and refines it by bisection to kRefineDays; moments are in Universal
// Time and written as "M,D,YYYY,H,MIN," with the minute truncated.
//
// The first and last rows of each planet are the table bounds the program
// carries; they are written verbatim, and the generator checks that its own
// stations agree with them within kBoundToleranceMinutes (a report goes to
// standard error). Every row count, every period length and the time order
// are checked as well; any failure ends the run with status 1 and no table.
//
// Usage:
//   orvanta-stations            generated C++ source on standard output
//   orvanta-stations --survey   compares position conventions against the
//                               table bounds (report on standard output)
//
// The output depends only on this file and the library version, so running
// it again reproduces the committed table byte for byte.
#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Speed-of-longitude sign is sampled at this step (days); the shortest time
// between two stations of any planet (Mercury, about 19 days) is far longer.
inline constexpr double kScanStepDays = 1.0;
// Bisection stops when the bracket is shorter than this (days; about 0.01 s).
inline constexpr double kRefineDays = 1e-7;
// The search starts this many days before the first given start and ends
// this many after the last given end, so that both bounds are bracketed.
inline constexpr double kSearchMarginDays = 10.0;
// The generator's own stations must agree with the table bounds within this.
inline constexpr double kBoundToleranceMinutes = 90.0;
inline constexpr double kMinutesPerDay = 1440.0;
// Julian day of 1858-11-17 0h, the origin of modified Julian days.
inline constexpr double kMjdOriginJd = 2400000.5;

struct PlanetSpec {
  const char* name;
  int swePlanet;
  int rows;
  // Table bounds: first start, first end, last start, last end.
  std::array<const char*, 4> bounds;
  // Shortest and longest period (days, start moment to end moment).
  double minDays;
  double maxDays;
};

// Row counts, table bounds and period lengths the tables must have.
constexpr std::array<PlanetSpec, 8> kPlanets = {{
    {"Mercury",
     SE_MERCURY,
     476,
     {"3,15,1900,13,19,", "4,7,1900,18,42,", "12,1,2050,17,17,", "12,21,2050,11,33,"},
     19.4,
     24.6},
    {"Venus",
     SE_VENUS,
     95,
     {"6,16,1900,22,56,", "7,30,1900,2,44,", "9,25,2050,22,15,", "11,6,2050,19,4,"},
     40.4,
     43.6},
    {"Mars",
     SE_MARS,
     71,
     {"1,13,1901,6,16,", "4,4,1901,7,21,", "7,15,2050,5,50,", "9,13,2050,9,41,"},
     59.9,
     81.1},
    {"Jupiter",
     SE_JUPITER,
     139,
     {"3,27,1900,20,39,", "7,29,1900,1,35,", "12,21,2050,13,21,", "4,21,2051,23,46,"},
     116.7,
     124.6},
    {"Saturn",
     SE_SATURN,
     146,
     {"4,14,1900,6,2,", "9,2,1900,14,39,", "5,18,2050,13,6,", "10,6,2050,11,5,"},
     133.4,
     141.9},
    {"Uranus",
     SE_URANUS,
     150,
     {"3,17,1900,17,36,", "8,17,1900,15,27,", "12,30,2050,15,40,", "5,29,2051,6,22,"},
     148.8,
     154.6},
    {"Neptune",
     SE_NEPTUNE,
     150,
     {"10,2,1900,13,58,", "3,8,1901,0,45,", "8,31,2050,13,52,", "2,4,2051,10,41,"},
     155.9,
     160.7},
    {"Pluto",
     SE_PLUTO,
     151,
     {"9,16,1899,5,48,", "2,27,1900,7,36,", "6,10,2050,3,49,", "11,21,2050,16,16,"},
     156.2,
     164.8},
}};

struct Convention {
  const char* description;
  int flags;  // added to SEFLG_MOSEPH | SEFLG_SPEED
};

// The convention the tables use: astrometric positions (geometric, corrected
// for light time only, no aberration or light deflection) on the ecliptic and
// mean equinox of date. Of the candidates in kSurveyConventions it puts the
// computed stations closest to the table bounds (worst 72 min, mean 21 min;
// apparent positions are up to 431 min off, the true equinox up to 95 min).
constexpr Convention kTableConvention = {
    "SEFLG_MOSEPH | SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_NONUT",
    SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_NONUT};

// Candidates compared by --survey.
constexpr std::array<Convention, 6> kSurveyConventions = {{
    {"apparent (light time, deflection, aberration, nutation)", 0},
    {"no aberration (SEFLG_NOABERR)", SEFLG_NOABERR},
    {"no aberration, mean equinox (SEFLG_NOABERR|SEFLG_NONUT)", SEFLG_NOABERR | SEFLG_NONUT},
    {"astrometric (SEFLG_NOABERR|SEFLG_NOGDEFL)", SEFLG_NOABERR | SEFLG_NOGDEFL},
    {"astrometric, mean equinox", SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_NONUT},
    {"geometric, no light time (SEFLG_TRUEPOS)", SEFLG_TRUEPOS},
}};

enum class MinuteRule { Truncate, Round };

struct Station {
  double jdUt;
  bool retrograde;  // true: station retrograde (start); false: station direct (end)
};

// Longitude speed (degrees per day) at a moment in UT; nullopt on failure.
std::optional<double> SpeedDegPerDay(int swePlanet, int flags, double jdUt) {
  double xx[6] = {};
  char serr[AS_MAXCH] = {};
  const int ret = swe_calc_ut(jdUt, swePlanet, SEFLG_MOSEPH | SEFLG_SPEED | flags, xx, serr);
  if (ret < 0) {
    std::fprintf(stderr, "swe_calc_ut failed at JD %.6f: %s\n", jdUt, serr);
    return std::nullopt;
  }
  return xx[3];
}

// Every station of a planet between two moments, in time order.
std::optional<std::vector<Station>> FindStations(int swePlanet, int flags, double fromJd,
                                                 double toJd) {
  std::vector<Station> stations;
  double t0 = fromJd;
  std::optional<double> v0 = SpeedDegPerDay(swePlanet, flags, t0);
  if (!v0) return std::nullopt;
  while (t0 < toJd) {
    const double t1 = t0 + kScanStepDays;
    const std::optional<double> v1 = SpeedDegPerDay(swePlanet, flags, t1);
    if (!v1) return std::nullopt;
    if ((*v0 > 0.0) != (*v1 > 0.0)) {
      const bool retrograde = *v0 > 0.0;
      double lo = t0;
      double hi = t1;
      while (hi - lo > kRefineDays) {
        const double mid = 0.5 * (lo + hi);
        const std::optional<double> vm = SpeedDegPerDay(swePlanet, flags, mid);
        if (!vm) return std::nullopt;
        if ((*vm > 0.0) == (*v0 > 0.0)) {
          lo = mid;
        } else {
          hi = mid;
        }
      }
      stations.push_back({0.5 * (lo + hi), retrograde});
    }
    t0 = t1;
    v0 = v1;
  }
  return stations;
}

struct RecordFields {
  int month, day, year, hour, minute;
};

std::optional<RecordFields> ParseRecord(std::string_view text) {
  RecordFields f{};
  if (std::sscanf(std::string(text).c_str(), "%d,%d,%d,%d,%d,", &f.month, &f.day, &f.year, &f.hour,
                  &f.minute) != 5) {
    return std::nullopt;
  }
  return f;
}

double RecordJd(const RecordFields& f) {
  return swe_julday(f.year, f.month, f.day, f.hour + f.minute / 60.0, SE_GREG_CAL);
}

// "M,D,YYYY,H,MIN," of a moment in UT, the minute truncated or rounded.
std::string FormatRecord(double jdUt, MinuteRule rule) {
  const double minutesSinceOrigin = (jdUt - kMjdOriginJd) * kMinutesPerDay;
  const long long wholeMinutes =
      static_cast<long long>(rule == MinuteRule::Truncate ? std::floor(minutesSinceOrigin)
                                                          : std::round(minutesSinceOrigin));
  const long long mjd = wholeMinutes / 1440;
  const int minuteOfDay = static_cast<int>(wholeMinutes % 1440);
  int year = 0, month = 0, day = 0;
  double hourOfDay = 0.0;
  swe_revjul(static_cast<double>(mjd) + kMjdOriginJd, SE_GREG_CAL, &year, &month, &day, &hourOfDay);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d,%d,%d,%d,%d,", month, day, year, minuteOfDay / 60,
                minuteOfDay % 60);
  return buf;
}

struct Period {
  Station start;
  Station end;
};

// The retrograde periods of a planet from the first given start to the last
// given end; nullopt (with a message) when the stations do not pair up.
std::optional<std::vector<Period>> FindPeriods(const PlanetSpec& planet, int flags) {
  const std::optional<RecordFields> first = ParseRecord(planet.bounds[0]);
  const std::optional<RecordFields> last = ParseRecord(planet.bounds[3]);
  if (!first || !last) return std::nullopt;
  const std::optional<std::vector<Station>> stations =
      FindStations(planet.swePlanet, flags, RecordJd(*first) - kSearchMarginDays,
                   RecordJd(*last) + kSearchMarginDays);
  if (!stations) return std::nullopt;
  std::vector<Period> periods;
  std::size_t i = 0;
  while (i < stations->size() && !(*stations)[i].retrograde) ++i;  // a leading station direct
  for (; i + 1 < stations->size(); i += 2) {
    const Station& s = (*stations)[i];
    const Station& e = (*stations)[i + 1];
    if (!s.retrograde || e.retrograde) {
      std::fprintf(stderr, "%s: stations do not alternate near JD %.3f\n", planet.name, s.jdUt);
      return std::nullopt;
    }
    periods.push_back({s, e});
  }
  return periods;
}

// Signed differences (minutes) of the four bound rows from the generator's values.
std::array<double, 4> BoundDeviationsMinutes(const PlanetSpec& planet,
                                             const std::vector<Period>& periods) {
  const std::array<double, 4> ours = {periods.front().start.jdUt, periods.front().end.jdUt,
                                      periods.back().start.jdUt, periods.back().end.jdUt};
  std::array<double, 4> dev{};
  for (std::size_t k = 0; k < 4; ++k) {
    dev[k] = (ours[k] - RecordJd(*ParseRecord(planet.bounds[k]))) * kMinutesPerDay;
  }
  return dev;
}

int Survey() {
  for (const Convention& convention : kSurveyConventions) {
    std::printf("%s\n", convention.description);
    double worst = 0.0;
    for (const PlanetSpec& planet : kPlanets) {
      const std::optional<std::vector<Period>> periods = FindPeriods(planet, convention.flags);
      if (!periods || periods->empty()) {
        std::printf("  %-8s no periods\n", planet.name);
        continue;
      }
      const std::array<double, 4> dev = BoundDeviationsMinutes(planet, *periods);
      // Deviations of the written minute, truncated and rounded, from the bound rows.
      int truncateMisses = 0;
      int roundMisses = 0;
      const std::array<double, 4> ours = {periods->front().start.jdUt, periods->front().end.jdUt,
                                          periods->back().start.jdUt, periods->back().end.jdUt};
      for (std::size_t k = 0; k < 4; ++k) {
        truncateMisses += FormatRecord(ours[k], MinuteRule::Truncate) != planet.bounds[k];
        roundMisses += FormatRecord(ours[k], MinuteRule::Round) != planet.bounds[k];
        worst = std::max(worst, std::fabs(dev[k]));
      }
      std::printf(
          "  %-8s rows %3zu (want %3d)  bounds off by %8.1f %8.1f %8.1f %8.1f min"
          "  exact rows: truncated %d/4, rounded %d/4\n",
          planet.name, periods->size(), planet.rows, dev[0], dev[1], dev[2], dev[3],
          4 - truncateMisses, 4 - roundMisses);
    }
    std::printf("  worst bound deviation %.1f min\n\n", worst);
  }
  return 0;
}

void PrintArray(std::string& out, const char* planet, const char* suffix,
                const std::vector<std::string>& rows) {
  out += "constexpr std::array<std::string_view, k";
  out += planet;
  out += "StationRows> ";
  out += planet;
  out += suffix;
  out += " = {\n";
  for (const std::string& row : rows) {
    out += "    \"" + row + "\",\n";
  }
  out += "};\n\n";
}

int Generate() {
  constexpr MinuteRule kRule = MinuteRule::Truncate;
  char version[AS_MAXCH] = {};
  swe_version(version);

  std::string body;
  std::string report;
  bool ok = true;
  for (const PlanetSpec& planet : kPlanets) {
    const std::optional<std::vector<Period>> found = FindPeriods(planet, kTableConvention.flags);
    if (!found || found->size() != static_cast<std::size_t>(planet.rows)) {
      std::fprintf(stderr, "%s: %zu periods found, %d expected\n", planet.name,
                   found ? found->size() : std::size_t{0}, planet.rows);
      ok = false;
      continue;
    }
    const std::vector<Period>& periods = *found;
    const std::array<double, 4> dev = BoundDeviationsMinutes(planet, periods);
    double worstDev = 0.0;
    for (const double d : dev) worstDev = std::max(worstDev, std::fabs(d));
    if (worstDev > kBoundToleranceMinutes) {
      std::fprintf(stderr, "%s: a bound row is %.1f min from the computed station\n", planet.name,
                   worstDev);
      ok = false;
    }

    std::vector<std::string> starts;
    std::vector<std::string> ends;
    double shortest = 1e9;
    double longest = 0.0;
    for (std::size_t i = 0; i < periods.size(); ++i) {
      starts.push_back(FormatRecord(periods[i].start.jdUt, kRule));
      ends.push_back(FormatRecord(periods[i].end.jdUt, kRule));
    }
    starts.front() = planet.bounds[0];
    ends.front() = planet.bounds[1];
    starts.back() = planet.bounds[2];
    ends.back() = planet.bounds[3];
    // Lengths and order as written (bounds included), to the minute.
    for (std::size_t i = 0; i < periods.size(); ++i) {
      const double s = RecordJd(*ParseRecord(starts[i]));
      const double e = RecordJd(*ParseRecord(ends[i]));
      shortest = std::min(shortest, e - s);
      longest = std::max(longest, e - s);
      const bool ordered =
          s < e && (i + 1 == periods.size() || e < RecordJd(*ParseRecord(starts[i + 1])));
      if (!ordered) {
        std::fprintf(stderr, "%s: row %zu out of order\n", planet.name, i);
        ok = false;
      }
    }
    if (shortest < planet.minDays - 0.05 || longest > planet.maxDays + 0.05) {
      std::fprintf(stderr, "%s: periods last %.2f to %.2f days, outside %.1f to %.1f\n",
                   planet.name, shortest, longest, planet.minDays, planet.maxDays);
      ok = false;
    }
    char line[256];
    std::snprintf(line, sizeof line,
                  "%-8s %3zu rows, periods %.2f to %.2f days, bounds off by %+.1f %+.1f %+.1f "
                  "%+.1f min\n",
                  planet.name, periods.size(), shortest, longest, dev[0], dev[1], dev[2], dev[3]);
    report += line;
    report += "         computed bounds " + FormatRecord(periods.front().start.jdUt, kRule) + " " +
              FormatRecord(periods.front().end.jdUt, kRule) + " " +
              FormatRecord(periods.back().start.jdUt, kRule) + " " +
              FormatRecord(periods.back().end.jdUt, kRule) + "\n";

    PrintArray(body, planet.name, "RetroStart", starts);
    PrintArray(body, planet.name, "RetroEnd", ends);
  }
  if (!ok) return 1;

  std::string out;
  out += "// GENERATED FILE, do not edit: made by tools/stations/orvanta_stations.cpp\n";
  out += "// (target orvanta-stations). Rebuild with `make stations`, which needs the\n";
  out += "// Debian package libswe-dev.\n";
  out += "//\n";
  out += "// Retrograde periods of Mercury..Pluto, 1899-2051: row i of <Planet>RetroStart is\n";
  out += "// a station retrograde and row i of <Planet>RetroEnd the station direct that\n";
  out += "// follows it, as \"M,D,YYYY,H,MIN,\" in Universal Time, the minute truncated.\n";
  out += "// A station is where the geocentric ecliptic longitude of date stops and turns,\n";
  out += "// found to 1e-7 day from the Swiss Ephemeris library ";
  out += version;
  out += " in its\n";
  out += "// analytical Moshier mode. Position convention: geocentric astrometric positions\n";
  out += "// (geometric, corrected for light time, not for aberration or light deflection),\n";
  out += "// ecliptic and mean equinox of date: ";
  out += kTableConvention.description;
  out += ".\n";
  out += "// The first and last rows of each planet are the fixed table bounds, kept as\n";
  char tolerance[128];
  std::snprintf(tolerance, sizeof tolerance,
                "// they are; the computed stations lie within %.0f minutes of them.\n",
                kBoundToleranceMinutes);
  out += tolerance;
  out += "#include \"engine/stations.h\"\n\n";
  out += "namespace orvanta {\n\n";
  out += "// clang-format off\n";
  out += body;
  out += "// clang-format on\n\n";
  out += "namespace {\n\n";
  out += "// The same rows as day numbers, parsed and checked while compiling.\n";
  for (const PlanetSpec& planet : kPlanets) {
    const std::string p = planet.name;
    out += "constexpr auto k" + p + "Periods = ParseStationTables(" + p + "RetroStart, " + p +
           "RetroEnd);\n";
    // One line where it fits in 100 columns, as the source formatter would write it.
    const std::string head = "static_assert(k" + p + "Periods.has_value(),";
    const std::string message = "\"" + p + " stations must be well-formed and in time order\");";
    const bool fits = head.size() + 1 + message.size() <= 100;
    out += head + (fits ? " " : "\n              ") + message + "\n";
  }
  out += "\n}  // namespace\n\n";
  for (const PlanetSpec& planet : kPlanets) {
    const std::string p = planet.name;
    out += "StationTables " + p + "StationTables() {\n";
    out += "  return {" + p + "RetroStart, " + p + "RetroEnd, *k" + p + "Periods};\n";
    out += "}\n\n";
  }
  out += "}  // namespace orvanta\n";
  std::fputs(out.c_str(), stdout);
  std::fputs(report.c_str(), stderr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool survey = argc > 1 && std::string_view(argv[1]) == "--survey";
  const int status = survey ? Survey() : Generate();
  swe_close();
  return status;
}
