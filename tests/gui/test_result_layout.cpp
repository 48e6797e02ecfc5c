// The result window's look: the five interpretation texts of every sign
// show whole in their boxes, the second tab keeps its grid of captions with
// nothing overlapping, and the main window holds the result window whole on
// a small laptop screen.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <array>
#include <memory>

#include "gui/frm_display.h"
#include "gui/mdi_window.h"
#include "support/gui_harness.h"
#include "tables/sign_tables.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// A 1366 x 768 screen, the smallest common laptop screen, less a 40-pixel
// taskbar and the 23-pixel caption of a maximised window: the room the main
// window's client area has there.
constexpr QSize kSmallScreenClient(1366, 768 - 40 - 23);

constexpr std::array<const char*, 5> kTextBoxes = {"txtLooks", "txtNature", "txtCareerAndFinance",
                                                   "txtLoveAndDomesticLife", "txtHealth"};

// The attribute grid in its design order: row by row, left to right. Each
// entry is the value control below the caption.
constexpr std::array<std::array<const char*, 3>, 10> kGridRows = {{
    {"lblVedicName", nullptr, "lblArudhaLagnaPresentInSign"},
    {"lblRullingPlanet", "lblCompatibleWith", "lblNotCompatibleWith"},
    {"lblSymbol", "lblNature", "lblColor"},
    {"lblTypeOfSign", "lblGender", "lblBestPeriodOfActivity"},
    {"lblBarren", "lblCaste", "lblPosition"},
    {"lblConstituentCharacter", "lblLuckyDays", "lblLuckyNumbers"},
    {"lblBestDirection", "lblLuckyColors", "lblLuckyGemstone"},
    {"lblPartOfTheBody", "lblPhysique", "lblEnglishName"},
    {"txtLooks", "txtNature", "txtCareerAndFinance"},
    {"txtLoveAndDomesticLife", nullptr, "txtHealth"},
}};

ChartOutput ChartWithSign(int sign) {
  ChartOutput chart;
  chart.attributes = SignRowCopy(sign);
  return chart;
}

}  // namespace

class TestResultLayout : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void everyInterpretationTextShowsWhole();
  void gridKeepsItsOrderWithoutOverlap();
  void everyControlLiesInsideItsParent();
  void clockLineShowsWhole();
  void resultWindowFitsASmallScreen();

 private:
  RecordingOpener pages_;
  std::unique_ptr<HelpLinks> help_;
  std::unique_ptr<FrmDisplay> display_;
};

void TestResultLayout::init() {
  help_ = std::make_unique<HelpLinks>(pages_.opener());
  display_ = std::make_unique<FrmDisplay>(*help_);
  display_->show();
  QVERIFY(QTest::qWaitForWindowExposed(display_.get()));
}

void TestResultLayout::cleanup() {
  display_.reset();
  help_.reset();
}

void TestResultLayout::everyInterpretationTextShowsWhole() {
  // All sixty paragraphs of the sign tables (the longest, Aries' Nature, has
  // 885 characters): each fits its box without scrolling.
  for (int sign = 0; sign < kSignCount; ++sign) {
    display_->Present(ChartWithSign(sign));
    get<QTabWidget>(display_.get(), "SSTab1")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    for (const char* name : kTextBoxes) {
      QPlainTextEdit* box = get<QPlainTextEdit>(display_.get(), name);
      QVERIFY2(!box->toPlainText().isEmpty(), name);
      const int lines = box->document()->lineCount();
      const int shownLines = box->viewport()->height() / box->fontMetrics().lineSpacing();
      QVERIFY2(box->verticalScrollBar()->maximum() == 0,
               qPrintable(QString("sign %1, %2: %3 characters in %4 lines, room for %5")
                              .arg(sign)
                              .arg(name)
                              .arg(box->toPlainText().size())
                              .arg(lines)
                              .arg(shownLines)));
    }
  }
}

void TestResultLayout::gridKeepsItsOrderWithoutOverlap() {
  display_->Present(ChartWithSign(0));
  QWidget* frame4 = get<QWidget>(display_.get(), "Frame4");
  std::vector<QRect> cells;
  int previousRowTop = -1;
  for (std::size_t row = 0; row < kGridRows.size(); ++row) {
    int rowTop = -1;
    int previousLeft = -1;
    for (const char* name : kGridRows[row]) {
      if (name == nullptr) continue;
      QWidget* value = get<QWidget>(frame4, name);
      const QRect rect = value->geometry();
      // Inside the frame, below the previous row, right of the previous column.
      QVERIFY2(frame4->rect().contains(rect), name);
      if (rowTop < 0) rowTop = rect.top();
      QVERIFY2(rect.top() == rowTop, qPrintable(QString("%1 leaves its row").arg(name)));
      QVERIFY2(rect.left() > previousLeft, qPrintable(QString("%1 out of column order").arg(name)));
      previousLeft = rect.right();
      for (const QRect& other : cells) {
        QVERIFY2(!rect.intersects(other), qPrintable(QString("%1 overlaps a cell").arg(name)));
      }
      cells.push_back(rect);
    }
    QVERIFY2(rowTop > previousRowTop, qPrintable(QString("row %1 out of order").arg(row)));
    previousRowTop = rowTop;
  }
  // Captions do not overlap any value or box either.
  for (QLabel* label : frame4->findChildren<QLabel*>()) {
    if (!label->objectName().startsWith(QStringLiteral("Label8_"))) continue;
    for (const QRect& cell : cells) {
      QVERIFY2(!label->geometry().intersects(cell), qPrintable(label->text()));
    }
  }
}

void TestResultLayout::everyControlLiesInsideItsParent() {
  // Nothing of either tab is cut off by the edge of its frame, page or
  // window.
  QTabWidget* tabs = get<QTabWidget>(display_.get(), "SSTab1");
  display_->Present(ChartWithSign(0));
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    QCoreApplication::processEvents();
    for (QWidget* w : tabs->widget(tab)->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_"))) continue;
      const QWidget* parent = w->parentWidget();
      QVERIFY2(parent->rect().contains(w->geometry()),
               qPrintable(QString("tab %1: %2 at (%3, %4) %5 x %6 leaves %7 of %8 x %9")
                              .arg(tab)
                              .arg(w->objectName())
                              .arg(w->x())
                              .arg(w->y())
                              .arg(w->width())
                              .arg(w->height())
                              .arg(parent->objectName())
                              .arg(parent->width())
                              .arg(parent->height())));
    }
  }
  QVERIFY(display_->rect().contains(tabs->geometry()));
}

void TestResultLayout::clockLineShowsWhole() {
  // The clock line at the window's default size: never elided, wrapped
  // within its label. The longest zone names of the atlas, the longest zone
  // list row with the daylight tick, local mean time with seconds.
  const char* clocks[] = {
      "Asia/Kathmandu, UTC+5:45, standard time",
      "America/Argentina/Rio_Gallegos, UTC-2:00, summer time",
      "America/North_Dakota/New_Salem, UTC-5:00, summer time",
      "UTC+5:30, standard time (Indian Time,IST,+5.5)",
      "UTC+11:00, summer time (Australian Eastern Daylight Time,AEDT,+11.0), daylight saving "
      "ticked",
      "Asia/Kathmandu, UTC+5:41:16, standard time",
  };
  QLabel* line = get<QLabel>(display_.get(), "lblTimeZone");
  for (const char* clock : clocks) {
    ChartOutput chart = ChartWithSign(0);
    chart.details.timeZone = clock;
    display_->Present(chart);
    QCoreApplication::processEvents();
    const QString whole = QStringLiteral("Time Zone: ") + QString::fromUtf8(clock);
    QCOMPARE(line->text(), whole);
    QVERIFY2(line->heightForWidth(line->width()) <= line->height(),
             qPrintable(QString("%1 needs %2 px of %3")
                            .arg(whole)
                            .arg(line->heightForWidth(line->width()))
                            .arg(line->height())));
    // Each word fits the width (a word wider than the label would be cut).
    for (const QString& word : whole.split(QLatin1Char(' '))) {
      QVERIFY2(line->fontMetrics().horizontalAdvance(word) <= line->contentsRect().width(),
               qPrintable(word));
    }
  }
}

void TestResultLayout::resultWindowFitsASmallScreen() {
  // The main window at the client size of a maximised window on the small
  // screen: its strips and the result window with its child frame all in
  // view, no scroll bar needed.
  MdiWindow mdi(*help_);
  mdi.resize(kSmallScreenClient);
  mdi.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mdi));
  QCOMPARE(mdi.size(), kSmallScreenClient);
  auto* area = get<QMdiArea>(&mdi, "mdiArea");
  QMdiSubWindow* sub = mdi.displayWindow();
  // Where the resize rule puts it on a screen as wide as the main window
  // (the test's own screen may be narrower).
  sub->move((kSmallScreenClient.width() - sub->width()) / 2, 0);
  QCoreApplication::processEvents();
  const QString sizes = QString("child window %1 x %2 at %3, room %4 x %5")
                            .arg(sub->width())
                            .arg(sub->height())
                            .arg(sub->x())
                            .arg(area->viewport()->width())
                            .arg(area->viewport()->height());
  QVERIFY2(area->viewport()->rect().contains(sub->geometry()), qPrintable(sizes));
  QVERIFY2(!area->verticalScrollBar()->isVisible(), qPrintable(sizes));
  QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(sizes));
}

QTEST_MAIN(TestResultLayout)
#include "test_result_layout.moc"
