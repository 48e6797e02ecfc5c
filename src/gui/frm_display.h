// The result window: birth details, planetary positions and the fixed-sign
// South-Indian chart with the Indu Lagna mark on the first tab; the Indu
// Lagna sign's attributes and five interpretation texts on the second.
//
// The window computes nothing. Present() copies the strings of one
// ChartOutput unchanged into the controls, which carry the names the rest of
// the program (and the tests) find them by: planet0..planet9, lblAries ..
// lblPisces, lblArudha0..lblArudha11, lblName, lblVedicName, txtLooks,
// SSTab1, ... Positions are the design's twips at 15 twips per pixel.
#pragma once

#include <QWidget>
#include <array>

#include "chart/chart.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;

namespace orvanta {

class HelpLinks;

class FrmDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit FrmDisplay(const HelpLinks& help, QWidget* parent = nullptr);

  // Writes one computed chart into the window and turns to the first tab.
  void Present(const ChartOutput& chart);

  // Raises the chart frame and then the details frame above their siblings,
  // as the main window does when it loads this window.
  void BringChartToFront();

  // The label or text box that shows one attribute of the Indu Lagna sign.
  QWidget* AttributeWidget(SignAttribute attribute) const;

 private:
  void BuildHeadings();
  void BuildChartTab(QWidget* page);
  void BuildDetailsTab(QWidget* page);

  const HelpLinks& help_;
  QTabWidget* tabs_ = nullptr;
  QWidget* fraBirthchart_ = nullptr;
  QWidget* fraDetails_ = nullptr;
  std::array<QLabel*, kBodyCount> planet_{};
  std::array<QLabel*, kSignCount> signCells_{};  // Aries first
  std::array<QLabel*, kSignCount> marks_{};      // lblArudha(0..11), Aries first
  QLabel* lblName_ = nullptr;
  std::array<QLabel*, kDetailCaptions.size()> details_{};  // in kDetailCaptions order
  // The Indu Lagna sign's attributes: a label or, for the texts, a text box.
  std::array<QLabel*, kAttributeCount> attributeLabels_{};
  std::array<QPlainTextEdit*, kAttributeCount> attributeTexts_{};
};

}  // namespace orvanta
