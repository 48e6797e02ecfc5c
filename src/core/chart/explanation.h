// How the Indu Lagna of a chart was found, in numbers and in words.
//
// This program counts the sum of two kala values (the lords of the ninth
// signs from the ascendant's and from the Moon's sign, Venus 10) modulo 12
// from the ascendant's sign. Many textbooks count the same sum from the
// Moon's sign and give Venus 12; the explanation shows that reading as well,
// clearly set apart, so that a reader who knows it sees why the two differ.
// The desktop window, its printout and the command line all take their
// words from here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"

namespace orvanta {

// The numbers of one Indu Lagna count. Signs are 0-based indexes (0 = Aries);
// add 1 for the sign numbers the chart shows in its corners.
struct InduLagnaSteps {
  int ascSign = 0;        // the ascendant's sign
  int ascNinthSign = 0;   // ninth sign from it, counting it as the first
  int ascKala = 0;        // kala of that ninth sign's lord
  int moonSign = 0;       // the Moon's sign
  int moonNinthSign = 0;  // ninth sign from it
  int moonKala = 0;       // kala of that ninth sign's lord
  int sum = 0;            // ascKala + moonKala
  int remainder = 0;      // sum modulo 12, 0..11
  int induLagnaSign = 0;  // counted from ascSign: remainder 1 is ascSign itself, 0 counts as 12

  // The textbook reading: Venus 12 and the count from the Moon's sign.
  int classicalAscKala = 0;
  int classicalMoonKala = 0;
  int classicalSum = 0;
  int classicalRemainder = 0;
  int classicalSign = 0;
};

// Both counts (CountInduLagna under each rule) for an ascendant in `ascSign`
// and a Moon in `moonSign` (both 0..11); nothing for a sign outside 0..11.
std::optional<InduLagnaSteps> InduLagnaStepsFor(int ascSign, int moonSign);

// The count behind a computed chart, from the signs of its ascendant and
// Moon; nothing when the chart has no Indu Lagna.
std::optional<InduLagnaSteps> ExplainInduLagna(const ChartOutput& chart);

// "Indu Lagna: Scorpio (Vrischika)" for sign index 7; empty outside 0..11.
std::string InduLagnaHeadline(int signIndex);

// The explanation in words: the "How it was found" lines in order, and the
// textbook reading's line ("The textbook rule (counted from the Moon's sign,
// Venus 12) gives: Aquarius").
struct InduLagnaWords {
  std::string headline;
  std::vector<std::string> steps;
  std::string textbookLine;
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
