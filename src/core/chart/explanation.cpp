#include "chart/explanation.h"

#include "chart/chart_layout.h"
#include "tables/sign_tables.h"

namespace orvanta {

namespace {

std::string_view EnglishOf(int sign) {
  return SignRows()[static_cast<std::size_t>(sign)].EnglishName;
}

std::string_view LordOf(int sign) {
  return kSignLord[static_cast<std::size_t>(sign)];
}

// "Leo (5)": the English name and the sign number shown in the chart corner.
std::string Numbered(int sign) {
  return std::string(EnglishOf(sign)) + " (" + std::to_string(sign + 1) + ")";
}

std::string SignLine(std::string_view body, int sign, int ninth, int kala) {
  return std::string(body) + " in " + Numbered(sign) + ": the ninth sign from it is " +
         Numbered(ninth) + ", ruled by " + std::string(LordOf(ninth)) + ", kala " +
         std::to_string(kala);
}

// The words that name what a count was made of: the birth chart's ascendant
// and Moon, or those of its Navamsa.
struct CountedBodies {
  std::string_view ascendant;   // at the start of a line
  std::string_view moon;        // at the start of a line
  std::string_view ascendants;  // "the ascendant's sign"
  std::string_view moons;       // "the Moon's sign"
};
constexpr CountedBodies kBirthChartBodies = {"Ascendant", "Moon", "ascendant's", "Moon's"};
constexpr CountedBodies kNavamsaBodies = {"Navamsa ascendant", "Navamsa Moon",
                                          "Navamsa ascendant's", "Navamsa Moon's"};

InduLagnaWords WordsOf(const InduLagnaSteps& steps, const CountedBodies& bodies) {
  const InduLagnaCount& s = steps.chosen;
  InduLagnaWords words;
  words.headline = InduLagnaHeadline(s.sign);
  words.steps.push_back(SignLine(bodies.ascendant, s.ascSign, s.ascNinthSign, s.ascKala));
  words.steps.push_back(SignLine(bodies.moon, s.moonSign, s.moonNinthSign, s.moonKala));
  words.steps.push_back("Sum: " + std::to_string(s.ascKala) + " + " + std::to_string(s.moonKala) +
                        " = " + std::to_string(s.sum));
  words.steps.push_back("Remainder by 12: " + std::to_string(s.remainder));
  const bool program = s.rule == InduLagnaRule::FromAscendantVenus10;
  const std::string startName(EnglishOf(s.startSign));
  const int count = s.remainder == 0 ? kSignCount : s.remainder;
  std::string countLine = "Counting " + std::to_string(count) + " from the " +
                          std::string(program ? bodies.ascendants : bodies.moons) + " sign (" +
                          startName + " = 1";
  if (s.remainder == 0) countLine += "; a remainder of 0 counts as 12";
  countLine += ") gives: " + std::string(EnglishOf(s.sign));
  words.steps.push_back(countLine);
  if (program) {
    words.steps.push_back("This program counts from the " + std::string(bodies.ascendants) +
                          " sign, Venus 10.");
    words.otherLine = "The textbook rule (counted from the Moon's sign, Venus 12) gives: " +
                      std::string(EnglishOf(steps.other.sign));
  } else {
    words.steps.push_back("The classical count: from the " + std::string(bodies.moons) +
                          " sign, Venus 12.");
    words.otherLine = "This program's own count (from the ascendant's sign, Venus 10) gives: " +
                      std::string(EnglishOf(steps.other.sign));
  }
  return words;
}

}  // namespace

std::optional<InduLagnaSteps> InduLagnaStepsFor(int ascSign, int moonSign, InduLagnaRule rule) {
  const InduLagnaRule otherRule = rule == InduLagnaRule::FromAscendantVenus10
                                      ? InduLagnaRule::FromMoonVenus12
                                      : InduLagnaRule::FromAscendantVenus10;
  const std::optional<InduLagnaCount> chosen = CountInduLagna(ascSign, moonSign, rule);
  const std::optional<InduLagnaCount> other = CountInduLagna(ascSign, moonSign, otherRule);
  if (!chosen || !other) return std::nullopt;
  return InduLagnaSteps{*chosen, *other};
}

std::optional<InduLagnaSteps> ExplainInduLagna(const ChartOutput& chart) {
  if (!chart.induLagna) return std::nullopt;
  return InduLagnaStepsFor(chart.induLagna->ascSign, chart.induLagna->moonSign,
                           chart.induLagna->rule);
}

std::string InduLagnaHeadline(int signIndex) {
  if (signIndex < 0 || signIndex >= kSignCount) return {};
  const SignRow& row = SignRows()[static_cast<std::size_t>(signIndex)];
  return std::string(kHeadlinePrefix) + std::string(row.EnglishName) + " (" +
         std::string(row.VedicName) + ")";
}

InduLagnaWords ExplainInWords(const InduLagnaSteps& steps) {
  return WordsOf(steps, kBirthChartBodies);
}

std::optional<InduLagnaWords> ExplainNavamsaInduLagna(const ChartOutput& chart) {
  const std::optional<InduLagnaCount> navamsa = NavamsaInduLagna(chart);
  if (!navamsa) return std::nullopt;
  const std::optional<InduLagnaSteps> steps =
      InduLagnaStepsFor(navamsa->ascSign, navamsa->moonSign, navamsa->rule);
  if (!steps) return std::nullopt;
  InduLagnaWords words = WordsOf(*steps, kNavamsaBodies);
  words.headline = "Navamsa " + words.headline;
  return words;
}

std::vector<std::string> ExplanationPlainText(const InduLagnaSteps& steps) {
  const InduLagnaWords words = ExplainInWords(steps);
  std::vector<std::string> lines;
  lines.push_back(words.headline);
  lines.push_back(std::string(kLegendHeading));
  for (std::string_view legend : kLegendTexts) lines.push_back("  " + std::string(legend));
  lines.push_back(std::string(kHowFoundHeading));
  for (const std::string& line : words.steps) lines.push_back("  " + line);
  lines.push_back(std::string(kOtherReadingHeading));
  lines.push_back("  " + words.otherLine);
  return lines;
}

}  // namespace orvanta
