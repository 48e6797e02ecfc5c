#include "gui/shell.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStatusBar>
#include <QWidget>
#include <utility>

#include "gui/births_menu.h"
#include "gui/data_dir.h"
#include "gui/frm_about.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/help_window.h"
#include "gui/mdi_window.h"
#include "gui/message_sink.h"
#include "gui/settings_dialog.h"
#include "gui/single_instance.h"
#include "gui/view_settings.h"

namespace orvanta {

Shell::Shell(MessageSink& messages, UrlOpener opener, std::function<void()> endProgram)
    : messages_(messages), help_(std::move(opener)), endProgram_(std::move(endProgram)) {}

Shell::~Shell() {
  delete mdi_.data();
  for (const QPointer<MdiWindow>& window : replaced_) delete window.data();
  births_.reset();
  delete manual_.data();
  form_.reset();
}

void Shell::UseBirthsFile(const QString& path, QuestionSink* questions) {
  birthsPath_ = path;
  if (questions) {
    questions_ = questions;
  } else {
    ownQuestions_ = std::make_unique<DialogQuestionSink>();
    questions_ = ownQuestions_.get();
  }
}

void Shell::UseSettingsFile(const QString& path) {
  // A pipe or a device in the settings file's place is never opened: the
  // program starts with the default settings, keeps none, and says so once.
  if (!SettingsFileUsable(path)) {
    settingsPath_.clear();
    settings_ = CalculationSettings{};
    names_ = NameScript::English;
    settingsProblem_ =
        QStringLiteral(
            "The settings file \"%1\" is not a regular file: the default settings are used "
            "and none are kept")
            .arg(QDir::toNativeSeparators(path));
    return;
  }
  settingsPath_ = path;
  settingsProblem_.clear();
  const QSettings store(path, QSettings::IniFormat);
  settings_ = LoadCalculationSettings(store);
  names_ = LoadNameScript(store);
}

void Shell::ShowSettings(QWidget* parent) {
  SettingsDialog dialog(settings_, names_, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  // The names first: the chart computed again below is then shown in them.
  if (dialog.ChosenNames() != names_) ApplyNames(dialog.ChosenNames());
  ApplySettings(dialog.Chosen());
}

void Shell::ApplyNames(NameScript names) {
  names_ = names;
  if (!settingsPath_.isEmpty() && SettingsFileUsable(settingsPath_)) {
    QSettings store(settingsPath_, QSettings::IniFormat);
    SaveNameScript(store, names);
  }
  if (!mdi_) return;
  NameChoice choice = mdi_->display()->names();
  choice.script = names;
  mdi_->display()->SetNames(choice);
  if (shown_) Present(*mdi_, *shown_);
}

void Shell::ApplySettings(const CalculationSettings& settings) {
  settings_ = settings;
  if (form_) form_->ShowSettingsLine();
  if (!settingsPath_.isEmpty() && SettingsFileUsable(settingsPath_)) {
    QSettings store(settingsPath_, QSettings::IniFormat);
    SaveCalculationSettings(store, settings);
  }
  if (!mdi_ || !shown_) return;
  // The shown chart's own birth, computed again under the new settings.
  Present(*mdi_, ComputeChart(shown_->birth, settings_));
}

void Shell::Present(MdiWindow& mdi, const ChartOutput& chart) {
  shown_ = chart;
  mdi.display()->Present(chart);
  if (births_) births_->SetChart(chart);
}

MdiWindow* Shell::mainWindow() const {
  return mdi_.data();
}

void Shell::QuitEventLoop() {
  QCoreApplication::exit(0);
}

bool Shell::Start(SingleInstanceGuard& guard) {
  const SingleInstanceGuard::Outcome lock = guard.Acquire();
  if (lock == SingleInstanceGuard::Outcome::HeldByAnotherCopy) {
    messages_.Show(QStringLiteral("Application is already running"), MessageIcon::Information);
    UnloadAllAndEnd();
    return false;
  }
  form_ = std::make_unique<FrmMain>(settings_, messages_, help_);
  if (lock == SingleInstanceGuard::Outcome::NoPlaceForTheLock) {
    // Said once, where it does not stand in the user's way: the program
    // works, only a second copy would not be refused.
    form_->statusBar()->showMessage(QString::fromLatin1(kCannotKeepOtherCopiesOut));
  }
  // Said once, in the status line: the program works with its defaults.
  if (!settingsProblem_.isEmpty()) form_->statusBar()->showMessage(settingsProblem_);
  connect(form_.get(), &FrmMain::chartReady, this, &Shell::ShowChart);
  if (!birthsPath_.isEmpty()) {
    births_ = std::make_unique<BirthsMenu>(birthsPath_, *form_, messages_, *questions_);
    births_->AddBirthCommands(form_.get());
  }
  connect(form_.get(), &FrmMain::aboutRequested, this, [this] { ShowAbout(form_.get()); });
  connect(form_.get(), &FrmMain::exitRequested, this, &Shell::UnloadAllAndEnd);
  connect(form_.get(), &FrmMain::manualRequested, this, &Shell::ShowManual);
  connect(form_.get(), &FrmMain::settingsRequested, this, [this] { ShowSettings(form_.get()); });
  form_->show();
  // A births file that cannot be used is told once; charts compute as ever.
  if (births_ && !births_->db().message().isEmpty()) {
    form_->statusBar()->showMessage(QStringLiteral("Saving births is off"));
    messages_.Show(births_->db().message(), MessageIcon::Information);
  }
  return true;
}

void Shell::ShowChart(const ChartOutput& chart) {
  // The window a new chart replaces goes once control is back in the event
  // loop: the command that asked for the chart (a menu action, a dialog)
  // may still be running in it.
  if (mdi_) {
    mdi_->UnloadForBack();
    mdi_->hide();
    mdi_->deleteLater();
    std::erase_if(replaced_, [](const QPointer<MdiWindow>& window) { return window.isNull(); });
    replaced_.push_back(mdi_);
  }
  auto* mdi = new MdiWindow(help_);
  mdi->setAttribute(Qt::WA_DeleteOnClose);
  connect(mdi, &MdiWindow::backRequested, this, &Shell::Back);
  connect(mdi, &MdiWindow::exitRequested, this, &Shell::UnloadAllAndEnd);
  connect(mdi, &MdiWindow::aboutRequested, this, [this, mdi] { ShowAbout(mdi); });
  connect(mdi, &MdiWindow::manualRequested, this, &Shell::ShowManual);
  connect(mdi, &MdiWindow::settingsRequested, this, [this, mdi] { ShowSettings(mdi); });
  // The View menu's label choices with the Settings dialog's script.
  NameChoice names = SavedNameChoice();
  names.script = names_;
  mdi->display()->SetNames(names);
  Present(*mdi, chart);
  if (births_) {
    births_->AddBirthCommands(mdi);
    births_->AddChartCommands(mdi);
  }
  mdi_ = mdi;
  if (form_->isVisible()) formPosition_ = form_->pos();
  form_->hide();
  mdi->OpenLarge();
}

void Shell::Back() {
  // The form is shown before the main window closes, so that the program
  // always has a window open while it runs.
  // It comes back where it stood, whatever the window manager would choose.
  if (form_) {
    if (formPosition_) form_->move(*formPosition_);
    form_->show();
  }
  if (mdi_) mdi_->UnloadForBack();
}

void Shell::ShowAbout(QWidget* parent) {
  FrmAbout about(help_, parent);
  about.exec();
}

void Shell::ShowManual() {
  if (!manual_) {
    manual_ = new HelpWindow(ManualPath(DataDir()), &help_);
    manual_->setAttribute(Qt::WA_DeleteOnClose);
  }
  manual_->show();
  manual_->raise();
  manual_->activateWindow();
}

void Shell::UnloadAllAndEnd() {
  if (ending_) return;
  ending_ = true;
  if (mdi_) mdi_->close();
  if (form_) form_->close();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) window->close();
  }
  endProgram_();
}

}  // namespace orvanta
