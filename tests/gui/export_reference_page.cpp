// Not a test: writes the reference birth's page as PDF (A4), PNG and SVG
// into the folder given, for docs/screenshots and for looking at the page;
// South Indian, and as PNG in the North and East Indian styles
// (chart-page-north.png, chart-page-east.png).
#include <QGuiApplication>
#include <cstdio>
#include <utility>

#include "gui/chart_page.h"
#include "support/reference_births.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: export_reference_page FOLDER\n");
    return 64;
  }
  const orvanta::ChartRun run = orvanta::ComputeChart(orvanta::reference::DelhiBirth());
  const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
  for (const char* name : {"chart-page.pdf", "chart-page.png", "chart-page.svg"}) {
    const QString error = orvanta::ExportChart(folder + QLatin1String(name), run.chart);
    if (!error.isEmpty()) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
  }
  for (const auto& [name, style] :
       {std::pair{"chart-page-north.png", orvanta::ChartStyle::NorthIndian},
        std::pair{"chart-page-east.png", orvanta::ChartStyle::EastIndian}}) {
    const QString error = orvanta::ExportChart(folder + QLatin1String(name), run.chart, style);
    if (!error.isEmpty()) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
  }
  return 0;
}
