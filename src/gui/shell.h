// The program as a whole: start-up with the single-instance check, the
// birth-data form, the main window that each computation opens, Back, Exit
// and the one routine that ends the program.
//
// The shell owns the calculation settings the form computes with, for the life of the
// program. Messages and web pages go through the injected MessageSink and
// opener, and the final step of ending (quitting the event loop) is
// injectable too, so that the whole program can run under a test.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gui/help_links.h"
#include "gui/help_window.h"
#include "io/birth_entries.h"

namespace orvanta {

class BirthsMenu;
class FrmMain;
class HelpWindow;
class MdiWindow;
class MessageSink;
class QuestionSink;
class SingleInstanceGuard;

// The form's status line when no lock file can be written anywhere.
inline constexpr char kCannotKeepOtherCopiesOut[] =
    "Cannot keep other copies out: no folder for the lock file can be written";

class Shell : public QObject {
  Q_OBJECT
 public:
  Shell(MessageSink& messages, UrlOpener opener = DesktopOpener(),
        std::function<void()> endProgram = QuitEventLoop);
  ~Shell() override;

  // Keeps births in the file at `path` (BirthsDb::DefaultPath() for the
  // program), asking its questions through `questions` (the real dialogs
  // when null). Called before Start(); without it the File menus offer no
  // births commands.
  void UseBirthsFile(const QString& path, QuestionSink* questions = nullptr);
  BirthsMenu* births() const { return births_.get(); }

  // Keeps the calculation settings in the settings file at `path` (the
  // program's own in main.cpp) and starts with those kept there. Without it
  // every start has the defaults and nothing is kept; so too when the file
  // is no regular file (a pipe, a device), which the form's status line
  // then says.
  void UseSettingsFile(const QString& path);
  const CalculationSettings& settings() const { return settings_; }
  // The Settings dialog over `parent`; OK applies the choices.
  void ShowSettings(QWidget* parent);
  // Computes every chart from now on with `settings`, keeps them in the
  // settings file, and computes the shown chart again.
  void ApplySettings(const CalculationSettings& settings);
  // The script the names are shown in (Tools > Settings > Names): kept in
  // the settings file and applied to the shown chart at once.
  NameScript names() const { return names_; }
  void ApplyNames(NameScript names);

  // Shows the birth-data form, or, when another copy holds the guard, says
  // so and ends. Returns whether the program goes on. When the guard finds
  // no place for its lock the form shows, and its status line says that
  // other copies cannot be kept out.
  bool Start(SingleInstanceGuard& guard);

  FrmMain* form() const { return form_.get(); }
  MdiWindow* mainWindow() const;  // null while no chart is shown
  const HelpLinks& help() const { return help_; }

  // A fresh main window with a fresh result window showing the chart; the
  // form is hidden with its entries.
  void ShowChart(const ChartOutput& chart);
  // Back: the main window and its result window go, the form returns.
  void Back();
  void ShowAbout(QWidget* parent);
  // The offline manual in its help window (one window, raised if open).
  void ShowManual();
  HelpWindow* manual() const { return manual_.data(); }
  // Closes every window and ends the program: the one way it ends.
  void UnloadAllAndEnd();

  static void QuitEventLoop();

 private:
  // Shows `chart` in the main window's result window and keeps it for
  // printing, saving and computing again.
  void Present(MdiWindow& mdi, const ChartOutput& chart);

  MessageSink& messages_;
  HelpLinks help_;
  std::function<void()> endProgram_;
  CalculationSettings settings_;
  NameScript names_ = NameScript::English;
  QString settingsPath_;     // where the calculation settings are kept; empty: not kept
  QString settingsProblem_;  // why the settings file is not used, told once at start
  std::unique_ptr<FrmMain> form_;
  QString birthsPath_;
  std::unique_ptr<QuestionSink> ownQuestions_;
  QuestionSink* questions_ = nullptr;
  std::unique_ptr<BirthsMenu> births_;
  QPointer<MdiWindow> mdi_;
  // Chart windows a newer chart replaced, deleted when control is back in
  // the event loop (or with the shell, if it ends first).
  std::vector<QPointer<MdiWindow>> replaced_;
  std::optional<ChartOutput> shown_;  // the chart the main window shows
  QPointer<HelpWindow> manual_;
  std::optional<QPoint> formPosition_;  // where the form stood when a chart hid it
  bool ending_ = false;
};

}  // namespace orvanta
