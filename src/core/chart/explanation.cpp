#include "chart/explanation.h"

#include "tables/sign_tables.h"

namespace orvanta {

namespace {

// Venus's kala in the textbook reading; this program gives her 10.
inline constexpr int kTextbookVenusKala = 12;

std::string_view EnglishOf(int sign) {
  return FillSignTables()[static_cast<std::size_t>(sign)].EnglishName;
}

std::string_view LordOf(int sign) {
  return kSignLord[static_cast<std::size_t>(sign)];
}

// The ninth sign from `sign`, the sign itself counting as the first.
int NinthFrom(int sign) {
  return (sign + 8) % kSignCount;
}

// Counting `remainder` signs from `start`, inclusively: 1 is `start` itself,
// 0 counts as 12 (the sign before `start`).
int CountFrom(int start, int remainder) {
  return (start + remainder - 1 + kSignCount) % kSignCount;
}

// Kala of a sign in the textbook reading: the same lords, but Venus 12.
int TextbookKala(int sign) {
  const int ninth = NinthFrom(sign);
  if (LordOf(ninth) == "Venus") return kTextbookVenusKala;
  return kKala[static_cast<std::size_t>(sign)];
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

}  // namespace

std::optional<InduLagnaSteps> InduLagnaStepsFor(int ascSign, int moonSign) {
  if (ascSign < 0 || ascSign >= kSignCount || moonSign < 0 || moonSign >= kSignCount) {
    return std::nullopt;
  }
  InduLagnaSteps s;
  s.ascSign = ascSign;
  s.ascNinthSign = NinthFrom(ascSign);
  s.ascKala = kKala[static_cast<std::size_t>(ascSign)];
  s.moonSign = moonSign;
  s.moonNinthSign = NinthFrom(moonSign);
  s.moonKala = kKala[static_cast<std::size_t>(moonSign)];
  s.sum = s.ascKala + s.moonKala;
  s.remainder = s.sum % kSignCount;
  s.induLagnaSign = CountFrom(ascSign, s.remainder);

  s.classicalAscKala = TextbookKala(ascSign);
  s.classicalMoonKala = TextbookKala(moonSign);
  s.classicalSum = s.classicalAscKala + s.classicalMoonKala;
  s.classicalRemainder = s.classicalSum % kSignCount;
  s.classicalSign = CountFrom(moonSign, s.classicalRemainder);
  return s;
}

std::optional<InduLagnaSteps> ExplainInduLagna(const ChartOutput& chart) {
  const int ascSign = SignIndexOfPosition(chart.PositionText[Asc]);
  const int moonSign = SignIndexOfPosition(chart.PositionText[Moon]);
  std::optional<InduLagnaSteps> steps = InduLagnaStepsFor(ascSign, moonSign);
  if (!steps || steps->induLagnaSign != chart.lagna.InduLagnaIndex) return std::nullopt;
  return steps;
}

std::string InduLagnaHeadline(int signIndex) {
  if (signIndex < 0 || signIndex >= kSignCount) return {};
  const SignRow& row = FillSignTables()[static_cast<std::size_t>(signIndex)];
  return std::string(kHeadlinePrefix) + std::string(row.EnglishName) + " (" +
         std::string(row.VedicName) + ")";
}

InduLagnaWords ExplainInWords(const InduLagnaSteps& s) {
  InduLagnaWords words;
  words.headline = InduLagnaHeadline(s.induLagnaSign);
  words.steps.push_back(SignLine("Ascendant", s.ascSign, s.ascNinthSign, s.ascKala));
  words.steps.push_back(SignLine("Moon", s.moonSign, s.moonNinthSign, s.moonKala));
  words.steps.push_back("Sum: " + std::to_string(s.ascKala) + " + " + std::to_string(s.moonKala) +
                        " = " + std::to_string(s.sum));
  words.steps.push_back("Remainder by 12: " + std::to_string(s.remainder));
  const std::string ascName(EnglishOf(s.ascSign));
  const int count = s.remainder == 0 ? kSignCount : s.remainder;
  std::string countLine =
      "Counting " + std::to_string(count) + " from the ascendant's sign (" + ascName + " = 1";
  if (s.remainder == 0) countLine += "; a remainder of 0 counts as 12";
  countLine += ") gives: " + std::string(EnglishOf(s.induLagnaSign));
  words.steps.push_back(countLine);
  words.steps.push_back("This program counts from the ascendant's sign, Venus 10.");
  words.textbookLine = "The textbook rule (counted from the Moon's sign, Venus 12) gives: " +
                       std::string(EnglishOf(s.classicalSign));
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
  lines.push_back("  " + words.textbookLine);
  return lines;
}

}  // namespace orvanta
