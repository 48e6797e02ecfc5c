#include "gui/wealth_page.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "chart/dasha_chart.h"

namespace orvanta {

namespace {

// The row's index into the page's places.
constexpr int kPlaceRole = Qt::UserRole + 1;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WealthPage::WealthPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("wealthPage"));
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("lblWealthHeading"));
  heading_->setWordWrap(true);
  reading_ = new QPlainTextEdit(this);
  reading_->setObjectName(QStringLiteral("txtWealthReading"));
  reading_->setReadOnly(true);
  reading_->setAccessibleName(QStringLiteral("Wealth reading"));
  periods_ = new QTreeWidget(this);
  periods_->setObjectName(QStringLiteral("treeWealthPeriods"));
  periods_->setAccessibleName(QStringLiteral("Periods that give or cost"));
  periods_->setAccessibleDescription(
      QStringLiteral("Mahadashas and antardashas whose lord gives or costs wealth; open one to "
                     "see it on the Dasha page."));
  periods_->setColumnCount(ColumnCount);
  periods_->setHeaderLabels({QStringLiteral("Period"), QStringLiteral("Start"),
                             QStringLiteral("End"), QStringLiteral("Effect"),
                             QStringLiteral("Why")});
  periods_->setRootIsDecorated(false);
  periods_->setUniformRowHeights(true);
  periods_->setAlternatingRowColors(true);
  periods_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(periods_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item, int) { OpenItem(item); });
  auto* periodsLabel = new QLabel(QStringLiteral("&Periods that give or cost (open one to see it "
                                                 "on the Dasha page)"),
                                  this);
  periodsLabel->setObjectName(QStringLiteral("lblWealthPeriods"));
  periodsLabel->setWordWrap(true);
  periodsLabel->setBuddy(periods_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(reading_, 3);
  layout->addWidget(periodsLabel);
  layout->addWidget(periods_, 2);
}

void WealthPage::Present(const ChartOutput& chart, NameScript script) {
  periods_->clear();
  places_.clear();
  const std::optional<ChartWealth> w = WealthOf(chart);
  if (!w) {
    heading_->setText(QStringLiteral("No wealth reading: the chart has no Indu Lagna."));
    reading_->clear();
    return;
  }
  heading_->setText(QStringLiteral("The Indu Lagna's wealth reading, by the classical rules"));
  QStringList lines;
  for (const std::string& line : WealthReadingLines(*w, script)) lines << Text(line);
  lines << QString() << Text(kLegendHeading);
  for (const std::string& line : WealthLegendLines()) lines << QStringLiteral("  ") + Text(line);
  reading_->setPlainText(lines.join(QLatin1Char('\n')));

  const std::optional<dasha::Vimshottari> v = DashaOf(chart);
  if (!v) return;
  const auto mahadashas = dasha::Mahadashas(*v);
  for (const wealth::WealthPeriod& p : w->periods) {
    // The period's place in the Dasha page's tree.
    int maha = -1, sub = -1;
    for (std::size_t i = 0; i < mahadashas.size(); ++i) {
      if (mahadashas[i].path[0] == p.period.path[0] &&
          mahadashas[i].startUnits <= p.period.startUnits &&
          p.period.startUnits < mahadashas[i].startUnits + mahadashas[i].lengthUnits) {
        maha = static_cast<int>(i);
      }
    }
    if (maha >= 0 && p.period.level == 2) {
      if (const auto subs = dasha::SubPeriods(*v, mahadashas[static_cast<std::size_t>(maha)])) {
        for (std::size_t j = 0; j < subs->size(); ++j) {
          if ((*subs)[j].startUnits == p.period.startUnits) sub = static_cast<int>(j);
        }
      }
    }
    auto* item = new QTreeWidgetItem(periods_);
    item->setText(PeriodColumn, Text(PeriodName(p.period, script)));
    item->setText(StartColumn, Text(DateText(LocalDateOf(chart.birth, p.period.start))));
    item->setText(EndColumn, Text(DateText(LocalDateOf(chart.birth, p.period.end))));
    item->setText(EffectColumn, Text(wealth::EffectName(p.effect)));
    QStringList why;
    for (const wealth::Reason& r : p.why) why << Text(wealth::ReasonText(r));
    item->setText(WhyColumn, why.join(QStringLiteral("; ")));
    item->setForeground(EffectColumn, p.effect == wealth::Effect::Gives ? QColor(0x00, 0x60, 0x00)
                                                                        : QColor(0x90, 0x00, 0x00));
    item->setData(PeriodColumn, kPlaceRole, static_cast<int>(places_.size()));
    places_.emplace_back(maha, sub);
  }
}

void WealthPage::OpenItem(QTreeWidgetItem* item) {
  if (!item || !open_) return;
  const int index = item->data(PeriodColumn, kPlaceRole).toInt();
  if (index < 0 || static_cast<std::size_t>(index) >= places_.size()) return;
  const auto [maha, sub] = places_[static_cast<std::size_t>(index)];
  if (maha >= 0) open_(maha, sub);
}

void ShowDashaPeriod(QTreeWidget* tree, int mahadasha, int antardasha) {
  if (!tree || mahadasha < 0 || mahadasha >= tree->topLevelItemCount()) return;
  QTreeWidgetItem* item = tree->topLevelItem(mahadasha);
  if (antardasha >= 0) {
    item->setExpanded(true);  // makes its antardashas
    if (antardasha < item->childCount()) item = item->child(antardasha);
  }
  tree->setCurrentItem(item);
  tree->scrollToItem(item);
}

}  // namespace orvanta
