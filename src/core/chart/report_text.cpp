#include "chart/report_text.h"

#include <algorithm>
#include <array>

#include "chart/chart_layout.h"
#include "chart/chart_text.h"
#include "chart/explanation.h"
#include "chart/presentation.h"
#include "chart/settings.h"
#include "chart/wealth_chart.h"
#include "version.h"

namespace orvanta {

namespace {

// The five texts, in the order the report prints them.
constexpr std::array<SignAttribute, 5> kReportTexts = {
    SignAttribute::NatureText, SignAttribute::LooksText, SignAttribute::HealthText,
    SignAttribute::CareerText, SignAttribute::LoveText};

constexpr std::size_t kTextWidth = 78;  // columns of the wrapped texts
constexpr std::size_t kCellWidth = 13;  // fits "Jupiter (R)" and "Pis ... IL"

// Pads to `width` characters as they stand side by side (TextLength), so
// that a name in an Indic script keeps the columns.
void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
  out += text;
  const std::size_t length = TextLength(text);
  if (length < width) out.append(width - length, ' ');
}

// The lines of one cell: the sign abbreviation with "IL" at the right when
// the Indu Lagna stands there, then the bodies in body order.
std::vector<std::string> CellLines(const ChartOutput& chart, int sign, NameScript script) {
  std::vector<std::string> lines;
  if (sign < 0) return lines;
  std::string head(SignShortIn(script, sign));
  if (chart.induLagna && chart.induLagna->sign == sign) {
    const std::size_t used = TextLength(head) + kInduLagnaMark.size();
    head.append(used < kCellWidth ? kCellWidth - used : 1, ' ');
    head += kInduLagnaMark;
  }
  lines.push_back(std::move(head));
  NameChoice names;
  names.script = script;
  for (int body = Sun; body < kBodyCount; ++body) {
    if (chart.bodies[static_cast<std::size_t>(body)].sign == sign) {
      lines.push_back(BodyLabel(chart, body, names));
    }
  }
  return lines;
}

void AppendBorder(std::string& out, bool openCentre) {
  const std::string segment(kCellWidth + 2, '-');
  out += '+';
  for (int column = 0; column < 4; ++column) {
    const bool centre = openCentre && (column == 1 || column == 2);
    if (centre) {
      out.append(kCellWidth + 2, ' ');
      out += column == 1 ? ' ' : '+';
    } else {
      out += segment;
      out += '+';
    }
  }
  out += '\n';
}

void AppendAttributes(std::string& out, const ChartOutput& chart) {
  out += '\n';
  out += kAttributesHeading;
  out += '\n';
  for (const AttributeValue& a : *chart.attributes) {
    if (IsInterpretationText(a.attribute)) continue;
    out += "  ";
    AppendPadded(out, CaptionOf(a.attribute), 27);
    out += ": ";
    out += a.value;
    out += '\n';
  }
  for (SignAttribute text : kReportTexts) {
    out += '\n';
    out += CaptionOf(text);
    out += '\n';
    out += WordWrap(AttributeValueOf(chart, text), kTextWidth, "  ");
  }
}

}  // namespace

std::string WordWrap(std::string_view text, std::size_t width, std::string_view indent) {
  std::string out;
  std::string line;
  const auto flush = [&] {
    if (line.empty()) return;
    out += indent;
    out += line;
    out += '\n';
    line.clear();
  };
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) {
      ++i;
    }
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
           text[i] != '\n') {
      ++i;
    }
    if (i == start) break;
    const std::string_view word = text.substr(start, i - start);
    const std::size_t available = width > indent.size() ? width - indent.size() : 1;
    if (!line.empty() && line.size() + 1 + word.size() > available) flush();
    if (!line.empty()) line += ' ';
    line += word;
  }
  flush();
  return out;
}

void AppendSouthIndianGrid(std::string& out, const ChartOutput& chart, NameScript script) {
  for (std::size_t row = 0; row < kSouthIndianCells.size(); ++row) {
    // Above row 2 the centre stays open: rows 1 and 2 share the empty middle.
    AppendBorder(out, row == 2);
    std::array<std::vector<std::string>, 4> cells;
    std::size_t height = 2;
    for (std::size_t column = 0; column < 4; ++column) {
      cells[column] = CellLines(chart, kSouthIndianCells[row][column], script);
      height = std::max(height, cells[column].size());
    }
    for (std::size_t line = 0; line < height; ++line) {
      out += '|';
      for (std::size_t column = 0; column < 4; ++column) {
        const bool centre = kSouthIndianCells[row][column] < 0;
        if (centre) {
          out.append(kCellWidth + 2, ' ');
          out += column == 1 ? ' ' : '|';
          continue;
        }
        out += ' ';
        AppendPadded(out, line < cells[column].size() ? cells[column][line] : "", kCellWidth);
        out += " |";
      }
      out += '\n';
    }
  }
  AppendBorder(out, false);
}

void AppendChartReport(std::string& out, const ChartOutput& chart, std::string_view placeLines,
                       const DashaRequest& dasha, NameScript script) {
  const BirthDetailTexts d = BirthDetailTextsOf(chart.birth);
  out += kProgramTitle;
  out += '\n';
  // The settings stand under the title when one differs from the program's
  // own, so that a report of the defaults reads as it always has.
  if (!chart.settings.IsDefault()) {
    out += SettingsLine(chart.settings);
    out += '\n';
  }
  out += '\n';
  out += kDetailsHeading;
  out += "\n  ";
  out += d.name;
  out += '\n';
  for (const DetailCaption& row : kDetailCaptions) {
    out += "  ";
    AppendPadded(out, row.caption, 14);
    out += ": ";
    out += d.*row.text;
    out += '\n';
  }
  out += "  ";
  AppendPadded(out, kTimeZoneCaption, 14);
  out += ": " + d.timeZone + '\n';
  out += placeLines;

  out += '\n';
  out += kPositionsHeading;
  out += '\n';
  for (int body = 0; body < kBodyCount; ++body) {
    out += "  ";
    AppendPadded(out, BodyWindowName(script, body), 18);
    out += PositionWithMark(chart, body, script);
    out += '\n';
  }

  out += '\n';
  out += kChartHeading;
  out += '\n';
  AppendSouthIndianGrid(out, chart, script);
  const int il = chart.induLagna ? chart.induLagna->sign : -1;
  out += "\nIndu Lagna (IL): ";
  if (script != NameScript::English && il >= 0 && il < kSignCount) {
    out += SignNameIn(script, il);
  } else if (const std::string_view sign = InduLagnaSignName(chart); !sign.empty()) {
    out += sign;
  } else if (il >= 0 && il < kSignCount) {
    out += kSignAbbr[static_cast<std::size_t>(il)];
  } else {
    out += "no sign";
  }
  out += '\n';
  // How it was found, with the legend and the textbook reading: the same
  // lines as the result window's panel.
  if (const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart)) {
    out += '\n';
    for (const std::string& line : ExplanationPlainText(*steps)) {
      out += line;
      out += '\n';
    }
  }

  if (chart.attributes) AppendAttributes(out, chart);
  out += '\n';
  AppendDashaReport(out, chart, dasha, script);
  out += '\n';
  AppendWealthReport(out, chart, script);
}

}  // namespace orvanta
