// The wealth reading: the rules one by one, three charts counted by hand,
// and over 2,000 random births an independent count from each chart's own
// longitudes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/dasha_chart.h"
#include "chart/wealth_chart.h"
#include "lagna/indu_lagna.h"
#include "support/random_births.h"
#include "wealth/wealth.h"
#include "wealth/wealth_rules.h"

namespace orvanta {
namespace {

using wealth::Dignity;
using wealth::Effect;
using wealth::Nature;
using wealth::ReasonKind;

// Signs by index, for the hand-worked tables.
enum : int { Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

TEST(WealthRules, DignityTable) {
  struct Row {
    int body, sign;
    std::optional<Dignity> expected;
    const char* why;
  };
  const Row rows[] = {
      {Sun, Ari, Dignity::Exalted, "Sun exalted in Aries"},
      {Sun, Lib, Dignity::Debilitated, "opposite Aries"},
      {Sun, Leo, Dignity::Own, "Leo is the Sun's"},
      {Sun, Sco, Dignity::Friend, "Mars's sign, Mars the Sun's friend"},
      {Sun, Gem, Dignity::Neutral, "Mercury's sign, neutral to the Sun"},
      {Sun, Cap, Dignity::Enemy, "Saturn's sign, the Sun's enemy"},
      {Moon, Tau, Dignity::Exalted, ""},
      {Moon, Sco, Dignity::Debilitated, ""},
      {Moon, Cap, Dignity::Neutral, "the Moon has no enemies"},
      {Mercury, Vir, Dignity::Exalted, "exaltation before own sign"},
      {Mercury, Pis, Dignity::Debilitated, ""},
      {Mercury, Gem, Dignity::Own, ""},
      {Mercury, Can, Dignity::Enemy, "the Moon's sign"},
      {Venus, Pis, Dignity::Exalted, ""},
      {Venus, Vir, Dignity::Debilitated, ""},
      {Venus, Leo, Dignity::Enemy, ""},
      {Mars, Cap, Dignity::Exalted, ""},
      {Mars, Can, Dignity::Debilitated, ""},
      {Mars, Aqu, Dignity::Neutral, "Aquarius's single lord is Saturn"},
      {Jupiter, Can, Dignity::Exalted, ""},
      {Jupiter, Cap, Dignity::Debilitated, ""},
      {Jupiter, Vir, Dignity::Enemy, "Mercury's sign"},
      {Saturn, Lib, Dignity::Exalted, ""},
      {Saturn, Ari, Dignity::Debilitated, ""},
      {Saturn, Aqu, Dignity::Own, ""},
      {Saturn, Vir, Dignity::Friend, ""},
      {Saturn, Sag, Dignity::Neutral, ""},
      {Rahu, Tau, std::nullopt, "no dignity for the nodes"},
      {Ketu, Sco, std::nullopt, ""},
      {Asc, Ari, std::nullopt, ""},
      {Sun, 12, std::nullopt, "no such sign"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(BodyName(r.body)) + " in " + std::to_string(r.sign) + ": " + r.why);
    EXPECT_EQ(wealth::DignityOf(r.body, r.sign), r.expected);
  }
}

TEST(WealthRules, AspectsAndHouses) {
  struct Row {
    int body, from, target;
    bool expected;
  };
  const Row rows[] = {
      {Sun, Ari, Lib, true},     {Sun, Ari, Can, false},     {Mars, Can, Lib, true},
      {Mars, Can, Aqu, true},    {Mars, Can, Leo, false},    {Jupiter, Ari, Leo, true},
      {Jupiter, Ari, Sag, true}, {Jupiter, Ari, Can, false}, {Saturn, Ari, Gem, true},
      {Saturn, Ari, Cap, true},  {Saturn, Ari, Aqu, false},  {Rahu, Ari, Lib, true},
      {Rahu, Ari, Leo, false},   {Ketu, Lib, Ari, true},     {Asc, Ari, Lib, false},
      {Moon, Ari, Ari, false},   {Mars, -1, Ari, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(BodyName(r.body)) + " " + std::to_string(r.from) + " -> " +
                 std::to_string(r.target));
    EXPECT_EQ(wealth::Aspects(r.body, r.from, r.target), r.expected);
  }
  EXPECT_EQ(wealth::HouseFrom(Aqu, Aqu), 1);
  EXPECT_EQ(wealth::HouseFrom(Aqu, Ari), 3);  // Aquarius, Pisces, Aries
  EXPECT_EQ(wealth::HouseFrom(Aqu, Pis), 2);
  EXPECT_EQ(wealth::HouseFrom(Aqu, -1), std::nullopt);
  for (int h = 1; h <= 12; ++h) {
    const auto c = wealth::ClassOfHouse(h);
    ASSERT_TRUE(c);
    const bool gives = h == 1 || h == 4 || h == 5 || h == 7 || h == 9 || h == 10;
    const bool wealthHouse = h == 2 || h == 11;
    EXPECT_EQ(*c, gives         ? wealth::HouseClass::Gives
                  : wealthHouse ? wealth::HouseClass::Wealth
                                : wealth::HouseClass::Costs)
        << h;
  }
}

TEST(WealthRules, TimeLagnasAndSreeLagna) {
  constexpr double kTolDeg = 1e-9;
  // An hour after sunrise: 60 minutes at 0.5, 1.25 and 0.25 degrees each.
  EXPECT_NEAR(wealth::TimeLagnaDeg(100.0, wealth::kHoraLagnaDegPerMinute, 3600), 130.0, kTolDeg);
  EXPECT_NEAR(wealth::TimeLagnaDeg(100.0, wealth::kGhatiLagnaDegPerMinute, 3600), 175.0, kTolDeg);
  EXPECT_NEAR(wealth::TimeLagnaDeg(100.0, wealth::kBhavaLagnaDegPerMinute, 3600), 115.0, kTolDeg);
  // Half a minute is a quarter degree of the Ghati Lagna.
  EXPECT_NEAR(wealth::TimeLagnaDeg(10.0, 1.25, 30), 10.625, kTolDeg);
  // A whole day of the Ghati Lagna is five turns: back where it started.
  EXPECT_NEAR(wealth::TimeLagnaDeg(350.0, 1.25, 86400), 350.0, kTolDeg);
  // 350 + 20 hours of Hora Lagna (600 degrees) = 950 = 230 after two turns.
  EXPECT_NEAR(wealth::TimeLagnaDeg(350.0, 0.5, 20 * 3600), 230.0, kTolDeg);
  // Moon at 165: 5 degrees into Hasta's 13 deg 20' (3/8 of it), so the
  // ascendant at 40 moves on 135 degrees, to 175 (Virgo).
  EXPECT_NEAR(wealth::SreeLagnaDeg(40.0, 165.0), 175.0, kTolDeg);
  // Ascendant 300, Moon 6 deg 40' (half Ashwini): 300 + 180 = 120.
  EXPECT_NEAR(wealth::SreeLagnaDeg(300.0, 20.0 / 3.0), 120.0, kTolDeg);
}

TEST(WealthRules, Arudhas) {
  struct Row {
    int house, lord, expected;
    const char* steps;
  };
  const Row rows[] = {
      {Tau, Gem, Can, "Taurus to Gemini is 2; 2 from Gemini is Cancer"},
      {Ari, Ari, Cap, "lord in the house: count 1 falls in the house, 10th from Aries"},
      {Ari, Can, Can, "count 4, 4 from Cancer is Libra, the 7th: 10th from Libra is Cancer"},
      {Tau, Sco, Aqu, "count 7, 7 from Scorpio is Taurus itself: 10th from Taurus"},
      {Pis, Vir, Sag, "count 7, 7 from Virgo is Pisces itself: 10th from Pisces"},
      {Gem, Vir, Vir, "count 4, 4 from Virgo is Sagittarius, the 7th: 10th from it is Virgo"},
      {Aqu, Vir, Ari, "count 8, 8 from Virgo is Aries"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.steps);
    EXPECT_EQ(wealth::ArudhaOf(r.house, r.lord), r.expected);
  }
  EXPECT_EQ(wealth::ArudhaOf(Ari, -1), std::nullopt);
}

// One hand-worked chart: the bodies' longitudes, the Indu Lagna rule, and
// every factor as counted on paper.
struct HandChart {
  const char* name;
  std::array<double, kBodyCount> lon;  // Sun..Asc
  InduLagnaRule rule;
  int induLagna;
  int lord, lordSign, lordFromAsc, lordFromIl;
  std::optional<Dignity> lordDignity;
  std::vector<wealth::Occupant> occupants;
  std::vector<int> aspectedBy;
  std::array<int, 9> houses;  // Sun..Ketu from the Indu Lagna
  int al, a2, a11;
  std::vector<int> secondFromAl, eleventhFromAl;
  // The lords' marks: body, effect, reasons.
  std::vector<std::tuple<int, Effect, std::vector<ReasonKind>>> marks;
};

std::vector<HandChart> HandCharts() {
  return {
      // Chart A. Ascendant Taurus, Moon Virgo, the classical count: Taurus's
      // ninth is Capricorn (Saturn, 1), Virgo's ninth Taurus (Venus, 12);
      // 13 mod 12 = 1, counted from the Moon: Virgo itself.
      // Lord Mercury in Leo: 4th from Taurus, 12th from Virgo; the Sun's sign,
      // a friend of Mercury's. In Virgo: the Moon 60 degrees ahead of the Sun
      // (waxing, benefic; in Mercury's sign, a friend) and Jupiter (benefic;
      // Mercury is its enemy). Aspects on Virgo: Mars from Pisces (7th),
      // Saturn from Sagittarius (10th). Houses from Virgo: Sun Cancer 11, Moon
      // 1, Mercury Leo 12, Venus Gemini 10, Mars Pisces 7, Jupiter 1, Saturn
      // Sagittarius 4, Rahu Aries 8, Ketu Libra 2.
      // AL: Taurus to Venus in Gemini is 2, 2 from Gemini is Cancer. A2:
      // Gemini to Mercury in Leo is 3, 3 from Leo is Libra. A11: Pisces to
      // Jupiter in Virgo is 7, 7 from Virgo is Pisces itself: the 10th,
      // Sagittarius. 2nd from Cancer (Leo): Mercury; 11th (Taurus): none.
      {"A",
       {100, 160, 130, 70, 340, 170, 250, 10, 190, 40},
       InduLagnaRule::FromMoonVenus12,
       Vir,
       Mercury,
       Leo,
       4,
       12,
       Dignity::Friend,
       {{Moon, Nature::Benefic, Dignity::Friend}, {Jupiter, Nature::Benefic, Dignity::Enemy}},
       {Mars, Saturn},
       {11, 1, 12, 10, 7, 1, 4, 8, 2},
       Can,
       Lib,
       Sag,
       {Mercury},
       {},
       {{Moon, Effect::Gives, {ReasonKind::StandsIn}},
        {Mercury, Effect::Gives, {ReasonKind::Rules}},
        {Mercury, Effect::Costs, {ReasonKind::Dusthana}},
        {Venus, Effect::Gives, {ReasonKind::AngleTrine}},
        {Mars, Effect::Gives, {ReasonKind::Aspects, ReasonKind::AngleTrine}},
        {Jupiter, Effect::Gives, {ReasonKind::StandsIn}},
        {Saturn, Effect::Gives, {ReasonKind::Aspects, ReasonKind::AngleTrine}},
        {Rahu, Effect::Costs, {ReasonKind::Dusthana}}}},
      // Chart B. Ascendant Gemini, Moon Aquarius, the classical count:
      // Gemini's ninth Aquarius (Saturn, 1), Aquarius's ninth Libra (Venus,
      // 12); 13 mod 12 = 1: Aquarius, the Moon's sign. Lord Saturn in
      // Aquarius: 9th from Gemini, 1st from itself, own sign. In Aquarius:
      // the Moon 185 degrees from the Sun (waning, malefic; Saturn's sign,
      // neutral to the Moon) and Saturn (malefic, own). Aspects: the Sun from
      // Leo (7th), Mars from Scorpio (4th). Houses from Aquarius: Sun Leo 7,
      // Moon 1, Mercury Virgo 8, Venus Cancer 6, Mars Scorpio 10, Jupiter
      // Taurus 4, Saturn 1, Rahu Capricorn 12, Ketu Cancer 6.
      // AL: Gemini to Mercury in Virgo is 4, 4 from Virgo is Sagittarius, the
      // 7th from Gemini: the 10th from Sagittarius, Virgo. A2: Cancer to the
      // Moon in Aquarius is 8, 8 from Aquarius is Virgo. A11: Aries to Mars in
      // Scorpio is 8, 8 from Scorpio is Gemini. From Virgo: 2nd Libra empty,
      // 11th Cancer Venus and Ketu.
      {"B",
       {140, 325, 160, 100, 220, 45, 305, 280, 100, 70},
       InduLagnaRule::FromMoonVenus12,
       Aqu,
       Saturn,
       Aqu,
       9,
       1,
       Dignity::Own,
       {{Moon, Nature::Malefic, Dignity::Neutral}, {Saturn, Nature::Malefic, Dignity::Own}},
       {Sun, Mars},
       {7, 1, 8, 6, 10, 4, 1, 12, 6},
       Vir,
       Vir,
       Gem,
       {},
       {Venus, Ketu},
       {{Sun, Effect::Gives, {ReasonKind::Aspects, ReasonKind::AngleTrine}},
        {Moon, Effect::Gives, {ReasonKind::StandsIn}},
        {Mercury, Effect::Costs, {ReasonKind::Dusthana}},
        {Venus, Effect::Costs, {ReasonKind::Dusthana}},
        {Mars, Effect::Gives, {ReasonKind::Aspects, ReasonKind::AngleTrine}},
        {Jupiter, Effect::Gives, {ReasonKind::AngleTrine}},
        {Saturn, Effect::Gives, {ReasonKind::StandsIn, ReasonKind::Rules}},
        {Rahu, Effect::Costs, {ReasonKind::Dusthana}},
        {Ketu, Effect::Costs, {ReasonKind::Dusthana}}}},
      // Chart C. Ascendant Aries, Moon Taurus, the program's count: 10 + 1 =
      // 11 from Aries, Aquarius. Nothing stands in Aquarius; Mars in Cancer
      // aspects it with its 8th. Lord Saturn in Virgo: 6th from Aries, 8th
      // from Aquarius, Mercury's sign (a friend). Houses from Aquarius: Sun
      // Sagittarius 11, Moon Taurus 4, Mercury Capricorn 12, Venus Scorpio 10,
      // Mars Cancer 6, Jupiter Taurus 4, Saturn Virgo 8, Rahu Pisces 2, Ketu
      // Virgo 8. Mars gives (its aspect) and costs (the 6th); Saturn gives (the
      // lord) and costs (the 8th).
      // AL: Aries to Mars in Cancer is 4, 4 from Cancer is Libra, the 7th: the
      // 10th from Libra, Cancer. A2: Taurus to Venus in Scorpio is 7, 7 from
      // Scorpio is Taurus itself: the 10th, Aquarius. A11: Aquarius to Saturn
      // in Virgo is 8, 8 from Virgo is Aries. From Cancer: 2nd Leo empty, 11th
      // Taurus the Moon and Jupiter.
      {"C",
       {250, 40, 275, 225, 100, 50, 160, 345, 165, 15},
       InduLagnaRule::FromAscendantVenus10,
       Aqu,
       Saturn,
       Vir,
       6,
       8,
       Dignity::Friend,
       {},
       {Mars},
       {11, 4, 12, 10, 6, 4, 8, 2, 8},
       Can,
       Aqu,
       Ari,
       {},
       {Moon, Jupiter},
       {{Moon, Effect::Gives, {ReasonKind::AngleTrine}},
        {Mercury, Effect::Costs, {ReasonKind::Dusthana}},
        {Venus, Effect::Gives, {ReasonKind::AngleTrine}},
        {Mars, Effect::Gives, {ReasonKind::Aspects}},
        {Mars, Effect::Costs, {ReasonKind::Dusthana}},
        {Jupiter, Effect::Gives, {ReasonKind::AngleTrine}},
        {Saturn, Effect::Gives, {ReasonKind::Rules}},
        {Saturn, Effect::Costs, {ReasonKind::Dusthana}},
        {Ketu, Effect::Costs, {ReasonKind::Dusthana}}}},
  };
}

wealth::WealthInput InputOf(const HandChart& c) {
  wealth::WealthInput in;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    in.longitudesDeg[i] = c.lon[i];
    in.signs[i] = static_cast<int>(c.lon[i] / 30.0);
  }
  const auto il = CountInduLagna(in.signs[Asc], in.signs[Moon], c.rule);
  in.induLagnaSign = il ? il->sign : -1;
  return in;
}

TEST(WealthReading, HandWorkedCharts) {
  for (const HandChart& c : HandCharts()) {
    SCOPED_TRACE(std::string("chart ") + c.name);
    const wealth::WealthInput in = InputOf(c);
    ASSERT_EQ(in.induLagnaSign, c.induLagna);
    const auto r = wealth::ReadWealth(in);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lord, c.lord);
    EXPECT_EQ(r->lordSign, c.lordSign);
    EXPECT_EQ(r->lordHouseFromAscendant, c.lordFromAsc);
    EXPECT_EQ(r->lordHouseFromInduLagna, c.lordFromIl);
    EXPECT_EQ(r->lordDignity, c.lordDignity);
    ASSERT_EQ(r->occupants.size(), c.occupants.size());
    for (std::size_t i = 0; i < c.occupants.size(); ++i) {
      EXPECT_EQ(r->occupants[i].body, c.occupants[i].body);
      EXPECT_EQ(r->occupants[i].nature, c.occupants[i].nature) << BodyName(c.occupants[i].body);
      EXPECT_EQ(r->occupants[i].dignity, c.occupants[i].dignity) << BodyName(c.occupants[i].body);
    }
    EXPECT_EQ(r->aspectedBy, c.aspectedBy);
    for (std::size_t b = 0; b < 9; ++b) {
      EXPECT_EQ(r->housesFromInduLagna[b], c.houses[b]) << BodyName(static_cast<int>(b));
    }
    EXPECT_EQ(r->arudhaLagna, c.al);
    EXPECT_EQ(r->a2, c.a2);
    EXPECT_EQ(r->a11, c.a11);
    EXPECT_EQ(r->secondFromArudha, c.secondFromAl);
    EXPECT_EQ(r->eleventhFromArudha, c.eleventhFromAl);
    const auto marks = wealth::LordMarks(*r);
    ASSERT_EQ(marks.size(), c.marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
      const auto& [body, effect, kinds] = c.marks[i];
      SCOPED_TRACE(BodyName(body));
      EXPECT_EQ(marks[i].body, body);
      EXPECT_EQ(marks[i].effect, effect);
      ASSERT_EQ(marks[i].why.size(), kinds.size());
      for (std::size_t k = 0; k < kinds.size(); ++k) EXPECT_EQ(marks[i].why[k].kind, kinds[k]);
    }
    // No sunrise given: no time-based lagnas; the Sree Lagna from the
    // ascendant and the Moon.
    EXPECT_FALSE(r->hora);
    EXPECT_FALSE(r->ghati);
    EXPECT_FALSE(r->bhava);
    ASSERT_TRUE(r->sree);
    EXPECT_NEAR(r->sree->longitudeDeg, wealth::SreeLagnaDeg(c.lon[Asc], c.lon[Moon]), 1e-12);
  }
}

TEST(WealthReading, ReadingLinesNameTheFactors) {
  const auto charts = HandCharts();
  const auto r = wealth::ReadWealth(InputOf(charts[0]));
  ASSERT_TRUE(r);
  ChartWealth w{*r, wealth::LordMarks(*r), {}};
  const auto lines = WealthReadingLines(w);
  const auto has = [&lines](const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
  };
  EXPECT_TRUE(
      has("Jupiter, a natural benefic, in an enemy's sign, stands in the Indu Lagna: "
          "classically a mark of great wealth, most in Jupiter's periods."));
  EXPECT_TRUE(
      has("The Moon, waxing and so a benefic, in a friend's sign, stands in the Indu Lagna"));
  EXPECT_TRUE(has("Saturn aspects the Indu Lagna with its 10th-house aspect"));
  EXPECT_TRUE(has("Hora, Ghati and Bhava Lagnas: none"));
  const auto c = wealth::ReadWealth(InputOf(charts[2]));
  ASSERT_TRUE(c);
  const auto cLines = WealthReadingLines({*c, wealth::LordMarks(*c), {}});
  EXPECT_NE(std::find(cLines.begin(), cLines.end(),
                      "Mars aspects the Indu Lagna with its 8th-house aspect: classically its "
                      "periods bring wealth after its nature."),
            cLines.end());
}

TEST(WealthReading, NoInduLagnaNoReading) {
  wealth::WealthInput in;
  in.induLagnaSign = -1;
  EXPECT_FALSE(wealth::ReadWealth(in));
  in.induLagnaSign = 12;
  EXPECT_FALSE(wealth::ReadWealth(in));
}

// ---- The independent count over random births ----

// Sign of a longitude counted directly: how many whole 30-degree spans.
int SignByArc(double lon) {
  int s = 0;
  while (lon >= 30.0 * (s + 1) && s < 11) ++s;
  return s;
}

// The lords, read by name from the chart's own name tables.
int LordByName(int sign) {
  for (int b = Sun; b <= Saturn; ++b) {
    if (kChartLabelNames[static_cast<std::size_t>(b)] == kSignLord[static_cast<std::size_t>(sign)])
      return b;
  }
  return -1;
}

// Exaltation by name, as the textbooks list it.
std::string ExaltedIn(int body) {
  switch (body) {
    case Sun:
      return "Aries";
    case Moon:
      return "Taurus";
    case Mars:
      return "Capricorn";
    case Mercury:
      return "Virgo";
    case Jupiter:
      return "Cancer";
    case Venus:
      return "Pisces";
    case Saturn:
      return "Libra";
    default:
      return "";
  }
}

const char* const kSigns[] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                              "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// Friends and enemies as lists of names (the same classical table, written
// as the textbooks print it).
bool IsIn(const std::vector<int>& list, int b) {
  return std::find(list.begin(), list.end(), b) != list.end();
}
std::optional<Dignity> IndependentDignity(int body, int sign) {
  if (body > Saturn) return std::nullopt;
  if (ExaltedIn(body) == kSigns[sign]) return Dignity::Exalted;
  if (ExaltedIn(body) == kSigns[(sign + 6) % 12]) return Dignity::Debilitated;
  const int lord = LordByName(sign);
  if (lord == body) return Dignity::Own;
  static const std::vector<int> friends[7] = {
      {Moon, Mars, Jupiter}, {Sun, Mercury},    {Sun, Venus},    {Mercury, Saturn},
      {Sun, Moon, Jupiter},  {Sun, Moon, Mars}, {Mercury, Venus}};
  static const std::vector<int> enemies[7] = {
      {Venus, Saturn}, {}, {Moon}, {Sun, Moon}, {Mercury}, {Mercury, Venus}, {Sun, Moon, Mars}};
  if (IsIn(friends[body], lord)) return Dignity::Friend;
  if (IsIn(enemies[body], lord)) return Dignity::Enemy;
  return Dignity::Neutral;
}

// Whole-sign aspect by the number of signs from the body to the target.
bool IndependentAspect(int body, int from, int target) {
  const int ahead = (target - from + 12) % 12;  // 0 = same sign, 6 = the 7th
  if (ahead == 6) return true;
  if (body == Mars) return ahead == 3 || ahead == 7;
  if (body == Jupiter) return ahead == 4 || ahead == 8;
  if (body == Saturn) return ahead == 2 || ahead == 9;
  return false;
}

int IndependentArudha(int house, int lordSign) {
  const int steps = (lordSign - house + 12) % 12;  // signs from the house to the lord
  int pada = (lordSign + steps) % 12;
  const int fromHouse = (pada - house + 12) % 12;
  if (fromHouse == 0 || fromHouse == 6) pada = (pada + 9) % 12;
  return pada;
}

TEST(WealthReading, AgreesWithAnIndependentCountOverRandomBirths) {
  constexpr int kBirths = 2000;
  std::mt19937_64 rng(34);  // fixed: the same births every run
  const InduLagnaRule rules[] = {InduLagnaRule::FromAscendantVenus10,
                                 InduLagnaRule::FromMoonVenus12};
  const AyanamsaChoice ayanamsas[] = {AyanamsaChoice::Program, AyanamsaChoice::Lahiri};
  int checked = 0, periodsChecked = 0;
  for (int n = 0; n < kBirths; ++n) {
    CalculationSettings settings;
    settings.induLagnaRule = rules[n % 2];
    settings.ayanamsa = ayanamsas[(n / 2) % 2];
    const FormEntries e = testing::RandomFormEntries(rng);
    const ChartRun run = ComputeChart(e, settings);
    if (run.refusal) continue;
    const ChartOutput& chart = run.chart;
    const auto w = WealthOf(chart);
    if (!chart.induLagna) {
      EXPECT_FALSE(w);
      continue;
    }
    ASSERT_TRUE(w) << n;
    ++checked;
    SCOPED_TRACE("birth " + std::to_string(n));
    // The signs from the chart's own longitudes.
    std::array<int, kBodyCount> sign{};
    bool allSigned = true;
    for (int b = 0; b < kBodyCount; ++b) {
      const double lon = chart.bodies[static_cast<std::size_t>(b)].longitudeDeg;
      if (!(lon >= 0 && lon < 360)) {
        allSigned = false;
        break;
      }
      sign[static_cast<std::size_t>(b)] = SignByArc(lon);
    }
    if (!allSigned) continue;
    // The Indu Lagna by the rule's own arithmetic, from those signs.
    const auto count = CountInduLagna(sign[Asc], sign[Moon], settings.induLagnaRule);
    ASSERT_TRUE(count);
    const int il = count->sign;
    const wealth::WealthReading& r = w->reading;
    ASSERT_EQ(r.induLagnaSign, il);
    const int lord = LordByName(il);
    EXPECT_EQ(r.lord, lord);
    EXPECT_EQ(r.lordSign, sign[static_cast<std::size_t>(lord)]);
    EXPECT_EQ(r.lordDignity, IndependentDignity(lord, sign[static_cast<std::size_t>(lord)]));
    EXPECT_EQ(r.lordHouseFromAscendant,
              (sign[static_cast<std::size_t>(lord)] - sign[Asc] + 12) % 12 + 1);
    std::vector<int> occupants, aspects;
    double elong = chart.bodies[Moon].longitudeDeg - chart.bodies[Sun].longitudeDeg;
    if (elong < 0) elong += 360;
    for (int b = Sun; b <= Ketu; ++b) {
      const int s = sign[static_cast<std::size_t>(b)];
      const int house = (s - il + 12) % 12 + 1;
      EXPECT_EQ(r.housesFromInduLagna[static_cast<std::size_t>(b)], house);
      if (s == il) occupants.push_back(b);
      if (IndependentAspect(b, s, il)) aspects.push_back(b);
    }
    ASSERT_EQ(r.occupants.size(), occupants.size());
    for (std::size_t i = 0; i < occupants.size(); ++i) {
      const int b = occupants[i];
      EXPECT_EQ(r.occupants[i].body, b);
      EXPECT_EQ(r.occupants[i].dignity, IndependentDignity(b, il));
      bool benefic = b == Jupiter || b == Venus;
      if (b == Moon) benefic = elong < 180;
      if (b == Mercury) {
        benefic = true;
        for (const int m : {Sun, Mars, Saturn, Rahu, Ketu})
          if (sign[static_cast<std::size_t>(m)] == sign[Mercury]) benefic = false;
      }
      EXPECT_EQ(r.occupants[i].nature, benefic ? Nature::Benefic : Nature::Malefic);
    }
    EXPECT_EQ(r.aspectedBy, aspects);
    const auto arudha = [&](int house) {
      const int hs = (sign[Asc] + house - 1) % 12;
      return IndependentArudha(hs, sign[static_cast<std::size_t>(LordByName(hs))]);
    };
    EXPECT_EQ(r.arudhaLagna, arudha(1));
    EXPECT_EQ(r.a2, arudha(2));
    EXPECT_EQ(r.a11, arudha(11));

    // The periods: exactly the mahadashas and antardashas of the lords so
    // classed, one entry per effect.
    const auto v = DashaOf(chart);
    ASSERT_TRUE(v);
    const auto classOf = [&](int body, Effect effect) {
      const int house = (sign[static_cast<std::size_t>(body)] - il + 12) % 12 + 1;
      if (effect == Effect::Costs) return house == 3 || house == 6 || house == 8 || house == 12;
      return house == 1 || house == 4 || house == 5 || house == 7 || house == 9 || house == 10 ||
             body == lord || IsIn(aspects, body);
    };
    std::size_t expected = 0;
    std::size_t at = 0;
    for (const dasha::Period& maha : dasha::Mahadashas(*v)) {
      std::vector<dasha::Period> ps{maha};
      const auto subs = dasha::SubPeriods(*v, maha);
      ASSERT_TRUE(subs);
      for (const dasha::Period& s : *subs) ps.push_back(s);
      for (const dasha::Period& p : ps) {
        const int body = wealth::BodyOfLord(p.lord());
        ASSERT_EQ(kChartLabelNames[static_cast<std::size_t>(body)], dasha::LordName(p.lord()));
        for (const Effect effect : {Effect::Gives, Effect::Costs}) {
          if (!classOf(body, effect)) continue;
          ++expected;
          ASSERT_LT(at, w->periods.size());
          const wealth::WealthPeriod& got = w->periods[at++];
          EXPECT_EQ(got.period.level, p.level);
          EXPECT_EQ(got.period.start, p.start);
          EXPECT_EQ(got.period.lord(), p.lord());
          EXPECT_EQ(got.effect, effect);
          EXPECT_FALSE(got.why.empty());
        }
      }
    }
    EXPECT_EQ(w->periods.size(), expected);
    periodsChecked += static_cast<int>(expected);
  }
  EXPECT_GT(checked, kBirths * 9 / 10);
  EXPECT_GT(periodsChecked, checked * 20);
}

// The time-based lagnas count from the last sunrise before the birth, also
// after sunset, where the hidden points count forward to the next sunrise.
TEST(WealthReading, TimeLagnasCountFromTheLastSunrise) {
  std::mt19937_64 rng(35);
  int afterSunset = 0, none = 0;
  for (int n = 0; n < 600; ++n) {
    const ChartRun run = ComputeChart(testing::RandomFormEntries(rng));
    if (run.refusal) continue;
    const ChartOutput& chart = run.chart;
    const auto basis = LastSunriseBasis(chart);
    if (!chart.referenceSunrise) {
      EXPECT_FALSE(basis);
      ++none;
      continue;
    }
    if (!basis) {
      // Only where no sunrise of the three days lies before the birth.
      EXPECT_EQ(chart.reference, SunriseReference::NextSunrise);
      continue;
    }
    EXPECT_GE(basis->elapsedSeconds, 0);
    EXPECT_LT(basis->elapsedSeconds, 2 * 86400);
    if (chart.reference == SunriseReference::NextSunrise) {
      ++afterSunset;
      // The next sunrise comes after the birth, within a day.
      EXPECT_GT(*chart.ElapsedSeconds, 0);
    } else {
      EXPECT_EQ(basis->elapsedSeconds, *chart.ElapsedSeconds);
      EXPECT_EQ(basis->sunDeg, chart.SunriseSunLongitude);
    }
    const auto w = WealthOf(chart);
    if (!w) continue;
    ASSERT_TRUE(w->reading.hora);
    EXPECT_NEAR(w->reading.hora->longitudeDeg,
                wealth::TimeLagnaDeg(basis->sunDeg, 0.5, basis->elapsedSeconds), 1e-12);
  }
  EXPECT_GT(afterSunset, 50);
}

}  // namespace
}  // namespace orvanta
