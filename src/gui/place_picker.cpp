#include "gui/place_picker.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringListModel>

#include "gui/message_sink.h"
#include "gui/ui_common.h"
#include "io/birth_place.h"
#include "tables/zones.h"

namespace orvanta {

namespace {

// How many places the completer offers.
constexpr std::size_t kSuggestions = 12;

std::string Std(const QString& s) {
  return s.toStdString();
}

// The form's date and time of birth, as entries.
FormEntries DateEntriesOf(const PlaceWidgets& w) {
  FormEntries e;
  e.monthIndex = w.month->currentIndex();
  e.dayText = Std(w.day->currentText());
  e.yearText = Std(w.year->currentText());
  e.hourText = Std(w.hour->currentText());
  e.minuteText = Std(w.minute->currentText());
  return e;
}

// "UTC-4:00, summer time (EDT)" for a question button.
QString ReadingCaption(const ClockReading& r) {
  return Text(FormatUtcOffset(r.offsetSeconds)) +
         (r.summerTime ? QStringLiteral(", summer time") : QStringLiteral(", standard time")) +
         (r.abbreviation.empty() ? QString() : QStringLiteral(" (%1)").arg(Text(r.abbreviation)));
}

}  // namespace

std::optional<int> MessageBoxReadingChooser::Choose(const QString& question,
                                                    const QStringList& readings) {
  QMessageBox box(QMessageBox::Question, ProgramTitle(), question, QMessageBox::NoButton, parent_);
  std::vector<QPushButton*> buttons;
  for (const QString& reading : readings) {
    buttons.push_back(box.addButton(reading, QMessageBox::AcceptRole));
  }
  box.addButton(QMessageBox::Cancel);
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  }
  return std::nullopt;
}

PlacePicker::PlacePicker(const PlaceWidgets& widgets, MessageSink& messages, QWidget* form)
    : QObject(form),
      w_(widgets),
      messages_(messages),
      questionBox_(std::make_unique<MessageBoxReadingChooser>(form)),
      chooser_(questionBox_.get()) {
  setObjectName(QStringLiteral("placePicker"));
  suggestions_ = new QStringListModel(this);
  completer_ = new QCompleter(suggestions_, this);
  completer_->setObjectName(QStringLiteral("cityCompleter"));
  // The atlas matches without accents and by any word; the completer shows
  // its matches as they are.
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(static_cast<int>(kSuggestions));
  w_.city->setCompleter(completer_);
  w_.city->installEventFilter(this);
  connect(w_.city, &QLineEdit::textEdited, this, &PlacePicker::CityEdited);
  connect(w_.city, &QLineEdit::returnPressed, this, &PlacePicker::CityEntered);
  // Queued: the completer writes the whole suggestion into City after its
  // signal; the place's own name replaces it afterwards.
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
          &PlacePicker::SuggestionChosen, Qt::QueuedConnection);

  line_ = new QLabel(form);
  line_->setObjectName(QStringLiteral("lblZoneResolved"));
  line_->setTextFormat(Qt::PlainText);
  line_->setWordWrap(true);
  line_->setFont(LabelFont(9));

  suggestionButton_ = new QPushButton(form);
  suggestionButton_->setObjectName(QStringLiteral("btnZoneSuggestion"));
  suggestionButton_->setFont(LabelFont(9));
  suggestionButton_->setVisible(false);
  connect(suggestionButton_, &QPushButton::clicked, this, &PlacePicker::TakeNearestZone);
  connect(w_.country, &QLineEdit::textEdited, this, &PlacePicker::OfferNearestZone);

  for (QComboBox* list : {w_.month, w_.day, w_.year, w_.hour, w_.minute}) {
    connect(list, &QComboBox::currentIndexChanged, this, [this] {
      if (ZoneSource() != nullptr || resolution_ || !problem_.isEmpty()) Resolve();
    });
  }
  for (QLineEdit* box : {w_.latDeg, w_.latMin, w_.lonDeg, w_.lonMin}) {
    connect(box, &QLineEdit::textEdited, this, &PlacePicker::CoordinateEditedByHand);
  }
  for (QRadioButton* button : {w_.north, w_.south, w_.east, w_.west}) {
    connect(button, &QRadioButton::clicked, this, &PlacePicker::CoordinateEditedByHand);
  }
  connect(w_.zone, &QComboBox::activated, this, &PlacePicker::ZoneChosenByHand);
  connect(w_.dst, &QCheckBox::clicked, this, &PlacePicker::ZoneChosenByHand);
}

PlacePicker::~PlacePicker() = default;

bool PlacePicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == w_.city && event->type() == QEvent::FocusIn) atlas().Prepare();
  return QObject::eventFilter(watched, event);
}

const Atlas& PlacePicker::atlas() {
  if (!atlas_) atlas_.emplace();
  return *atlas_;
}

void PlacePicker::Reset(std::optional<int> exactOffsetMinutes, const std::string& zoneName) {
  place_.reset();
  zoneFromNearest_.reset();
  savedZone_.reset();
  resolution_.reset();
  problem_.clear();
  coordinatesByHand_ = false;
  zoneByHand_ = false;
  givenExactOffset_ = exactOffsetMinutes;
  if (!zoneName.empty()) RestoreZone(zoneName);
  ShowLine();
  OfferNearestZone();
}

void PlacePicker::RestoreZone(const std::string& zoneName) {
  // A tick beside a resolved zone would have made it a zone chosen by hand,
  // which is saved without a name.
  if (w_.dst->isChecked()) return;
  const std::optional<LocalDateTime> local = LocalBirthTime(DateEntriesOf(w_));
  if (!local) return;
  const ZoneResolutionResult r = ResolveZone(history_, zoneName, *local);
  std::vector<ZoneResolution> candidates;
  if (r.resolution) {
    candidates.push_back(*r.resolution);
  } else if (r.kind == LocalTimeKind::Doubled || r.kind == LocalTimeKind::Skipped) {
    // The reading the birth was saved with is the one whose offset it carries.
    candidates.push_back(ResolutionOf(zoneName, *local, r.reading.first));
    candidates.push_back(ResolutionOf(zoneName, *local, r.reading.second));
  }
  const int row = w_.zone->currentIndex();
  for (const ZoneResolution& c : candidates) {
    const bool same = givenExactOffset_ ? !c.zoneIndex && c.offsetMinutes == *givenExactOffset_
                                        : row >= 0 && c.zoneIndex == row;
    if (!same) continue;
    Place source;
    source.timeZone = zoneName;
    savedZone_ = std::move(source);
    resolution_ = c;
    return;
  }
}

const Place* PlacePicker::ZoneSource() const {
  if (place_) return &*place_;
  if (zoneFromNearest_) return &zoneFromNearest_->place;
  if (savedZone_) return &*savedZone_;
  return nullptr;
}

void PlacePicker::OfferNearestZone() {
  nearest_.reset();
  nearestInCountry_ = false;
  FormEntries e;
  e.latDeg = Std(w_.latDeg->text());
  e.latMin = Std(w_.latMin->text());
  e.lonDeg = Std(w_.lonDeg->text());
  e.lonMin = Std(w_.lonMin->text());
  e.north = w_.north->isChecked();
  e.east = w_.east->isChecked();
  const auto position = place_ ? std::nullopt : TypedPositionOf(e);
  if (position) {
    const auto code = atlas().CountryCodeOf(Std(w_.country->text()));
    nearest_ = atlas().Nearest(position->latitudeDeg, position->longitudeDeg, code.value_or(""));
    nearestInCountry_ = code.has_value();
  }
  // With a chosen place nothing is offered, so the zone in force is the
  // nearest city's taken earlier or the saved one.
  const Place* zone = ZoneSource();
  const bool inForce =
      nearest_ && zone && !zoneByHand_ && zone->timeZone == nearest_->place.timeZone;
  if (nearest_ && !inForce) {
    const Place& p = nearest_->place;
    const QString km = QString::number(nearest_->distanceKm, 'f', 0);
    suggestionButton_->setText(nearestInCountry_
                                   ? QStringLiteral("Use %1 (nearest in %2: %3, %4 km)")
                                         .arg(Text(p.timeZone), Text(p.country), Text(p.name), km)
                                   : QStringLiteral("Use %1 (nearest city: %2, %3, %4 km)")
                                         .arg(Text(p.timeZone), Text(p.name), Text(p.country), km));
  }
  suggestionButton_->setVisible(nearest_ && !inForce);
}

void PlacePicker::TakeNearestZone() {
  if (!nearest_ || place_) return;
  zoneFromNearest_ = nearest_;
  savedZone_.reset();
  zoneByHand_ = false;
  Resolve();
  OfferNearestZone();
}

QString PlacePicker::ResolvedZoneName() const {
  if (!ZoneSource() || zoneByHand_ || !resolution_) return {};
  return QString::fromStdString(ZoneSource()->timeZone);
}

std::optional<ZoneResolution> PlacePicker::ResolvedZone() const {
  if (!ZoneSource() || zoneByHand_) return std::nullopt;
  return resolution_;
}

std::optional<int> PlacePicker::ExactOffsetMinutes() const {
  if (!resolution_) {
    // An exact offset the entries brought with them, until a row is picked.
    if (givenExactOffset_ && w_.zone->currentIndex() < 0) return givenExactOffset_;
    return std::nullopt;
  }
  if (resolution_->zoneIndex) return std::nullopt;
  // A zone picked from the list wins; the tick alone keeps the offset.
  if (zoneByHand_ && w_.zone->currentIndex() >= 0) return std::nullopt;
  return resolution_->offsetMinutes;
}

void PlacePicker::CityEdited(const QString& text) {
  // A city typed anew is no longer the chosen atlas place: what came from
  // that place goes with it, unless the user set it by hand.
  if (place_ || savedZone_) ForgetPlace();
  suggested_.clear();
  QStringList rows;
  if (!text.trimmed().isEmpty()) {
    const PlaceSearch search = atlas().Search(Std(text), kSuggestions);
    suggested_ = search.matches;
    for (const Place& p : suggested_) rows << Text(DescribeMatch(p));
    if (rows.isEmpty()) line_->setText(Text(search.message.value_or("")));
  }
  suggestions_->setStringList(rows);
  if (!rows.isEmpty()) {
    line_->clear();
    completer_->complete();
    // The first suggestion is the one Enter takes: current, but not
    // selected, which would write it into City while the user types.
    completer_->popup()->selectionModel()->setCurrentIndex(
        completer_->completionModel()->index(0, 0), QItemSelectionModel::NoUpdate);
  }
}

void PlacePicker::CityEntered() {
  const QString text = w_.city->text();
  if (place_ && text == Text(place_->name)) return;
  for (const Place& p : suggested_) {
    if (text == Text(DescribeMatch(p))) {
      Choose(p);
      return;
    }
  }
  if (text.trimmed().isEmpty()) return;
  const PlaceResolution r = atlas().Resolve(Std(text));
  if (r.place) {
    Choose(*r.place);
  } else {
    line_->setText(Text(r.message));
  }
}

void PlacePicker::ForgetPlace() {
  if (!coordinatesByHand_) {
    for (QLineEdit* box : {w_.state, w_.latDeg, w_.latMin, w_.lonDeg, w_.lonMin}) {
      const QSignalBlocker block(box);
      box->clear();
    }
  }
  if (!zoneByHand_) {
    const QSignalBlocker blockZone(w_.zone), blockDst(w_.dst);
    w_.zone->setCurrentIndex(-1);
    w_.dst->setChecked(false);
  }
  Reset(std::nullopt);
}

void PlacePicker::SuggestionChosen(const QString& description) {
  const std::string wanted = Std(description);
  for (const Place& p : suggested_) {
    if (DescribeMatch(p) != wanted) continue;
    if (place_ && place_->id == p.id) {
      // Enter has taken it already; the completer wrote the whole row.
      const QSignalBlocker block(w_.city);
      w_.city->setText(Text(p.name));
    } else {
      Choose(p);
    }
    return;
  }
}

void PlacePicker::Choose(const Place& place) {
  place_ = place;
  zoneFromNearest_.reset();
  savedZone_.reset();
  coordinatesByHand_ = false;
  zoneByHand_ = false;
  const FormCoordinates c = CoordinatesToMinute(place.latitudeDeg, place.longitudeDeg);
  {
    const QSignalBlocker b1(w_.city), b2(w_.state), b3(w_.country);
    w_.city->setText(Text(place.name));
    w_.state->setText(Text(place.state));
    w_.country->setText(Text(place.country));
  }
  w_.latDeg->setText(QString::number(c.latDeg));
  w_.latMin->setText(QString::number(c.latMin));
  w_.lonDeg->setText(QString::number(c.lonDeg));
  w_.lonMin->setText(QString::number(c.lonMin));
  (c.north ? w_.north : w_.south)->setChecked(true);
  (c.east ? w_.east : w_.west)->setChecked(true);
  Resolve();
  OfferNearestZone();
}

void PlacePicker::Resolve() {
  resolution_.reset();
  problem_.clear();
  const Place* source = ZoneSource();
  if (source == nullptr) {
    ShowLine();
    return;
  }
  const auto local = LocalBirthTime(DateEntriesOf(w_));
  if (!local) {
    problem_ = QStringLiteral(
                   "%1: the date does not exist; the zone is resolved again when it "
                   "does")
                   .arg(Text(source->timeZone));
    ShowLine();
    return;
  }
  const ZoneResolutionResult r = ResolveZone(history_, source->timeZone, *local);
  if (r.resolution) {
    resolution_ = r.resolution;
  } else if (r.kind == LocalTimeKind::Doubled || r.kind == LocalTimeKind::Skipped) {
    const QString question = Text(LocalTimeProblem(source->timeZone, *local, r.reading, "", "")) +
                             QStringLiteral("\n\nWhich reading is meant?");
    const QStringList readings = {ReadingCaption(r.reading.first),
                                  ReadingCaption(r.reading.second)};
    if (const auto chosen = chooser_->Choose(question, readings)) {
      resolution_ =
          ResolutionOf(source->timeZone, *local, *chosen == 0 ? r.reading.first : r.reading.second);
    } else {
      problem_ = Text(LocalTimeProblem(source->timeZone, *local, r.reading, "", "")) +
                 QStringLiteral(" No reading was chosen: choose the zone by hand.");
    }
  } else {
    problem_ = Text(r.message);
  }
  if (resolution_ && !zoneByHand_) {
    const QSignalBlocker blockZone(w_.zone), blockDst(w_.dst);
    w_.zone->setCurrentIndex(resolution_->zoneIndex.value_or(-1));
    w_.dst->setChecked(false);
  }
  ShowLine();
}

void PlacePicker::ShowLine() {
  QString text;
  if (resolution_) {
    text = Text(DescribeResolution(*resolution_));
    if (place_ && !place_->matchedName.empty())
      text = Text(DescribeMatch(*place_)) + QStringLiteral(": ") + text;
    if (zoneFromNearest_)
      text = QStringLiteral("Zone of %1, %2 km away: ")
                 .arg(Text(Describe(zoneFromNearest_->place)),
                      QString::number(zoneFromNearest_->distanceKm, 'f', 0)) +
             text;
  } else {
    text = problem_;
  }
  if (!text.isEmpty()) {
    if (zoneByHand_) text += QStringLiteral("; the zone chosen by hand is used instead");
    if (coordinatesByHand_) text += QStringLiteral("; the coordinates entered by hand are used");
  }
  line_->setText(text);
  emit zoneShown();
}

void PlacePicker::CoordinateEditedByHand() {
  if (!place_ && !savedZone_) {
    OfferNearestZone();
    // A zone taken from a city stays only while that city's clock is still
    // the nearest one's: coordinates moved nearer another clock give it up.
    if (zoneFromNearest_ && !zoneByHand_ &&
        (!nearest_ || nearest_->place.timeZone != zoneFromNearest_->place.timeZone)) {
      {
        const QSignalBlocker blockZone(w_.zone), blockDst(w_.dst);
        w_.zone->setCurrentIndex(-1);
        w_.dst->setChecked(false);
      }
      Reset(std::nullopt);
    } else if (zoneFromNearest_ && nearest_) {
      zoneFromNearest_ = nearest_;
      ShowLine();
    }
    return;
  }
  coordinatesByHand_ = true;
  ShowLine();
}

void PlacePicker::ZoneChosenByHand() {
  if (ZoneSource() != nullptr) {
    zoneByHand_ = true;
    ShowLine();
    OfferNearestZone();
  }
  WarnIfCountedTwice();
}

void PlacePicker::WarnIfCountedTwice() {
  if (w_.dst->isChecked() && IsSummerTimeRow(w_.zone->currentIndex())) {
    messages_.Show(QStringLiteral("\"%1\" already includes daylight saving: with the Daylight "
                                  "Saving Time tick the hour is counted twice.")
                       .arg(w_.zone->currentText()),
                   MessageIcon::Information);
  }
}

}  // namespace orvanta
