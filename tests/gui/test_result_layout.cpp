// The result window's look: the five interpretation texts of every sign
// show whole in their boxes, the second tab keeps its grid of captions with
// nothing overlapping, and the main window holds the result window whole on
// a small laptop screen. In the main window of a 1600 x 1000 and of a
// 1024 x 768 screen the charts get their room and every text of the window
// and of the drawn charts is legible and inside its place, in every style.
// Sizes are in the screen's pixels, so that the binary runs at a scale
// factor as well: ctest runs it a second time at QT_SCALE_FACTOR=1.5.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPolygonF>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <array>
#include <memory>

#include "chart/chart_text.h"
#include "gui/chart_view.h"
#include "gui/frm_display.h"
#include "gui/mdi_window.h"
#include "support/gui_harness.h"
#include "support/reference_births.h"
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

// Every interpretation text of the shown sign whole in its box, on the
// shown second tab; `where` names the case.
void VerifyTextsShowWhole(QWidget* display, const QString& where) {
  for (const char* name : kTextBoxes) {
    QPlainTextEdit* box = get<QPlainTextEdit>(display, name);
    QVERIFY2(!box->toPlainText().isEmpty(), name);
    QVERIFY2(box->verticalScrollBar()->maximum() == 0,
             qPrintable(QString("%1, %2: %3 characters scroll by %4 lines in %5 x %6")
                            .arg(where, name)
                            .arg(box->toPlainText().size())
                            .arg(box->verticalScrollBar()->maximum())
                            .arg(box->width())
                            .arg(box->height())));
  }
}

// The most room the second tab's frame leaves around it in its page.
constexpr int kFrameMarginPx = 8;

// The client area of a maximised main window on a screen of `screen`
// pixels (less a 40-pixel taskbar and a 23-pixel caption), in the
// device-independent pixels of the running scale factor.
QSize ClientOf(QSize screen) {
  const double ratio = qApp->devicePixelRatio();
  return QSize(static_cast<int>(screen.width() / ratio),
               static_cast<int>((screen.height() - 40 - 23) / ratio));
}

// The least text sizes, in the screen's pixels: in a chart's triangle, and
// everywhere else.
constexpr double kLeastTrianglePx = 8;
constexpr double kLeastTextPx = 9;

double ScreenPx(const QFont& font) {
  return font.pixelSize() * qApp->devicePixelRatio();
}

// A cell of a chart whose shape is a triangle: the North-Indian side
// houses, the East-Indian corners.
bool IsTriangle(const ChartCellShape& cell) {
  return cell.outline.size() == 3;
}

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
  void detailsFrameGrowsWithTheWindow();
  void everyControlLiesInsideItsParent();
  void clockLineShowsWhole();
  void resultWindowFitsASmallScreen();
  void chartsAndTextsHaveTheirRoom_data();
  void chartsAndTextsHaveTheirRoom();
  void layoutChoiceFollowsTheRoom();

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
  // The grid is laid out when its tab is shown.
  display_->Present(ChartWithSign(0));
  get<QTabWidget>(display_.get(), "SSTab1")->setCurrentIndex(1);
  QCoreApplication::processEvents();
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

void TestResultLayout::detailsFrameGrowsWithTheWindow() {
  // The second tab's frame fills its page: a larger window gives it and its
  // text boxes more room, and at every size every text of every sign shows
  // whole, the page scrolling where the frame needs more than it has.
  const double ratio = qApp->devicePixelRatio();
  const QSize small(static_cast<int>(1024 / ratio), static_cast<int>(768 / ratio));
  const QSize large(static_cast<int>(1600 / ratio), static_cast<int>(1000 / ratio));
  QTabWidget* tabs = get<QTabWidget>(display_.get(), "SSTab1");
  QWidget* frame4 = get<QWidget>(display_.get(), "Frame4");
  auto* scroll = get<QScrollArea>(display_.get(), "scrAttributes");
  struct Sizes {
    bool scrolls = false;  // the page scrolls down to the frame's end
    QSize frame;
    std::array<QSize, kTextBoxes.size()> boxes;
  };
  const auto measure = [&](QSize window, Sizes& sizes) {
    display_->resize(window);
    for (int sign = 0; sign < kSignCount; ++sign) {
      display_->Present(ChartWithSign(sign));
      tabs->setCurrentIndex(1);
      QCoreApplication::processEvents();
      const QString where =
          QString("window %1 x %2, sign %3").arg(window.width()).arg(window.height()).arg(sign);
      VerifyTextsShowWhole(display_.get(), where);
      if (QTest::currentTestFailed()) return;
      // The frame fills the page's content, which is the page, or larger
      // where the page scrolls; a few pixels of margin around it.
      QWidget* content = scroll->widget();
      QVERIFY2(content->width() >= scroll->viewport()->width(), qPrintable(where));
      QVERIFY2(content->height() >= scroll->viewport()->height(), qPrintable(where));
      const QRect frame = frame4->geometry();
      QVERIFY2(std::max({frame.left(), frame.top(), content->width() - 1 - frame.right(),
                         content->height() - 1 - frame.bottom()}) <= kFrameMarginPx,
               qPrintable(where));
    }
    // Aries: the longest Nature text.
    display_->Present(ChartWithSign(0));
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();
    sizes.scrolls = scroll->verticalScrollBar()->maximum() > 0;
    sizes.frame = frame4->size();
    for (std::size_t i = 0; i < kTextBoxes.size(); ++i) {
      sizes.boxes[i] = get<QWidget>(frame4, kTextBoxes[i])->size();
    }
  };
  Sizes before, after, again;
  measure(small, before);
  if (QTest::currentTestFailed()) return;
  measure(large, after);
  if (QTest::currentTestFailed()) return;
  qInfo("Frame4 %d x %d in the smaller window, %d x %d in the larger", before.frame.width(),
        before.frame.height(), after.frame.width(), after.frame.height());
  QVERIFY(after.frame.width() > before.frame.width());
  // Taller too, where the smaller page held the frame whole; where it had
  // to scroll, the wider boxes may need less height than they had.
  const bool taller = !before.scrolls;
  if (taller) QVERIFY(after.frame.height() > before.frame.height());
  for (std::size_t i = 0; i < kTextBoxes.size(); ++i) {
    const QString what = QString("%1: %2 x %3, then %4 x %5")
                             .arg(kTextBoxes[i])
                             .arg(before.boxes[i].width())
                             .arg(before.boxes[i].height())
                             .arg(after.boxes[i].width())
                             .arg(after.boxes[i].height());
    qInfo("%s", qPrintable(what));
    QVERIFY2(after.boxes[i].width() > before.boxes[i].width(), qPrintable(what));
    QVERIFY2(!taller || after.boxes[i].height() > before.boxes[i].height(), qPrintable(what));
  }
  // A window smaller than the frame can be: the page scrolls, and the texts
  // still show whole.
  Sizes tiny;
  measure(QSize(static_cast<int>(640 / ratio), static_cast<int>(480 / ratio)), tiny);
  if (QTest::currentTestFailed()) return;
  QVERIFY(tiny.scrolls);
  // And back: the frame and its boxes give the room up again.
  measure(small, again);
  if (QTest::currentTestFailed()) return;
  QCOMPARE(again.frame, before.frame);
  for (std::size_t i = 0; i < kTextBoxes.size(); ++i) QCOMPARE(again.boxes[i], before.boxes[i]);
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
      // A part on a tab not shown is placed when its tab is.
      if (!w->isVisibleTo(tabs->widget(tab))) continue;
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
    chart.birth.clock.caption = clock;
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

void TestResultLayout::chartsAndTextsHaveTheirRoom_data() {
  QTest::addColumn<QSize>("screen");
  QTest::addColumn<int>("style");
  for (const QSize screen : {QSize(1600, 1000), QSize(1024, 768)}) {
    for (std::size_t i = 0; i < kChartStyles.size(); ++i) {
      QTest::newRow(qPrintable(QString("%1 x %2, %3")
                                   .arg(screen.width())
                                   .arg(screen.height())
                                   .arg(Text(ChartStyleCaption(kChartStyles[i])))))
          << screen << static_cast<int>(i);
    }
  }
}

void TestResultLayout::chartsAndTextsHaveTheirRoom() {
  QFETCH(QSize, screen);
  QFETCH(int, style);
  const bool wide = screen.width() >= 1600;
  const double ratio = qApp->devicePixelRatio();
  MdiWindow mdi(*help_);
  mdi.resize(ClientOf(screen));
  mdi.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mdi));
  FrmDisplay* d = mdi.display();
  d->SetChartStyle(kChartStyles[static_cast<std::size_t>(style)]);
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  QVERIFY(!run.refusal);
  d->Present(run.chart);
  QCoreApplication::processEvents();
  const QString where = QString("layout %1, window %2 x %3")
                            .arg(static_cast<int>(d->chartPageLayout()))
                            .arg(d->width())
                            .arg(d->height());

  // The result window fills the area; nothing scrolls it.
  auto* area = get<QMdiArea>(&mdi, "mdiArea");
  QCOMPARE(mdi.displayWindow()->geometry(), area->viewport()->rect());
  QVERIFY2(!area->verticalScrollBar()->isVisible(), qPrintable(where));
  QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(where));

  // The charts: at least 420 screen pixels each on the large screen, where
  // the explanation shows whole beside them at a scale of 1.
  const std::array<PaintedChart, 2> painted = d->chartView()->Painted();
  if (wide) {
    QCOMPARE(d->chartPageLayout(), ratio > 1 ? d->chartPageLayout() : ChartPageLayout::Wide);
    for (const PaintedChart& chart : painted) {
      QVERIFY2(chart.square.width() * ratio >= kWideChartPx,
               qPrintable(QString("%1: a chart %2 px wide").arg(where).arg(chart.square.width())));
    }
    if (ratio == 1) {
      auto* scroll = get<QScrollArea>(d, "scrExplanation");
      QVERIFY2(scroll->isVisible(), qPrintable(where));
      QVERIFY2(scroll->verticalScrollBar()->maximum() == 0,
               qPrintable(QString("%1: the explanation scrolls by %2 px")
                              .arg(where)
                              .arg(scroll->verticalScrollBar()->maximum())));
    }
  }

  // Every line of both charts inside its cell's box and legible.
  double leastTriangle = 1000, leastElsewhere = 1000;
  for (std::size_t i = 0; i < painted.size(); ++i) {
    const PaintedChart& chart = painted[i];
    const ChartDrawing& drawing = (*d->chartView()->drawings())[i];
    QVERIFY(!chart.texts.empty());
    const double side = chart.square.width();
    for (const ChartTextItem& item : chart.texts) {
      const QString what = QString("%1, chart %2: \"%3\" at %4 px")
                               .arg(where)
                               .arg(i)
                               .arg(item.text)
                               .arg(ScreenPx(item.font));
      const QFontMetricsF metrics(item.font);
      QVERIFY2(metrics.horizontalAdvance(item.text) <= item.box.width() + 0.5, qPrintable(what));
      bool triangle = false;
      if (item.cell >= 0) {
        const ChartCellShape& cell = drawing.cells[static_cast<std::size_t>(item.cell)];
        triangle = IsTriangle(cell);
        const UnitBox& b = item.role == ChartTextRole::SignLabel ? cell.labelBox : cell.textBox;
        const QRectF box(chart.square.left() + b.x * side, chart.square.top() + b.y * side,
                         b.width * side, b.height * side);
        QVERIFY2(box.adjusted(-1, -1, 1, 1).contains(item.box), qPrintable(what));
        // The line's drawn extent inside the cell's outline.
        QPolygonF outline;
        for (const UnitPoint& u : cell.outline) {
          outline << QPointF(chart.square.left() + u.x * side, chart.square.top() + u.y * side);
        }
        const double half = metrics.horizontalAdvance(item.text) / 2;
        const QPointF c = item.box.center();
        for (const QPointF corner : {QPointF(c.x() - half, c.y() - metrics.ascent() / 2),
                                     QPointF(c.x() + half, c.y() - metrics.ascent() / 2),
                                     QPointF(c.x() - half, c.y() + metrics.ascent() / 2),
                                     QPointF(c.x() + half, c.y() + metrics.ascent() / 2)}) {
          QVERIFY2(outline.containsPoint(corner, Qt::OddEvenFill) ||
                       QLineF(corner, outline.boundingRect().center()).length() < 1,
                   qPrintable(what));
        }
      }
      double& least = triangle ? leastTriangle : leastElsewhere;
      least = std::min(least, ScreenPx(item.font));
      QVERIFY2(ScreenPx(item.font) >= (triangle ? kLeastTrianglePx : kLeastTextPx),
               qPrintable(what));
    }
  }

  // The measures, for the record of a run.
  qInfo(
      "%s: charts %.0f and %.0f screen px wide; least text %s px in a triangle, %.0f px "
      "elsewhere",
      qPrintable(where), painted[0].square.width() * ratio, painted[1].square.width() * ratio,
      leastTriangle < 1000 ? qPrintable(QString::number(leastTriangle)) : "(none)", leastElsewhere);

  // Every text of the window's own labels at least 9 screen pixels.
  for (QLabel* label : d->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    QVERIFY2(ScreenPx(label->font()) >= kLeastTextPx,
             qPrintable(QString("%1: %2 at %3 px")
                            .arg(where, label->objectName())
                            .arg(ScreenPx(label->font()))));
  }

  // The positions table on the first tab shows every body's nakshatra and
  // pada, each inside its table.
  QWidget* table = get<QWidget>(d, "fraWestern");
  for (int body = 0; body < kBodyCount; ++body) {
    const auto b = static_cast<std::size_t>(body);
    for (const QString& name : {QString("planet%1"), QString("nakshatra%1"), QString("pada%1")}) {
      QLabel* label = get<QLabel>(table, qPrintable(name.arg(body)));
      QVERIFY(table->rect().contains(label->geometry()));
      QVERIFY2(
          label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
          qPrintable(label->objectName()));
    }
    QCOMPARE(get<QLabel>(table, qPrintable(QString("nakshatra%1").arg(body)))->text(),
             Text(NakshatraName(run.chart.bodies[b])));
  }
  if (d->chartPageLayout() != ChartPageLayout::Tabbed) QVERIFY(table->isVisible());
}

void TestResultLayout::layoutChoiceFollowsTheRoom() {
  // Worked by hand from the parts' sizes: a table of 420 x 240, details of
  // 250 x 220, the drawing's frame 12 x 40, the explanation at least 300
  // wide, tab bars 25 high, 6 pixels between parts.
  ChartPageRoom room{};
  room.positions = QSize(420, 240);
  room.details = QSize(250, 220);
  room.chartChrome = QSize(12, 40);
  room.explanationWidth = 300;
  room.tabBar = 25;
  room.spacing = 6;
  // 1570 wide: the charts get 1570 - 676 - 6 = 888, less the frame 876,
  // less 8 around them and 16 between: 426 each; the explanation 640 - 240
  // - 6 = 394 high.
  room.room = QSize(1570, 640);
  QCOMPARE(ChartPageLayoutFor(room), ChartPageLayout::Wide);
  // 1550 wide: 416 each, below 420; the side layout's charts 513 each.
  room.room = QSize(1550, 640);
  QCOMPARE(ChartPageLayoutFor(room), ChartPageLayout::Side);
  // The side column needs 240 + 6 + 25 + 220 = 491 high.
  room.room = QSize(1300, 490);
  QCOMPARE(ChartPageLayoutFor(room), ChartPageLayout::Tabbed);
  room.room = QSize(1300, 491);
  QCOMPARE(ChartPageLayoutFor(room), ChartPageLayout::Side);
  // Narrow: charts of (1000 - 420 - 6 - 12 - 8 - 16) / 2 = 269, below 320.
  room.room = QSize(1000, 700);
  QCOMPARE(ChartPageLayoutFor(room), ChartPageLayout::Tabbed);
  room.room = QSize(700, 600);
  QCOMPARE(ChartPageLayoutFor(room), ChartPageLayout::Tabbed);
}

QTEST_MAIN(TestResultLayout)
#include "test_result_layout.moc"
