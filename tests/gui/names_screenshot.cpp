// Not a test: draws the result window of the reference birth with its names
// in Devanagari into FOLDER/chart-devanagari.png and in Tamil into
// FOLDER/chart-tamil.png (Tools > Settings > Names), for docs/screenshots.
#include <QApplication>
#include <QPixmap>
#include <QUrl>
#include <cstdio>

#include "gui/frm_display.h"
#include "gui/help_links.h"
#include "support/reference_births.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: names_screenshot FOLDER\n");
    return 64;
  }
  const orvanta::ChartRun run = orvanta::ComputeChart(orvanta::reference::DelhiBirth());
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const orvanta::HelpLinks help([](const QUrl&) { return true; });
  for (const auto& [script, name] : {std::pair<orvanta::NameScript, const char*>{
                                         orvanta::NameScript::Devanagari, "chart-devanagari.png"},
                                     {orvanta::NameScript::Tamil, "chart-tamil.png"}}) {
    orvanta::FrmDisplay window(help);
    orvanta::NameChoice names;
    names.script = script;
    window.SetNames(names);
    window.Present(run.chart);
    window.resize(1500, 900);  // about what a 1600 x 1000 screen gives it
    window.show();
    window.BringChartToFront();
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!window.grab().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
