// The "wealth" member of orvanta-cli's --json chart: the wealth reading of
// chart/wealth_chart.h in numbers and names (docs/chart.schema.json
// describes it).
#pragma once

#include <string>

#include "chart/chart.h"

namespace orvanta::cli {

// Appends the reading as one JSON value: an object, or null where the chart
// has no Indu Lagna.
void AppendWealthJson(std::string& out, const ChartOutput& chart);

}  // namespace orvanta::cli
