#include "gui/births_db.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QUrl>
#include <QVariant>
#include <array>
#include <cerrno>
#include <cstring>
#include <span>
#include <unordered_map>

#include "atlas/atlas.h"
#include "io/birth_entries.h"
#include "io/birth_resolution.h"
#include "io/births_csv.h"
#include "io/bytes.h"
#include "io/csv.h"
#include "io/place_cache.h"
#include "io/saved_birth.h"
#include "io/validation.h"
#include "io/whole_file.h"

namespace orvanta {
namespace {

constexpr char kDriver[] = "QSQLITE";
constexpr char kFileName[] = "births.sqlite";
// How long a statement waits for another program's lock before it fails.
constexpr int kBusyTimeoutMs = 1000;

// SQLite's primary result codes, as Qt reports them in nativeErrorCode().
constexpr int kSqlitePerm = 3;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteInterrupt = 9;
constexpr int kSqliteIoErr = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;
// Virtual-machine steps between two looks at the integrity check's deadline.
constexpr int kProgressSteps = 10000;

// The primary code of an error (an extended code carries it in its low byte).
int PrimaryCode(const QSqlError& error) {
  return error.nativeErrorCode().toInt() & 0xff;
}

// The SQLite connection under a Qt one, for what Qt does not offer.
sqlite3* HandleOf(const QSqlDatabase& db) {
  const QVariant handle = db.driver()->handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
  return *static_cast<sqlite3* const*>(handle.constData());
}

// The progress handler of the integrity check: non-zero stops it.
int DeadlinePassed(void* deadline) {
  return static_cast<const QDeadlineTimer*>(deadline)->hasExpired() ? 1 : 0;
}

// Version 1: one table of births, searched by name and date and listed by
// the time of saving, each birth as the form left it. Files of this version
// and the next are read to be migrated, or as they are when they cannot be
// written; the statements stay here as the record of what they hold.
[[maybe_unused]] constexpr std::array<const char*, 3> kVersion1 = {
    "CREATE TABLE births ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " birth_date TEXT NOT NULL,"  // YYYY-MM-DD, for searching and the same-birth check
    " month_index INTEGER NOT NULL,"
    " day_text TEXT NOT NULL, year_text TEXT NOT NULL,"
    " hour_text TEXT NOT NULL, minute_text TEXT NOT NULL, second_text TEXT NOT NULL,"
    " city TEXT NOT NULL, state TEXT NOT NULL, country TEXT NOT NULL,"
    " lat_deg TEXT NOT NULL, lat_min TEXT NOT NULL, north INTEGER NOT NULL,"
    " lon_deg TEXT NOT NULL, lon_min TEXT NOT NULL, east INTEGER NOT NULL,"
    " zone_index INTEGER NOT NULL,"
    " dst INTEGER NOT NULL,"
    " tz_name TEXT NOT NULL DEFAULT '',"  // empty when no place lookup resolved it
    " utc_offset_minutes INTEGER,"        // NULL when not known
    " note TEXT NOT NULL DEFAULT '',"
    " saved_at TEXT NOT NULL)",  // UTC, ISO 8601 with milliseconds
    "CREATE INDEX births_by_name_date ON births(name, birth_date)",
    "CREATE INDEX births_by_saved ON births(saved_at, id)",
};

// Version 2 added each birth's name, date and place folded for searching
// (FoldedSearchText), so that the list is searched in the database:
//   ALTER TABLE births ADD COLUMN search_text TEXT NOT NULL DEFAULT ''
// The first version that keeps the search text.
constexpr int kSearchTextVersion = 2;

// Version 3: each birth as its numbers (io/saved_birth.h). The local date
// and time are ISO 8601 texts, the date apart so that the same-birth check
// and the list's search keep their index; the latitude and longitude whole
// degrees and minutes (the resolution the chart computes with) with their
// hemispheres (north, east: 1; south, west: 0), so that 0°0′ South stays
// South; the clock its offset east of Greenwich in seconds without the
// tick, the tick, the summer-time reading (NULL where a file of an older
// version did not keep it), the tz zone's name, the zone list's row (NULL
// where none was chosen) and where the clock came from (ClockSourceKey).
constexpr std::array<const char*, 3> kVersion3 = {
    "CREATE TABLE births ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " birth_date TEXT NOT NULL,"  // YYYY-MM-DD, local
    " birth_time TEXT NOT NULL,"  // HH:MM:SS, local
    " city TEXT NOT NULL, state TEXT NOT NULL, country TEXT NOT NULL,"
    " lat_deg INTEGER NOT NULL, lat_min INTEGER NOT NULL, north INTEGER NOT NULL,"
    " lon_deg INTEGER NOT NULL, lon_min INTEGER NOT NULL, east INTEGER NOT NULL,"
    " utc_offset_seconds INTEGER NOT NULL,"  // east of Greenwich, without the tick
    " dst INTEGER NOT NULL,"                 // the daylight-saving tick
    " summer_time INTEGER,"                  // 1 summer, 0 standard, NULL not known
    " tz_name TEXT NOT NULL DEFAULT '',"     // empty when the clock is no tz zone's
    " zone_row INTEGER,"                     // NULL when no row was chosen
    " clock_source TEXT NOT NULL,"
    " note TEXT NOT NULL DEFAULT '',"
    " saved_at TEXT NOT NULL,"  // UTC, ISO 8601 with milliseconds
    " search_text TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX births_by_name_date ON births(name, birth_date)",
    "CREATE INDEX births_by_saved ON births(saved_at, id)",
};

// A file of version 1 or 2 keeps the births that cannot be converted (a
// value the form cannot show, which could not be opened before either) in
// this table, as they were; the migration drops it when it is empty.
constexpr char kNotConverted[] = "births_not_converted";

// The columns of a birth of versions 1 and 2, in the order EntriesAt reads them.
constexpr char kOldColumns[] =
    "name, birth_date, month_index, day_text, year_text, hour_text, minute_text, second_text,"
    " city, state, country, lat_deg, lat_min, north, lon_deg, lon_min, east, zone_index, dst,"
    " tz_name, utc_offset_minutes";
constexpr int kOldColumnCount = 21;

// The columns of a birth of version 3, in the order BirthAt reads them.
constexpr char kColumns[] =
    "name, birth_date, birth_time, city, state, country, lat_deg, lat_min, north, lon_deg,"
    " lon_min, east, utc_offset_seconds, dst, summer_time, tz_name, zone_row, clock_source";
constexpr int kColumnCount = 18;

// Qt binds a null QString as SQL NULL; the text columns hold "" instead.
QString NotNull(const QString& s) {
  return s.isNull() ? QString(QLatin1String("")) : s;
}

QString Q(const std::string& s) {
  return NotNull(QString::fromStdString(s));
}

// True when the file or folder may be written: by the permission bits as
// well as by access(), so that a file marked read-only stays untouched even
// for a user (root) whom the system would let write it.
bool Writable(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  struct stat st {};
  if (::stat(native.constData(), &st) != 0) return false;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(native.constData(), W_OK) == 0;
}

QString NowUtc() {
  return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// The birth a saved birth's entries make: the zone's name and the exact
// offset the form used (one no zone row carries) come with it, so that
// reopening it computes the same chart. Nothing when an entry is no number
// (only entries the form has not checked).
std::optional<Birth> BirthOfSaved(const SavedBirth& b) {
  FormEntries e = b.entries;
  if (b.utcOffsetMinutes) e.exactOffsetMinutes = b.utcOffsetMinutes;
  e.zoneName = b.timeZoneName.toStdString();
  return BirthOfFormEntries(e);
}

// A births-file row's birth as the list keeps it: a tz name the row gives
// beside its zone or offset stays with the clock, which then counts as
// read from that zone.
Birth ImportedBirth(const BirthReading& reading, const std::string& zoneName) {
  Birth b = reading.birth;
  if (b.clock.zoneName.empty() && !zoneName.empty()) {
    b.clock.zoneName = zoneName;
    if (b.clock.source == ClockSource::ZoneRow || b.clock.source == ClockSource::GivenOffset)
      b.clock.source = ClockSource::ZoneHistory;
  }
  return b;
}

QVariant VariantOf(const StoredValue& v) {
  switch (v.kind) {
    case StoredValue::Kind::Integer:
      return QVariant(static_cast<qlonglong>(v.integer));
    case StoredValue::Kind::Text:
      return QVariant(Q(v.text));
    default:
      return QVariant(QMetaType(QMetaType::LongLong));  // NULL
  }
}

// Binds the kColumns of `stored` from position 0.
void BindRow(QSqlQuery& q, const StoredTypedBirth& s) {
  const std::array<const StoredValue*, kColumnCount> values = {
      &s.name,          &s.birthDate,    &s.birthTime,  &s.city,   &s.state,   &s.country,
      &s.latDeg,        &s.latMin,       &s.north,      &s.lonDeg, &s.lonMin,  &s.east,
      &s.offsetSeconds, &s.daylightTick, &s.summerTime, &s.tzName, &s.zoneRow, &s.clockSource};
  for (int i = 0; i < kColumnCount; ++i)
    q.bindValue(i, VariantOf(*values[static_cast<std::size_t>(i)]));
}

// One stored value with the kind SQLite gave it (Qt's SQLite driver hands
// out an integer as qlonglong, a real as double, a blob as QByteArray).
StoredValue StoredAt(const QSqlQuery& q, int i) {
  const QVariant v = q.value(i);
  StoredValue s;
  if (v.isNull()) return s;
  switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
      return StoredValue::Integer(v.toLongLong());
    case QMetaType::Double:
      s.kind = StoredValue::Kind::Real;
      return s;
    case QMetaType::QByteArray:
      s.kind = StoredValue::Kind::Blob;
      return s;
    default:
      return StoredValue::Text(v.toString().toStdString());
  }
}

// Reads the columns of kOldColumns from `first` on, checked as the form
// would show them: the entries, or why the form cannot show the birth.
Parsed<FormEntries> EntriesAt(const QSqlQuery& q, int first) {
  const auto at = [&](int i) { return StoredAt(q, first + i); };
  StoredBirth s;
  s.name = at(0);
  s.monthIndex = at(2);
  s.dayText = at(3);
  s.yearText = at(4);
  s.hourText = at(5);
  s.minuteText = at(6);
  s.secondText = at(7);
  s.city = at(8);
  s.state = at(9);
  s.country = at(10);
  s.latDeg = at(11);
  s.latMin = at(12);
  s.north = at(13);
  s.lonDeg = at(14);
  s.lonMin = at(15);
  s.east = at(16);
  s.zoneIndex = at(17);
  s.dst = at(18);
  s.tzName = at(19);
  s.utcOffsetMinutes = at(20);
  return EntriesOfStoredBirth(s);
}

// Reads the columns of kColumns from `first` on, checked as the form would
// show them: the birth, or why the form cannot show it.
Parsed<Birth> BirthAt(const QSqlQuery& q, int first) {
  const auto at = [&](int i) { return StoredAt(q, first + i); };
  StoredTypedBirth s;
  const std::array<StoredValue*, kColumnCount> values = {
      &s.name,          &s.birthDate,    &s.birthTime,  &s.city,   &s.state,   &s.country,
      &s.latDeg,        &s.latMin,       &s.north,      &s.lonDeg, &s.lonMin,  &s.east,
      &s.offsetSeconds, &s.daylightTick, &s.summerTime, &s.tzName, &s.zoneRow, &s.clockSource};
  for (int i = 0; i < kColumnCount; ++i) *values[static_cast<std::size_t>(i)] = at(i);
  return BirthOfStoredRow(s);
}

// The form's entries of a stored row of either layout, the zone's name in
// `zoneName`, and the birth they make; or why the form cannot show it.
struct ReadRow {
  std::optional<FormEntries> entries;
  Birth birth;
  std::string error;
};
ReadRow RowAt(const QSqlQuery& q, int first, bool typed) {
  ReadRow row;
  if (typed) {
    Parsed<Birth> birth = BirthAt(q, first);
    if (!birth.value) return {std::nullopt, {}, birth.error};
    Parsed<FormEntries> entries = FormEntriesOfBirth(*birth.value);
    if (!entries.value) return {std::nullopt, {}, entries.error};
    return {std::move(entries.value), std::move(*birth.value), {}};
  }
  Parsed<FormEntries> entries = EntriesAt(q, first);
  if (!entries.value) return {std::nullopt, {}, entries.error};
  std::optional<Birth> birth = BirthOfFormEntries(*entries.value);
  if (!birth) return {std::nullopt, {}, "its entries are not numbers"};
  return {std::move(entries.value), std::move(*birth), {}};
}

QString PlaceOf(const QString& city, const QString& state, const QString& country) {
  QStringList parts;
  for (const QString& p : {city, state, country}) {
    if (!p.trimmed().isEmpty()) parts << p.trimmed();
  }
  return parts.join(QStringLiteral(", "));
}

// The text the list's search looks in: name, date and place in one text,
// folded as the atlas folds names (case, accents and punctuation aside);
// the blanks between them keep a word of one from running into the next.
QString FoldedSearchText(const QString& name, const QString& date, const QString& place) {
  const QString joined = name + QLatin1Char(' ') + date + QLatin1Char(' ') + place;
  return NotNull(
      QString::fromStdString(FoldPlaceText(joined.toStdString()).value_or(std::string())));
}

QString SearchTextOf(const Birth& b) {
  return FoldedSearchText(Q(b.name), Q(IsoDateOf(LocalMoment(b))),
                          PlaceOf(Q(b.city), Q(b.state), Q(b.country)));
}

}  // namespace

QString BirthsDb::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
         QLatin1String(kFileName);
}

QString BirthsDb::DateKey(const Birth& b) {
  return QStringLiteral("%1-%2-%3")
      .arg(b.local.year)
      .arg(b.local.month, 2, 10, QLatin1Char('0'))
      .arg(b.local.day, 2, 10, QLatin1Char('0'));
}

QString BirthsDb::DateKey(const FormEntries& e) {
  return QStringLiteral("%1-%2-%3")
      .arg(Q(e.yearText))
      .arg(e.monthIndex + 1, 2, 10, QLatin1Char('0'))
      .arg(Q(e.dayText).rightJustified(2, QLatin1Char('0')));
}

BirthsDb::BirthsDb(const QString& path, std::chrono::milliseconds integrityBudget)
    : path_(path),
      connection_(QStringLiteral("orvanta-births-%1").arg(quintptr(this), 0, 16)),
      integrityBudget_(integrityBudget) {
  Open();
}

BirthsDb::Failure BirthsDb::FailureOf(const QSqlError& error) const {
  const int code = PrimaryCode(error);
  // The system's own error of SQLite's last call, which tells a full disk
  // from the other failures of reading and writing.
  int systemError = 0;
  if (sqlite3* handle = HandleOf(QSqlDatabase::database(connection_, false))) {
    systemError = sqlite3_system_errno(handle);
  }
  const bool denied = systemError == EACCES || systemError == EPERM || systemError == EROFS;
  switch (code) {
    case kSqliteBusy:
    case kSqliteLocked:
      return {Cause::InUse, code};
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
      return {Cause::Damaged, code};
    case kSqliteFull:
      return {Cause::DiskFull, code};
    case kSqliteReadOnly:
    case kSqlitePerm:
      return {Cause::NotWritable, code};
    case kSqliteCantOpen:
      return {denied ? Cause::NotWritable : Cause::CannotOpen, code};
    case kSqliteIoErr:
      if (systemError == ENOSPC || systemError == EDQUOT) return {Cause::DiskFull, code};
      if (systemError == EFBIG) return {Cause::TooLarge, code};
      if (denied) return {Cause::NotWritable, code};
      return {Cause::DiskError, code};
    default:
      return {Cause::Other, code};
  }
}

QString BirthsDb::CauseText(const Failure& failure) {
  switch (failure.cause) {
    case Cause::InUse:
      return QStringLiteral("it is in use by another program");
    case Cause::Damaged:
      return QStringLiteral("it is damaged");
    case Cause::NewerSchema:
      return QStringLiteral("it was written by a newer version of Orvanta");
    case Cause::DiskFull:
      return QStringLiteral("the disk that holds it is full");
    case Cause::TooLarge:
      return QStringLiteral("it has reached the largest file size allowed here");
    case Cause::NotWritable:
      return QStringLiteral("it may not be written (no permission, or a read-only disk)");
    case Cause::CannotOpen:
      return QStringLiteral("the system refused to open it");
    case Cause::DiskError:
      return QStringLiteral("the disk reported an error reading or writing it");
    case Cause::NoDriver:
      return QStringLiteral("the SQLite driver of Qt is not installed");
    case Cause::Other:
      break;
  }
  return QStringLiteral("the database reported error %1").arg(failure.code);
}

BirthsDb::~BirthsDb() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isValid()) db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

void BirthsDb::Fail(State state, const QString& message) {
  state_ = state;
  message_ = message;
  if (state != State::ReadOnly) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isValid()) db.close();
  }
}

std::optional<BirthsDb::Failure> BirthsDb::Connect(Access access, int& version) {
  {
    QSqlDatabase old = QSqlDatabase::database(connection_, false);
    if (old.isValid()) old.close();
  }
  QSqlDatabase db = QSqlDatabase::contains(connection_)
                        ? QSqlDatabase::database(connection_, false)
                        : QSqlDatabase::addDatabase(QLatin1String(kDriver), connection_);
  if (!db.isValid()) return Failure{Cause::NoDriver, 0};
  QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
  if (access == Access::Immutable) {
    // Read as a file no program changes: SQLite then needs no shared-memory
    // file beside it, which a folder that cannot be written (or a full
    // disk) would refuse.
    db.setDatabaseName(QUrl::fromLocalFile(path_).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?immutable=1"));
    options += QStringLiteral(";QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY");
  } else {
    db.setDatabaseName(path_);
    if (access == Access::ReadOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
  }
  db.setConnectOptions(options);
  // The list's searches on other threads open the file as this connection
  // does, for reading only.
  listSource_.databaseName = db.databaseName();
  listSource_.connectOptions =
      access == Access::ReadWrite ? options + QStringLiteral(";QSQLITE_OPEN_READONLY") : options;
  if (!db.open()) return FailureOf(db.lastError());

  QSqlQuery q(db);
  // The full check reads every row and every index entry, which the quick
  // check skips (a row missing from an index passes it). It may take
  // kBirthsIntegrityBudget at most: past that (a file of millions of rows
  // on a slow disk) the progress handler stops it and the quick check,
  // which reads each page once, decides instead.
  fullyChecked_ = false;
  sqlite3* handle = HandleOf(db);
  QDeadlineTimer deadline(integrityBudget_);
  if (handle != nullptr) {
    sqlite3_progress_handler(handle, kProgressSteps, &DeadlinePassed, &deadline);
  }
  bool checked = q.exec(QStringLiteral("PRAGMA integrity_check(1)")) && q.next();
  if (handle != nullptr) sqlite3_progress_handler(handle, 0, nullptr, nullptr);
  if (checked) {
    fullyChecked_ = true;
  } else if (PrimaryCode(q.lastError()) == kSqliteInterrupt) {
    q.finish();
    checked = q.exec(QStringLiteral("PRAGMA quick_check(1)")) && q.next();
  }
  if (!checked) return FailureOf(q.lastError());
  if (q.value(0).toString() != QLatin1String("ok")) return Failure{Cause::Damaged, 0};
  if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
    return FailureOf(q.lastError());
  }
  version = q.value(0).toInt();
  q.finish();
  if (version > kBirthsSchemaVersion) return Failure{Cause::NewerSchema, 0};
  if (access != Access::ReadWrite) return std::nullopt;

  // A file of an older version is copied beside itself before anything in
  // it changes; without the copy it is not changed at all.
  QString backup;
  if (version >= 1 && version < kBirthsSchemaVersion) {
    backup = BackupPath(version);
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.bindValue(0, backup);
    if (!q.exec()) {
      const Failure failure = FailureOf(q.lastError());
      QFile::remove(backup);
      migration_ = MigrationFailure{failure, false};
      return failure;
    }
    q.finish();
  }
  // Taking the write lock now tells at once whether another program holds
  // the file, and brings an older file up to date in one transaction: the
  // old file stays as it was unless every birth is converted. This happens
  // before the file is put in write-ahead-log mode, so that a failed
  // migration does not change a byte of it.
  const auto migrationFailed = [&](const Failure& failure) {
    q.exec(QStringLiteral("ROLLBACK"));
    if (!backup.isEmpty()) {
      QFile::remove(backup);
      migration_ = MigrationFailure{failure, true};
    }
    return failure;
  };
  if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    const Failure failure = FailureOf(q.lastError());
    if (!backup.isEmpty()) QFile::remove(backup);
    return failure;
  }
  if (version < kBirthsSchemaVersion && !Migrate(version)) return migrationFailed(lastFailure_);
  if (!q.exec(QStringLiteral("COMMIT"))) return migrationFailed(FailureOf(q.lastError()));
  if (!backup.isEmpty()) backup_ = backup;

  // Write-ahead logging: a commit appends to the log without waiting for
  // the disk (synchronous=NORMAL), and a process killed at any point leaves
  // the file as it was after its last commit. Only a power failure could
  // lose the latest commits, never the file's consistency.
  if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
      !q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"))) {
    return FailureOf(q.lastError());
  }
  q.finish();
  version = kBirthsSchemaVersion;
  return std::nullopt;
}

QString BirthsDb::BackupPath(int version) const {
  // births.sqlite.v2, or births.sqlite.v2-2 and so on beside an older copy:
  // a copy already there is never replaced.
  const QString first = path_ + QStringLiteral(".v%1").arg(version);
  QString candidate = first;
  for (int n = 2; QFileInfo::exists(candidate); ++n) {
    candidate = first + QStringLiteral("-%1").arg(n);
  }
  return candidate;
}

void BirthsDb::Open() {
  const QString shown = QDir::toNativeSeparators(path_);
  const QString goesOn = QStringLiteral(" Charts can still be computed; saving births is off.");
  const QFileInfo info(path_);
  const bool exists = info.exists();
  if (!exists && !QDir().mkpath(info.absolutePath())) {
    Fail(State::CannotOpen,
         QStringLiteral("The folder for the births file \"%1\" cannot be created.").arg(shown) +
             goesOn);
    return;
  }
  if (!exists && !Writable(info.absolutePath())) {
    Fail(State::CannotOpen,
         QStringLiteral("The births file \"%1\" cannot be created: its folder may not be written.")
                 .arg(shown) +
             goesOn);
    return;
  }
  if (exists && info.isDir()) {
    Fail(State::CannotOpen,
         QStringLiteral("The births file \"%1\" is a folder.").arg(shown) + goesOn);
    return;
  }
  // SQLite writes its journal beside the file, so a file in a folder that
  // cannot be written is read-only too.
  const bool readOnly = exists && (!Writable(path_) || !Writable(info.absolutePath()));
  Access access = readOnly ? Access::ReadOnly : Access::ReadWrite;
  // Why the file cannot be written, when it was opened for reading only.
  std::optional<Failure> notWritable;
  if (readOnly) notWritable = Failure{Cause::NotWritable, 0};
  int version = 0;
  for (;;) {
    const std::optional<Failure> failure = Connect(access, version);
    if (!failure) break;
    switch (failure->cause) {
      case Cause::InUse:
        Fail(State::Locked,
             QStringLiteral("The births file \"%1\" is in use by another program.").arg(shown) +
                 goesOn);
        return;
      case Cause::Damaged:
        Fail(State::Damaged,
             QStringLiteral(
                 "The births file \"%1\" is damaged and cannot be read. It is left as it is; "
                 "move it away to start a new one.")
                     .arg(shown) +
                 goesOn);
        return;
      case Cause::NewerSchema:
        Fail(State::NewerSchema,
             QStringLiteral("The births file \"%1\" was written by a newer version of Orvanta "
                            "(file version %2; this version knows up to %3). It is left as it "
                            "is.")
                     .arg(shown)
                     .arg(version)
                     .arg(kBirthsSchemaVersion) +
                 goesOn);
        return;
      case Cause::NoDriver:
        Fail(State::CannotOpen,
             QStringLiteral("The SQLite driver of Qt is not installed, so births cannot be kept.") +
                 goesOn);
        return;
      default:
        break;
    }
    // The file cannot be written (a full disk, no permission, a folder
    // that is not the user's): it is read without a write.
    if (access == Access::ReadWrite) {
      notWritable = *failure;
      access = Access::ReadOnly;
      continue;
    }
    // Reading a file in write-ahead-log mode needs a shared-memory file
    // beside it; where that cannot be made, the file is read as it stands
    // on the disk, which holds every commit once no log is left over.
    const QFileInfo log(path_ + QStringLiteral("-wal"));
    if (access == Access::ReadOnly && (!log.exists() || log.size() == 0)) {
      access = Access::Immutable;
      continue;
    }
    // Why it could not be written says more than a failed read-only open
    // of a file that is not there.
    const Failure& why =
        failure->cause == Cause::CannotOpen && notWritable ? *notWritable : *failure;
    Fail(State::CannotOpen,
         QStringLiteral("The births file \"%1\" cannot be opened: %2.").arg(shown, CauseText(why)) +
             goesOn);
    return;
  }
  version_ = version;
  listSource_.typedColumns = version >= kBirthsSchemaVersion;
  listSource_.notConverted = listSource_.typedColumns && HasNotConverted();
  if (!notWritable) {
    state_ = State::Ready;
    message_.clear();
    listSource_.searchColumn = true;
    return;
  }
  // A file of an older version that cannot be written is read as it is:
  // its list is searched without the folded search text it lacks.
  listSource_.searchColumn = version >= kSearchTextVersion;
  if (migration_ && version >= 1) {
    state_ = State::ReadOnly;
    const QString why = CauseText(migration_->failure);
    message_ =
        (migration_->copied
             ? QStringLiteral("The births file \"%1\" could not be brought up to date for this "
                              "version of Orvanta (%2).")
                   .arg(shown, why)
             : QStringLiteral("The births file \"%1\" could not be brought up to date for this "
                              "version of Orvanta: no copy of it could be kept beside it (%2).")
                   .arg(shown, why)) +
        QStringLiteral(" It is left as it was: saved births can be opened, saving is off.");
    return;
  }
  if (version < 1) {  // not even the table of births yet
    Fail(State::CannotOpen,
         QStringLiteral("The births file \"%1\" cannot be written (%2) and is of an older "
                        "version that cannot be brought up to date.")
                 .arg(shown, CauseText(*notWritable)) +
             goesOn);
    return;
  }
  state_ = State::ReadOnly;
  message_ = notWritable->cause == Cause::NotWritable
                 ? QStringLiteral(
                       "The births file \"%1\" is read-only: saved births can be opened, "
                       "but saving is off until the file can be written.")
                       .arg(shown)
                 : QStringLiteral(
                       "The births file \"%1\" cannot be written: %2. Saved births can be "
                       "opened; saving is off.")
                       .arg(shown, CauseText(*notWritable));
}

bool BirthsDb::Migrate(int fromVersion) {
  const QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  const auto run = [&](const QString& statement) {
    if (q.exec(statement)) return true;
    lastFailure_ = FailureOf(q.lastError());
    return false;
  };
  if (fromVersion >= 1) {
    // The old table keeps its births under another name while they are
    // converted; its indexes make room for the new table's.
    if (!run(QStringLiteral("DROP INDEX IF EXISTS births_by_name_date")) ||
        !run(QStringLiteral("DROP INDEX IF EXISTS births_by_saved")) ||
        !run(QStringLiteral("ALTER TABLE births RENAME TO %1").arg(QLatin1String(kNotConverted)))) {
      return false;
    }
  }
  for (const char* statement : kVersion3) {
    if (!run(QLatin1String(statement))) return false;
  }
  if (fromVersion >= 1 && !ConvertBirths()) return false;
  return run(QStringLiteral("PRAGMA user_version = %1").arg(kBirthsSchemaVersion));
}

bool BirthsDb::ConvertBirths() {
  const QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery read(db);
  read.setForwardOnly(true);
  QSqlQuery write(db);
  if (!read.exec(QStringLiteral("SELECT id, %1, note, saved_at FROM %2 ORDER BY id")
                     .arg(QLatin1String(kOldColumns), QLatin1String(kNotConverted))) ||
      !write.prepare(
          QStringLiteral("INSERT INTO births (%1, id, note, saved_at, search_text)"
                         " VALUES (%2?, ?, ?, ?)")
              .arg(QLatin1String(kColumns), QStringLiteral("?, ").repeated(kColumnCount)))) {
    lastFailure_ = FailureOf(read.lastError().isValid() ? read.lastError() : write.lastError());
    return false;
  }
  while (read.next()) {
    // A birth the form cannot show stays in the old table as it was.
    const ReadRow row = RowAt(read, 1, false);
    if (!row.entries) continue;
    StoredTypedBirth stored = StoredRowOf(row.birth);
    // The older files did not keep whether the clock read summer time;
    // the form finds it again from the zone when the birth is opened.
    stored.summerTime = StoredValue{};
    BindRow(write, stored);
    write.bindValue(kColumnCount, read.value(0));
    write.bindValue(kColumnCount + 1, NotNull(read.value(kOldColumnCount + 1).toString()));
    write.bindValue(kColumnCount + 2, read.value(kOldColumnCount + 2));
    write.bindValue(kColumnCount + 3, SearchTextOf(row.birth));
    if (!write.exec()) {
      lastFailure_ = FailureOf(write.lastError());
      return false;
    }
  }
  if (read.lastError().isValid()) {
    lastFailure_ = FailureOf(read.lastError());
    return false;
  }
  read.finish();
  QSqlQuery q(db);
  const auto run = [&](const QString& statement) {
    if (q.exec(statement)) return true;
    lastFailure_ = FailureOf(q.lastError());
    return false;
  };
  const QString old = QLatin1String(kNotConverted);
  if (!run(QStringLiteral("DELETE FROM %1 WHERE id IN (SELECT id FROM births)").arg(old)) ||
      !run(QStringLiteral("SELECT count(*) FROM %1").arg(old)) || !q.next()) {
    return false;
  }
  const int left = q.value(0).toInt();
  q.finish();
  notConverted_ = left;
  if (left == 0) return run(QStringLiteral("DROP TABLE %1").arg(old));
  // The births left over are listed and searched beside the others, and
  // opening one names the value the form cannot show, as before.
  if (!db.record(old).contains(QStringLiteral("search_text")) &&
      !run(QStringLiteral("ALTER TABLE %1 ADD COLUMN search_text TEXT NOT NULL DEFAULT ''")
               .arg(old))) {
    return false;
  }
  QSqlQuery rows(db);
  QSqlQuery fill(db);
  if (!rows.exec(
          QStringLiteral("SELECT id, name, birth_date, city, state, country FROM %1").arg(old)) ||
      !fill.prepare(QStringLiteral("UPDATE %1 SET search_text = ? WHERE id = ?").arg(old))) {
    lastFailure_ = FailureOf(rows.lastError().isValid() ? rows.lastError() : fill.lastError());
    return false;
  }
  while (rows.next()) {
    const auto text = [&](int i) { return rows.value(i).toString(); };
    fill.bindValue(0, FoldedSearchText(text(1), text(2), PlaceOf(text(3), text(4), text(5))));
    fill.bindValue(1, rows.value(0));
    if (!fill.exec()) {
      lastFailure_ = FailureOf(fill.lastError());
      return false;
    }
  }
  return true;
}

bool BirthsDb::HasNotConverted() const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
  q.bindValue(0, QLatin1String(kNotConverted));
  return q.exec() && q.next();
}

void BirthsDb::WriteFailed(const QSqlError& error) {
  const Failure failure = FailureOf(error);
  lastError_ = CauseText(failure);
  const QString shown = QDir::toNativeSeparators(path_);
  const QString off = QStringLiteral(" Saving births is off.");
  switch (failure.cause) {
    case Cause::InUse:
      Fail(State::Locked,
           QStringLiteral("The births file \"%1\" is in use by another program.").arg(shown) + off);
      break;
    case Cause::NotWritable:
      state_ = State::ReadOnly;
      message_ = QStringLiteral("The births file \"%1\" cannot be written.").arg(shown) + off;
      break;
    case Cause::Damaged:
      Fail(State::Damaged, QStringLiteral("The births file \"%1\" is damaged.").arg(shown) + off);
      break;
    default:
      break;  // a full disk and the like: this change failed, the next may not
  }
}

template <typename Change>
bool BirthsDb::InTransaction(Change&& change) {
  if (!canSave()) {
    lastError_ = message_;
    return false;
  }
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery control(db);
  if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    WriteFailed(control.lastError());
    return false;
  }
  QSqlError failure;
  if (!change(db, failure) || !control.exec(QStringLiteral("COMMIT"))) {
    if (!failure.isValid()) failure = control.lastError();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    WriteFailed(failure);
    return false;
  }
  return true;
}

std::optional<qint64> BirthsDb::Add(const SavedBirth& saved) {
  const std::optional<Birth> birth = BirthOfSaved(saved);
  if (!birth) {
    lastError_ = QStringLiteral("the birth's entries are not all numbers");
    return std::nullopt;
  }
  qint64 id = 0;
  const bool ok = InTransaction([&](QSqlDatabase& db, QSqlError& failure) {
    QSqlQuery q(db);
    q.prepare(
        QStringLiteral("INSERT INTO births (%1, note, saved_at, search_text) VALUES (%2?, ?, ?)")
            .arg(QLatin1String(kColumns), QStringLiteral("?, ").repeated(kColumnCount)));
    BindRow(q, StoredRowOf(*birth));
    q.bindValue(kColumnCount, NotNull(saved.note));
    q.bindValue(kColumnCount + 1, NowUtc());
    q.bindValue(kColumnCount + 2, SearchTextOf(*birth));
    if (!q.exec()) {
      failure = q.lastError();
      return false;
    }
    id = q.lastInsertId().toLongLong();
    return true;
  });
  if (!ok) return std::nullopt;
  return id;
}

bool BirthsDb::Update(qint64 id, const SavedBirth& saved, bool keepNote) {
  const std::optional<Birth> birth = BirthOfSaved(saved);
  if (!birth) {
    lastError_ = QStringLiteral("the birth's entries are not all numbers");
    return false;
  }
  return InTransaction([&](QSqlDatabase& db, QSqlError& failure) {
    QString assignments;
    for (const QString& column : QString::fromLatin1(kColumns).split(QLatin1Char(','))) {
      assignments += column.trimmed() + QStringLiteral(" = ?, ");
    }
    if (!keepNote) assignments += QStringLiteral("note = ?, ");
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE births SET %1saved_at = ?, search_text = ? WHERE id = ?")
                  .arg(assignments));
    BindRow(q, StoredRowOf(*birth));
    int next = kColumnCount;
    if (!keepNote) q.bindValue(next++, NotNull(saved.note));
    q.bindValue(next++, NowUtc());
    q.bindValue(next++, SearchTextOf(*birth));
    q.bindValue(next, id);
    if (!q.exec()) {
      failure = q.lastError();
      return false;
    }
    return q.numRowsAffected() == 1;
  });
}

bool BirthsDb::SetNote(qint64 id, const QString& note) {
  return InTransaction([&](QSqlDatabase& db, QSqlError& failure) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE births SET note = ? WHERE id = ?"));
    q.bindValue(0, NotNull(note));
    q.bindValue(1, id);
    if (!q.exec()) {
      failure = q.lastError();
      return false;
    }
    return q.numRowsAffected() == 1;
  });
}

bool BirthsDb::Remove(qint64 id) {
  return InTransaction([&](QSqlDatabase& db, QSqlError& failure) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM births WHERE id = ?"));
    q.bindValue(0, id);
    if (!q.exec()) {
      failure = q.lastError();
      return false;
    }
    if (q.numRowsAffected() == 1 || !listSource_.notConverted) return q.numRowsAffected() == 1;
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(QLatin1String(kNotConverted)));
    q.bindValue(0, id);
    if (!q.exec()) {
      failure = q.lastError();
      return false;
    }
    return q.numRowsAffected() == 1;
  });
}

std::vector<qint64> BirthsDb::FindSame(const FormEntries& entries) const {
  std::vector<qint64> ids;
  if (!canRead()) return ids;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral(
      "SELECT id FROM births WHERE name = ? AND birth_date = ? ORDER BY saved_at DESC, id DESC"));
  q.bindValue(0, Q(entries.name));
  q.bindValue(1, DateKey(entries));
  if (!q.exec()) {
    lastError_ = CauseText(FailureOf(q.lastError()));
    return ids;
  }
  while (q.next()) ids.push_back(q.value(0).toLongLong());
  return ids;
}

namespace {
// The list's lines of a file, in the order SummaryAt reads their columns,
// the last saying whether the line is of a birth kept as its numbers (1) or
// as the form's texts (0): a file of version 3 keeps the time of birth as
// HH:MM:SS, an older one, and the births a migration could not convert, as
// the form's texts.
QString ListSelect(bool typed, bool notConverted) {
  constexpr char kTyped[] =
      "id, name, birth_date, birth_time, NULL, NULL, city, state, country, saved_at, 1";
  constexpr char kOld[] =
      "id, name, birth_date, hour_text, minute_text, second_text, city, state, country, "
      "saved_at, 0";
  if (!typed) return QStringLiteral("SELECT %1 FROM births").arg(QLatin1String(kOld));
  if (!notConverted) return QStringLiteral("SELECT %1 FROM births").arg(QLatin1String(kTyped));
  return QStringLiteral(
             "SELECT * FROM (SELECT id, name, birth_date, birth_time AS t1, NULL AS t2, NULL AS t3,"
             " city, state, country, saved_at, 1 AS typed, search_text FROM births UNION ALL"
             " SELECT id, name, birth_date, hour_text, minute_text, second_text, city, state,"
             " country, saved_at, 0, search_text FROM %1)")
      .arg(QLatin1String(kNotConverted));
}

// "7" as "07", for a time of birth that lines up in the list.
QString TwoDigits(const QString& number) {
  return number.trimmed().rightJustified(2, QLatin1Char('0'));
}

BirthSummary SummaryAt(const QSqlQuery& q) {
  const auto text = [&](int i) { return q.value(i).toString(); };
  const bool typed = q.value(10).toInt() == 1;
  // The time is whole in column 3 (version 3), or in three texts.
  const QString time = typed ? text(3)
                             : QStringLiteral("%1:%2:%3")
                                   .arg(TwoDigits(text(3)), TwoDigits(text(4)), TwoDigits(text(5)));
  return BirthSummary{
      q.value(0).toLongLong(), text(1), text(2), time, PlaceOf(text(6), text(7), text(8)), text(9)};
}

std::vector<BirthSummary> SummariesOf(QSqlQuery& q) {
  std::vector<BirthSummary> list;
  while (q.next()) list.push_back(SummaryAt(q));
  return list;
}

// A text folded for searching: the atlas's folding, which compares names
// without case, accents or punctuation.
std::string Folded(const QString& text) {
  return FoldPlaceText(text.toStdString()).value_or(std::string());
}

// Virtual-machine steps between two looks at a list search's cancel flag.
constexpr int kListProgressSteps = 1000;

// The progress handler of a list search: non-zero stops it.
int ListCancelled(void* cancel) {
  return static_cast<const std::atomic<bool>*>(cancel)->load() ? 1 : 0;
}

// The first `limit` births (all of them when negative) whose folded search
// text contains the folded filter, newest first, on the connection `db`.
// With `searchColumn` the database searches its folded column, walking the
// births newest first and stopping at the limit; without it (an older file
// read as it is) each birth is folded here.
// A failed read leaves its error in `failure`.
BirthListPage ReadListPage(const QSqlDatabase& db, const BirthListSource& source,
                           const QString& filter, int limit, const std::atomic<bool>* cancel,
                           QSqlError& failure) {
  const bool searchColumn = source.searchColumn;
  BirthListPage page;
  const bool all = filter.trimmed().isEmpty();
  const std::string wanted = all ? std::string() : Folded(filter);
  // Only punctuation ("%", "'"): nothing of a name, date or place to find.
  if (!all && wanted.empty()) return page;
  const bool inDatabase = all || searchColumn;
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("%1%2 ORDER BY saved_at DESC, id DESC LIMIT ?")
                .arg(ListSelect(source.typedColumns, source.notConverted),
                     all || !searchColumn ? QString()
                                          : QStringLiteral(" WHERE instr(search_text, ?) > 0")));
  int next = 0;
  if (!all && searchColumn) q.bindValue(next++, QString::fromStdString(wanted));
  // One more than asked tells whether there are more; -1 is no limit.
  q.bindValue(next, inDatabase && limit >= 0 ? limit + 1 : -1);
  const auto stopped = [&] { return cancel != nullptr && cancel->load(); };
  if (!q.exec()) {
    page.cancelled = stopped();
    if (!page.cancelled) failure = q.lastError();
    return page;
  }
  while (q.next()) {
    if (!inDatabase && stopped()) break;
    BirthSummary b = SummaryAt(q);
    if (!inDatabase &&
        FoldedSearchText(b.name, b.date, b.place).toStdString().find(wanted) == std::string::npos) {
      continue;
    }
    if (limit >= 0 && static_cast<int>(page.rows.size()) == limit) {
      page.more = true;
      break;
    }
    page.rows.push_back(std::move(b));
  }
  if (stopped()) {
    page = BirthListPage{};
    page.cancelled = true;
  } else if (q.lastError().isValid()) {
    page.rows.clear();
    failure = q.lastError();
  }
  return page;
}
}  // namespace

std::vector<BirthSummary> BirthsDb::List(const QString& filter) const {
  BirthListPage page = ListPage(filter, -1);
  return std::move(page.rows);
}

BirthListPage BirthsDb::ListPage(const QString& filter, int limit) const {
  if (!canRead()) return {};
  QSqlError failure;
  BirthListPage page = ReadListPage(QSqlDatabase::database(connection_, false), listSource_, filter,
                                    limit, nullptr, failure);
  if (failure.isValid()) page.error = lastError_ = CauseText(FailureOf(failure));
  return page;
}

BirthListSource BirthsDb::listSource() const {
  BirthListSource source = listSource_;
  source.readable = canRead();
  return source;
}

BirthListPage BirthsDb::ListPageAt(const BirthListSource& source, const QString& filter, int limit,
                                   const std::atomic<bool>* cancel) {
  BirthListPage page;
  if (!source.readable) return page;
  // A connection of this call's own, named by a frame no other live call shares.
  const QString name = QStringLiteral("orvanta-list-%1").arg(quintptr(&page), 0, 16);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kDriver), name);
    db.setDatabaseName(source.databaseName);
    db.setConnectOptions(source.connectOptions);
    QSqlError failure;
    if (!db.open()) {
      failure = db.lastError();
    } else {
      sqlite3* handle = HandleOf(db);
      if (handle != nullptr && cancel != nullptr) {
        sqlite3_progress_handler(handle, kListProgressSteps, &ListCancelled,
                                 const_cast<std::atomic<bool>*>(cancel));
      }
      page = ReadListPage(db, source, filter, limit, cancel, failure);
      if (handle != nullptr) sqlite3_progress_handler(handle, 0, nullptr, nullptr);
      db.close();
    }
    if (failure.isValid()) {
      const int code = PrimaryCode(failure);
      const Cause cause = code == kSqliteBusy || code == kSqliteLocked            ? Cause::InUse
                          : code == kSqliteCorrupt || code == kSqliteNotADatabase ? Cause::Damaged
                                                                                  : Cause::Other;
      page.error = CauseText(Failure{cause, code});
    }
  }
  QSqlDatabase::removeDatabase(name);
  return page;
}

std::vector<BirthSummary> BirthsDb::Recent(int count) const {
  std::vector<BirthSummary> list;
  if (!canRead()) return list;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("%1 ORDER BY saved_at DESC, id DESC LIMIT ?")
                .arg(ListSelect(listSource_.typedColumns, listSource_.notConverted)));
  q.bindValue(0, count);
  if (!q.exec()) {
    lastError_ = CauseText(FailureOf(q.lastError()));
    return list;
  }
  return SummariesOf(q);
}

std::optional<SavedBirth> BirthsDb::Load(qint64 id) const {
  if (!canRead()) return std::nullopt;
  const bool typed = listSource_.typedColumns;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("SELECT id, %1, note, saved_at FROM births WHERE id = ?")
                .arg(QLatin1String(typed ? kColumns : kOldColumns)));
  q.bindValue(0, id);
  bool found = q.exec() && q.next();
  // A birth an older file kept that the migration could not convert.
  bool old = !typed;
  if (!found && !q.lastError().isValid() && listSource_.notConverted) {
    q.prepare(QStringLiteral("SELECT id, %1, note, saved_at FROM %2 WHERE id = ?")
                  .arg(QLatin1String(kOldColumns), QLatin1String(kNotConverted)));
    q.bindValue(0, id);
    found = q.exec() && q.next();
    old = true;
  }
  if (!found) {
    lastError_ = QStringLiteral("The saved birth cannot be read: %1")
                     .arg(q.lastError().isValid() ? CauseText(FailureOf(q.lastError()))
                                                  : QStringLiteral("it is no longer saved"));
    return std::nullopt;
  }
  const int columns = old ? kOldColumnCount : kColumnCount;
  // Every value is checked against what the form can show: a birth the
  // form cannot show is not opened as another one.
  ReadRow row = RowAt(q, 1, !old);
  if (!row.entries) {
    lastError_ = QStringLiteral("The saved birth cannot be opened: %1.")
                     .arg(QString::fromStdString(row.error));
    return std::nullopt;
  }
  SavedBirth b;
  b.id = q.value(0).toLongLong();
  b.entries = std::move(*row.entries);
  b.timeZoneName = QString::fromStdString(b.entries.zoneName);
  b.entries.zoneName.clear();
  b.utcOffsetMinutes = b.entries.exactOffsetMinutes;
  b.note = q.value(columns + 1).toString();
  b.savedAt = QDateTime::fromString(q.value(columns + 2).toString(), Qt::ISODateWithMs);
  b.birth = std::move(row.birth);
  return b;
}

int BirthsDb::Count() const {
  if (!canRead()) return 0;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  const QString counted =
      listSource_.notConverted
          ? QStringLiteral("SELECT (SELECT count(*) FROM births) + (SELECT count(*) FROM %1)")
                .arg(QLatin1String(kNotConverted))
          : QStringLiteral("SELECT count(*) FROM births");
  if (!q.exec(counted) || !q.next()) return 0;
  return q.value(0).toInt();
}

namespace {

// How many rows an import reads between two progress reports.
constexpr int kRowsPerProgress = 256;

// A failed statement in the program's own words, never SQLite's text.
QString WhyNotWritten(const QSqlError& error) {
  switch (PrimaryCode(error)) {
    case kSqliteFull:
      return QStringLiteral("the disk is full");
    case kSqliteBusy:
    case kSqliteLocked:
      return QStringLiteral("the births file is in use by another program");
    case kSqliteReadOnly:
      return QStringLiteral("the births file cannot be written");
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
      return QStringLiteral("the births file is damaged");
    default:
      return QStringLiteral("the births file cannot be written (SQLite error %1)")
          .arg(error.nativeErrorCode());
  }
}

// Counts the bytes a source hands out, for the progress of a read.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(ByteSource& source) : source_(source) {}
  ReadResult Read(char* data, std::size_t size) override {
    const ReadResult result = source_.Read(data, size);
    bytes_ += result.bytes;
    return result;
  }
  std::size_t bytes() const { return bytes_; }

 private:
  ByteSource& source_;
  std::size_t bytes_ = 0;
};

// An open file descriptor, closed with its owner.
class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// A connection of the import's own, removed with its owner.
class ImportConnection {
 public:
  ImportConnection(const QString& name, const QString& path) : name_(name) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kDriver), name_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    open_ = db.open();
  }
  ~ImportConnection() {
    {
      QSqlDatabase db = QSqlDatabase::database(name_, false);
      if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(name_);
  }
  ImportConnection(const ImportConnection&) = delete;
  ImportConnection& operator=(const ImportConnection&) = delete;
  bool open() const { return open_; }
  QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

 private:
  QString name_;
  bool open_ = false;
};

// Writes the write-ahead log into the file and empties it when its owner
// goes; a reader that holds the log back leaves it for the next checkpoint.
class LogTruncation {
 public:
  explicit LogTruncation(const QSqlDatabase& db) : db_(db) {}
  ~LogTruncation() {
    if (db_.isOpen()) QSqlQuery(db_).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  }
  LogTruncation(const LogTruncation&) = delete;
  LogTruncation& operator=(const LogTruncation&) = delete;

 private:
  QSqlDatabase db_;
};

}  // namespace

ImportReport BirthsDb::ImportCsv(const QString& csvPath, const ImportControl& control) {
  ImportReport report;
  if (!canSave()) {
    report.failure = message_;
    return report;
  }
  const QString shown = QDir::toNativeSeparators(csvPath);
  const QLatin1String header(kBatchHeader.data(), static_cast<qsizetype>(kBatchHeader.size()));
  const OpenFile file(::open(QFile::encodeName(csvPath).constData(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (file.get() < 0 || ::fstat(file.get(), &st) != 0) {
    report.failure = QStringLiteral("The file \"%1\" cannot be opened: %2.")
                         .arg(shown, QString::fromLocal8Bit(std::strerror(errno)));
    return report;
  }
  if (S_ISDIR(st.st_mode)) {
    report.failure =
        QStringLiteral("\"%1\" is a folder, not a births file with the header line %2.")
            .arg(shown, header);
    return report;
  }
  DescriptorSource source(file.get());
  CountingSource counted(source);
  CsvReader reader(counted);
  const auto readFailed = [&] {
    const CsvReadError& error = *reader.readError();
    report.failure = QStringLiteral("Line %1: the file cannot be read: %2. No birth was imported.")
                         .arg(error.lineNumber)
                         .arg(QString::fromLocal8Bit(std::strerror(error.errorNumber)));
  };
  std::optional<CsvRecord> first = reader.Next();
  const std::optional<BatchLayout> layout = first ? LayoutOfHeader(*first) : std::nullopt;
  if (!layout) {
    if (reader.readError()) {
      readFailed();
    } else {
      report.failure = QStringLiteral("Line %1: expected the header line %2")
                           .arg(first ? first->lineNumber : 1)
                           .arg(header);
    }
    return report;
  }

  const ImportConnection connection(
      QStringLiteral("orvanta-import-%1").arg(quintptr(&report), 0, 16), path_);
  QSqlDatabase db = connection.db();
  // However the import ends (saved, cancelled, failed), the write-ahead log
  // it filled is written into the file and cut back to nothing, so that a
  // large import leaves no log of its size beside the file.
  const LogTruncation truncation(db);
  QSqlQuery control_(db);
  const auto failed = [&](const QSqlError& error) {
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    report.imported = 0;
    report.failure = QStringLiteral("No birth was imported: %1.").arg(WhyNotWritten(error));
  };
  if (!connection.open() || !control_.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    failed(connection.open() ? control_.lastError() : db.lastError());
    return report;
  }
  QSqlQuery insert(db);
  insert.prepare(
      QStringLiteral("INSERT INTO births (%1, note, saved_at, search_text) VALUES (%2?, ?, ?)")
          .arg(QLatin1String(kColumns), QStringLiteral("?, ").repeated(kColumnCount)));
  QSqlQuery same(db);
  same.prepare(QStringLiteral("SELECT 1 FROM births WHERE name = ? AND birth_date = ? LIMIT 1"));
  PlaceCache places;
  const PlaceFinder findPlace = [&places](const std::string& query) -> const PlaceResolution& {
    return places.Resolve(query);
  };
  ZoneHistory history;
  const QString now = NowUtc();
  // The ids of the births saved although already there, to be taken out
  // again when the user chooses to skip them.
  std::vector<qint64> duplicateIds;
  const auto problem = [&](long line, const std::string& message) {
    if (report.problems.size() < kImportProblemsKept) {
      report.problems.push_back({line, QString::fromStdString(message)});
    }
    ++report.problemCount;
  };
  long rows = 0;
  while (std::optional<CsvRecord> record = reader.Next()) {
    if (control.cancel && control.cancel->load()) {
      QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
      report = ImportReport{};
      report.cancelled = true;
      return report;
    }
    if (control.progress && ++rows % kRowsPerProgress == 0 && st.st_size > 0) {
      control.progress(static_cast<double>(counted.bytes()) / static_cast<double>(st.st_size));
    }
    const long line = record->lineNumber;
    Parsed<BirthFields> fields = FieldsOfRecord(*record, *layout);
    if (!fields.value) {
      problem(line, fields.error);
      continue;
    }
    RowResolution resolved = ResolveRow(*fields.value, findPlace, history);
    if (!resolved.birth) {
      problem(line, resolved.error);
      continue;
    }
    // A birth the form would refuse is not kept: it could never be opened.
    if (const auto& refusal = resolved.birth->refusal) {
      problem(line, std::string(refusal->message));
      continue;
    }
    if (CharacterCount(resolved.birth->birth.name) > kMaxNameChars) {
      problem(line, std::string(NameLengthRefusal().message));
      continue;
    }
    const std::optional<Birth> birth = ImportedBirth(*resolved.birth, resolved.zoneName);
    same.bindValue(0, Q(birth->name));
    same.bindValue(1, DateKey(*birth));
    if (!same.exec()) {
      failed(same.lastError());
      return report;
    }
    const bool duplicate = same.next();
    same.finish();
    BindRow(insert, StoredRowOf(*birth));
    insert.bindValue(kColumnCount, Q(fields.value->note));
    insert.bindValue(kColumnCount + 1, now);
    insert.bindValue(kColumnCount + 2, SearchTextOf(*birth));
    if (!insert.exec()) {
      failed(insert.lastError());
      return report;
    }
    ++report.imported;
    if (duplicate) duplicateIds.push_back(insert.lastInsertId().toLongLong());
  }
  if (reader.readError()) {
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    const ImportReport none;
    report = none;
    readFailed();
    return report;
  }
  report.duplicates = static_cast<int>(duplicateIds.size());
  if (!duplicateIds.empty() && control.askDuplicates &&
      control.askDuplicates(report.duplicates) == DuplicateChoice::Skip) {
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM births WHERE id = ?"));
    for (const qint64 id : duplicateIds) {
      remove.bindValue(0, id);
      if (!remove.exec()) {
        failed(remove.lastError());
        return report;
      }
    }
    report.imported -= report.duplicates;
    report.duplicatesSkipped = true;
  }
  if (control.cancel && control.cancel->load()) {
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    report = ImportReport{};
    report.cancelled = true;
    return report;
  }
  if (!control_.exec(QStringLiteral("COMMIT"))) {
    failed(control_.lastError());
    return report;
  }
  return report;
}

QString BirthsDb::ExportCsv(const QString& csvPath) const {
  if (!canRead()) return message_;
  const bool typed = listSource_.typedColumns;
  const int columns = typed ? kColumnCount : kOldColumnCount;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("SELECT %1, note FROM births ORDER BY id")
                  .arg(QLatin1String(typed ? kColumns : kOldColumns)))) {
    return QStringLiteral("The births cannot be read: %1.").arg(WhyNotWritten(q.lastError()));
  }
  std::string text(kBirthsFileHeader);
  text += '\n';
  // A birth the form cannot show is not written as another birth: the
  // export stops and names it (a birth the migration could not convert
  // first).
  QSqlQuery left(QSqlDatabase::database(connection_, false));
  if (listSource_.notConverted &&
      left.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY id LIMIT 1")
                    .arg(QLatin1String(kOldColumns), QLatin1String(kNotConverted))) &&
      left.next()) {
    return QStringLiteral(
               "The births were not exported: the saved birth of %1 cannot be read: %2. Any "
               "file of that name is left as it was.")
        .arg(left.value(0).toString(), QString::fromStdString(RowAt(left, 0, false).error));
  }
  while (q.next()) {
    const ReadRow row = RowAt(q, 0, typed);
    if (!row.entries) {
      return QStringLiteral(
                 "The births were not exported: the saved birth of %1 cannot be read: %2. Any "
                 "file of that name is left as it was.")
          .arg(q.value(0).toString(), QString::fromStdString(row.error));
    }
    text +=
        BirthsRowOf(*row.entries, row.entries->zoneName, q.value(columns).toString().toStdString());
    text += '\n';
  }
  if (const std::optional<std::string> error =
          WriteWholeFile(QFile::encodeName(csvPath).toStdString(), text)) {
    return QStringLiteral(
               "The births were not exported: the file \"%1\" cannot be written (%2). "
               "Any file of that name is left as it was.")
        .arg(QDir::toNativeSeparators(csvPath), QString::fromLocal8Bit(error->c_str()));
  }
  return {};
}

}  // namespace orvanta
