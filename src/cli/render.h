// The three output forms of one computed chart: the text report, one JSON
// object, and one CSV line of the batch mode.
//
// All of them only format what ComputeChart produced; nothing is recomputed
// here. The text report is the core's (chart/report_text.h) with the atlas
// place and zone added; docs/cli.md describes the JSON members.
#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_text.h"
#include "chart/report_text.h"
#include "cli/places.h"
#include "io/birth_entries.h"

namespace orvanta::cli {

// "YYYY-MM-DD HH:MM" in quotes, the text of FormatIsoMinute.
void AppendIsoMinuteJson(std::string& out, LocalDateTime t);

// The text report (chart/report_text.h). With a report, the place and the resolved zone are added
// (text: after the birth details; JSON: the members Place and ZoneResolved, before the last member,
// Clock, which every chart has).
// The text report, its signs, bodies and nakshatras named in `names`.
void AppendChartText(std::string& out, const ChartOutput& chart,
                     const PlaceReport* report = nullptr, const DashaRequest& dasha = {},
                     NameScript names = NameScript::English);
void AppendChartJson(std::string& out, const ChartOutput& chart,
                     const PlaceReport* report = nullptr);

// The names of the members chosen by ChartJsonMembers (arguments.h): Name,
// Valid, ..., Attributes, then Place and ZoneResolved when there is a place
// report, then Clock, in the order they are written.
// The position of the member called `name` (exact case), if there is one.
std::optional<std::size_t> ChartJsonMemberIndex(std::string_view name);
std::string_view ChartJsonMemberName(std::size_t index);
// Only the chosen members, in their usual order.
void AppendChartJson(std::string& out, const ChartOutput& chart, const ChartJsonMembers& members,
                     const PlaceReport* report = nullptr);
void AppendRefusalJson(std::string& out, std::string_view name, const Refusal& refusal);

// Batch mode without --json: the header line and one line per chart.
inline constexpr std::string_view kCsvOutputHeader =
    "name,Sun,Moon,Mercury,Venus,Mars,Jupiter,Saturn,Rahu,Ketu,Asc,InduLagna\n";
void AppendChartCsv(std::string& out, const ChartOutput& chart);

}  // namespace orvanta::cli
