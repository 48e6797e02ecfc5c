// Open Birth: the list of saved births, searchable by name, date and place,
// newest first, with the time of birth, so that two births of one name and
// date can be told apart. Open takes the chosen birth back to the caller;
// Delete asks first; a note can be kept with each birth, and a note typed
// is kept when another birth is chosen or the list closes.
//
// The list shows the first kBirthListLimit births that match, with a line
// saying so when more match. A typed search waits for a pause in the typing
// and runs on a thread of the dialog's own, so that the window answers at
// once however many births are saved; a search overtaken by newer typing is
// stopped and its result dropped.
#pragma once

#include <QDialog>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

#include "gui/births_db.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace orvanta {

class BirthListModel;
class MessageSink;
class QuestionSink;

class BirthListDialog : public QDialog {
  Q_OBJECT
 public:
  BirthListDialog(BirthsDb& db, QuestionSink& questions, MessageSink& messages,
                  QWidget* parent = nullptr);
  // Stops a search still running and waits for its thread.
  ~BirthListDialog() override;

  // The birth chosen with Open (the dialog is then accepted).
  std::optional<qint64> chosen() const { return chosen_; }
  // The births listed now.
  int rowCount() const;
  // Whether a search typed is still to be shown (waiting for the pause in
  // the typing, or running).
  bool searching() const { return searchDelay_.isActive() || stop_ != nullptr; }
  // Whether more births match than the list shows.
  bool hasMore() const { return more_; }
  // Reads the list again with the search text as it stands: without a
  // search at once (its first page, read by the order's index); a search
  // on the search thread, its page shown when it comes.
  void Refresh();

  void OpenSelected();
  void DeleteSelected();
  void SaveNote();

  // Keeps a typed note before the dialog closes.
  void done(int result) override;

 private:
  // Shows a page read for the search of `generation`, unless newer typing
  // has overtaken it.
  void Show(quint64 generation, BirthListPage page);
  // Stops the search running, if any; its result will be dropped.
  void StopSearch();
  std::optional<qint64> SelectedId() const;
  void SelectionChanged();
  // Saves the note box into the birth it was shown for, when it was edited.
  void KeepTypedNote();

  BirthsDb& db_;
  QuestionSink& questions_;
  MessageSink& messages_;
  BirthListModel* model_ = nullptr;
  QLineEdit* searchEdit_ = nullptr;
  QTableView* birthsList_ = nullptr;
  QLabel* moreLink_ = nullptr;
  QLineEdit* noteEdit_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* saveNoteButton_ = nullptr;
  std::optional<qint64> chosen_;
  std::optional<qint64> noteOf_;  // the birth whose note the note box shows
  bool more_ = false;
  // A pause in the typing before the search runs.
  QTimer searchDelay_;
  // One search at a time, off the window's thread.
  QThreadPool searches_;
  // Counts the searches started; a result of an older one is dropped.
  quint64 generation_ = 0;
  // The cancel flag of the search running, shared with its thread.
  std::shared_ptr<std::atomic<bool>> stop_;
};

}  // namespace orvanta
