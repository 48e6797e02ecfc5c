// The births database on real SQLite files in a temporary folder: saving,
// reopening, updating, keeping both, deleting and searching; a 10,000-row
// batch import with bad rows and the export back; a save loop killed with
// SIGKILL; files of versions 1 and 2 migrated with every chart kept (and a
// migration that fails on a full disk leaving the old file as it was); and
// files that are damaged (down to a row missing from an
// index, which only the full integrity check finds), read-only, another
// user's, on a full disk, of a newer schema or locked, which must be
// reported in the program's own words and left byte-identical.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "cli/app.h"
#include "cli/arguments.h"
#include "cli/chart_json.h"
#include "cli/render.h"
#include "gui/births_db.h"
#include "io/births_csv.h"
#include "io/csv.h"
#include "io/saved_birth.h"
#include "io/validation.h"
#include "support/full_disk.h"
#include "support/reference_births.h"

using namespace orvanta;

namespace {

constexpr int kSaveLoopCount = 1000;
constexpr char kSaveLoopOption[] = "--save-loop";
constexpr char kOpenAsNobodyOption[] = "--open-as-nobody";
constexpr uid_t kNobody = 65534;  // the user and group "nobody" of Debian

// Hides the name-and-date index from SQLite, renames birth 18 and gives the
// index back: its entry for row 18 still holds the old name, so the full
// integrity check reports "row 18 missing from index", and the quick check,
// which does not compare indexes with their table, passes the file.
constexpr char kDropIndexEntry[] = R"py(
import sqlite3, sys
path = sys.argv[1]
con = sqlite3.connect(path, isolation_level=None)
row = con.execute("SELECT type, name, tbl_name, rootpage, sql FROM sqlite_master"
                  " WHERE name = 'births_by_name_date'").fetchone()
con.execute("PRAGMA writable_schema = ON")
con.execute("DELETE FROM sqlite_master WHERE name = 'births_by_name_date'")
con.close()
con = sqlite3.connect(path, isolation_level=None)
con.execute("UPDATE births SET name = 'RENAMED' WHERE id = 18")
con.execute("PRAGMA writable_schema = ON")
con.execute("INSERT INTO sqlite_master VALUES (?, ?, ?, ?, ?)", row)
con.close()
con = sqlite3.connect(path, isolation_level=None)
print(con.execute("PRAGMA quick_check").fetchone()[0])
print(con.execute("PRAGMA integrity_check").fetchone()[0])
)py";

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(bytes), bytes.size());
}

SavedBirth SavedOf(const FormEntries& e) {
  SavedBirth b;
  b.entries = e;
  return b;
}

bool SameEntries(const FormEntries& a, const FormEntries& b) {
  return a.name == b.name && a.city == b.city && a.state == b.state && a.country == b.country &&
         a.monthIndex == b.monthIndex && a.dayText == b.dayText && a.yearText == b.yearText &&
         a.hourText == b.hourText && a.minuteText == b.minuteText && a.secondText == b.secondText &&
         a.lonDeg == b.lonDeg && a.lonMin == b.lonMin && a.latDeg == b.latDeg &&
         a.latMin == b.latMin && a.east == b.east && a.north == b.north &&
         a.zoneIndex == b.zoneIndex && a.daylightTick == b.daylightTick;
}

// A random birth the form accepts, in the canonical shape of a batch row.
FormEntries RandomBirth(QRandomGenerator& rng) {
  static constexpr std::array<const char*, 6> kCities = {
      "New Delhi", "Springfield, East", "Say \"Hi\" Town", "Zürich", "", "Pune"};
  for (;;) {
    FormEntries e;
    std::string name;
    const int length = 3 + rng.bounded(10);
    for (int i = 0; i < length; ++i) name += static_cast<char>('A' + rng.bounded(26));
    e.name = name + (rng.bounded(2) ? " K" : "");
    e.city = kCities[static_cast<std::size_t>(rng.bounded(static_cast<int>(kCities.size())))];
    e.state = rng.bounded(2) ? "State" : "";
    e.country = "Country";
    e.monthIndex = rng.bounded(12);
    e.dayText = std::to_string(1 + rng.bounded(28));
    e.yearText = std::to_string(1901 + rng.bounded(150));
    e.hourText = std::to_string(rng.bounded(24));
    e.minuteText = std::to_string(rng.bounded(60));
    e.secondText = std::to_string(rng.bounded(60));
    e.latDeg = std::to_string(rng.bounded(67));
    e.latMin = std::to_string(rng.bounded(60));
    e.lonDeg = std::to_string(rng.bounded(180));
    e.lonMin = std::to_string(rng.bounded(60));
    e.north = rng.bounded(2) == 0;
    e.east = rng.bounded(2) == 0;
    e.zoneIndex = rng.bounded(71);
    e.daylightTick = rng.bounded(2) == 1;
    if (!ValidateEntries(ValidationInputOf(e))) return e;
  }
}

// How many births the older files of the migration tests hold.
constexpr int kOldBirths = 1000;

// A births file of schema `version` (1 or 2) as the releases before version
// 3 wrote it, made by the fixture script.
void MakeOldFile(const QString& path, int births, int version) {
  QProcess python;
  python.start("/usr/bin/python3",
               {QStringLiteral(ORVANTA_TESTS_DIR "/gui/fixtures/make_old_births_file.py"), path,
                QString::number(births), "--version", QString::number(version)});
  QVERIFY2(python.waitForStarted(60000),
           "/usr/bin/python3 cannot be started: install the Debian package python3 "
           "(tools/install-deps.sh does)");
  QVERIFY(python.waitForFinished(120000));
  QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
}

// Everything a chart shows: the text report, the JSON and the JSON record
// of the chart of `entries`.
std::string ChartImage(const FormEntries& entries) {
  const ChartRun run = ComputeChart(entries);
  if (run.refusal) return "refused: " + std::string(run.refusal->message);
  std::string image;
  cli::AppendChartText(image, run.chart);
  cli::AppendChartJson(image, run.chart);
  cli::AppendChartSchemaJson(image, run.chart);
  return image;
}

// The chart of every birth of an older file as that release opened it:
// the stored values checked and read into the form's entries, the zone's
// name with them; by id.
std::map<qint64, std::string> ChartsOfOldFile(const QString& path) {
  std::map<qint64, std::string> charts;
  const QString name = QStringLiteral("old-charts");
  {
    QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", name);
    raw.setDatabaseName(path);
    raw.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (raw.open()) {
      QSqlQuery q(raw);
      q.setForwardOnly(true);
      q.exec(
          "SELECT id, name, month_index, day_text, year_text, hour_text, minute_text, "
          "second_text, city, state, country, lat_deg, lat_min, north, lon_deg, lon_min, east, "
          "zone_index, dst, tz_name, utc_offset_minutes FROM births ORDER BY id");
      while (q.next()) {
        const auto at = [&](int i) {
          const QVariant v = q.value(i);
          if (v.isNull()) return StoredValue{};
          if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
            return StoredValue::Integer(v.toLongLong());
          }
          return StoredValue::Text(v.toString().toStdString());
        };
        StoredBirth s;
        StoredValue* values[] = {&s.name,      &s.monthIndex, &s.dayText,    &s.yearText,
                                 &s.hourText,  &s.minuteText, &s.secondText, &s.city,
                                 &s.state,     &s.country,    &s.latDeg,     &s.latMin,
                                 &s.north,     &s.lonDeg,     &s.lonMin,     &s.east,
                                 &s.zoneIndex, &s.dst,        &s.tzName,     &s.utcOffsetMinutes};
        for (int i = 0; i < 20; ++i) *values[i] = at(i + 1);
        const Parsed<FormEntries> entries = EntriesOfStoredBirth(s);
        charts[q.value(0).toLongLong()] =
            entries.value ? ChartImage(*entries.value) : "not opened: " + entries.error;
      }
      q.finish();
      raw.close();
    }
  }
  QSqlDatabase::removeDatabase(name);
  return charts;
}

// The child of the kill test: saves births named BIRTH 0 .. BIRTH 999, one
// transaction each, and prints the number of each committed save.
int SaveLoop(const char* path) {
  BirthsDb db(QString::fromLocal8Bit(path));
  if (!db.canSave()) return 2;
  FormEntries e = reference::DelhiBirth();
  for (int i = 0; i < kSaveLoopCount; ++i) {
    e.name = "BIRTH " + std::to_string(i);
    if (!db.Add(SavedOf(e))) return 3;
    std::printf("%d\n", i);
    std::fflush(stdout);
  }
  return 0;
}

// The child of the other-user test: opens the file as the user nobody (when
// run as root; as itself otherwise) and prints its state, its count and
// its message.
int OpenAsNobody(const char* path) {
  if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) return 2;
  BirthsDb db(QString::fromLocal8Bit(path));
  std::printf("%d %d %s\n", static_cast<int>(db.state()), db.Count(),
              db.message().toLocal8Bit().constData());
  return 0;
}

}  // namespace

class TestBirthsDb : public QObject {
  Q_OBJECT
 private slots:
  void init() { QVERIFY(dir_.isValid()); }

  // First start: the folder and the file are created, at the schema version.
  void firstStartCreatesFolderAndFile() {
    const QString path = dir_.filePath("a/b/births.sqlite");
    {
      BirthsDb db(path);
      QCOMPARE(db.state(), BirthsDb::State::Ready);
      QVERIFY(db.message().isEmpty());
      QCOMPARE(db.Count(), 0);
    }
    QVERIFY(QFileInfo::exists(path));
    QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw");
    raw.setDatabaseName(path);
    QVERIFY(raw.open());
    QSqlQuery q(raw);
    QVERIFY(q.exec("PRAGMA user_version") && q.next());
    QCOMPARE(q.value(0).toInt(), kBirthsSchemaVersion);
    q.finish();
    raw.close();
    raw = QSqlDatabase();
    QSqlDatabase::removeDatabase("raw");
  }

  // Save, reopen after a restart, update, keep both, delete, search.
  void saveReopenUpdateKeepBothDeleteSearch() {
    const QString path = dir_.filePath("births.sqlite");
    FormEntries delhi = reference::DelhiBirth();
    SavedBirth first = SavedOf(delhi);
    first.timeZoneName = "Asia/Kolkata";
    first.utcOffsetMinutes = 330;
    first.note = "client since 2020";
    qint64 id = 0;
    {
      BirthsDb db(path);
      const auto saved = db.Add(first);
      QVERIFY(saved);
      id = *saved;
      FormEntries other = delhi;
      other.name = "MEERA RAO";
      other.city = "Pune";
      other.state = "Maharashtra";
      other.dayText = "3";
      QVERIFY(db.Add(SavedOf(other)));
    }
    BirthsDb db(path);  // the program started again
    QCOMPARE(db.Count(), 2);
    const auto loaded = db.Load(id);
    QVERIFY(loaded);
    // The exact offset decides the clock, and the form shows no zone row
    // beside it: none comes back.
    FormEntries shown = delhi;
    shown.zoneIndex = -1;
    QVERIFY(SameEntries(loaded->entries, shown));
    QCOMPARE(loaded->birth.clock.offsetSeconds, 330 * 60);
    QCOMPARE(loaded->birth.clock.source, ClockSource::ZoneHistory);
    QCOMPARE(loaded->timeZoneName, QString("Asia/Kolkata"));
    QCOMPARE(loaded->utcOffsetMinutes, std::optional<int>(330));
    QCOMPARE(loaded->note, QString("client since 2020"));
    QVERIFY(loaded->savedAt.isValid());

    // The same name and date is found; an update replaces the entries and
    // keeps the note.
    QCOMPARE(db.FindSame(delhi), std::vector<qint64>{id});
    FormEntries corrected = delhi;
    corrected.hourText = "11";
    corrected.city = "Delhi Cantonment";
    QVERIFY(db.Update(id, SavedOf(corrected)));
    QCOMPARE(db.Count(), 2);
    QCOMPARE(db.Load(id)->entries.hourText, std::string("11"));
    QCOMPARE(db.Load(id)->note, QString("client since 2020"));
    QCOMPARE(db.Load(id)->timeZoneName, QString());  // the new entries had none

    // Keep both: a second birth of the same name and date.
    const auto second = db.Add(SavedOf(delhi));
    QVERIFY(second);
    QCOMPARE(db.FindSame(delhi).size(), std::size_t(2));
    QCOMPARE(db.Count(), 3);
    QCOMPARE(db.Recent(5).front().id, *second);  // newest first

    // Search by name, by date and by place, in any case; % and _ are no
    // wildcards.
    struct Search {
      const char* filter;
      int expected;
    };
    const Search searches[] = {{"", 3},        {"arjun", 2}, {"MEERA", 1},       {"1980-06-15", 2},
                               {"1980-06", 3}, {"pune", 1},  {"maharashtra", 1}, {"cantonment", 1},
                               {"%", 0},       {"_", 0},     {"nobody", 0}};
    for (const Search& s : searches) {
      QCOMPARE(static_cast<int>(db.List(s.filter).size()), s.expected);
    }
    QCOMPARE(db.List("pune").front().place, QString("Pune, Maharashtra, India"));

    QVERIFY(db.Remove(id));
    QVERIFY(!db.Load(id));
    QVERIFY(!db.Remove(id));  // already gone
    QCOMPARE(db.Count(), 2);

    // An exact offset that no zone row carries (Kathmandu, +5:45) comes back
    // with the birth, so that reopening it computes the same chart.
    FormEntries kathmandu = delhi;
    kathmandu.name = "SITA THAPA";
    kathmandu.exactOffsetMinutes = 345;
    const auto kid = db.Add(SavedOf(kathmandu));
    QVERIFY(kid);
    QCOMPARE(BirthsDb(path).Load(*kid)->entries.exactOffsetMinutes, std::optional<int>(345));
  }

  // 10,000 rows with three bad ones in the middle: 9,997 imported, the
  // three named by their lines; the export gives the good rows back byte
  // for byte, and the command line computes every exported row.
  void importTenThousandAndExportBack() {
    QRandomGenerator rng(20261208);
    const std::array<long, 3> badLines = {3001, 5002, 8003};
    const std::array<std::string, 3> badRows = {
        "ONLY NINE,1980-06-15,10:30,28N36,77E12,34,0,Delhi,India",  // four fields short
        "BAD MONTH,1980-13-01,10:30,28N36,77E12,34,0,,,,,,",        // no month 13
        "APRIL,1980-04-31,10:30,28N36,77E12,34,0,,,,,,",            // refused: 31 April
    };
    std::string all = std::string(kBirthsFileHeader) + "\n";
    std::string good = all;
    long line = 2;
    for (int row = 0; row < 10000; ++row, ++line) {
      const auto bad = std::find(badLines.begin(), badLines.end(), line);
      if (bad != badLines.end()) {
        all += badRows[static_cast<std::size_t>(bad - badLines.begin())] + "\n";
        continue;
      }
      const std::string text = BirthsRowOf(RandomBirth(rng)) + "\n";
      all += text;
      good += text;
    }
    const QString csv = dir_.filePath("in.csv");
    WriteFile(csv, QByteArray::fromStdString(all));

    BirthsDb db(dir_.filePath("births.sqlite"));
    const ImportReport report = db.ImportCsv(csv);
    QVERIFY2(report.failure.isEmpty(), qPrintable(report.failure));
    QCOMPARE(report.imported, 9997);
    QCOMPARE(report.problems.size(), std::size_t(3));
    for (std::size_t i = 0; i < 3; ++i) QCOMPARE(report.problems[i].line, badLines[i]);
    QCOMPARE(report.problems[0].message, QString("expected 13 fields, found 9"));
    QVERIFY(report.problems[1].message.contains("1980-13-01"));
    QCOMPARE(report.problems[2].message, QString("Please Enter Correct Date Or Month !"));
    QCOMPARE(db.Count(), 9997);

    const QString out = dir_.filePath("out.csv");
    QCOMPARE(db.ExportCsv(out), QString());
    const QByteArray exported = FileBytes(out);
    QCOMPARE(exported.size(), static_cast<qsizetype>(good.size()));
    QVERIFY(exported == QByteArray::fromStdString(good));

    // The exported file is a batch file the command line reads row by row.
    std::istringstream in(good);
    std::ostringstream charts;
    std::ostringstream errors;
    QCOMPARE(cli::RunBatch(in, false, charts, errors), cli::kExitOk);
    QCOMPARE(errors.str(), std::string());
    const std::string computed = charts.str();
    QCOMPARE(std::count(computed.begin(), computed.end(), '\n'), 9998L);
  }

  // A births file written by hand, with every way of giving the zone: a
  // zone row, a tz name alone (resolved on import, the doubled hour read
  // by dst), an exact offset (Kathmandu's +5:45) and a place. Imported,
  // exported, imported into a second file and exported again: the two
  // exports are byte-identical and every birth computes the same chart in
  // both files. ORVANTA_ROUND_TRIP_BIRTHS sets the number of rows (the
  // test runs 2,000; the one-off check ran 100,000).
  void exportImportExportKeepsEveryChart() {
    const char* wanted = std::getenv("ORVANTA_ROUND_TRIP_BIRTHS");
    const int count = wanted ? std::atoi(wanted) : 2000;
    QRandomGenerator rng(20261209);
    static constexpr std::array<const char*, 4> kZones = {"Europe/Madrid", "America/New_York",
                                                          "Asia/Kolkata", "Australia/Adelaide"};
    std::string text = "name,date,time,lat,lon,zone,dst,city,state,country,tz,offset,note\n";
    int kathmandu = 0, named = 0;
    for (int i = 0; i < count; ++i) {
      FormEntries e = RandomBirth(rng);
      e.name += " " + std::to_string(i);
      std::string row =
          BirthsRowOf(e, {}, i % 7 == 0 ? "=note, \"" + std::to_string(i) + "\"" : "");
      if (i % 4 == 1) {
        // A tz name alone: the zone and dst columns are left empty, or dst
        // chooses the summer-time reading of a doubled hour.
        const CsvRecord fields = [&] {
          std::istringstream in(row + "\n");
          CsvReader reader(in);
          return *reader.Next();
        }();
        std::vector<std::string> f = fields.fields;
        f[5] = "";
        f[6] = rng.bounded(2) ? "1" : "";
        f[10] = kZones[static_cast<std::size_t>(rng.bounded(4))];
        row.clear();
        for (std::size_t k = 0; k < f.size(); ++k) {
          if (k > 0) row += ',';
          AppendCsvField(row, GuardedText(f[k]));
        }
        ++named;
      } else if (i % 4 == 2) {
        e.zoneIndex = -1;
        e.exactOffsetMinutes = 345;
        e.daylightTick = false;
        row = BirthsRowOf(e, "Asia/Kathmandu", "");
        ++kathmandu;
      }
      text += row + "\n";
    }
    text += "PLACED,1980-06-15,10:30:00,,,,,,,,,,\n";  // no coordinates: refused
    const QString in = dir_.filePath("in.csv");
    WriteFile(in, QByteArray::fromStdString(text));

    BirthsDb first(dir_.filePath("first.sqlite"));
    const ImportReport report = first.ImportCsv(in);
    QVERIFY2(report.failure.isEmpty(), qPrintable(report.failure));
    // Rows whose tz name puts them in a skipped hour or an unresolved
    // doubled one are refused, each with its line; all others are saved.
    QCOMPARE(report.imported + static_cast<int>(report.problemCount), count + 1);
    QVERIFY(report.imported > count * 95 / 100);
    for (const ImportProblem& p : report.problems) {
      QVERIFY2(p.message.contains("did not exist") || p.message.contains("happened twice") ||
                   p.line == count + 2,
               qPrintable(p.message));
    }
    const QString out1 = dir_.filePath("out1.csv");
    QCOMPARE(first.ExportCsv(out1), QString());
    BirthsDb second(dir_.filePath("second.sqlite"));
    const ImportReport again = second.ImportCsv(out1);
    QVERIFY2(again.failure.isEmpty() && again.problemCount == 0,
             qPrintable(again.failure +
                        (again.problems.empty() ? QString() : again.problems[0].message)));
    QCOMPARE(again.imported, report.imported);
    const QString out2 = dir_.filePath("out2.csv");
    QCOMPARE(second.ExportCsv(out2), QString());
    QVERIFY(FileBytes(out1) == FileBytes(out2));

    const std::vector<BirthSummary> a = first.List(), b = second.List();
    QCOMPARE(a.size(), b.size());
    int exact = 0, resolved = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const std::optional<SavedBirth> x = first.Load(a[i].id), y = second.Load(b[i].id);
      QVERIFY(x && y);
      QVERIFY(SameEntries(x->entries, y->entries));
      QCOMPARE(y->entries.exactOffsetMinutes, x->entries.exactOffsetMinutes);
      QCOMPARE(y->timeZoneName, x->timeZoneName);
      QCOMPARE(y->note, x->note);
      const ChartRun c1 = ComputeChart(x->entries), c2 = ComputeChart(y->entries);
      QVERIFY(!c1.refusal && !c2.refusal);
      QVERIFY(PositionTextsOf(c1.chart.bodies) == PositionTextsOf(c2.chart.bodies));
      QCOMPARE(c1.chart.AscSignIndex, c2.chart.AscSignIndex);
      QCOMPARE(c1.chart.induLagna.has_value(), c2.chart.induLagna.has_value());
      if (c1.chart.induLagna) QCOMPARE(c1.chart.induLagna->sign, c2.chart.induLagna->sign);
      if (x->entries.exactOffsetMinutes == 345) ++exact;
      if (!x->timeZoneName.isEmpty() && x->timeZoneName != "Asia/Kathmandu") ++resolved;
    }
    QCOMPARE(exact, kathmandu);
    QVERIFY(resolved > named * 95 / 100);
    qInfo(
        "%d rows: %d imported (%d at +5:45, %d resolved from a tz name), %ld refused; "
        "%lld bytes exported twice alike",
        count, report.imported, exact, resolved, report.problemCount,
        static_cast<long long>(FileBytes(out1).size()));
  }

  // The tz and place columns mean on import what they mean to the command
  // line: a Kolkata zone name gives Indian time (+5:30), never Greenwich;
  // a place gives the coordinates and the zone.
  void importReadsTzAndPlaceColumns() {
    const QString csv = dir_.filePath("tz.csv");
    WriteFile(csv,
              "name,date,time,lat,lon,tz\nKOLKATA,1990-07-04,14:25,22N34,88E22,Asia/Kolkata\n");
    BirthsDb db(dir_.filePath("births.sqlite"));
    ImportReport report = db.ImportCsv(csv);
    QCOMPARE(report.imported, 1);
    const std::optional<SavedBirth> kolkata = db.Load(db.List().front().id);
    QCOMPARE(kolkata->entries.zoneIndex, reference::kIndianTimeZone);
    QCOMPARE(kolkata->timeZoneName, QString("Asia/Kolkata"));

    WriteFile(csv, "name,date,time,place\nDELHI,1980-06-15,10:30,\"New Delhi, India\"\n");
    report = db.ImportCsv(csv);
    QVERIFY2(report.problemCount == 0,
             qPrintable(report.problems.empty() ? report.failure : report.problems[0].message));
    QCOMPARE(report.imported, 1);
    const std::optional<SavedBirth> delhi = db.Load(db.List().front().id);
    QCOMPARE(delhi->entries.latDeg, std::string("28"));
    QVERIFY(delhi->entries.north && delhi->entries.east);
    QCOMPARE(delhi->entries.zoneIndex, reference::kIndianTimeZone);
    QCOMPARE(delhi->entries.city, std::string("New Delhi"));
  }

  // Two stray quotes in four rows: the two rows holding them are refused
  // with their lines, the other two imported, none merged into another.
  void strayQuotesMergeNoRows() {
    const QString csv = dir_.filePath("quotes.csv");
    WriteFile(csv,
              "name,date,time,lat,lon\n"
              "Bob \"B,1980-01-02,10:00,28N36,77E12\n"
              "Alice,1981-02-03,10:00,28N36,77E12\n"
              "Carol\" C,1982-03-04,10:00,28N36,77E12\n"
              "Dave,1983-04-05,10:00,28N36,77E12\n");
    BirthsDb db(dir_.filePath("births.sqlite"));
    const ImportReport report = db.ImportCsv(csv);
    QCOMPARE(report.imported, 2);
    QCOMPARE(report.problemCount, 2L);
    QCOMPARE(report.problems[0].line, 2L);
    QCOMPARE(report.problems[1].line, 4L);
    QStringList names;
    for (const BirthSummary& b : db.List()) names << b.name;
    names.sort();
    QCOMPARE(names, QStringList({"Alice", "Dave"}));
  }

  // Births already saved are counted and the question is asked once for
  // all of them; Skip leaves them out, Keep Both saves them again; Cancel
  // leaves the file as it was.
  void duplicatesAskedOnceAndCancelLeavesTheFile() {
    BirthsDb db(dir_.filePath("births.sqlite"));
    QVERIFY(db.Add(SavedOf(reference::DelhiBirth())));
    const std::string delhi = BirthsRowOf(reference::DelhiBirth());
    FormEntries other = reference::DelhiBirth();
    other.name = "SOMEONE ELSE";
    const QString csv = dir_.filePath("dup.csv");
    WriteFile(csv, QByteArray::fromStdString(std::string(kBirthsFileHeader) + "\n" + delhi + "\n" +
                                             BirthsRowOf(other) + "\n" + delhi + "\n"));
    std::vector<int> asked;
    ImportControl control;
    control.askDuplicates = [&](int count) {
      asked.push_back(count);
      return DuplicateChoice::Skip;
    };
    ImportReport report = db.ImportCsv(csv, control);
    QCOMPARE(asked, std::vector<int>{2});
    QCOMPARE(report.imported, 1);
    QVERIFY(report.duplicatesSkipped);
    QCOMPARE(db.Count(), 2);

    control.askDuplicates = [&](int count) {
      asked.push_back(count);
      return DuplicateChoice::KeepBoth;
    };
    report = db.ImportCsv(csv, control);
    QCOMPARE(asked, (std::vector<int>{2, 3}));
    QCOMPARE(report.imported, 3);
    QCOMPARE(db.Count(), 5);

    // Cancel once the rows are read: nothing is kept.
    std::atomic<bool> cancel{false};
    control.cancel = &cancel;
    control.askDuplicates = [&](int) {
      cancel = true;
      return DuplicateChoice::KeepBoth;
    };
    report = db.ImportCsv(csv, control);
    QVERIFY(report.cancelled);
    QCOMPARE(report.imported, 0);
    QCOMPARE(db.Count(), 5);
  }

  // An import of many rows, cancelled at its last row or finished, leaves
  // no write-ahead log of its size beside the births file: the log is
  // written back and emptied whichever way the import ends.
  void importLeavesNoLargeLog() {
    const QString path = dir_.filePath("births.sqlite");
    BirthsDb db(path);
    constexpr int kRows = 20000;
    std::string text = "name,date,time,lat,lon,zone\n";
    for (int i = 0; i < kRows; ++i) {
      text += "PERSON NUMBER " + std::to_string(i) + ",1980-06-15,10:30,28N36,77E12,34\n";
    }
    const QString csv = dir_.filePath("many.csv");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    const QString log = path + "-wal";
    // A log of more than a megabyte is what 20,000 rows leave without it.
    constexpr qint64 kMostLogBytes = 64 * 1024;
    std::atomic<bool> cancel{false};
    ImportControl control;
    control.cancel = &cancel;
    control.askDuplicates = [&](int) { return DuplicateChoice::KeepBoth; };
    control.progress = [&](double share) {
      if (share > 0.99) cancel = true;
    };
    ImportReport report = db.ImportCsv(csv, control);
    QVERIFY(report.cancelled);
    QCOMPARE(db.Count(), 0);
    QVERIFY2(QFileInfo(log).size() <= kMostLogBytes,
             qPrintable(QString::number(QFileInfo(log).size())));

    cancel = false;
    control.progress = nullptr;
    report = db.ImportCsv(csv, control);
    QCOMPARE(report.imported, kRows);
    QCOMPARE(db.Count(), kRows);
    QVERIFY2(QFileInfo(log).size() <= kMostLogBytes,
             qPrintable(QString::number(QFileInfo(log).size())));
    // Every birth is in the file itself, and a new connection reads them.
    BirthsDb again(path);
    QCOMPARE(again.Count(), kRows);
  }

  // A full disk under the export: the previous file is left byte for byte
  // and the message says why. A small tmpfs mounted in a mount namespace of
  // this process when it may (root), else a file-size limit that makes the
  // write fail part way the same way.
  void exportToAFullDiskKeepsThePreviousFile() {
    BirthsDb db(dir_.filePath("births.sqlite"));
    FormEntries e = reference::DelhiBirth();
    for (int i = 0; i < 400; ++i) {
      e.name = "BIRTH WITH A LONG NAME TO FILL THE DISK " + std::to_string(i);
      QVERIFY(db.Add(SavedOf(e)));
    }
    const QString folder = dir_.filePath("disk");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray native = QFile::encodeName(folder);
    const bool mounted = ::unshare(CLONE_NEWNS) == 0 &&
                         ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                         ::mount("tmpfs", native.constData(), "tmpfs", 0, "size=16k") == 0;
    const QString path = folder + "/births.csv";
    const QByteArray previous = "name,date,time\nOLD,1980-01-01,10:00\n";
    WriteFile(path, previous);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    if (!mounted) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit small = old;
      small.rlim_cur = 16 * 1024;
      QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    const QString error = db.ExportCsv(path);
    if (!mounted) ::setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY2(error.contains(mounted ? "No space left on device" : "File too large"),
             qPrintable(error));
    QVERIFY(error.contains("left as it was"));
    QCOMPARE(FileBytes(path), previous);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
    if (mounted) ::umount(native.constData());
  }

  // The births file's disk fills during an import: nothing is kept and
  // the message says so in the program's words, not SQLite's. Needs a small
  // tmpfs (root).
  void importOnAFullDiskSaysSoInItsOwnWords() {
    const QString folder = dir_.filePath("small");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray native = QFile::encodeName(folder);
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", native.constData(), "tmpfs", 0, "size=256k") != 0) {
      QSKIP("no mount namespace here (root only)");
    }
    std::string text = std::string(kBirthsFileHeader) + "\n";
    FormEntries e = reference::DelhiBirth();
    for (int i = 0; i < 20000; ++i) {
      e.name = "A BIRTH WITH A NAME LONG ENOUGH TO FILL THE SMALL DISK " + std::to_string(i);
      text += BirthsRowOf(e) + "\n";
    }
    const QString csv = dir_.filePath("many.csv");
    WriteFile(csv, QByteArray::fromStdString(text));
    {
      BirthsDb db(folder + "/births.sqlite");
      QVERIFY(db.canSave());
      const ImportReport report = db.ImportCsv(csv);
      QCOMPARE(report.failure, QString("No birth was imported: the disk is full."));
      QCOMPARE(report.imported, 0);
      QCOMPARE(db.Count(), 0);
    }
    ::umount2(native.constData(), MNT_DETACH);
  }

  // A file that is not a batch file is refused whole and nothing is saved.
  void importWithoutHeaderSavesNothing() {
    const QString csv = dir_.filePath("no-header.csv");
    WriteFile(csv, "ARJUN,1980-06-15,10:30,28N36,77E12,34,0,,,\n");
    BirthsDb db(dir_.filePath("births.sqlite"));
    const ImportReport report = db.ImportCsv(csv);
    QVERIFY(report.failure.startsWith("Line 1: expected the header line"));
    QCOMPARE(db.Count(), 0);
    // A folder is named as one, not read as a file without its header.
    const ImportReport folder = db.ImportCsv(dir_.path());
    QVERIFY2(folder.failure.contains("is a folder, not a births file"), qPrintable(folder.failure));
    QCOMPARE(db.Count(), 0);
  }

  // SIGKILL in the middle of 1,000 saves: the file opens, passes the
  // integrity check and holds a prefix of the saves, every committed one.
  void killedInTheMiddleOfSavesLeavesAPrefix() {
    const QString path = dir_.filePath("killed.sqlite");
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kSaveLoopOption, path});
    QVERIFY(child.waitForStarted());
    int lastCommitted = -1;
    QByteArray pending;
    while (lastCommitted < 300 && child.state() == QProcess::Running) {
      child.waitForReadyRead(5000);
      pending += child.readAllStandardOutput();
      const qsizetype end = pending.lastIndexOf('\n');
      if (end < 0) continue;
      const QList<QByteArray> lines = pending.left(end).split('\n');
      lastCommitted = lines.back().toInt();
      pending = pending.mid(end + 1);
    }
    const qint64 pid = child.processId();
    QVERIFY2(pid > 0, "the save loop ended before it could be killed");
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(lastCommitted >= 300);

    {
      QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "check");
      raw.setDatabaseName(path);
      QVERIFY(raw.open());
      QSqlQuery q(raw);
      QVERIFY(q.exec("PRAGMA integrity_check") && q.next());
      QCOMPARE(q.value(0).toString(), QString("ok"));
      QVERIFY(q.exec("SELECT name FROM births ORDER BY id"));
      int count = 0;
      while (q.next()) {
        QCOMPARE(q.value(0).toString(), QString("BIRTH %1").arg(count));
        ++count;
      }
      QVERIFY2(count > lastCommitted && count < kSaveLoopCount,
               qPrintable(QString("%1 rows, last committed %2").arg(count).arg(lastCommitted)));
      q.finish();
      raw.close();
    }
    QSqlDatabase::removeDatabase("check");
    BirthsDb db(path);
    QCOMPARE(db.state(), BirthsDb::State::Ready);
  }

  // Files that cannot be used: a message, no saving, the file untouched.
  void unusableFilesAreReportedAndLeftAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("canRead");
    QTest::newRow("garbage") << "garbage" << int(BirthsDb::State::Damaged) << "is damaged" << false;
    QTest::newRow("cut short") << "truncated" << int(BirthsDb::State::Damaged) << "is damaged"
                               << false;
    QTest::newRow("row missing from an index")
        << "index" << int(BirthsDb::State::Damaged) << "is damaged" << false;
    QTest::newRow("read-only") << "readonly" << int(BirthsDb::State::ReadOnly) << "is read-only"
                               << true;
    QTest::newRow("newer schema") << "newer" << int(BirthsDb::State::NewerSchema)
                                  << "newer version of Orvanta" << false;
    QTest::newRow("locked") << "locked" << int(BirthsDb::State::Locked)
                            << "in use by another program" << false;
  }
  void unusableFilesAreReportedAndLeftAlone() {
    QFETCH(QString, kind);
    QFETCH(int, state);
    QFETCH(QString, says);
    QFETCH(bool, canRead);
    const QString path = dir_.filePath("births.sqlite");
    {
      BirthsDb good(path);
      FormEntries e = reference::DelhiBirth();
      for (int i = 0; i < 200; ++i) {
        e.name = "BIRTH " + std::to_string(i);
        QVERIFY(good.Add(SavedOf(e)));
      }
    }
    if (kind == "garbage") {
      QByteArray noise(16384, '\0');
      QRandomGenerator rng(7);
      for (char& c : noise) c = static_cast<char>(rng.bounded(256));
      WriteFile(path, noise);
    } else if (kind == "truncated") {
      WriteFile(path, FileBytes(path).left(8192));
    } else if (kind == "index") {
      QProcess python;
      python.start("/usr/bin/python3", {"-c", kDropIndexEntry, path});
      QVERIFY2(python.waitForStarted(60000),
               "/usr/bin/python3 cannot be started: install the Debian package python3 "
               "(tools/install-deps.sh does)");
      QVERIFY(python.waitForFinished(60000));
      QCOMPARE(python.exitCode(), 0);
      const QList<QByteArray> checks = python.readAllStandardOutput().split('\n');
      QCOMPARE(checks.value(0), QByteArray("ok"));
      QVERIFY2(checks.value(1).startsWith("row 18 missing from index"), checks.value(1));
    } else if (kind == "readonly") {
      QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    } else if (kind == "newer") {
      QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "newer");
      raw.setDatabaseName(path);
      QVERIFY(raw.open());
      QVERIFY(QSqlQuery(raw).exec("PRAGMA user_version = 99"));
      raw.close();
      raw = QSqlDatabase();
      QSqlDatabase::removeDatabase("newer");
    }
    // Another program holding the write lock while the file is opened.
    QSqlDatabase holder;
    if (kind == "locked") {
      holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
      holder.setDatabaseName(path);
      QVERIFY(holder.open());
      QVERIFY(QSqlQuery(holder).exec("BEGIN EXCLUSIVE"));
    }
    const QByteArray before = FileBytes(path);
    {
      BirthsDb db(path);
      QCOMPARE(int(db.state()), state);
      QVERIFY2(db.message().contains(says), qPrintable(db.message()));
      QVERIFY(!db.canSave());
      QCOMPARE(db.canRead(), canRead);
      QCOMPARE(db.Count(), canRead ? 200 : 0);
      QVERIFY(!db.Add(SavedOf(reference::DelhiBirth())));
      QVERIFY(!db.Remove(1));
      const QString csv = dir_.filePath("in.csv");
      WriteFile(csv, QByteArray::fromStdString(std::string(kBirthsFileHeader) + "\n" +
                                               BirthsRowOf(reference::DelhiBirth()) + "\n"));
      QCOMPARE(db.ImportCsv(csv).imported, 0);
    }
    if (kind == "locked") {
      QSqlQuery(holder).exec("ROLLBACK");
      holder.close();
      holder = QSqlDatabase();
      QSqlDatabase::removeDatabase("holder");
    }
    QVERIFY(FileBytes(path) == before);
    QVERIFY(!QFileInfo::exists(path + "-journal"));
    QVERIFY(!QFileInfo::exists(path + "-wal") || kind == "locked" || kind == "readonly");
    if (kind == "readonly") ::chmod(QFile::encodeName(path).constData(), 0644);
  }

  // A file of version 1 or 2 of a thousand births as the releases before
  // version 3 wrote them (tests/gui/fixtures/make_old_births_file.py: one in
  // five at Kathmandu on +5:45, tz names, notes) is migrated at its first
  // start: a copy of the old file is kept beside it, every birth's chart
  // (the text report, the JSON and the JSON record) computed from the birth
  // the new file keeps is the chart its old entries gave, the search finds
  // what it found, and a second start keeps no second copy.
  void olderFileIsMigratedWithEveryChart_data() {
    QTest::addColumn<int>("version");
    QTest::newRow("version 1") << 1;
    QTest::newRow("version 2") << 2;
  }
  void olderFileIsMigratedWithEveryChart() {
    QFETCH(int, version);
    const QString path = dir_.filePath("births.sqlite");
    MakeOldFile(path, kOldBirths, version);
    const std::map<qint64, std::string> before = ChartsOfOldFile(path);
    QCOMPARE(static_cast<int>(before.size()), kOldBirths);
    const QByteArray oldBytes = FileBytes(path);
    const QString backup = path + QStringLiteral(".v%1").arg(version);
    // A copy of an earlier attempt is never replaced: this start's copy
    // takes the next name.
    WriteFile(backup, "an earlier copy");
    const QString copy = backup + "-2";
    {
      QElapsedTimer started;
      started.start();
      BirthsDb db(path);
      const qint64 migrationMs = started.elapsed();
      QCOMPARE(db.state(), BirthsDb::State::Ready);
      QCOMPARE(db.version(), kBirthsSchemaVersion);
      QCOMPARE(db.backupPath(), copy);
      QCOMPARE(db.notConverted(), 0);
      QCOMPARE(db.Count(), kOldBirths);
      int kathmandu = 0;
      for (const auto& [id, chart] : before) {
        const std::optional<SavedBirth> saved = db.Load(id);
        QVERIFY2(saved, qPrintable(db.lastError()));
        if (saved->birth.clock.zoneName == "Asia/Kathmandu") {
          QCOMPARE(saved->birth.clock.offsetSeconds, 345 * 60);
          QVERIFY(!saved->birth.clock.zoneRow);
          QCOMPARE(saved->birth.clock.source, ClockSource::ZoneHistory);
          ++kathmandu;
        }
        const Parsed<FormEntries> entries = FormEntriesOfBirth(saved->birth);
        QVERIFY2(entries.value, entries.error.c_str());
        const std::string after = ChartImage(*entries.value);
        if (after != chart) {
          QFAIL(qPrintable(QStringLiteral("birth %1: before\n%2\nafter\n%3")
                               .arg(id)
                               .arg(QString::fromStdString(chart), QString::fromStdString(after))));
        }
      }
      QCOMPARE(kathmandu, kOldBirths / 5);
      qInfo(
          "%d births of version %d migrated in %lld ms (the start included), %d at +5:45; "
          "%d charts identical; old file kept as %s",
          kOldBirths, version, static_cast<long long>(migrationMs), kathmandu,
          static_cast<int>(before.size()), qPrintable(QFileInfo(copy).fileName()));
      QCOMPARE(static_cast<int>(db.List("kathmandu").size()), kOldBirths / 5);
      QCOMPARE(static_cast<int>(db.List("jose d souza").size()),
               static_cast<int>(db.List("JOSÉ D'SOUZA").size()));
      QVERIFY(!db.List("jose").empty());
      const SavedBirth first = *db.Load(before.begin()->first);
      QVERIFY(!db.FindSame(first.entries).empty());
    }
    // The copy is the old file's births as they were, of the old version.
    QCOMPARE(FileBytes(backup), QByteArray("an earlier copy"));
    QVERIFY(ChartsOfOldFile(copy) == before);
    QVERIFY(FileBytes(path) != oldBytes);
    {
      BirthsDb again(path);
      QCOMPARE(again.state(), BirthsDb::State::Ready);
      QVERIFY(again.backupPath().isEmpty());
    }
    QVERIFY(!QFileInfo::exists(copy + "-2") && !QFileInfo::exists(backup + "-3"));
  }

  // A migration that fails leaves the old file byte for byte as it was and
  // says so; its births are read as they are, saving off. The disk is a
  // small tmpfs: with no room for the copy, the copy is what fails; with
  // room for the copy only, the migration's own writes fail, and the copy
  // is taken away again. Without root, a file-size limit under the copy's
  // size makes the copy fail the same way.
  void failedMigrationLeavesTheOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("says");
    QTest::newRow("no room for the copy")
        << "disk"
        << "could not be brought up to date for this version of Orvanta: no copy of it "
           "could be kept beside it (the disk that holds it is full).";
    QTest::newRow("no room for the migration")
        << "disk with room for the copy"
        << "could not be brought up to date for this version of Orvanta (the disk "
           "that holds it is full).";
    QTest::newRow("a file-size limit under the copy")
        << "size limit"
        << "could not be brought up to date for this version of Orvanta: no copy of it "
           "could be kept beside it (it has reached the largest file size allowed here).";
  }
  void failedMigrationLeavesTheOldFile() {
    QFETCH(QString, kind);
    QFETCH(QString, says);
    const QString folder = dir_.filePath("disk");
    // A small tmpfs (root only), or a limit on the size of the files this
    // process writes, which every user may set.
    std::optional<testing::SmallDisk> disk;
    if (kind != "size limit") {
      disk.emplace(folder, 4 * 1024 * 1024);
      if (!disk->mounted()) QSKIP("a tmpfs can be mounted by root only");
    }
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/births.sqlite";
    MakeOldFile(path, kOldBirths, 1);
    const std::map<qint64, std::string> charts = ChartsOfOldFile(path);
    const QByteArray before = FileBytes(path);
    // Room for a copy of the file and a little more, or for nothing.
    if (disk) disk->Fill("filler");
    if (kind == "disk with room for the copy") {
      QFile filler(QDir(folder).filePath("filler"));
      QVERIFY(filler.resize(filler.size() - before.size() - 48 * 1024));
    }
    std::optional<testing::FileSizeLimit> limit;
    if (kind == "size limit") limit.emplace(64 * 1024);
    {
      BirthsDb db(path);
      QCOMPARE(db.state(), BirthsDb::State::ReadOnly);
      qInfo("%s", qPrintable(db.message()));
      QVERIFY2(db.message().contains(says), qPrintable(db.message()));
      QVERIFY2(
          db.message().endsWith("It is left as it was: saved births can be opened, saving is off."),
          qPrintable(db.message()));
      QCOMPARE(db.version(), 1);
      QCOMPARE(db.Count(), kOldBirths);
      QVERIFY(!db.canSave());
      QVERIFY(!db.Add(SavedOf(reference::DelhiBirth())));
      // Opened as they are, the births give the charts they gave.
      for (const qint64 id : {charts.begin()->first, charts.rbegin()->first}) {
        const std::optional<SavedBirth> saved = db.Load(id);
        QVERIFY2(saved, qPrintable(db.lastError()));
        FormEntries e = saved->entries;
        e.zoneName = saved->timeZoneName.toStdString();
        QCOMPARE(ChartImage(e), charts.at(id));
      }
      QCOMPARE(static_cast<int>(db.List("kathmandu").size()), kOldBirths / 5);
    }
    limit.reset();
    QVERIFY(FileBytes(path) == before);
    QVERIFY(!QFileInfo::exists(path + ".v1"));
    if (disk) QVERIFY(QFile::remove(QDir(folder).filePath("filler")));
    // With room again, the next start migrates it.
    BirthsDb db(path);
    QCOMPARE(db.state(), BirthsDb::State::Ready);
    QCOMPARE(db.Count(), kOldBirths);
    QVERIFY(QFileInfo::exists(path + ".v1"));
  }

  // An older file that cannot be written is read as it is: listed,
  // searched (folding each birth as it reads it) and opened, never changed.
  void olderReadOnlyFileIsReadAsItIs() {
    const QString path = dir_.filePath("readonly.sqlite");
    MakeOldFile(path, 50, 1);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    const QByteArray before = FileBytes(path);
    {
      BirthsDb db(path);
      QCOMPARE(db.state(), BirthsDb::State::ReadOnly);
      QCOMPARE(db.Count(), 50);
      QCOMPARE(static_cast<int>(db.List("kathmandu").size()), 10);
      const BirthListPage page = BirthsDb::ListPageAt(db.listSource(), "kathmandu", 4, nullptr);
      QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
      QCOMPARE(static_cast<int>(page.rows.size()), 4);
      QVERIFY(page.more);
      for (const BirthSummary& b : db.List()) QVERIFY(db.Load(b.id));
      QVERIFY(db.ExportCsv(dir_.filePath("out.csv")).isEmpty());
    }
    QVERIFY(FileBytes(path) == before);
    QVERIFY(!QFileInfo::exists(path + ".v1"));
    ::chmod(QFile::encodeName(path).constData(), 0644);
  }

  // Births of an older file the form cannot show (31 April, a year after
  // the list) stay as they were beside the converted ones: listed, found,
  // refused with their words when opened, named by the export, removable.
  void birthsTheMigrationCannotConvertStayAsTheyWere() {
    const QString path = dir_.filePath("births.sqlite");
    MakeOldFile(path, 20, 2);
    {
      QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "spoil");
      raw.setDatabaseName(path);
      QVERIFY(raw.open());
      QSqlQuery q(raw);
      QVERIFY(
          q.exec("UPDATE births SET month_index = 3, day_text = '31', birth_date = "
                 "substr(birth_date, 1, 5) || '04-31' WHERE id = 3"));
      QVERIFY(q.exec("UPDATE births SET year_text = '2051' WHERE id = 7"));
      q.finish();
      raw.close();
      raw = QSqlDatabase();
      QSqlDatabase::removeDatabase("spoil");
    }
    const QString name3 = [&] {
      QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "name");
      raw.setDatabaseName(path);
      raw.open();
      QSqlQuery q(raw);
      q.exec("SELECT name FROM births WHERE id = 3");
      const QString name = q.next() ? q.value(0).toString() : QString();
      q.finish();
      raw.close();
      raw = QSqlDatabase();
      QSqlDatabase::removeDatabase("name");
      return name;
    }();
    BirthsDb db(path);
    QCOMPARE(db.state(), BirthsDb::State::Ready);
    QCOMPARE(db.notConverted(), 2);
    QCOMPARE(db.Count(), 20);
    QCOMPARE(static_cast<int>(db.List().size()), 20);
    QCOMPARE(static_cast<int>(db.List(name3).size()), 1);
    QVERIFY(!db.Load(3));
    QCOMPARE(db.lastError(),
             QString("The saved birth cannot be opened: the form refuses it (Please Enter "
                     "Correct Date Or Month !)."));
    QVERIFY(!db.Load(7));
    QVERIFY(db.lastError().contains("its year 2051 is outside the form's years 1901"));
    QVERIFY(db.Load(4));
    const QString exported = db.ExportCsv(dir_.filePath("out.csv"));
    QVERIFY2(exported.contains("the saved birth of " + name3 + " cannot be read"),
             qPrintable(exported));
    QVERIFY(db.Remove(3));
    QVERIFY(db.Remove(7));
    QCOMPARE(db.Count(), 18);
    QVERIFY(db.ExportCsv(dir_.filePath("out.csv")).isEmpty());
  }

  // The full check is bounded: with no time for it the quick check decides
  // (and passes a row missing from an index); with the program's budget a
  // file of 10,000 births is checked in full.
  void integrityCheckIsBoundedInTime() {
    const QString path = dir_.filePath("births.sqlite");
    {
      BirthsDb db(path);
      QVERIFY(db.fullyChecked());
      QRandomGenerator rng(21);
      for (int i = 0; i < 10000; ++i) QVERIFY(db.Add(SavedOf(RandomBirth(rng))));
    }
    {
      BirthsDb db(path);
      QCOMPARE(db.state(), BirthsDb::State::Ready);
      QVERIFY(db.fullyChecked());
    }
    BirthsDb rushed(path, std::chrono::milliseconds(0));
    QCOMPARE(rushed.state(), BirthsDb::State::Ready);
    QVERIFY(!rushed.fullyChecked());
  }

  // Another user's intact file in a folder this user cannot write: births
  // can be opened, saving is off, and nothing calls it damaged.
  void anotherUsersFileIsReadOnly() {
    const QString folder = dir_.filePath("theirs");
    const QString path = folder + "/births.sqlite";
    {
      BirthsDb db(path);
      QVERIFY(db.Add(SavedOf(reference::DelhiBirth())));
    }
    QVERIFY(!QFileInfo::exists(path + "-wal"));
    const QByteArray before = FileBytes(path);
    // Root's folder and file, readable by all, writable by root only; the
    // child runs as nobody. Not root: the folder itself is made read-only.
    for (const QString& f : {dir_.path(), folder}) {
      QVERIFY(::chmod(QFile::encodeName(f).constData(), ::geteuid() == 0 ? 0755 : 0555) == 0);
    }
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kOpenAsNobodyOption, path});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
    QVERIFY2(said.startsWith(QString("%1 1 ").arg(int(BirthsDb::State::ReadOnly))),
             qPrintable(said));
    QVERIFY2(said.contains("is read-only: saved births can be opened"), qPrintable(said));
    QVERIFY(FileBytes(path) == before);
    QVERIFY(!QFileInfo::exists(path + "-wal") && !QFileInfo::exists(path + "-shm"));
    // No file yet, in that folder: it cannot be made, and that is what is said.
    QProcess another;
    another.start(QCoreApplication::applicationFilePath(),
                  {kOpenAsNobodyOption, folder + "/new.sqlite"});
    QVERIFY(another.waitForFinished(60000));
    const QString saidNew = QString::fromLocal8Bit(another.readAllStandardOutput()).trimmed();
    QVERIFY2(saidNew.startsWith(QString("%1 0 ").arg(int(BirthsDb::State::CannotOpen))) &&
                 saidNew.contains("cannot be created: its folder may not be written"),
             qPrintable(saidNew));
    for (const QString& f : {dir_.path(), folder}) {
      QVERIFY(::chmod(QFile::encodeName(f).constData(), 0755) == 0);
    }
  }

  // A full disk at start: the births are read, saving is off, the message
  // says the disk is full; a save that meets a full disk says so in the
  // program's words, not SQLite's.
  void fullDiskIsSaidAsSuch() {
    const QString folder = dir_.filePath("disk");
    testing::SmallDisk disk(folder, 512 * 1024);
    if (!disk.mounted()) QSKIP("a tmpfs can be mounted by root only");
    const QString path = folder + "/births.sqlite";
    {
      BirthsDb db(path);
      QVERIFY(db.Add(SavedOf(reference::DelhiBirth())));
      disk.Fill("filler");
      FormEntries e = reference::DelhiBirth();
      bool failed = false;
      for (int i = 0; i < 2000 && !failed; ++i) {
        e.name = "BIRTH " + std::to_string(i) + std::string(200, 'X');
        failed = !db.Add(SavedOf(e));
      }
      QVERIFY(failed);
      QCOMPARE(db.lastError(), QString("the disk that holds it is full"));
      // Room again while the file closes, so that its log is folded in.
      QVERIFY(QFile::remove(QDir(folder).filePath("filler")));
    }
    QVERIFY(!QFileInfo::exists(path + "-wal"));
    disk.Fill("filler");
    const QByteArray before = FileBytes(path);
    BirthsDb db(path);
    QCOMPARE(db.state(), BirthsDb::State::ReadOnly);
    QVERIFY2(db.message().contains("cannot be written: the disk that holds it is full"),
             qPrintable(db.message()));
    QVERIFY(db.Count() >= 1);
    QVERIFY(FileBytes(path) == before);
  }

  void cleanup() {
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.path());
  }

 private:
  QTemporaryDir dir_;
};

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], kOpenAsNobodyOption) == 0) {
    QCoreApplication app(argc, argv);
    return OpenAsNobody(argv[2]);
  }
  if (argc == 3 && std::strcmp(argv[1], kSaveLoopOption) == 0) {
    QCoreApplication app(argc, argv);
    return SaveLoop(argv[2]);
  }
  QCoreApplication app(argc, argv);
  TestBirthsDb test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_births_db.moc"
