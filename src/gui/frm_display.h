// The result window: birth details, planetary positions, the birth chart
// and its Navamsa drawn in the chosen style (gui/chart_view.h) with the
// Indu Lagna marks on the first tab; the Indu Lagna sign's attributes and
// five interpretation texts on the second.
//
// The window computes nothing. Present() writes the texts the presentation
// functions make of one ChartOutput into the controls, which carry the names
// the rest of the program (and the tests) find them by: planet0..planet9,
// lblName, lblVedicName, txtLooks, SSTab1, ... Positions are the design's
// twips at 15 twips per pixel.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>

#include "chart/chart_layout.h"
#include "gui/ui_common.h"
#include "io/birth_entries.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;

namespace orvanta {

class ChartView;
class DashaPage;
class WealthPage;
class HelpLinks;

// The window's design in twips, drawn at a scale: 1 on a screen that holds
// the window whole, less on a smaller one (or a larger scale factor), so
// that the window shrinks as a whole, text included, instead of being cut
// off.
struct Scaled {
  double factor = 1.0;
  int Px(double twips) const { return orvanta::Px(twips * factor); }
  QRect Rect(int left, int top, int width, int height) const {
    return QRect(Px(left), Px(top), Px(width), Px(height));
  }
  int FontPx(int pixelSize) const {
    // Rounded down: a text never grows past the box that shrank with it.
    return std::max(kSmallestTextPx, static_cast<int>(std::floor(pixelSize * factor + 1e-9)));
  }
  QFont Font(int pixelSize, bool bold = false) const { return LabelFont(FontPx(pixelSize), bold); }
  QFont Fixed(int pixelSize) const { return FixedPitchFont(FontPx(pixelSize)); }
  // Below this the texts are no longer legible; the window does not shrink
  // its text further (a smaller screen then scrolls).
  static constexpr int kSmallestTextPx = 7;
};

// The largest scale, at most 1, at which a window of `designPx` fits into
// `roomPx` (both in device-independent pixels).
double FitScale(QSize designPx, QSize roomPx);

class FrmDisplay : public QWidget {
  Q_OBJECT
 public:
  // `scale` below 1 draws the whole window smaller, text included (see
  // FitScale); the design size is DesignSize().
  explicit FrmDisplay(const HelpLinks& help, QWidget* parent = nullptr, double scale = 1.0);

  // The window's size at scale 1.
  static QSize DesignSize();
  // The scale the window is drawn at, and its twip-to-pixel conversions.
  const Scaled& design() const { return s_; }

  // Writes one computed chart into the window and turns to the first tab.
  void Present(const ChartOutput& chart);

  // Draws the charts (the birth chart and its Navamsa) in `style`, now and
  // for every chart presented after.
  void SetChartStyle(ChartStyle style);
  // Names the signs, bodies and nakshatras as `names` asks in the drawn
  // charts, the positions and the Dasha and Wealth pages, for every chart
  // presented after (the shown one is presented again by its caller).
  void SetNames(const NameChoice& names);
  const NameChoice& names() const { return names_; }
  ChartView* chartView() const { return chartView_; }
  // The "Dasha" tab.
  DashaPage* dashaPage() const { return dashaPage_; }
  WealthPage* wealthPage() const { return wealthPage_; }

  // Raises the chart frame and then the details frame above their siblings,
  // as the main window does when it loads this window.
  void BringChartToFront();

  // The label or text box that shows one attribute of the Indu Lagna sign.
  QWidget* AttributeWidget(SignAttribute attribute) const;

 private:
  void BuildHeadings();
  void BuildChartTab(QWidget* page);
  void BuildDetailsTab(QWidget* page);
  void BuildExplanationPanel(QWidget* page, QRect geometry);
  // The legend of the drawn charts in their style.
  void ShowLegend();

  const HelpLinks& help_;
  Scaled s_;
  QTabWidget* tabs_ = nullptr;
  QLabel* headline_ = nullptr;      // "Indu Lagna: Scorpio (Vrischika)"
  QLabel* howFound_ = nullptr;      // the count, one step a line
  QLabel* textbookRule_ = nullptr;  // the other reading
  QLabel* legend_ = nullptr;
  QLabel* navamsaHowFound_ = nullptr;  // the Navamsa's count, headline first
  ChartView* chartView_ = nullptr;
  DashaPage* dashaPage_ = nullptr;
  WealthPage* wealthPage_ = nullptr;
  ChartStyle style_ = ChartStyle::SouthIndian;
  NameChoice names_;
  std::array<QLabel*, kBodyCount> bodyNames_{};  // the bodies' names beside their positions
  QWidget* chartFrame_ = nullptr;                // the drawn charts and the forum link
  QWidget* detailsFrame_ = nullptr;              // the birth details
  std::array<QLabel*, kBodyCount> positions_{};  // the bodies' positions, Sun..Asc
  QLabel* name_ = nullptr;
  QLabel* timeZone_ = nullptr;  // "Time Zone: Asia/Kathmandu, UTC+5:45, standard time"
  std::array<QLabel*, kDetailCaptions.size()> details_{};  // in kDetailCaptions order
  // The Indu Lagna sign's attributes: a label or, for the texts, a text box.
  std::array<QLabel*, kAttributeCount> attributeLabels_{};
  std::array<QPlainTextEdit*, kAttributeCount> attributeTexts_{};
};

}  // namespace orvanta
