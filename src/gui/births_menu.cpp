#include "gui/births_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <atomic>
#include <memory>

#include "gui/birth_list_dialog.h"
#include "gui/chart_page.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/help_links.h"
#include "gui/mdi_window.h"
#include "gui/message_sink.h"
#include "gui/ui_common.h"
#include "gui/view_settings.h"
#include "io/birth_entries.h"
#include "io/file_name.h"

namespace orvanta {
namespace {

constexpr char kRecentProperty[] = "orvantaRecentBirth";
const QString kCsvFilter = QStringLiteral("Births (*.csv);;All files (*)");

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QAction* MenuAction(const char* name, const QString& text, QObject* parent,
                    const QKeySequence& keys = {}) {
  QAction* action = NamedAction(name, text, parent);
  if (!keys.isEmpty()) action->setShortcut(keys);
  return action;
}

}  // namespace

BirthsMenu::BirthsMenu(const QString& databasePath, FrmMain& form, MessageSink& messages,
                       QuestionSink& questions, QObject* parent)
    : QObject(parent), db_(databasePath), form_(form), messages_(messages), questions_(questions) {}

void BirthsMenu::AddBirthCommands(QWidget* window) {
  auto* file = window->findChild<QMenu*>(QStringLiteral("mnuFile"));
  auto* exit = window->findChild<QAction*>(QStringLiteral("mnuExit"));
  if (!file || !exit) return;
  QAction* save = MenuAction("mnuSaveBirth", QStringLiteral("&Save Birth"), window,
                             QKeySequence(Qt::CTRL | Qt::Key_S));
  save->setEnabled(db_.canSave());
  connect(save, &QAction::triggered, this, &BirthsMenu::SaveBirth);
  QAction* open = MenuAction("mnuOpenBirth", QStringLiteral("&Open Birth..."), window,
                             QKeySequence(Qt::CTRL | Qt::Key_O));
  open->setEnabled(db_.canRead());
  connect(open, &QAction::triggered, this, &BirthsMenu::OpenBirth);
  QAction* import = MenuAction("mnuImportBirths", QStringLiteral("&Import Births..."), window);
  import->setEnabled(db_.canSave());
  connect(import, &QAction::triggered, this, &BirthsMenu::ImportBirths);
  QAction* exportBirths =
      MenuAction("mnuExportBirths", QStringLiteral("&Export Births..."), window);
  exportBirths->setEnabled(db_.canRead());
  connect(exportBirths, &QAction::triggered, this, &BirthsMenu::ExportBirths);

  file->insertAction(exit, save);
  file->insertAction(exit, open);
  file->insertSeparator(exit);
  file->insertAction(exit, import);
  file->insertAction(exit, exportBirths);
  QAction* recentStart = file->insertSeparator(exit);
  recentStart->setObjectName(QStringLiteral("mnuRecentSeparator"));
  file->insertSeparator(exit);
  // The recent births are read each time the menu opens, so that they are
  // always those of the file as it is.
  connect(file, &QMenu::aboutToShow, this, [this, file, exit] { FillRecent(file, exit); });
  FillRecent(file, exit);
  // Saving may be turned off later (a failed save); the actions follow.
  connect(file, &QMenu::aboutToShow, save, [this, save, import] {
    save->setEnabled(db_.canSave());
    import->setEnabled(db_.canSave());
  });
}

void BirthsMenu::FillRecent(QMenu* file, QAction* before) {
  for (QAction* action : file->actions()) {
    if (action->property(kRecentProperty).isValid()) {
      file->removeAction(action);
      action->deleteLater();
    }
  }
  // The recent entries go between the two separators before Exit.
  const QList<QAction*> actions = file->actions();
  const qsizetype exitAt = actions.indexOf(before);
  QAction* insertBefore = exitAt > 0 ? actions[exitAt - 1] : before;
  int number = 1;
  for (const BirthSummary& b : db_.Recent(kRecentBirthCount)) {
    auto* action = new QAction(QStringLiteral("&%1 %2, %3").arg(number).arg(b.name, b.date), file);
    action->setObjectName(QStringLiteral("mnuRecent%1").arg(number));
    action->setProperty(kRecentProperty, b.id);
    const qint64 id = b.id;
    connect(action, &QAction::triggered, this, [this, id] { OpenSaved(id); });
    file->insertAction(insertBefore, action);
    ++number;
  }
}

void BirthsMenu::AddChartCommands(MdiWindow* window) {
  auto* file = window->findChild<QMenu*>(QStringLiteral("mnuFile"));
  auto* exit = window->findChild<QAction*>(QStringLiteral("mnuExit"));
  if (!file || !exit) return;
  QAction* exportChart = MenuAction("mnuExportChart", QStringLiteral("Export &Chart..."), window);
  connect(exportChart, &QAction::triggered, this, &BirthsMenu::ExportChart);
  QAction* print = MenuAction("mnuPrint", QStringLiteral("&Print..."), window,
                              QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(print, &QAction::triggered, this, &BirthsMenu::PrintChart);
  file->insertAction(exit, exportChart);
  file->insertAction(exit, print);
  file->insertSeparator(exit);

  // Copy belongs to the chart tab: on the details tab Ctrl+C is the text
  // boxes' own copy.
  QMenu* edit = new QMenu(QStringLiteral("&Edit"), window);
  edit->setObjectName(QStringLiteral("mnuEdit"));
  window->menuBar()->insertMenu(window->menuBar()->actions().value(1), edit);
  QAction* copy =
      MenuAction("mnuCopy", QStringLiteral("&Copy"), window, QKeySequence(Qt::CTRL | Qt::Key_C));
  edit->addAction(copy);
  window->addAction(copy);
  connect(copy, &QAction::triggered, this, &BirthsMenu::CopyChart);
  if (auto* tabs = window->display()->findChild<QTabWidget*>(QStringLiteral("SSTab1"))) {
    copy->setEnabled(tabs->currentIndex() == 0);
    connect(tabs, &QTabWidget::currentChanged, copy,
            [copy](int index) { copy->setEnabled(index == 0); });
  }
}

void BirthsMenu::SaveBirth() {
  if (!db_.canSave()) {
    messages_.Show(db_.message(), MessageIcon::Information);
    return;
  }
  SavedBirth birth;
  birth.entries = form_.Entries();
  birth.timeZoneName = form_.ResolvedZoneName();
  // Only a birth that can be computed is kept: it is opened by computing it.
  if (const auto refusal = ReadBirth(birth.entries).refusal) {
    messages_.Show(Text(refusal->message), refusal->icon);
    return;
  }
  const std::vector<qint64> same = db_.FindSame(birth.entries);
  bool saved = false;
  if (!same.empty()) {
    const int answer = questions_.Ask(
        QStringLiteral("A birth of %1, born %2, is already saved. Update it with these entries, "
                       "or keep both?")
            .arg(Q(birth.entries.name), BirthsDb::DateKey(birth.entries)),
        {QStringLiteral("&Update"), QStringLiteral("&Keep Both"), QStringLiteral("Cancel")}, 2);
    if (answer == 2) return;
    saved = answer == 0 ? db_.Update(same.front(), birth) : db_.Add(birth).has_value();
  } else {
    saved = db_.Add(birth).has_value();
  }
  if (!saved) {
    messages_.Show(QStringLiteral("The birth was not saved: %1").arg(db_.lastError()) +
                       (db_.canSave() ? QString() : QLatin1Char('\n') + db_.message()),
                   MessageIcon::Stop);
    return;
  }
  form_.statusBar()->showMessage(QStringLiteral("Saved %1, born %2")
                                     .arg(Q(birth.entries.name), BirthsDb::DateKey(birth.entries)),
                                 5000);
}

void BirthsMenu::OpenBirth() {
  if (!db_.canRead()) {
    messages_.Show(db_.message(), MessageIcon::Information);
    return;
  }
  // The list is gone before the birth is computed: its parent may be the
  // chart window the new chart replaces.
  std::optional<qint64> chosen;
  {
    BirthListDialog dialog(db_, questions_, messages_, QApplication::activeWindow());
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.chosen();
  }
  if (chosen) OpenSaved(*chosen);
}

void BirthsMenu::OpenSaved(qint64 id) {
  const std::optional<SavedBirth> birth = db_.Load(id);
  // A birth that cannot be read, or whose stored values the form cannot
  // show, is told; the form keeps its entries and nothing is computed.
  if (!birth) {
    messages_.Show(db_.lastError(), MessageIcon::Stop);
    return;
  }
  // The zone the birth was resolved from comes back with it, so that its
  // chart says which clock it was computed with, as when it was saved.
  FormEntries entries = birth->entries;
  entries.zoneName = birth->timeZoneName.toStdString();
  form_.SetEntries(entries);
  form_.ComputeChartFromForm();
}

void BirthsMenu::ImportBirths() {
  if (!db_.canSave()) {
    messages_.Show(db_.message(), MessageIcon::Information);
    return;
  }
  const QString path = questions_.FileToOpen(QStringLiteral("Import Births"), kCsvFilter);
  if (path.isEmpty()) return;

  // The import runs on a thread of its own while the window shows its
  // progress; Cancel rolls it back, leaving the births file as it was.
  constexpr int kProgressSteps = 1000;
  QProgressDialog progress(
      QStringLiteral("Importing births from \"%1\"...").arg(QFileInfo(path).fileName()),
      QStringLiteral("Cancel"), 0, kProgressSteps, QApplication::activeWindow());
  progress.setObjectName(QStringLiteral("dlgImportProgress"));
  progress.setWindowTitle(QStringLiteral("Import Births"));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(0);
  std::atomic<bool> cancel{false};
  connect(&progress, &QProgressDialog::canceled, &progress, [&cancel] { cancel = true; });

  ImportControl control;
  control.cancel = &cancel;
  control.progress = [&progress](double share) {
    QMetaObject::invokeMethod(
        &progress,
        [&progress, share] { progress.setValue(static_cast<int>(share * kProgressSteps)); },
        Qt::QueuedConnection);
  };
  control.askDuplicates = [this, &cancel](int count) {
    int answer = 0;
    QMetaObject::invokeMethod(
        this,
        [&] {
          answer = questions_.Ask(
              QStringLiteral("%1 of the births in the file are already saved (the same name and "
                             "date). Skip them, or keep both?")
                  .arg(count),
              {QStringLiteral("&Skip"), QStringLiteral("&Keep Both"), QStringLiteral("Cancel")}, 2);
        },
        Qt::BlockingQueuedConnection);
    if (answer == 2) cancel = true;
    return answer == 1 ? DuplicateChoice::KeepBoth : DuplicateChoice::Skip;
  };

  ImportReport report;
  QEventLoop loop;
  const std::unique_ptr<QThread> worker(
      QThread::create([&] { report = db_.ImportCsv(path, control); }));
  connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec();
  worker->wait();
  progress.close();

  if (report.cancelled) {
    messages_.Show(QStringLiteral("The import was cancelled: no birth was imported."),
                   MessageIcon::Information);
    return;
  }
  if (!report.failure.isEmpty()) {
    messages_.Show(report.failure, MessageIcon::Stop);
    return;
  }
  QString text = QStringLiteral("%1 births imported.").arg(report.imported);
  if (report.duplicates > 0) {
    text += report.duplicatesSkipped
                ? QStringLiteral(" %1 already saved were skipped.").arg(report.duplicates)
                : QStringLiteral(" %1 already saved are now kept twice.").arg(report.duplicates);
  }
  if (report.problemCount > 0) {
    text += QStringLiteral(" %1 rows were not imported:").arg(report.problemCount);
    constexpr std::size_t kShown = 20;  // a box, not a log: the first ones
    for (std::size_t i = 0; i < report.problems.size() && i < kShown; ++i) {
      text += QStringLiteral("\nLine %1: %2")
                  .arg(report.problems[i].line)
                  .arg(report.problems[i].message);
    }
    if (report.problemCount > static_cast<long>(kShown)) {
      text += QStringLiteral("\n... and %1 more.").arg(report.problemCount - kShown);
    }
  }
  messages_.Show(text, report.problemCount == 0 ? MessageIcon::Information : MessageIcon::Stop);
}

void BirthsMenu::ExportBirths() {
  const QString path = questions_.FileToSave(QStringLiteral("Export Births"),
                                             QStringLiteral("births.csv"), kCsvFilter);
  if (path.isEmpty()) return;
  const QString error = db_.ExportCsv(path);
  if (!error.isEmpty()) messages_.Show(error, MessageIcon::Stop);
}

void BirthsMenu::ExportChart() {
  if (!chart_) return;
  QString path = questions_.FileToSave(
      QStringLiteral("Export Chart"),
      Q(ProposedFileName(chart_->birth.name, "chart")) + QStringLiteral(".pdf"),
      QStringLiteral("PDF (*.pdf);;PNG image (*.png);;SVG drawing (*.svg)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  const QString error = orvanta::ExportChart(path, *chart_, SavedChartStyle(), SavedNameChoice());
  if (!error.isEmpty()) messages_.Show(error, MessageIcon::Stop);
}

void BirthsMenu::PrintChart() {
  if (!chart_) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
  const ChartOutput chart = *chart_;
  const ChartStyle style = SavedChartStyle();
  const NameChoice names = SavedNameChoice();
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [chart, style, names](QPrinter* p) { orvanta::PrintChart(*p, chart, style, names); });
  preview.exec();
}

void BirthsMenu::CopyChart() {
  if (!chart_) return;
  QApplication::clipboard()->setText(ChartPlainText(*chart_));
}

}  // namespace orvanta
