// The Indu Lagna: the worked examples, the pada rules of the house calls,
// the state kept between calls, and the calling order of the chart driver.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/records.h"
#include "lagna/indu_lagna.h"

namespace orvanta {
namespace {

// 0-based sign indices, for readable rows.
enum Sign : int { Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

// A chart position text "DD Sss MM" for a body in sign `s`.
std::string Pos(int s) {
  return "15 " + std::string(kSignAbbr[static_cast<std::size_t>(s)]) + " 07";
}

// Position texts with every body in `sign[i]` (body order Sun..Asc).
PositionTexts Positions(const std::array<int, kBodyCount>& sign) {
  PositionTexts p;
  for (std::size_t i = 0; i < p.size(); ++i) p[i] = Pos(sign[i]);
  return p;
}

ChartLabels PlainLabels() {
  ChartLabels labels;
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = kChartLabelNames[i];
  return labels;
}

// One computation as the driver runs it: reset, twelve house calls, finish.
struct Computation {
  InduLagnaState state;
  SignCaptions marks;
  int ascSignIndex = 0;
};

void Compute(Computation& c, const PositionTexts& p, const ChartLabels& labels) {
  c.state.HouseCount = 0;
  c.state.FirstLordSign = 0;
  c.state.LagnaSign = 0;
  c.marks = {};
  c.ascSignIndex = RunHouseCalls(c.state, p, labels, c.marks);
  InduLagnaFinish(c.state, c.marks);
}

int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::string Visible(const std::string& caption) {
  std::string out;
  for (char ch : caption)
    out += ch == '\r' ? std::string("\\r") : ch == '\n' ? "\\n" : std::string(1, ch);
  return out;
}

struct ExampleRow {
  const char* name;
  int asc, moon;
  int ascKala, moonKala;
  int induLagnaIndex;
};

// The worked examples of the Indu Lagna count (kala values from the table:
// Aries 10, Taurus 1, Leo 6, Pisces 6, Sagittarius 30, Virgo 10, Aquarius 10).
const ExampleRow kExamples[] = {
    {"AriesTaurusSum11GivesAquarius", Ari, Tau, 10, 1, Aqu},
    {"LeoPiscesSum12GivesSignBeforeLeo", Leo, Pis, 6, 6, Can},
    {"SagittariusTwiceSum60GivesScorpio", Sag, Sag, 30, 30, Sco},
    {"VirgoAquariusSum20WrapsToAries", Vir, Aqu, 10, 10, Ari},
};

TEST(InduLagna, WorkedExamples) {
  for (const ExampleRow& row : kExamples) {
    SCOPED_TRACE(row.name);
    // The other bodies spread over the zodiac; only the ascendant and Moon matter.
    const PositionTexts p = Positions({Gem, row.moon, Can, Lib, Sco, Cap, Aqu, Tau, Sco, row.asc});
    Computation c;
    Compute(c, p, PlainLabels());
    EXPECT_EQ(c.ascSignIndex, row.asc);
    EXPECT_EQ(c.state.LagnaSign, row.asc + 1);
    EXPECT_EQ(c.state.AscKala, row.ascKala);
    EXPECT_EQ(c.state.MoonKala, row.moonKala);
    EXPECT_EQ(c.state.InduLagnaIndex, row.induLagnaIndex);
    const std::string& label = c.marks[static_cast<std::size_t>(row.induLagnaIndex)];
    EXPECT_GE(label.size(), 4u);
    EXPECT_EQ(label.substr(label.size() - 4), "\r\nIL") << Visible(label);
  }
}

// Aries's kala is 10 and no Moon kala is 2 modulo 12, so the sum is never a
// multiple of 12 and the count never falls to sign 0.
TEST(InduLagna, AscendantInAriesNeverGivesMultipleOf12) {
  for (int moon = 0; moon < kSignCount; ++moon) {
    SCOPED_TRACE("Moon in " + std::string(kSignAbbr[static_cast<std::size_t>(moon)]));
    Computation c;
    Compute(c, Positions({Ari, moon, Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari}), PlainLabels());
    EXPECT_NE((c.state.AscKala + c.state.MoonKala) % 12, 0);
    EXPECT_GE(c.state.InduLagnaIndex, 0);
    EXPECT_LT(c.state.InduLagnaIndex, kSignCount);
  }
}

struct PadaRow {
  const char* name;
  std::array<int, kBodyCount> signs;  // Sun..Asc
  int houseCountBefore;               // 0: the call handles house 1
  std::string_view lord;
  SignCaptions marks;  // expected mark labels after the one call
};

const std::string kBr = "\r\n";

// Single house calls worked by hand (signs numbered 1..12):
const PadaRow kPada[] = {
    // House 1, ascendant Aries (1), Mars in Aries: d = 0 -> 9, pada 10
    // (Capricorn, the tenth sign); the lord's own label Aries gets one too.
    {"OwnSignGivesTenthSign",
     {Leo, Tau, Gem, Can, Ari, Sag, Cap, Vir, Pis, Ari},
     0,
     "Mars",
     {kBr, "", "", "", "", "", "", "", "", kBr, "", ""}},
    // House 1, ascendant Aries, Mars in Libra (7): d = 12 -> 9, pada 10
    // (Capricorn) as for the own sign; Libra gets the lord's break.
    {"OppositeSignD12GivesTenthSign",
     {Leo, Tau, Gem, Can, Lib, Sag, Cap, Vir, Pis, Ari},
     0,
     "Mars",
     {"", "", "", "", "", "", kBr, "", "", kBr, "", ""}},
    // House 1, ascendant Aries, Mars in Gemini (3): d = 4, pada 5 (Leo); one
    // line break to Leo and one to Gemini, the lord's sign.
    {"HouseOneOneBreakToEachLabel",
     {Leo, Tau, Gem, Can, Gem, Sag, Cap, Vir, Pis, Ari},
     0,
     "Mars",
     {"", "", kBr, "", kBr, "", "", "", "", "", "", ""}},
    // House 1, ascendant Aries, Mars in Cancer (4): d = 6, pada 7 is the
    // seventh sign, moved on nine to 16 -> 4 (Cancer), the lord's own sign:
    // two line breaks in one label.
    {"HouseOneSeventhMoveOntoLordsSignGivesTwoBreaks",
     {Leo, Tau, Gem, Can, Can, Sag, Cap, Vir, Pis, Ari},
     0,
     "Mars",
     {"", "", "", kBr + kBr, "", "", "", "", "", "", "", ""}},
    // House 2 from Aries (house sign 2), Venus in Leo (5): d = 6, pada 8 is
    // the seventh from Taurus, moved on nine to 17 -> 5 (Leo).
    {"SeventhSignMovesOnNine",
     {Leo, Tau, Gem, Leo, Can, Sag, Cap, Vir, Pis, Ari},
     1,
     "Venus",
     {"", "", "", "", kBr, "", "", "", "", "", "", ""}},
    // House 1, ascendant Aries, Mars in Pisces (12): d = 22, one subtraction
    // gives 10, pada 11 (Aquarius); Pisces gets the lord's break.
    {"OneSubtractionAbove12",
     {Leo, Tau, Gem, Can, Pis, Sag, Cap, Vir, Pis, Ari},
     0,
     "Mars",
     {"", "", "", "", "", "", "", "", "", "", kBr, kBr}},
    // House 12 from Pisces: house sign 12 + 11 = 23, not wrapped; Saturn
    // (lord of Aquarius) in Aries (1): d = -44 -> 4, pada 27 -> 3 (Gemini).
    {"UnwrappedHouseSignOfHouse12",
     {Leo, Tau, Gem, Can, Pis, Sag, Ari, Vir, Pis, Pis},
     11,
     "Saturn",
     {"", "", kBr, "", "", "", "", "", "", "", "", ""}},
};

TEST(ArudhaPada, PadaRulesByHand) {
  for (const PadaRow& row : kPada) {
    SCOPED_TRACE(row.name);
    InduLagnaState state;
    state.HouseCount = static_cast<std::int16_t>(row.houseCountBefore);
    SignCaptions marks;
    ArudhaPada(state, row.lord, Positions(row.signs), PlainLabels(), marks);
    for (std::size_t k = 0; k < marks.size(); ++k) {
      SCOPED_TRACE("label " + std::to_string(k));
      EXPECT_EQ(Visible(marks[k]), Visible(row.marks[k]));
    }
  }
}

TEST(ArudhaPada, HouseSignRunsUnwrappedUpTo23) {
  Computation c;
  Compute(c, Positions({Leo, Tau, Gem, Can, Pis, Sag, Ari, Vir, Pis, Pis}), PlainLabels());
  EXPECT_EQ(c.state.HouseCount, 12);
  EXPECT_EQ(c.state.LagnaSign, 12);
  EXPECT_EQ(c.state.HouseSign, 23) << "Pisces raised by eleven houses";
}

// A retrograde lord's label carries " (R) " and never equals the lord's name:
// its house keeps the LordSign of the previous call.
TEST(ArudhaPada, RetrogradeLordKeepsPreviousLordSign) {
  const PositionTexts p = Positions({Leo, Tau, Gem, Vir, Gem, Sag, Cap, Vir, Pis, Ari});
  ChartLabels labels = PlainLabels();
  labels[Venus] = "Venus (R) ";
  InduLagnaState state;
  SignCaptions marks;
  ArudhaPada(state, "Mars", p, labels, marks);  // house 1: Mars in Gemini
  ASSERT_EQ(state.LordSign, 3);
  marks = {};
  ArudhaPada(state, "Venus", p, labels, marks);  // house 2: Venus retrograde in Virgo
  EXPECT_EQ(state.LordSign, 3) << "still Mars's Gemini";
  // House sign 2, lord sign 3: d = 2, pada 4 (Cancer). Virgo (6) would
  // have given d = 8 and pada 10.
  EXPECT_EQ(Visible(marks[Can]), Visible(kBr));
  EXPECT_EQ(marks[Cap], "");
}

// LordSign, HouseSign, AscKala and MoonKala are deliberately not reset: a
// computation whose texts name no sign keeps the previous computation's
// kala values and lord sign.
TEST(ArudhaPada, UnreadableTextsKeepThePreviousState) {
  Computation c;
  Compute(c, Positions({Gem, Tau, Can, Lib, Sco, Cap, Aqu, Tau, Sco, Ari}), PlainLabels());
  const InduLagnaState first = c.state;
  PositionTexts unreadable;
  unreadable.fill("15 xyz 07");
  unreadable[Asc] = "";
  Compute(c, unreadable, PlainLabels());
  EXPECT_EQ(c.state.AscKala, first.AscKala);
  EXPECT_EQ(c.state.MoonKala, first.MoonKala);
  EXPECT_EQ(c.state.LordSign, first.LordSign);
  EXPECT_EQ(c.state.HouseCount, 11) << "no ascendant sign: houses 1..11 only";
  EXPECT_EQ(c.state.LagnaSign, first.HouseSign) << "house 1 takes the HouseSign left over";
}

// Over every ascendant and Moon sign and random other bodies and retrograde
// marks: each house adds exactly one line break, house 1 one more when its
// lord was found, and "IL" appears once, as the last line of its label.
TEST(InduLagna, OneIlAndOneBreakPerHouse) {
  std::mt19937 rng(4242u);  // fixed seed
  std::uniform_int_distribution<int> anySign(0, kSignCount - 1);
  for (int asc = 0; asc < kSignCount; ++asc) {
    for (int moon = 0; moon < kSignCount; ++moon) {
      for (int trial = 0; trial < 20; ++trial) {
        std::array<int, kBodyCount> signs{};
        for (int& s : signs) s = anySign(rng);
        signs[Moon] = moon;
        signs[Asc] = asc;
        ChartLabels labels = PlainLabels();
        for (int b = Mercury; b <= Saturn; ++b) {
          if (anySign(rng) < 3) labels[static_cast<std::size_t>(b)] += " (R) ";
        }
        Computation c;
        Compute(c, Positions(signs), labels);
        SCOPED_TRACE("asc " + std::to_string(asc) + " moon " + std::to_string(moon) + " trial " +
                     std::to_string(trial));
        int breaks = 0, ils = 0;
        for (const std::string& m : c.marks) {
          breaks += CountOf(m, kBr);
          ils += CountOf(m, "IL");
        }
        const int expectedBreaks = 12 + (c.state.FirstLordSign > 0 ? 1 : 0) + 1;
        EXPECT_EQ(breaks, expectedBreaks);
        EXPECT_EQ(ils, 1);
        ASSERT_GE(c.state.InduLagnaIndex, 0);
        ASSERT_LT(c.state.InduLagnaIndex, kSignCount);
        const std::string& label = c.marks[static_cast<std::size_t>(c.state.InduLagnaIndex)];
        EXPECT_EQ(label.substr(label.size() - 4), "\r\nIL") << Visible(label);
      }
    }
  }
}

TEST(HouseSignOrder, AscendantInPiscesStartsWithJupiterMarsVenus) {
  const HouseOrder order = HouseSignOrder(Pis);
  ASSERT_EQ(order.count, 12);
  // Lords of Pisces, Aries, Taurus, ... Aquarius.
  const std::array<std::string_view, 12> expected = {"Jupiter", "Mars",    "Venus",   "Mercury",
                                                     "Moon",    "Sun",     "Mercury", "Venus",
                                                     "Mars",    "Jupiter", "Saturn",  "Saturn"};
  for (int n = 0; n < order.count; ++n) {
    SCOPED_TRACE("house " + std::to_string(n + 1));
    EXPECT_EQ(kSignLord[static_cast<std::size_t>(order.signIndex[static_cast<std::size_t>(n)])],
              expected[static_cast<std::size_t>(n)]);
  }
}

TEST(HouseSignOrder, AriesInOrderAndNoAscendantSkipsAries) {
  const HouseOrder aries = HouseSignOrder(Ari);
  ASSERT_EQ(aries.count, 12);
  for (int n = 0; n < 12; ++n) EXPECT_EQ(aries.signIndex[static_cast<std::size_t>(n)], n);
  for (int bad : {-1, 12, 1000}) {
    SCOPED_TRACE("ascendant index " + std::to_string(bad));
    const HouseOrder none = HouseSignOrder(bad);
    ASSERT_EQ(none.count, 11);
    for (int n = 0; n < 11; ++n) EXPECT_EQ(none.signIndex[static_cast<std::size_t>(n)], n + 1);
  }
}

TEST(AppendMark, LineBreakThenMarkAndOutOfRangeSkipped) {
  SignCaptions marks;
  AppendMark(marks, 3, "");
  AppendMark(marks, 3, "IL");
  EXPECT_EQ(Visible(marks[3]), Visible("\r\n\r\nIL"));
  const SignCaptions before = marks;
  for (int bad : {-1, 12, -32768, 32767}) AppendMark(marks, bad, "IL");
  EXPECT_EQ(marks, before);
}

// A state no driver would leave (never reset, extreme values) must not
// crash or overflow: marks outside 0..11 are skipped, 16-bit values stay.
TEST(ArudhaPada, ExtremeStateIsGuarded) {
  const PositionTexts p = Positions({Leo, Tau, Gem, Can, Pis, Sag, Ari, Vir, Pis, Pis});
  for (std::int16_t extreme : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{32767}}) {
    SCOPED_TRACE(extreme);
    InduLagnaState state;
    state.HouseCount = extreme;
    state.HouseSign = extreme;
    state.LordSign = extreme;
    state.FirstLordSign = extreme;
    state.LagnaSign = extreme;
    state.AscKala = extreme;
    state.MoonKala = extreme;
    SignCaptions marks;
    PositionTexts unreadable;
    for (int call = 0; call < 30; ++call)
      ArudhaPada(state, "Mars", unreadable, PlainLabels(), marks);
    ArudhaPada(state, "Mars", p, PlainLabels(), marks);
    InduLagnaFinish(state, marks);
    int total = 0;
    for (const std::string& m : marks) total += CountOf(m, kBr);
    EXPECT_LE(total, 31 * 2 + 1);
  }
}

}  // namespace
}  // namespace orvanta
