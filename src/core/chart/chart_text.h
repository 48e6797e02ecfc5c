// Small texts of a computed chart that every front end shows the same way:
// a body's position with its retrograde mark, its nakshatra, pada and the
// nakshatra's lord, a body's label in its sign's cell, the Indu Lagna sign's
// name. Each is written from the chart's numbers.
#pragma once

#include <string>
#include <string_view>

#include "chart/chart.h"

namespace orvanta {

// True when body `body` (Mercury..Saturn) was marked retrograde.
bool IsRetrograde(const ChartOutput& chart, int body);

// Position text of `body` with kRetroMark when it is retrograde.
std::string PositionWithMark(const ChartOutput& chart, int body);

// The nakshatra a position stands in ("Rohini"), its pada ("2") and the
// nakshatra's lord ("Moon"); each "" for a position without a sign.
//
// The lords are those of the Vimshottari order (Brihat Parashara Hora
// Shastra, the chapter on the Vimshottari dasha): Ashwini's lord is Ketu,
// then Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn and Mercury, the nine
// repeating from Magha and from Mula.
std::string_view NakshatraName(const BodyPosition& position);
std::string PadaText(const BodyPosition& position);
std::string_view NakshatraLordName(const BodyPosition& position);

// The label of `body` in its sign's cell: "Venus", "Mercury (R)" when it is
// retrograde (kChartLabelNames and kRetroMark).
std::string BodyLabel(const ChartOutput& chart, int body);
// The same label in two letters ("Ve", "Me (R)"; kChartShortLabels), for a
// cell too crowded for the names.
std::string BodyShortLabel(const ChartOutput& chart, int body);

// The value of one attribute of the Indu Lagna sign, or "" when nothing was
// copied.
std::string_view AttributeValueOf(const ChartOutput& chart, SignAttribute attribute);

// The English name of the Indu Lagna sign, or "" when nothing was copied.
std::string_view InduLagnaSignName(const ChartOutput& chart);

}  // namespace orvanta
