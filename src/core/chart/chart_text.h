// Small texts of a computed chart that every front end shows the same way:
// a body's position with its retrograde mark, its nakshatra, pada and the
// nakshatra's lord, a body's label in its sign's cell, the Indu Lagna sign's
// name. Each is written from the chart's numbers.
#pragma once

#include <string>
#include <string_view>

#include "chart/chart.h"
#include "tables/names.h"

namespace orvanta {

// True when body `body` (Mercury..Saturn) was marked retrograde.
bool IsRetrograde(const ChartOutput& chart, int body);

// Position text of `body` with kRetroMark when it is retrograde.
std::string PositionWithMark(const ChartOutput& chart, int body,
                             NameScript script = NameScript::English);

// How a chart's names are shown: the script of the names, and two choices
// of the drawn chart's cells: each body by its two-letter label ("Su", "Mo",
// or the script's short form) instead of its name, and each body's degrees
// and minutes within its sign beside it ("Su 23°45'"). The defaults are the
// chart as the program has always drawn it.
struct NameChoice {
  NameScript script = NameScript::English;
  bool twoLetterLabels = false;
  bool degreesInCells = false;

  bool operator==(const NameChoice&) const = default;
};

// The nakshatra a position stands in ("Rohini"), its pada ("2") and the
// nakshatra's lord ("Moon"); each "" for a position without a sign.
//
// The lords are those of the Vimshottari order (Brihat Parashara Hora
// Shastra, the chapter on the Vimshottari dasha): Ashwini's lord is Ketu,
// then Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn and Mercury, the nine
// repeating from Magha and from Mula. The names in `script`.
std::string_view NakshatraName(const BodyPosition& position,
                               NameScript script = NameScript::English);
std::string PadaText(const BodyPosition& position);
std::string_view NakshatraLordName(const BodyPosition& position,
                                   NameScript script = NameScript::English);

// The label of `body` in its sign's cell: "Venus", "Mercury (R)" when it is
// retrograde (kChartLabelNames and kRetroMark); in the choice's script, by
// its short label, and with its degrees ("Me 05°07' (R)") as `names` asks.
// `withDegrees` false leaves the degrees out whatever the choice (the
// Navamsa: a body's degrees are those of its sign in the birth chart, not
// of its navamsa sign).
std::string BodyLabel(const ChartOutput& chart, int body, const NameChoice& names = {},
                      bool withDegrees = true);

// "23°45'": whole degrees and minutes of a position within its sign; ""
// for a position without a sign.
std::string DegreesInSign(const BodyPosition& position);

// The same label by the script's short form ("Ve", "Me (R)"), whatever the
// choice of two-letter labels, for a cell too crowded for the names.
std::string BodyShortLabel(const ChartOutput& chart, int body, const NameChoice& names = {},
                           bool withDegrees = true);

// The value of one attribute of the Indu Lagna sign, or "" when nothing was
// copied.
std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute);

// The English name of the Indu Lagna sign, or "" when nothing was copied.
std::string_view InduLagnaSignName(const ChartOutput& chart);

}  // namespace orvanta
