// The births database with 10,000 saved births: opening the Open Birth list
// (the query, the dialog built, shown and painted; target under 100 ms),
// saving one birth (one transaction; target under 10 ms), and opening the
// file at start (the integrity check included).
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
// The file lives in a temporary folder on the same disk as the build.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
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
    if (dialog.rowCount() != kSavedBirths) state.SkipWithError("not every birth listed");
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
