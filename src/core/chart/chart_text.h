// Small texts of a computed chart that every front end shows the same way:
// a body's position with its retrograde mark, a body's label in its sign's
// cell, the Indu Lagna sign's name. Each is written from the chart's numbers.
#pragma once

#include <string>
#include <string_view>

#include "chart/chart.h"

namespace orvanta {

// True when body `body` (Mercury..Saturn) was marked retrograde.
bool IsRetrograde(const ChartOutput& chart, int body);

// Position text of `body` with kRetroMark when it is retrograde.
std::string PositionWithMark(const ChartOutput& chart, int body);

// The label of `body` in its sign's cell: "Venus", "Mercury (R)" when it is
// retrograde (kChartLabelNames and kRetroMark).
std::string BodyLabel(const ChartOutput& chart, int body);

// The value of one attribute of the Indu Lagna sign, or "" when nothing was
// copied.
std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute);

// The English name of the Indu Lagna sign, or "" when nothing was copied.
std::string_view InduLagnaSignName(const ChartOutput& chart);

}  // namespace orvanta
