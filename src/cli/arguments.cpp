#include "cli/arguments.h"

#include <array>
#include <chrono>
#include <cstdint>

#include "cli/chart_json.h"
#include "cli/render.h"
#include "tables/zones.h"

namespace orvanta::cli {

namespace {

template <typename T>
Parsed<T> Fail(std::string message) {
  return Parsed<T>{std::nullopt, std::move(message)};
}

}  // namespace

namespace {

// Member names separated by commas, each looked up by `indexOf`; `example`
// is the list the message shows.
template <typename Members, typename IndexOf>
Parsed<Members> ParseMembers(std::string_view text, IndexOf indexOf, std::string_view example) {
  Members members;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string_view name = TrimField(text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (name.empty()) {
      return Fail<Members>("--fields needs member names separated by commas, as in " +
                           std::string(example));
    }
    const std::optional<std::size_t> index = indexOf(name);
    if (!index) {
      return Fail<Members>("--fields: unknown member " + QuotedForMessage(name) +
                           " (the members are listed in docs/cli.md; names are "
                           "case-sensitive)");
    }
    members.set(*index);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return {members, {}};
}

constexpr std::string_view kRecordFieldsExample = "Name,PositionText,InduLagnaIndex";

}  // namespace

Parsed<ChartJsonMembers> ParseFieldList(std::string_view text) {
  return ParseMembers<ChartJsonMembers>(text, ChartJsonMemberIndex, kRecordFieldsExample);
}

Parsed<ChartSchemaMembers> ParseSchemaFieldList(std::string_view text) {
  return ParseMembers<ChartSchemaMembers>(text, ChartSchemaMemberIndex, "name,bodies,induLagna");
}

namespace {

// Options that take a value, and the field of BirthFields each fills.
struct ValueOption {
  std::string_view name;
  std::string BirthFields::*field;
};
constexpr std::array<ValueOption, 11> kValueOptions = {{
    {"--name", &BirthFields::name},
    {"--date", &BirthFields::date},
    {"--time", &BirthFields::time},
    {"--lat", &BirthFields::lat},
    {"--lon", &BirthFields::lon},
    {"--zone", &BirthFields::zone},
    {"--city", &BirthFields::city},
    {"--state", &BirthFields::state},
    {"--country", &BirthFields::country},
    {"--place", &BirthFields::place},
    {"--tz", &BirthFields::tz},
}};

constexpr std::array<std::string_view, 3> kRequiredForChart = {"--name", "--date", "--time"};

// The calculation settings' options: each takes one of its choices' names.
struct SettingOption {
  std::string_view name;
  std::string_view values;  // the names accepted, for the message
  // Stores the choice named `value` into `settings`; false for an unknown name.
  bool (*apply)(std::string_view value, CalculationSettings& settings);
};
constexpr std::array<SettingOption, 4> kSettingOptions = {{
    {"--il-rule", "program or classical",
     [](std::string_view v, CalculationSettings& s) {
       const auto rule = InduLagnaRuleFromName(v);
       if (rule) s.induLagnaRule = *rule;
       return rule.has_value();
     }},
    {"--ayanamsa", "program, lahiri, raman or kp",
     [](std::string_view v, CalculationSettings& s) {
       const auto choice = AyanamsaChoiceFromName(v);
       if (choice) s.ayanamsa = *choice;
       return choice.has_value();
     }},
    {"--node", "program, mean or true",
     [](std::string_view v, CalculationSettings& s) {
       const auto choice = NodeChoiceFromName(v);
       if (choice) s.node = *choice;
       return choice.has_value();
     }},
    {"--dasha-year", "julian, gregorian, sidereal or savana",
     [](std::string_view v, CalculationSettings& s) {
       const auto choice = dasha::YearLengthFromName(v);
       if (choice) s.dashaYear = *choice;
       return choice.has_value();
     }},
}};

// A date as YYYY-MM-DD (four, two and two digits) that the calendar has.
std::optional<std::chrono::year_month_day> IsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto number = [text](std::size_t from, std::size_t count) -> std::optional<int> {
    int n = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      n = n * 10 + (text[i] - '0');
    }
    return n;
  };
  const auto y = number(0, 4), m = number(5, 2), d = number(8, 2);
  if (!y || !m || !d) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{*y},
                                         std::chrono::month{static_cast<unsigned>(*m)},
                                         std::chrono::day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

}  // namespace

Parsed<CliOptions> ParseArguments(std::span<const std::string_view> args) {
  CliOptions options;
  std::array<bool, kValueOptions.size()> seen{};
  std::array<bool, kSettingOptions.size()> seenSetting{};
  bool anySetting = false;
  bool seenClock = false;
  bool seenDst = false, seenNoDst = false, seenPlaces = false, seenJson = false, seenBatch = false,
       wantHelp = false, wantZones = false, wantVersion = false, seenJobs = false,
       seenFields = false, seenRecord = false, seenStyle = false, seenNames = false,
       seenChart = false, seenDashaLevels = false, seenDashaAt = false;
  bool anyBirthOption = false;
  std::string fieldsText;  // the value of --fields

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::optional<std::string_view> inlineValue;
    if (arg.starts_with("--")) {
      if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
        inlineValue = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
      }
    }
    // The value of an option: after its "=", or the next argument unless
    // that is an option itself (a forgotten value must not swallow the next
    // option, as in --city --json); a value that starts with "--" is given
    // as --city=--value.
    const auto takeValue = [&]() -> std::optional<std::string_view> {
      if (inlineValue) return inlineValue;
      if (i + 1 < args.size() && !args[i + 1].starts_with("--")) return args[++i];
      return std::nullopt;
    };
    const auto flagOnly = [&](bool& seenFlag) -> std::optional<std::string> {
      if (inlineValue) return std::string(arg) + " takes no value";
      if (seenFlag) return std::string(arg) + " given twice";
      seenFlag = true;
      return std::nullopt;
    };

    if (arg == "--help" || arg == "-h") {
      if (inlineValue) return Fail<CliOptions>("--help takes no value");
      wantHelp = true;
      continue;
    }
    if (arg == "--version") {
      if (inlineValue) return Fail<CliOptions>("--version takes no value");
      wantVersion = true;
      continue;
    }
    if (arg == "--list-zones") {
      if (auto e = flagOnly(wantZones)) return Fail<CliOptions>(*e);
      continue;
    }
    if (arg == "--json") {
      if (auto e = flagOnly(seenJson)) return Fail<CliOptions>(*e);
      if (seenRecord) return Fail<CliOptions>("give --json or --json-record, not both");
      options.json = true;
      continue;
    }
    if (arg == "--json-record") {
      if (auto e = flagOnly(seenRecord)) return Fail<CliOptions>(*e);
      if (seenJson) return Fail<CliOptions>("give --json or --json-record, not both");
      options.json = true;
      options.jsonRecord = true;
      continue;
    }
    if (arg == "--dst") {
      if (auto e = flagOnly(seenDst)) return Fail<CliOptions>(*e);
      if (seenNoDst) return Fail<CliOptions>("give --dst or --no-dst, not both");
      options.birth.dst = "1";
      anyBirthOption = true;
      continue;
    }
    if (arg == "--no-dst") {
      if (auto e = flagOnly(seenNoDst)) return Fail<CliOptions>(*e);
      if (seenDst) return Fail<CliOptions>("give --dst or --no-dst, not both");
      options.birth.dst = "0";
      anyBirthOption = true;
      continue;
    }
    if (arg == "--places") {
      if (seenPlaces) return Fail<CliOptions>("--places given twice");
      const auto value = takeValue();
      if (!value) return Fail<CliOptions>("--places needs a place name");
      seenPlaces = true;
      options.placesQuery = std::string(*value);
      continue;
    }
    if (arg == "--batch") {
      if (seenBatch) return Fail<CliOptions>("--batch given twice");
      const auto value = takeValue();
      if (!value) {
        return Fail<CliOptions>(
            "--batch needs a file name (or - for standard input; --batch=--NAME for a name "
            "that starts with --)");
      }
      seenBatch = true;
      options.batchPath = std::string(*value);
      continue;
    }
    if (arg == "--jobs") {
      if (seenJobs) return Fail<CliOptions>("--jobs given twice");
      const auto value = takeValue();
      const std::optional<int> jobs = value ? SmallNumber(TrimField(*value), 3) : std::nullopt;
      if (!jobs || *jobs < 1 || *jobs > kMaxJobs) {
        return Fail<CliOptions>("--jobs needs a number of threads 1.." + std::to_string(kMaxJobs) +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenJobs = true;
      options.jobs = *jobs;
      continue;
    }
    if (arg == "--fields") {
      if (seenFields) return Fail<CliOptions>("--fields given twice");
      const auto value = takeValue();
      if (!value) {
        return Fail<CliOptions>(
            "--fields needs member names separated by commas, as in "
            "Name,PositionText,InduLagnaIndex");
      }
      // Read once the output is known: --json and --json-record have
      // members of their own.
      seenFields = true;
      fieldsText = std::string(*value);
      continue;
    }
    if (arg == "--svg") {
      if (!options.svgPath.empty()) return Fail<CliOptions>("--svg given twice");
      const auto value = takeValue();
      if (!value || value->empty()) {
        return Fail<CliOptions>(
            "--svg needs a file name (--svg=--NAME for one that starts with --)");
      }
      options.svgPath = std::string(*value);
      continue;
    }
    if (arg == "--clock") {
      if (seenClock) return Fail<CliOptions>("--clock given twice");
      const auto value = takeValue();
      const std::string_view word = value ? TrimField(*value) : std::string_view();
      if (word != "city" && word != "standard") {
        return Fail<CliOptions>("--clock needs city or standard" +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenClock = true;
      options.clock = word == "city" ? ClockPreference::City : ClockPreference::Standard;
      anyBirthOption = true;
      continue;
    }
    if (arg == "--style") {
      if (seenStyle) return Fail<CliOptions>("--style given twice");
      const auto value = takeValue();
      const std::optional<ChartStyle> style =
          value ? ChartStyleOfKey(std::string(TrimField(*value)) + "-indian") : std::nullopt;
      if (!style) {
        return Fail<CliOptions>("--style needs south, north or east" +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenStyle = true;
      options.style = *style;
      continue;
    }
    if (arg == "--names") {
      if (seenNames) return Fail<CliOptions>("--names given twice");
      const auto value = takeValue();
      const std::optional<NameScript> names =
          value ? NameScriptOfKey(TrimField(*value)) : std::nullopt;
      if (!names) {
        return Fail<CliOptions>(
            "--names needs english, sanskrit, devanagari, tamil, telugu, kannada, malayalam, "
            "bengali or gujarati" +
            (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenNames = true;
      options.names = *names;
      continue;
    }
    if (arg == "--chart") {
      if (seenChart) return Fail<CliOptions>("--chart given twice");
      const auto value = takeValue();
      const std::string_view word = value ? TrimField(*value) : std::string_view();
      if (word == "rasi") {
        options.charts = ChartSelection::Rasi;
      } else if (word == "navamsa") {
        options.charts = ChartSelection::Navamsa;
      } else if (word == "both") {
        options.charts = ChartSelection::Both;
      } else {
        return Fail<CliOptions>("--chart needs rasi, navamsa or both" +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenChart = true;
      continue;
    }
    if (arg == "--dasha-levels") {
      if (seenDashaLevels) return Fail<CliOptions>("--dasha-levels given twice");
      const auto value = takeValue();
      int levels = 0;
      if (value) levels = SmallNumber(TrimField(*value), 1).value_or(0);
      if (levels < 1 || levels > dasha::kMaxLevel) {
        return Fail<CliOptions>("--dasha-levels needs a number of levels 1..5" +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenDashaLevels = true;
      options.dasha.levels = levels;
      continue;
    }
    if (arg == "--dasha-at") {
      if (seenDashaAt) return Fail<CliOptions>("--dasha-at given twice");
      const auto value = takeValue();
      const auto date = value ? IsoDate(TrimField(*value)) : std::nullopt;
      if (!date) {
        return Fail<CliOptions>("--dasha-at needs a date YYYY-MM-DD" +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenDashaAt = true;
      options.dasha.at = *date;
      continue;
    }
    bool known = false;
    for (std::size_t k = 0; k < kSettingOptions.size(); ++k) {
      const SettingOption& option = kSettingOptions[k];
      if (arg != option.name) continue;
      known = true;
      if (seenSetting[k]) return Fail<CliOptions>(std::string(arg) + " given twice");
      const auto value = takeValue();
      if (!value || !option.apply(*value, options.calculation)) {
        return Fail<CliOptions>(std::string(arg) + " needs " + std::string(option.values) +
                                (value ? ", not " + QuotedForMessage(*value) : std::string()));
      }
      seenSetting[k] = true;
      anySetting = true;
      break;
    }
    if (known) continue;
    for (std::size_t k = 0; k < kValueOptions.size(); ++k) {
      if (arg != kValueOptions[k].name) continue;
      known = true;
      if (seen[k]) return Fail<CliOptions>(std::string(arg) + " given twice");
      const auto value = takeValue();
      if (!value) {
        return Fail<CliOptions>(std::string(arg) + " needs a value (" + std::string(arg) +
                                "=--VALUE for one that starts with --)");
      }
      // An empty zone name would leave the zone to the default: the
      // option names a zone of the tz database or is not given.
      if (arg == "--tz" && TrimField(*value).empty()) {
        return Fail<CliOptions>("--tz needs a tz database name such as Europe/Madrid");
      }
      // An empty place would leave the coordinates to --lat and --lon and
      // be reported as their absence.
      if (arg == "--place" && TrimField(*value).empty()) {
        return Fail<CliOptions>(
            "--place is empty: give a place such as \"Madrid, Spain\" (or --lat and --lon)");
      }
      seen[k] = true;
      anyBirthOption = true;
      options.birth.*kValueOptions[k].field = std::string(*value);
      break;
    }
    if (known) continue;
    if (arg.starts_with("-") && arg.size() > 1) {
      return Fail<CliOptions>("unknown option " + QuotedForMessage(arg) + " (see --help)");
    }
    return Fail<CliOptions>("unexpected argument " + QuotedForMessage(arg) + " (see --help)");
  }

  if (wantHelp) {
    options.mode = Mode::Help;
    return {std::move(options), {}};
  }
  if (wantVersion) {
    options.mode = Mode::Version;
    return {std::move(options), {}};
  }
  if (seenPlaces) {
    if (anyBirthOption || seenBatch || wantZones || seenJobs || seenFields || seenRecord ||
        anySetting || seenStyle || seenNames || seenChart || seenDashaLevels || seenDashaAt ||
        !options.svgPath.empty()) {
      return Fail<CliOptions>("--places takes no other options but --json");
    }
    options.mode = Mode::ListPlaces;
    return {std::move(options), {}};
  }
  if (seenFields && !seenJson && !seenRecord) {
    return Fail<CliOptions>("--fields chooses members of the JSON: give --json or --json-record");
  }
  if (seenFields && seenRecord) {
    Parsed<ChartJsonMembers> fields = ParseFieldList(fieldsText);
    if (!fields.value) return Fail<CliOptions>(fields.error);
    options.fields = *fields.value;
  } else if (seenFields) {
    Parsed<ChartSchemaMembers> fields = ParseSchemaFieldList(fieldsText);
    if (!fields.value) return Fail<CliOptions>(fields.error);
    options.schemaFields = *fields.value;
  }
  if (seenJobs && !seenBatch) return Fail<CliOptions>("--jobs is for --batch");
  if (seenChart && options.svgPath.empty()) {
    return Fail<CliOptions>("--chart chooses the charts of the drawing: give --svg FILE");
  }
  if (wantZones) {
    if (anyBirthOption || seenBatch || seenJson || seenRecord || anySetting || seenStyle ||
        seenNames || seenChart || seenDashaLevels || seenDashaAt || !options.svgPath.empty()) {
      return Fail<CliOptions>("--list-zones takes no other options");
    }
    options.mode = Mode::ListZones;
    return {std::move(options), {}};
  }
  if (seenBatch) {
    if (anyBirthOption) {
      return Fail<CliOptions>("--batch reads every birth from its file: give no birth options");
    }
    if (!options.svgPath.empty()) {
      return Fail<CliOptions>("--svg draws one birth's charts: it does not go with --batch");
    }
    options.mode = Mode::Batch;
    return {std::move(options), {}};
  }
  if (args.empty()) return Fail<CliOptions>("no birth given (see --help)");
  for (std::string_view required : kRequiredForChart) {
    for (std::size_t k = 0; k < kValueOptions.size(); ++k) {
      if (kValueOptions[k].name == required && !seen[k]) {
        return Fail<CliOptions>("missing " + std::string(required) + " (see --help)");
      }
    }
  }
  // The coordinates come from --lat and --lon or from the place.
  if (options.birth.place.empty()) {
    for (std::string_view required : {"--lat", "--lon"}) {
      for (std::size_t k = 0; k < kValueOptions.size(); ++k) {
        if (kValueOptions[k].name == required && !seen[k]) {
          return Fail<CliOptions>("missing " + std::string(required) + " (see --help)");
        }
      }
    }
  }
  options.mode = Mode::Chart;
  return {std::move(options), {}};
}

std::string_view UsageText() {
  return R"(Usage:
  orvanta-cli --name NAME --date YYYY-MM-DD --time HH:MM[:SS]
              --lat 28N36 --lon 77E12 [--zone N|ABBR] [--dst]
              [--city C] [--state S] [--country K]
              [--json | --json-record] [--fields LIST]
              [--svg FILE [--chart rasi|navamsa|both]] [--style south|north|east]
              [--names SCRIPT]
  orvanta-cli --name NAME --date YYYY-MM-DD --time HH:MM[:SS]
              --place "City[, State], Country" [--dst|--no-dst] [--json|--json-record]
              [--clock city|standard]
              (--lat, --lon, --zone, --tz override what the place gives)
  orvanta-cli --name NAME --date ... --time ... --lat ... --lon ... --tz ZONE
  orvanta-cli --places QUERY [--json]
  orvanta-cli --batch FILE|- [--json | --json-record] [--fields LIST] [--jobs N]
              [--style south|north|east]
  (charts and batches also take [--ayanamsa A] [--node N] [--il-rule R]
   [--dasha-year Y] [--dasha-levels N] [--dasha-at YYYY-MM-DD])
  orvanta-cli --list-zones
  orvanta-cli --help | --version

Computes the sidereal positions, retrograde marks, South-Indian chart and
Indu Lagna of one birth, with the Indu Lagna sign's attributes and texts;
draws the birth chart and its Navamsa as SVG.

  --name NAME        the person's name (must not be empty)
  --date YYYY-MM-DD  date of birth, year 1901..2050
  --time HH:MM[:SS]  local clock time of birth, 24-hour
  --lat 28N36        latitude: degrees 0..89, N or S, minutes 0..59
  --lon 77E12        longitude: degrees 0..179, E or W, minutes 0..59
  --zone N|ABBR      time zone: list position 0..70 or a unique abbreviation
                     such as IST or EST (default 29, Greenwich Mean Time)
  --dst              daylight saving time was in force (the tick beside
                     --zone); with a resolved zone: the summer-time reading
                     of a local time that happened twice
  --no-dst           with a resolved zone: the standard-time reading of a
                     local time that happened twice
  --place "City[, State], Country"
                     the birth place from the offline atlas: city, state,
                     country, coordinates and the zone's history
  --tz ZONE          the zone by its tz database name (Europe/Madrid); the
                     offset at the birth time comes from its history
  --clock city|standard
                     with a place or --tz: the birth place's own clock
                     where the tz history leaves it out (city, the default:
                     Bombay Time in Mumbai until 1955, Calcutta Time in
                     Kolkata until 1948, the local mean time of the birth's
                     longitude where the history gives LMT), or the tz
                     zone's reading (standard)
  --places QUERY     list the atlas places matching QUERY: name, state,
                     country, latitude, longitude, zone, population
  --city, --state, --country
                     the place, shown with the birth details
  --json             one JSON object of the chart schema orvanta.chart/2
                     (docs/chart.schema.json) instead of text
  --json-record      the chart's internal record as one JSON object
  --fields LIST      only these members, in their usual order: with --json
                     top-level ones, as in name,bodies,induLagna; with
                     --json-record, as in Name,PositionText,InduLagnaIndex
  --batch FILE       one chart per row of a CSV file (- for standard input)
                     with the header name,date,time,lat,lon,zone,dst,city,state,country
                     (columns found by name; place and tz columns may be added)
  --jobs N           batch: compute on N threads, 1..256 (default: one per
                     core); the output is the same for every N
  --svg FILE         also write the birth (rasi) chart and its Navamsa (D9)
                     side by side as an SVG drawing, replacing FILE whole
                     (- for standard output, before the chart's output)
  --chart WHICH      with --svg: rasi, navamsa or both (default both)
  --style STYLE      the drawing's style: south (default), north or east
                     Indian; --json names it in settings.chartStyle
  --names SCRIPT     the names of the signs, bodies and nakshatras in the
                     text report and the drawing: english (the default),
                     sanskrit (in Latin letters), devanagari, tamil,
                     telugu, kannada, malayalam, bengali or gujarati;
                     --json keeps its English values and names it in
                     settings.names
  --list-zones       the 71 time zones with their list positions
  --ayanamsa A       the ayanamsa: program (this program's own, the
                     default), lahiri (Chitrapaksha), raman or kp
  --node N           Rahu and Ketu: program (this program's own point, the
                     default), mean (the mean node) or true (the true node)
  --il-rule R        the Indu Lagna's count: program (from the ascendant,
                     Venus 10; the default) or classical (from the Moon,
                     Venus 12)
  --dasha-year Y     the year the Vimshottari periods are counted in: julian
                     (365.25 days, the default), gregorian (365.2425),
                     sidereal (365.256363) or savana (360)
  --dasha-levels N   the periods' levels in the report and the JSON: 1
                     mahadashas .. 5 pranas (default 2, with antardashas)
  --dasha-at DATE    also the periods running on DATE (YYYY-MM-DD, from its
                     00:00 by the birth's clock), one per level

A value that starts with -- is written with =, as in --city=--X--.

Exit status:
  0   success
  1   batch: some rows were malformed or refused (the others were computed)
  2   the birth was refused by the input validation; also: the place is
      unknown or ambiguous, or the local time was skipped or doubled
  64  malformed command line
  65  batch input without its header line, or a header over 1 MiB
  66  batch input cannot be opened, or a read failed (the rows computed
      before it are written)
  70  internal failure (such as memory running out)
  74  the output cannot be written (the run stops at the first failure)
A closed pipe on standard output ends the program quietly (SIGPIPE).
)";
}

}  // namespace orvanta::cli
