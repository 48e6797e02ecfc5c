// The captions the chart record of `--json-record` has always carried,
// written from the chart's numbers: the position texts, the eight retrograde
// flags, the bodies' chart labels, and each sign's cell and mark label with
// the line breaks (CR LF) that the record keeps.
//
// This is the only place a caption is made: every other output (the text
// report, the window, the page, the SVG, the public JSON) draws on the
// numbers through the presentation functions (chart/presentation.h).
//
// A sign's cell holds one line per body in it, in body order, each after a
// line break. Its mark label holds one empty line for each of the house
// calls' marks that fall in it (each house's pada sign, the ascendant lord's
// sign) and each of the moving points, then "IL" where the Indu Lagna stands,
// then one empty line for the vighati point: the order in which the chart's
// record has always received them.
#pragma once

#include <array>

#include "chart/chart.h"

namespace orvanta {

struct LegacyCaptions {
  PositionTexts positionText;       // "05 Leo 07", Sun..Asc
  std::array<bool, 8> retroFlag{};  // Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto
  ChartLabels chartLabel;           // "Mercury (R) " with the record's trailing blank
  SignCaptions signCells;           // Aries first
  SignCaptions marks;               // Aries first
};

LegacyCaptions LegacyCaptionsOf(const ChartOutput& chart);

}  // namespace orvanta
