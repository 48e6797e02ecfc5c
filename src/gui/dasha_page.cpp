#include "gui/dasha_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <chrono>

#include "chart/positions.h"
#include "chart/settings.h"

namespace orvanta {

namespace {

// The item's period, as an index into the page's list.
constexpr int kPeriodRole = Qt::UserRole + 1;
// Set once an item's children have been made.
constexpr int kFilledRole = Qt::UserRole + 2;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

dasha::UtSeconds SystemNow() {
  return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}

DashaPage::DashaPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("dashaPage"));
  balance_ = new QLabel(this);
  balance_->setObjectName(QStringLiteral("lblDashaBalance"));
  balance_->setWordWrap(true);
  balance_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("lblDashaNote"));
  note_->setWordWrap(true);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("treeDasha"));
  tree_->setAccessibleName(QStringLiteral("Vimshottari dasha periods"));
  tree_->setAccessibleDescription(
      QStringLiteral("Mahadashas; open one for its antardashas, and those for their "
                     "pratyantardashas. The periods running today are marked."));
  tree_->setColumnCount(ColumnCount);
  tree_->setHeaderLabels({QStringLiteral("Period"), QStringLiteral("Start"), QStringLiteral("End"),
                          QStringLiteral("Age at start"), QStringLiteral("Today")});
  tree_->setUniformRowHeights(true);
  tree_->setAlternatingRowColors(true);
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(tree_, &QTreeWidget::itemExpanded, this, &DashaPage::FillChildren);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(balance_);
  layout->addWidget(note_);
  layout->addWidget(tree_, 1);
  balance_->setBuddy(tree_);
}

QTreeWidgetItem* DashaPage::AddItem(QTreeWidgetItem* parent, const dasha::Period& p) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
  item->setText(LordColumn, Text(LordNameIn(script_, p.lord())));
  item->setText(StartColumn, Text(DateText(LocalDateOf(birth_, p.start))));
  item->setText(EndColumn, Text(DateText(LocalDateOf(birth_, p.end))));
  item->setText(AgeColumn, Text(AgeText(AgeAt(birth_, p.start))));
  item->setToolTip(LordColumn, Text(dasha::kLevelNames[static_cast<std::size_t>(p.level - 1)]));
  item->setData(LordColumn, kPeriodRole, static_cast<qlonglong>(periods_.size()));
  periods_.push_back(p);
  if (p.level < kTreeLevels) {
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
  return item;
}

void DashaPage::FillChildren(QTreeWidgetItem* item) {
  if (!item || !scheme_ || item->data(LordColumn, kFilledRole).toBool()) return;
  item->setData(LordColumn, kFilledRole, true);
  const auto index = static_cast<std::size_t>(item->data(LordColumn, kPeriodRole).toLongLong());
  if (index >= periods_.size()) return;
  const dasha::Period parent = periods_[index];
  if (parent.level >= kTreeLevels) return;
  if (const auto subs = dasha::SubPeriods(*scheme_, parent)) {
    for (const dasha::Period& p : *subs) AddItem(item, p);
  }
}

void DashaPage::Present(const ChartOutput& chart, dasha::UtSeconds now, NameScript script) {
  script_ = script;
  tree_->clear();
  periods_.clear();
  running_ = nullptr;
  birth_ = chart.birth;
  scheme_ = DashaOf(chart);
  if (!scheme_) {
    balance_->setText(QStringLiteral("No periods: the chart has no sidereal Moon."));
    note_->clear();
    return;
  }
  balance_->setText(Text(BalanceText(*scheme_, script_)));
  note_->setText(QStringLiteral("Vimshottari, from the Moon in %1; %2. Dates by the birth's clock.")
                     .arg(Text(NakshatraNameIn(script_, scheme_->nakshatra)),
                          Text(DashaYearCaption(scheme_->yearLength))));
  for (const dasha::Period& m : dasha::Mahadashas(*scheme_)) AddItem(nullptr, m);
  MarkRunning(now);
}

void DashaPage::MarkRunning(dasha::UtSeconds now) {
  const std::vector<dasha::Period> running = dasha::PeriodsAt(*scheme_, now, kTreeLevels);
  QTreeWidgetItem* parent = nullptr;
  for (const dasha::Period& p : running) {
    const int count = parent ? parent->childCount() : tree_->topLevelItemCount();
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < count && !found; ++i) {
      QTreeWidgetItem* item = parent ? parent->child(i) : tree_->topLevelItem(i);
      const auto index = static_cast<std::size_t>(item->data(LordColumn, kPeriodRole).toLongLong());
      if (index < periods_.size() && periods_[index].startUnits == p.startUnits &&
          periods_[index].level == p.level) {
        found = item;
      }
    }
    if (!found) break;
    // Marked in words for a screen reader, in bold for the eye.
    found->setText(NowColumn, QStringLiteral("running"));
    for (int c = 0; c < ColumnCount; ++c) {
      QFont f = found->font(c);
      f.setBold(true);
      found->setFont(c, f);
    }
    running_ = found;
    if (p.level < kTreeLevels) found->setExpanded(true);  // fills its children
    parent = found;
  }
  if (running_) {
    tree_->setCurrentItem(running_);
    tree_->scrollToItem(running_, QAbstractItemView::PositionAtCenter);
  }
}

}  // namespace orvanta
