// The births commands through the real windows: Ctrl+S on the form saves,
// and saving again asks whether to update or keep both; the recent births
// in the File menu open and compute; the list searches and deletes after
// asking; Ctrl+C on the chart tab copies the details and positions;
// Export Chart writes the file chosen; a damaged births file is reported at
// start, saving is off, charts still compute and the file is untouched;
// every menu and window has each of its mnemonics once.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>
#include <optional>

#include "gui/birth_list_dialog.h"
#include "gui/births_db.h"
#include "gui/births_menu.h"
#include "gui/chart_page.h"
#include "gui/frm_about.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/help_links.h"
#include "gui/mdi_window.h"
#include "io/offset_text.h"
#include "io/saved_birth.h"
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
  QString FileToSave(const QString&, const QString& suggested, const QString&) override {
    suggestedNames << suggested;
    return fileToSave;
  }
  std::deque<int> replies;
  QStringList asked, offered, suggestedNames;
  QString fileToOpen, fileToSave;
};

QAction* FileAction(QWidget* window, const char* name) {
  return Control<QAction>(window, name);
}

// The letter after a single "&" of a caption, or nothing.
std::optional<QChar> Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toLower();
    ++i;
  }
  return std::nullopt;
}

// The captions of `captions` that share a mnemonic with an earlier one.
QStringList Clashes(const QStringList& captions) {
  QStringList clashes;
  std::map<QChar, QString> seen;
  for (const QString& caption : captions) {
    if (const auto letter = Mnemonic(caption)) {
      const auto [at, fresh] = seen.emplace(*letter, caption);
      if (!fresh) clashes << at->second + " / " + caption;
    }
  }
  return clashes;
}

// Each menu of `window` on its own, then the window: its menu bar's titles
// with its buttons, labelled fields and frames, which Alt reaches alike.
QStringList MnemonicClashes(const QWidget* window) {
  QStringList clashes;
  QStringList windowCaptions;
  for (const QMenu* menu : window->findChildren<QMenu*>()) clashes << Clashes(MenuTexts(menu));
  if (const QMenuBar* bar = window->findChild<QMenuBar*>()) {
    for (const QAction* a : bar->actions()) windowCaptions << a->text();
  }
  for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    windowCaptions << b->text();
  }
  for (const QLabel* l : window->findChildren<QLabel*>()) {
    if (l->buddy() != nullptr) windowCaptions << l->text();
  }
  for (const QGroupBox* g : window->findChildren<QGroupBox*>()) windowCaptions << g->title();
  clashes << Clashes(windowCaptions);
  for (QString& clash : clashes) clash.prepend(window->objectName() + ": ");
  return clashes;
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
            texts.contains("&Import Births...") && texts.contains("&Export Births..."));
    QCOMPARE(texts.back(), QString("E&xit"));

    // Opening a recent birth fills the form and computes it.
    form->SetEntries(FormEntries{});
    Control<QAction>(form, "mnuRecent2")->trigger();
    QVERIFY(program.shell.mainWindow());
    QCOMPARE(form->Entries().name, std::string("ARJUN MEHTA"));
    QCOMPARE(Control<QLabel>(program.shell.mainWindow()->display(), "lblName")->text(),
             QString("ARJUN MEHTA"));

    // From the chart window: a recent birth in its own File menu, and the
    // list opened over it, open a birth whose chart replaces that very
    // window while the command is still running in it.
    MdiWindow* chartWindow = program.shell.mainWindow();
    Activate(chartWindow);
    emit Control<QMenu>(chartWindow, "mnuFile")->aboutToShow();
    Control<QAction>(chartWindow, "mnuRecent1")->trigger();
    QCOMPARE(Control<QLabel>(program.shell.mainWindow()->display(), "lblName")->text(),
             QString("MEERA RAO"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A birth whose zone was resolved from the atlas opens with that zone:
    // its chart names the clock it was computed with, as when it was saved.
    FormEntries kathmandu = reference::DelhiBirth();
    kathmandu.name = "SITA SHARMA";
    kathmandu.yearText = "2000";
    kathmandu.zoneIndex = -1;
    kathmandu.exactOffsetMinutes = 345;
    const std::optional<qint64> id =
        db.Add(SavedBirth{0, kathmandu, "Asia/Kathmandu", 345, {}, {}, {}});
    QVERIFY(id);
    program.shell.births()->OpenSaved(*id);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(Control<QLabel>(program.shell.mainWindow()->display(), "lblTimeZone")->text(),
             QString("Time Zone: Asia/Kathmandu, UTC+5:45, standard time"));

    // Births told in the place's own clock open with that clock and its
    // caption: Kathmandu 1901 in its mean time, to the second, which the
    // form's minute boxes cannot hold; Mumbai 1930 on Bombay Time, which
    // the tz history of its zone no longer gives. The chart is computed as
    // the birth was saved, and the form gives that clock back while its
    // entries are unchanged.
    struct OwnClock {
      const char* name;
      const char* year;
      const char* lat[2];
      const char* lon[2];
      const char* zone;
      int offsetSeconds;
      ClockSource source;
      const char* caption;
    };
    const OwnClock ownClocks[] = {
        {"RAM THAPA",
         "1901",
         {"27", "42"},
         {"85", "19"},
         "Asia/Kathmandu",
         20476,
         ClockSource::LocalMeanTime,
         "local mean time at 85\u00B019\u2032 E, UTC+5:41:16"},
        {"ASHA RAO",
         "1930",
         {"19", "4"},
         {"72", "53"},
         "Asia/Kolkata",
         17460,
         ClockSource::CityTime,
         "Bombay Time, UTC+4:51, the city's own clock until 1955"},
    };
    for (const OwnClock& c : ownClocks) {
      FormEntries own = reference::DelhiBirth();
      own.name = c.name;
      own.yearText = c.year;
      own.monthIndex = 0;
      own.dayText = "15";
      own.hourText = "10";
      own.minuteText = "0";
      own.latDeg = c.lat[0];
      own.latMin = c.lat[1];
      own.lonDeg = c.lon[0];
      own.lonMin = c.lon[1];
      own.zoneIndex = -1;
      own.zoneName = c.zone;
      SetExactOffset(own, c.offsetSeconds);
      own.clockCaption = c.caption;
      own.clockSource = c.source;
      const std::optional<qint64> ownId =
          db.Add(SavedBirth{0, own, c.zone, *own.exactOffsetMinutes, {}, {}, {}});
      QVERIFY(ownId);
      program.shell.births()->OpenSaved(*ownId);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      const QString zoneLine =
          Control<QLabel>(program.shell.mainWindow()->display(), "lblTimeZone")->text();
      QVERIFY2(zoneLine.contains(QString::fromUtf8(c.caption)), qPrintable(zoneLine));
      const std::optional<Birth> reopened = BirthOfFormEntries(form->Entries());
      QVERIFY(reopened);
      QCOMPARE(reopened->clock.offsetSeconds, c.offsetSeconds);
      QCOMPARE(reopened->clock.caption, std::string(c.caption));
    }
    chartWindow = program.shell.mainWindow();
    Activate(chartWindow);
    bool listShown = false;
    QTimer::singleShot(0, this, [&listShown] {
      auto* list = qobject_cast<BirthListDialog*>(QApplication::activeModalWidget());
      if (!list) return;
      listShown = list->parentWidget() != nullptr;
      QTest::keyClicks(Control<QLineEdit>(list, "txtSearch"), "arjun");
      QTRY_VERIFY(!list->searching());
      QTest::mouseClick(Control<QPushButton>(list, "cmdOpen"), Qt::LeftButton);
    });
    Control<QAction>(chartWindow, "mnuOpenBirth")->trigger();
    QVERIFY(listShown);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
      QVERIFY(db.Add(SavedBirth{0, e, {}, {}, {}, {}, {}}));
    }
    ScriptedQuestions questions;
    RecordingSink messages;
    BirthListDialog dialog(db, questions, messages);
    dialog.show();
    QCOMPARE(dialog.rowCount(), 3);
    auto* search = Control<QLineEdit>(&dialog, "txtSearch");
    // The search runs once the typing pauses.
    QTest::keyClicks(search, "meera");
    QVERIFY(dialog.searching());
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), 1);
    search->clear();
    QTest::keyClicks(search, "delhi");
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), 3);

    // Delete asks; Cancel keeps the birth, Delete removes it.
    search->clear();
    QTest::keyClicks(search, "ravi");
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), 1);
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
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), 0);

    // A note is kept with the birth; Open hands the chosen birth back.
    search->clear();
    QTest::keyClicks(search, "arjun");
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), 1);
    QTest::keyClicks(Control<QLineEdit>(&dialog, "txtNote"), "first consultation");
    QTest::mouseClick(Control<QPushButton>(&dialog, "cmdSaveNote"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(&dialog, "cmdOpen"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.chosen());
    QCOMPARE(db.Load(*dialog.chosen())->entries.name, std::string("ARJUN MEHTA"));
    QCOMPARE(db.Load(*dialog.chosen())->note, QString("first consultation"));
  }

  // A list longer than it shows: the first page, newest first, with the line
  // that says so; typing narrows it until everything that matches is shown.
  void longListShowsItsFirstPageAndTypingNarrowsIt() {
    BirthsDb db(path_);
    FormEntries e = reference::DelhiBirth();
    constexpr int kBirths = kBirthListLimit + 20;
    for (int i = 0; i < kBirths; ++i) {
      e.name = "PERSON " + std::to_string(i);
      QVERIFY(db.Add(SavedBirth{0, e, {}, {}, {}, {}, {}}));
    }
    ScriptedQuestions questions;
    RecordingSink messages;
    BirthListDialog dialog(db, questions, messages);
    dialog.show();
    auto* list = Control<QTableView>(&dialog, "lstBirths");
    auto* more = Control<QLabel>(&dialog, "lblMore");
    const auto name = [&](int row) { return list->model()->index(row, 0).data().toString(); };
    QCOMPARE(dialog.rowCount(), kBirthListLimit);
    QVERIFY(dialog.hasMore());
    QVERIFY(more->isVisible());
    QCOMPARE(more->text(), QString("Showing the first 500 of the matches; type more to narrow."));
    QCOMPARE(name(0), QString("PERSON %1").arg(kBirths - 1));
    QCOMPARE(name(kBirthListLimit - 1), QString("PERSON %1").arg(kBirths - kBirthListLimit));

    auto* search = Control<QLineEdit>(&dialog, "txtSearch");
    QTest::keyClicks(search, "person");
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), kBirthListLimit);
    QVERIFY(more->isVisible());
    // PERSON 51 and PERSON 510 to 519, newest first.
    QTest::keyClicks(search, " 51");
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), 11);
    QVERIFY(!dialog.hasMore());
    QVERIFY(!more->isVisible());
    QCOMPARE(name(0), QString("PERSON 519"));
    QCOMPARE(name(10), QString("PERSON 51"));
    // Cleared, the first page and its line again.
    search->clear();
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(dialog.rowCount(), kBirthListLimit);
    QVERIFY(more->isVisible());
    QVERIFY(messages.shown.empty());
  }

  // A note typed and left by choosing another birth, searching or closing
  // is kept; the search folds case and accents as the atlas does; two
  // births of one name and date differ in their time column.
  void listKeepsTypedNotesFoldsSearchAndShowsTime() {
    BirthsDb db(path_);
    FormEntries e = reference::DelhiBirth();
    for (const char* name : {"JOSÉ D'SOUZA", "ARJUN MEHTA", "ARJUN MEHTA"}) {
      e.name = name;
      QVERIFY(db.Add(SavedBirth{0, e, {}, {}, {}, {}, {}}));
      e.hourText = "7";
    }
    ScriptedQuestions questions;
    RecordingSink messages;
    auto dialog = std::make_unique<BirthListDialog>(db, questions, messages);
    dialog->show();
    auto* list = Control<QTableView>(dialog.get(), "lstBirths");
    const auto cell = [&](int row, int column) {
      return list->model()->index(row, column).data().toString();
    };
    QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QString("Time"));
    // Newest first: the two ARJUN MEHTA births differ in their time.
    QCOMPARE(cell(0, 0), cell(1, 0));
    QCOMPARE(cell(0, 1), cell(1, 1));
    QCOMPARE(cell(0, 2), QString("07:30:00"));
    QCOMPARE(cell(2, 2), QString("10:30:00"));

    auto* search = Control<QLineEdit>(dialog.get(), "txtSearch");
    for (const char* typed : {"jose", "JOSE", "josé d'souza", "d souza", "José"}) {
      search->clear();
      // QTest types ASCII only; the rest arrives as an input method would.
      const QString text = QString::fromUtf8(typed);
      bool ascii = true;
      for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
      if (ascii) {
        QTest::keyClicks(search, text);
      } else {
        search->insert(text);
      }
      QTRY_VERIFY(!dialog->searching());
      QCOMPARE(dialog->rowCount(), 1);
      QCOMPARE(cell(0, 0), QString::fromUtf8("JOSÉ D'SOUZA"));
    }

    // Typed, then another birth chosen: the note stays with the first.
    search->clear();
    QTRY_VERIFY(!dialog->searching());
    QCOMPARE(dialog->rowCount(), 3);
    auto* note = Control<QLineEdit>(dialog.get(), "txtNote");
    list->selectRow(0);
    const qint64 first = db.List().front().id;
    QTest::keyClicks(note, "called back");
    list->selectRow(1);
    QVERIFY(note->text().isEmpty());
    QCOMPARE(db.Load(first)->note, QString("called back"));
    // Typed, then the search changes the list.
    QTest::keyClicks(note, "second");
    const qint64 second = db.List()[1].id;
    QTest::keyClicks(search, "arjun");
    QTRY_VERIFY(!dialog->searching());
    QCOMPARE(dialog->rowCount(), 2);
    QCOMPARE(db.Load(second)->note, QString("second"));
    // Typed, then the list closes.
    list->selectRow(1);
    QCOMPARE(note->text(), QString("second"));
    QTest::keyClick(note, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(note, "last");
    const qint64 shown = db.List(QString("arjun"))[1].id;
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(db.Load(shown)->note, QString("last"));
    QVERIFY(messages.shown.empty());
  }

  void copyOnTheChartTabAndExportChart() {
    ProgramUnderTest program;
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    program.shell.form()->SetEntries(reference::DelhiBirth());
    program.shell.form()->ComputeChartFromForm();
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
    QCOMPARE(questions.suggestedNames.last(), QString("ARJUN MEHTA.pdf"));
    QCOMPARE(QImage(questions.fileToSave).size(), QSize(kImagePageWidthPx, kImagePageHeightPx));
    questions.fileToSave = dir_.filePath("arjun");  // no suffix: a PDF
    FileAction(mdi, "mnuExportChart")->trigger();
    QVERIFY(QFile(dir_.filePath("arjun.pdf")).size() > 1000);

    // Save Birth is on the main window's File menu too.
    QTest::keyClick(mdi, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(program.shell.births()->db().Count(), 1);

    // A name with a path in it is proposed as one plain file name.
    {
      FormEntries birth = reference::DelhiBirth();
      birth.name = "../AC/DC";
      program.shell.form()->SetEntries(birth);
      program.shell.form()->ComputeChartFromForm();
      questions.fileToSave.clear();  // the dialog cancelled
      FileAction(mdi, "mnuExportChart")->trigger();
      QCOMPARE(questions.suggestedNames.last(), QString("_AC_DC.pdf"));
    }
  }

  // Alt and a letter reach one control, and a menu's letter one command:
  // the form, the main window, the list of births, the manual, the About box.
  void mnemonicsAreUniqueInEveryMenuAndDialog() {
    int ended = 0;
    ProgramUnderTest program([&] { ++ended; });
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    FrmMain* form = program.shell.form();
    form->SetEntries(reference::DelhiBirth());
    form->ComputeChartFromForm();
    QVERIFY(program.shell.mainWindow());
    program.shell.ShowManual();
    RecordingSink messages;
    BirthListDialog list(program.shell.births()->db(), questions, messages);
    list.setObjectName("frmBirths");
    FrmAbout about(program.shell.help());
    QStringList clashes;
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             form, program.shell.mainWindow(), program.shell.manual(), &list, &about}) {
      clashes << MnemonicClashes(window);
    }
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join("\n")));

    // Alt+F, X on the form reaches Exit, which ends the program.
    program.shell.Back();
    Activate(form);
    auto* file = Control<QMenu>(form, "mnuFile");
    QTest::keyClick(form, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_X);
    QCOMPARE(ended, 1);
  }

  // The About box opens with OK focused: Enter closes it and opens no page;
  // Tab reaches the links, and Enter on one opens its page.
  void aboutBoxOpensWithOkFocused() {
    QList<QUrl> opened;
    const HelpLinks help([&opened](const QUrl& url) {
      opened << url;
      return true;
    });
    FrmAbout about(help);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QCOMPARE(QApplication::focusWidget(), about.findChild<QPushButton*>("cmdOK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(opened.isEmpty());

    FrmAbout again(help);
    again.show();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("lblHomePage"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(opened, QList<QUrl>{QUrl(QString::fromUtf8(HelpAddresses::kForumHome.data(),
                                                        HelpAddresses::kForumHome.size()))});
  }

  // A saved birth whose stored values the form cannot show (another
  // program's or a damaged row: a year after the year list, a zone past the
  // list, an offset no clock kept, a missing hemisphere) is not opened as
  // another birth: Open Birth names the value, the form keeps its entries
  // and nothing is computed. The file is written here without the
  // columns' constraints, as another program could write it.
  void openRefusesStoredValuesTheFormCannotShow() {
    struct Row {
      const char* label;
      const char* change;  // the SET clause applied to the reference birth's row
      const char* why;     // what the message names
    };
    const std::vector<Row> rows = {
        {"year after the list", "year_text = '2051'",
         "its year 2051 is outside the form's years 1901\u20132050"},
        {"year before the list", "year_text = '1900'",
         "its year 1900 is outside the form's years 1901\u20132050"},
        {"year missing", "year_text = NULL", "its year is missing"},
        {"year with a leading zero", "year_text = '01980'",
         "its year \"01980\" is not written as the form's years 1901\u20132050 are"},
        {"offset 900", "utc_offset_minutes = 900",
         "its offset from Greenwich in minutes 900 is outside the widest clocks, "
         "-720\u2013840 minutes"},
        {"offset -99999999", "utc_offset_minutes = -99999999",
         "its offset from Greenwich in minutes -99999999 is outside the widest clocks, "
         "-720\u2013840 minutes"},
        {"offset 2^31", "utc_offset_minutes = 2147483648",
         "its offset from Greenwich in minutes 2147483648 is outside the widest clocks, "
         "-720\u2013840 minutes"},
        {"offset as text", "utc_offset_minutes = 'east'",
         "its offset from Greenwich in minutes is not a whole number"},
        {"zone 71", "zone_index = 71",
         "its zone (list position) 71 is outside the form's zones 0\u201370"},
        {"zone -1 without an offset", "zone_index = -1",
         "its zone (list position) -1 is outside the form's zones 0\u201370"},
        {"zone huge", "zone_index = 9223372036854775807",
         "its zone (list position) 9223372036854775807 is outside the form's zones 0\u201370"},
        {"zone missing", "zone_index = NULL", "its zone (list position) is missing"},
        {"zone as a real", "zone_index = 29.5", "its zone (list position) is not a whole number"},
        {"month 13", "month_index = 13",
         "its month (list position) 13 is outside the form's months 0\u201311 (January to "
         "December)"},
        {"month -1", "month_index = -1",
         "its month (list position) -1 is outside the form's months 0\u201311 (January to "
         "December)"},
        {"north missing", "north = NULL", "its hemisphere of latitude is missing"},
        {"east missing", "east = NULL", "its hemisphere of longitude is missing"},
        {"north 2", "north = 2",
         "its hemisphere of latitude 2 is neither 1 nor 0 (North or South)"},
        {"dst 5", "dst = 5", "its daylight-saving tick 5 is neither 1 nor 0 (ticked or not)"},
        {"day 0", "day_text = '0'", "its day 0 is outside the form's days 1\u201331"},
        {"day 32", "day_text = '32'", "its day 32 is outside the form's days 1\u201331"},
        {"day not a number", "day_text = 'x'",
         "its day \"x\" is not a number of the form's days 1\u201331"},
        {"hour 24", "hour_text = '24'", "its hour 24 is outside the form's hours 0\u201323"},
        {"minute 60", "minute_text = '60'",
         "its minute 60 is outside the form's minutes 0\u201359"},
        {"second 60", "second_text = '60'",
         "its second 60 is outside the form's seconds 0\u201359"},
        {"latitude 91", "lat_deg = '91'",
         "its latitude degrees 91 is outside the form's latitudes 0\u201389"},
        {"latitude minutes 60", "lat_min = '60'",
         "its latitude minutes 60 is outside the form's minutes 0\u201359"},
        {"longitude 180", "lon_deg = '180'",
         "its longitude degrees 180 is outside the form's longitudes 0\u2013179"},
        {"longitude empty", "lon_deg = ''",
         "its longitude degrees \"\" is not a number of the form's longitudes 0\u2013179"},
        {"name missing", "name = NULL", "its name is missing"},
        {"name empty", "name = '  '", "its name is empty"},
        {"name a blob", "name = x'41'", "its name is not text"},
        {"name of 10,001 characters", "name = printf('%.*c', 10001, 'A')",
         "its name has 10001 characters, more than the 10000 a name may have"},
        {"city missing", "city = NULL", "its city is missing"},
        {"zone name missing", "tz_name = NULL", "its time-zone name is missing"},
        {"31 April", "month_index = 3, day_text = '31'",
         "the form refuses it (Please Enter Correct Date Or Month !)"},
    };
    for (const Row& row : rows) {
      const QString label = QString::fromUtf8(row.label);
      WriteHostileFile(row.change);
      ProgramUnderTest program;
      ScriptedQuestions questions;
      program.shell.UseBirthsFile(path_, &questions);
      QVERIFY2(program.Start(), qPrintable(label));
      FrmMain* form = program.shell.form();
      FormEntries before = reference::DelhiBirth();
      before.name = "SITA RAO";
      before.yearText = "1999";
      form->SetEntries(before);
      program.shell.births()->OpenSaved(1);
      QVERIFY2(!program.sink.shown.empty(), qPrintable(label));
      QCOMPARE(
          program.sink.shown.back().text,
          QStringLiteral("The saved birth cannot be opened: %1.").arg(QString::fromUtf8(row.why)));
      QCOMPARE(program.sink.shown.back().icon, MessageIcon::Stop);
      QVERIFY2(program.shell.mainWindow() == nullptr, qPrintable(label));
      const FormEntries after = form->Entries();
      QCOMPARE(after.name, before.name);
      QCOMPARE(after.yearText, before.yearText);
      QCOMPARE(after.zoneIndex, before.zoneIndex);
    }
    // The same file with the row as saved opens and computes.
    WriteHostileFile("name = name");
    ProgramUnderTest program;
    ScriptedQuestions questions;
    program.shell.UseBirthsFile(path_, &questions);
    QVERIFY(program.Start());
    program.shell.births()->OpenSaved(1);
    QVERIFY(program.sink.shown.empty());
    QVERIFY(program.shell.mainWindow() != nullptr);
    QCOMPARE(Control<QLabel>(program.shell.mainWindow()->display(), "lblName")->text(),
             QString("ARJUN MEHTA"));
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
    form->ComputeChartFromForm();
    QVERIFY(program.shell.mainWindow());
    QFile f(path_);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == garbage);
  }

 private:
  // The births file as version 1 lays it out, without the columns'
  // constraints, holding the reference birth changed by `change`.
  void WriteHostileFile(const char* change) {
    QFile::remove(path_);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "hostile");
      db.setDatabaseName(path_);
      QVERIFY(db.open());
      QSqlQuery q(db);
      for (const char* statement :
           {"CREATE TABLE births (id INTEGER PRIMARY KEY, name TEXT, birth_date TEXT,"
            " month_index INTEGER, day_text TEXT, year_text TEXT, hour_text TEXT,"
            " minute_text TEXT, second_text TEXT, city TEXT, state TEXT, country TEXT,"
            " lat_deg TEXT, lat_min TEXT, north INTEGER, lon_deg TEXT, lon_min TEXT,"
            " east INTEGER, zone_index INTEGER, dst INTEGER, tz_name TEXT,"
            " utc_offset_minutes INTEGER, note TEXT, saved_at TEXT)",
            "CREATE INDEX births_by_name_date ON births(name, birth_date)",
            "CREATE INDEX births_by_saved ON births(saved_at, id)",
            "INSERT INTO births VALUES (1, 'ARJUN MEHTA', '1980-06-15', 5, '15', '1980', '10',"
            " '30', '0', 'New Delhi', 'Delhi', 'India', '28', '36', 1, '77', '12', 1, 34, 0, '',"
            " NULL, '', '2026-01-01T00:00:00.000Z')",
            "PRAGMA user_version = 1"}) {
        QVERIFY2(q.exec(QString::fromLatin1(statement)), qPrintable(q.lastError().text()));
      }
      QVERIFY2(q.exec(QStringLiteral("UPDATE births SET %1").arg(QString::fromLatin1(change))),
               qPrintable(q.lastError().text()));
      db.close();
    }
    QSqlDatabase::removeDatabase("hostile");
  }

  QTemporaryDir dir_;
  QString path_;
};

QTEST_MAIN(TestBirthsMenu)
#include "test_births_menu.moc"
