#include "chart/chart_text.h"

#include "chart/presentation.h"
#include "dasha/vimshottari.h"

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

std::string BodyShortLabel(const ChartOutput& chart, int body) {
  std::string text(kChartShortLabels[static_cast<std::size_t>(body)]);
  if (IsRetrograde(chart, body)) text += kRetroMark;
  return text;
}

namespace {
bool HasNakshatra(const BodyPosition& position) {
  return position.sign >= 0 && position.nakshatra >= 0 && position.nakshatra < kNakshatraCount &&
         position.pada >= 1 && position.pada <= 4;
}
}  // namespace

std::string_view NakshatraName(const BodyPosition& position) {
  if (!HasNakshatra(position)) return {};
  return kNakshatraNames[static_cast<std::size_t>(position.nakshatra)];
}

std::string PadaText(const BodyPosition& position) {
  if (!HasNakshatra(position)) return {};
  return std::to_string(position.pada);
}

std::string_view NakshatraLordName(const BodyPosition& position) {
  if (!HasNakshatra(position)) return {};
  const std::size_t lords = dasha::kVimshottariLords.size();
  return dasha::kVimshottariLords[static_cast<std::size_t>(position.nakshatra) % lords].name;
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
