// Drives the desktop program through one computation for the README's
// screenshots: types a city and shows the atlas's suggestions, picks one and
// shows the resolved zone, then types the reference birth into the form,
// waits, computes, and shows both tabs of the result window, writing a marker
// file at each stop so that a script outside can photograph the screen
// (tools: xvfb-run, import).
//
//   screenshot_tour DIR CLI  marker files DIR/completer.ready, resolved.ready,
//                            form.ready, chart.ready, chart-north.ready,
//                            chart-east.ready, details.ready; the tour goes on
//                            when the script removes a marker.
//
// The charts are shown South Indian first, then North and East Indian
// through the View menu; the tour keeps its view settings in a folder of
// its own, so it starts South Indian and leaves the user's choice alone.
//
// Before the chart is photographed, every position and the Indu Lagna the
// window shows are compared with what the command line CLI prints for the
// same birth; the tour stops with status 5 on a difference, so that no
// screenshot can show numbers the program no longer computes.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>

#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "gui/message_sink.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "support/reference_births.h"

namespace {

void Pause(const QString& marker) {
  QFile file(marker);
  if (file.open(QIODevice::WriteOnly)) file.close();
  // Keep painting while the picture is taken.
  while (QFile::exists(marker)) QTest::qWait(100);
}

// The command line's arguments for a form's birth.
QStringList CommandLineOf(const orvanta::FormEntries& e) {
  const auto q = [](const std::string& s) { return QString::fromStdString(s); };
  const QString date = QStringLiteral("%1-%2-%3")
                           .arg(q(e.yearText))
                           .arg(e.monthIndex + 1, 2, 10, QLatin1Char('0'))
                           .arg(q(e.dayText).rightJustified(2, QLatin1Char('0')));
  return {QStringLiteral("--name"),
          q(e.name),
          QStringLiteral("--date"),
          date,
          QStringLiteral("--time"),
          q(e.hourText).rightJustified(2, QLatin1Char('0')) + QLatin1Char(':') +
              q(e.minuteText).rightJustified(2, QLatin1Char('0')),
          QStringLiteral("--lat"),
          q(e.latDeg) + (e.north ? QLatin1Char('N') : QLatin1Char('S')) + q(e.latMin),
          QStringLiteral("--lon"),
          q(e.lonDeg) + (e.east ? QLatin1Char('E') : QLatin1Char('W')) + q(e.lonMin),
          QStringLiteral("--zone"),
          QString::number(e.zoneIndex)};
}

// The positions ("00 Gem 40") and the Indu Lagna headline the command line
// prints for the birth must each be shown in the window. Returns the
// differences, empty when there are none.
QStringList DifferencesFromCommandLine(const QWidget& window, const QString& cli,
                                       const orvanta::FormEntries& birth) {
  QProcess p;
  p.start(cli, CommandLineOf(birth));
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return {cli + QStringLiteral(" did not print a chart: ") +
            QString::fromUtf8(p.readAllStandardError())};
  const QString report = QString::fromUtf8(p.readAllStandardOutput());
  QStringList expected;
  static const QRegularExpression position(QStringLiteral(R"(\b\d\d [A-Z][a-z]{2} \d\d\b)"));
  for (const auto& m : position.globalMatch(report)) expected << m.captured();
  static const QRegularExpression headline(QStringLiteral("^Indu Lagna: .*$"),
                                           QRegularExpression::MultilineOption);
  for (const auto& m : headline.globalMatch(report)) expected << m.captured();
  if (expected.size() < 11)
    return {QStringLiteral("the command line's report holds %1 positions and headlines, not 11")
                .arg(expected.size())};

  QStringList shown;
  for (const QLabel* label : window.findChildren<QLabel*>()) shown << label->text();
  QStringList differences;
  for (const QString& value : expected) {
    const bool found = std::any_of(shown.begin(), shown.end(),
                                   [&](const QString& s) { return s.contains(value); });
    if (!found)
      differences << QStringLiteral("the command line prints \"%1\"; the window does not show it")
                         .arg(value);
  }
  return differences;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  if (argc < 3) return 2;
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QString cli = QString::fromLocal8Bit(argv[2]);

  QTemporaryDir lockDir;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, lockDir.path());
  orvanta::SingleInstanceGuard guard(lockDir.filePath("orvanta.lock"));
  orvanta::MessageBoxSink messages;
  orvanta::Shell shell(
      messages, [](const QUrl&) { return true; }, [] {});
  if (!shell.Start(guard)) return 1;

  orvanta::FrmMain* form = shell.form();
  form->move(40, 40);
  if (!QTest::qWaitForWindowExposed(form)) return 4;
  const auto type = [form](const char* box, const char* text) {
    auto* edit = form->findChild<QLineEdit*>(box);
    edit->setFocus();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  };
  // The atlas: Madrid on 4 July 1990 at 14:25.
  form->findChild<QComboBox*>("cboMonth")->setCurrentIndex(6);
  form->findChild<QComboBox*>("cboDate")->setCurrentIndex(3);
  form->findChild<QComboBox*>("cboYear")->setCurrentIndex(1990 - 1901);
  form->findChild<QComboBox*>("cboHH")->setCurrentIndex(14);
  form->findChild<QComboBox*>("cboMM")->setCurrentIndex(25);
  type("txtMCity", "Madr");
  auto* city = form->findChild<QLineEdit*>("txtMCity");
  QCompleter* completer = city->completer();
  QTest::qWait(300);
  Pause(dir + "/completer.ready");
  completer->popup()->setCurrentIndex(completer->completionModel()->index(0, 0));
  QTest::keyClick(completer->popup(), Qt::Key_Return);
  QTest::qWait(300);
  Pause(dir + "/resolved.ready");

  // The reference birth.
  form->SetEntries(orvanta::reference::DelhiBirth());
  QTest::qWait(300);
  Pause(dir + "/form.ready");

  form->ComputeChartFromForm();
  orvanta::MdiWindow* mdi = shell.mainWindow();
  if (mdi == nullptr) return 3;
  if (!QTest::qWaitForWindowExposed(mdi)) return 4;
  QTest::qWait(500);
  const QStringList differences =
      DifferencesFromCommandLine(*mdi, cli, orvanta::reference::DelhiBirth());
  for (const QString& d : differences) qCritical("screenshot_tour: %s", qPrintable(d));
  if (!differences.isEmpty()) return 5;
  Pause(dir + "/chart.ready");
  for (const char* style : {"North", "East"}) {
    mdi->findChild<QAction*>(QStringLiteral("mnuStyle") + QLatin1String(style))->trigger();
    QTest::qWait(300);
    Pause(dir + "/chart-" + QString::fromLatin1(style).toLower() + ".ready");
  }
  mdi->findChild<QAction*>(QStringLiteral("mnuStyleSouth"))->trigger();

  mdi->display()->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  QTest::qWait(300);
  Pause(dir + "/details.ready");
  return 0;
}
