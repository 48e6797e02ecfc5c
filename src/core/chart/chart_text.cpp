#include "chart/chart_text.h"

#include "chart/presentation.h"

namespace orvanta {

namespace {

std::string_view RightTrimmed(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

bool IsRetrograde(const ChartOutput& chart, int body) {
  // RetroFlag runs Mercury, Venus, Mars, Jupiter, Saturn, ... from index 0.
  if (body < Mercury || body > Saturn) return false;
  return chart.RetroFlag[static_cast<std::size_t>(body - Mercury)];
}

std::string PositionWithMark(const ChartOutput& chart, int body) {
  std::string text = chart.PositionText[static_cast<std::size_t>(body)];
  if (IsRetrograde(chart, body)) text += kRetroMark;
  return text;
}

std::vector<std::string_view> CaptionLines(std::string_view caption) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start <= caption.size()) {
    const std::size_t end = caption.find_first_of("\r\n", start);
    const std::string_view line = RightTrimmed(caption.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (!line.empty()) lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute) {
  return chart.attributes ? ValueOf(*chart.attributes, attribute) : std::string_view{};
}

std::string_view InduLagnaSignName(const ChartOutput& chart) {
  return AttributeValueOf(chart, SignAttribute::EnglishName);
}

}  // namespace orvanta
