// A birth's charts as an SVG drawing: the birth (rasi) chart, its Navamsa,
// or both side by side, in one of the three styles (chart/chart_layout.h),
// with each chart's title, the line naming its Indu Lagna, and the legend.
//
// Every cell is a group carrying its sign and house as attributes
// (data-sign="5" data-house="1", sign numbers Aries 1 .. Pisces 12), and
// every text is a <text> element of its own, so that a reader, or a test,
// finds what a cell holds by its sign rather than by its place on the
// drawing. The drawing is a function of the chart alone: the same chart
// gives the same bytes.
#pragma once

#include <string>

#include "chart/chart.h"
#include "chart/chart_layout.h"

namespace orvanta {

// Which charts a drawing holds.
enum class ChartSelection { Rasi, Navamsa, Both };

// The SVG document (UTF-8, ending in a line break), its names as `names`
// asks.
std::string ChartSvg(const ChartOutput& chart, ChartStyle style, ChartSelection which,
                     const NameChoice& names = {});

}  // namespace orvanta
