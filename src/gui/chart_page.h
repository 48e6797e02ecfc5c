// The printed page of one chart, and the ways it leaves the program: PDF,
// PNG and SVG files, the printer, and plain text for the clipboard.
//
// The page is drawn with QPainter straight onto the output device (printer,
// PDF writer, image, SVG generator), so it has the output's resolution: text
// and lines are vector in PDF and SVG and drawn at the printer's dots or the
// image's pixels, never a grab of the screen. It holds the birth details,
// the positions, the birth chart and its Navamsa side by side in the chosen
// style, how the Indu Lagna and the Navamsa's Indu Lagna were found, the
// legend, and the Indu Lagna sign's attributes and texts. Only strings of the ChartOutput are
// drawn; nothing is computed here.
#pragma once

#include <QPageSize>
#include <QRectF>
#include <QSize>
#include <QString>

#include "chart/chart_layout.h"
#include "io/birth_entries.h"

class QPainter;
class QPrinter;

namespace orvanta {

// Draws the page into `target` (device coordinates of the painter), its
// signs, bodies and nakshatras named as `names` asks.
void PaintChartPage(QPainter& painter, const QRectF& target, const ChartOutput& chart,
                    ChartStyle style = ChartStyle::SouthIndian, const NameChoice& names = {});

// The page size of the user's locale: Letter where the US measures are
// used, A4 elsewhere (what a printer set up for the locale offers first).
QPageSize LocalePageSize();

// Each returns an error text, or empty when the file was written whole.
QString ExportChartPdf(const QString& path, const ChartOutput& chart, const QPageSize& pageSize,
                       ChartStyle style = ChartStyle::SouthIndian, const NameChoice& names = {});
QString ExportChartPng(const QString& path, const ChartOutput& chart, QSize pixels,
                       ChartStyle style = ChartStyle::SouthIndian, const NameChoice& names = {});
QString ExportChartSvg(const QString& path, const ChartOutput& chart, QSize pixels,
                       ChartStyle style = ChartStyle::SouthIndian, const NameChoice& names = {});
// By the file's suffix (.pdf, .png, .svg): PDF on the locale's page size,
// PNG and SVG at the page's proportions, 1240 pixels wide (A4 at 150 dpi).
QString ExportChart(const QString& path, const ChartOutput& chart,
                    ChartStyle style = ChartStyle::SouthIndian, const NameChoice& names = {});

// Pixels of the PNG and SVG page: A4's proportions at 150 dots per inch.
inline constexpr int kImagePageWidthPx = 1240;
inline constexpr int kImagePageHeightPx = 1754;

// Prints the page on the printer's page, within its margins.
void PrintChart(QPrinter& printer, const ChartOutput& chart,
                ChartStyle style = ChartStyle::SouthIndian, const NameChoice& names = {});

// The birth details and positions as plain text, one item a line, after the
// settings line when a calculation setting differs from the default.
QString ChartPlainText(const ChartOutput& chart);

}  // namespace orvanta
