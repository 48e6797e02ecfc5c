// The public JSON form of a chart (schema "orvanta.chart/2", described by
// docs/chart.schema.json): the birth as resolved, the settings used, every
// body as numbers and plain names, the ascendant, the Indu Lagna under both
// rules and that of the Navamsa, sunrise and sunset, the sign's attributes
// under plain keys, the texts the chart shows, and the Vimshottari periods
// to the levels asked (with those running on a date, when one is asked). One object per chart, on
// one line. The internal record of --json-record is written by render.h.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chart/chart_layout.h"
#include "chart/dasha_chart.h"
#include "cli/arguments.h"
#include "cli/places.h"
#include "io/birth_entries.h"

namespace orvanta::cli {

inline constexpr std::string_view kChartSchemaId = "orvanta.chart/2";

// The top-level members of a computed birth's object, in the order they are
// written; `--fields` with `--json` chooses among them ("dashaAt" is written
// only when a date is asked for).
inline constexpr std::array<std::string_view, kChartSchemaMemberCount> kChartSchemaMembers = {
    "schema",    "name",           "valid",
    "birth",     "settings",       "bodies",
    "ascendant", "induLagna",      "navamsaInduLagna",
    "sunrise",   "signAttributes", "texts",
    "dasha",     "dashaAt",        "wealth"};
// The position of the member called `name` (exact case), if there is one.
std::optional<std::size_t> ChartSchemaMemberIndex(std::string_view name);

// `style` is the drawing's style the settings name; `members` the top-level
// members written (a refused birth's object is always written whole).
void AppendChartSchemaJson(std::string& out, const ChartOutput& chart,
                           const PlaceReport* report = nullptr,
                           ChartStyle style = ChartStyle::SouthIndian,
                           const DashaRequest& dasha = {},
                           const ChartSchemaMembers& members = ChartSchemaMembers{}.set(),
                           NameScript names = NameScript::English);
// UtcText in quotes ("2031-04-05T06:07:08Z"), written straight into the
// output: a chart's dasha and wealth periods write two for every period,
// most of a row's cost when each went through a formatted text.
void AppendUtcJson(std::string& out, dasha::UtSeconds instant);

// A refused birth: the schema, the name, "valid": false, the message and the
// entry it concerns (or null).
void AppendRefusalSchemaJson(std::string& out, std::string_view name, const Refusal& refusal);

}  // namespace orvanta::cli
