// The chart's plain-text report, the form the command line prints and the
// desktop program copies: the birth details, the ten positions under the
// window's names, the South-Indian chart as a 4x4 grid of fixed signs with
// an empty centre, how the Indu Lagna was found, and the Indu Lagna sign's
// attributes and five texts. Everything is written from the computed chart;
// nothing is recomputed here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "chart/chart.h"
#include "chart/dasha_chart.h"
#include "tables/names.h"

namespace orvanta {

// Words of `text` in lines of at most `width` characters (a longer word
// stands on a line of its own), each line starting with `indent`.
std::string WordWrap(std::string_view text, std::size_t width, std::string_view indent);

// The South-Indian chart as text: signs fixed, Pisces top-left, clockwise.
void AppendSouthIndianGrid(std::string& out, const ChartOutput& chart,
                           NameScript script = NameScript::English);

// The whole report. `placeLines` (whole lines, each ending in a line feed)
// stand after the birth details: the command line's atlas place and zone.
// The Dasha section ends it, to the levels `dasha` asks for. The signs,
// bodies and nakshatras are named in `script`; captions stay English.
void AppendChartReport(std::string& out, const ChartOutput& chart, std::string_view placeLines = {},
                       const DashaRequest& dasha = {}, NameScript script = NameScript::English);

}  // namespace orvanta
