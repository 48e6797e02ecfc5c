// The three output forms of one computed chart: the text report, one JSON
// object, and one CSV line of the batch mode.
//
// All of them only format what Run_Chart produced; nothing is recomputed
// here. The text report follows the result window: the birth details, the
// ten positions under the window's names, the South-Indian chart as a 4x4
// grid of fixed signs with an empty centre, and the Indu Lagna sign's
// attributes and five texts. docs/cli.md describes the JSON members.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"
#include "cli/places.h"

namespace orvanta::cli {

// Names of the ten bodies on the result window, in body order.
inline constexpr std::array<std::string_view, kBodyCount> kBodyWindowNames = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

// Sign index shown in each cell of the South-Indian chart, row by row from
// the top; -1 is the empty centre. Pisces stands top left and the signs run
// clockwise.
inline constexpr std::array<std::array<int, 4>, 4> kSouthIndianCells = {{
    {11, 0, 1, 2},
    {10, -1, -1, 3},
    {9, -1, -1, 4},
    {8, 7, 6, 5},
}};

// Retrograde mark appended to a planet's position.
inline constexpr std::string_view kRetroMark = " (R)";

// True when body `body` (Mercury..Saturn) was marked retrograde.
bool IsRetrograde(const ChartOutput& chart, int body);

// Position text of `body` with kRetroMark when it is retrograde.
std::string PositionWithMark(const ChartOutput& chart, int body);

// The non-empty lines of a caption (CR LF, LF or CR separated), blanks
// trimmed at the right.
std::vector<std::string_view> CaptionLines(std::string_view caption);

// Words of `text` in lines of at most `width` characters (a longer word
// stands on a line of its own), each line starting with `indent`.
std::string WordWrap(std::string_view text, std::size_t width, std::string_view indent);

// The English name of the Indu Lagna sign, or "" when nothing was copied.
std::string_view InduLagnaSignName(const ChartOutput& chart);

void AppendSouthIndianGrid(std::string& out, const ChartOutput& chart);
// With a report, the place and the resolved zone are added (text: after
// the birth details; JSON: the members Place and ZoneResolved, last).
void AppendChartText(std::string& out, const ChartOutput& chart,
                     const PlaceReport* report = nullptr);
void AppendChartJson(std::string& out, const ChartOutput& chart,
                     const PlaceReport* report = nullptr);
void AppendRefusalJson(std::string& out, std::string_view name, const Refusal& refusal);

// Batch mode without --json: the header line and one line per chart.
inline constexpr std::string_view kCsvOutputHeader =
    "name,Sun,Moon,Mercury,Venus,Mars,Jupiter,Saturn,Rahu,Ketu,Asc,InduLagna\n";
void AppendChartCsv(std::string& out, const ChartOutput& chart);

}  // namespace orvanta::cli
