// Small texts of a computed chart that every front end shows the same way:
// a body's position with its retrograde mark, the lines of a cell caption,
// the Indu Lagna sign's name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"

namespace orvanta {

// True when body `body` (Mercury..Saturn) was marked retrograde.
bool IsRetrograde(const ChartOutput& chart, int body);

// Position text of `body` with kRetroMark when it is retrograde.
std::string PositionWithMark(const ChartOutput& chart, int body);

// The non-empty lines of a caption (CR LF, LF or CR separated), blanks
// trimmed at the right.
std::vector<std::string_view> CaptionLines(std::string_view caption);

// The value of one attribute of the Indu Lagna sign, or "" when nothing was
// copied.
std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute);

// The English name of the Indu Lagna sign, or "" when nothing was copied.
std::string_view InduLagnaSignName(const ChartOutput& chart);

}  // namespace orvanta
