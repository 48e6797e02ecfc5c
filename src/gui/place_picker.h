// Birth places from the offline atlas on the birth-data form, and the clock's
// offset from the time-zone history.
//
// PlacePicker works on the form's own widgets. Typing in City offers the
// matching atlas places (name, state, country; by any of their names,
// without case or accents) in a completer whose first row Enter takes, or
// says that no place matches; choosing one fills City, State, Country, both coordinates with their
// hemispheres, the zone and the daylight-saving tick (off: the resolved offset holds the daylight
// hour). The line under the zone says what was resolved, and is resolved again when the date or
// time changes. A coordinate or zone that the user changes by hand wins, and the line says so.
// Retyping the city forgets the place and clears the state, coordinates and zone it filled, so that
// no chart is computed for one place with another's clock. Coordinates typed without an atlas place
// bring a button under the zone that offers the zone of the nearest atlas city (in the country the
// Country box names, else anywhere); clicking it resolves that zone as choosing a place does, until
// the coordinates move nearer a city on another clock. A local time that happened twice or
// never asks the user which reading is meant. Ticking daylight saving together with a daylight zone
// warns that the hour counts twice.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "atlas/atlas.h"
#include "tz/zone_history.h"
#include "tz/zone_resolution.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QWidget;

namespace orvanta {

class MessageSink;

// Asks which of two readings of a local time is meant.
class ReadingChooser {
 public:
  virtual ~ReadingChooser() = default;
  // 0 for the first of `readings`, 1 for the second, no value when the user
  // chose neither.
  virtual std::optional<int> Choose(const QString& question, const QStringList& readings) = 0;
};

// The real one: a question box over `parent` with one button per reading.
class MessageBoxReadingChooser final : public ReadingChooser {
 public:
  explicit MessageBoxReadingChooser(QWidget* parent) : parent_(parent) {}
  std::optional<int> Choose(const QString& question, const QStringList& readings) override;

 private:
  QWidget* parent_;
};

// The form's widgets the picker reads and fills.
struct PlaceWidgets {
  QLineEdit* city;
  QLineEdit* state;
  QLineEdit* country;
  QComboBox* month;
  QComboBox* day;
  QComboBox* year;
  QComboBox* hour;
  QComboBox* minute;
  QLineEdit* latDeg;
  QLineEdit* latMin;
  QLineEdit* lonDeg;
  QLineEdit* lonMin;
  QRadioButton* north;
  QRadioButton* south;
  QRadioButton* east;
  QRadioButton* west;
  QComboBox* zone;
  QCheckBox* dst;
};

class PlacePicker : public QObject {
  Q_OBJECT
 public:
  PlacePicker(const PlaceWidgets& widgets, MessageSink& messages, QWidget* form);
  ~PlacePicker() override;

  // The atlas is made ready when City takes the focus, so that the first
  // key typed there finds it parsed.
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The line under the zone ("lblZoneResolved"); the form places it.
  QLabel* resolvedLine() const { return line_; }
  // The button that offers the nearest city's zone ("btnZoneSuggestion");
  // the form places it, the picker shows and hides it.
  QPushButton* zoneSuggestion() const { return suggestionButton_; }
  QCompleter* completer() const { return completer_; }

  // The exact offset east of Greenwich in minutes when the resolved offset
  // has no zone row and the zone was not chosen by hand.
  std::optional<int> ExactOffsetMinutes() const;

  // The tz database name of the zone resolved from the chosen atlas place;
  // empty when no place was chosen or the zone was chosen by hand.
  QString ResolvedZoneName() const;

  // The zone resolved for the chosen atlas place and the form's date; no
  // value when no place is chosen or the zone was chosen by hand.
  std::optional<ZoneResolution> ResolvedZone() const;

  // Replaces the question box (tests answer without a modal box).
  void SetReadingChooser(ReadingChooser* chooser) { chooser_ = chooser; }

  // Fills the form from an atlas place and resolves its zone.
  void Choose(const Place& place);

  // True when the zone in force came from an atlas place (the chosen one,
  // or the nearest city's taken for typed coordinates), not from saved
  // entries nor the user.
  bool ZoneFromAtlasPlace() const { return (place_ || zoneFromNearest_) && !zoneByHand_; }
  // True when the user typed the coordinates over a chosen place or saved
  // entries.
  bool CoordinatesTypedByHand() const { return coordinatesByHand_; }

  // Forgets the chosen place (the form was filled from other entries); an
  // exact offset those entries carry stays in force until a zone row is
  // picked. `zoneName`, the tz zone those entries were resolved from (a
  // saved birth's), is taken back when it still gives the form's date and
  // time the zone row or exact offset they carry: the zone then follows a
  // changed date as a chosen place's does.
  void Reset(std::optional<int> exactOffsetMinutes, const std::string& zoneName = {});

 signals:
  // The line under the zone was written anew: the zone was resolved,
  // forgotten or chosen by hand.
  void zoneShown();

 private:
  const Atlas& atlas();
  void CityEdited(const QString& text);
  void SuggestionChosen(const QString& description);
  // Enter in City: the highlighted suggestion, or the place the text names
  // by a whole name; otherwise the line says why there is none.
  void CityEntered();
  // Clears what the chosen place filled (state, coordinates, zone) unless
  // the user set it by hand, and forgets the place.
  void ForgetPlace();
  void Resolve();
  void ShowLine();
  void CoordinateEditedByHand();
  void ZoneChosenByHand();
  void WarnIfCountedTwice();
  // The nearest city for the typed coordinates and Country, offered on the
  // button unless its zone is the one in force.
  void OfferNearestZone();
  void TakeNearestZone();
  // The place whose zone is resolved: the chosen one, the nearest city
  // whose zone was taken for typed coordinates, or the zone the entries
  // were saved with.
  const Place* ZoneSource() const;
  void RestoreZone(const std::string& zoneName);

  PlaceWidgets w_;
  MessageSink& messages_;
  std::unique_ptr<MessageBoxReadingChooser> questionBox_;
  ReadingChooser* chooser_;
  std::optional<Atlas> atlas_;  // loaded on the first typed city
  ZoneHistory history_;

  QCompleter* completer_ = nullptr;
  QStringListModel* suggestions_ = nullptr;
  std::vector<Place> suggested_;
  QLabel* line_ = nullptr;

  QPushButton* suggestionButton_ = nullptr;
  std::optional<NearbyPlace> nearest_;  // offered on the button
  bool nearestInCountry_ = false;       // found in the country the form names

  std::optional<Place> place_;  // the chosen atlas place
  // The nearest city whose zone was taken for coordinates typed by hand.
  std::optional<NearbyPlace> zoneFromNearest_;
  // The zone the entries given to Reset were saved with (only its tz name
  // is set).
  std::optional<Place> savedZone_;
  std::optional<ZoneResolution> resolution_;
  QString problem_;  // why the zone could not be resolved, shown in the line
  bool coordinatesByHand_ = false;
  bool zoneByHand_ = false;
  std::optional<int> givenExactOffset_;  // from Reset
};

}  // namespace orvanta
