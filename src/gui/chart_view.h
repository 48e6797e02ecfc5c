// The drawn charts in the desktop program: one chart painted with QPainter
// from the core's layout (chart/chart_layout.h) into any rectangle, for the
// result window and the printed page alike, and the widget that shows a
// birth chart and its Navamsa side by side, or one above the other where
// its room is taller than wide.
//
// Text is drawn at the device's own resolution, its size taken from the
// core's fit in the widget's real pixels and then measured with the font's
// metrics, so that every line stays inside its cell at any size and scale
// factor; on screen no line is made smaller than a legible size where its
// cell has room for one. No geometry is made
// here beyond scaling the unit square.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "chart/chart_layout.h"

class QPainter;

namespace orvanta {

// One line of text of a drawn chart as it is painted: where (its box, in
// the painter's coordinates), in which font and ink. Cell texts and sign
// labels name their cell (Aries first); the title and the Indu Lagna's line
// under the square name none.
enum class ChartTextRole { Title, SignLabel, CellText, InduLagnaLine };
struct ChartTextItem {
  ChartTextRole role = ChartTextRole::Title;
  int cell = -1;
  QString text;
  QFont font;
  QColor ink;
  QRectF box;  // the line's box; the text is centred in it
};

// A chart laid out in an area: its square and every line of text.
struct PaintedChart {
  QRectF square;
  std::vector<ChartTextItem> texts;
};

// Lays `drawing` out in `area`: its title along the top, the square
// centred below it, the line naming its Indu Lagna under the square. Text
// sizes are whole pixels of the painter, at least `legiblePx` wherever the
// cell has room for it (the proportional size of a small chart would be
// smaller), and every line fits its box in the font's own metrics.
// `fontFamily` is empty for the application's font.
PaintedChart LayOutChart(const QRectF& area, const ChartDrawing& drawing,
                         const QString& fontFamily = QString(), double legiblePx = 0);

// Paints `drawing` into `area` as LayOutChart lays it out.
void PaintChart(QPainter& painter, const QRectF& area, const ChartDrawing& drawing,
                const QString& fontFamily = QString(), double legiblePx = 0);
// Paints `drawing` as `laid` (its LayOutChart) places it.
void PaintLaidOutChart(QPainter& painter, const PaintedChart& laid, const ChartDrawing& drawing);

// The side of each chart's square in a drawing widget of `size`.
double ChartSquareSide(const QSizeF& size);

// How two charts share a room: the arrangement that gives each the larger
// square.
enum class ChartArrangement { SideBySide, Stacked };
ChartArrangement ArrangementFor(const QSizeF& room);
// The two areas of the charts in `room`, in that arrangement.
std::array<QRectF, 2> ChartAreas(const QRectF& room);

class ChartView : public QWidget {
  Q_OBJECT
 public:
  explicit ChartView(QWidget* parent = nullptr);

  // Shows the charts of a computed birth in `style`.
  void Present(const ChartOutput& chart, ChartStyle style);
  // Draws the charts shown in another style.
  void SetStyle(ChartStyle style);
  ChartStyle style() const { return style_; }
  // Shows or hides the special lagnas' marks (HL, GL, BL, SL, AL, A2, A11).
  void SetSpecialLagnas(bool shown);
  bool specialLagnas() const { return specialLagnas_; }
  // Names the signs and bodies as `names` asks (the script, two-letter
  // labels, degrees in the cells).
  void SetNames(const NameChoice& names);
  const NameChoice& names() const { return names_; }
  // The birth chart and the Navamsa as drawn; empty before a chart.
  const std::optional<std::array<ChartDrawing, 2>>& drawings() const { return drawings_; }
  ChartArrangement arrangement() const { return ArrangementFor(size()); }
  // Both charts as painted at the widget's size: squares and text lines.
  std::array<PaintedChart, 2> Painted() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<ChartOutput> chart_;
  std::optional<std::array<ChartDrawing, 2>> drawings_;
  ChartStyle style_ = ChartStyle::SouthIndian;
  bool specialLagnas_ = false;
  NameChoice names_;
};

}  // namespace orvanta
