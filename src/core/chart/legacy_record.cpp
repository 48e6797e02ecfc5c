#include "chart/legacy_record.h"

#include <algorithm>

#include "chart/presentation.h"
#include "engine/retrograde.h"

namespace orvanta {

namespace {

// One empty line, or a line with `mark`, appended to sign `sign`'s caption;
// a sign outside 0..11 has none.
void AppendLine(SignCaptions& captions, int sign, std::string_view mark = {}) {
  if (sign < 0 || sign >= kSignCount) return;
  std::string& caption = captions[static_cast<std::size_t>(sign)];
  caption += kCrLf;
  caption += mark;
}

}  // namespace

LegacyCaptions LegacyCaptionsOf(const ChartOutput& chart) {
  LegacyCaptions c;
  for (int body = Sun; body < kBodyCount; ++body) {
    const BodyPosition& p = chart.bodies[static_cast<std::size_t>(body)];
    c.positionText[static_cast<std::size_t>(body)] = PositionText(p);
    std::string& label = c.chartLabel[static_cast<std::size_t>(body)];
    label = kChartLabelNames[static_cast<std::size_t>(body)];
    if (p.retrograde) label += kRetrogradeMark;
    if (body >= Mercury && body <= Saturn) {
      c.retroFlag[static_cast<std::size_t>(body - Mercury)] = p.retrograde;
    }
    AppendLine(c.signCells, p.sign, label);
  }
  std::copy(chart.outerPlanetsRetrograde.begin(), chart.outerPlanetsRetrograde.end(),
            c.retroFlag.end() - 3);

  const HouseCalls& houses = chart.houses;
  for (int house = 0; house < houses.houseCount; ++house) {
    AppendLine(c.marks, houses.padaSigns[static_cast<std::size_t>(house)] - 1);
    if (house == 0) AppendLine(c.marks, houses.firstLordSign - 1);
  }
  for (const int sign : chart.movingPointSigns) AppendLine(c.marks, sign);
  if (chart.induLagna) AppendLine(c.marks, chart.induLagna->sign, kInduLagnaMark);
  if (chart.vighatiSign) AppendLine(c.marks, *chart.vighatiSign);
  return c;
}

}  // namespace orvanta
