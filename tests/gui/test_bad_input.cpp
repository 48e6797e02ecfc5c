// Bad input through the real widgets: texts pasted past the key filters into
// a coordinate box are refused at the compute button with that box's check,
// and a pasted name (or place) of 10,000 characters is computed without
// harm, shown shortened inside its label, with every window keeping its
// size and layout.
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "gui/frm_display.h"
#include "gui/frm_main.h"
#include "gui/mdi_window.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "gui/ui_common.h"
#include "io/birth_entries.h"
#include "io/validation.h"
#include "support/gui_harness.h"

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// A valid place for the boxes a row does not paste into: New Delhi.
struct Coordinates {
  const char* box;
  const char* text;
};
constexpr Coordinates kDelhi[] = {
    {"txtLonD", "77"}, {"txtLonM", "12"}, {"txtLatD", "28"}, {"txtLatM", "36"}};

constexpr int kLongTextLength = 10'000;

}  // namespace

class TestBadInput : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void pastedCoordinateRefusedAtTheButton_data();
  void pastedCoordinateRefusedAtTheButton();
  void longPastedTextKeepsTheLayout_data();
  void longPastedTextKeepsTheLayout();
  void nameLongerThanItsLimitIsRefusedNotCut();

 private:
  // Pastes `text` into the box through the clipboard and Ctrl+V, as a user
  // would; the key filters see only the shortcut.
  void Paste(const char* box, const QString& text);

  std::unique_ptr<ProgramUnderTest> program_;
};

void TestBadInput::init() {
  program_ = std::make_unique<ProgramUnderTest>([] {});
  QVERIFY(program_->Start());
  Activate(program_->shell.form());
}

void TestBadInput::cleanup() {
  program_.reset();
}

void TestBadInput::Paste(const char* box, const QString& text) {
  QLineEdit* edit = get<QLineEdit>(program_->shell.form(), box);
  edit->clear();
  QApplication::clipboard()->setText(text);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void TestBadInput::pastedCoordinateRefusedAtTheButton_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("pasted");
  QTest::addColumn<QString>("message");
  // The messages of the four coordinate checks (the validation rules), with
  // their blanks as they stand.
  const QString lonD =
      QStringLiteral("Please Enter Value Between 0 And 179 in the Degree of Longitude");
  const QString lonM =
      QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Longitude");
  const QString latD =
      QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude");
  const QString latM =
      QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Latitude");
  const QString minusFive = QString(QChar(0x2212)) + QStringLiteral("5");  // "−5"
  QTest::newRow("minus sign U+2212 in longitude degrees") << "txtLonD" << minusFive << lonD;
  QTest::newRow("minus sign U+2212 in longitude minutes") << "txtLonM" << minusFive << lonM;
  QTest::newRow("minus sign U+2212 in latitude degrees") << "txtLatD" << minusFive << latD;
  QTest::newRow("minus sign U+2212 in latitude minutes") << "txtLatM" << minusFive << latM;
  QTest::newRow("1e3 in longitude degrees") << "txtLonD"
                                            << "1e3" << lonD;
  QTest::newRow("1e3 in longitude minutes") << "txtLonM"
                                            << "1e3" << lonM;
  QTest::newRow("1e3 in latitude degrees") << "txtLatD"
                                           << "1e3" << latD;
  QTest::newRow("1e3 in latitude minutes") << "txtLatM"
                                           << "1e3" << latM;
  // Neighbours of the two: a value that would be in range once the sign or
  // exponent were read, and full-width digits that look like "12".
  QTest::newRow("1e1 in latitude degrees (ten if read as a number)") << "txtLatD"
                                                                     << "1e1" << latD;
  QTest::newRow("full-width digits in longitude minutes")
      << "txtLonM" << QString(QChar(0xFF11)) + QChar(0xFF12) << lonM;
}

void TestBadInput::pastedCoordinateRefusedAtTheButton() {
  QFETCH(QString, box);
  QFETCH(QString, pasted);
  QFETCH(QString, message);
  FrmMain* form = program_->shell.form();
  get<QLineEdit>(form, "txtName")->setText(QStringLiteral("RAVI"));
  for (const Coordinates& c : kDelhi) {
    get<QLineEdit>(form, c.box)->setText(QString::fromLatin1(c.text));
  }
  Paste(box.toLatin1().constData(), pasted);
  QLineEdit* edit = get<QLineEdit>(form, box.toLatin1().constData());
  // Pasting passes the key filters untouched: no message yet.
  QCOMPARE(edit->text(), pasted);
  QVERIFY(program_->sink.shown.empty());

  QSignalSpy ready(form, &FrmMain::chartReady);
  get<QWidget>(form, "cmbTimeZone")->setFocus();
  QTest::mouseClick(get<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
  QCOMPARE(ready.count(), 0);
  QVERIFY(program_->shell.mainWindow() == nullptr);
  QCOMPARE(program_->sink.shown.size(), std::size_t{1});
  QCOMPARE(program_->sink.shown[0].text, message);
  QCOMPARE(program_->sink.shown[0].icon, MessageIcon::Stop);
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
  // Nothing the user entered is lost.
  QCOMPARE(edit->text(), pasted);
  QCOMPARE(get<QLineEdit>(form, "txtName")->text(), QStringLiteral("RAVI"));
}

void TestBadInput::longPastedTextKeepsTheLayout_data() {
  QTest::addColumn<QString>("box");    // the form's box the text is pasted into
  QTest::addColumn<QString>("label");  // the result window's label that shows it
  QTest::addColumn<QString>("text");
  QTest::newRow("name of 10,000 letters")
      << "txtName"
      << "lblName" << QString(kLongTextLength, QLatin1Char('A'));
  QTest::newRow("name of 10,000 characters in words")
      << "txtName"
      << "lblName" << QStringLiteral("RAVI ").repeated(kLongTextLength / 5);
  QTest::newRow("city of 10,000 characters")
      << "txtMCity"
      << "lblCity" << QStringLiteral("Bangalore ").repeated(kLongTextLength / 10);
}

void TestBadInput::longPastedTextKeepsTheLayout() {
  QFETCH(QString, box);
  QFETCH(QString, label);
  QFETCH(QString, text);
  FrmMain* form = program_->shell.form();
  const QSize formSize = form->size();
  if (box != QStringLiteral("txtName")) get<QLineEdit>(form, "txtName")->setText("RAVI");
  for (const Coordinates& c : kDelhi) {
    get<QLineEdit>(form, c.box)->setText(QString::fromLatin1(c.text));
  }
  Paste(box.toLatin1().constData(), text);
  QCOMPARE(get<QLineEdit>(form, box.toLatin1().constData())->text().size(), text.size());
  QCoreApplication::processEvents();
  QCOMPARE(form->size(), formSize);

  QTest::mouseClick(get<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
  QVERIFY2(program_->sink.shown.empty(),
           program_->sink.shown.empty() ? "" : qPrintable(program_->sink.shown[0].text));
  MdiWindow* mdi = program_->shell.mainWindow();
  QVERIFY(mdi != nullptr);
  QVERIFY(QTest::qWaitForWindowExposed(mdi));
  FrmDisplay* display = mdi->display();

  // The core's text arrives whole in the caption property.
  QLabel* shown = get<QLabel>(display, label.toLatin1().constData());
  QCOMPARE(QString::fromStdString(CaptionOf(shown)).size(), text.size());
  // On screen it is cut to its label with an ellipsis, on one line.
  QVERIFY(shown->text().endsWith(QChar(0x2026)));
  QVERIFY(!shown->text().contains(QLatin1Char('\n')));
  const int needed = shown->fontMetrics().horizontalAdvance(shown->text());
  QVERIFY2(
      needed <= shown->contentsRect().width(),
      qPrintable(QString("needs %1 px, has %2").arg(needed).arg(shown->contentsRect().width())));
  // The label keeps its column's width, inside its frame, and the window
  // keeps the size of its area: the text widens nothing.
  auto* details = get<QGroupBox>(display, "fraDetails");
  if (auto* parts = display->findChild<QTabWidget*>("tabChartParts");
      parts->indexOf(details) >= 0) {
    parts->setCurrentWidget(details);
  }
  QCoreApplication::processEvents();
  QCOMPARE(shown->parentWidget(), static_cast<QWidget*>(details));
  QVERIFY(details->rect().contains(shown->geometry()));
  QCOMPARE(shown->width(), shown->maximumWidth());
  QVERIFY(details->parentWidget()->rect().contains(details->geometry()));
  QVERIFY(mdi->displayWindow()->rect().contains(display->geometry()));
  QCOMPARE(mdi->displayWindow()->size(), get<QMdiArea>(mdi, "mdiArea")->viewport()->size());

  // Back brings the form with the long text kept.
  QTest::mouseClick(get<QPushButton>(mdi, "cmdBack"), Qt::LeftButton);
  QCOMPARE(get<QLineEdit>(form, box.toLatin1().constData())->text(), text);
  QCOMPARE(form->size(), formSize);
}

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"

// A pasted name longer than a name may be (10,000 characters) is refused
// whole with the balloon, never cut to fit: neither at the box's own limit
// of 32,767 nor at the name's. Exactly 10,000 characters are taken.
void TestBadInput::nameLongerThanItsLimitIsRefusedNotCut() {
  QLineEdit* name = get<QLineEdit>(program_->shell.form(), "txtName");
  for (const int length : {40000, 32767, 10001}) {
    Paste("txtName", QString(length, QLatin1Char('A')));
    QCOMPARE(name->text(), QString());
    QCOMPARE(name->property("balloonText").toString(),
             QStringLiteral("The name is too long: a name has at most 10,000 characters"));
  }
  Paste("txtName", QString(10000, QLatin1Char('A')));
  QCOMPARE(name->text().size(), 10000);
}
