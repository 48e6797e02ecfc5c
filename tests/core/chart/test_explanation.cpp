// The Indu Lagna explained: the headline, the legend and the "How it was
// found" lines for the worked examples of the count, the textbook reading
// beside it, and the agreement of the explanation with the house calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/explanation.h"
#include "lagna/indu_lagna.h"

namespace orvanta {
namespace {

enum Sign : int { Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

struct ExampleRow {
  const char* name;
  int asc, moon;
  const char* headline;
  std::vector<std::string> steps;
  const char* other;  // the other rule's sign
  InduLagnaRule rule = InduLagnaRule::FromAscendantVenus10;
};

// The worked examples of the count. The kalas come from the lords of the
// ninth signs (Jupiter 10, Saturn 1, Mars 6, Sun 30, Venus 10); the textbook
// reading gives Venus 12 and counts from the Moon's sign, worked by hand:
// Taurus + 11 -> Pisces; Pisces + 12 -> Aquarius; Sagittarius + 12 ->
// Scorpio; Aquarius + (12 + 12 = 24, remainder 0) -> Capricorn.
const ExampleRow kExamples[] = {
    {"AriesTaurus",
     Ari,
     Tau,
     "Indu Lagna: Aquarius (Kumbha)",
     {"Ascendant in Aries (1): the ninth sign from it is Sagittarius (9), ruled by Jupiter, kala "
      "10",
      "Moon in Taurus (2): the ninth sign from it is Capricorn (10), ruled by Saturn, kala 1",
      "Sum: 10 + 1 = 11", "Remainder by 12: 11",
      "Counting 11 from the ascendant's sign (Aries = 1) gives: Aquarius",
      "This program counts from the ascendant's sign, Venus 10."},
     "Pisces"},
    {"LeoPisces",
     Leo,
     Pis,
     "Indu Lagna: Cancer (Kataka)",
     {"Ascendant in Leo (5): the ninth sign from it is Aries (1), ruled by Mars, kala 6",
      "Moon in Pisces (12): the ninth sign from it is Scorpio (8), ruled by Mars, kala 6",
      "Sum: 6 + 6 = 12", "Remainder by 12: 0",
      "Counting 12 from the ascendant's sign (Leo = 1; a remainder of 0 counts as 12) gives: "
      "Cancer",
      "This program counts from the ascendant's sign, Venus 10."},
     "Aquarius"},
    {"SagittariusTwice",
     Sag,
     Sag,
     "Indu Lagna: Scorpio (Vrischika)",
     {"Ascendant in Sagittarius (9): the ninth sign from it is Leo (5), ruled by Sun, kala 30",
      "Moon in Sagittarius (9): the ninth sign from it is Leo (5), ruled by Sun, kala 30",
      "Sum: 30 + 30 = 60", "Remainder by 12: 0",
      "Counting 12 from the ascendant's sign (Sagittarius = 1; a remainder of 0 counts as 12) "
      "gives: Scorpio",
      "This program counts from the ascendant's sign, Venus 10."},
     "Scorpio"},
    {"VirgoAquarius",
     Vir,
     Aqu,
     "Indu Lagna: Aries (Mesha)",
     {"Ascendant in Virgo (6): the ninth sign from it is Taurus (2), ruled by Venus, kala 10",
      "Moon in Aquarius (11): the ninth sign from it is Libra (7), ruled by Venus, kala 10",
      "Sum: 10 + 10 = 20", "Remainder by 12: 8",
      "Counting 8 from the ascendant's sign (Virgo = 1) gives: Aries",
      "This program counts from the ascendant's sign, Venus 10."},
     "Capricorn"},
    // The classical count chosen, worked by hand: Venus 12, counted from the
    // Moon's sign; the other line gives this program's count.
    {"ClassicalVirgoAquariusRemainder0",
     Vir,
     Aqu,
     "Indu Lagna: Capricorn (Makara)",
     {"Ascendant in Virgo (6): the ninth sign from it is Taurus (2), ruled by Venus, kala 12",
      "Moon in Aquarius (11): the ninth sign from it is Libra (7), ruled by Venus, kala 12",
      "Sum: 12 + 12 = 24", "Remainder by 12: 0",
      "Counting 12 from the Moon's sign (Aquarius = 1; a remainder of 0 counts as 12) gives: "
      "Capricorn",
      "The classical count: from the Moon's sign, Venus 12."},
     "Aries",
     InduLagnaRule::FromMoonVenus12},
    {"ClassicalLeoPiscesRemainder0",
     Leo,
     Pis,
     "Indu Lagna: Aquarius (Kumbha)",
     {"Ascendant in Leo (5): the ninth sign from it is Aries (1), ruled by Mars, kala 6",
      "Moon in Pisces (12): the ninth sign from it is Scorpio (8), ruled by Mars, kala 6",
      "Sum: 6 + 6 = 12", "Remainder by 12: 0",
      "Counting 12 from the Moon's sign (Pisces = 1; a remainder of 0 counts as 12) gives: "
      "Aquarius",
      "The classical count: from the Moon's sign, Venus 12."},
     "Cancer",
     InduLagnaRule::FromMoonVenus12},
    {"ClassicalAriesTwice",
     Ari,
     Ari,
     "Indu Lagna: Scorpio (Vrischika)",
     {"Ascendant in Aries (1): the ninth sign from it is Sagittarius (9), ruled by Jupiter, kala "
      "10",
      "Moon in Aries (1): the ninth sign from it is Sagittarius (9), ruled by Jupiter, kala 10",
      "Sum: 10 + 10 = 20", "Remainder by 12: 8",
      "Counting 8 from the Moon's sign (Aries = 1) gives: Scorpio",
      "The classical count: from the Moon's sign, Venus 12."},
     "Scorpio",
     InduLagnaRule::FromMoonVenus12},
    {"ClassicalAriesTaurusToPisces",
     Ari,
     Tau,
     "Indu Lagna: Pisces (Meena)",
     {"Ascendant in Aries (1): the ninth sign from it is Sagittarius (9), ruled by Jupiter, kala "
      "10",
      "Moon in Taurus (2): the ninth sign from it is Capricorn (10), ruled by Saturn, kala 1",
      "Sum: 10 + 1 = 11", "Remainder by 12: 11",
      "Counting 11 from the Moon's sign (Taurus = 1) gives: Pisces",
      "The classical count: from the Moon's sign, Venus 12."},
     "Aquarius",
     InduLagnaRule::FromMoonVenus12},
};

TEST(Explanation, WorkedExamples) {
  for (const ExampleRow& row : kExamples) {
    SCOPED_TRACE(row.name);
    const std::optional<InduLagnaSteps> steps = InduLagnaStepsFor(row.asc, row.moon, row.rule);
    ASSERT_TRUE(steps);
    const InduLagnaWords words = ExplainInWords(*steps);
    EXPECT_EQ(words.headline, row.headline);
    EXPECT_EQ(words.steps, row.steps);
    const std::string otherPrefix =
        row.rule == InduLagnaRule::FromAscendantVenus10
            ? "The textbook rule (counted from the Moon's sign, Venus 12) gives: "
            : "This program's own count (from the ascendant's sign, Venus 10) gives: ";
    EXPECT_EQ(words.otherLine, otherPrefix + row.other);

    // The plain text: headline, legend, the steps and the other reading,
    // each under its heading.
    std::vector<std::string> expected = {row.headline,
                                         "Legend",
                                         "  IL = Indu Lagna",
                                         "  (R) = retrograde",
                                         "  The corner numbers are sign numbers (Aries 1 … "
                                         "Pisces 12)",
                                         "How it was found"};
    for (const std::string& s : row.steps) expected.push_back("  " + s);
    expected.push_back("The other reading");
    expected.push_back("  " + words.otherLine);
    EXPECT_EQ(ExplanationPlainText(*steps), expected);
  }
}

// For every pair of signs the explanation's numbers lead to the sign of the
// chart's count: counting the remainder (0 as 12) one sign at a time from
// the ascendant's sign, and for the textbook reading from the Moon's.
TEST(Explanation, NumbersGiveTheCountedSignForEveryPair) {
  for (int asc = 0; asc < kSignCount; ++asc) {
    for (int moon = 0; moon < kSignCount; ++moon) {
      SCOPED_TRACE(std::to_string(asc) + "/" + std::to_string(moon));
      const std::optional<InduLagnaSteps> s = InduLagnaStepsFor(asc, moon);
      ASSERT_TRUE(s);
      EXPECT_EQ(s->chosen.ascKala, kKala[static_cast<std::size_t>(asc)]);
      EXPECT_EQ(s->chosen.moonKala, kKala[static_cast<std::size_t>(moon)]);
      EXPECT_EQ(s->chosen.sum, s->chosen.ascKala + s->chosen.moonKala);
      EXPECT_EQ(s->chosen.remainder, s->chosen.sum % 12);
      int sign = asc;
      for (int step = 1; step < (s->chosen.remainder == 0 ? 12 : s->chosen.remainder); ++step)
        sign = (sign + 1) % 12;
      EXPECT_EQ(s->chosen.sign, sign);
      int classical = moon;
      for (int step = 1; step < (s->other.remainder == 0 ? 12 : s->other.remainder); ++step)
        classical = (classical + 1) % 12;
      EXPECT_EQ(s->other.sign, classical);
      // Chosen the other way round, the two counts change places.
      const std::optional<InduLagnaSteps> swapped =
          InduLagnaStepsFor(asc, moon, InduLagnaRule::FromMoonVenus12);
      ASSERT_TRUE(swapped);
      EXPECT_EQ(swapped->chosen.sign, s->other.sign);
      EXPECT_EQ(swapped->other.sign, s->chosen.sign);
      EXPECT_EQ(swapped->chosen.startSign, moon);
      EXPECT_EQ(ExplainInWords(*s).headline.substr(0, 12), "Indu Lagna: ");
      // A Venus-ruled ninth sign (from Virgo or Aquarius) is the only place
      // where the textbook kala differs.
      EXPECT_EQ(s->other.ascKala - s->chosen.ascKala, asc == Vir || asc == Aqu ? 2 : 0);
      EXPECT_EQ(s->other.moonKala - s->chosen.moonKala, moon == Vir || moon == Aqu ? 2 : 0);
    }
  }
  EXPECT_FALSE(InduLagnaStepsFor(-1, 0));
  EXPECT_FALSE(InduLagnaStepsFor(0, 12));
  EXPECT_EQ(InduLagnaHeadline(12), "");
}

// The explanation of a computed chart is the count of its own ascendant and
// Moon; a chart without an Indu Lagna has none.
TEST(Explanation, ChartExplainsItsOwnCount) {
  ChartOutput chart;
  chart.induLagna = CountInduLagna(Ari, Tau, InduLagnaRule::FromAscendantVenus10);
  const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart);
  ASSERT_TRUE(steps);
  EXPECT_EQ(steps->chosen.sign, Aqu);
  chart.induLagna.reset();
  EXPECT_FALSE(ExplainInduLagna(chart));
}

}  // namespace
}  // namespace orvanta
