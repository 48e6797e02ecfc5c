#include "gui/chart_view.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "chart/presentation.h"
#include "chart/wealth_chart.h"

namespace orvanta {
namespace {

// Shares of an area: the title strip above the square and the Indu Lagna's
// line below it.
constexpr double kTitleShare = 0.08;
constexpr double kUnderShare = 0.07;
// Largest text sizes in a cell, in units of the square's side.
constexpr double kLargestCellText = 0.036;
constexpr double kLargestLabelText = 0.036;
// Text below this many pixels is not drawn smaller.
constexpr double kSmallestTextPx = 3.0;
// On screen, the least text size, in the screen's own pixels, a chart gets
// where its cell has room for it.
constexpr double kScreenLegiblePx = 9.0;
// Room around the charts in the widget, and between the two.
constexpr double kViewMargin = 4.0;
constexpr double kChartGap = 4.0;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kMarkInk(0xC0, 0x00, 0x00);
const QColor kLabelInk(0x70, 0x70, 0x70);
const QColor kHeadingInk(0x7A, 0x1E, 0x00);
const QColor kAscendantFill(0xFF, 0xF4, 0xE0);

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont SizedFont(const QString& family, double pixels, bool bold) {
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(pixels + 1e-9))));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// The largest font, at most `pixels`, at which every line fits `width` and
// all of them, one under the other, `height`.
QFont FittedFont(const QString& family, double pixels, bool bold, const QStringList& lines,
                 double width, double height) {
  QFont font = SizedFont(family, pixels, bold);
  for (int tries = 0; tries < 60 && font.pixelSize() > kSmallestTextPx; ++tries) {
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const double tall = metrics.height() * static_cast<double>(lines.size());
    if (widest <= width && tall <= height + 1.0) break;
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

// The lines of a cell's text box at the square's `side`: the core's fit
// at its proportional size, or, where that is below `legiblePx`, the fit
// that lets the text be as large as the box allows up to that size. The
// bodies' names give way to their two-letter labels where the names would
// stand below the legible size, or, on screen, below two thirds of a
// cell's full size: a crowded cell's names would read much smaller than
// its neighbours'.
FittedCellText CellLinesAt(const ChartCellTexts& texts, const UnitBox& box, double side,
                           double legiblePx) {
  const double legible = legiblePx / side;
  const double namesLeast = legiblePx > 0 ? std::max(legible, kLargestCellText * 2 / 3) : 0;
  return FitCellText(texts, box, std::max(kLargestCellText, legible), namesLeast);
}

}  // namespace

PaintedChart LayOutChart(const QRectF& area, const ChartDrawing& d, const QString& family,
                         double legiblePx) {
  PaintedChart out;
  const double titleHeight = area.height() * kTitleShare;
  const double underHeight = area.height() * kUnderShare;
  const double side = std::min(area.width(), area.height() - titleHeight - underHeight);
  if (side <= 0) return out;
  out.square =
      QRectF(area.left() + (area.width() - side) / 2, area.top() + titleHeight, side, side);
  const QRectF& square = out.square;
  const auto box = [&](const UnitBox& b) {
    return QRectF(square.left() + b.x * side, square.top() + b.y * side, b.width * side,
                  b.height * side);
  };

  const QRectF titleBox(area.left(), area.top(), area.width(), titleHeight);
  const double titlePx = std::min(titleHeight * 0.7, side * 0.06);
  out.texts.push_back(
      {ChartTextRole::Title, -1, Q(d.title),
       FittedFont(family, titlePx, true, {Q(d.title)}, titleBox.width(), titleBox.height()),
       kHeadingInk, titleBox});

  for (std::size_t k = 0; k < d.cells.size(); ++k) {
    const ChartCellShape& cell = d.cells[k];
    const ChartCellTexts& texts = d.texts[k];
    const int index = static_cast<int>(k);

    const QRectF label = box(cell.labelBox);
    const QString labelText = Q(texts.signLabel);
    const double labelFit =
        FittingTextSize(cell.labelBox, 1, WidthInLetters(texts.signLabel), 1.0) * side;
    // Below the legible size the estimate gives way to the font's own
    // metrics: FittedFont shrinks from the legible size only as far as the
    // measured text needs.
    const double labelPx =
        std::max(std::min(labelFit, std::max(kLargestLabelText * side, legiblePx)), legiblePx);
    out.texts.push_back(
        {ChartTextRole::SignLabel, index, labelText,
         FittedFont(family, labelPx, false, {labelText}, label.width(), label.height()), kLabelInk,
         label});

    const FittedCellText fitted = CellLinesAt(texts, cell.textBox, side, legiblePx);
    if (fitted.lines.empty()) continue;
    const QRectF text = box(cell.textBox);
    QStringList lines;
    for (const CellLine& line : fitted.lines) lines << Q(line.text);
    // Bold is the widest face: the size that fits it fits the plain lines too.
    const QFont bold = FittedFont(family, std::max(fitted.size * side, legiblePx), true, lines,
                                  text.width(), text.height());
    QFont plain = bold;
    plain.setBold(false);
    const double lineHeight = QFontMetricsF(bold).height();
    double y = text.center().y() - lineHeight * static_cast<double>(lines.size()) / 2;
    for (const CellLine& line : fitted.lines) {
      const bool asc = line.text == d.ascendantLabel || line.text == d.ascendantShortLabel;
      out.texts.push_back({ChartTextRole::CellText, index, Q(line.text),
                           line.mark || asc ? bold : plain, line.mark || asc ? kMarkInk : kInk,
                           QRectF(text.left(), y, text.width(), lineHeight)});
      y += lineHeight;
    }
  }
  if (!d.induLagnaLine.empty()) {
    const QRectF under(area.left(), square.bottom(), area.width(), underHeight);
    out.texts.push_back({ChartTextRole::InduLagnaLine, -1, Q(d.induLagnaLine),
                         FittedFont(family, std::min(underHeight * 0.6, side * 0.05), true,
                                    {Q(d.induLagnaLine)}, under.width(), under.height()),
                         kMarkInk, under});
  }
  return out;
}

void PaintChart(QPainter& p, const QRectF& area, const ChartDrawing& d, const QString& family,
                double legiblePx) {
  PaintLaidOutChart(p, LayOutChart(area, d, family, legiblePx), d);
}

void PaintLaidOutChart(QPainter& p, const PaintedChart& laid, const ChartDrawing& d) {
  if (laid.square.isEmpty()) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRectF& square = laid.square;
  const double side = square.width();
  const auto at = [&](UnitPoint u) {
    return QPointF(square.left() + u.x * side, square.top() + u.y * side);
  };
  for (std::size_t k = 0; k < d.cells.size(); ++k) {
    QPolygonF outline;
    for (const UnitPoint& u : d.cells[k].outline) outline << at(u);
    p.setPen(QPen(kInk, std::max(1.0, side / 350)));
    p.setBrush(d.texts[k].ascendant ? QBrush(kAscendantFill) : QBrush(Qt::NoBrush));
    p.drawPolygon(outline);
  }
  p.setBrush(Qt::NoBrush);
  for (const ChartTextItem& item : laid.texts) {
    p.setFont(item.font);
    p.setPen(item.ink);
    p.drawText(item.box, Qt::AlignCenter, item.text);
  }
  p.setPen(QPen(kInk, std::max(1.5, side / 220)));
  p.drawRect(square);
  p.restore();
}

namespace {

// The two charts' areas in a drawing widget's rectangle: a margin around
// them and a small gap between them.
std::array<QRectF, 2> ViewChartAreas(const QRectF& rect) {
  std::array<QRectF, 2> areas =
      ChartAreas(rect.adjusted(kViewMargin, kViewMargin, -kViewMargin, -kViewMargin));
  for (QRectF& area : areas) area.adjust(kChartGap, 0, -kChartGap, 0);
  return areas;
}

}  // namespace

double ChartSquareSide(const QSizeF& size) {
  const QRectF area = ViewChartAreas(QRectF(QPointF(0, 0), size))[0];
  return std::max(0.0, std::min(area.width(), area.height() * (1 - kTitleShare - kUnderShare)));
}

ChartArrangement ArrangementFor(const QSizeF& room) {
  // Each chart's area is about as tall as wide (its square plus the title
  // and the line under it): side by side wins where the room is wide.
  const double sideBySide = std::min(room.width() / 2, room.height());
  const double stacked = std::min(room.width(), room.height() / 2);
  return sideBySide >= stacked ? ChartArrangement::SideBySide : ChartArrangement::Stacked;
}

std::array<QRectF, 2> ChartAreas(const QRectF& room) {
  if (ArrangementFor(room.size()) == ChartArrangement::SideBySide) {
    const double w = room.width() / 2;
    return {QRectF(room.left(), room.top(), w, room.height()),
            QRectF(room.left() + w, room.top(), w, room.height())};
  }
  const double h = room.height() / 2;
  return {QRectF(room.left(), room.top(), room.width(), h),
          QRectF(room.left(), room.top() + h, room.width(), h)};
}

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("chartView"));
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ChartView::Present(const ChartOutput& chart, ChartStyle style) {
  chart_ = chart;
  SetStyle(style);
}

void ChartView::SetStyle(ChartStyle style) {
  style_ = style;
  if (chart_) {
    drawings_ = std::array<ChartDrawing, 2>{DrawChart(*chart_, ChartKind::Rasi, style, names_),
                                            DrawChart(*chart_, ChartKind::Navamsa, style, names_)};
    if (specialLagnas_) {
      for (ChartDrawing& d : *drawings_) AddSpecialLagnaMarks(d, *chart_);
    }
  }
  update();
}

void ChartView::SetSpecialLagnas(bool shown) {
  specialLagnas_ = shown;
  SetStyle(style_);
}

void ChartView::SetNames(const NameChoice& names) {
  names_ = names;
  SetStyle(style_);
}

std::array<PaintedChart, 2> ChartView::Painted() const {
  std::array<PaintedChart, 2> painted;
  if (!drawings_) return painted;
  const std::array<QRectF, 2> areas = ViewChartAreas(QRectF(rect()));
  const double legible = kScreenLegiblePx / std::max(1.0, devicePixelRatioF());
  for (std::size_t i = 0; i < 2; ++i) {
    painted[i] = LayOutChart(areas[i], (*drawings_)[i], QString(), legible);
  }
  return painted;
}

void ChartView::paintEvent(QPaintEvent*) {
  if (!drawings_) return;
  QPainter p(this);
  const std::array<PaintedChart, 2> painted = Painted();
  for (std::size_t i = 0; i < 2; ++i) PaintLaidOutChart(p, painted[i], (*drawings_)[i]);
}

}  // namespace orvanta
