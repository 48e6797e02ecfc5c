#include "gui/frm_main.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <functional>

#include "chart/validation.h"
#include "gui/help_links.h"
#include "gui/message_sink.h"
#include "gui/place_picker.h"
#include "gui/ui_common.h"
#include "tables/zones.h"

namespace orvanta {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2050;

std::string Std(const QString& s) {
  return s.toStdString();
}

// Runs a key filter of the core on every typed character of a line edit.
// Keys that type nothing (arrows, Delete, Tab) and shortcuts such as Ctrl+V
// pass untouched; a refused character is discarded after its message; an
// accepted character that the filter changed (a lowercase letter of the
// name) is inserted in its changed form.
class TypedKeyFilter : public QObject {
 public:
  TypedKeyFilter(QLineEdit* box, std::function<KeyVerdict(int)> filter, MessageSink& messages)
      : QObject(box), box_(box), filter_(std::move(filter)), messages_(messages) {
    box->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != box_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key->text().isEmpty() || (key->modifiers() & shortcut) || key->key() == Qt::Key_Tab ||
        key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete ||
        key->key() == Qt::Key_Escape) {
      return false;
    }
    const int typed = key->text().at(0).unicode();
    const KeyVerdict verdict = filter_(typed);
    if (verdict.code == 0) {
      if (verdict.refusal) messages_.Show(Text(verdict.refusal->message), verdict.refusal->icon);
      return true;
    }
    if (verdict.code == typed) return false;
    box_->insert(QString(QChar(verdict.code)));
    return true;
  }

 private:
  QLineEdit* box_;
  std::function<KeyVerdict(int)> filter_;
  MessageSink& messages_;
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

FrmMain::FrmMain(Session& session, MessageSink& messages, const HelpLinks& help, QWidget* parent)
    : QMainWindow(parent), session_(session), messages_(messages), help_(help) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ProgramTitle());
  setWindowIcon(ProgramIcon());
  setFont(LabelFont(12));
  BuildMenus();
  setCentralWidget(BuildForm());
  Form_Load();
}

void FrmMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* next = NamedAction("mnuNext", QStringLiteral("Get My Indu Lagna"), this);
  connect(next, &QAction::triggered, this, &FrmMain::cmdRashi_Click);
  file->addAction(next);
  QAction* exit = NamedAction("mnuExit", QStringLiteral("E&xit"), this);
  connect(exit, &QAction::triggered, this, &FrmMain::exitRequested);
  file->addAction(exit);

  AddHelpMenus(menuBar(), help_, {"mnuHelp1", "mnuHelp2", "mkmoney"},
               [this] { emit aboutRequested(); });
}

QWidget* FrmMain::BuildForm() {
  auto* central = new QWidget(this);

  // Personal Details: name, date and time of birth, the compute button.
  auto* frame6 = new QGroupBox(QStringLiteral("Personal Details"), central);
  frame6->setObjectName(QStringLiteral("Frame6"));
  txtName_ = NamedLineEdit("txtName", frame6);
  cboMonth_ = NamedList("cboMonth", frame6);
  cboDate_ = NamedList("cboDate", frame6);
  cboYear_ = NamedList("cboYear", frame6);
  cboHH_ = NamedList("cboHH", frame6);
  cboMM_ = NamedList("cboMM", frame6);
  cboSS_ = NamedList("cboSS", frame6);
  auto* cmdRashi = new QPushButton(QStringLiteral("Get My Indu Lagna"), frame6);
  cmdRashi->setObjectName(QStringLiteral("cmdRashi"));
  cmdRashi->setDefault(true);
  cmdRashi->setFont(LabelFont(12, true));
  connect(cmdRashi, &QPushButton::clicked, this, &FrmMain::cmdRashi_Click);
  {
    auto* grid = new QGridLayout(frame6);
    grid->addWidget(NamedLabel("Label13", QStringLiteral("Name"), frame6), 0, 0);
    grid->addWidget(txtName_, 0, 1, 1, 4);
    grid->addWidget(NamedLabel("Label5", QStringLiteral("Date of Birth"), frame6), 1, 0);
    grid->addWidget(cboMonth_, 1, 1);
    grid->addWidget(cboDate_, 1, 2);
    grid->addWidget(cboYear_, 1, 3);
    grid->addWidget(NamedLabel("Label1", QStringLiteral("Time of Birth"), frame6), 2, 0);
    grid->addWidget(cboHH_, 2, 1);
    grid->addWidget(cboMM_, 2, 2);
    grid->addWidget(cboSS_, 2, 3);
    grid->addWidget(NamedLabel("Label12", QStringLiteral("HH:MM:SS"), frame6), 2, 4);
    grid->addWidget(cmdRashi, 3, 1, 1, 4);
    grid->setColumnStretch(4, 1);
  }

  // Place Details and the lookup of the coordinates.
  auto* frame2 = new QGroupBox(QStringLiteral("Place Details"), central);
  frame2->setObjectName(QStringLiteral("Frame2"));
  txtMCity_ = NamedLineEdit("txtMCity", frame2);
  txtMState_ = NamedLineEdit("txtMState", frame2);
  txtMCountry_ = NamedLineEdit("txtMCountry", frame2);
  auto* cmdBrowser = new QPushButton(QStringLiteral("Click for Latitude && Longitude"), frame2);
  cmdBrowser->setObjectName(QStringLiteral("cmdBrowser"));
  connect(cmdBrowser, &QPushButton::clicked, this, &FrmMain::cmdBrowser_Click);
  {
    auto* grid = new QGridLayout(frame2);
    grid->addWidget(NamedLabel("Label54", QStringLiteral("City"), frame2), 0, 0);
    grid->addWidget(txtMCity_, 0, 1);
    grid->addWidget(NamedLabel("Label55", QStringLiteral("State"), frame2), 1, 0);
    grid->addWidget(txtMState_, 1, 1);
    grid->addWidget(NamedLabel("Label4", QStringLiteral("Country"), frame2), 2, 0);
    grid->addWidget(txtMCountry_, 2, 1);
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
  txtLonD_ = NamedLineEdit("txtLonD", central);
  txtLonM_ = NamedLineEdit("txtLonM", central);
  optLong0_ = new QRadioButton(QStringLiteral("East"), central);
  optLong0_->setObjectName(QStringLiteral("optLong0"));
  optLong1_ = new QRadioButton(QStringLiteral("West"), central);
  optLong1_->setObjectName(QStringLiteral("optLong1"));
  QGroupBox* frame4 = coordinateFrame("Frame4", QStringLiteral("Longitude"), central, txtLonD_,
                                      txtLonM_, "Label6", "Label8", optLong0_, optLong1_);
  txtLatD_ = NamedLineEdit("txtLatD", central);
  txtLatM_ = NamedLineEdit("txtLatM", central);
  optLat0_ = new QRadioButton(QStringLiteral("North"), central);
  optLat0_->setObjectName(QStringLiteral("optLat0"));
  optLat1_ = new QRadioButton(QStringLiteral("South"), central);
  optLat1_->setObjectName(QStringLiteral("optLat1"));
  QGroupBox* frame3 = coordinateFrame("Frame3", QStringLiteral("Latitude"), central, txtLatD_,
                                      txtLatM_, "Label7", "Label9", optLat0_, optLat1_);
  // By design East and North are chosen when the form opens.
  optLong0_->setChecked(true);
  optLat0_->setChecked(true);

  // Zone and daylight saving.
  auto* fraZone = new QGroupBox(QStringLiteral("Zone"), central);
  fraZone->setObjectName(QStringLiteral("fraZone"));
  cmbTimeZone_ = NamedList("cmbTimeZone", fraZone);
  chkDST_ = new QCheckBox(QStringLiteral("Daylight Saving Time"), fraZone);
  chkDST_->setObjectName(QStringLiteral("chkDST"));
  {
    auto* box = new QVBoxLayout(fraZone);
    box->addWidget(cmbTimeZone_);
    box->addWidget(chkDST_);
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
      new PlacePicker(PlaceWidgets{txtMCity_, txtMState_, txtMCountry_, cboMonth_, cboDate_,
                                   cboYear_, cboHH_, cboMM_, txtLatD_, txtLatM_, txtLonD_, txtLonM_,
                                   optLat0_, optLat1_, optLong0_, optLong1_, cmbTimeZone_, chkDST_},
                      messages_, this);
  fraZone->layout()->addWidget(placePicker_->resolvedLine());

  auto* grid = new QGridLayout(central);
  grid->addWidget(frame6, 0, 0, 1, 2);
  grid->addWidget(frame2, 0, 2);
  grid->addWidget(frame4, 1, 0);
  grid->addWidget(frame3, 1, 1);
  grid->addWidget(fraZone, 1, 2);
  grid->addWidget(frame5, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);

  new TypedKeyFilter(txtName_, NameKeyFilter, messages_);
  for (QLineEdit* box : {txtLonD_, txtLonM_, txtLatD_, txtLatM_}) {
    new TypedKeyFilter(box, CoordinateKeyFilter, messages_);
  }
  return central;
}

void FrmMain::Form_Load() {
  for (const char* month : kMonthNames) cboMonth_->addItem(QString::fromLatin1(month));
  for (const ZoneEntry& zone : kZones) cmbTimeZone_->addItem(Text(zone.text));
  for (int day = 1; day <= 31; ++day) cboDate_->addItem(QString::number(day));
  for (int year = kFirstYear; year <= kLastYear; ++year) cboYear_->addItem(QString::number(year));
  for (int hour = 0; hour <= 23; ++hour) cboHH_->addItem(QString::number(hour));
  for (int minute = 0; minute <= 59; ++minute) cboMM_->addItem(QString::number(minute));
  for (int second = 0; second <= 59; ++second) cboSS_->addItem(QString::number(second));

  cboMonth_->setCurrentIndex(0);
  cboDate_->setCurrentIndex(0);
  cboYear_->setCurrentIndex(0);
  cboHH_->setCurrentIndex(0);
  cboMM_->setCurrentIndex(0);
  cboSS_->setCurrentIndex(0);
  cmbTimeZone_->setCurrentIndex(kDefaultZoneIndex);
}

FormEntries FrmMain::Entries() const {
  FormEntries e;
  e.name = Std(txtName_->text());
  e.city = Std(txtMCity_->text());
  e.state = Std(txtMState_->text());
  e.country = Std(txtMCountry_->text());
  e.monthIndex = cboMonth_->currentIndex();
  e.dayText = Std(cboDate_->currentText());
  e.yearText = Std(cboYear_->currentText());
  e.hourText = Std(cboHH_->currentText());
  e.minuteText = Std(cboMM_->currentText());
  e.secondText = Std(cboSS_->currentText());
  e.lonDeg = Std(txtLonD_->text());
  e.lonMin = Std(txtLonM_->text());
  e.latDeg = Std(txtLatD_->text());
  e.latMin = Std(txtLatM_->text());
  e.east = optLong0_->isChecked();
  e.north = optLat0_->isChecked();
  e.zoneIndex = cmbTimeZone_->currentIndex();
  e.dst = chkDST_->isChecked();
  e.exactOffsetMinutes = placePicker_->ExactOffsetMinutes();
  return e;
}

void FrmMain::SetEntries(const FormEntries& e) {
  // Programmatic writes: no key filter sees them, as for pasted text.
  txtName_->setText(Text(e.name));
  txtMCity_->setText(Text(e.city));
  txtMState_->setText(Text(e.state));
  txtMCountry_->setText(Text(e.country));
  cboMonth_->setCurrentIndex(e.monthIndex);
  cboDate_->setCurrentText(Text(e.dayText));
  cboYear_->setCurrentText(Text(e.yearText));
  cboHH_->setCurrentText(Text(e.hourText));
  cboMM_->setCurrentText(Text(e.minuteText));
  cboSS_->setCurrentText(Text(e.secondText));
  txtLonD_->setText(Text(e.lonDeg));
  txtLonM_->setText(Text(e.lonMin));
  txtLatD_->setText(Text(e.latDeg));
  txtLatM_->setText(Text(e.latMin));
  (e.east ? optLong0_ : optLong1_)->setChecked(true);
  (e.north ? optLat0_ : optLat1_)->setChecked(true);
  cmbTimeZone_->setCurrentIndex(e.exactOffsetMinutes ? -1 : e.zoneIndex);
  chkDST_->setChecked(e.dst);
  placePicker_->Reset(e.exactOffsetMinutes);
}

QWidget* FrmMain::FieldWidget(FormField field) const {
  switch (field) {
    case FormField::Name:
      return txtName_;
    case FormField::City:
      return txtMCity_;
    case FormField::State:
      return txtMState_;
    case FormField::Country:
      return txtMCountry_;
    case FormField::LonDegrees:
      return txtLonD_;
    case FormField::LonMinutes:
      return txtLonM_;
    case FormField::LatDegrees:
      return txtLatD_;
    case FormField::LatMinutes:
      return txtLatM_;
  }
  return nullptr;
}

void FrmMain::Refuse(const Refusal& refusal) {
  messages_.Show(Text(refusal.message), refusal.icon);
  if (refusal.focus) {
    if (QWidget* control = FieldWidget(*refusal.focus)) control->setFocus();
  }
}

void FrmMain::cmdRashi_Click() {
  const ChartRun run = Run_Chart(session_, Entries());
  if (run.refusal) {
    Refuse(*run.refusal);
    return;
  }
  emit chartReady(run.chart);
}

void FrmMain::cmdBrowser_Click() {
  struct Required {
    QLineEdit* box;
    std::string_view message;
    FormField field;
  };
  const std::array<Required, 3> required = {{
      {txtMCity_, "Please Enter City", FormField::City},
      {txtMState_, "Please Enter State", FormField::State},
      {txtMCountry_, "Please Enter Country", FormField::Country},
  }};
  for (const Required& r : required) {
    if (r.box->text().trimmed().isEmpty()) {
      Refuse(Refusal{r.message, MessageIcon::Information, r.field});
      return;
    }
  }
  // The texts as typed; the search address encodes them.
  help_.OpenPlaceSearch(txtMCity_->text() + QLatin1Char(' ') + txtMState_->text() +
                        QLatin1Char(' ') + txtMCountry_->text() +
                        QStringLiteral(" Latitude Longitude"));
}

void FrmMain::closeEvent(QCloseEvent* event) {
  // Closing the form ends the program, like its Exit command.
  event->accept();
  emit exitRequested();
}

}  // namespace orvanta
