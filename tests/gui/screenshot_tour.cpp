// Drives the desktop program through one computation for the README's
// screenshots: types a city and shows the atlas's suggestions, picks one and
// shows the resolved zone, then types the reference birth into the form,
// waits, computes, and shows both tabs of the result window, writing a marker
// file at each stop so that a script outside can photograph the screen
// (tools: xvfb-run, import).
//
//   screenshot_tour DIR      marker files DIR/completer.ready, resolved.ready,
//                            form.ready, chart.ready, details.ready; the tour
//                            goes on when the script removes a marker.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  if (argc < 2) return 2;
  const QString dir = QString::fromLocal8Bit(argv[1]);

  QTemporaryDir lockDir;
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

  form->cmdRashi_Click();
  orvanta::MdiWindow* mdi = shell.mainWindow();
  if (mdi == nullptr) return 3;
  if (!QTest::qWaitForWindowExposed(mdi)) return 4;
  QTest::qWait(500);
  Pause(dir + "/chart.ready");

  mdi->display()->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  QTest::qWait(300);
  Pause(dir + "/details.ready");
  return 0;
}
