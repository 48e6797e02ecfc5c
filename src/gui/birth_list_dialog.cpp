#include "gui/birth_list_dialog.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>
#include <chrono>
#include <utility>
#include <vector>

#include "gui/births_db.h"
#include "gui/message_sink.h"
#include "gui/ui_common.h"

namespace orvanta {
namespace {
// The pause in the typing after which the search runs: a word typed at
// speed is searched once.
constexpr std::chrono::milliseconds kSearchPause{150};
}  // namespace

// The list's rows, one page read from the database in one query: a plain
// table model over the summaries.
class BirthListModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Reset(std::vector<BirthSummary> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  const BirthSummary& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
  void RemoveRow(int i) {
    beginRemoveRows({}, i, i);
    rows_.erase(rows_.begin() + i);
    endRemoveRows();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(kHeaders.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const BirthSummary& b = row(index.row());
    switch (index.column()) {
      case 0:
        return b.name;
      case 1:
        return b.date;
      case 2:
        return b.time;
      case 3:
        return b.place;
      default:
        // "2026-12-08T05:30:12.345Z" shown as "2026-12-08 05:30" (UTC).
        return b.savedAt.left(16).replace(QLatin1Char('T'), QLatin1Char(' '));
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromLatin1(kHeaders[static_cast<std::size_t>(section)]);
  }

 private:
  static constexpr std::array<const char*, 5> kHeaders = {"Name", "Date", "Time", "Place",
                                                          "Saved (UTC)"};
  std::vector<BirthSummary> rows_;
};

BirthListDialog::BirthListDialog(BirthsDb& db, QuestionSink& questions, MessageSink& messages,
                                 QWidget* parent)
    : QDialog(parent), db_(db), questions_(questions), messages_(messages) {
  setObjectName(QStringLiteral("frmBirths"));
  setWindowTitle(QStringLiteral("Open Birth"));
  auto* layout = new QVBoxLayout(this);

  auto* searchRow = new QHBoxLayout;
  auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
  searchEdit_ = new QLineEdit(this);
  searchEdit_->setObjectName(QStringLiteral("txtSearch"));
  searchEdit_->setPlaceholderText(QStringLiteral("Name, date (YYYY-MM-DD) or place"));
  searchEdit_->setClearButtonEnabled(true);
  searchLabel->setBuddy(searchEdit_);
  searchRow->addWidget(searchLabel);
  searchRow->addWidget(searchEdit_);
  layout->addLayout(searchRow);

  model_ = new BirthListModel(this);
  birthsList_ = new QTableView(this);
  birthsList_->setObjectName(QStringLiteral("lstBirths"));
  birthsList_->setModel(model_);
  birthsList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  birthsList_->setSelectionMode(QAbstractItemView::SingleSelection);
  birthsList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  birthsList_->verticalHeader()->hide();
  birthsList_->horizontalHeader()->setStretchLastSection(true);
  birthsList_->setMinimumSize(640, 320);
  layout->addWidget(birthsList_);
  moreLink_ = new QLabel(QStringLiteral("Showing the first %1 of the matches; type more to narrow.")
                             .arg(kBirthListLimit),
                         this);
  moreLink_->setObjectName(QStringLiteral("lblMore"));
  moreLink_->hide();
  layout->addWidget(moreLink_);

  auto* noteRow = new QHBoxLayout;
  auto* noteLabel = new QLabel(QStringLiteral("&Note:"), this);
  noteEdit_ = new QLineEdit(this);
  noteEdit_->setObjectName(QStringLiteral("txtNote"));
  noteLabel->setBuddy(noteEdit_);
  saveNoteButton_ = new QPushButton(QStringLiteral("&Keep Note"), this);
  saveNoteButton_->setObjectName(QStringLiteral("cmdSaveNote"));
  noteRow->addWidget(noteLabel);
  noteRow->addWidget(noteEdit_);
  noteRow->addWidget(saveNoteButton_);
  layout->addLayout(noteRow);

  auto* buttons = new QHBoxLayout;
  openButton_ = new QPushButton(QStringLiteral("&Open"), this);
  openButton_->setObjectName(QStringLiteral("cmdOpen"));
  openButton_->setDefault(true);
  deleteButton_ = new QPushButton(QStringLiteral("&Delete"), this);
  deleteButton_->setObjectName(QStringLiteral("cmdDelete"));
  auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  buttons->addWidget(openButton_);
  buttons->addWidget(deleteButton_);
  buttons->addStretch();
  buttons->addWidget(cmdClose);
  layout->addLayout(buttons);

  const bool saving = db_.canSave();
  deleteButton_->setEnabled(saving);
  saveNoteButton_->setEnabled(saving);
  noteEdit_->setReadOnly(!saving);

  searchDelay_.setSingleShot(true);
  searchDelay_.setInterval(kSearchPause);
  searches_.setMaxThreadCount(1);
  connect(&searchDelay_, &QTimer::timeout, this, &BirthListDialog::Refresh);
  connect(searchEdit_, &QLineEdit::textChanged, this, [this] { searchDelay_.start(); });
  connect(openButton_, &QPushButton::clicked, this, &BirthListDialog::OpenSelected);
  connect(deleteButton_, &QPushButton::clicked, this, &BirthListDialog::DeleteSelected);
  connect(saveNoteButton_, &QPushButton::clicked, this, &BirthListDialog::SaveNote);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(birthsList_, &QTableView::doubleClicked, this, &BirthListDialog::OpenSelected);
  connect(birthsList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &BirthListDialog::SelectionChanged);
  Refresh();
  searchEdit_->setFocus();
}

int BirthListDialog::rowCount() const {
  return model_->rowCount();
}

BirthListDialog::~BirthListDialog() {
  StopSearch();
  searches_.waitForDone();
}

void BirthListDialog::StopSearch() {
  if (stop_) stop_->store(true);
  stop_.reset();
}

void BirthListDialog::Refresh() {
  searchDelay_.stop();
  StopSearch();
  const quint64 generation = ++generation_;
  const QString filter = searchEdit_->text();
  if (filter.trimmed().isEmpty()) {
    // The newest births, read by the order's index: at once however many.
    Show(generation, db_.ListPage(filter));
    return;
  }
  stop_ = std::make_shared<std::atomic<bool>>(false);
  const std::shared_ptr<std::atomic<bool>> stop = stop_;
  const BirthListSource source = db_.listSource();
  const QPointer<BirthListDialog> dialog(this);
  searches_.start([dialog, generation, source, filter, stop] {
    BirthListPage page = BirthsDb::ListPageAt(source, filter, kBirthListLimit, stop.get());
    if (page.cancelled || stop->load()) return;
    // Handed to the window's thread; dropped there if the dialog is gone
    // (the dialog waits for this thread before it goes).
    QMetaObject::invokeMethod(
        dialog.data(),
        [dialog, generation, page = std::move(page)]() mutable {
          if (dialog) dialog->Show(generation, std::move(page));
        },
        Qt::QueuedConnection);
  });
}

void BirthListDialog::Show(quint64 generation, BirthListPage page) {
  if (generation != generation_) return;
  stop_.reset();
  // The note typed for the birth shown is kept before the list changes.
  KeepTypedNote();
  more_ = page.more;
  moreLink_->setVisible(more_);
  model_->Reset(std::move(page.rows));
  if (model_->rowCount() > 0) birthsList_->selectRow(0);
  SelectionChanged();
}

std::optional<qint64> BirthListDialog::SelectedId() const {
  const QModelIndexList rows = birthsList_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return model_->row(rows.front().row()).id;
}

void BirthListDialog::SelectionChanged() {
  KeepTypedNote();
  const std::optional<qint64> id = SelectedId();
  openButton_->setEnabled(id.has_value());
  deleteButton_->setEnabled(id.has_value() && db_.canSave());
  noteEdit_->clear();
  noteOf_ = id;
  if (id) {
    if (const std::optional<SavedBirth> birth = db_.Load(*id)) noteEdit_->setText(birth->note);
  }
  noteEdit_->setModified(false);
}

void BirthListDialog::KeepTypedNote() {
  if (!noteOf_ || !noteEdit_->isModified()) return;
  noteEdit_->setModified(false);
  if (!db_.SetNote(*noteOf_, noteEdit_->text())) {
    messages_.Show(QStringLiteral("The note was not kept: %1").arg(db_.lastError()),
                   MessageIcon::Stop);
  }
}

void BirthListDialog::done(int result) {
  KeepTypedNote();
  QDialog::done(result);
}

void BirthListDialog::OpenSelected() {
  const std::optional<qint64> id = SelectedId();
  if (!id) return;
  chosen_ = id;
  accept();
}

void BirthListDialog::DeleteSelected() {
  const QModelIndexList rows = birthsList_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  KeepTypedNote();
  const BirthSummary& b = model_->row(rows.front().row());
  const int answer =
      questions_.Ask(QStringLiteral("Delete the saved birth of %1, born %2? This cannot be undone.")
                         .arg(b.name, b.date),
                     {QStringLiteral("&Delete"), QStringLiteral("Cancel")}, 1);
  if (answer != 0) return;
  if (!db_.Remove(b.id)) {
    messages_.Show(QStringLiteral("The birth was not deleted: %1").arg(db_.lastError()),
                   MessageIcon::Stop);
  } else {
    // Gone from the list at once, before the list is read again.
    noteOf_.reset();
    model_->RemoveRow(rows.front().row());
  }
  Refresh();
}

void BirthListDialog::SaveNote() {
  if (!noteOf_) return;
  noteEdit_->setModified(true);
  KeepTypedNote();
}

}  // namespace orvanta
