// The births database with 10,000 saved births: opening the Open Birth list
// (the query, the dialog built, shown and painted; target under 100 ms),
// saving one birth (one transaction; target under 10 ms), and opening the
// file at start (the integrity check included).
//
// With a million saved births (made once through the import, which takes a
// while): opening the list, and typing six letters into its search box, a
// name many births share and one none has; each key's time on the window's
// thread (target under 100 ms a key), and the time from the last key until
// the list shows what it found (the search runs on a thread of its own).
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
// The file lives in a temporary folder on the same disk as the build.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "gui/birth_list_dialog.h"
#include "gui/births_db.h"
#include "gui/message_sink.h"
#include "io/births_csv.h"
#include "support/reference_births.h"

namespace {

constexpr int kSavedBirths = 10000;

class NoMessages final : public orvanta::MessageSink {
 public:
  void Show(const QString&, orvanta::MessageIcon) override {}
};
class NoQuestions final : public orvanta::QuestionSink {
 public:
  int Ask(const QString&, const QStringList&, int cancel) override { return cancel; }
  QString FileToOpen(const QString&, const QString&) override { return {}; }
  QString FileToSave(const QString&, const QString&, const QString&) override { return {}; }
};

// A births file holding kSavedBirths births, made once.
struct Fixture {
  Fixture() {
    path = dir.filePath("births.sqlite");
    std::string csv(orvanta::kBirthsFileHeader);
    csv += '\n';
    orvanta::FormEntries e = orvanta::reference::DelhiBirth();
    for (int i = 0; i < kSavedBirths; ++i) {
      e.name = "PERSON " + std::to_string(i);
      e.dayText = std::to_string(1 + i % 28);
      e.yearText = std::to_string(1901 + i % 150);
      csv += orvanta::BirthsRowOf(e) + "\n";
    }
    const QString csvPath = dir.filePath("births.csv");
    QFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(csv.data(), static_cast<qint64>(csv.size()));
    file.close();
    orvanta::BirthsDb db(path);
    if (db.ImportCsv(csvPath).imported != kSavedBirths) std::abort();
  }
  QTemporaryDir dir;
  QString path;
};

Fixture& Births() {
  static Fixture fixture;  // made once for all benchmarks of the run
  return fixture;
}

void BM_OpenBirthList(benchmark::State& state) {
  orvanta::BirthsDb db(Births().path);
  NoMessages messages;
  NoQuestions questions;
  for (auto _ : state) {
    orvanta::BirthListDialog dialog(db, questions, messages);
    dialog.show();
    dialog.repaint();
    QCoreApplication::processEvents();
    if (dialog.rowCount() != orvanta::kBirthListLimit || !dialog.hasMore()) {
      state.SkipWithError("not the list's first page");
    }
  }
}
BENCHMARK(BM_OpenBirthList)->Unit(benchmark::kMillisecond);

void BM_SaveOneBirth(benchmark::State& state) {
  orvanta::BirthsDb db(Births().path);
  orvanta::SavedBirth birth;
  birth.entries = orvanta::reference::DelhiBirth();
  for (auto _ : state) {
    if (!db.Add(birth)) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_SaveOneBirth)->Unit(benchmark::kMillisecond);

void BM_OpenDatabase(benchmark::State& state) {
  for (auto _ : state) {
    orvanta::BirthsDb db(Births().path);
    if (!db.canSave()) state.SkipWithError(db.message().toUtf8().constData());
  }
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond);

constexpr int kManyBirths = 1000000;
// Names drawn from eight first and eight last names, each birth numbered.
constexpr std::array<const char*, 8> kFirstNames = {"ARJUN", "MEERA",  "RAVI",  "SITA",
                                                    "PRIYA", "VIKRAM", "ANITA", "KIRAN"};
constexpr std::array<const char*, 8> kLastNames = {"MEHTA", "RAO",   "KUMAR", "SHARMA",
                                                   "IYER",  "GUPTA", "NAIR",  "DAS"};

// A births file holding kManyBirths births, made once.
struct ManyFixture {
  ManyFixture() {
    path = dir.filePath("births.sqlite");
    std::string csv(orvanta::kBirthsFileHeader);
    csv += '\n';
    orvanta::FormEntries e = orvanta::reference::DelhiBirth();
    for (int i = 0; i < kManyBirths; ++i) {
      e.name = std::string(kFirstNames[static_cast<std::size_t>(i % 8)]) + " " +
               kLastNames[static_cast<std::size_t>((i / 8) % 8)] + " " + std::to_string(i);
      e.dayText = std::to_string(1 + i % 28);
      e.yearText = std::to_string(1901 + i % 150);
      csv += orvanta::BirthsRowOf(e) + "\n";
    }
    const QString csvPath = dir.filePath("births.csv");
    QFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(csv.data(), static_cast<qint64>(csv.size()));
    file.close();
    orvanta::BirthsDb db(path);
    if (db.ImportCsv(csvPath).imported != kManyBirths) std::abort();
  }
  QTemporaryDir dir;
  QString path;
};

ManyFixture& ManyBirths() {
  static ManyFixture fixture;  // made once for all benchmarks of the run
  return fixture;
}

void BM_OpenBirthListOfAMillion(benchmark::State& state) {
  orvanta::BirthsDb db(ManyBirths().path);
  NoMessages messages;
  NoQuestions questions;
  for (auto _ : state) {
    orvanta::BirthListDialog dialog(db, questions, messages);
    dialog.show();
    dialog.repaint();
    QCoreApplication::processEvents();
    if (dialog.rowCount() == 0) state.SkipWithError("nothing listed");
  }
}
BENCHMARK(BM_OpenBirthListOfAMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// Types `typed` one letter at a time, waiting after each key until the
// list shows its result. The counters give each key's time on the window's
// thread (the key itself, and the longest the window's thread was busy
// while the search ran and its result was shown), the mean and the worst,
// and the time from each key until the list showed what it found (the
// pause in the typing included).
void TypeIntoTheSearch(benchmark::State& state, const char* typed) {
  orvanta::BirthsDb db(ManyBirths().path);
  NoMessages messages;
  NoQuestions questions;
  orvanta::BirthListDialog dialog(db, questions, messages);
  dialog.show();
  QCoreApplication::processEvents();
  auto* search = dialog.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
  double worstMs = 0, totalMs = 0, worstResultMs = 0, totalResultMs = 0;
  int keys = 0;
  const auto elapsedMs = [](const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
  };
  for (auto _ : state) {
    search->clear();
    QCoreApplication::processEvents();
    for (const char* c = typed; *c != '\0'; ++c) {
      QElapsedTimer shown;
      shown.start();
      QElapsedTimer timer;
      timer.start();
      search->insert(QString(QLatin1Char(*c)));
      QCoreApplication::processEvents();
      double keyMs = elapsedMs(timer);
      // The window's thread, each time it handles what came in while the
      // search runs: its longest turn is the longest the window froze.
      while (dialog.searching()) {
        QThread::usleep(200);
        timer.start();
        QCoreApplication::processEvents();
        keyMs = std::max(keyMs, elapsedMs(timer));
      }
      const double resultMs = elapsedMs(shown);
      worstMs = std::max(worstMs, keyMs);
      totalMs += keyMs;
      worstResultMs = std::max(worstResultMs, resultMs);
      totalResultMs += resultMs;
      ++keys;
    }
  }
  state.counters["worst_key_ms"] = worstMs;
  state.counters["mean_key_ms"] = keys > 0 ? totalMs / keys : 0;
  state.counters["worst_result_ms"] = worstResultMs;
  state.counters["mean_result_ms"] = keys > 0 ? totalResultMs / keys : 0;
  state.counters["rows"] = dialog.rowCount();
}
void BM_TypeASharedName(benchmark::State& state) {
  TypeIntoTheSearch(state, "MEHTA ");
}
void BM_TypeANameNoBirthHas(benchmark::State& state) {
  TypeIntoTheSearch(state, "ZQXJVW");
}
BENCHMARK(BM_TypeASharedName)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TypeANameNoBirthHas)->Unit(benchmark::kMillisecond)->Iterations(1);

void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg && text.contains(QLatin1String("propagateSizeHints"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietOffscreenWarnings);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
