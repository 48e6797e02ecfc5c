// The main window: the resize rule for the result window and the two command
// buttons, the menus and links with the pages they open, the About box, and
// Exit through the one ending routine.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "chart/explanation.h"
#include "gui/chart_view.h"
#include "gui/dasha_page.h"
#include "gui/data_dir.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "gui/settings_dialog.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "gui/ui_common.h"
#include "gui/view_settings.h"
#include "gui/wealth_page.h"
#include "support/gui_harness.h"
#include "support/reference_births.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Exact in single precision: every input is a whole number of twips.
constexpr float kTwipTolerance = 0.0f;
// A twip position lands on the nearest whole pixel (15 twips).
constexpr int kPixelTolerance = 1;

}  // namespace

class TestMdiWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void layoutRule_data();
  void layoutRule();
  void resizeKeepsTheButtonsRightAligned_data();
  void resizeKeepsTheButtonsRightAligned();
  void resultWindowFillsTheArea();
  void captionsAndMenus();
  void menusAndLinksOpenTheirPages_data();
  void menusAndLinksOpenTheirPages();
  void fileMenuAsksForBackAndExit();
  void closingForBackIsNoExit();
  void aboutBox();
  void exitEndsTheProgramOnce();
  void mainWindowOpensLarge();
  void dataFolderBesideTheProgram();
  void settingsDialogRecomputesTheChartAndIsKept();
  void settingsFileThatIsAPipeIsNotOpened();
  void viewMenuRedrawsInTheChosenStyleAndKeepsIt();
  void specialLagnasAreOffByDefaultAndKept();
  void labelChoicesAreOffByDefaultAndKept();
  void namesChosenInSettingsShowEverywhereAndAreKept();
  void chartsStackWhereTheRoomIsNarrow();

 private:
  QTemporaryDir settingsDir_;  // the view settings of this test run
  RecordingOpener pages_;
  std::unique_ptr<HelpLinks> help_;
  std::unique_ptr<MdiWindow> mdi_;
};

void TestMdiWindow::initTestCase() {
  // The chosen chart style is kept here, not in the user's settings.
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
}

void TestMdiWindow::init() {
  pages_.opened.clear();
  help_ = std::make_unique<HelpLinks>(pages_.opener());
  mdi_ = std::make_unique<MdiWindow>(*help_);
  mdi_->resize(1000, 720);
  mdi_->show();
}

void TestMdiWindow::cleanup() {
  mdi_.reset();
  help_.reset();
}

void TestMdiWindow::layoutRule_data() {
  QTest::addColumn<float>("screen");
  QTest::addColumn<float>("main");
  QTest::addColumn<float>("display");
  QTest::addColumn<float>("exit");
  QTest::addColumn<float>("displayLeft");
  QTest::addColumn<float>("exitLeft");
  QTest::addColumn<float>("backLeft");
  // Hand calculations: displayLeft = (screen - display) / 2, but never
  // below 0 (a window wider than the screen opens with its left side shown),
  // exitLeft = main - exit - 300, backLeft = exitLeft - exit - 100.
  QTest::newRow("design width 12075 with its frame")
      << 19200.f << 12075.f << 12600.f << 1335.f << 3300.f << 10440.f << 9005.f;
  QTest::newRow("narrowed to 9000")
      << 19200.f << 9000.f << 12600.f << 1335.f << 3300.f << 7365.f << 5930.f;
  QTest::newRow("screen narrower than the result window")
      << 12000.f << 12000.f << 12600.f << 1335.f << 0.f << 10365.f << 8930.f;
  QTest::newRow("main window narrower than both buttons")
      << 24000.f << 2000.f << 12600.f << 1335.f << 5700.f << 365.f << -1070.f;
}

void TestMdiWindow::layoutRule() {
  QFETCH(float, screen);
  QFETCH(float, main);
  QFETCH(float, display);
  QFETCH(float, exit);
  QFETCH(float, displayLeft);
  QFETCH(float, exitLeft);
  QFETCH(float, backLeft);
  const MdiLayoutTwips layout = ComputeMdiLayout(screen, main, display, exit);
  QVERIFY(std::fabs(layout.displayLeft - displayLeft) <= kTwipTolerance);
  QVERIFY(std::fabs(layout.exitLeft - exitLeft) <= kTwipTolerance);
  QVERIFY(std::fabs(layout.backLeft - backLeft) <= kTwipTolerance);
}

void TestMdiWindow::resizeKeepsTheButtonsRightAligned_data() {
  QTest::addColumn<int>("width");
  QTest::newRow("wide") << 1400;
  QTest::newRow("design") << 792;
  QTest::newRow("narrowed") << 600;
  QTest::newRow("very narrow") << 300;
}

void TestMdiWindow::resizeKeepsTheButtonsRightAligned() {
  QFETCH(int, width);
  mdi_->resize(width, 700);
  QCoreApplication::processEvents();
  QCOMPARE(mdi_->width(), width);
  const QPushButton* exit = get<QPushButton>(mdi_.get(), "cmdExit");
  const QPushButton* back = get<QPushButton>(mdi_.get(), "cmdBack");
  QCOMPARE(exit->width(), Px(1335));
  QCOMPARE(back->width(), Px(1335));
  // 300 twips between Exit and the right edge, 100 twips between Back and Exit.
  QVERIFY(std::abs((width - exit->geometry().right() - 1) - Px(300)) <= kPixelTolerance);
  const int gap = exit->x() - (back->x() + back->width());
  QVERIFY2(std::abs(gap - Px(100)) <= kPixelTolerance, qPrintable(QString::number(gap)));
}

void TestMdiWindow::resultWindowFillsTheArea() {
  // Whatever the main window's size, the result window fills its area from
  // the top-left corner, no scroll bar needed.
  QMdiSubWindow* sub = mdi_->displayWindow();
  auto* area = get<QMdiArea>(mdi_.get(), "mdiArea");
  for (const QSize size :
       {QSize(1200, 700), QSize(1600, 1000), QSize(700, 600), QSize(1000, 720)}) {
    mdi_->resize(size);
    QCoreApplication::processEvents();
    const QString where = QString("%1 x %2: child window %3,%4 %5 x %6 in %7 x %8")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(sub->x())
                              .arg(sub->y())
                              .arg(sub->width())
                              .arg(sub->height())
                              .arg(area->viewport()->width())
                              .arg(area->viewport()->height());
    QVERIFY2(sub->geometry() == area->viewport()->rect(), qPrintable(where));
    QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(where));
    QVERIFY2(!area->verticalScrollBar()->isVisible(), qPrintable(where));
  }
}

void TestMdiWindow::captionsAndMenus() {
  QCOMPARE(mdi_->windowTitle(), QStringLiteral("Orvanta v1.15"));
  QCOMPARE(get<QLabel>(mdi_.get(), "Label2")->text(), QStringLiteral("Orvanta"));
  QCOMPARE(get<QPushButton>(mdi_.get(), "cmdBack")->text(), QStringLiteral("&Back"));
  QCOMPARE(get<QPushButton>(mdi_.get(), "cmdExit")->text(), QStringLiteral("E&xit"));
  // The command strip's own Label10 (the result window has one of that name too).
  QCOMPARE(get<QLabel>(get<QWidget>(mdi_.get(), "Picture1"), "Label10")->text(),
           QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                          "money online. Get this software fully branded for your website. Click "
                          "here for more details."));
  QCOMPARE(mdi_->displayWindow()->windowTitle(), QStringLiteral("Orvanta v1.15"));
  QCOMPARE(mdi_->displayWindow()->widget()->objectName(), QStringLiteral("frmDisplay"));

  const QList<QAction*> bar = mdi_->menuBar()->actions();
  QCOMPARE(bar.size(), 5);
  QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
  QCOMPARE(bar[1]->text(), QStringLiteral("&View"));
  QCOMPARE(bar[2]->text(), QStringLiteral("&Tools"));
  QCOMPARE(bar[3]->text(), QStringLiteral("&Help"));
  QCOMPARE(bar[4]->text(), QStringLiteral("Make Money &Online"));
  QCOMPARE(MenuTexts(bar[0]->menu()), QStringList({"&Back", "E&xit"}));
  QCOMPARE(MenuTexts(bar[1]->menu()),
           QStringList({"&South Indian", "&North Indian", "&East Indian", "-", "Special &Lagnas",
                        "&Two-Letter Labels", "&Degrees in Cells"}));
  QCOMPARE(MenuTexts(bar[2]->menu()), QStringList({"&Settings…"}));
  QCOMPARE(MenuTexts(bar[3]->menu()),
           QStringList({"Orvanta Help", "&Online Help", "&Visit Us Online", "-",
                        "Check for Software &Update", "-", "&About Software"}));
}

void TestMdiWindow::menusAndLinksOpenTheirPages_data() {
  QTest::addColumn<QString>("control");  // an action, or a link label as strip/name
  QTest::addColumn<QString>("address");
  QTest::newRow("Online Help") << "mnuOnline"
                               << "https://orvanta.example/help/";
  QTest::newRow("Visit Us Online") << "mnuVisit"
                                   << "https://forum.orvanta.example/";
  QTest::newRow("Check for Software Update") << "mnuUpdate"
                                             << "https://orvanta.example/download/";
  QTest::newRow("Make Money Online") << "mm"
                                     << "https://orvanta.example/help/fully-branded.html";
  QTest::newRow("branded-edition link in the command strip")
      << "Picture1/Label10"
      << "https://orvanta.example/help/fully-branded.html";
  QTest::newRow("forum link of the result window") << "frmDisplay/Label6"
                                                   << "https://forum.orvanta.example/";
}

void TestMdiWindow::menusAndLinksOpenTheirPages() {
  QFETCH(QString, control);
  QFETCH(QString, address);
  if (auto* action = mdi_->findChild<QAction*>(control)) {
    action->trigger();
  } else {
    const QStringList path = control.split('/');
    QWidget* parent = get<QWidget>(mdi_.get(), path[0].toLatin1().constData());
    QLabel* link = get<QLabel>(parent, path[1].toLatin1().constData());
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
  }
  QCOMPARE(pages_.opened.size(), std::size_t{1});
  QCOMPARE(pages_.opened[0], QUrl(address));
}

void TestMdiWindow::fileMenuAsksForBackAndExit() {
  QSignalSpy back(mdi_.get(), &MdiWindow::backRequested);
  QSignalSpy exit(mdi_.get(), &MdiWindow::exitRequested);
  QSignalSpy about(mdi_.get(), &MdiWindow::aboutRequested);
  get<QAction>(mdi_.get(), "mnuBack")->trigger();
  QTest::mouseClick(get<QPushButton>(mdi_.get(), "cmdBack"), Qt::LeftButton);
  QCOMPARE(back.count(), 2);
  get<QAction>(mdi_.get(), "mnuExit")->trigger();
  QTest::mouseClick(get<QPushButton>(mdi_.get(), "cmdExit"), Qt::LeftButton);
  QCOMPARE(exit.count(), 2);
  get<QAction>(mdi_.get(), "mnuAbout")->trigger();
  QCOMPARE(about.count(), 1);
  // Closing the main window by its frame is Exit as well.
  mdi_->close();
  QCOMPARE(exit.count(), 3);
}

void TestMdiWindow::closingForBackIsNoExit() {
  QSignalSpy exit(mdi_.get(), &MdiWindow::exitRequested);
  mdi_->UnloadForBack();
  QVERIFY(!mdi_->isVisible());
  QCOMPARE(exit.count(), 0);
}

void TestMdiWindow::aboutBox() {
  RecordingSink sink;
  Shell shell(sink, pages_.opener(), [] {});
  QString title, body, offer, link, coBrand;
  bool modal = false;
  QTimer::singleShot(0, this, [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (about == nullptr) {
      QFAIL("no modal About box");
      return;
    }
    modal = about->isModal();
    title = about->windowTitle();
    body = get<QLabel>(about, "Label1")->text();
    offer = get<QLabel>(about, "Label3")->text();
    link = get<QLabel>(about, "Label2")->text();
    QLabel* home = get<QLabel>(about, "lblHomePage");
    QTest::mouseClick(home, Qt::LeftButton, {}, QPoint(4, home->height() / 2));
    QLabel* cobrand = get<QLabel>(about, "lblCoBrand");
    coBrand = cobrand->text();
    QTest::mouseClick(cobrand, Qt::LeftButton, {}, QPoint(4, cobrand->height() / 2));
    QTest::mouseClick(get<QPushButton>(about, "cmdOK"), Qt::LeftButton);
  });
  shell.ShowAbout(mdi_.get());
  QVERIFY(modal);
  QCOMPARE(title, QStringLiteral("Orvanta v1.15"));
  QCOMPARE(link, QStringLiteral("Orvanta v1.15"));
  QCOMPARE(body, QStringLiteral("Orvanta is a special Lagna (Ascendant) calculated on the basis of "
                                "Vedic Astrology. This Lagna shows the amount of money and wealth "
                                "you will acquire in your lifetime."));
  QCOMPARE(offer, QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                                 "make money online. Get this software fully branded for your "
                                 "website. "));
  QCOMPARE(coBrand, QStringLiteral("Click here for more details."));
  QCOMPARE(pages_.opened.size(), std::size_t{2});
  QCOMPARE(pages_.opened[0], QUrl("https://forum.orvanta.example/"));
  QCOMPARE(pages_.opened[1], QUrl("https://orvanta.example/help/fully-branded.html"));
  QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestMdiWindow::exitEndsTheProgramOnce() {
  QTemporaryDir dir;
  SingleInstanceGuard guard(dir.filePath("orvanta.lock"));
  RecordingSink sink;
  int ended = 0;
  Shell shell(sink, pages_.opener(), [&] { ++ended; });
  QVERIFY(shell.Start(guard));
  FormEntries e;
  e.name = "RAVI";
  e.lonDeg = "77";
  e.lonMin = "12";
  e.latDeg = "28";
  e.latMin = "36";
  shell.ShowChart(ComputeChart(e).chart);
  QVERIFY(shell.mainWindow() != nullptr && shell.mainWindow()->isVisible());
  QVERIFY(!shell.form()->isVisible());

  QTest::mouseClick(get<QPushButton>(shell.mainWindow(), "cmdExit"), Qt::LeftButton);
  QCOMPARE(ended, 1);
  // Every window is closed, the hidden form included.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != mdi_.get()) QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
  }
  QVERIFY(sink.shown.empty());
}

void TestMdiWindow::mainWindowOpensLarge() {
  QTemporaryDir dir;
  SingleInstanceGuard guard(dir.filePath("orvanta.lock"));
  RecordingSink sink;
  Shell shell(sink, pages_.opener(), [] {});
  QVERIFY(shell.Start(guard));
  FormEntries e;
  e.name = "RAVI";
  e.lonDeg = "77";
  e.lonMin = "12";
  e.latDeg = "28";
  e.latMin = "36";
  shell.ShowChart(ComputeChart(e).chart);
  MdiWindow* mdi = shell.mainWindow();
  QVERIFY(mdi != nullptr);
  const QRect available = mdi->screen()->availableGeometry();
  QVERIFY2(mdi->frameGeometry().width() >= available.width() - 2 * kPixelTolerance,
           qPrintable(QString::number(mdi->width())));
  QVERIFY(mdi->frameGeometry().height() >= available.height() - 2 * kPixelTolerance);
}

// The help manual and other data files are found from the executable's
// folder: <prefix>/share/orvanta beside an installed bin/, else the build
// folder's copy two levels up; the installed layout wins when both exist.
void TestMdiWindow::dataFolderBesideTheProgram() {
  const QString running = DataDir();
  QVERIFY2(!running.isEmpty(), "the build folder's share/orvanta is not found");
  QVERIFY(QFileInfo(running + QStringLiteral("/README.md")).isFile());

  QTemporaryDir root;
  QVERIFY(root.isValid());
  const QDir top(root.path());
  const auto path = [&](const char* relative) {
    return QDir::cleanPath(top.filePath(QString::fromLatin1(relative)));
  };
  QVERIFY(top.mkpath(QStringLiteral("usr/bin")));
  QCOMPARE(DataDirFor(path("usr/bin")), QString());
  QVERIFY(top.mkpath(QStringLiteral("usr/share/orvanta")));
  QCOMPARE(DataDirFor(path("usr/bin")), path("usr/share/orvanta"));
  QVERIFY(top.mkpath(QStringLiteral("build/src/gui")));
  QVERIFY(top.mkpath(QStringLiteral("build/share/orvanta")));
  QCOMPARE(DataDirFor(path("build/src/gui")), path("build/share/orvanta"));
  QVERIFY(top.mkpath(QStringLiteral("build/src/share/orvanta")));
  QCOMPARE(DataDirFor(path("build/src/gui")), path("build/src/share/orvanta"));
}

// Tools > Settings… with the keyboard: the dialog opens on the shown chart's
// settings, the lists are reached by their mnemonics, OK computes the shown
// chart again (positions, headline, caption line), and a new start with the
// same settings file begins with the chosen settings. Cancel changes nothing.
void TestMdiWindow::settingsDialogRecomputesTheChartAndIsKept() {
  QTemporaryDir dir;
  const QString store = dir.filePath(QStringLiteral("orvanta.conf"));
  SingleInstanceGuard guard(dir.filePath(QStringLiteral("orvanta.lock")));
  RecordingSink sink;
  auto shell = std::make_unique<Shell>(sink, pages_.opener(), [] {});
  shell->UseSettingsFile(store);
  QVERIFY(shell->settings().IsDefault());
  QVERIFY(shell->Start(guard));
  shell->ShowChart(ComputeChart(reference::DelhiBirth()).chart);
  FrmDisplay* display = shell->mainWindow()->display();
  const QString rahuBefore = get<QLabel>(display, "planet7")->text();
  const QString sunBefore = get<QLabel>(display, "planet0")->text();
  QCOMPARE(display->windowTitle(),
           QStringLiteral("Orvanta v1.15 - Settings: ayanamsa program's own; Rahu/Ketu "
                          "program's own; Indu Lagna program's count; dasha year 365.25 days"));

  // Cancel first: nothing changes.
  QTimer::singleShot(0, this, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog != nullptr);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  get<QAction>(shell->mainWindow(), "mnuSettings")->trigger();
  QVERIFY(shell->settings().IsDefault());
  QCOMPARE(get<QLabel>(display, "planet0")->text(), sunBefore);

  QString shownAyanamsa;
  QTimer::singleShot(0, this, [&] {
    auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    Activate(dialog);
    auto* ayanamsa = get<QComboBox>(dialog, "cboAyanamsa");
    QCOMPARE(QApplication::focusWidget(), ayanamsa);
    shownAyanamsa = ayanamsa->currentText();
    // The ayanamsa list has the focus: Krishnamurti is the fourth entry.
    QTest::keyClick(ayanamsa, Qt::Key_End);
    // Alt+R reaches Rahu and Ketu, Alt+I the Indu Lagna rule.
    QTest::keyClick(dialog, Qt::Key_R, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(dialog, Qt::Key_I, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    // Alt+D the dasha year: the savana year is the last entry.
    QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), get<QComboBox>(dialog, "cboDashaYear"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QCOMPARE(get<QComboBox>(dialog, "cboDashaYear")->currentText(),
             QStringLiteral("savana year, 360 days"));
    QCOMPARE(get<QComboBox>(dialog, "cboNode")->currentText(), QStringLiteral("The true node"));
    QCOMPARE(get<QComboBox>(dialog, "cboInduLagnaRule")->currentText(),
             QStringLiteral("The classical count (from the Moon, Venus 12)"));
    QTest::mouseClick(get<QDialogButtonBox>(dialog, "buttons")->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  });
  get<QAction>(shell->mainWindow(), "mnuSettings")->trigger();
  QCOMPARE(shownAyanamsa, QStringLiteral("This program's own (Lahiri type)"));
  CalculationSettings chosen;
  chosen.ayanamsa = AyanamsaChoice::Krishnamurti;
  chosen.node = NodeChoice::True;
  chosen.induLagnaRule = InduLagnaRule::FromMoonVenus12;
  chosen.dashaYear = dasha::YearLength::Savana;
  QVERIFY(shell->settings() == chosen);

  // The same window shows the chart of the same birth under the new settings.
  QCOMPARE(shell->mainWindow()->display(), display);
  const ChartOutput expected = ComputeChart(reference::DelhiBirth(), chosen).chart;
  QCOMPARE(get<QLabel>(display, "planet0")->text(), Text(PositionText(expected.bodies[Sun])));
  QCOMPARE(get<QLabel>(display, "planet7")->text(), Text(PositionText(expected.bodies[Rahu])));
  QVERIFY(get<QLabel>(display, "planet0")->text() != sunBefore);
  QVERIFY(get<QLabel>(display, "planet7")->text() != rahuBefore);
  QCOMPARE(get<QLabel>(display, "lblInduLagnaHeadline")->text(),
           Text(InduLagnaHeadline(expected.induLagna->sign)));
  QCOMPARE(display->windowTitle(),
           QStringLiteral("Orvanta v1.15 - Settings: ayanamsa KP; Rahu/Ketu true node; Indu "
                          "Lagna classical count; dasha year 360 days"));

  // A new start with the same file: the settings were kept.
  shell.reset();
  SingleInstanceGuard again(dir.filePath(QStringLiteral("orvanta2.lock")));
  Shell next(sink, pages_.opener(), [] {});
  next.UseSettingsFile(store);
  QVERIFY(next.settings() == chosen);
  QVERIFY(next.Start(again));
  next.form()->SetEntries(reference::DelhiBirth());
  next.form()->ComputeChartFromForm();
  QVERIFY(next.mainWindow() != nullptr);
  QCOMPARE(get<QLabel>(next.mainWindow()->display(), "planet7")->text(),
           Text(PositionText(expected.bodies[Rahu])));
  QVERIFY(sink.shown.empty());
}

// A pipe in the settings file's place is never opened: the program starts
// with its window and the default settings, its status line says once why,
// and choosing a chart style neither blocks nor replaces the pipe. (Were the
// pipe opened, the start would wait for a writer: a helper thread plays one
// after a while, so that such a fault fails the test instead of hanging it.)
void TestMdiWindow::settingsFileThatIsAPipeIsNotOpened() {
  const QString pipe = SettingsFilePath();
  QDir().mkpath(QFileInfo(pipe).absolutePath());
  QFile::remove(pipe);
  QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
  std::atomic<bool> done{false}, released{false};
  std::thread writer([&] {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    while (!done) {
      const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {
        released = true;
        ::close(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  {
    QTemporaryDir dir;
    SingleInstanceGuard guard(dir.filePath(QStringLiteral("orvanta.lock")));
    RecordingSink sink;
    Shell shell(sink, pages_.opener(), [] {});
    shell.UseSettingsFile(pipe);
    QVERIFY(shell.settings().IsDefault());
    QVERIFY(shell.Start(guard));
    QCOMPARE(shell.form()->statusBar()->currentMessage(),
             QStringLiteral("The settings file \"%1\" is not a regular file: the default "
                            "settings are used and none are kept")
                 .arg(QDir::toNativeSeparators(pipe)));
    QVERIFY(sink.shown.empty());
    shell.ShowChart(ComputeChart(reference::DelhiBirth()).chart);
    QVERIFY(shell.mainWindow() != nullptr);
    get<QAction>(shell.mainWindow(), "mnuStyleNorth")->trigger();
    shell.ApplySettings(shell.settings());
  }
  done = true;
  writer.join();
  QVERIFY(!released);
  struct stat st {};
  QVERIFY(::stat(QFile::encodeName(pipe).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
  QFile::remove(pipe);
}

// The View menu's three styles: choosing one redraws the charts shown in
// it, and a new main window (the next start) opens with it.
void TestMdiWindow::specialLagnasAreOffByDefaultAndKept() {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  QVERIFY(!run.refusal);
  mdi_->display()->Present(run.chart);
  ChartView* view = mdi_->display()->chartView();
  QAction* special = get<QAction>(mdi_.get(), "mnuSpecialLagnas");
  QVERIFY(special->isCheckable() && !special->isChecked());
  QVERIFY(!view->specialLagnas());
  special->trigger();
  QVERIFY(view->specialLagnas());
  // The Arudha Lagna's mark stands in the birth chart.
  bool marked = false;
  for (const ChartCellTexts& cell : (*view->drawings())[0].texts) {
    for (const std::string& line : cell.bodies) marked = marked || line.find("AL") == 0;
  }
  QVERIFY(marked);
  {
    MdiWindow next(*help_);
    QVERIFY(get<QAction>(&next, "mnuSpecialLagnas")->isChecked());
    QVERIFY(next.display()->chartView()->specialLagnas());
    get<QAction>(&next, "mnuSpecialLagnas")->trigger();
  }
  MdiWindow third(*help_);
  QVERIFY(!get<QAction>(&third, "mnuSpecialLagnas")->isChecked());
}

// View > Two-Letter Labels and Degrees in Cells: off at first, each
// redraws the shown charts at once (Delhi's Leo holds Mars at 23°03',
// Jupiter 10°09', Saturn 27°06' and the ascendant at 6°30'), and a new main
// window opens with them.
void TestMdiWindow::labelChoicesAreOffByDefaultAndKept() {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  QVERIFY(!run.refusal);
  mdi_->display()->Present(run.chart);
  ChartView* view = mdi_->display()->chartView();
  QAction* twoLetter = get<QAction>(mdi_.get(), "mnuTwoLetterLabels");
  QAction* degrees = get<QAction>(mdi_.get(), "mnuDegreesInCells");
  QVERIFY(twoLetter->isCheckable() && !twoLetter->isChecked());
  QVERIFY(degrees->isCheckable() && !degrees->isChecked());
  QCOMPARE((*view->drawings())[0].texts[4].bodies,
           (std::vector<std::string>{"Mars", "Jupiter", "Saturn", "Asc"}));
  twoLetter->trigger();
  QCOMPARE((*view->drawings())[0].texts[4].bodies,
           (std::vector<std::string>{"Ma", "Ju", "Sa", "As"}));
  degrees->trigger();
  QCOMPARE((*view->drawings())[0].texts[4].bodies,
           (std::vector<std::string>{"Ma 23\u00B003'", "Ju 10\u00B009'", "Sa 27\u00B006'",
                                     "As 06\u00B030'"}));
  // The Navamsa shows no degrees: they are the birth chart's.
  QCOMPARE((*view->drawings())[1].texts[6].bodies,
           (std::vector<std::string>{"Su", "Ve (R)", "Ma"}));
  {
    MdiWindow next(*help_);
    QVERIFY(get<QAction>(&next, "mnuTwoLetterLabels")->isChecked());
    QVERIFY(get<QAction>(&next, "mnuDegreesInCells")->isChecked());
    QVERIFY(next.display()->names().twoLetterLabels);
    QVERIFY(next.display()->names().degreesInCells);
    get<QAction>(&next, "mnuTwoLetterLabels")->trigger();
    get<QAction>(&next, "mnuDegreesInCells")->trigger();
  }
  MdiWindow third(*help_);
  QVERIFY(!get<QAction>(&third, "mnuTwoLetterLabels")->isChecked());
  QVERIFY(!third.display()->names().degreesInCells);
}

// Tools > Settings > Names: Tamil names in the drawn charts, the positions
// and their names, the Dasha and the Wealth pages, at once and at the next
// start; the numbers stay those of the English chart.
void TestMdiWindow::namesChosenInSettingsShowEverywhereAndAreKept() {
  QTemporaryDir dir;
  const QString store = dir.filePath(QStringLiteral("orvanta.conf"));
  SingleInstanceGuard guard(dir.filePath(QStringLiteral("orvanta.lock")));
  RecordingSink sink;
  auto shell = std::make_unique<Shell>(sink, pages_.opener(), [] {});
  shell->UseSettingsFile(store);
  QCOMPARE(shell->names(), NameScript::English);
  QVERIFY(shell->Start(guard));
  const ChartOutput chart = ComputeChart(reference::DelhiBirth()).chart;
  shell->ShowChart(chart);
  FrmDisplay* display = shell->mainWindow()->display();
  QCOMPARE(get<QLabel>(display, "PlanetName0")->text(), QStringLiteral("Surya/Sun"));
  QCOMPARE(get<QLabel>(display, "planet4")->text(), QStringLiteral("23 Leo 03"));

  QTimer::singleShot(0, this, [&] {
    auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    Activate(dialog);
    QTest::keyClick(dialog, Qt::Key_N, Qt::AltModifier);
    auto* names = get<QComboBox>(dialog, "cboNames");
    QCOMPARE(QApplication::focusWidget(), names);
    QCOMPARE(names->count(), static_cast<int>(kNameScripts.size()));
    QCOMPARE(names->currentText(), QStringLiteral("English"));
    names->setCurrentIndex(names->findText(QStringLiteral("Tamil")));
    QTest::mouseClick(get<QDialogButtonBox>(dialog, "buttons")->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  });
  get<QAction>(shell->mainWindow(), "mnuSettings")->trigger();
  QCOMPARE(shell->names(), NameScript::Tamil);
  QVERIFY(shell->settings().IsDefault());
  display = shell->mainWindow()->display();
  // Mars is செவ்வாய், Leo சிம்மம், the Sun சூரியன் (the Tamil table's source).
  QCOMPARE(get<QLabel>(display, "PlanetName0")->text(), QStringLiteral("சூரியன்"));
  QCOMPARE(get<QLabel>(display, "planet4")->text(), QStringLiteral("23 சிம்மம் 03"));
  const auto& drawings = display->chartView()->drawings();
  QVERIFY(drawings.has_value());
  QCOMPARE((*drawings)[0].texts[4].bodies,
           (std::vector<std::string>{"செவ்வாய்", "குரு", "சனி", "லக்னம்"}));
  QCOMPARE((*drawings)[0].induLagnaLine, std::string("IL: விருச்சிகம்"));
  // Delhi's Moon stands in Punarvasu, புனர்பூசம்; its dasha lord is Jupiter, குரு.
  QVERIFY(display->dashaPage()->balance()->text().startsWith(QStringLiteral("குரு dasha")));
  QCOMPARE(display->dashaPage()->tree()->topLevelItem(0)->text(DashaPage::LordColumn),
           QStringLiteral("குரு"));
  QVERIFY(display->wealthPage()->reading()->toPlainText().contains(
      QStringLiteral("The Indu Lagna stands in விருச்சிகம்")));

  // The next start keeps the names.
  shell.reset();
  SingleInstanceGuard again(dir.filePath(QStringLiteral("orvanta2.lock")));
  Shell next(sink, pages_.opener(), [] {});
  next.UseSettingsFile(store);
  QCOMPARE(next.names(), NameScript::Tamil);
  QVERIFY(next.Start(again));
  next.ShowChart(chart);
  QCOMPARE(get<QLabel>(next.mainWindow()->display(), "planet4")->text(),
           QStringLiteral("23 சிம்மம் 03"));
  next.ApplyNames(NameScript::English);
  QCOMPARE(get<QLabel>(next.mainWindow()->display(), "planet4")->text(),
           QStringLiteral("23 Leo 03"));
  QVERIFY(sink.shown.empty());
}

void TestMdiWindow::viewMenuRedrawsInTheChosenStyleAndKeepsIt() {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  QVERIFY(!run.refusal);
  mdi_->display()->Present(run.chart);
  ChartView* view = mdi_->display()->chartView();
  QCOMPARE(view->style(), ChartStyle::SouthIndian);
  QVERIFY(QTest::qWaitForWindowExposed(mdi_.get()));
  QVERIFY(view->isVisible());
  const QImage south = view->grab().toImage();

  QAction* north = get<QAction>(mdi_.get(), "mnuStyleNorth");
  QVERIFY(north->isCheckable() && !north->isChecked());
  north->trigger();
  QVERIFY(north->isChecked());
  QVERIFY(!get<QAction>(mdi_.get(), "mnuStyleSouth")->isChecked());
  QCOMPARE(view->style(), ChartStyle::NorthIndian);
  QVERIFY(view->drawings().has_value());
  QCOMPARE((*view->drawings())[0].style, ChartStyle::NorthIndian);
  QCOMPARE((*view->drawings())[1].kind, ChartKind::Navamsa);
  // North Indian: house 1 holds the ascendant's sign, Leo.
  QCOMPARE((*view->drawings())[0].cells[4].house, 1);
  QVERIFY(view->grab().toImage() != south);

  // A new main window reads the choice back.
  {
    MdiWindow next(*help_);
    QVERIFY(get<QAction>(&next, "mnuStyleNorth")->isChecked());
    QCOMPARE(next.display()->chartView()->style(), ChartStyle::NorthIndian);
    get<QAction>(&next, "mnuStyleEast")->trigger();
  }
  MdiWindow third(*help_);
  QCOMPARE(third.display()->chartView()->style(), ChartStyle::EastIndian);
  get<QAction>(&third, "mnuStyleSouth")->trigger();
  QCOMPARE(third.display()->chartView()->style(), ChartStyle::SouthIndian);
}

// Two charts side by side where the room is wide, one above the other where
// it is narrow: whichever gives each the larger square.
void TestMdiWindow::chartsStackWhereTheRoomIsNarrow() {
  QCOMPARE(ArrangementFor(QSizeF(800, 400)), ChartArrangement::SideBySide);
  QCOMPARE(ArrangementFor(QSizeF(533, 400)), ChartArrangement::SideBySide);
  QCOMPARE(ArrangementFor(QSizeF(300, 600)), ChartArrangement::Stacked);
  const std::array<QRectF, 2> stacked = ChartAreas(QRectF(0, 0, 300, 600));
  QCOMPARE(stacked[0], QRectF(0, 0, 300, 300));
  QCOMPARE(stacked[1], QRectF(0, 300, 300, 300));
  ChartView view;
  view.resize(250, 700);
  QCOMPARE(view.arrangement(), ChartArrangement::Stacked);
  view.resize(700, 250);
  QCOMPARE(view.arrangement(), ChartArrangement::SideBySide);
}

QTEST_MAIN(TestMdiWindow)
#include "test_mdi_window.moc"
