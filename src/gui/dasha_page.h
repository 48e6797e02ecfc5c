// The result window's "Dasha" page: the balance at birth and the
// Vimshottari periods as a tree (the nine mahadashas, each opening to its
// antardashas and those to their pratyantardashas, made when opened), with
// start and end as local dates of the birth's clock and the native's age at
// each start. The periods running on a given instant are marked, opened and
// scrolled to; the window passes today's instant, so the page itself never
// reads the clock.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "chart/dasha_chart.h"
#include "io/birth_entries.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvanta {

class DashaPage : public QWidget {
 public:
  // The levels the tree opens to: mahadasha, antardasha, pratyantardasha.
  static constexpr int kTreeLevels = 3;
  // The columns of the tree.
  enum Column { LordColumn, StartColumn, EndColumn, AgeColumn, NowColumn, ColumnCount };

  explicit DashaPage(QWidget* parent = nullptr);

  // Shows the periods of `chart` and marks those running at `now`.
  // The lords and the nakshatra are named in `script`.
  void Present(const ChartOutput& chart, dasha::UtSeconds now,
               NameScript script = NameScript::English);

  QTreeWidget* tree() const { return tree_; }
  QLabel* balance() const { return balance_; }
  // The deepest marked item (the period running at `now`), or null.
  QTreeWidgetItem* RunningItem() const { return running_; }

 private:
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const dasha::Period& period);
  void FillChildren(QTreeWidgetItem* item);
  void MarkRunning(dasha::UtSeconds now);

  QLabel* balance_ = nullptr;
  QLabel* note_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QTreeWidgetItem* running_ = nullptr;
  Birth birth_;
  NameScript script_ = NameScript::English;
  std::optional<dasha::Vimshottari> scheme_;
  std::vector<dasha::Period> periods_;  // the items' periods, by the index each item keeps
};

// The instant the system clock reads (the edge of the program where "today"
// comes from).
dasha::UtSeconds SystemNow();

}  // namespace orvanta
