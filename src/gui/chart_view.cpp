#include "gui/chart_view.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

#include "chart/wealth_chart.h"

namespace orvanta {
namespace {

// Shares of an area: the title strip above the square and the Indu Lagna's
// line below it.
constexpr double kTitleShare = 0.08;
constexpr double kUnderShare = 0.07;
// Largest text sizes in a cell, in units of the square's side.
constexpr double kLargestCellText = 0.036;
constexpr double kLargestLabelText = 0.03;
// Text below this many device pixels is not drawn smaller.
constexpr double kSmallestTextPx = 3.0;

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
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(pixels))));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// The largest font, at most `pixels`, at which every line fits `width`.
QFont FittedFont(const QString& family, double pixels, bool bold, const QStringList& lines,
                 double width) {
  QFont font = SizedFont(family, pixels, bold);
  for (int tries = 0; tries < 40 && font.pixelSize() > kSmallestTextPx; ++tries) {
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest <= width) break;
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

}  // namespace

void PaintChart(QPainter& p, const QRectF& area, const ChartDrawing& d, const QString& family) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double titleHeight = area.height() * kTitleShare;
  const double underHeight = area.height() * kUnderShare;
  const double side = std::min(area.width(), area.height() - titleHeight - underHeight);
  if (side <= 0) {
    p.restore();
    return;
  }
  const QRectF square(area.left() + (area.width() - side) / 2, area.top() + titleHeight, side,
                      side);
  const auto at = [&](UnitPoint u) {
    return QPointF(square.left() + u.x * side, square.top() + u.y * side);
  };
  const auto box = [&](const UnitBox& b) {
    return QRectF(square.left() + b.x * side, square.top() + b.y * side, b.width * side,
                  b.height * side);
  };

  const double titlePx = std::min(titleHeight * 0.7, side * 0.06);
  p.setFont(FittedFont(family, titlePx, true, {Q(d.title)}, area.width()));
  p.setPen(kHeadingInk);
  p.drawText(QRectF(area.left(), area.top(), area.width(), titleHeight),
             Qt::AlignHCenter | Qt::AlignVCenter, Q(d.title));

  for (std::size_t k = 0; k < d.cells.size(); ++k) {
    const ChartCellShape& cell = d.cells[k];
    const ChartCellTexts& texts = d.texts[k];
    QPolygonF outline;
    for (const UnitPoint& u : cell.outline) outline << at(u);
    p.setPen(QPen(kInk, std::max(1.0, side / 350)));
    p.setBrush(texts.ascendant ? QBrush(kAscendantFill) : QBrush(Qt::NoBrush));
    p.drawPolygon(outline);

    const QRectF label = box(cell.labelBox);
    const QString labelText = Q(texts.signLabel);
    p.setFont(FittedFont(
        family,
        FittingTextSize(cell.labelBox, 1, WidthInLetters(texts.signLabel), kLargestLabelText) *
            side,
        false, {labelText}, label.width()));
    p.setPen(kLabelInk);
    p.drawText(label, Qt::AlignCenter, labelText);

    const FittedCellText fitted = FitCellText(texts, cell.textBox, kLargestCellText);
    if (fitted.lines.empty()) continue;
    const QRectF text = box(cell.textBox);
    QStringList lines;
    for (const CellLine& line : fitted.lines) lines << Q(line.text);
    // Bold is the widest face: the size that fits it fits the plain lines too.
    const QFont bold = FittedFont(family, fitted.size * side, true, lines, text.width());
    QFont plain = bold;
    plain.setBold(false);
    const double lineHeight = QFontMetricsF(bold).height();
    double y = text.center().y() - lineHeight * static_cast<double>(lines.size()) / 2;
    for (const CellLine& line : fitted.lines) {
      const bool asc = line.text == d.ascendantLabel;
      p.setFont(line.mark || asc ? bold : plain);
      p.setPen(line.mark || asc ? kMarkInk : kInk);
      p.drawText(QRectF(text.left(), y, text.width(), lineHeight), Qt::AlignCenter, Q(line.text));
      y += lineHeight;
    }
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, std::max(1.5, side / 220)));
  p.drawRect(square);
  if (!d.induLagnaLine.empty()) {
    p.setFont(FittedFont(family, std::min(underHeight * 0.6, side * 0.05), true,
                         {Q(d.induLagnaLine)}, area.width()));
    p.setPen(kMarkInk);
    p.drawText(QRectF(area.left(), square.bottom(), area.width(), underHeight), Qt::AlignCenter,
               Q(d.induLagnaLine));
  }
  p.restore();
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

void ChartView::paintEvent(QPaintEvent*) {
  if (!drawings_) return;
  QPainter p(this);
  const std::array<QRectF, 2> areas = ChartAreas(QRectF(rect()).adjusted(4, 4, -4, -4));
  for (std::size_t i = 0; i < 2; ++i) {
    // A small gap between the two charts.
    PaintChart(p, areas[i].adjusted(4, 0, -4, 0), (*drawings_)[i]);
  }
}

}  // namespace orvanta
