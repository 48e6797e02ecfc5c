// The birth-data form with real widgets: the lists and defaults right after
// load, the key filters as the user types, the checks at the compute button
// in their order with the focus they leave, the place lookup and the form's
// menus; the question of a local time that never happened, which waits for
// the date to be complete and is not answered by standard time.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolTip>
#include <QUrlQuery>
#include <memory>
#include <tuple>
#include <vector>

#include "chart/settings.h"
#include "gui/data_dir.h"
#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/help_window.h"
#include "gui/place_picker.h"
#include "gui/ui_common.h"
#include "support/gui_harness.h"
#include "tables/zones.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Answers the reading question without a modal box and keeps what it asked.
class ScriptedChooser final : public ReadingChooser {
 public:
  std::optional<int> Choose(const QString& question, const QStringList&) override {
    questions << question;
    return answer;
  }
  std::optional<int> answer;
  QStringList questions;
};

}  // namespace

class TestFrmMain : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void settingsLineNamesTheSettingsAndOpensThem();

  void defaultsRightAfterLoad();
  void listsHoldPlainNumbersInOrder();
  void zoneListKeepsItsDisplayOrder();
  void captionsAndMenus();

  void keyFilters_data();
  void keyFilters();
  void namesAcceptedTypedAndPastedReachTheResult_data();
  void namesAcceptedTypedAndPastedReachTheResult();
  void pastedRefusedCharacterIsUndone();
  void numbersTypedIntoTheLists_data();
  void numbersTypedIntoTheLists();
  void listTextThatIsNoNumberIsRefused_data();
  void listTextThatIsNoNumberIsRefused();
  void enterInAnyFieldComputes();
  void linksReachableByTabAndOpenedByKeys();
  void f1AndHelpMenuAskForTheManual();
  void manualShowsItsTableOfContents();
  void manualClosesFromTheKeyboardAndItsButton_data();
  void manualClosesFromTheKeyboardAndItsButton();
  void pageThatCannotBeOpenedIsSaidInTheWindow();
  void backspaceAndEnter();
  void pastedTextIsNotFilteredButValidated();

  void validationMessagesInOrder_data();
  void validationMessagesInOrder();

  void placeLookup_data();
  void placeLookup();
  void placeLookupEncodesTypedText();

  void menusAndLinksOpenTheirPages_data();
  void menusAndLinksOpenTheirPages();
  void menusAskForAboutAndExit();

  void skippedTimeWaitsForTheDateAndIsNeverGuessed();

 private:
  template <typename T>
  T* get(const char* name) {
    return orvanta::testing::get<T>(form_.get(), name);
  }

  CalculationSettings settings_;
  RecordingSink sink_;
  RecordingOpener pages_;
  std::unique_ptr<HelpLinks> help_;
  std::unique_ptr<FrmMain> form_;
  std::vector<ChartOutput> charts_;  // every chart the form handed on
};

void TestFrmMain::init() {
  settings_ = CalculationSettings{};
  sink_.shown.clear();
  pages_.opened.clear();
  help_ = std::make_unique<HelpLinks>(pages_.opener());
  form_ = std::make_unique<FrmMain>(settings_, sink_, *help_);
  charts_.clear();
  connect(form_.get(), &FrmMain::chartReady, this,
          [this](const ChartOutput& chart) { charts_.push_back(chart); });
  Activate(form_.get());
}

void TestFrmMain::settingsLineNamesTheSettingsAndOpensThem() {
  // Under the compute button, in one line, the settings the button computes
  // with: the program's own right after load, the chosen ones once shown
  // again; a click asks for the settings dialog.
  auto* line = get<LinkLabel>("lblSettings");
  auto* button = get<QPushButton>("cmdRashi");
  QCOMPARE(line->parentWidget(), button->parentWidget());
  QVERIFY(line->geometry().top() >= button->geometry().bottom());
  QCOMPARE(line->oneLineText(), Text(SettingsLine(CalculationSettings{})));
  for (const char* part : {"ayanamsa", "Rahu/Ketu", "Indu Lagna", "dasha year"}) {
    QVERIFY2(line->oneLineText().contains(QLatin1String(part)), part);
  }
  // Too long for the form, the line is cut with an ellipsis, never mid-glyph
  // past the label's edge, and whole in its tool tip; given the room, whole.
  const auto shownFits = [line] {
    const QString shown = line->text();
    QVERIFY2(line->fontMetrics().horizontalAdvance(shown) <= line->contentsRect().width(),
             qPrintable(shown));
    if (shown == line->oneLineText()) return;
    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QVERIFY(line->oneLineText().startsWith(shown.chopped(1)));
    QVERIFY(line->toolTip().startsWith(line->oneLineText()));
  };
  shownFits();
  line->resize(40, line->height());
  shownFits();
  QVERIFY(line->text() != line->oneLineText());
  line->resize(line->fontMetrics().horizontalAdvance(line->oneLineText()) + 20, line->height());
  QCOMPARE(line->text(), line->oneLineText());
  QCOMPARE(line->toolTip(), QStringLiteral("Change the calculation settings"));
  CalculationSettings chosen;
  chosen.ayanamsa = AyanamsaChoice::Raman;
  chosen.node = NodeChoice::True;
  chosen.induLagnaRule = InduLagnaRule::FromMoonVenus12;
  chosen.dashaYear = dasha::YearLength::Savana;
  settings_ = chosen;
  form_->ShowSettingsLine();
  QCOMPARE(line->oneLineText(), Text(SettingsLine(chosen)));
  QVERIFY(line->oneLineText().endsWith(QStringLiteral("dasha year 360 days")));
  QSignalSpy asked(form_.get(), &FrmMain::settingsRequested);
  QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
  QCOMPARE(asked.size(), 1);
}

void TestFrmMain::cleanup() {
  form_.reset();
  help_.reset();
}

void TestFrmMain::defaultsRightAfterLoad() {
  // January, 1, 1901, 0:0:0, Greenwich Mean Time, East, North, no daylight
  // saving; the typed boxes empty.
  QCOMPARE(get<QComboBox>("cboMonth")->currentText(), QStringLiteral("January"));
  QCOMPARE(get<QComboBox>("cboMonth")->currentIndex(), 0);
  QCOMPARE(get<QComboBox>("cboDate")->currentText(), QStringLiteral("1"));
  QCOMPARE(get<QComboBox>("cboYear")->currentText(), QStringLiteral("1901"));
  QCOMPARE(get<QComboBox>("cboHH")->currentText(), QStringLiteral("0"));
  QCOMPARE(get<QComboBox>("cboMM")->currentText(), QStringLiteral("0"));
  QCOMPARE(get<QComboBox>("cboSS")->currentText(), QStringLiteral("0"));
  QCOMPARE(get<QComboBox>("cmbTimeZone")->currentIndex(), 29);
  QCOMPARE(get<QComboBox>("cmbTimeZone")->currentText(),
           QStringLiteral("Greenwich Mean Time,GMT,0.0"));
  QVERIFY(get<QRadioButton>("optLong0")->isChecked());
  QVERIFY(!get<QRadioButton>("optLong1")->isChecked());
  QVERIFY(get<QRadioButton>("optLat0")->isChecked());
  QVERIFY(!get<QRadioButton>("optLat1")->isChecked());
  QVERIFY(!get<QCheckBox>("chkDST")->isChecked());
  for (const char* box : {"txtName", "txtMCity", "txtMState", "txtMCountry", "txtLonD", "txtLonM",
                          "txtLatD", "txtLatM"}) {
    QVERIFY2(get<QLineEdit>(box)->text().isEmpty(), box);
  }

  // The entries handed to the computation are the same defaults.
  const FormEntries e = form_->Entries();
  QCOMPARE(e.monthIndex, 0);
  QCOMPARE(QString::fromStdString(e.dayText), QStringLiteral("1"));
  QCOMPARE(QString::fromStdString(e.yearText), QStringLiteral("1901"));
  QCOMPARE(QString::fromStdString(e.secondText), QStringLiteral("0"));
  QCOMPARE(e.zoneIndex, kDefaultZoneIndex);
  QVERIFY(e.east);
  QVERIFY(e.north);
  QVERIFY(!e.daylightTick);
  QVERIFY(sink_.shown.empty());
}

void TestFrmMain::listsHoldPlainNumbersInOrder() {
  struct Row {
    const char* list;
    int count;
    int first;
  };
  // Day 1..31 whatever the month, years 1901..2050, hours 0..23, minutes and
  // seconds 0..59.
  const Row rows[] = {{"cboDate", 31, 1},
                      {"cboYear", 150, 1901},
                      {"cboHH", 24, 0},
                      {"cboMM", 60, 0},
                      {"cboSS", 60, 0}};
  for (const Row& row : rows) {
    const QComboBox* list = get<QComboBox>(row.list);
    // The day and time lists also take a typed number; the year list is
    // picked from only.
    QCOMPARE(list->isEditable(), QByteArray(row.list) != "cboYear");
    QCOMPARE(list->count(), row.count);
    for (int i = 0; i < row.count; ++i) {
      // Plain decimal texts: five is "5", never "05".
      QCOMPARE(list->itemText(i), QString::number(row.first + i));
    }
  }
  const QStringList months = {"January",   "February", "March",    "April",
                              "May",       "June",     "July",     "August",
                              "September", "October",  "November", "December"};
  QComboBox* month = get<QComboBox>("cboMonth");
  QCOMPARE(month->count(), 12);
  for (int i = 0; i < 12; ++i) QCOMPARE(month->itemText(i), months[i]);
  // Choosing February leaves all 31 days on offer.
  month->setCurrentIndex(1);
  QCOMPARE(get<QComboBox>("cboDate")->count(), 31);
}

void TestFrmMain::zoneListKeepsItsDisplayOrder() {
  const QComboBox* zones = get<QComboBox>("cmbTimeZone");
  QCOMPARE(zones->count(), kZoneCount);
  for (int i = 0; i < kZoneCount; ++i) {
    QCOMPARE(zones->itemText(i),
             QString::fromUtf8(kZones[static_cast<std::size_t>(i)].text.data(),
                               kZones[static_cast<std::size_t>(i)].text.size()));
  }
  QCOMPARE(zones->itemText(0), QStringLiteral("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
  QCOMPARE(zones->itemText(61), QStringLiteral("Universal Time, UT, 0.0"));
  QCOMPARE(zones->itemText(70), QStringLiteral("Yukon War Time,YWT,-8.0"));
}

void TestFrmMain::captionsAndMenus() {
  QCOMPARE(form_->windowTitle(), QStringLiteral("Orvanta v1.15"));
  QCOMPARE(get<QPushButton>("cmdRashi")->text(), QStringLiteral("Get My Indu Lagna"));
  // Shown with a single ampersand.
  QCOMPARE(get<QPushButton>("cmdBrowser")->text(),
           QStringLiteral("Click for Latitude && Longitude"));
  struct Caption {
    const char* control;
    const char* text;
  };
  const Caption frames[] = {{"Frame6", "Personal Details"},
                            {"Frame2", "Place Details"},
                            {"fraZone", "Zone"},
                            {"Frame4", "Longitude"},
                            {"Frame3", "Latitude"}};
  for (const Caption& c : frames) QCOMPARE(get<QGroupBox>(c.control)->title(), QString(c.text));
  const Caption labels[] = {
      {"Label13", "Name"},
      {"Label5", "Date of Birth"},
      {"Label1", "Time of Birth"},
      {"Label12", "HH:MM:SS"},
      {"Label54", "City"},
      {"Label55", "State"},
      {"Label4", "Country"},
      {"Label6", "Deg"},
      {"Label8", "Min"},
      {"Label7", "Deg"},
      {"Label9", "Min"},
      {"Label2", "Know more about the material wealth that you will make with Orvanta"}};
  for (const Caption& c : labels) QCOMPARE(get<QLabel>(c.control)->text(), QString(c.text));
  QCOMPARE(get<QCheckBox>("chkDST")->text(), QStringLiteral("Daylight Saving Time"));

  // The menu bar: File, Tools, Help, and the command on the bar itself.
  const QList<QAction*> bar = form_->menuBar()->actions();
  QCOMPARE(bar.size(), 4);
  QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
  QCOMPARE(bar[1]->text(), QStringLiteral("&Tools"));
  QCOMPARE(bar[2]->text(), QStringLiteral("&Help"));
  QCOMPARE(bar[3]->text(), QStringLiteral("Make Money &Online"));
  QCOMPARE(MenuTexts(bar[0]->menu()), QStringList({"Get My Indu Lagna", "E&xit"}));
  QCOMPARE(MenuTexts(bar[1]->menu()), QStringList({"&Settings…"}));
  QCOMPARE(MenuTexts(bar[2]->menu()),
           QStringList({"Orvanta Help", "&Online Help", "&Visit Us Online", "-",
                        "Check for Software &Update", "-", "&About Software"}));
}

void TestFrmMain::keyFilters_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("balloon");  // empty: nothing refused

  const QString letters = QStringLiteral("Please Enter only Letters");
  const QString numbers = QStringLiteral("Only Numbers Are Accepted");
  // Lowercase letters reach the name box as capitals, in any script that
  // has them; blanks, apostrophes, hyphens and full stops pass.
  QTest::newRow("a shows A") << "txtName"
                             << "a"
                             << "A" << QString();
  QTest::newRow("name in capitals") << "txtName"
                                    << "arjun Mehta"
                                    << "ARJUN MEHTA" << QString();
  QTest::newRow("James O'Brien") << "txtName"
                                 << "James O'Brien"
                                 << "JAMES O'BRIEN" << QString();
  QTest::newRow("typographic apostrophe") << "txtName"
                                          << "d\u2019Arcy"
                                          << "D\u2019ARCY" << QString();
  QTest::newRow("Anne-Marie") << "txtName"
                              << "Anne-Marie"
                              << "ANNE-MARIE" << QString();
  QTest::newRow("Jos\u00e9 N\u00fa\u00f1ez") << "txtName"
                                             << "Jos\u00e9 N\u00fa\u00f1ez"
                                             << "JOS\u00c9 N\u00da\u00d1EZ" << QString();
  QTest::newRow("Greek") << "txtName"
                         << "\u0395\u03bb\u03ad\u03bd\u03b7"
                         << "\u0395\u039b\u0388\u039d\u0397" << QString();
  QTest::newRow("Japanese") << "txtName"
                            << "\u7530\u4e2d"
                            << "\u7530\u4e2d" << QString();
  QTest::newRow("St. Louis in the city box") << "txtMCity"
                                             << "St. Louis"
                                             << "St. Louis" << QString();
  QTest::newRow("digit refused in name") << "txtName"
                                         << "ab1c"
                                         << "ABC" << letters;
  QTest::newRow("digit refused in country") << "txtMCountry"
                                            << "India9"
                                            << "India" << letters;
  QTest::newRow("comma refused in state") << "txtMState"
                                          << "a,b"
                                          << "ab" << letters;
  QTest::newRow("digits in latitude degrees") << "txtLatD"
                                              << "28"
                                              << "28" << QString();
  QTest::newRow("minus refused in latitude degrees") << "txtLatD"
                                                     << "-"
                                                     << "" << numbers;
  QTest::newRow("decimal typed into longitude degrees") << "txtLonD"
                                                        << "77.5"
                                                        << "775" << numbers;
  QTest::newRow("blank refused in latitude minutes") << "txtLatM"
                                                     << " 5"
                                                     << "5" << numbers;
}

// Types each character as a key press carrying its text, as a keyboard
// layout or input method of any script delivers it (QTest::keyClicks only
// knows Latin-1).
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
  }
}

void TestFrmMain::keyFilters() {
  QFETCH(QString, box);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(QString, balloon);

  QLineEdit* edit = get<QLineEdit>(box.toLatin1().constData());
  edit->setFocus();
  const FormEntries before = form_->Entries();
  TypeText(edit, typed);
  QCOMPARE(edit->text(), shown);
  // A refusal is a balloon at the box, never a message box that would take
  // the keys typed after it: the focus stays, and so do the other fields.
  QVERIFY(sink_.shown.empty());
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
  QCOMPARE(edit->property("balloonText").toString(), balloon);
  if (!balloon.isEmpty()) QCOMPARE(QToolTip::text(), balloon);
  const FormEntries after = form_->Entries();
  const auto othersOf = [&box](FormEntries e) {
    if (box == "txtName") e.name.clear();
    if (box == "txtMCity") e.city.clear();
    if (box == "txtMState") e.state.clear();
    if (box == "txtMCountry") e.country.clear();
    if (box == "txtLatD") e.latDeg.clear();
    if (box == "txtLatM") e.latMin.clear();
    if (box == "txtLonD") e.lonDeg.clear();
    return std::tuple(e.name, e.city, e.state, e.country, e.lonDeg, e.lonMin, e.latDeg, e.latMin,
                      e.monthIndex, e.dayText, e.yearText, e.hourText, e.minuteText, e.secondText,
                      e.zoneIndex, e.daylightTick, e.east, e.north);
  };
  QVERIFY(othersOf(before) == othersOf(after));
}

void TestFrmMain::namesAcceptedTypedAndPastedReachTheResult_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("typedShows");
  QTest::newRow("James O'Brien") << "James O'Brien"
                                 << "JAMES O'BRIEN";
  QTest::newRow("Anne-Marie") << "Anne-Marie"
                              << "ANNE-MARIE";
  QTest::newRow("Jos\u00e9 N\u00fa\u00f1ez") << "Jos\u00e9 N\u00fa\u00f1ez"
                                             << "JOS\u00c9 N\u00da\u00d1EZ";
  QTest::newRow("Greek") << "\u0395\u03bb\u03ad\u03bd\u03b7"
                         << "\u0395\u039b\u0388\u039d\u0397";
  QTest::newRow("Japanese") << "\u7530\u4e2d"
                            << "\u7530\u4e2d";
}

void TestFrmMain::namesAcceptedTypedAndPastedReachTheResult() {
  QFETCH(QString, name);
  QFETCH(QString, typedShows);
  FormEntries delhi = reference::DelhiBirth();
  delhi.name.clear();
  form_->SetEntries(delhi);
  QLineEdit* box = get<QLineEdit>("txtName");

  // Typed: in capitals where the script has them.
  box->setFocus();
  TypeText(box, name);
  QCOMPARE(box->text(), typedShows);
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(static_cast<int>(charts_.size()), 1);
  QCOMPARE(QString::fromStdString(BirthDetailTextsOf(charts_[0].birth).name), typedShows);

  // Pasted: as pasted, with no balloon.
  box->clear();
  QApplication::clipboard()->setText(name);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(box->text(), name);
  QVERIFY(box->property("balloonText").toString().isEmpty());
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(static_cast<int>(charts_.size()), 2);
  const ChartOutput chart = charts_[1];
  QCOMPARE(QString::fromStdString(BirthDetailTextsOf(chart.birth).name), name);
  // ... and the result window shows it.
  FrmDisplay display(*help_);
  display.Present(chart);
  QCOMPARE(QString::fromStdString(CaptionOf(orvanta::testing::get<QLabel>(&display, "lblName"))),
           name);
  QVERIFY(sink_.shown.empty());
}

void TestFrmMain::pastedRefusedCharacterIsUndone() {
  QLineEdit* box = get<QLineEdit>("txtName");
  TypeText(box, "ravi");
  QApplication::clipboard()->setText(QStringLiteral("R2D2"));
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(box->text(), QStringLiteral("RAVI"));
  QCOMPARE(box->property("balloonText").toString(), QStringLiteral("Please Enter only Letters"));
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
  QVERIFY(sink_.shown.empty());
}

void TestFrmMain::numbersTypedIntoTheLists_data() {
  QTest::addColumn<QString>("day");
  QTest::addColumn<QString>("hour");
  QTest::addColumn<QString>("minute");
  QTest::addColumn<QString>("second");
  QTest::addColumn<int>("expectedDay");
  QTest::addColumn<int>("expectedHour");
  QTest::addColumn<int>("expectedMinute");
  QTest::newRow("08:05 on the 04") << "04"
                                   << "08"
                                   << "05"
                                   << "09" << 4 << 8 << 5;
  QTest::newRow("single digits") << "7"
                                 << "5"
                                 << "9"
                                 << "0" << 7 << 5 << 9;
  QTest::newRow("blanks around") << " 7 "
                                 << " 23 "
                                 << "59 "
                                 << " 59" << 7 << 23 << 59;
}

void TestFrmMain::numbersTypedIntoTheLists() {
  QFETCH(QString, day);
  QFETCH(QString, hour);
  QFETCH(QString, minute);
  QFETCH(QString, second);
  QFETCH(int, expectedDay);
  QFETCH(int, expectedHour);
  QFETCH(int, expectedMinute);
  FormEntries delhi = reference::DelhiBirth();
  form_->SetEntries(delhi);  // day 15, 10:30:00: none of the typed values
  const auto typeInto = [](QComboBox* list, const QString& text) {
    list->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), text);
  };
  typeInto(get<QComboBox>("cboDate"), day);
  typeInto(get<QComboBox>("cboHH"), hour);
  typeInto(get<QComboBox>("cboMM"), minute);
  typeInto(get<QComboBox>("cboSS"), second);
  QTest::keyClick(get<QComboBox>("cboSS")->lineEdit(), Qt::Key_Return);
  QVERIFY(sink_.shown.empty());
  QCOMPARE(static_cast<int>(charts_.size()), 1);
  const ChartOutput chart = charts_[0];
  QCOMPARE(chart.birth.local.day, expectedDay);
  QCOMPARE(chart.birth.local.hour, expectedHour);
  QCOMPARE(chart.birth.local.minute, expectedMinute);
  // The time of birth keeps its format: no leading zeros.
  QCOMPARE(QString::fromStdString(BirthDetailTextsOf(chart.birth).timeOfBirth),
           QString("%1:%2").arg(expectedHour).arg(expectedMinute));
}

void TestFrmMain::listTextThatIsNoNumberIsRefused_data() {
  QTest::addColumn<QString>("list");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  const QString day = QStringLiteral("Please Enter Value Between 1 And 31 in the Day of Birth");
  const QString hour = QStringLiteral("Please Enter Value Between 0 And 23 in the Hour of Birth");
  const QString minute =
      QStringLiteral("Please Enter Value Between 0 And 59 in the Minute of Birth");
  const QString second =
      QStringLiteral("Please Enter Value Between 0 And 59 in the Second of Birth");
  QTest::newRow("day 0") << "cboDate"
                         << "0" << day;
  QTest::newRow("day 32") << "cboDate"
                          << "32" << day;
  QTest::newRow("hour 24") << "cboHH"
                           << "24" << hour;
  QTest::newRow("hour empty") << "cboHH"
                              << "" << hour;
  QTest::newRow("minute 60") << "cboMM"
                             << "60" << minute;
  QTest::newRow("minute pasted 5x") << "cboMM"
                                    << "5x" << minute;
  QTest::newRow("second 8.5") << "cboSS"
                              << "8.5" << second;
}

void TestFrmMain::listTextThatIsNoNumberIsRefused() {
  QFETCH(QString, list);
  QFETCH(QString, text);
  QFETCH(QString, message);
  form_->SetEntries(reference::DelhiBirth());
  QComboBox* box = get<QComboBox>(list.toLatin1().constData());
  // Pasted, so that the typed-key filter does not stop it first.
  box->lineEdit()->setText(text);
  QTest::mouseClick(get<QPushButton>("cmdRashi"), Qt::LeftButton);
  QCOMPARE(static_cast<int>(charts_.size()), 0);
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QCOMPARE(sink_.shown[0].text, message);
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
  // A typed letter is answered at once, by a balloon with the same message.
  sink_.shown.clear();
  QTest::keyClicks(box->lineEdit(), "x");
  QVERIFY(sink_.shown.empty());
  QCOMPARE(box->property("balloonText").toString(), message);
  QCOMPARE(box->lineEdit()->text(), text);
}

void TestFrmMain::enterInAnyFieldComputes() {
  form_->SetEntries(reference::DelhiBirth());
  int expected = 0;
  for (const char* name : {"txtName", "txtMCity", "txtMState", "txtMCountry", "txtLonD", "txtLonM",
                           "txtLatD", "txtLatM", "cboMonth", "cboDate", "cboYear", "cboHH", "cboMM",
                           "cboSS", "cmbTimeZone", "chkDST", "optLong0", "optLat1"}) {
    QWidget* field = get<QWidget>(name);
    field->setFocus();
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target != nullptr, name);
    QTest::keyClick(target, Qt::Key_Return);
    ++expected;
    QVERIFY2(static_cast<int>(charts_.size()) == expected, name);
    // The radio button and tick box changed nothing by Enter.
    form_->SetEntries(reference::DelhiBirth());
  }
  QTest::keyClick(get<QWidget>("txtName"), Qt::Key_Enter);
  QCOMPARE(static_cast<int>(charts_.size()), expected + 1);
  QVERIFY(sink_.shown.empty());
}

void TestFrmMain::linksReachableByTabAndOpenedByKeys() {
  // Tab from the last field reaches every link of the form in turn; Enter
  // and Space open the focused link.
  QStringList reached;
  get<QWidget>("txtName")->setFocus();
  for (int i = 0; i < 60 && reached.size() < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* now = QApplication::focusWidget();
    if (qobject_cast<LinkLabel*>(now) != nullptr && !reached.contains(now->objectName())) {
      reached << now->objectName();
    }
  }
  reached.sort();
  QCOMPARE(reached, QStringList({"lblCoBrand", "lblForum", "lblFullBrand", "lblSettings"}));
  LinkLabel* forum = get<LinkLabel>("lblForum");
  forum->setFocus();
  QTest::keyClick(forum, Qt::Key_Space);
  QTest::keyClick(forum, Qt::Key_Return);
  QCOMPARE(pages_.opened.size(), std::size_t{2});
  QCOMPARE(pages_.opened[0], QUrl("https://forum.orvanta.example/"));
  QCOMPARE(pages_.opened[1], QUrl("https://forum.orvanta.example/"));
}

void TestFrmMain::f1AndHelpMenuAskForTheManual() {
  QSignalSpy manual(form_.get(), &FrmMain::manualRequested);
  QTest::keyClick(get<QWidget>("txtName"), Qt::Key_F1);
  QCOMPARE(manual.count(), 1);
  form_->findChild<QAction*>("mnuManual")->trigger();
  QCOMPARE(manual.count(), 2);
  QVERIFY(pages_.opened.empty());
}

void TestFrmMain::manualShowsItsTableOfContents() {
  HelpWindow help(ManualPath(DataDir()));
  help.show();
  QVERIFY(QTest::qWaitForWindowExposed(&help));
  QStringList contents;
  for (int i = 0; i < help.contents()->count(); ++i) contents << help.contents()->item(i)->text();
  QCOMPARE(contents,
           QStringList({"Entering a birth", "The zone list", "Daylight saving time",
                        "The clock of a birth", "The atlas", "How the Indu Lagna is found",
                        "Calculation settings", "Vimshottari dasha", "Wealth",
                        "Accuracy of the positions", "The command line", "On the web"}));
  QVERIFY(help.browser()->toPlainText().contains(
      QStringLiteral("The textbook rule (counted from the Moon's sign, Venus 12)")));
  // Choosing an entry scrolls the manual to its section.
  help.browser()->verticalScrollBar()->setValue(0);
  help.contents()->setCurrentRow(6);
  QVERIFY(help.browser()->verticalScrollBar()->value() > 0);
}

void TestFrmMain::manualClosesFromTheKeyboardAndItsButton_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("Escape") << "escape";
  QTest::newRow("Ctrl+W") << "ctrl+w";
  QTest::newRow("Close button") << "button";
  QTest::newRow("Alt+C") << "alt+c";
}

void TestFrmMain::manualClosesFromTheKeyboardAndItsButton() {
  QFETCH(QString, how);
  HelpWindow help(ManualPath(DataDir()), help_.get());
  Activate(&help);
  QVERIFY(help.isVisible());
  // From the text of the manual, where the keys are typed most.
  help.browser()->setFocus();
  if (how == "escape") {
    QTest::keyClick(help.browser(), Qt::Key_Escape);
  } else if (how == "ctrl+w") {
    QTest::keyClick(help.browser(), Qt::Key_W, Qt::ControlModifier);
  } else if (how == "alt+c") {
    QTest::keyClick(help.browser(), Qt::Key_C, Qt::AltModifier);
  } else {
    QTest::mouseClick(orvanta::testing::get<QPushButton>(&help, "cmdClose"), Qt::LeftButton);
  }
  QTRY_VERIFY(!help.isVisible());
}

// No browser takes the page: the window the link was in says so on its
// status line, the form's and the manual's alike.
void TestFrmMain::pageThatCannotBeOpenedIsSaidInTheWindow() {
  pages_.opens = false;
  LinkLabel* forum = get<LinkLabel>("lblForum");
  forum->setFocus();
  QTest::keyClick(forum, Qt::Key_Return);
  QCOMPARE(pages_.opened.size(), std::size_t{1});
  const QString said =
      "The page https://forum.orvanta.example/ cannot be opened: no web browser took it.";
  QCOMPARE(form_->statusBar()->currentMessage(), said);

  HelpWindow help(ManualPath(DataDir()), help_.get());
  Activate(&help);
  help.browser()->setHtml("<a href=\"https://orvanta.example/help/\">online help</a>");
  emit help.browser()->anchorClicked(QUrl("https://orvanta.example/help/"));
  QCOMPARE(help.statusLine()->currentMessage(),
           QString("The page https://orvanta.example/help/ cannot be opened: no web browser "
                   "took it."));
  QVERIFY(sink_.shown.empty());
}

void TestFrmMain::backspaceAndEnter() {
  QLineEdit* latD = get<QLineEdit>("txtLatD");
  QTest::keyClicks(latD, "12");
  QTest::keyClick(latD, Qt::Key_Backspace);
  QCOMPARE(latD->text(), QStringLiteral("1"));
  QVERIFY(sink_.shown.empty());
  // Enter computes from any box; here the empty name is refused first.
  QTest::keyClick(latD, Qt::Key_Return);
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QCOMPARE(sink_.shown[0].text, QStringLiteral("Please Enter Name"));
  QCOMPARE(latD->text(), QStringLiteral("1"));
  // Backspace and cursor keys edit the name box.
  QLineEdit* name = get<QLineEdit>("txtName");
  QTest::keyClicks(name, "ravi");
  QTest::keyClick(name, Qt::Key_Left);
  QTest::keyClick(name, Qt::Key_Backspace);
  QCOMPARE(name->text(), QStringLiteral("RAI"));
  QCOMPARE(sink_.shown.size(), std::size_t{1});
}

void TestFrmMain::pastedTextIsNotFilteredButValidated() {
  QLineEdit* name = get<QLineEdit>("txtName");
  QTest::keyClicks(name, "ravi");
  QLineEdit* latD = get<QLineEdit>("txtLatD");
  QApplication::clipboard()->setText(QStringLiteral("-5"));
  latD->setFocus();
  QTest::keyClick(latD, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(latD->text(), QStringLiteral("-5"));
  QVERIFY(sink_.shown.empty());

  // The checks at the button read the pasted text again.
  get<QLineEdit>("txtLonD")->setText(QStringLiteral("77"));
  get<QLineEdit>("txtLonM")->setText(QStringLiteral("12"));
  get<QLineEdit>("txtLatM")->setText(QStringLiteral("36"));
  QSignalSpy ready(form_.get(), &FrmMain::chartReady);
  QTest::mouseClick(get<QPushButton>("cmdRashi"), Qt::LeftButton);
  QCOMPARE(ready.count(), 0);
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QCOMPARE(sink_.shown[0].text,
           QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude"));
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(latD));
}

void TestFrmMain::validationMessagesInOrder_data() {
  QTest::addColumn<QStringList>("texts");  // name, lonD, lonM, latD, latM
  QTest::addColumn<int>("month");
  QTest::addColumn<int>("day");  // list position
  QTest::addColumn<int>("year");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("icon");
  QTest::addColumn<QString>("focus");  // empty: no control named

  const int stop = static_cast<int>(MessageIcon::Stop);
  const int info = static_cast<int>(MessageIcon::Information);
  const QString lonD =
      QStringLiteral("Please Enter Value Between 0 And 179 in the Degree of Longitude");
  const QString lonM =
      QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Longitude");
  const QString latD =
      QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude");
  const QString latM =
      QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Latitude");
  const QString feb = QStringLiteral("Please Enter Correct Date Or Month!");
  const QString thirty = QStringLiteral("Please Enter Correct Date Or Month !");
  // Each row mends the previous row's fault and shows the next check.
  QTest::newRow("1 all empty: the name first") << QStringList{"", "", "", "", ""} << 0 << 0 << 1980
                                               << "Please Enter Name" << stop << "txtName";
  QTest::newRow("1 blanks only in the name") << QStringList{"   ", "77", "12", "28", "36"} << 0 << 0
                                             << 1980 << "Please Enter Name" << stop << "txtName";
  QTest::newRow("2 longitude degrees empty")
      << QStringList{"RAVI", "", "", "", ""} << 0 << 0 << 1980 << lonD << stop << "txtLonD";
  QTest::newRow("2 longitude degrees 180")
      << QStringList{"RAVI", "180", "0", "0", "0"} << 0 << 0 << 1980 << lonD << stop << "txtLonD";
  QTest::newRow("3 longitude minutes empty")
      << QStringList{"RAVI", "179", "", "", ""} << 0 << 0 << 1980 << lonM << stop << "txtLonM";
  QTest::newRow("3 longitude minutes 60")
      << QStringList{"RAVI", "179", "60", "0", "0"} << 0 << 0 << 1980 << lonM << stop << "txtLonM";
  QTest::newRow("4 latitude degrees empty")
      << QStringList{"RAVI", "179", "59", "", ""} << 0 << 0 << 1980 << latD << stop << "txtLatD";
  QTest::newRow("4 latitude degrees 90")
      << QStringList{"RAVI", "0", "0", "90", "0"} << 0 << 0 << 1980 << latD << stop << "txtLatD";
  QTest::newRow("5 latitude minutes empty")
      << QStringList{"RAVI", "0", "0", "89", ""} << 0 << 0 << 1980 << latM << stop << "txtLatM";
  QTest::newRow("6 30 February of a leap year")
      << QStringList{"RAVI", "77", "12", "28", "36"} << 1 << 29 << 1980 << feb << info << "";
  QTest::newRow("7 29 February 1901")
      << QStringList{"RAVI", "77", "12", "28", "36"} << 1 << 28 << 1901 << feb << info << "";
  QTest::newRow("8 31 April") << QStringList{"RAVI", "77", "12", "28", "36"} << 3 << 30 << 1980
                              << thirty << info << "";
}

void TestFrmMain::validationMessagesInOrder() {
  QFETCH(QStringList, texts);
  QFETCH(int, month);
  QFETCH(int, day);
  QFETCH(int, year);
  QFETCH(QString, message);
  QFETCH(int, icon);
  QFETCH(QString, focus);

  const char* boxes[] = {"txtName", "txtLonD", "txtLonM", "txtLatD", "txtLatM"};
  for (int i = 0; i < 5; ++i) get<QLineEdit>(boxes[i])->setText(texts[i]);
  get<QComboBox>("cboMonth")->setCurrentIndex(month);
  get<QComboBox>("cboDate")->setCurrentIndex(day);
  get<QComboBox>("cboYear")->setCurrentIndex(year - 1901);
  get<QComboBox>("cmbTimeZone")->setFocus();

  QSignalSpy ready(form_.get(), &FrmMain::chartReady);
  QTest::mouseClick(get<QPushButton>("cmdRashi"), Qt::LeftButton);
  QCOMPARE(ready.count(), 0);
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QCOMPARE(sink_.shown[0].text, message);
  QCOMPARE(static_cast<int>(sink_.shown[0].icon), icon);
  // Without a named control the focus stays on the button just clicked.
  QWidget* expected =
      focus.isEmpty() ? get<QWidget>("cmdRashi") : get<QWidget>(focus.toLatin1().constData());
  QCOMPARE(QApplication::focusWidget(), expected);
  // Everything entered is kept.
  for (int i = 0; i < 5; ++i) QCOMPARE(get<QLineEdit>(boxes[i])->text(), texts[i]);
}

void TestFrmMain::placeLookup_data() {
  QTest::addColumn<QString>("city");
  QTest::addColumn<QString>("state");
  QTest::addColumn<QString>("country");
  QTest::addColumn<QString>("message");  // empty: the search opens
  QTest::addColumn<QString>("focus");

  QTest::newRow("nothing: city first") << ""
                                       << ""
                                       << ""
                                       << "Please Enter City"
                                       << "txtMCity";
  QTest::newRow("blank city") << "  "
                              << "Delhi"
                              << "India"
                              << "Please Enter City"
                              << "txtMCity";
  QTest::newRow("city without state") << "New Delhi"
                                      << ""
                                      << "India"
                                      << "Please Enter State"
                                      << "txtMState";
  QTest::newRow("no country") << "New Delhi"
                              << "Delhi"
                              << " "
                              << "Please Enter Country"
                              << "txtMCountry";
  QTest::newRow("all three") << "New Delhi"
                             << "Delhi"
                             << "India"
                             << ""
                             << "";
}

void TestFrmMain::placeLookup() {
  QFETCH(QString, city);
  QFETCH(QString, state);
  QFETCH(QString, country);
  QFETCH(QString, message);
  QFETCH(QString, focus);

  get<QLineEdit>("txtMCity")->setText(city);
  get<QLineEdit>("txtMState")->setText(state);
  get<QLineEdit>("txtMCountry")->setText(country);
  get<QLineEdit>("txtName")->setFocus();
  QTest::mouseClick(get<QPushButton>("cmdBrowser"), Qt::LeftButton);

  if (message.isEmpty()) {
    QVERIFY(sink_.shown.empty());
    QCOMPARE(pages_.opened.size(), std::size_t{1});
    const QUrl url = pages_.opened[0];
    QCOMPARE(url.scheme() + "://" + url.host() + url.path(),
             QStringLiteral("https://search.orvanta.example/"));
    QCOMPARE(QUrlQuery(url).queryItemValue("q", QUrl::FullyDecoded),
             QStringLiteral("New Delhi Delhi India Latitude Longitude"));
  } else {
    QVERIFY(pages_.opened.empty());
    QCOMPARE(sink_.shown.size(), std::size_t{1});
    QCOMPARE(sink_.shown[0].text, message);
    QCOMPARE(sink_.shown[0].icon, MessageIcon::Information);
    QCOMPARE(QApplication::focusWidget(), get<QWidget>(focus.toLatin1().constData()));
    QCOMPARE(get<QLineEdit>("txtMCity")->text(), city);
  }
}

void TestFrmMain::placeLookupEncodesTypedText() {
  // Texts that would change an address if pasted into it raw.
  const QString city = QStringLiteral("Sa&o=x#top");
  const QString state = QStringLiteral("a/b?c=d+e%20");
  const QString country = QStringLiteral("javascript:alert(1)@evil.example\\ü");
  get<QLineEdit>("txtMCity")->setText(city);
  get<QLineEdit>("txtMState")->setText(state);
  get<QLineEdit>("txtMCountry")->setText(country);
  form_->SearchPlace();
  QCOMPARE(pages_.opened.size(), std::size_t{1});
  const QUrl url = pages_.opened[0];
  QVERIFY(url.isValid());
  QCOMPARE(url.scheme(), QStringLiteral("https"));
  QCOMPARE(url.host(), QStringLiteral("search.orvanta.example"));
  QCOMPARE(url.path(), QStringLiteral("/"));
  QVERIFY(!url.hasFragment());
  QVERIFY(url.userInfo().isEmpty());
  const QUrlQuery query(url);
  QCOMPARE(query.queryItems().size(), 2);
  QCOMPARE(query.queryItemValue("q", QUrl::FullyDecoded),
           city + " " + state + " " + country + " Latitude Longitude");
  QCOMPARE(query.queryItemValue("site", QUrl::FullyDecoded),
           QStringLiteral("https://orvanta.example/"));
}

void TestFrmMain::menusAndLinksOpenTheirPages_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("address");
  QTest::newRow("Online Help") << "mnuOnline"
                               << "https://orvanta.example/help/";
  QTest::newRow("Visit Us Online") << "mnuVisit"
                                   << "https://forum.orvanta.example/";
  QTest::newRow("Check for Software Update") << "mnuUpdate"
                                             << "https://orvanta.example/download/";
  QTest::newRow("Make Money Online") << "mkmoney"
                                     << "https://orvanta.example/help/fully-branded.html";
  QTest::newRow("branded-edition link") << "lblFullBrand"
                                        << "https://orvanta.example/help/fully-branded.html";
  QTest::newRow("co-branding link") << "lblCoBrand"
                                    << "https://orvanta.example/help/co-brand.html";
  QTest::newRow("forum link") << "lblForum"
                              << "https://forum.orvanta.example/";
}

void TestFrmMain::menusAndLinksOpenTheirPages() {
  QFETCH(QString, control);
  QFETCH(QString, address);
  if (auto* action = form_->findChild<QAction*>(control)) {
    action->trigger();
  } else {
    QLabel* link = get<QLabel>(control.toLatin1().constData());
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
  }
  QCOMPARE(pages_.opened.size(), std::size_t{1});
  QCOMPARE(pages_.opened[0], QUrl(address));
  QVERIFY(sink_.shown.empty());
}

void TestFrmMain::menusAskForAboutAndExit() {
  QSignalSpy about(form_.get(), &FrmMain::aboutRequested);
  QSignalSpy exit(form_.get(), &FrmMain::exitRequested);
  QSignalSpy ready(form_.get(), &FrmMain::chartReady);
  get<QAction>("mnuAbout")->trigger();
  QCOMPARE(about.count(), 1);
  // The menu's compute command runs the same checks as the button.
  get<QAction>("mnuNext")->trigger();
  QCOMPARE(ready.count(), 0);
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QCOMPARE(sink_.shown[0].text, QStringLiteral("Please Enter Name"));
  get<QAction>("mnuExit")->trigger();
  QCOMPARE(exit.count(), 1);
}

// New York: on 2 April 2000 the clocks went from 02:00 straight to 03:00
// (first Sunday of April); on 2 April 1999 and 2001 they did not.
void TestFrmMain::skippedTimeWaitsForTheDateAndIsNeverGuessed() {
  ScriptedChooser chooser;
  form_->SetReadingChooser(&chooser);
  get<QLineEdit>("txtName")->setText("RAM");
  get<QLineEdit>("txtName")->setFocus();
  get<QComboBox>("cboYear")->setCurrentText("1999");
  get<QComboBox>("cboMonth")->setCurrentIndex(3);
  get<QComboBox>("cboDate")->setCurrentIndex(1);
  get<QComboBox>("cboHH")->setCurrentIndex(2);
  get<QComboBox>("cboMM")->setCurrentIndex(30);
  // The atlas's New York (GeoNames 5128581).
  const Place newYork{"New York",
                      "New York",
                      "United States of America",
                      "US",
                      "America/New_York",
                      40.71427,
                      -74.00597,
                      8804190,
                      "",
                      0};
  form_->findChild<PlacePicker*>()->Choose(newYork);
  QVERIFY(chooser.questions.isEmpty());

  // Typing 2001 in the year list passes 2000 on the way: nothing is asked
  // while the year is typed, nor once it stands at 2001.
  QComboBox* year = get<QComboBox>("cboYear");
  year->setFocus();
  QTest::keyClicks(year, "2001");
  QCOMPARE(year->currentText(), QString("2001"));
  QTest::mouseClick(get<QLineEdit>("txtName"), Qt::LeftButton);
  QCoreApplication::processEvents();
  QVERIFY2(chooser.questions.isEmpty(), qPrintable(chooser.questions.join("\n")));

  // 2000: asked once the focus leaves the date; Cancel chooses nothing.
  year->setCurrentText("1999");
  year->setFocus();
  // A pause ends the list's search for the first typed year.
  QTest::qWait(QApplication::keyboardInputInterval() + 100);
  QTest::keyClicks(year, "2000");
  QCOMPARE(year->currentText(), QString("2000"));
  QVERIFY(chooser.questions.isEmpty());
  // Tab goes on to the hour: still the date and time, still no question.
  QTest::keyClick(year, Qt::Key_Tab);
  QCoreApplication::processEvents();
  QVERIFY(chooser.questions.isEmpty());
  QTest::mouseClick(get<QLineEdit>("txtName"), Qt::LeftButton);
  QTRY_COMPARE(chooser.questions.size(), 1);
  QVERIFY(chooser.questions[0].contains("did not exist"));

  // Computing asks again; Cancel again refuses rather than computing the
  // hour that never was as standard time.
  get<QPushButton>("cmdRashi")->click();
  QCOMPARE(chooser.questions.size(), 2);
  QVERIFY(charts_.empty());
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QVERIFY2(sink_.shown[0].text.contains("No reading was chosen"), qPrintable(sink_.shown[0].text));

  // The summer reading chosen: the chart is computed at EDT.
  chooser.answer = 1;
  get<QPushButton>("cmdRashi")->click();
  QCOMPARE(chooser.questions.size(), 3);
  QCOMPARE(charts_.size(), std::size_t{1});
  QCOMPARE(form_->Entries().zoneIndex, 24);
}

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
