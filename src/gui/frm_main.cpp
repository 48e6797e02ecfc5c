#include "gui/frm_main.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "chart/settings.h"
#include "gui/help_links.h"
#include "gui/message_sink.h"
#include "gui/place_picker.h"
#include "gui/ui_common.h"
#include "io/birth_fields.h"
#include "io/birth_place.h"
#include "io/offset_text.h"
#include "io/validation.h"
#include "tables/zones.h"
#include "tz/birth_clock.h"

namespace orvanta {
namespace {

// Whether two entries of the form give the same birth moment and place: the
// date, the time, the coordinates and the zone as the boxes hold them.
bool SameClockEntries(const FormEntries& a, const FormEntries& b) {
  return a.monthIndex == b.monthIndex && a.dayText == b.dayText && a.yearText == b.yearText &&
         a.hourText == b.hourText && a.minuteText == b.minuteText && a.secondText == b.secondText &&
         a.latDeg == b.latDeg && a.latMin == b.latMin && a.north == b.north &&
         a.lonDeg == b.lonDeg && a.lonMin == b.lonMin && a.east == b.east &&
         a.zoneIndex == b.zoneIndex && a.exactOffsetMinutes == b.exactOffsetMinutes &&
         a.zoneName == b.zoneName && a.daylightTick == b.daylightTick;
}

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::string Std(const QString& s) {
  return s.toStdString();
}

// How far the nearest atlas city may lie for its zone to be taken without
// asking for coordinates typed without a place: a district's distance, not
// another country's.
inline constexpr double kNearestZoneKm = 200.0;

// Where the last balloon's text is kept on its box, for a reader that cannot
// see the balloon (a test, an accessibility tool).
constexpr char kBalloonProperty[] = "balloonText";

// Answers a refused character where the user is typing: a balloon at the
// box with the refusal's text. Unlike a message box it takes no keys, so
// whatever the user types next still lands in the same box.
void ShowBalloon(QWidget* box, const Refusal& refusal) {
  const QPoint at = box->mapToGlobal(QPoint(0, box->height()));
  QToolTip::showText(at, Text(refusal.message), box);
  box->setProperty(kBalloonProperty, Text(refusal.message));
}

// True for a letter of any script or a combining mark (the accents of a
// decomposed "é", the vowel signs of Indic scripts).
bool IsLetterOrMark(char32_t code) {
  return QChar::isLetter(code) || QChar::isMark(code);
}

// The first character of `text` that a name or place box refuses, if any.
std::optional<char32_t> RefusedNameCharacter(const QString& text) {
  for (const char32_t code : text.toUcs4()) {
    if (!NameCharacterAccepted(code, IsLetterOrMark(code))) return code;
  }
  return std::nullopt;
}

// What one typed key does in a box: nothing to refuse (pass it on), a
// changed text to insert instead, or a refusal.
struct TypedVerdict {
  std::optional<Refusal> refusal;
  std::optional<QString> replacement;
};
using TypedRule = std::function<TypedVerdict(const QString& typed)>;

// Runs a rule on every typed character of a line edit. Keys that type
// nothing (arrows, Delete, Tab, Enter, Backspace) and shortcuts such as
// Ctrl+V pass untouched; a refused character is discarded and answered by
// a balloon; a changed character is inserted in its changed form.
class TypedKeyFilter : public QObject {
 public:
  TypedKeyFilter(QLineEdit* box, TypedRule rule, QWidget* balloonAt)
      : QObject(box), box_(box), rule_(std::move(rule)), balloonAt_(balloonAt) {
    box->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != box_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString typed = key->text();
    if (typed.isEmpty() || (key->modifiers() & shortcut) || !typed.at(0).isPrint()) return false;
    const TypedVerdict verdict = rule_(typed);
    if (verdict.refusal) {
      ShowBalloon(balloonAt_, *verdict.refusal);
      return true;
    }
    if (!verdict.replacement || *verdict.replacement == typed) return false;
    box_->insert(*verdict.replacement);
    return true;
  }

 private:
  QLineEdit* box_;
  TypedRule rule_;
  QWidget* balloonAt_;
};

// Names and places: letters of any script, blanks, apostrophes, hyphens and
// full stops; the name shows typed letters in capitals where the script has
// them ("josé" is typed as "JOSÉ", "田中" stays as it is).
TypedRule NameRule(bool capitals) {
  return [capitals](const QString& typed) {
    if (RefusedNameCharacter(typed)) return TypedVerdict{NameCharacterRefusal(), std::nullopt};
    return TypedVerdict{std::nullopt,
                        capitals ? std::optional<QString>(typed.toUpper()) : std::nullopt};
  };
}

// The coordinate boxes: digits only, by the core's filter.
TypedRule CoordinateRule() {
  return [](const QString& typed) {
    for (const QChar ch : typed) {
      const KeyVerdict verdict = CoordinateKeyFilter(ch.unicode());
      if (verdict.code == 0 && verdict.refusal) return TypedVerdict{verdict.refusal, std::nullopt};
    }
    return TypedVerdict{};
  };
}

// The day, hour, minute and second lists take typed numbers: digits and
// blanks; anything else is answered with the list's message.
TypedRule ListRule(FormField list) {
  return [list](const QString& typed) {
    for (const QChar ch : typed) {
      if (!ch.isDigit() && ch != QLatin1Char(' ')) {
        return TypedVerdict{ListCharacterRefusal(list), std::nullopt};
      }
    }
    return TypedVerdict{};
  };
}

// Text that reaches a name or place box by any other way than a typed key
// (pasted, dropped, committed by an input method) follows the same rule:
// an edit that brings in a refused character is undone and answered by the
// balloon. Texts the program writes itself are not edits and pass.
//
// The name box holds at most kMaxNameChars characters, the limit of every
// birth's name. A longer edit is undone whole and told, never cut: the box
// leaves its own limit (Qt's 32,767) above the name's, so that even a paste
// Qt cuts is still seen as too long.
class NameTextGuard : public QObject {
 public:
  explicit NameTextGuard(QLineEdit* box, bool isName = false)
      : QObject(box), box_(box), current_(box->text()), isName_(isName) {
    // A user's edit signals textEdited before textChanged, so at textEdited
    // current_ still holds the text before the edit. The box's own text is
    // read rather than the signal's argument, which a revert made inside
    // textEdited would leave stale.
    connect(box, &QLineEdit::textChanged, this, [this] { current_ = box_->text(); });
    connect(box, &QLineEdit::textEdited, this, &NameTextGuard::Edited);
  }

 private:
  void Edited(const QString& text) {
    const bool tooLong =
        isName_ && Characters(text) > kMaxNameChars && Characters(text) > Characters(current_);
    if (!tooLong && CountRefused(text) <= CountRefused(current_)) return;
    const QString before = current_;
    const int cursor = std::min(box_->cursorPosition(), static_cast<int>(before.size()));
    box_->setText(before);
    box_->setCursorPosition(cursor);
    ShowBalloon(box_, tooLong ? NameLengthRefusal() : NameCharacterRefusal());
  }
  static std::size_t Characters(const QString& text) {
    return static_cast<std::size_t>(text.toUcs4().size());
  }
  static int CountRefused(const QString& text) {
    int n = 0;
    for (const char32_t code : text.toUcs4()) {
      if (!NameCharacterAccepted(code, IsLetterOrMark(code))) ++n;
    }
    return n;
  }

  QLineEdit* box_;
  QString current_;
  bool isName_;
};

QLineEdit* NamedLineEdit(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QComboBox* NamedList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setEditable(false);
  return list;
}

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

// The reading question of a local time that happened twice or never, put
// by the place picker whenever a list of the date or time changes. While
// the focus is in those lists the date may be half typed (the year list
// passes 2000 on the way to 2001), so the question waits; the form asks it
// when the focus leaves them or the user computes.
class FrmMain::ReadingQuestion final : public ReadingChooser {
 public:
  explicit ReadingQuestion(FrmMain& form) : form_(form), box_(&form), chooser_(&box_) {}

  std::optional<int> Choose(const QString& question, const QStringList& readings) override {
    if (!mustAsk && form_.DateOrTimeHasFocus()) {
      waiting = true;
      return std::nullopt;
    }
    waiting = false;
    const std::optional<int> answer = chooser_->Choose(question, readings);
    unanswered = !answer.has_value();
    return answer;
  }

  void Use(ReadingChooser* chooser) { chooser_ = chooser != nullptr ? chooser : &box_; }
  // Nothing left to ask: the zone was chosen by hand, or the question is
  // about to be put again.
  void Settle() { waiting = unanswered = false; }

  bool waiting = false;     // a question waits for the date and time to be complete
  bool unanswered = false;  // the last question was put and no reading chosen
  bool mustAsk = false;     // the user computes: ask whatever has the focus

 private:
  FrmMain& form_;
  MessageBoxReadingChooser box_;
  ReadingChooser* chooser_;
};

FrmMain::FrmMain(const CalculationSettings& settings, MessageSink& messages, const HelpLinks& help,
                 QWidget* parent)
    : QMainWindow(parent), settings_(settings), messages_(messages), help_(help) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ProgramTitle());
  setWindowIcon(ProgramIcon());
  setFont(LabelFont(12));
  BuildMenus();
  setCentralWidget(BuildForm());
  LoadForm();
  ShowSettingsLine();
}

FrmMain::~FrmMain() = default;

void FrmMain::SetReadingChooser(ReadingChooser* chooser) {
  readingQuestion_->Use(chooser);
}

bool FrmMain::DateOrTimeHasFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return false;
  for (const QWidget* list : {monthBox_, dayBox_, yearBox_, hourBox_, minuteBox_, secondBox_}) {
    if (focus == list || list->isAncestorOf(focus)) return true;
  }
  return false;
}

void FrmMain::ResolveZoneAgain() {
  // The picker resolves the zone whenever a list of the date or time
  // changes; telling it the hour list changed makes it resolve the date and
  // time as they now stand.
  emit hourBox_->currentIndexChanged(hourBox_->currentIndex());
}

bool FrmMain::ReadingSettled() {
  ReadingQuestion& question = *readingQuestion_;
  if (!question.waiting && !question.unanswered) return true;
  question.Settle();
  question.mustAsk = true;
  ResolveZoneAgain();
  question.mustAsk = false;
  if (!question.unanswered) return true;
  // The chart is not computed at a reading the user did not choose.
  messages_.Show(placePicker_->resolvedLine()->text(), MessageIcon::Information);
  cmbTimeZone_->setFocus();
  return false;
}

void FrmMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* next = NamedAction("mnuNext", QStringLiteral("Get My Indu Lagna"), this);
  connect(next, &QAction::triggered, this, &FrmMain::ComputeChartFromForm);
  file->addAction(next);
  QAction* exit = NamedAction("mnuExit", QStringLiteral("E&xit"), this);
  connect(exit, &QAction::triggered, this, &FrmMain::exitRequested);
  file->addAction(exit);

  // Tools > Settings…: the calculation settings, for every chart from now on.
  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("mnuTools"));
  QAction* settings = NamedAction("mnuSettings", QStringLiteral("&Settings…"), this);
  connect(settings, &QAction::triggered, this, &FrmMain::settingsRequested);
  tools->addAction(settings);

  AddHelpMenus(
      menuBar(), help_, {"mnuHelp1", "mnuHelp2", "mkmoney"}, [this] { emit aboutRequested(); },
      [this] { emit manualRequested(); });
}

void FrmMain::ShowSettingsLine() {
  settingsLine_->SetOneLineText(Text(SettingsLine(settings_)));
}

QWidget* FrmMain::BuildForm() {
  auto* central = new QWidget(this);

  // Personal Details: name, date and time of birth, the compute button.
  auto* frame6 = new QGroupBox(QStringLiteral("Personal Details"), central);
  frame6->setObjectName(QStringLiteral("Frame6"));
  nameEdit_ = NamedLineEdit("txtName", frame6);
  monthBox_ = NamedList("cboMonth", frame6);
  dayBox_ = NamedList("cboDate", frame6);
  yearBox_ = NamedList("cboYear", frame6);
  hourBox_ = NamedList("cboHH", frame6);
  minuteBox_ = NamedList("cboMM", frame6);
  secondBox_ = NamedList("cboSS", frame6);
  auto* cmdRashi = new QPushButton(QStringLiteral("Get My Indu Lagna"), frame6);
  cmdRashi->setObjectName(QStringLiteral("cmdRashi"));
  cmdRashi->setDefault(true);
  cmdRashi->setFont(LabelFont(12, true));
  connect(cmdRashi, &QPushButton::clicked, this, &FrmMain::ComputeChartFromForm);
  {
    auto* grid = new QGridLayout(frame6);
    grid->addWidget(NamedLabel("Label13", QStringLiteral("Name"), frame6), 0, 0);
    grid->addWidget(nameEdit_, 0, 1, 1, 4);
    grid->addWidget(NamedLabel("Label5", QStringLiteral("Date of Birth"), frame6), 1, 0);
    grid->addWidget(monthBox_, 1, 1);
    grid->addWidget(dayBox_, 1, 2);
    grid->addWidget(yearBox_, 1, 3);
    grid->addWidget(NamedLabel("Label1", QStringLiteral("Time of Birth"), frame6), 2, 0);
    grid->addWidget(hourBox_, 2, 1);
    grid->addWidget(minuteBox_, 2, 2);
    grid->addWidget(secondBox_, 2, 3);
    grid->addWidget(NamedLabel("Label12", QStringLiteral("HH:MM:SS"), frame6), 2, 4);
    grid->addWidget(cmdRashi, 3, 1, 1, 4);
    // The calculation settings the button computes with, one click from
    // the settings dialog.
    auto* settingsLine = new LinkLabel(QString(), frame6);
    settingsLine->setObjectName(QStringLiteral("lblSettings"));
    settingsLine->setFont(LabelFont(10));
    // One line that never widens the form, whatever the settings chosen:
    // cut with "…" where the form is too narrow, whole in its tool tip.
    settingsLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    settingsLine->setToolTip(QStringLiteral("Change the calculation settings"));
    connect(settingsLine, &LinkLabel::clicked, this, &FrmMain::settingsRequested);
    settingsLine_ = settingsLine;
    grid->addWidget(settingsLine_, 4, 0, 1, 5);
    grid->setColumnStretch(4, 1);
  }

  // Place Details and the lookup of the coordinates.
  auto* frame2 = new QGroupBox(QStringLiteral("Place Details"), central);
  frame2->setObjectName(QStringLiteral("Frame2"));
  cityEdit_ = NamedLineEdit("txtMCity", frame2);
  stateEdit_ = NamedLineEdit("txtMState", frame2);
  countryEdit_ = NamedLineEdit("txtMCountry", frame2);
  auto* cmdBrowser = new QPushButton(QStringLiteral("Click for Latitude && Longitude"), frame2);
  cmdBrowser->setObjectName(QStringLiteral("cmdBrowser"));
  connect(cmdBrowser, &QPushButton::clicked, this, &FrmMain::SearchPlace);
  {
    auto* grid = new QGridLayout(frame2);
    grid->addWidget(NamedLabel("Label54", QStringLiteral("City"), frame2), 0, 0);
    grid->addWidget(cityEdit_, 0, 1);
    grid->addWidget(NamedLabel("Label55", QStringLiteral("State"), frame2), 1, 0);
    grid->addWidget(stateEdit_, 1, 1);
    grid->addWidget(NamedLabel("Label4", QStringLiteral("Country"), frame2), 2, 0);
    grid->addWidget(countryEdit_, 2, 1);
    grid->addWidget(cmdBrowser, 3, 1);
  }

  // Longitude and latitude: degrees, minutes and the hemisphere.
  const auto coordinateFrame = [](const char* frameName, const QString& caption, QWidget* parent,
                                  QLineEdit* degrees, QLineEdit* minutes, const char* degName,
                                  const char* minName, QRadioButton* first, QRadioButton* second) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    degrees->setParent(frame);
    minutes->setParent(frame);
    first->setParent(frame);
    second->setParent(frame);
    degrees->setMaximumWidth(60);
    minutes->setMaximumWidth(60);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(degrees, 0, 0);
    grid->addWidget(NamedLabel(degName, QStringLiteral("Deg"), frame), 0, 1);
    grid->addWidget(minutes, 0, 2);
    grid->addWidget(NamedLabel(minName, QStringLiteral("Min"), frame), 0, 3);
    grid->addWidget(first, 1, 0, 1, 2);
    grid->addWidget(second, 1, 2, 1, 2);
    auto* group = new QButtonGroup(frame);
    group->addButton(first);
    group->addButton(second);
    return frame;
  };
  lonDegreesEdit_ = NamedLineEdit("txtLonD", central);
  lonMinutesEdit_ = NamedLineEdit("txtLonM", central);
  eastButton_ = new QRadioButton(QStringLiteral("East"), central);
  eastButton_->setObjectName(QStringLiteral("optLong0"));
  westButton_ = new QRadioButton(QStringLiteral("West"), central);
  westButton_->setObjectName(QStringLiteral("optLong1"));
  QGroupBox* frame4 =
      coordinateFrame("Frame4", QStringLiteral("Longitude"), central, lonDegreesEdit_,
                      lonMinutesEdit_, "Label6", "Label8", eastButton_, westButton_);
  latDegreesEdit_ = NamedLineEdit("txtLatD", central);
  latMinutesEdit_ = NamedLineEdit("txtLatM", central);
  northButton_ = new QRadioButton(QStringLiteral("North"), central);
  northButton_->setObjectName(QStringLiteral("optLat0"));
  southButton_ = new QRadioButton(QStringLiteral("South"), central);
  southButton_->setObjectName(QStringLiteral("optLat1"));
  QGroupBox* frame3 =
      coordinateFrame("Frame3", QStringLiteral("Latitude"), central, latDegreesEdit_,
                      latMinutesEdit_, "Label7", "Label9", northButton_, southButton_);
  // By design East and North are chosen when the form opens.
  eastButton_->setChecked(true);
  northButton_->setChecked(true);

  // Zone and daylight saving.
  auto* fraZone = new QGroupBox(QStringLiteral("Zone"), central);
  fraZone->setObjectName(QStringLiteral("fraZone"));
  cmbTimeZone_ = NamedList("cmbTimeZone", fraZone);
  daylightTickBox_ = new QCheckBox(QStringLiteral("Daylight Saving Time"), fraZone);
  daylightTickBox_->setObjectName(QStringLiteral("chkDST"));
  {
    auto* box = new QVBoxLayout(fraZone);
    box->addWidget(cmbTimeZone_);
    box->addWidget(daylightTickBox_);
  }

  // The promotional frame: a heading and the links to the maker's pages.
  auto* frame5 = new QGroupBox(central);
  frame5->setObjectName(QStringLiteral("Frame5"));
  {
    auto* label2 = NamedLabel(
        "Label2",
        QStringLiteral("Know more about the material wealth that you will make with Orvanta"),
        frame5);
    label2->setFont(LabelFont(12, true));
    auto* fullBrand =
        new LinkLabel(QStringLiteral("Get this software fully branded for your website"), frame5);
    fullBrand->setObjectName(QStringLiteral("lblFullBrand"));
    connect(fullBrand, &LinkLabel::clicked, this, [this] { help_.OpenFullBrandPage(); });
    auto* coBrand =
        new LinkLabel(QStringLiteral("Co-brand this software with your own web site"), frame5);
    coBrand->setObjectName(QStringLiteral("lblCoBrand"));
    connect(coBrand, &LinkLabel::clicked, this, [this] { help_.OpenCoBrandPage(); });
    auto* forum = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), frame5);
    forum->setObjectName(QStringLiteral("lblForum"));
    connect(forum, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });
    auto* box = new QVBoxLayout(frame5);
    box->addWidget(label2);
    auto* links = new QHBoxLayout;
    links->addWidget(fullBrand);
    links->addWidget(coBrand);
    links->addWidget(forum);
    links->addStretch(1);
    box->addLayout(links);
  }

  // Atlas places in the City box and the resolved zone under the zone list.
  placePicker_ =
      new PlacePicker(PlaceWidgets{cityEdit_, stateEdit_, countryEdit_, monthBox_, dayBox_,
                                   yearBox_, hourBox_, minuteBox_, latDegreesEdit_, latMinutesEdit_,
                                   lonDegreesEdit_, lonMinutesEdit_, northButton_, southButton_,
                                   eastButton_, westButton_, cmbTimeZone_, daylightTickBox_},
                      messages_, this);
  fraZone->layout()->addWidget(placePicker_->resolvedLine());
  fraZone->layout()->addWidget(placePicker_->zoneSuggestion());
  // The place's own clock under the zone line, and the other one a click away.
  clockLine_ = NamedLabel("lblBirthClock", QString(), fraZone);
  clockLine_->setWordWrap(true);
  clockLine_->setVisible(false);
  btnClockChoice_ = new QPushButton(fraZone);
  btnClockChoice_->setObjectName(QStringLiteral("btnClockChoice"));
  btnClockChoice_->setVisible(false);
  fraZone->layout()->addWidget(clockLine_);
  fraZone->layout()->addWidget(btnClockChoice_);
  connect(placePicker_, &PlacePicker::zoneShown, this, &FrmMain::ZoneShown);
  connect(btnClockChoice_, &QPushButton::clicked, this, [this] {
    clockPreference_ = clockPreference_ == ClockPreference::City ? ClockPreference::Standard
                                                                 : ClockPreference::City;
    ZoneShown();
  });
  // A city typed anew starts from the place's own clock; a city cleared
  // takes its country with it.
  connect(cityEdit_, &QLineEdit::textEdited, this,
          [this] { clockPreference_ = ClockPreference::City; });
  connect(cityEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text.isEmpty()) countryEdit_->clear();
  });
  readingQuestion_ = std::make_unique<ReadingQuestion>(*this);
  placePicker_->SetReadingChooser(readingQuestion_.get());
  // A zone chosen by hand is the user's answer.
  connect(cmbTimeZone_, &QComboBox::activated, this, [this] { readingQuestion_->Settle(); });
  connect(daylightTickBox_, &QCheckBox::clicked, this, [this] { readingQuestion_->Settle(); });

  auto* grid = new QGridLayout(central);
  grid->addWidget(frame6, 0, 0, 1, 2);
  grid->addWidget(frame2, 0, 2);
  grid->addWidget(frame4, 1, 0);
  grid->addWidget(frame3, 1, 1);
  grid->addWidget(fraZone, 1, 2);
  grid->addWidget(frame5, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);

  new TypedKeyFilter(nameEdit_, NameRule(true), nameEdit_);
  new NameTextGuard(nameEdit_, true);
  static_assert(kMaxNameChars < 32767, "the box's own limit lies above the name's");
  for (QLineEdit* box : {cityEdit_, stateEdit_, countryEdit_}) {
    new TypedKeyFilter(box, NameRule(false), box);
    new NameTextGuard(box);
  }
  for (QLineEdit* box : {lonDegreesEdit_, lonMinutesEdit_, latDegreesEdit_, latMinutesEdit_}) {
    new TypedKeyFilter(box, CoordinateRule(), box);
  }
  // The day and time lists take a typed number ("08", " 7 ") as well as a
  // pick from the list.
  const std::array<std::pair<QComboBox*, FormField>, 4> typedLists = {
      {{dayBox_, FormField::Day},
       {hourBox_, FormField::Hour},
       {minuteBox_, FormField::Minute},
       {secondBox_, FormField::Second}}};
  for (const auto& [list, field] : typedLists) {
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    new TypedKeyFilter(list->lineEdit(), ListRule(field), list);
    // A typed number that names an item selects it once the user moves on.
    connect(list->lineEdit(), &QLineEdit::editingFinished, list, [list] {
      const std::optional<long> value = PlainWholeNumber(Std(list->currentText()));
      if (!value) return;
      const int index = list->findText(QString::number(*value));
      if (index >= 0) list->setCurrentIndex(index);
    });
  }

  // Enter in any field computes, as the button does.
  for (QWidget* field : central->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field) ||
        qobject_cast<QCheckBox*>(field) || qobject_cast<QRadioButton*>(field)) {
      field->installEventFilter(this);
    }
  }
  return central;
}

void FrmMain::LoadForm() {
  for (const char* month : kMonthNames) monthBox_->addItem(QString::fromLatin1(month));
  for (const ZoneEntry& zone : kZones) cmbTimeZone_->addItem(Text(zone.text));
  for (int day = 1; day <= 31; ++day) dayBox_->addItem(QString::number(day));
  for (int year = kFirstYear; year <= kLastYear; ++year) yearBox_->addItem(QString::number(year));
  for (int hour = 0; hour <= 23; ++hour) hourBox_->addItem(QString::number(hour));
  for (int minute = 0; minute <= 59; ++minute) minuteBox_->addItem(QString::number(minute));
  for (int second = 0; second <= 59; ++second) secondBox_->addItem(QString::number(second));

  monthBox_->setCurrentIndex(0);
  dayBox_->setCurrentIndex(0);
  yearBox_->setCurrentIndex(0);
  hourBox_->setCurrentIndex(0);
  minuteBox_->setCurrentIndex(0);
  secondBox_->setCurrentIndex(0);
  cmbTimeZone_->setCurrentIndex(kDefaultZoneIndex);
}

FormEntries FrmMain::Entries() const {
  FormEntries e;
  e.name = Std(nameEdit_->text());
  e.city = Std(cityEdit_->text());
  e.state = Std(stateEdit_->text());
  e.country = Std(countryEdit_->text());
  e.monthIndex = monthBox_->currentIndex();
  e.dayText = Std(dayBox_->currentText());
  e.yearText = Std(yearBox_->currentText());
  e.hourText = Std(hourBox_->currentText());
  e.minuteText = Std(minuteBox_->currentText());
  e.secondText = Std(secondBox_->currentText());
  e.lonDeg = Std(lonDegreesEdit_->text());
  e.lonMin = Std(lonMinutesEdit_->text());
  e.latDeg = Std(latDegreesEdit_->text());
  e.latMin = Std(latMinutesEdit_->text());
  e.east = eastButton_->isChecked();
  e.north = northButton_->isChecked();
  e.zoneIndex = cmbTimeZone_->currentIndex();
  e.daylightTick = daylightTickBox_->isChecked();
  e.exactOffsetMinutes = placePicker_->ExactOffsetMinutes();
  if (const auto zone = placePicker_->ResolvedZone()) {
    e.zoneName = zone->zoneName;
    e.summerTime = zone->reading.summerTime;
    // A zone from the tz history counts its summer time: never the tick on top.
    e.daylightTick = false;
    // The place's own clock where it keeps one, to the second.
    if (birthClock_ && birthClock_->clock && birthClock_->tz.resolution &&
        birthClock_->tz.resolution->zoneName == zone->zoneName &&
        birthClock_->tz.resolution->local == zone->local)
      FillClock(e, *birthClock_->clock);
  }
  if (heldClock_ && SameClockEntries(e, heldClock_->shown)) {
    // Seconds that do not round to the form's minutes are not read as its
    // clock (ExactOffsetSecondsOf).
    if (heldClock_->offsetSeconds) e.exactOffsetSeconds = heldClock_->offsetSeconds;
    if (e.clockCaption.empty()) {
      e.clockCaption = heldClock_->caption;
      e.clockSource = heldClock_->source;
    }
  }
  return e;
}

void FrmMain::SetEntries(const FormEntries& e) {
  // Programmatic writes: no key filter sees them, as for pasted text.
  nameEdit_->setText(Text(e.name));
  cityEdit_->setText(Text(e.city));
  stateEdit_->setText(Text(e.state));
  countryEdit_->setText(Text(e.country));
  monthBox_->setCurrentIndex(e.monthIndex);
  // A list selects the item of the same text; a typed list shows any other
  // text as typed.
  for (const auto& [list, text] :
       {std::pair{dayBox_, &e.dayText}, std::pair{hourBox_, &e.hourText},
        std::pair{minuteBox_, &e.minuteText}, std::pair{secondBox_, &e.secondText}}) {
    const int index = list->findText(Text(*text));
    if (index >= 0) {
      list->setCurrentIndex(index);
    } else {
      list->setEditText(Text(*text));
    }
  }
  yearBox_->setCurrentText(Text(e.yearText));
  lonDegreesEdit_->setText(Text(e.lonDeg));
  lonMinutesEdit_->setText(Text(e.lonMin));
  latDegreesEdit_->setText(Text(e.latDeg));
  latMinutesEdit_->setText(Text(e.latMin));
  (e.east ? eastButton_ : westButton_)->setChecked(true);
  (e.north ? northButton_ : southButton_)->setChecked(true);
  cmbTimeZone_->setCurrentIndex(e.exactOffsetMinutes ? -1 : e.zoneIndex);
  daylightTickBox_->setChecked(e.daylightTick);
  clockPreference_ = ClockPreference::City;
  placePicker_->Reset(e.exactOffsetMinutes, e.zoneName);
  heldClock_.reset();
  if (e.exactOffsetSeconds || !e.clockCaption.empty()) {
    const FormEntries shown = Entries();
    heldClock_ = HeldClock{shown, e.exactOffsetSeconds, e.clockCaption, e.clockSource};
  }
}

QString FrmMain::ResolvedZoneName() const {
  return placePicker_->ResolvedZoneName();
}

QWidget* FrmMain::FieldWidget(FormField field) const {
  switch (field) {
    case FormField::Name:
      return nameEdit_;
    case FormField::City:
      return cityEdit_;
    case FormField::State:
      return stateEdit_;
    case FormField::Country:
      return countryEdit_;
    case FormField::LonDegrees:
      return lonDegreesEdit_;
    case FormField::LonMinutes:
      return lonMinutesEdit_;
    case FormField::LatDegrees:
      return latDegreesEdit_;
    case FormField::LatMinutes:
      return latMinutesEdit_;
    case FormField::Day:
      return dayBox_;
    case FormField::Hour:
      return hourBox_;
    case FormField::Minute:
      return minuteBox_;
    case FormField::Second:
      return secondBox_;
  }
  return nullptr;
}

void FrmMain::Refuse(const Refusal& refusal) {
  messages_.Show(Text(refusal.message), refusal.icon);
  if (refusal.focus) {
    if (QWidget* control = FieldWidget(*refusal.focus)) control->setFocus();
  }
}

void FrmMain::ComputeChartFromForm() {
  if (!ReadingSettled()) return;
  if (!ZoneReady()) return;
  const ChartRun run = ComputeChart(Entries(), settings_);
  if (run.refusal) {
    Refuse(*run.refusal);
    return;
  }
  emit chartReady(run.chart);
}

void FrmMain::SearchPlace() {
  struct Required {
    QLineEdit* box;
    std::string_view message;
    FormField field;
  };
  const std::array<Required, 3> required = {{
      {cityEdit_, "Please Enter City", FormField::City},
      {stateEdit_, "Please Enter State", FormField::State},
      {countryEdit_, "Please Enter Country", FormField::Country},
  }};
  for (const Required& r : required) {
    if (r.box->text().trimmed().isEmpty()) {
      Refuse(Refusal{r.message, MessageIcon::Information, r.field});
      return;
    }
  }
  // The texts as typed; the search address encodes them.
  help_.OpenPlaceSearch(cityEdit_->text() + QLatin1Char(' ') + stateEdit_->text() +
                        QLatin1Char(' ') + countryEdit_->text() +
                        QStringLiteral(" Latitude Longitude"));
}

const Atlas& FrmMain::atlas() {
  if (!atlas_) atlas_.emplace();
  return *atlas_;
}

void FrmMain::ZoneShown() {
  const std::optional<ZoneResolution> zone = placePicker_->ResolvedZone();
  // The tz history's reading holds its summer hour: the tick is off and
  // disabled beside it, so that no clock is an hour off. So it is while an
  // atlas place's zone has no reading yet (a doubled hour not answered):
  // the tick would otherwise be put on whatever row the list still shows.
  const bool pending = !zone && placePicker_->ZoneFromAtlasPlace();
  if (zone || pending) {
    const QSignalBlocker block(daylightTickBox_);
    daylightTickBox_->setChecked(false);
  }
  daylightTickBox_->setEnabled(!zone && !pending);
  daylightTickBox_->setToolTip(
      zone      ? QStringLiteral("The zone's history gives the clock of this birth, summer time "
                                      "included; choose a zone from the list to set the tick by hand.")
      : pending ? QStringLiteral("The zone's history has no single reading of this time yet: "
                                 "answer which reading is meant, or choose a zone from the list "
                                 "to set the tick by hand.")
                : QString());
  birthClock_.reset();
  if (zone) {
    FormEntries position;
    position.latDeg = Std(latDegreesEdit_->text());
    position.latMin = Std(latMinutesEdit_->text());
    position.lonDeg = Std(lonDegreesEdit_->text());
    position.lonMin = Std(lonMinutesEdit_->text());
    position.north = northButton_->isChecked();
    position.east = eastButton_->isChecked();
    const BirthClockQuery query =
        ClockQueryOf(position, zone->zoneName, zone->local, DoubledChoice::Refuse,
                     placePicker_->ZoneFromAtlasPlace());
    BirthClock clock = BirthClockOf(history_, query, clockPreference_);
    // A doubled time the user answered keeps the picker's reading.
    if (clock.clock && clock.tz.resolution &&
        clock.tz.resolution->reading.offsetSeconds == zone->reading.offsetSeconds)
      birthClock_ = std::make_unique<BirthClock>(std::move(clock));
  }
  ShowClock();
}

void FrmMain::ShowClock() {
  const bool own = birthClock_ && birthClock_->clock->clock.source != ClockSource::ZoneHistory;
  clockLine_->setText(own ? Text(birthClock_->clock->caption) : QString());
  clockLine_->setVisible(own);
  const bool other = birthClock_ && birthClock_->alternative;
  btnClockChoice_->setText(
      other ? QStringLiteral("Use %1").arg(Text(birthClock_->alternative->caption)) : QString());
  btnClockChoice_->setVisible(other);
}

bool FrmMain::ZoneReady() {
  const FormEntries e = Entries();
  if (const std::optional<ZoneResolution> zone = placePicker_->ResolvedZone()) {
    // Coordinates typed over a place keep its zone only while the nearest
    // atlas city keeps that clock: an Indian village is never computed on
    // New York's.
    // The Country box may still name the old place's country: the zone
    // goes only when neither the nearest city anywhere nor the nearest in
    // that country keeps it.
    const std::optional<TypedPosition> position = TypedPositionOf(e);
    if (!placePicker_->CoordinatesTypedByHand() || !position) return true;
    const std::optional<NearbyPlace> nearest =
        atlas().Nearest(position->latitudeDeg, position->longitudeDeg, "");
    if (!nearest || nearest->place.timeZone == zone->zoneName) return true;
    if (const std::optional<std::string> code = atlas().CountryCodeOf(e.country)) {
      const std::optional<NearbyPlace> inCountry =
          atlas().Nearest(position->latitudeDeg, position->longitudeDeg, *code);
      if (inCountry && inCountry->place.timeZone == zone->zoneName &&
          inCountry->distanceKm <= kNearestZoneKm)
        return true;
    }
    messages_.Show(
        QStringLiteral("The coordinates typed lie nearest to %1 (%2 km away), on "
                       "%3, not on %4: choose the birth place again, or its zone "
                       "from the list.")
            .arg(Text(Describe(nearest->place)), QString::number(nearest->distanceKm, 'f', 0),
                 Text(nearest->place.timeZone), Text(zone->zoneName)),
        MessageIcon::Information);
    cmbTimeZone_->setFocus();
    return false;
  }
  if (e.exactOffsetMinutes || e.zoneIndex >= 0) return true;
  // No zone at all: the nearest atlas city's, shown in the line under the
  // zone, where the picker offers one; an empty zone box is never UTC+0.
  // A city far away (the Country box naming another country) is only
  // offered.
  QPushButton* nearest = placePicker_->zoneSuggestion();
  QString offered;
  if (!nearest->isHidden()) {
    const std::optional<TypedPosition> position = TypedPositionOf(e);
    const std::optional<std::string> code = atlas().CountryCodeOf(e.country);
    const std::optional<NearbyPlace> city =
        position ? atlas().Nearest(position->latitudeDeg, position->longitudeDeg, code.value_or(""))
                 : std::nullopt;
    if (city && city->distanceKm <= kNearestZoneKm) {
      nearest->click();
      if (placePicker_->ResolvedZone()) return true;
    }
    offered = QStringLiteral(" The nearest atlas city is offered under the zone list: ") +
              nearest->text() + QLatin1Char('.');
  }
  messages_.Show(QStringLiteral("Choose the time zone of the birth from the zone list, or the "
                                "birth place from the atlas: without a zone the chart has no "
                                "clock.") +
                     offered,
                 MessageIcon::Information);
  cmbTimeZone_->setFocus();
  return false;
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && readingQuestion_->waiting) {
    // Not when a list's popup or another window takes the focus for a
    // while; the question is put once the focus has settled elsewhere.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      QTimer::singleShot(0, this, [this] {
        if (readingQuestion_->waiting && !DateOrTimeHasFocus()) {
          readingQuestion_->Settle();
          ResolveZoneAgain();
        }
      });
    }
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // A list whose popup is open takes Enter for its pick; the popup is
      // another widget, so this field sees Enter only when it is closed.
      ComputeChartFromForm();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmMain::closeEvent(QCloseEvent* event) {
  // Closing the form ends the program, like its Exit command.
  event->accept();
  emit exitRequested();
}

}  // namespace orvanta
