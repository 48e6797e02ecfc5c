// The birth-data form: name, date and time of birth, place, latitude and
// longitude, time zone and daylight saving, the compute button, the place
// lookup and the form's menus.
//
// The form only moves values: it copies its entries into FormEntries, runs
// the chart computation with the program's calculation settings, shows a refusal with its
// icon and moves the focus to the control the refusal names, or hands the
// computed chart on through chartReady(). Typed characters pass the key
// filters of the core; pasted text is checked again by the computation.
//
// A local time that happened twice or never at the chosen place is asked
// about once the date and time are complete: when the focus leaves the
// date and time lists, or at the latest when the user computes, never while
// a year is still being typed. A birth whose reading was not chosen is
// asked about again when computed, and refused when no reading is chosen
// then either; a zone chosen by hand settles it.
//
// The zone's rules on the form: a zone resolved from the tz history counts
// its summer time, so the daylight-saving tick is off and disabled beside
// it (the reason in its tooltip), never an hour on top. A chart is never
// computed with an empty zone box: coordinates typed without a place take
// the nearest atlas city's zone (in the country the Country box names),
// shown in the line under the zone, or the chart is refused saying which
// zone to choose; coordinates typed over a chosen place keep its zone only
// while the nearest atlas city is on that clock. Where the place keeps its
// own clock (a city time, local mean time: tz/birth_clock.h) the line under
// the zone says so and one click beside it takes the tz zone's reading
// instead, or back. Clearing the city clears the country too.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "atlas/atlas.h"
#include "io/birth_entries.h"
#include "tz/clock_preference.h"
#include "tz/zone_history.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvanta {

struct BirthClock;
class LinkLabel;
class HelpLinks;
class MessageSink;
class PlacePicker;
class ReadingChooser;

class FrmMain : public QMainWindow {
  Q_OBJECT
 public:
  FrmMain(const CalculationSettings& settings, MessageSink& messages, const HelpLinks& help,
          QWidget* parent = nullptr);
  ~FrmMain() override;

  // Who answers the question of a local time that happened twice or never
  // (a question box over the form until this is called; tests answer
  // without one).
  void SetReadingChooser(ReadingChooser* chooser);

  // The entries as they stand (list positions, texts, option buttons).
  FormEntries Entries() const;
  // Fills the form with entries, the inverse of Entries().
  void SetEntries(const FormEntries& entries);
  // The tz database name of the zone the atlas resolved for the entries;
  // empty when the zone was entered by hand.
  QString ResolvedZoneName() const;

  // The compute button and its menu command.
  void ComputeChartFromForm();
  // The place lookup: checks city, state and country, then opens a search.
  void SearchPlace();
  // Writes the calculation settings into the line under the
  // compute button ("lblSettings"), which opens the settings when clicked.
  void ShowSettingsLine();

 signals:
  // A computation succeeded; the receiver shows the result window.
  void chartReady(const orvanta::ChartOutput& chart);
  void aboutRequested();
  // F1 or Help > "Orvanta Help": the offline manual.
  void manualRequested();
  // Tools > Settings…
  void settingsRequested();
  void exitRequested();

 protected:
  // Enter in a field of the form computes.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildForm();
  void LoadForm();
  void Refuse(const Refusal& refusal);
  QWidget* FieldWidget(FormField field) const;  // the control that holds a field

  class ReadingQuestion;
  // Whether the focus is in a list of the date or time of birth.
  bool DateOrTimeHasFocus() const;
  // Resolves the zone of the chosen place again for the date and time as
  // they stand.
  void ResolveZoneAgain();
  // False when the local time still needs a reading the user did not choose:
  // asks once more, and refuses the computation if it stays unchosen.
  bool ReadingSettled();
  // After the picker wrote its line: the tick beside the zone, the birth's
  // own clock and its other choice.
  void ZoneShown();
  void ShowClock();
  // False when the chart would have no zone or a stale one: takes the
  // nearest atlas city's zone where one is offered, else refuses.
  bool ZoneReady();
  const Atlas& atlas();

  const CalculationSettings& settings_;  // the shell's, as Tools > Settings changed them last
  MessageSink& messages_;
  const HelpLinks& help_;

  QLineEdit* nameEdit_ = nullptr;
  QComboBox* monthBox_ = nullptr;
  QComboBox* dayBox_ = nullptr;
  QComboBox* yearBox_ = nullptr;
  QComboBox* hourBox_ = nullptr;
  QComboBox* minuteBox_ = nullptr;
  QComboBox* secondBox_ = nullptr;
  QLineEdit* cityEdit_ = nullptr;
  QLineEdit* stateEdit_ = nullptr;
  QLineEdit* countryEdit_ = nullptr;
  QComboBox* cmbTimeZone_ = nullptr;
  QCheckBox* daylightTickBox_ = nullptr;
  QLineEdit* lonDegreesEdit_ = nullptr;
  QLineEdit* lonMinutesEdit_ = nullptr;
  QLineEdit* latDegreesEdit_ = nullptr;
  QLineEdit* latMinutesEdit_ = nullptr;
  QRadioButton* eastButton_ = nullptr;   // East
  QRadioButton* westButton_ = nullptr;   // West
  QRadioButton* northButton_ = nullptr;  // North
  QRadioButton* southButton_ = nullptr;  // South
  PlacePicker* placePicker_ = nullptr;   // atlas places and the zone's history
  std::unique_ptr<ReadingQuestion> readingQuestion_;
  QLabel* clockLine_ = nullptr;            // "lblBirthClock": the place's own clock
  QPushButton* btnClockChoice_ = nullptr;  // "btnClockChoice": the other clock, one click
  LinkLabel* settingsLine_ = nullptr;      // the calculation settings in one line
  ZoneHistory history_;
  std::optional<Atlas> atlas_;  // the nearest city of typed coordinates, loaded on first use
  // The zone in force read with the place's own clock, and which of the
  // two clocks the user takes.
  std::unique_ptr<BirthClock> birthClock_;  // none where the picker's reading holds alone
  ClockPreference clockPreference_ = ClockPreference::City;
  // The clock a birth was opened with where the form's boxes cannot hold it
  // (an offset with seconds, a city's own clock or the place's mean time,
  // with its caption): kept while the entries it came with are unchanged,
  // so that an opened birth computes as it was saved.
  struct HeldClock {
    FormEntries shown;  // the entries as the form gave them back after opening
    std::optional<int> offsetSeconds;
    std::string caption;
    std::optional<ClockSource> source;
  };
  std::optional<HeldClock> heldClock_;
};

}  // namespace orvanta
