// Open Birth: the list of saved births, searchable by name, date and place,
// newest first, with the time of birth, so that two births of one name and
// date can be told apart. Open takes the chosen birth back to the caller;
// Delete asks first; a note can be kept with each birth, and a note typed
// is kept when another birth is chosen or the list closes.
#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;

namespace orvanta {

class BirthsDb;
class BirthListModel;
class MessageSink;
class QuestionSink;

class BirthListDialog : public QDialog {
  Q_OBJECT
 public:
  BirthListDialog(BirthsDb& db, QuestionSink& questions, MessageSink& messages,
                  QWidget* parent = nullptr);

  // The birth chosen with Open (the dialog is then accepted).
  std::optional<qint64> chosen() const { return chosen_; }
  // The births listed now.
  int rowCount() const;
  // Reads the list again with the search text as it stands.
  void Refresh();

  void OpenSelected();
  void DeleteSelected();
  void SaveNote();

  // Keeps a typed note before the dialog closes.
  void done(int result) override;

 private:
  std::optional<qint64> SelectedId() const;
  void SelectionChanged();
  // Saves the note box into the birth it was shown for, when it was edited.
  void KeepTypedNote();

  BirthsDb& db_;
  QuestionSink& questions_;
  MessageSink& messages_;
  BirthListModel* model_ = nullptr;
  QLineEdit* txtSearch_ = nullptr;
  QTableView* lstBirths_ = nullptr;
  QLineEdit* txtNote_ = nullptr;
  QPushButton* cmdOpen_ = nullptr;
  QPushButton* cmdDelete_ = nullptr;
  QPushButton* cmdSaveNote_ = nullptr;
  std::optional<qint64> chosen_;
  std::optional<qint64> noteOf_;  // the birth whose note the note box shows
};

}  // namespace orvanta
