// The births commands through the real windows: Ctrl+S on the form saves,
// and saving again asks whether to update or keep both; the recent births
// in the File menu open and compute; the list searches and deletes after
// asking; Ctrl+C on the chart tab copies the details and positions;
// Export Chart writes the file chosen; a damaged births file is reported at
// start, saving is off, charts still compute and the file is untouched.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <deque>

#include "gui/birth_list_dialog.h"
#include "gui/births_db.h"
#include "gui/births_menu.h"
#include "gui/chart_page.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "support/gui_harness.h"
#include "support/reference_births.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Answers questions from a queue and records them.
class ScriptedQuestions final : public QuestionSink {
 public:
  int Ask(const QString& text, const QStringList& answers, int cancelAnswer) override {
    asked << text;
    offered << answers.join('|');
    if (replies.empty()) return cancelAnswer;
    const int reply = replies.front();
    replies.pop_front();
    return reply;
  }
  QString FileToOpen(const QString&, const QString&) override { return fileToOpen; }
  QString FileToSave(const QString&, const QString&, const QString&) override { return fileToSave; }
  std::deque<int> replies;
  QStringList asked, offered;
  QString fileToOpen, fileToSave;
};

QAction* FileAction(QWidget* window, const char* name) {
  return Control<QAction>(window, name);
}

}  // namespace

class TestBirthsMenu : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    path_ = dir_.filePath("data/births.sqlite");
    QFile::remove(path_);
  }

  void saveAsksUpdateOrKeepBothAndRecentOpens() {
    ProgramUnderTest program;
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    FrmMain* form = program.shell.form();
    Activate(form);
    form->SetEntries(reference::DelhiBirth());

    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    BirthsDb& db = program.shell.births()->db();
    QCOMPARE(db.Count(), 1);
    QVERIFY(questions.asked.isEmpty());

    // The same name and date again: keep both, update, cancel.
    struct Step {
      int reply;
      int count;
    };
    for (const Step step : {Step{1, 2}, Step{0, 2}, Step{2, 2}}) {
      questions.replies = {step.reply};
      QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
      QCOMPARE(db.Count(), step.count);
    }
    QCOMPARE(questions.asked.size(), 3);
    QCOMPARE(questions.asked.front(),
             QString("A birth of ARJUN MEHTA, born 1980-06-15, is already saved. Update it with "
                     "these entries, or keep both?"));
    QCOMPARE(questions.offered.front(), QString("&Update|&Keep Both|Cancel"));

    // A refused birth is not saved: the form's own message says why.
    FormEntries nameless = reference::DelhiBirth();
    nameless.name.clear();
    form->SetEntries(nameless);
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(db.Count(), 2);
    QCOMPARE(program.sink.shown.back().text, QString("Please Enter Name"));

    // Another birth, then the File menu lists the recent ones, newest first.
    FormEntries meera = reference::DelhiBirth();
    meera.name = "MEERA RAO";
    form->SetEntries(meera);
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    auto* file = Control<QMenu>(form, "mnuFile");
    emit file->aboutToShow();
    const QStringList texts = MenuTexts(file);
    QVERIFY2(texts.contains("&1 MEERA RAO, 1980-06-15"), qPrintable(texts.join(" / ")));
    QVERIFY(texts.contains("&2 ARJUN MEHTA, 1980-06-15"));
    QVERIFY(texts.contains("&Save Birth") && texts.contains("&Open Birth...") &&
            texts.contains("&Import Births...") && texts.contains("E&xport Births..."));
    QCOMPARE(texts.back(), QString("E&xit"));

    // Opening a recent birth fills the form and computes it.
    form->SetEntries(FormEntries{});
    Control<QAction>(form, "mnuRecent2")->trigger();
    QVERIFY(program.shell.mainWindow());
    QCOMPARE(form->Entries().name, std::string("ARJUN MEHTA"));
    QCOMPARE(Control<QLabel>(program.shell.mainWindow()->display(), "lblName")->text(),
             QString("ARJUN MEHTA"));
  }

  // Import Births through the File menu: the import runs off the window's
  // thread behind a progress window, asks once about the births already
  // saved, and says what it did; Cancel on that question leaves the file
  // as it was.
  void importAsksOnceAboutDuplicatesAndCancelKeepsTheFile() {
    ProgramUnderTest program;
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    FrmMain* form = program.shell.form();
    Activate(form);
    form->SetEntries(reference::DelhiBirth());
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    BirthsDb& db = program.shell.births()->db();
    QCOMPARE(db.Count(), 1);

    const QString csv = dir_.filePath("import.csv");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "name,date,time,lat,lon,zone,note\n"
        "ARJUN MEHTA,1980-06-15,10:30,28N36,77E12,34,again\n"
        "MEERA RAO,1985-01-20,06:10,19N04,72E53,34,first time\n"
        "ARJUN MEHTA,1980-06-15,10:30,28N36,77E12,34,and again\n");
    file.close();
    questions.fileToOpen = csv;

    questions.replies = {2};  // Cancel
    FileAction(form, "mnuImportBirths")->trigger();
    QCOMPARE(questions.asked.size(), 1);
    QCOMPARE(questions.asked.back(),
             QString("2 of the births in the file are already saved (the same name and date). "
                     "Skip them, or keep both?"));
    QCOMPARE(questions.offered.back(), QString("&Skip|&Keep Both|Cancel"));
    QCOMPARE(db.Count(), 1);
    QCOMPARE(program.sink.shown.back().text,
             QString("The import was cancelled: no birth was imported."));

    questions.replies = {0};  // Skip
    FileAction(form, "mnuImportBirths")->trigger();
    QCOMPARE(questions.asked.size(), 2);
    QCOMPARE(db.Count(), 2);
    QCOMPARE(program.sink.shown.back().text,
             QString("1 births imported. 2 already saved were skipped."));
    // The note came with the birth.
    const std::vector<BirthSummary> list = db.List("MEERA");
    QCOMPARE(list.size(), std::size_t(1));
    QCOMPARE(db.Load(list.front().id)->note, QString("first time"));
    QVERIFY(!program.shell.form()->findChild<QWidget*>("dlgImportProgress"));
  }

  void listSearchesAndDeleteAsks() {
    BirthsDb db(path_);
    FormEntries e = reference::DelhiBirth();
    for (const char* name : {"ARJUN MEHTA", "MEERA RAO", "RAVI KUMAR"}) {
      e.name = name;
      QVERIFY(db.Add(SavedBirth{0, e, {}, {}, {}, {}}));
    }
    ScriptedQuestions questions;
    RecordingSink messages;
    BirthListDialog dialog(db, questions, messages);
    dialog.show();
    QCOMPARE(dialog.rowCount(), 3);
    auto* search = Control<QLineEdit>(&dialog, "txtSearch");
    QTest::keyClicks(search, "meera");
    QCOMPARE(dialog.rowCount(), 1);
    search->clear();
    QTest::keyClicks(search, "delhi");
    QCOMPARE(dialog.rowCount(), 3);

    // Delete asks; Cancel keeps the birth, Delete removes it.
    search->clear();
    QTest::keyClicks(search, "ravi");
    questions.replies = {1};
    QTest::mouseClick(Control<QPushButton>(&dialog, "cmdDelete"), Qt::LeftButton);
    QCOMPARE(db.Count(), 3);
    QCOMPARE(questions.asked.back(),
             QString("Delete the saved birth of RAVI KUMAR, born 1980-06-15? This cannot be "
                     "undone."));
    questions.replies = {0};
    QTest::mouseClick(Control<QPushButton>(&dialog, "cmdDelete"), Qt::LeftButton);
    QCOMPARE(db.Count(), 2);
    QCOMPARE(dialog.rowCount(), 0);

    // A note is kept with the birth; Open hands the chosen birth back.
    search->clear();
    QTest::keyClicks(search, "arjun");
    QTest::keyClicks(Control<QLineEdit>(&dialog, "txtNote"), "first consultation");
    QTest::mouseClick(Control<QPushButton>(&dialog, "cmdSaveNote"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(&dialog, "cmdOpen"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.chosen());
    QCOMPARE(db.Load(*dialog.chosen())->entries.name, std::string("ARJUN MEHTA"));
    QCOMPARE(db.Load(*dialog.chosen())->note, QString("first consultation"));
  }

  void copyOnTheChartTabAndExportChart() {
    ProgramUnderTest program;
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    program.shell.form()->SetEntries(reference::DelhiBirth());
    program.shell.form()->cmdRashi_Click();
    MdiWindow* mdi = program.shell.mainWindow();
    QVERIFY(mdi);
    Activate(mdi);

    QApplication::clipboard()->clear();
    QTest::keyClick(mdi, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.contains("Name: ARJUN MEHTA\n"));
    // Each position as the window shows it.
    for (int i = 0; i < kBodyCount; ++i) {
      const QString shown =
          Control<QLabel>(mdi->display(), ("planet" + std::to_string(i)).c_str())->text();
      QVERIFY2(copied.contains(": " + shown), qPrintable(shown));
    }
    // On the details tab Copy is not the chart's.
    auto* tabs = Control<QTabWidget>(mdi->display(), "SSTab1");
    tabs->setCurrentIndex(1);
    QVERIFY(!FileAction(mdi, "mnuCopy")->isEnabled());
    tabs->setCurrentIndex(0);
    QVERIFY(FileAction(mdi, "mnuCopy")->isEnabled());
    QCOMPARE(FileAction(mdi, "mnuPrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

    questions.fileToSave = dir_.filePath("arjun.png");
    FileAction(mdi, "mnuExportChart")->trigger();
    QCOMPARE(QImage(questions.fileToSave).size(), QSize(kImagePageWidthPx, kImagePageHeightPx));
    questions.fileToSave = dir_.filePath("arjun");  // no suffix: a PDF
    FileAction(mdi, "mnuExportChart")->trigger();
    QVERIFY(QFile(dir_.filePath("arjun.pdf")).size() > 1000);

    // Save Birth is on the main window's File menu too.
    QTest::keyClick(mdi, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(program.shell.births()->db().Count(), 1);
  }

  void damagedFileAtStart() {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const QByteArray garbage(4096, 'x');
    {
      QFile f(path_);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(garbage);
    }
    ProgramUnderTest program;
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    QCOMPARE(program.sink.shown.size(), std::size_t(1));
    QVERIFY(program.sink.shown[0].text.contains("is damaged and cannot be read"));
    FrmMain* form = program.shell.form();
    QVERIFY(!FileAction(form, "mnuSaveBirth")->isEnabled());
    QVERIFY(!FileAction(form, "mnuOpenBirth")->isEnabled());
    form->SetEntries(reference::DelhiBirth());
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);  // disabled: nothing happens
    form->cmdRashi_Click();
    QVERIFY(program.shell.mainWindow());
    QFile f(path_);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == garbage);
  }

 private:
  QTemporaryDir dir_;
  QString path_;
};

QTEST_MAIN(TestBirthsMenu)
#include "test_births_menu.moc"
