// The births database: the births a user keeps, in one SQLite file in the
// user's data folder, read and written through Qt SQL.
//
// A saved birth holds everything the birth-data form holds (FormEntries),
// the time-zone name when a place lookup resolved one (empty otherwise), the
// exact offset from Universal Time in minutes when it is known, a note and
// the time it was saved (UTC).
//
// Each birth keeps its name, date and place folded for searching, so that
// the list is searched in the file and read a page at a time, never whole.
//
// The file carries its schema version in SQLite's user_version. Version 3
// keeps each birth as its numbers (the columns are described in
// births_db.cpp and io/saved_birth.h). A file of version 1 or 2 is migrated
// at its first start: a copy of it is kept beside it first
// (births.sqlite.v1 or .v2, or .v2-2 and so on beside an older copy, which
// is never replaced), then every birth is converted in one transaction. A
// migration that cannot keep its copy or fails part way (a full disk)
// leaves the old file as it was, says so, and the births are read as they
// are, saving off; a file that cannot be written is read as it is too.
// Every change is one transaction in SQLite's write-ahead log, so a crash or
// a kill in the middle of a save leaves the file as it was before it.
//
// At start the file passes SQLite's full integrity check (every row and
// index entry), or, when that takes longer than its budget (a very large
// file on a slow disk), the quick check of every page. The file is never
// written when it cannot be used as it is: a file that cannot be written
// (read-only, another user's in a folder that is not the user's, on a full
// disk) is opened for reading only (births can be opened, not saved); a
// file that is locked by another program, fails the check, or is of a
// newer schema is not used at all. Each case leaves a message in the
// program's own words that says which it is ("damaged" only when the check
// says so); charts are computed as before. Nothing here throws or shows a
// window.
#pragma once

#include <QDateTime>
#include <QSqlError>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "io/birth_entries.h"
#include "model/birth.h"

namespace orvanta {

// The schema version this program writes.
inline constexpr int kBirthsSchemaVersion = 3;

// How many births the list shows at most: a list of a million is read a
// page at a time, never whole.
inline constexpr int kBirthListLimit = 500;

// How long the full integrity check at start may take before the quick
// check decides instead: a file of a hundred thousand births is checked in
// full well within it.
inline constexpr std::chrono::milliseconds kBirthsIntegrityBudget{3000};

struct SavedBirth {
  qint64 id = 0;  // 0 for a birth not yet saved
  FormEntries entries;
  QString timeZoneName;  // empty when not resolved
  // The exact offset east of UT the form used instead of a zone row (one no
  // row carries); none when a row was used. Saving takes the entries' own
  // exact offset when this is not set; loading gives it back to the entries.
  std::optional<int> utcOffsetMinutes;
  QString note;
  QDateTime savedAt;  // UTC
  // The birth as its numbers, as Load read it (the entries are made from it).
  Birth birth;
};

// One line of the list of saved births.
struct BirthSummary {
  qint64 id = 0;
  QString name;
  QString date;     // YYYY-MM-DD
  QString time;     // the time of birth as entered, H:M:S
  QString place;    // city, state, country, the empty ones left out
  QString savedAt;  // UTC, ISO 8601 with milliseconds
};

// One read of the list: the first births that match, and whether there are
// more than were read.
struct BirthListPage {
  std::vector<BirthSummary> rows;
  bool more = false;       // more births match than `rows` holds
  bool cancelled = false;  // stopped before its end; rows holds nothing
  QString error;           // why the births could not be read; empty on success
};

// Where a connection of another thread reads the list from: the same file,
// opened as the births file's own connection opens it, for reading only.
struct BirthListSource {
  QString databaseName;
  QString connectOptions;
  // Whether the file keeps the folded search text of each birth (a file of
  // an older version opened for reading only does not).
  bool searchColumn = true;
  // Whether the births are kept as their numbers (version 3) rather than
  // as the form's entries.
  bool typedColumns = true;
  // Whether the file keeps births a migration could not convert beside them.
  bool notConverted = false;
  bool readable = false;
};

// A row of an import that was not imported.
struct ImportProblem {
  long line = 0;  // line of the file where the row starts
  QString message;
};

// What an import does with a birth whose name and date are already saved
// (or came earlier in the same file).
enum class DuplicateChoice { Skip, KeepBoth };

// How an import is watched and steered from another thread. Every member is
// optional; the callbacks run on the importing thread.
struct ImportControl {
  // The share of the file read so far, 0..1, every few hundred rows.
  std::function<void(double share)> progress;
  // Set to stop: the import is rolled back and the file left as it was.
  const std::atomic<bool>* cancel = nullptr;
  // Called once, before anything is kept, when `count` of the births read
  // are already saved: whether to skip them or keep both. Without it they
  // are kept.
  std::function<DuplicateChoice(int count)> askDuplicates;
};

inline constexpr std::size_t kImportProblemsKept = 1000;

struct ImportReport {
  int imported = 0;
  int duplicates = 0;  // births already saved, skipped or kept as chosen
  bool duplicatesSkipped = false;
  // The first kImportProblemsKept problems, in file order; problemCount
  // counts them all.
  std::vector<ImportProblem> problems;
  long problemCount = 0;
  bool cancelled = false;  // nothing was saved
  QString failure;         // set when the file could not be read or nothing could be saved
};

class BirthsDb {
 public:
  enum class State { Ready, ReadOnly, Locked, Damaged, NewerSchema, CannotOpen };

  // The births file in the user's data folder.
  static QString DefaultPath();

  // Opens the file, creating it and its folder when they do not exist;
  // the full integrity check may take `integrityBudget`.
  explicit BirthsDb(const QString& path,
                    std::chrono::milliseconds integrityBudget = kBirthsIntegrityBudget);
  ~BirthsDb();
  BirthsDb(const BirthsDb&) = delete;
  BirthsDb& operator=(const BirthsDb&) = delete;

  State state() const { return state_; }
  bool canRead() const { return state_ == State::Ready || state_ == State::ReadOnly; }
  bool canSave() const { return state_ == State::Ready; }
  // What the user is told when the file cannot be used in full; empty when Ready.
  const QString& message() const { return message_; }
  // Why the last change or read failed.
  const QString& lastError() const { return lastError_; }
  const QString& path() const { return path_; }
  // Whether the full integrity check ran to its end at start (false when
  // its budget ran out and the quick check decided).
  bool fullyChecked() const { return fullyChecked_; }
  // The schema version of the file as it is read (kBirthsSchemaVersion
  // once migrated; an older one read as it is); 0 when it is not read.
  int version() const { return version_; }
  // The copy of the older file this start kept before migrating it; empty
  // when nothing was migrated.
  const QString& backupPath() const { return backup_; }
  // The births of an older file that could not be converted (values the
  // form cannot show); they stay in the file as they were.
  int notConverted() const { return notConverted_; }

  // Saves a new birth; its id, or nothing when the save failed (the failure
  // is in message(), and saving is then off).
  std::optional<qint64> Add(const SavedBirth& birth);
  // Replaces the entries, zone name and offset of a saved birth, keeping its
  // note when `keepNote`; the save time is renewed.
  bool Update(qint64 id, const SavedBirth& birth, bool keepNote = true);
  bool SetNote(qint64 id, const QString& note);
  bool Remove(qint64 id);

  // Saved births with the same name and date as `entries`, newest first.
  std::vector<qint64> FindSame(const FormEntries& entries) const;
  // Births whose name, date or place contains `filter`, newest first; every
  // birth when the filter is empty. Both sides are folded as the atlas folds
  // names (case, accents and punctuation aside), so "jose" finds
  // "JOSÉ D'SOUZA".
  std::vector<BirthSummary> List(const QString& filter = {}) const;
  // The first `limit` births of List(filter), in its order.
  BirthListPage ListPage(const QString& filter, int limit = kBirthListLimit) const;
  // Where another thread reads the list from.
  BirthListSource listSource() const;
  // ListPage on a connection of its own to `source`: runs on any thread,
  // and stops early (cancelled) once `cancel` is set.
  static BirthListPage ListPageAt(const BirthListSource& source, const QString& filter, int limit,
                                  const std::atomic<bool>* cancel);
  std::vector<BirthSummary> Recent(int count = 5) const;
  std::optional<SavedBirth> Load(qint64 id) const;
  int Count() const;

  // Imports a births file (io/births_csv.h) in one transaction: the good
  // rows are saved, each bad row is reported with its line. Rows are read,
  // checked and saved one at a time, so memory stays the same however long
  // the file is. Runs on any thread: the import opens a connection of its
  // own to the births file.
  ImportReport ImportCsv(const QString& csvPath, const ImportControl& control = {});
  // Writes every birth, oldest first, as a births file; an error text, or
  // empty on success. The file is replaced only once it is written whole:
  // on any failure the previous file is left as it was.
  QString ExportCsv(const QString& csvPath) const;

  // The date column of a birth: YYYY-MM-DD.
  static QString DateKey(const FormEntries& entries);
  static QString DateKey(const Birth& birth);

 private:
  enum class Access { ReadWrite, ReadOnly, Immutable };
  // Why the file could not be used, told apart by SQLite's code and the
  // system's error under it.
  enum class Cause {
    InUse,
    Damaged,
    NewerSchema,
    DiskFull,
    TooLarge,
    NotWritable,
    CannotOpen,
    DiskError,
    NoDriver,
    Other
  };
  struct Failure {
    Cause cause = Cause::Other;
    int code = 0;  // SQLite's primary result code, 0 for a finding of this program
  };
  Failure FailureOf(const QSqlError& error) const;
  // The cause in the program's own words, never SQLite's text.
  static QString CauseText(const Failure& failure);

  void Open();
  // Opens the connection for `access`, checks the file and, for writing,
  // takes it up to date; the failure, none when the file can be used so.
  std::optional<Failure> Connect(Access access, int& version);
  void Fail(State state, const QString& message);
  // A failed write: a file found locked, read-only or damaged turns saving
  // off with its message.
  void WriteFailed(const QSqlError& error);
  // Takes the file from `fromVersion` (0: a new file) to kBirthsSchemaVersion
  // inside the open transaction.
  bool Migrate(int fromVersion);
  // Converts the births of a file of version 1 or 2 into the new table.
  bool ConvertBirths();
  // Whether the file keeps births a migration could not convert.
  bool HasNotConverted() const;
  // Where the copy of a file of `version` is kept: a name not yet taken.
  QString BackupPath(int version) const;
  // Runs `change` in one transaction; on failure rolls back, records the
  // message and turns saving off when the file cannot be written.
  template <typename Change>
  bool InTransaction(Change&& change);

  QString path_;
  QString connection_;
  BirthListSource listSource_;
  State state_ = State::CannotOpen;
  QString message_;
  mutable QString lastError_;
  Failure lastFailure_;  // of the last migration step
  // Why the migration of an older file failed, and whether its copy had
  // been kept (and was taken away again) when it did.
  struct MigrationFailure {
    Failure failure;
    bool copied = false;
  };
  std::optional<MigrationFailure> migration_;
  int version_ = 0;
  QString backup_;
  int notConverted_ = 0;
  std::chrono::milliseconds integrityBudget_;
  bool fullyChecked_ = false;
};

}  // namespace orvanta
