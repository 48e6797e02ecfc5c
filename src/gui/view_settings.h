// The desktop program's view settings, kept between runs with QSettings:
// the style the charts are drawn in (View menu). The file is the user's
// orvanta/orvanta.ini in the configuration folder (QSettings::setPath moves
// it, as the tests do).
#pragma once

#include <QString>

#include "chart/chart_layout.h"

namespace orvanta {

// The user's settings file (orvanta/orvanta.ini in the configuration folder).
QString SettingsFilePath();
// Whether a settings file may be opened: it is not there yet, or it is a
// regular file (or a link to one). A pipe, a device or a folder in its place
// is never opened: reading a pipe waits for a writer that may never come,
// and the program would start with no window.
bool SettingsFileUsable(const QString& path);

// The chart style last chosen; South Indian when none was, when the saved
// text names no style, or when the settings file may not be opened (then
// nothing is saved either).
ChartStyle SavedChartStyle();
void SaveChartStyle(ChartStyle style);

// Whether the charts show the special lagnas' marks (View > Special
// Lagnas); off when never chosen or when the settings file may not be
// opened.
bool SavedSpecialLagnas();
void SaveSpecialLagnas(bool shown);

// How the charts name the signs and bodies: the script (Tools > Settings >
// Names, kept by the settings dialog beside the calculation settings) and
// the View menu's "Two-Letter Labels" and "Degrees in Cells"; English
// names, each body by its name and no degrees when never chosen or when the
// settings file may not be opened.
NameChoice SavedNameChoice();
void SaveTwoLetterLabels(bool shown);
void SaveDegreesInCells(bool shown);

}  // namespace orvanta
