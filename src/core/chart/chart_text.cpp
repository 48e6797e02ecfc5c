#include "chart/chart_text.h"

#include "chart/dasha_chart.h"
#include "chart/presentation.h"
#include "dasha/vimshottari.h"

namespace orvanta {

bool IsRetrograde(const ChartOutput& chart, int body) {
  if (body < Mercury || body > Saturn) return false;
  return chart.bodies[static_cast<std::size_t>(body)].retrograde;
}

std::string PositionWithMark(const ChartOutput& chart, int body, NameScript script) {
  std::string text = PositionText(chart.bodies[static_cast<std::size_t>(body)], script);
  if (IsRetrograde(chart, body)) text += kRetroMark;
  return text;
}

namespace {
bool HasNakshatra(const BodyPosition& position) {
  return position.sign >= 0 && position.nakshatra >= 0 && position.nakshatra < kNakshatraCount &&
         position.pada >= 1 && position.pada <= 4;
}
}  // namespace

std::string_view NakshatraName(const BodyPosition& position, NameScript script) {
  if (!HasNakshatra(position)) return {};
  return NakshatraNameIn(script, position.nakshatra);
}

std::string PadaText(const BodyPosition& position) {
  if (!HasNakshatra(position)) return {};
  return std::to_string(position.pada);
}

std::string_view NakshatraLordName(const BodyPosition& position, NameScript script) {
  if (!HasNakshatra(position)) return {};
  return LordNameIn(script, dasha::LordOfNakshatra(position.nakshatra));
}

std::string BodyLabel(const ChartOutput& chart, int body, const NameChoice& names,
                      bool withDegrees) {
  std::string text(names.twoLetterLabels ? BodyShortIn(names.script, body)
                                         : BodyNameIn(names.script, body));
  if (names.degreesInCells && withDegrees && body >= 0 && body < kBodyCount) {
    const std::string degrees = DegreesInSign(chart.bodies[static_cast<std::size_t>(body)]);
    if (!degrees.empty()) {
      text += ' ';
      text += degrees;
    }
  }
  if (IsRetrograde(chart, body)) text += kRetroMark;
  return text;
}

std::string BodyShortLabel(const ChartOutput& chart, int body, const NameChoice& names,
                           bool withDegrees) {
  NameChoice shorter = names;
  shorter.twoLetterLabels = true;
  return BodyLabel(chart, body, shorter, withDegrees);
}

std::string DegreesInSign(const BodyPosition& position) {
  if (position.sign < 0) return {};
  std::string text;
  text += static_cast<char>('0' + position.degrees / 10);
  text += static_cast<char>('0' + position.degrees % 10);
  text += "\u00B0";
  text += static_cast<char>('0' + position.minutes / 10);
  text += static_cast<char>('0' + position.minutes % 10);
  text += '\'';
  return text;
}

std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute) {
  return chart.attributes ? ValueOf(*chart.attributes, attribute) : std::string_view{};
}

std::string_view InduLagnaSignName(const ChartOutput& chart) {
  return AttributeValueOf(chart, SignAttribute::EnglishName);
}

}  // namespace orvanta
