// Orvanta, the desktop program: one copy at a time, the birth-data form
// first, the main window with each computed chart.
#include <QApplication>

#include "gui/births_db.h"
#include "gui/message_sink.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "gui/ui_common.h"
#include "gui/view_settings.h"
#include "version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app.setWindowIcon(orvanta::ProgramIcon());
  // The births file lives in the data folder named after the program.
  app.setApplicationName(QStringLiteral("orvanta"));
  app.setApplicationVersion(QString::fromUtf8(orvanta::kVersion.data(),
                                              static_cast<qsizetype>(orvanta::kVersion.size())));
  // Lets the desktop match the windows to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(ORVANTA_APP_ID));
  // Windows close and reopen (the form hides while the main window shows);
  // the program ends only through its Exit routine.
  app.setQuitOnLastWindowClosed(false);

  orvanta::MessageBoxSink messages;
  orvanta::SingleInstanceGuard guard;
  orvanta::Shell shell(messages);
  shell.UseBirthsFile(orvanta::BirthsDb::DefaultPath());
  // The calculation settings, kept in the desktop's usual place for them,
  // the same file as the View menu's chart style.
  shell.UseSettingsFile(orvanta::SettingsFilePath());
  if (!shell.Start(guard)) return 0;
  return app.exec();
}
