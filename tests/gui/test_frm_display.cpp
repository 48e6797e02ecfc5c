// The result window inside the whole program: from typed entries through the
// compute button to the filled window, Back to the form with its entries, and
// a second computation in a fresh window.
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_text.h"
#include "chart/explanation.h"
#include "chart/wealth_chart.h"
#include "cli/chart_json.h"
#include "gui/chart_view.h"
#include "gui/dasha_page.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "gui/ui_common.h"
#include "gui/wealth_page.h"
#include "support/gui_harness.h"
#include "tables/sign_tables.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

constexpr int kIndianTime = 34;  // "Indian Time, IST, +5.3"

struct TypedBirth {
  QString name, city, state, country;
  int month, day, year, hour, minute;
  QString latD, latM, lonD, lonM;
  int zone;
};

// New Delhi, 15 June 1980, 10:30 IST: the project's reference birth.
const TypedBirth kDelhi = {"arjun mehta", "New Delhi", "Delhi", "India", 6,    15,
                           1980,          10,          30,      "28",    "36", "77",
                           "12",          kIndianTime};
// A second birth in another season and zone.
const TypedBirth kNewYork = {"mira", "New York", "NY", "USA", 11,   2,   1999,
                             23,     5,          "40", "43",  "74", "0", 27};

// The birth chart's cell of sign `sign` as the window drew it.
const ChartCellTexts& DrawnCell(const FrmDisplay* d, int sign) {
  return (*d->chartView()->drawings())[0].texts[static_cast<std::size_t>(sign)];
}

// The labels of the bodies the chart places in sign `sign`, in body order.
std::vector<std::string> BodiesIn(const ChartOutput& chart, int sign) {
  std::vector<std::string> labels;
  for (int body = 0; body < kBodyCount; ++body) {
    if (chart.bodies[static_cast<std::size_t>(body)].sign == sign) {
      labels.push_back(BodyLabel(chart, body));
    }
  }
  return labels;
}

// True when the drawn birth chart shows exactly `chart`'s bodies and its
// Indu Lagna, cell by cell.
bool DrawsChart(const FrmDisplay* d, const ChartOutput& chart) {
  if (!d->chartView()->drawings()) return false;
  for (int k = 0; k < kSignCount; ++k) {
    const ChartCellTexts& cell = DrawnCell(d, k);
    if (cell.bodies != BodiesIn(chart, k)) return false;
    if (cell.induLagna != (chart.induLagna && chart.induLagna->sign == k)) return false;
  }
  return true;
}

}  // namespace

class TestFrmDisplay : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void refusedEntriesOpenNoWindow();
  void fullComputationFillsTheResultWindow();
  void exactlyOneVisibleIlMark();
  void attributeTabShowsTheInduLagnaSign();
  void dashaPageOpensPeriodsAndMarksTheRunningOne();
  void wealthPageShowsTheReadingAndOpensItsPeriods();
  void specialLagnasAreMarkedOnlyWhenShown();
  void chartAndForumLinkShareTheChartFrame();
  void presentTurnsToTheFirstTab();
  void backKeepsEntriesAndSecondRunStartsFresh();
  void forumLinksOpenTheForum();
  void everyTextFitsItsLabel();
  void headlineLegendAndExplanation_data();
  void headlineLegendAndExplanation();
  void explanationFitsItsPanel();
  void windowFillsTheAreaAndKeepsItsTextSizes();
  void backReturnsTheFormWhereItWas();

 private:
  void Type(const TypedBirth& birth);
  FormEntries EntriesOf(const TypedBirth& birth) const;
  FrmDisplay* display() const;

  std::unique_ptr<ProgramUnderTest> program_;
  int ended_ = 0;
};

void TestFrmDisplay::init() {
  ended_ = 0;
  program_ = std::make_unique<ProgramUnderTest>([this] { ++ended_; });
  QVERIFY(program_->Start());
  Activate(program_->shell.form());
}

void TestFrmDisplay::cleanup() {
  program_.reset();
}

void TestFrmDisplay::Type(const TypedBirth& b) {
  FrmMain* form = program_->shell.form();
  const auto type = [&](const char* box, const QString& text) {
    QLineEdit* edit = get<QLineEdit>(form, box);
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, text);
  };
  type("txtName", b.name);
  type("txtMCity", b.city);
  type("txtMState", b.state);
  type("txtMCountry", b.country);
  type("txtLatD", b.latD);
  type("txtLatM", b.latM);
  type("txtLonD", b.lonD);
  type("txtLonM", b.lonM);
  get<QComboBox>(form, "cboMonth")->setCurrentIndex(b.month - 1);
  get<QComboBox>(form, "cboDate")->setCurrentIndex(b.day - 1);
  get<QComboBox>(form, "cboYear")->setCurrentIndex(b.year - 1901);
  get<QComboBox>(form, "cboHH")->setCurrentIndex(b.hour);
  get<QComboBox>(form, "cboMM")->setCurrentIndex(b.minute);
  get<QComboBox>(form, "cmbTimeZone")->setCurrentIndex(b.zone);
}

FormEntries TestFrmDisplay::EntriesOf(const TypedBirth& b) const {
  FormEntries e;
  e.name = b.name.toUpper().toStdString();
  e.city = b.city.toStdString();
  e.state = b.state.toStdString();
  e.country = b.country.toStdString();
  e.monthIndex = b.month - 1;
  e.dayText = std::to_string(b.day);
  e.yearText = std::to_string(b.year);
  e.hourText = std::to_string(b.hour);
  e.minuteText = std::to_string(b.minute);
  e.secondText = "0";
  e.latDeg = b.latD.toStdString();
  e.latMin = b.latM.toStdString();
  e.lonDeg = b.lonD.toStdString();
  e.lonMin = b.lonM.toStdString();
  e.zoneIndex = b.zone;
  return e;
}

FrmDisplay* TestFrmDisplay::display() const {
  MdiWindow* mdi = program_->shell.mainWindow();
  return mdi != nullptr ? mdi->display() : nullptr;
}

void TestFrmDisplay::refusedEntriesOpenNoWindow() {
  TypedBirth noName = kDelhi;
  noName.name.clear();
  Type(noName);
  QTest::mouseClick(get<QPushButton>(program_->shell.form(), "cmdRashi"), Qt::LeftButton);
  QCOMPARE(program_->sink.shown.size(), std::size_t{1});
  QCOMPARE(program_->sink.shown[0].text, QStringLiteral("Please Enter Name"));
  QVERIFY(program_->shell.mainWindow() == nullptr);
  QVERIFY(program_->shell.form()->isVisible());
}

void TestFrmDisplay::fullComputationFillsTheResultWindow() {
  Type(kDelhi);
  QCOMPARE(get<QLineEdit>(program_->shell.form(), "txtName")->text(),
           QStringLiteral("ARJUN MEHTA"));
  QTest::mouseClick(get<QPushButton>(program_->shell.form(), "cmdRashi"), Qt::LeftButton);
  QVERIFY2(program_->sink.shown.empty(),
           program_->sink.shown.empty() ? "" : qPrintable(program_->sink.shown[0].text));

  // The form hides; the main window shows the result window.
  QVERIFY(!program_->shell.form()->isVisible());
  QVERIFY(program_->shell.mainWindow() != nullptr);
  QVERIFY(program_->shell.mainWindow()->isVisible());
  FrmDisplay* d = display();
  QVERIFY(d != nullptr && d->isVisible());

  // Every text is the presentation's text of the core's chart for the same
  // entries; the drawn chart holds its bodies and its Indu Lagna.
  const ChartRun expected = ComputeChart(EntriesOf(kDelhi));
  QVERIFY(!expected.refusal);
  const ChartOutput& c = expected.chart;
  for (int i = 0; i < kBodyCount; ++i) {
    QLabel* planet = get<QLabel>(d, ("planet" + std::to_string(i)).c_str());
    const std::string text = PositionWithMark(c, i);
    QCOMPARE(CaptionOf(planet), text);
    QCOMPARE(planet->text().toStdString(), text);
  }
  // The nakshatra and pada of every body and the ascendant, read from the
  // table, are those of the command line's JSON for the same chart; the
  // lord is the one of the Vimshottari order.
  std::string json;
  cli::AppendChartSchemaJson(json, c);
  const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
  QJsonArray rows = object.value("bodies").toArray();
  rows.append(object.value("ascendant"));
  QCOMPARE(rows.size(), kBodyCount);
  const QStringList lords = {"Ketu", "Venus",   "Sun",    "Moon",   "Mars",
                             "Rahu", "Jupiter", "Saturn", "Mercury"};
  for (int i = 0; i < kBodyCount; ++i) {
    const QJsonObject row = rows[i].toObject();
    const QString n = QString::number(i);
    const QString nakshatra = get<QLabel>(d, qPrintable("nakshatra" + n))->text();
    QCOMPARE(nakshatra, row.value("nakshatra").toString());
    QCOMPARE(get<QLabel>(d, qPrintable("pada" + n))->text(),
             QString::number(row.value("pada").toInt()));
    const int index = static_cast<int>(
        std::find(kNakshatraNames.begin(), kNakshatraNames.end(), nakshatra.toStdString()) -
        kNakshatraNames.begin());
    QVERIFY(index < kNakshatraCount);
    QCOMPARE(get<QLabel>(d, qPrintable("nakshatraLord" + n))->text(), lords[index % 9]);
    // Retrograde bodies carry the mark the chart and the report have.
    QCOMPARE(get<QLabel>(d, qPrintable("planet" + n))->text().endsWith(" (R)"),
             row.value("retrograde").toBool());
  }
  // Worked in the engine's tests: the Moon at 0 deg 13 min Cancer stands in
  // the fourth pada of Punarvasu, Jupiter's nakshatra.
  QCOMPARE(get<QLabel>(d, "nakshatra1")->text(), QStringLiteral("Punarvasu"));
  QCOMPARE(get<QLabel>(d, "pada1")->text(), QStringLiteral("4"));
  QCOMPARE(get<QLabel>(d, "nakshatraLord1")->text(), QStringLiteral("Jupiter"));
  QVERIFY(DrawsChart(d, c));
  // Fixed points of the reference birth (worked in the chart driver's own
  // tests): the details as written, the Sun in sidereal Gemini.
  QCOMPARE(get<QLabel>(d, "lblName")->text(), QStringLiteral("ARJUN MEHTA"));
  QCOMPARE(get<QLabel>(d, "lblDOB")->text(), QStringLiteral("June/15/1980"));
  QCOMPARE(get<QLabel>(d, "lblTOB")->text(), QStringLiteral("10:30"));
  QCOMPARE(get<QLabel>(d, "lblLatitude")->text(), QStringLiteral("28° 36' N"));
  QCOMPARE(get<QLabel>(d, "lblLongitude")->text(), QStringLiteral("77° 12' E"));
  QCOMPARE(get<QLabel>(d, "lblCity")->text(), QStringLiteral("New Delhi"));
  QCOMPARE(get<QLabel>(d, "lblState")->text(), QStringLiteral("Delhi"));
  QCOMPARE(get<QLabel>(d, "lblCountry")->text(), QStringLiteral("India"));
  QCOMPARE(get<QLabel>(d, "planet0")->text().mid(3, 3), QStringLiteral("Gem"));
  // The Sun's cell (Gemini) lists it.
  const std::vector<std::string>& gemini = DrawnCell(d, 2).bodies;
  QVERIFY(std::find(gemini.begin(), gemini.end(), "Sun") != gemini.end());
  // Each body once in the chart: ten names over the twelve cells.
  std::size_t bodies = 0;
  for (int k = 0; k < kSignCount; ++k) bodies += DrawnCell(d, k).bodies.size();
  QCOMPARE(bodies, std::size_t{kBodyCount});
  QCOMPARE(get<QTabWidget>(d, "SSTab1")->currentIndex(), 0);
  QCOMPARE(get<QTabWidget>(d, "SSTab1")->tabText(0), QStringLiteral("Indu Lagna - Chart"));
  QCOMPARE(get<QTabWidget>(d, "SSTab1")->tabText(1), QStringLiteral("Indu Lagna Details"));
}

void TestFrmDisplay::exactlyOneVisibleIlMark() {
  Type(kDelhi);
  program_->shell.form()->ComputeChartFromForm();
  FrmDisplay* d = display();
  QVERIFY(d != nullptr);
  QVERIFY(d->chartView()->isVisibleTo(d));
  const auto& drawings = d->chartView()->drawings();
  QVERIFY(drawings.has_value());
  const ChartRun expected = ComputeChart(EntriesOf(kDelhi));
  QVERIFY(expected.chart.induLagna.has_value());
  int marked = 0;
  for (int k = 0; k < kSignCount; ++k) {
    if (!DrawnCell(d, k).induLagna) continue;
    ++marked;
    QCOMPARE(k, expected.chart.induLagna->sign);
  }
  QCOMPARE(marked, 1);
  // One mark in each drawn chart.
  for (const ChartDrawing& drawing : *d->chartView()->drawings()) {
    QCOMPARE(std::count_if(drawing.texts.begin(), drawing.texts.end(),
                           [](const ChartCellTexts& t) { return t.induLagna; }),
             1);
  }
}

// The Dasha page of the reference birth (Moon in Punarvasu, Jupiter's
// mahadasha at birth), with "today" given: the dates are those of the text
// report's Dasha section for the same birth (tests/cli/golden/delhi_text.out).
void TestFrmDisplay::wealthPageShowsTheReadingAndOpensItsPeriods() {
  Type(kDelhi);
  program_->shell.form()->ComputeChartFromForm();
  FrmDisplay* d = display();
  QVERIFY(d != nullptr);
  auto* tabs = d->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  QVERIFY(tabs != nullptr);
  WealthPage* page = d->wealthPage();
  QVERIFY(page != nullptr);
  QCOMPARE(tabs->tabText(tabs->indexOf(page)), QStringLiteral("Wealth"));

  const ChartRun run = ComputeChart(EntriesOf(kDelhi));
  QVERIFY(!run.refusal);
  const std::optional<ChartWealth> w = WealthOf(run.chart);
  QVERIFY(w.has_value());
  // The Delhi birth: the Indu Lagna in Scorpio, empty, Mars (its lord, in
  // Leo) aspecting it with its 4th.
  const QString text = page->reading()->toPlainText();
  QVERIFY2(text.startsWith(QStringLiteral("The Indu Lagna stands in Scorpio; its lord Mars stands "
                                          "in Leo")),
           qPrintable(text));
  QVERIFY(text.contains(QStringLiteral("Mars aspects the Indu Lagna with its 4th-house aspect")));
  QVERIFY(text.contains(QStringLiteral("Hora Lagna (HL, wealth): ")));
  QTreeWidget* periods = page->periods();
  QCOMPARE(periods->topLevelItemCount(), static_cast<int>(w->periods.size()));
  // The first marked period is Jupiter's mahadasha (in the 10th from the
  // Indu Lagna); Mercury's antardasha within it costs (the 8th).
  QCOMPARE(periods->topLevelItem(0)->text(WealthPage::PeriodColumn),
           QStringLiteral("Jupiter mahadasha"));
  QCOMPARE(periods->topLevelItem(0)->text(WealthPage::EffectColumn), QStringLiteral("gives"));
  QTreeWidgetItem* mercury = nullptr;
  for (int i = 0; i < periods->topLevelItemCount() && !mercury; ++i) {
    if (periods->topLevelItem(i)->text(WealthPage::PeriodColumn) ==
        QStringLiteral("Jupiter-Mercury antardasha")) {
      mercury = periods->topLevelItem(i);
    }
  }
  QVERIFY(mercury != nullptr);
  QCOMPARE(mercury->text(WealthPage::EffectColumn), QStringLiteral("costs"));
  QCOMPARE(mercury->text(WealthPage::WhyColumn),
           QStringLiteral("stands in the 8th from the Indu Lagna"));
  // Opening it shows the same period on the Dasha page.
  tabs->setCurrentWidget(page);
  emit periods->itemActivated(mercury, 0);
  QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(d->dashaPage()));
  QTreeWidgetItem* current = d->dashaPage()->tree()->currentItem();
  QVERIFY(current != nullptr);
  QVERIFY(current->parent() != nullptr);
  QCOMPARE(current->parent()->text(DashaPage::LordColumn), QStringLiteral("Jupiter"));
  QCOMPARE(current->text(DashaPage::LordColumn), QStringLiteral("Mercury"));
  QCOMPARE(current->text(DashaPage::StartColumn), mercury->text(WealthPage::StartColumn));
}

void TestFrmDisplay::specialLagnasAreMarkedOnlyWhenShown() {
  Type(kDelhi);
  program_->shell.form()->ComputeChartFromForm();
  FrmDisplay* d = display();
  QVERIFY(d != nullptr);
  ChartView* view = d->chartView();
  const auto marked = [view](std::string_view mark) {
    int cells = 0;
    for (const ChartCellTexts& cell : (*view->drawings())[0].texts) {
      for (const std::string& line : cell.bodies) {
        if (QString::fromStdString(line)
                .split(QLatin1Char(' '))
                .contains(QString::fromLatin1(mark.data(), static_cast<qsizetype>(mark.size()))))
          ++cells;
      }
    }
    return cells;
  };
  QVERIFY(view->drawings().has_value());
  // Off by default.
  QCOMPARE(marked("HL"), 0);
  view->SetSpecialLagnas(true);
  for (const char* mark : {"HL", "GL", "BL", "SL", "AL", "A2", "A11"}) {
    QCOMPARE(marked(mark), 1);
  }
  view->SetSpecialLagnas(false);
  QCOMPARE(marked("AL"), 0);
}

void TestFrmDisplay::dashaPageOpensPeriodsAndMarksTheRunningOne() {
  Type(kDelhi);
  program_->shell.form()->ComputeChartFromForm();
  FrmDisplay* d = display();
  QVERIFY(d != nullptr);
  auto* tabs = d->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  QVERIFY(tabs != nullptr);
  DashaPage* page = d->dashaPage();
  QVERIFY(page != nullptr);
  QCOMPARE(tabs->tabText(tabs->indexOf(page)), QStringLiteral("Dasha"));

  const ChartRun run = ComputeChart(EntriesOf(kDelhi));
  QVERIFY(!run.refusal);
  using namespace std::chrono;
  // 1 June 1991, 12:00 UT: Saturn's mahadasha, Venus's antardasha.
  page->Present(run.chart, sys_days{1991y / 6 / 1} + 12h);
  QCOMPARE(page->balance()->text(),
           QStringLiteral("Jupiter dasha, 3 years 8 months 25 days left at birth"));
  QTreeWidget* tree = page->tree();
  QCOMPARE(tree->topLevelItemCount(), 9);
  const QStringList mahaLords = {"Jupiter", "Saturn", "Mercury", "Ketu", "Venus",
                                 "Sun",     "Moon",   "Mars",    "Rahu"};
  for (int i = 0; i < 9; ++i) {
    QCOMPARE(tree->topLevelItem(i)->text(DashaPage::LordColumn), mahaLords[i]);
  }
  QTreeWidgetItem* jupiter = tree->topLevelItem(0);
  QCOMPARE(jupiter->text(DashaPage::StartColumn), QStringLiteral("1968-03-10"));
  QCOMPARE(jupiter->text(DashaPage::AgeColumn), QStringLiteral("before birth"));
  // Jupiter's antardashas are made only when it is opened.
  QCOMPARE(jupiter->childCount(), 0);
  tree->expandItem(jupiter);
  QCOMPARE(jupiter->childCount(), 9);
  QCOMPARE(jupiter->child(0)->text(DashaPage::LordColumn), QStringLiteral("Jupiter"));
  QCOMPARE(jupiter->child(8)->text(DashaPage::LordColumn), QStringLiteral("Rahu"));
  QCOMPARE(jupiter->child(8)->text(DashaPage::StartColumn), QStringLiteral("1981-10-16"));
  QCOMPARE(jupiter->child(8)->text(DashaPage::AgeColumn), QStringLiteral("1 year 4 months 1 day"));

  // Saturn, running, is open; its antardashas from Saturn, Venus marked.
  QTreeWidgetItem* saturn = tree->topLevelItem(1);
  QVERIFY(saturn->isExpanded());
  QCOMPARE(saturn->text(DashaPage::NowColumn), QStringLiteral("running"));
  const QStringList antarLords = {"Saturn", "Mercury", "Ketu", "Venus",  "Sun",
                                  "Moon",   "Mars",    "Rahu", "Jupiter"};
  QCOMPARE(saturn->childCount(), 9);
  for (int i = 0; i < 9; ++i) {
    QCOMPARE(saturn->child(i)->text(DashaPage::LordColumn), antarLords[i]);
  }
  QCOMPARE(saturn->child(3)->text(DashaPage::StartColumn), QStringLiteral("1990-12-31"));
  QCOMPARE(saturn->child(3)->text(DashaPage::EndColumn), QStringLiteral("1994-03-02"));
  QCOMPARE(saturn->child(3)->text(DashaPage::NowColumn), QStringLiteral("running"));
  // The deepest running period is a pratyantardasha of Saturn-Venus, the
  // current item, and the only one marked at its level.
  QTreeWidgetItem* running = page->RunningItem();
  QVERIFY(running != nullptr);
  QCOMPARE(running->parent(), saturn->child(3));
  QCOMPARE(tree->currentItem(), running);
  QVERIFY(running->font(DashaPage::LordColumn).bold());
  const auto now = sys_days{1991y / 6 / 1} + 12h;
  const auto at = dasha::PeriodsAt(*DashaOf(run.chart), now, 3);
  QCOMPARE(running->text(DashaPage::LordColumn),
           QString::fromUtf8(dasha::LordName(at[2].lord()).data()));
  int marked = 0;
  for (int i = 0; i < running->parent()->childCount(); ++i) {
    marked += running->parent()->child(i)->text(DashaPage::NowColumn).isEmpty() ? 0 : 1;
  }
  QCOMPARE(marked, 1);
}

void TestFrmDisplay::attributeTabShowsTheInduLagnaSign() {
  Type(kDelhi);
  program_->shell.form()->ComputeChartFromForm();
  FrmDisplay* d = display();
  QVERIFY(d != nullptr);
  const ChartRun expected = ComputeChart(EntriesOf(kDelhi));
  QVERIFY(expected.chart.attributes.has_value());
  QVERIFY(expected.chart.induLagna.has_value());
  const int il = expected.chart.induLagna->sign;
  const SignRow& row = SignRows()[static_cast<std::size_t>(il)];

  for (const AttributeValue& a : *expected.chart.attributes) {
    QWidget* shown = d->AttributeWidget(a.attribute);
    QVERIFY(shown != nullptr);
    const QString name = shown->objectName();
    const QString value = QString::fromUtf8(a.value.data(), static_cast<qsizetype>(a.value.size()));
    if (auto* label = qobject_cast<QLabel*>(shown)) {
      QCOMPARE(label->text(), value);
    } else {
      auto* text = qobject_cast<QPlainTextEdit*>(shown);
      QVERIFY2(text != nullptr, qPrintable(name));
      QCOMPARE(text->toPlainText(), value);
      QVERIFY(text->isReadOnly());
    }
  }
  // The sign named in the chart is the one marked "IL".
  QCOMPARE(get<QLabel>(d, "lblArudhaLagnaPresentInSign")->text().toStdString(),
           std::string(row.EnglishName));
  QCOMPARE(get<QLabel>(d, "lblVedicName")->text().toStdString(), std::string(row.VedicName));
  QVERIFY(DrawnCell(d, il).induLagna);
  QCOMPARE(get<QPlainTextEdit>(d, "txtLooks")->toPlainText().toStdString(),
           std::string(row.LooksText));
}

void TestFrmDisplay::chartAndForumLinkShareTheChartFrame() {
  // The drawing fills the chart frame above the forum link, whatever the
  // window's size; in the tabbed layout the charts' tab holds the drawing
  // alone (the headings keep the link), which then takes the link's and
  // the caption's height too.
  HelpLinks help(program_->pages.opener());
  FrmDisplay d(help);
  for (const QSize size : {QSize(1590, 780), QSize(1016, 560), QSize(700, 420)}) {
    d.resize(size);
    d.show();
    QCoreApplication::processEvents();
    QWidget* view = get<QWidget>(&d, "chartView");
    QWidget* link = get<QWidget>(&d, "Label7");
    QCOMPARE(view->parentWidget()->objectName(), QStringLiteral("fraBirthchart"));
    QCOMPARE(link->parentWidget()->objectName(), QStringLiteral("fraBirthchart"));
    QVERIFY(view->parentWidget()->rect().contains(view->geometry()));
    if (d.chartPageLayout() == ChartPageLayout::Tabbed) {
      QVERIFY(!link->isVisible());
      QVERIFY(get<QLabel>(&d, "Label6")->isVisible());
      QVERIFY2(view->height() >= view->parentWidget()->height() - 6,
               qPrintable(QString("%1 x %2: the drawing %3 high in %4")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(view->height())
                              .arg(view->parentWidget()->height())));
    } else {
      QVERIFY(link->isVisible());
      QVERIFY(link->geometry().top() >= view->geometry().bottom());
      QVERIFY(view->parentWidget()->rect().contains(link->geometry()));
    }
    QVERIFY2(view->width() >= view->parentWidget()->width() - 12,
             qPrintable(QString("%1 x %2: the drawing %3 wide in %4")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(view->width())
                            .arg(view->parentWidget()->width())));
  }
}

void TestFrmDisplay::presentTurnsToTheFirstTab() {
  HelpLinks help(program_->pages.opener());
  FrmDisplay d(help);
  d.show();
  QTabWidget* tabs = get<QTabWidget>(&d, "SSTab1");
  tabs->setCurrentIndex(1);
  d.Present(ComputeChart(EntriesOf(kDelhi)).chart);
  QCOMPARE(tabs->currentIndex(), 0);
  QCOMPARE(tabs->count(), 4);  // the chart, the Indu Lagna sign, the Dasha, the Wealth
}

void TestFrmDisplay::backKeepsEntriesAndSecondRunStartsFresh() {
  Type(kDelhi);
  QTest::mouseClick(get<QPushButton>(program_->shell.form(), "cmdRashi"), Qt::LeftButton);
  QPointer<MdiWindow> first = program_->shell.mainWindow();
  QPointer<FrmDisplay> firstDisplay = display();
  QVERIFY(first && firstDisplay);
  const FormEntries before = program_->shell.form()->Entries();
  get<QTabWidget>(firstDisplay, "SSTab1")->setCurrentIndex(1);

  QTest::mouseClick(get<QPushButton>(first, "cmdBack"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // The main window and its result window are gone; the form is back with
  // every entry.
  QVERIFY(first.isNull());
  QVERIFY(firstDisplay.isNull());
  QVERIFY(program_->shell.mainWindow() == nullptr);
  QVERIFY(program_->shell.form()->isVisible());
  QCOMPARE(ended_, 0);
  const FormEntries after = program_->shell.form()->Entries();
  QCOMPARE(after.name, before.name);
  QCOMPARE(after.city, before.city);
  QCOMPARE(after.latDeg, before.latDeg);
  QCOMPARE(after.lonMin, before.lonMin);
  QCOMPARE(after.monthIndex, before.monthIndex);
  QCOMPARE(after.dayText, before.dayText);
  QCOMPARE(after.yearText, before.yearText);
  QCOMPARE(after.hourText, before.hourText);
  QCOMPARE(after.zoneIndex, before.zoneIndex);
  QCOMPARE(get<QLineEdit>(program_->shell.form(), "txtName")->text(),
           QStringLiteral("ARJUN MEHTA"));

  // A second birth: a new window whose cells hold the second chart only.
  Type(kNewYork);
  QTest::mouseClick(get<QPushButton>(program_->shell.form(), "cmdRashi"), Qt::LeftButton);
  FrmDisplay* second = display();
  QVERIFY(second != nullptr);
  const ChartRun alone = ComputeChart(EntriesOf(kNewYork));
  const ChartRun delhi = ComputeChart(EntriesOf(kDelhi));
  QVERIFY(!DrawsChart(second, delhi.chart));
  QVERIFY(DrawsChart(second, alone.chart));
  QCOMPARE(get<QLabel>(second, "lblName")->text(), QStringLiteral("MIRA"));
  QCOMPARE(get<QTabWidget>(second, "SSTab1")->currentIndex(), 0);
}

void TestFrmDisplay::forumLinksOpenTheForum() {
  HelpLinks help(program_->pages.opener());
  FrmDisplay d(help);
  d.show();
  for (const char* link : {"Label6", "Label7"}) {
    QLabel* label = get<QLabel>(&d, link);
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
  }
  QCOMPARE(program_->pages.opened.size(), std::size_t{2});
  for (const QUrl& url : program_->pages.opened)
    QCOMPARE(url, QUrl("https://forum.orvanta.example/"));
}

void TestFrmDisplay::everyTextFitsItsLabel() {
  // Every sign's attribute row, with a cell holding the widest body names
  // and the longest detail texts the form produces: no single-line label
  // may cut its text.
  HelpLinks help(program_->pages.opener());
  FrmDisplay d(help);
  d.show();
  ChartOutput chart = ComputeChart(EntriesOf(kDelhi)).chart;
  for (const int body : {Mercury, Jupiter, Saturn, Venus}) {
    chart.bodies[static_cast<std::size_t>(body)] = PositionOf(1.0, true);  // Aries, retrograde
  }
  // "September/28/1980", "89° 59' N", "179° 59' W".
  chart.birth.local.month = 9;
  chart.birth.local.day = 28;
  chart.birth.position.latitude = {89, 59, true};
  chart.birth.position.longitude = {179, 59, false};
  for (int sign = 0; sign < kSignCount; ++sign) {
    chart.attributes = SignRowCopy(sign);
    QVERIFY(chart.attributes.has_value());
    d.Present(chart);
    // The attributes' grid is laid out when its tab is shown.
    get<QTabWidget>(&d, "SSTab1")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    for (QLabel* label : d.findChildren<QLabel*>()) {
      // A wrapped label breaks its lines itself; its height is checked by
      // explanationFitsItsPanel.
      if (label->wordWrap()) continue;
      for (const QString& line : label->text().split('\n')) {
        const int needed = label->fontMetrics().horizontalAdvance(line);
        QVERIFY2(needed <= label->contentsRect().width(),
                 qPrintable(QString("sign %1: %2 \"%3\" needs %4 px, has %5")
                                .arg(sign)
                                .arg(label->objectName(), line)
                                .arg(needed)
                                .arg(label->contentsRect().width())));
      }
    }
  }
}

namespace {
// A chart with the ascendant and the Moon in the given signs, the Indu Lagna
// where the house calls put it, as ComputeChart leaves it.
ChartOutput ChartWith(int ascSign, int moonSign) {
  ChartOutput chart;
  // 15 deg 07.5 min into a sign: "15 Ari 07".
  const auto at = [](int sign) { return PositionOf(sign * 30.0 + 15.0 + 7.5 / 60.0); };
  for (BodyPosition& p : chart.bodies) p = at(0);
  chart.bodies[Moon] = at(moonSign);
  chart.bodies[Asc] = at(ascSign);
  BodySigns signs{};
  signs[Moon] = moonSign;
  signs[Asc] = ascSign;
  chart.houses = HouseCallsOf(signs, {});
  chart.induLagna = CountInduLagna(ascSign, moonSign, InduLagnaRule::FromAscendantVenus10);
  chart.attributes = SignRowCopy(chart.induLagna->sign);
  return chart;
}
}  // namespace

void TestFrmDisplay::headlineLegendAndExplanation_data() {
  QTest::addColumn<int>("asc");
  QTest::addColumn<int>("moon");
  QTest::addColumn<QString>("headline");
  QTest::addColumn<QString>("count");     // the counting line of "How it was found"
  QTest::addColumn<QString>("textbook");  // the other reading's sign
  // The worked examples of the count; the textbook reading worked by hand
  // (Venus 12, counted from the Moon's sign).
  QTest::newRow("Aries, Moon Taurus: 10 + 1 = 11")
      << 0 << 1 << "Indu Lagna: Aquarius (Kumbha)"
      << "Counting 11 from the ascendant's sign (Aries = 1) gives: Aquarius"
      << "Pisces";
  QTest::newRow("Leo, Moon Pisces: 6 + 6 = 12, remainder 0")
      << 4 << 11 << "Indu Lagna: Cancer (Kataka)"
      << "Counting 12 from the ascendant's sign (Leo = 1; a remainder of 0 counts as 12) gives: "
         "Cancer"
      << "Aquarius";
  QTest::newRow("Sagittarius twice: 30 + 30 = 60")
      << 8 << 8 << "Indu Lagna: Scorpio (Vrischika)"
      << "Counting 12 from the ascendant's sign (Sagittarius = 1; a remainder of 0 counts as 12) "
         "gives: Scorpio"
      << "Scorpio";
  QTest::newRow("Virgo, Moon Aquarius: 10 + 10 = 20")
      << 5 << 10 << "Indu Lagna: Aries (Mesha)"
      << "Counting 8 from the ascendant's sign (Virgo = 1) gives: Aries"
      << "Capricorn";
}

void TestFrmDisplay::headlineLegendAndExplanation() {
  QFETCH(int, asc);
  QFETCH(int, moon);
  QFETCH(QString, headline);
  QFETCH(QString, count);
  QFETCH(QString, textbook);
  HelpLinks help(program_->pages.opener());
  FrmDisplay d(help);
  d.show();
  const ChartOutput chart = ChartWith(asc, moon);
  d.Present(chart);

  QCOMPARE(get<QLabel>(&d, "lblInduLagnaHeadline")->text(), headline);
  // The headline names the sign that carries the IL mark in the chart.
  QVERIFY(DrawnCell(&d, chart.induLagna->sign).induLagna);
  QVERIFY(headline.contains(get<QLabel>(&d, "lblArudhaLagnaPresentInSign")->text()));

  const QStringList steps = get<QLabel>(&d, "lblHowFound")->text().split('\n');
  QCOMPARE(steps.size(), 6);
  QCOMPARE(steps[4], count);
  QCOMPARE(get<QLabel>(&d, "lblTextbookRule")->text(),
           "The textbook rule (counted from the Moon's sign, Venus 12) gives: " + textbook);
  QCOMPARE(get<QLabel>(&d, "lblOtherReadingHeading")->text(), QStringLiteral("The other reading"));
  QCOMPARE(get<QGroupBox>(&d, "fraExplanation")->title(), QStringLiteral("How it was found"));
  QCOMPARE(
      get<QLabel>(&d, "lblLegend")->text(),
      QStringLiteral("IL = Indu Lagna\n(R) = retrograde\nAsc = ascendant\nThe numbers are sign "
                     "numbers (Aries 1 \u2026 Pisces 12)\nNavamsa IL = the Indu Lagna of the "
                     "Navamsa's ascendant and Moon"));
  d.SetChartStyle(ChartStyle::NorthIndian);
  QVERIFY(get<QLabel>(&d, "lblLegend")->text().contains("House 1 (top) holds the ascendant"));
  // The numbers in the steps give the sign the headline shows: the sum's
  // remainder counted from the ascendant's sign, read back from the text.
  const QRegularExpression number(QStringLiteral("kala (\\d+)$"));
  const int ascKala = number.match(steps[0]).captured(1).toInt();
  const int moonKala = number.match(steps[1]).captured(1).toInt();
  QCOMPARE(steps[2],
           QString("Sum: %1 + %2 = %3").arg(ascKala).arg(moonKala).arg(ascKala + moonKala));
  const int remainder = (ascKala + moonKala) % 12;
  QCOMPARE(steps[3], QString("Remainder by 12: %1").arg(remainder));
  const int sign = (asc + (remainder == 0 ? 12 : remainder) - 1) % 12;
  QVERIFY(headline.startsWith("Indu Lagna: " + Text(SignRows()[sign].EnglishName) + " ("));
}

void TestFrmDisplay::explanationFitsItsPanel() {
  // The longest lines: Sagittarius twice (the longest sign names) and Leo,
  // Moon Pisces (the remainder-0 note); in the result window of a 1600 x
  // 1000 and of a 1024 x 768 screen, and in a smaller one.
  for (const QSize size : {QSize(1590, 780), QSize(1016, 560), QSize(700, 420)}) {
    HelpLinks help(program_->pages.opener());
    FrmDisplay d(help);
    d.resize(size);
    d.show();
    for (const auto& [asc, moon] : {std::pair{8, 8}, std::pair{4, 11}, std::pair{2, 8}}) {
      d.Present(ChartWith(asc, moon));
      QWidget* panel = get<QWidget>(&d, "fraExplanation");
      // Where the explanation is a tab of its own, it is shown.
      if (auto* parts = d.findChild<QTabWidget*>("tabChartParts"); parts->indexOf(panel) >= 0) {
        parts->setCurrentWidget(panel);
      }
      QCoreApplication::processEvents();
      panel->layout()->activate();
      // Every line can be read: each label as tall as its wrapped text, all
      // of them inside the scrolled content, which scrolls to its end.
      auto* scroll = get<QScrollArea>(panel, "scrExplanation");
      QWidget* content = scroll->widget();
      content->layout()->activate();
      QCoreApplication::processEvents();
      for (QLabel* label : content->findChildren<QLabel*>()) {
        const QString where =
            QString("%1 x %2, %3").arg(size.width()).arg(size.height()).arg(label->objectName());
        QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(where));
        QVERIFY2(content->rect().contains(label->geometry()), qPrintable(where));
      }
      QVERIFY(content->height() <=
              scroll->viewport()->height() + scroll->verticalScrollBar()->maximum());
      QVERIFY(panel->rect().contains(QRect(scroll->mapTo(panel, QPoint(0, 0)), scroll->size())));
      QVERIFY(d.rect().contains(QRect(panel->mapTo(&d, QPoint(0, 0)), panel->size())));
    }
  }
}

void TestFrmDisplay::windowFillsTheAreaAndKeepsItsTextSizes() {
  // The offscreen screen (800 x 600) is small: the result window fills the
  // main window's area from its top-left corner, and its texts keep their
  // sizes rather than shrinking with it.
  Type(kDelhi);
  QTest::mouseClick(get<QPushButton>(program_->shell.form(), "cmdRashi"), Qt::LeftButton);
  MdiWindow* mdi = program_->shell.mainWindow();
  QVERIFY(mdi != nullptr);
  QVERIFY(QTest::qWaitForWindowExposed(mdi));
  QCoreApplication::processEvents();
  FrmDisplay* d = mdi->display();
  QWidget* viewport = get<QMdiArea>(mdi, "mdiArea")->viewport();
  const QRect inArea(mdi->displayWindow()->mapTo(viewport, QPoint(0, 0)),
                     mdi->displayWindow()->size());
  const QString where = QString("window %1,%2 %3x%4 in %5x%6")
                            .arg(inArea.x())
                            .arg(inArea.y())
                            .arg(inArea.width())
                            .arg(inArea.height())
                            .arg(viewport->width())
                            .arg(viewport->height());
  QVERIFY2(inArea == viewport->rect(), qPrintable(where));
  QCOMPARE(get<QLabel>(d, "lblHowFound")->font().pixelSize(), 11);
  QCOMPARE(get<QLabel>(d, "planet0")->font().pixelSize(), 11);
}

void TestFrmDisplay::backReturnsTheFormWhereItWas() {
  FrmMain* form = program_->shell.form();
  form->move(137, 59);
  const QPoint before = form->pos();
  Type(kDelhi);
  QTest::mouseClick(get<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
  QVERIFY(program_->shell.mainWindow() != nullptr);
  QVERIFY(!form->isVisible());
  QTest::mouseClick(get<QPushButton>(program_->shell.mainWindow(), "cmdBack"), Qt::LeftButton);
  QVERIFY(form->isVisible());
  QCOMPARE(form->pos(), before);
}

QTEST_MAIN(TestFrmDisplay)
#include "test_frm_display.moc"
