#include "chart/chart_svg.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "chart/xml_text.h"

namespace orvanta {

namespace {

// The drawing's measures, in SVG user units (pixels at 100 %).
constexpr double kChartSide = 420;  // one chart's square
constexpr double kMargin = 20;      // around the drawing
constexpr double kGap = 40;         // between two charts
constexpr double kTitleSpace = 34;  // above a chart: its title
constexpr double kUnderSpace = 30;  // below a chart: its Indu Lagna line
constexpr double kLegendLine = 18;  // one line of the legend
constexpr double kLegendSize = 13;  // the legend's text size
constexpr double kTitleSize = 18;
// Largest text sizes inside a cell, in units of the chart's side.
constexpr double kLargestCellText = 0.036;
constexpr double kLargestLabelText = 0.03;

// The faces that render every script's names: DejaVu Sans for the Latin
// letters and the digits, then Noto Sans and its faces for the Indic
// scripts (Debian's fonts-noto-core ships them all).
constexpr char kFontFamily[] =
    "DejaVu Sans, Noto Sans, Noto Sans Devanagari, Noto Sans Tamil, Noto Sans Telugu, "
    "Noto Sans Kannada, Noto Sans Malayalam, Noto Sans Bengali, Noto Sans Gujarati, sans-serif";

constexpr char kInk[] = "#202020";
constexpr char kMarkInk[] = "#c00000";
constexpr char kLabelInk[] = "#707070";
constexpr char kHeadingInk[] = "#7a1e00";

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// Appends the pieces in order. Built by appending rather than with
// operator+, whose temporaries GCC 12 at -O3 wrongly warns about
// (-Wrestrict).
template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

void TextElement(std::string& out, std::string_view cls, double x, double y, double size,
                 std::string_view anchor, std::string_view ink, std::string_view text,
                 bool bold = false) {
  Append(out, "<text class=\"", cls, "\" x=\"", Number(x), "\" y=\"", Number(y), "\" font-size=\"",
         Number(size), "\" text-anchor=\"", anchor, "\" fill=\"", ink, "\"");
  if (bold) out += " font-weight=\"bold\"";
  Append(out, ">", XmlEscaped(text), "</text>\n");
}

// One chart with its top-left corner at (left, top) of the drawing.
void AppendChart(std::string& out, const ChartDrawing& d, double left, double top) {
  const double side = kChartSide;
  const auto X = [&](double u) { return left + u * side; };
  const auto Y = [&](double u) { return top + kTitleSpace + u * side; };
  Append(out, "<g class=\"chart\" data-chart=\"", d.kind == ChartKind::Navamsa ? "navamsa" : "rasi",
         "\" data-style=\"", ChartStyleKey(d.style), "\">\n");
  TextElement(out, "title", left + side / 2, top + kTitleSize + 4, kTitleSize, "middle",
              kHeadingInk, d.title, true);
  Append(out, "<rect x=\"", Number(X(0)), "\" y=\"", Number(Y(0)), "\" width=\"", Number(side),
         "\" height=\"", Number(side), "\" fill=\"none\" stroke=\"", kInk,
         "\" stroke-width=\"2\"/>\n");
  for (std::size_t k = 0; k < d.cells.size(); ++k) {
    const ChartCellShape& cell = d.cells[k];
    const ChartCellTexts& texts = d.texts[k];
    Append(out, "<g class=\"cell\" data-sign=\"", std::to_string(cell.sign + 1), "\" data-house=\"",
           std::to_string(cell.house), "\"");
    if (texts.ascendant) out += " data-ascendant=\"true\"";
    out += ">\n<polygon points=\"";
    for (std::size_t i = 0; i < cell.outline.size(); ++i) {
      if (i > 0) out += ' ';
      Append(out, Number(X(cell.outline[i].x)), ",", Number(Y(cell.outline[i].y)));
    }
    Append(out, "\" fill=\"", texts.ascendant ? "#fff4e0" : "none", "\" stroke=\"", kInk,
           "\" stroke-width=\"1.2\"/>\n");
    const UnitBox& lb = cell.labelBox;
    const double labelSize =
        FittingTextSize(lb, 1, WidthInLetters(texts.signLabel), kLargestLabelText) * side;
    TextElement(out, "sign", X(lb.x + lb.width / 2), Y(lb.y + lb.height / 2) + labelSize * 0.35,
                labelSize, "middle", kLabelInk, texts.signLabel);
    const FittedCellText fitted = FitCellText(texts, cell.textBox, kLargestCellText);
    const UnitBox& tb = cell.textBox;
    const double size = fitted.size * side;
    // The lines centred in the box, one below the other.
    const double blockHeight = static_cast<double>(fitted.lines.size()) * size * 1.2;
    double y = Y(tb.y + tb.height / 2) - blockHeight / 2 + size;
    for (const CellLine& line : fitted.lines) {
      const bool asc = line.text == d.ascendantLabel;
      TextElement(out, line.mark ? "mark" : "body", X(tb.x + tb.width / 2), y, size, "middle",
                  line.mark || asc ? kMarkInk : kInk, line.text, line.mark || asc);
      y += size * 1.2;
    }
    out += "</g>\n";
  }
  if (!d.induLagnaLine.empty()) {
    TextElement(out, "indu-lagna", left + side / 2, Y(1) + kUnderSpace - 8, 15, "middle", kMarkInk,
                d.induLagnaLine, true);
  }
  out += "</g>\n";
}

}  // namespace

std::string ChartSvg(const ChartOutput& chart, ChartStyle style, ChartSelection which,
                     const NameChoice& names) {
  std::vector<ChartDrawing> drawings;
  if (which != ChartSelection::Navamsa)
    drawings.push_back(DrawChart(chart, ChartKind::Rasi, style, names));
  if (which != ChartSelection::Rasi)
    drawings.push_back(DrawChart(chart, ChartKind::Navamsa, style, names));
  const std::vector<std::string> legend = ChartLegend(style, names);
  const double count = static_cast<double>(drawings.size());
  const double width = 2 * kMargin + count * kChartSide + (count - 1) * kGap;
  const double chartsBottom = kMargin + kTitleSpace + kChartSide + kUnderSpace;
  const double height =
      chartsBottom + static_cast<double>(legend.size() + 1) * kLegendLine + kMargin;

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  Append(out, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"", Number(width), "\" height=\"",
         Number(height), "\" viewBox=\"0 0 ", Number(width), " ", Number(height),
         "\" font-family=\"", kFontFamily, "\">\n");
  std::string title = "Orvanta - ";
  title += chart.birth.name;
  Append(out, "<title>", XmlEscaped(title), "</title>\n");
  out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  for (std::size_t i = 0; i < drawings.size(); ++i) {
    AppendChart(out, drawings[i], kMargin + static_cast<double>(i) * (kChartSide + kGap), kMargin);
  }
  out += "<g class=\"legend\">\n";
  double y = chartsBottom + kLegendLine;
  TextElement(out, "legend-heading", kMargin, y, kLegendSize, "start", kInk, kLegendHeading, true);
  for (const std::string& line : legend) {
    y += kLegendLine;
    TextElement(out, "legend", kMargin, y, kLegendSize, "start", kInk, line);
  }
  out += "</g>\n</svg>\n";
  return out;
}

}  // namespace orvanta
