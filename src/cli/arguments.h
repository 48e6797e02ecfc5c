// The command line of orvanta-cli: its options, modes and exit statuses.
// A birth given as options arrives as texts (BirthFields) and is read by the
// core's births-file rules (io/birth_fields.h), as a batch row is.
#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "chart/chart_layout.h"
#include "chart/chart_svg.h"
#include "chart/dasha_chart.h"
#include "io/birth_entries.h"
#include "io/birth_fields.h"
#include "tz/clock_preference.h"

namespace orvanta::cli {

// Exit statuses of the program (documented in docs/cli.md).
inline constexpr int kExitOk = 0;
inline constexpr int kExitRowsFailed = 1;  // batch: at least one row was refused or malformed
inline constexpr int kExitRefused = 2;     // the birth was refused by ValidateEntries
inline constexpr int kExitUsage = 64;      // malformed command line (EX_USAGE)
inline constexpr int kExitBadInput = 65;   // batch input without its header line (EX_DATAERR)
inline constexpr int kExitNoInput = 66;    // batch input cannot be opened or read (EX_NOINPUT)
inline constexpr int kExitInternal =
    70;  // an internal failure, such as memory running out (EX_SOFTWARE)
inline constexpr int kExitCannotWrite = 74;  // the output cannot be written (EX_IOERR)

// A set of members of a computed chart's JSON object, by their position in
// the order they are written (render.h names them).
inline constexpr std::size_t kChartJsonMemberCount = 39;
using ChartJsonMembers = std::bitset<kChartJsonMemberCount>;
// A set of the top-level members of the chart schema's object (--json), by
// their position in the order they are written (chart_json.h names them).
inline constexpr std::size_t kChartSchemaMemberCount = 15;
using ChartSchemaMembers = std::bitset<kChartSchemaMemberCount>;

enum class Mode { Chart, Batch, ListZones, ListPlaces, Help, Version };

struct CliOptions {
  Mode mode = Mode::Chart;
  BirthFields birth;
  bool json = false;        // --json or --json-record: JSON instead of text or CSV
  bool jsonRecord = false;  // --json-record: the internal record instead of the chart schema
  std::string batchPath;    // "-" is standard input
  std::string placesQuery;  // --places
  int jobs = 0;             // --jobs: threads computing batch rows; 0 = one per usable core
  ChartJsonMembers fields = ChartJsonMembers{}.set();            // --fields with --json-record
  ChartSchemaMembers schemaFields = ChartSchemaMembers{}.set();  // --fields with --json
  CalculationSettings calculation;                               // --il-rule, --ayanamsa, --node
  std::string svgPath;                           // --svg: the drawing's file; empty: none
  ChartStyle style = ChartStyle::SouthIndian;    // --style
  NameScript names = NameScript::English;        // --names: the text report's and drawing's names
  ChartSelection charts = ChartSelection::Both;  // --chart: what --svg draws
  DashaRequest dasha;                            // --dasha-levels, --dasha-at
  // --clock: a city time or local mean time (city), or the tz reading
  // (standard), where the two differ.
  ClockPreference clock = ClockPreference::City;
};

// Most threads --jobs may ask for.
inline constexpr int kMaxJobs = 256;

// The value of --fields: member names of the JSON object, separated by
// commas (blanks around a name are ignored).
Parsed<ChartJsonMembers> ParseFieldList(std::string_view text);
// The same for the chart schema's top-level members (--json).
Parsed<ChartSchemaMembers> ParseSchemaFieldList(std::string_view text);

// Parses the arguments after the program name.
Parsed<CliOptions> ParseArguments(std::span<const std::string_view> args);

// The --help text.
std::string_view UsageText();

}  // namespace orvanta::cli
