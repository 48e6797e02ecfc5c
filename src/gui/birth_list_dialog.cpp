#include "gui/birth_list_dialog.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>
#include <vector>

#include "gui/births_db.h"
#include "gui/message_sink.h"
#include "gui/ui_common.h"

namespace orvanta {

// The list's rows, read from the database in one query: a plain table model
// over the summaries, so that ten thousand births list at once.
class BirthListModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Reset(std::vector<BirthSummary> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  const BirthSummary& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }

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
  txtSearch_ = new QLineEdit(this);
  txtSearch_->setObjectName(QStringLiteral("txtSearch"));
  txtSearch_->setPlaceholderText(QStringLiteral("Name, date (YYYY-MM-DD) or place"));
  txtSearch_->setClearButtonEnabled(true);
  searchLabel->setBuddy(txtSearch_);
  searchRow->addWidget(searchLabel);
  searchRow->addWidget(txtSearch_);
  layout->addLayout(searchRow);

  model_ = new BirthListModel(this);
  lstBirths_ = new QTableView(this);
  lstBirths_->setObjectName(QStringLiteral("lstBirths"));
  lstBirths_->setModel(model_);
  lstBirths_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstBirths_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstBirths_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstBirths_->verticalHeader()->hide();
  lstBirths_->horizontalHeader()->setStretchLastSection(true);
  lstBirths_->setMinimumSize(640, 320);
  layout->addWidget(lstBirths_);

  auto* noteRow = new QHBoxLayout;
  auto* noteLabel = new QLabel(QStringLiteral("&Note:"), this);
  txtNote_ = new QLineEdit(this);
  txtNote_->setObjectName(QStringLiteral("txtNote"));
  noteLabel->setBuddy(txtNote_);
  cmdSaveNote_ = new QPushButton(QStringLiteral("&Keep Note"), this);
  cmdSaveNote_->setObjectName(QStringLiteral("cmdSaveNote"));
  noteRow->addWidget(noteLabel);
  noteRow->addWidget(txtNote_);
  noteRow->addWidget(cmdSaveNote_);
  layout->addLayout(noteRow);

  auto* buttons = new QHBoxLayout;
  cmdOpen_ = new QPushButton(QStringLiteral("&Open"), this);
  cmdOpen_->setObjectName(QStringLiteral("cmdOpen"));
  cmdOpen_->setDefault(true);
  cmdDelete_ = new QPushButton(QStringLiteral("&Delete"), this);
  cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
  auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  buttons->addWidget(cmdOpen_);
  buttons->addWidget(cmdDelete_);
  buttons->addStretch();
  buttons->addWidget(cmdClose);
  layout->addLayout(buttons);

  const bool saving = db_.canSave();
  cmdDelete_->setEnabled(saving);
  cmdSaveNote_->setEnabled(saving);
  txtNote_->setReadOnly(!saving);

  connect(txtSearch_, &QLineEdit::textChanged, this, &BirthListDialog::Refresh);
  connect(cmdOpen_, &QPushButton::clicked, this, &BirthListDialog::OpenSelected);
  connect(cmdDelete_, &QPushButton::clicked, this, &BirthListDialog::DeleteSelected);
  connect(cmdSaveNote_, &QPushButton::clicked, this, &BirthListDialog::SaveNote);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(lstBirths_, &QTableView::doubleClicked, this, &BirthListDialog::OpenSelected);
  connect(lstBirths_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &BirthListDialog::SelectionChanged);
  Refresh();
  txtSearch_->setFocus();
}

int BirthListDialog::rowCount() const {
  return model_->rowCount();
}

void BirthListDialog::Refresh() {
  // The note typed for the birth shown is kept before the list changes.
  KeepTypedNote();
  model_->Reset(db_.List(txtSearch_->text()));
  if (model_->rowCount() > 0) lstBirths_->selectRow(0);
  SelectionChanged();
}

std::optional<qint64> BirthListDialog::SelectedId() const {
  const QModelIndexList rows = lstBirths_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return model_->row(rows.front().row()).id;
}

void BirthListDialog::SelectionChanged() {
  KeepTypedNote();
  const std::optional<qint64> id = SelectedId();
  cmdOpen_->setEnabled(id.has_value());
  cmdDelete_->setEnabled(id.has_value() && db_.canSave());
  txtNote_->clear();
  noteOf_ = id;
  if (id) {
    if (const std::optional<SavedBirth> birth = db_.Load(*id)) txtNote_->setText(birth->note);
  }
  txtNote_->setModified(false);
}

void BirthListDialog::KeepTypedNote() {
  if (!noteOf_ || !txtNote_->isModified()) return;
  txtNote_->setModified(false);
  if (!db_.SetNote(*noteOf_, txtNote_->text())) {
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
  const QModelIndexList rows = lstBirths_->selectionModel()->selectedRows();
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
  }
  Refresh();
}

void BirthListDialog::SaveNote() {
  if (!noteOf_) return;
  txtNote_->setModified(true);
  KeepTypedNote();
}

}  // namespace orvanta
