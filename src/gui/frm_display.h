// The result window: birth details, planetary positions, the birth chart
// and its Navamsa drawn in the chosen style (gui/chart_view.h) with the
// Indu Lagna marks on the first tab; the Indu Lagna sign's attributes and
// five interpretation texts on the second.
//
// The window computes nothing. Present() writes the texts the presentation
// functions make of one ChartOutput into the controls, which carry the names
// the rest of the program (and the tests) find them by: planet0..planet9,
// nakshatra0.., lblName, lblVedicName, txtLooks, SSTab1, ...
//
// The window is laid out by Qt layouts in real pixels and fills the room it
// is given; its texts keep their sizes. The first tab reflows with its
// room (ChartPageLayoutFor): wide, the charts, the positions with the
// birth details beside them and "How it was found" under those; narrower,
// the positions beside the charts and the details and the explanation as
// tabs under them; small, every part a tab of its own, the charts' tab
// holding nothing but the drawing (the forum link stands in the headings
// too) and, where the room is wider than tall, the tabs along its left
// side, so that the drawing keeps the room's whole height.
#pragma once

#include <QSize>
#include <QWidget>
#include <array>

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

// How the first tab shares its room.
enum class ChartPageLayout {
  Wide,    // charts | positions and details over the explanation
  Side,    // charts | positions over tabs of details and explanation
  Tabbed,  // charts, positions, details and explanation each a tab
};

// What the choice of a layout reads: the room below the headline and the
// size hints of its parts, in device-independent pixels.
struct ChartPageRoom {
  QSize room;
  QSize positions;       // the positions table
  QSize details;         // the birth details
  QSize chartChrome;     // the chart frame around the drawing, both sides together
  int explanationWidth;  // the narrowest the explanation reads well at
  int tabBar;            // the height of a tab bar
  int spacing;           // between parts
};

// The least side of each chart's square the wide layout is chosen with,
// and the least the side layout keeps before every part becomes a tab.
inline constexpr int kWideChartPx = 420;
inline constexpr int kSideChartPx = 320;
// The least height the explanation has in the wide layout.
inline constexpr int kWideExplanationPx = 240;

// The first layout of Wide, Side, Tabbed whose charts get at least their
// least side and whose parts all fit the room.
ChartPageLayout ChartPageLayoutFor(const ChartPageRoom& room);

class FrmDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit FrmDisplay(const HelpLinks& help, QWidget* parent = nullptr);

  // The layout the first tab has at its present size.
  ChartPageLayout chartPageLayout() const { return layout_; }

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
  void BuildPositionsTable(QWidget* frame);
  void BuildExplanationPanel(QWidget* parent);
  // Places the parts of the first tab for the room it has now.
  void ReflowChartPage();
  void ArrangeChartPage(ChartPageLayout layout);
  // The legend of the drawn charts in their style.
  void ShowLegend();

  const HelpLinks& help_;
  ChartPageLayout layout_ = ChartPageLayout::Wide;
  bool arranged_ = false;
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
  QWidget* chartLink_ = nullptr;                 // the forum link under the charts
  QWidget* detailsFrame_ = nullptr;              // the birth details
  QWidget* frame1_ = nullptr;                    // the chart frame's outer frame
  QWidget* positionsFrame_ = nullptr;
  QWidget* explanationFrame_ = nullptr;
  QWidget* chartBody_ = nullptr;                 // the first tab below the headline
  QTabWidget* partTabs_ = nullptr;               // the parts that do not fit side by side
  std::array<QLabel*, kBodyCount> positions_{};  // the bodies' positions, Sun..Asc
  // Each body's nakshatra, its pada and the nakshatra's lord.
  std::array<QLabel*, kBodyCount> nakshatras_{};
  std::array<QLabel*, kBodyCount> padas_{};
  std::array<QLabel*, kBodyCount> lords_{};
  QLabel* name_ = nullptr;
  QLabel* timeZone_ = nullptr;  // "Time Zone: Asia/Kathmandu, UTC+5:45, standard time"
  std::array<QLabel*, kDetailCaptions.size()> details_{};  // in kDetailCaptions order
  // The Indu Lagna sign's attributes: a label or, for the texts, a text box.
  std::array<QLabel*, kAttributeCount> attributeLabels_{};
  std::array<QPlainTextEdit*, kAttributeCount> attributeTexts_{};
};

}  // namespace orvanta
