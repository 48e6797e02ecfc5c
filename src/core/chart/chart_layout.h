// The drawn chart in its three regional styles, as geometry and texts, for
// every front end that draws one (the desktop's window and page, the
// command line's SVG).
//
// A chart is a unit square (x to the right, y downwards, 0..1) cut into
// twelve cells, one per sign:
// - South Indian: 4 x 4 squares around an empty centre; the signs are fixed,
//   Pisces top left, running clockwise.
// - North Indian: the square's diagonals and the diamond joining the
//   midpoints of its sides make twelve houses; house 1 is the top-centre
//   diamond and holds the ascendant's sign, the houses run counter-clockwise
//   and each shows its sign's number.
// - East Indian: 3 x 3 squares around an empty centre, each corner square
//   cut by the big square's diagonal into two triangles; the signs are
//   fixed, Aries top middle, running counter-clockwise.
// The Navamsa (D9) is the same drawing fed with each body's navamsa sign
// (BodyPosition::navamsaSign) and the Indu Lagna counted from the navamsa
// signs of the ascendant and the Moon. Nothing here draws: a front end
// scales the square to its device and writes the texts into each cell's
// text box.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_text.h"
#include "lagna/indu_lagna.h"

namespace orvanta {

enum class ChartStyle { SouthIndian, NorthIndian, EastIndian };
inline constexpr std::array<ChartStyle, 3> kChartStyles = {
    ChartStyle::SouthIndian, ChartStyle::NorthIndian, ChartStyle::EastIndian};

// "south-indian", "north-indian", "east-indian": the style's name in the
// JSON's settings and in the desktop's saved settings.
std::string_view ChartStyleKey(ChartStyle style);
// The style of a key ChartStyleKey gives; nothing for any other text.
std::optional<ChartStyle> ChartStyleOfKey(std::string_view key);
// "South Indian", "North Indian", "East Indian": the menu's words.
std::string_view ChartStyleCaption(ChartStyle style);

// Which of a birth's charts to draw.
enum class ChartKind { Rasi, Navamsa };

// A point of the unit square.
struct UnitPoint {
  double x = 0, y = 0;
};
// An upright rectangle of the unit square: left, top, width, height.
struct UnitBox {
  double x = 0, y = 0, width = 0, height = 0;
};

// One cell of a chart: the sign it shows, its house counted from the
// ascendant's sign (1..12), its outline (a square, a diamond or a
// triangle), the box its sign label is centred in (North Indian: by the
// house's inner corner; else along the cell's top) and the upright box
// inside it, clear of the label, that holds its marks and bodies.
struct ChartCellShape {
  int sign = 0;   // 0 = Aries .. 11 = Pisces
  int house = 1;  // 1 = the ascendant's sign
  std::vector<UnitPoint> outline;
  UnitBox labelBox;
  UnitBox textBox;
};

// The twelve cells of a style for an ascendant in `ascSign` (0..11; the
// fixed styles only number the houses by it), Aries first.
std::array<ChartCellShape, kSignCount> ChartCells(ChartStyle style, int ascSign);

// What one cell of a drawn chart says: its label, the sign's number
// (North Indian) or abbreviation and number ("Leo 5"); then, line by line in
// the text box, the mark "IL" where the chart's Indu Lagna stands and the
// bodies ("Venus (R)", "Asc").
struct ChartCellTexts {
  std::string signLabel;
  bool induLagna = false;  // the cell holds the chart's Indu Lagna
  bool ascendant = false;  // the cell holds the ascendant
  std::vector<std::string> bodies;
  // The same bodies in two letters ("Ve", "Me (R)"), for a cell too
  // crowded for their names; empty where a drawing has none.
  std::vector<std::string> shortBodies;
};

// The lines of a cell's text box as drawn, and their text size in units of
// the square: "IL" alone on the first line where the Indu Lagna stands,
// then the bodies, one, two or three to a line (two blanks between them),
// or one to a line with a retrograde mark on the line under its body's
// name ("Saturn", "(R)"), whichever lets the text be largest; never above
// `largest`. Where the names cannot be as large as `legible` (a crowded
// cell of a small chart) and the two-letter labels can be larger, the
// lines hold those instead ("Su  Mo  Me (R)").
struct CellLine {
  std::string text;
  bool mark = false;  // the Indu Lagna's mark
};
struct FittedCellText {
  std::vector<CellLine> lines;
  double size = 0;
};
FittedCellText FitCellText(const ChartCellTexts& texts, const UnitBox& box, double largest,
                           double legible = 0);

// A whole drawn chart: its cells, their texts (both Aries first), its
// title and the line under it naming its Indu Lagna.
struct ChartDrawing {
  ChartStyle style = ChartStyle::SouthIndian;
  ChartKind kind = ChartKind::Rasi;
  std::string title;          // "Rasi (birth chart)" or "Navamsa (D9)"
  std::string induLagnaLine;  // "IL: Scorpio", "Navamsa IL: Leo"; empty without one
  // The ascendant's label in the cells ("Asc"), drawn in the mark's ink, and
  // its short form ("As"), which a crowded cell writes instead.
  std::string ascendantLabel;
  std::string ascendantShortLabel;
  std::array<ChartCellShape, kSignCount> cells;
  std::array<ChartCellTexts, kSignCount> texts;
};

// The Indu Lagna of the Navamsa: the birth chart's rule applied to the
// navamsa signs of the ascendant and the Moon; nothing when the birth chart
// has no Indu Lagna.
std::optional<InduLagnaCount> NavamsaInduLagna(const ChartOutput& chart);

// The chart of `kind` of a computed birth, drawn in `style`, its signs and
// bodies named as `names` asks (the Navamsa shows no degrees).
ChartDrawing DrawChart(const ChartOutput& chart, ChartKind kind, ChartStyle style,
                       const NameChoice& names = {});

// The legend under a drawing, one entry a line; the ascendant by its label
// in the cells as `names` writes it ("Asc = ascendant", "லக்னம் = ascendant").
std::vector<std::string> ChartLegend(ChartStyle style, const NameChoice& names = {});

// Characters of a UTF-8 text as they stand side by side, for the width
// estimate and the text report's columns: every code point but the marks
// that join the letter before them (the vowel signs, viramas, nuktas,
// anusvaras and visargas of the Indic scripts, the combining diacritics,
// the zero-width joiners), so that "सू" counts one and "Asc" three.
std::size_t TextLength(std::string_view text);

// The width of a text in Latin letters, for the cells' fitting: TextLength,
// with each letter of an Indic script counted as two, since an Indic letter
// with its vowel signs is drawn about twice as wide as a Latin letter (Noto
// Sans Tamil's மேஷம் is 3.8 em wide against DejaVu Sans' "Aries" at 2.5).
std::size_t WidthInLetters(std::string_view text);

// The text size, in units of the square, at which `lines` lines of at most
// `longestChars` characters fit in `box`, never above `largest`. Widths are
// estimated at 0.62 of the size per character (DejaVu Sans' widest common
// letters), lines at 1.2 of the size.
double FittingTextSize(const UnitBox& box, std::size_t lines, std::size_t longestChars,
                       double largest);

}  // namespace orvanta
