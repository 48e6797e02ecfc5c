// The birth-data form: name, date and time of birth, place, latitude and
// longitude, time zone and daylight saving, the compute button, the place
// lookup and the form's menus.
//
// The form only moves values: it copies its entries into FormEntries, runs
// the chart computation with the program's Session, shows a refusal with its
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
#pragma once

#include <QMainWindow>
#include <memory>

#include "io/birth_entries.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace orvanta {

class HelpLinks;
class MessageSink;
class PlacePicker;
class ReadingChooser;

class FrmMain : public QMainWindow {
  Q_OBJECT
 public:
  FrmMain(Session& session, MessageSink& messages, const HelpLinks& help,
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

  Session& session_;
  MessageSink& messages_;
  const HelpLinks& help_;

  QLineEdit* txtName_ = nullptr;
  QComboBox* cboMonth_ = nullptr;
  QComboBox* cboDate_ = nullptr;
  QComboBox* cboYear_ = nullptr;
  QComboBox* cboHH_ = nullptr;
  QComboBox* cboMM_ = nullptr;
  QComboBox* cboSS_ = nullptr;
  QLineEdit* txtMCity_ = nullptr;
  QLineEdit* txtMState_ = nullptr;
  QLineEdit* txtMCountry_ = nullptr;
  QComboBox* cmbTimeZone_ = nullptr;
  QCheckBox* chkDST_ = nullptr;
  QLineEdit* txtLonD_ = nullptr;
  QLineEdit* txtLonM_ = nullptr;
  QLineEdit* txtLatD_ = nullptr;
  QLineEdit* txtLatM_ = nullptr;
  QRadioButton* optLong0_ = nullptr;    // East
  QRadioButton* optLong1_ = nullptr;    // West
  QRadioButton* optLat0_ = nullptr;     // North
  QRadioButton* optLat1_ = nullptr;     // South
  PlacePicker* placePicker_ = nullptr;  // atlas places and the zone's history
  std::unique_ptr<ReadingQuestion> readingQuestion_;
};

}  // namespace orvanta
