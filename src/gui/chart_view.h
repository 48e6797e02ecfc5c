// The drawn charts in the desktop program: one chart painted with QPainter
// from the core's layout (chart/chart_layout.h) into any rectangle, for the
// result window and the printed page alike, and the widget that shows a
// birth chart and its Navamsa side by side, or one above the other where
// its room is taller than wide.
//
// Text is drawn at the device's own resolution, its size taken from the
// core's fit and then measured with the font's metrics, so that every line
// stays inside its cell at any size and scale factor. No geometry is made
// here beyond scaling the unit square.
#pragma once

#include <QRectF>
#include <QWidget>
#include <array>
#include <optional>

#include "chart/chart_layout.h"

class QPainter;

namespace orvanta {

// Paints `drawing` into `area`: its title along the top, the square
// centred below it, the line naming its Indu Lagna under the square.
// `fontFamily` is empty for the widget's own font.
void PaintChart(QPainter& painter, const QRectF& area, const ChartDrawing& drawing,
                const QString& fontFamily = QString());

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
