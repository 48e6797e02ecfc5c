// The command line of orvanta-cli and the texts of one birth.
//
// A birth reaches the program either as options (--date 1980-06-15 --lat
// 28N36 ...) or as one row of a batch file; both arrive here as texts and
// are turned into the birth-data form's entries (FormEntries) exactly as a
// user would have left them on the form: month as a list position, day,
// year, hour, minute and second as plain decimal texts, degrees and minutes
// as typed, hemispheres as the option buttons. Only the shape of each text
// is checked here (a date is YYYY-MM-DD with month 1..12 and day 1..31, a
// year lies in the form's list 1901..2050); whether the entries make a birth
// (31 April, 95 degrees of latitude) is decided by Validate_Input inside
// Run_Chart, with the system's own messages.
#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "chart/chart.h"

namespace orvanta::cli {

// Exit statuses of the program (documented in docs/cli.md).
inline constexpr int kExitOk = 0;
inline constexpr int kExitRowsFailed = 1;  // batch: at least one row was refused or malformed
inline constexpr int kExitRefused = 2;     // the birth was refused by Validate_Input
inline constexpr int kExitUsage = 64;      // malformed command line (EX_USAGE)
inline constexpr int kExitBadInput = 65;   // batch input without its header line (EX_DATAERR)
inline constexpr int kExitNoInput = 66;    // batch input cannot be opened or read (EX_NOINPUT)
inline constexpr int kExitInternal =
    70;  // an internal failure, such as memory running out (EX_SOFTWARE)
inline constexpr int kExitCannotWrite = 74;  // the output cannot be written (EX_IOERR)

// The form's year list runs from 1901 to 2050.
inline constexpr int kFirstYear = 1901;
inline constexpr int kLastYear = 2050;

// A set of members of a computed chart's JSON object, by their position in
// the order they are written (render.h names them).
inline constexpr std::size_t kChartJsonMemberCount = 38;
using ChartJsonMembers = std::bitset<kChartJsonMemberCount>;

// A value, or the reason why there is none.
template <typename T>
struct Parsed {
  std::optional<T> value;
  std::string error;  // set exactly when value is empty
};

// One birth as texts, from options or from a batch row.
struct BirthFields {
  std::string name, date, time, lat, lon, zone, dst, city, state, country;
  std::string place;  // "City[, State], Country", looked up in the atlas
  std::string tz;     // tz database zone name, "Europe/Madrid"
};

struct CalendarDate {
  int year = 0, month = 0, day = 0;  // month 1..12, day 1..31 (not checked against the month)
};
struct ClockTime {
  int hour = 0, minute = 0, second = 0;
};
// Astrological notation "28N36": degrees, hemisphere letter, minutes.
struct CoordinateTexts {
  std::string degreesText;
  std::string minutesText;
  bool positive = true;  // North or East: the first option button
};

Parsed<CalendarDate> ParseDate(std::string_view text);
Parsed<ClockTime> ParseTime(std::string_view text);
// `positive` and `negative` are the upper-case hemisphere letters ('N', 'S'
// or 'E', 'W'); the lower-case letters are accepted as well.
Parsed<CoordinateTexts> ParseCoordinate(std::string_view text, char positive, char negative,
                                        std::string_view what);
// List position 0..70, or an abbreviation unique in the zone list (either
// case); empty gives the form's default, Greenwich Mean Time.
Parsed<int> ParseZone(std::string_view text);
// 1/0, true/false, yes/no (either case) or empty (false).
Parsed<bool> ParseDst(std::string_view text);

// The abbreviation of zone `listIndex`: the second comma field of its list
// text, blanks trimmed ("Indian Time, IST, +5.3" gives "IST").
std::string_view ZoneAbbreviation(int listIndex);

// The form's entries for one birth, or the first malformed field.
Parsed<FormEntries> EntriesOf(const BirthFields& fields);

enum class Mode { Chart, Batch, ListZones, ListPlaces, Help, Version };

struct CliOptions {
  Mode mode = Mode::Chart;
  BirthFields birth;
  bool json = false;        // --json or --json-record: JSON instead of text or CSV
  bool jsonRecord = false;  // --json-record: the internal record instead of the chart schema
  std::string batchPath;    // "-" is standard input
  std::string placesQuery;  // --places
  int jobs = 0;             // --jobs: threads computing batch rows; 0 = one per usable core
  ChartJsonMembers fields = ChartJsonMembers{}.set();  // --fields: the JSON members written
};

// Most threads --jobs may ask for.
inline constexpr int kMaxJobs = 256;

// The value of --fields: member names of the JSON object, separated by
// commas (blanks around a name are ignored).
Parsed<ChartJsonMembers> ParseFieldList(std::string_view text);

// Parses the arguments after the program name.
Parsed<CliOptions> ParseArguments(std::span<const std::string_view> args);

// The --help text.
std::string_view UsageText();

}  // namespace orvanta::cli
