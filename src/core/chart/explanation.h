// How the Indu Lagna of a chart was found, in numbers and in words.
//
// This program's own count takes the sum of two kala values (the lords of
// the ninth signs from the ascendant's and from the Moon's sign, Venus 10)
// modulo 12 from the ascendant's sign. The classical count of the textbooks
// counts the same sum from the Moon's sign and gives Venus 12. The
// explanation follows the rule the chart was computed with and shows the
// other rule's sign as well, clearly set apart, so that a reader who knows
// it sees why the two differ. The desktop window, its printout and the
// command line all take their words from here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/settings.h"

namespace orvanta {

// The Indu Lagna count under the rule the chart follows, and the other
// rule's count beside it. Signs are 0-based indexes (0 = Aries); add 1 for
// the sign numbers the chart shows in its corners.
struct InduLagnaSteps {
  InduLagnaCount chosen;
  InduLagnaCount other;
};

// Both counts (CountInduLagna under each rule) for an ascendant in `ascSign`
// and a Moon in `moonSign` (both 0..11), `rule` the chosen one; nothing for
// a sign outside 0..11.
std::optional<InduLagnaSteps> InduLagnaStepsFor(int ascSign, int moonSign,
                                                InduLagnaRule rule = kDefaultInduLagnaRule);

// The count behind a computed chart, from the signs of its ascendant and
// Moon and the rule it was computed with; nothing when the chart has no
// Indu Lagna.
std::optional<InduLagnaSteps> ExplainInduLagna(const ChartOutput& chart);

// "Indu Lagna: Scorpio (Vrischika)" for sign index 7; empty outside 0..11.
std::string InduLagnaHeadline(int signIndex);

// The explanation in words: the "How it was found" lines in order, and the
// other rule's line ("The textbook rule (counted from the Moon's sign,
// Venus 12) gives: Aquarius" beside this program's count).
struct InduLagnaWords {
  std::string headline;
  std::vector<std::string> steps;
  std::string otherLine;
};
InduLagnaWords ExplainInWords(const InduLagnaSteps& steps);

// How the Navamsa's Indu Lagna was found (NavamsaInduLagna): the headline
// "Navamsa Indu Lagna: Pisces (Meena)" and the same count's lines with the
// navamsa signs of the ascendant and the Moon ("Navamsa ascendant in Taurus
// (2): ..."); nothing when the chart has no Indu Lagna.
std::optional<InduLagnaWords> ExplainNavamsaInduLagna(const ChartOutput& chart);

// The whole explanation as plain-text lines, for a text report or a
// printout: headline, legend, "How it was found" with its lines indented by
// two blanks, then the other reading. No line carries a line break.
std::vector<std::string> ExplanationPlainText(const InduLagnaSteps& steps);

}  // namespace orvanta
