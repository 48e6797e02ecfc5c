// Not a test: draws the reference birth's Wealth page into FOLDER/wealth.png
// and its charts with the special lagnas' marks (View > Special Lagnas)
// into FOLDER/chart-special-lagnas.png, for docs/screenshots.
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "gui/chart_view.h"
#include "gui/wealth_page.h"
#include "support/reference_births.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: wealth_screenshot FOLDER\n");
    return 64;
  }
  const orvanta::ChartRun run = orvanta::ComputeChart(orvanta::reference::DelhiBirth());
  const QString folder = QString::fromLocal8Bit(argv[1]);
  orvanta::WealthPage page;
  page.resize(1000, 760);
  page.Present(run.chart);
  page.show();
  orvanta::ChartView view;
  view.resize(1000, 520);
  view.Present(run.chart, orvanta::ChartStyle::SouthIndian);
  view.SetSpecialLagnas(true);
  view.show();
  QApplication::processEvents();
  for (const auto& [widget, name] : {std::pair<QWidget*, const char*>{&page, "wealth.png"},
                                     {&view, "chart-special-lagnas.png"}}) {
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!widget->grab().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
