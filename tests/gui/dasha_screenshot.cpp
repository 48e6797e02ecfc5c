// Not a test: draws the reference birth's Dasha page, with the periods of
// 9 December 2026 marked, into FOLDER/dasha.png for docs/screenshots (a
// fixed date, so the picture does not change with the day it is taken).
#include <QApplication>
#include <QPixmap>
#include <chrono>
#include <cstdio>

#include "gui/dasha_page.h"
#include "support/reference_births.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: dasha_screenshot FOLDER\n");
    return 64;
  }
  const orvanta::ChartRun run = orvanta::ComputeChart(orvanta::reference::DelhiBirth());
  orvanta::DashaPage page;
  page.resize(760, 620);
  using namespace std::chrono;
  page.Present(run.chart, sys_days{2026y / 12 / 9} + 12h);
  page.show();
  QApplication::processEvents();
  const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/dasha.png");
  if (!page.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}
