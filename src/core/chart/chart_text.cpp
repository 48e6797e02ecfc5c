#include "chart/chart_text.h"

#include "chart/presentation.h"

namespace orvanta {

bool IsRetrograde(const ChartOutput& chart, int body) {
  if (body < Mercury || body > Saturn) return false;
  return chart.bodies[static_cast<std::size_t>(body)].retrograde;
}

std::string PositionWithMark(const ChartOutput& chart, int body) {
  std::string text = PositionText(chart.bodies[static_cast<std::size_t>(body)]);
  if (IsRetrograde(chart, body)) text += kRetroMark;
  return text;
}

std::string BodyLabel(const ChartOutput& chart, int body) {
  std::string text(kChartLabelNames[static_cast<std::size_t>(body)]);
  if (IsRetrograde(chart, body)) text += kRetroMark;
  return text;
}

std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute) {
  return chart.attributes ? ValueOf(*chart.attributes, attribute) : std::string_view{};
}

std::string_view InduLagnaSignName(const ChartOutput& chart) {
  return AttributeValueOf(chart, SignAttribute::EnglishName);
}

}  // namespace orvanta
