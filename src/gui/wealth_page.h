// The result window's "Wealth" page: the Indu Lagna with its lord, what
// stands in it and aspects it, the houses from it, the other wealth lagnas
// and the arudhas, one line each with its classical reading, and the
// mahadashas and antardashas that give or cost. Opening a period (a double
// click or Enter) shows it on the Dasha page. Every text comes from
// chart/wealth_chart.h; the page only places it.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "chart/chart.h"
#include "chart/wealth_chart.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvanta {

class WealthPage : public QWidget {
 public:
  enum Column { PeriodColumn, StartColumn, EndColumn, EffectColumn, WhyColumn, ColumnCount };

  explicit WealthPage(QWidget* parent = nullptr);

  // The signs, bodies and lords are named in `script`.
  void Present(const ChartOutput& chart, NameScript script = NameScript::English);

  // Where an opened period is to be shown: its mahadasha's place among the
  // nine (0..8) and, for an antardasha, its place within it (0..8), else
  // -1.
  void SetOpenPeriod(std::function<void(int mahadasha, int antardasha)> open) {
    open_ = std::move(open);
  }

  QPlainTextEdit* reading() const { return reading_; }
  QTreeWidget* periods() const { return periods_; }

 private:
  void OpenItem(QTreeWidgetItem* item);

  QLabel* heading_ = nullptr;
  QPlainTextEdit* reading_ = nullptr;
  QTreeWidget* periods_ = nullptr;
  std::vector<std::pair<int, int>> places_;  // each row's mahadasha and antardasha place
  std::function<void(int, int)> open_;
};

// Shows the period at `mahadasha` (0..8) and `antardasha` (0..8, or -1) of
// the Dasha page's tree: opens its mahadasha, selects it and scrolls to it.
void ShowDashaPeriod(QTreeWidget* dashaTree, int mahadasha, int antardasha);

}  // namespace orvanta
