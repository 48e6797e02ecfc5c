// The desktop program's view settings, kept between runs with QSettings:
// the style the charts are drawn in (View menu). The file is the user's
// orvanta/orvanta.ini in the configuration folder (QSettings::setPath moves
// it, as the tests do).
#pragma once

#include "chart/chart_layout.h"

namespace orvanta {

// The chart style last chosen; South Indian when none was, or when the
// saved text names no style.
ChartStyle SavedChartStyle();
void SaveChartStyle(ChartStyle style);

}  // namespace orvanta
