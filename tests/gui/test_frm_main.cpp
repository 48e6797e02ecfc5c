// The birth-data form with real widgets: the lists and defaults right after
// load, the key filters as the user types, the checks at the compute button
// in their order with the focus they leave, the place lookup and the form's
// menus.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QUrlQuery>
#include <memory>

#include "gui/frm_main.h"
#include "gui/ui_common.h"
#include "support/gui_harness.h"
#include "tables/zones.h"

using namespace orvanta;
using namespace orvanta::testing;

class TestFrmMain : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void defaultsRightAfterLoad();
  void listsHoldPlainNumbersInOrder();
  void zoneListKeepsItsDisplayOrder();
  void captionsAndMenus();

  void keyFilters_data();
  void keyFilters();
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

 private:
  template <typename T>
  T* get(const char* name) {
    T* control = Control<T>(form_.get(), name);
    if (control == nullptr) qFatal("control %s missing", name);
    return control;
  }

  Session session_;
  RecordingSink sink_;
  RecordingOpener pages_;
  std::unique_ptr<HelpLinks> help_;
  std::unique_ptr<FrmMain> form_;
};

void TestFrmMain::init() {
  session_ = Session{};
  sink_.shown.clear();
  pages_.opened.clear();
  help_ = std::make_unique<HelpLinks>(pages_.opener());
  form_ = std::make_unique<FrmMain>(session_, sink_, *help_);
  Activate(form_.get());
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
  QVERIFY(!e.dst);
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
    QVERIFY(!list->isEditable());
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

  // The menu bar: File, Help, and the command on the bar itself.
  const QList<QAction*> bar = form_->menuBar()->actions();
  QCOMPARE(bar.size(), 3);
  QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
  QCOMPARE(bar[1]->text(), QStringLiteral("&Help"));
  QCOMPARE(bar[2]->text(), QStringLiteral("Make Money &Online"));
  QCOMPARE(MenuTexts(bar[0]->menu()), QStringList({"Get My Indu Lagna", "E&xit"}));
  QCOMPARE(MenuTexts(bar[1]->menu()),
           QStringList({"&Online Help", "&Visit Us Online", "-", "Check for Software &Update", "-",
                        "&About Software"}));
}

void TestFrmMain::keyFilters_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("messages");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("icon");

  const int info = static_cast<int>(MessageIcon::Information);
  const int stop = static_cast<int>(MessageIcon::Stop);
  const QString letters = QStringLiteral("Please Enter only Letters");
  const QString numbers = QStringLiteral("Only Numbers Are Accepted");
  // Lowercase letters reach the name box as capitals; blanks pass.
  QTest::newRow("a shows A") << "txtName"
                             << "a"
                             << "A" << 0 << QString() << 0;
  QTest::newRow("name in capitals") << "txtName"
                                    << "arjun Mehta"
                                    << "ARJUN MEHTA" << 0 << QString() << 0;
  QTest::newRow("digit refused in name") << "txtName"
                                         << "1"
                                         << "" << 1 << letters << info;
  QTest::newRow("hyphen refused in name") << "txtName"
                                          << "ab-c"
                                          << "ABC" << 1 << letters << info;
  QTest::newRow("digits in latitude degrees") << "txtLatD"
                                              << "28"
                                              << "28" << 0 << QString() << 0;
  QTest::newRow("minus refused in latitude degrees") << "txtLatD"
                                                     << "-"
                                                     << "" << 1 << numbers << stop;
  QTest::newRow("point refused in latitude degrees") << "txtLatD"
                                                     << "."
                                                     << "" << 1 << numbers << stop;
  QTest::newRow("decimal typed into longitude degrees") << "txtLonD"
                                                        << "77.5"
                                                        << "775" << 1 << numbers << stop;
  QTest::newRow("letters refused in longitude minutes") << "txtLonM"
                                                        << "e1w"
                                                        << "1" << 2 << numbers << stop;
  QTest::newRow("blank refused in latitude minutes") << "txtLatM"
                                                     << " 5"
                                                     << "5" << 1 << numbers << stop;
}

void TestFrmMain::keyFilters() {
  QFETCH(QString, box);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(int, messages);
  QFETCH(QString, message);
  QFETCH(int, icon);

  QLineEdit* edit = get<QLineEdit>(box.toLatin1().constData());
  edit->setFocus();
  QTest::keyClicks(edit, typed);
  QCOMPARE(edit->text(), shown);
  QCOMPARE(static_cast<int>(sink_.shown.size()), messages);
  if (messages > 0) {
    QCOMPARE(sink_.shown.back().text, message);
    QCOMPARE(static_cast<int>(sink_.shown.back().icon), icon);
  }
}

void TestFrmMain::backspaceAndEnter() {
  QLineEdit* latD = get<QLineEdit>("txtLatD");
  QTest::keyClicks(latD, "12");
  QTest::keyClick(latD, Qt::Key_Backspace);
  QCOMPARE(latD->text(), QStringLiteral("1"));
  QVERIFY(sink_.shown.empty());
  // Enter is refused in a digit box like any other character.
  QTest::keyClick(latD, Qt::Key_Return);
  QCOMPARE(sink_.shown.size(), std::size_t{1});
  QCOMPARE(sink_.shown[0].text, QStringLiteral("Only Numbers Are Accepted"));
  // ... and accepted in the name box, as are Backspace and cursor keys.
  QLineEdit* name = get<QLineEdit>("txtName");
  QTest::keyClicks(name, "ravi");
  QTest::keyClick(name, Qt::Key_Return);
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
  form_->cmdBrowser_Click();
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

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
