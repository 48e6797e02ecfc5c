// The drawn chart's contents: each body in the cell of its sign in the birth
// chart and of its navamsa sign in the Navamsa, the Navamsa's Indu Lagna,
// and the text of a crowded cell still legible. The cells' geometry is read
// back from the SVG drawing in test_chart_svg.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <utility>

#include "chart/chart_layout.h"
#include "chart/explanation.h"
#include "chart/presentation.h"
#include "chart/report_text.h"
#include "support/random_births.h"
#include "support/reference_births.h"

namespace orvanta {
namespace {

// The navamsa sign by the traditional rule, read apart from the program's
// count through the turn: the nine navamsas of a sign run on from Aries in
// a fire sign, Capricorn in an earth sign, Libra in an air sign and Cancer
// in a water sign.
int NavamsaByElement(double lonDeg) {
  constexpr int kFirstNavamsa[4] = {0, 9, 6, 3};  // fire, earth, air, water
  const double lon = std::fabs(lonDeg);
  const int sign = static_cast<int>(lon / 30);
  const int part = static_cast<int>((lon - 30.0 * sign) / (30.0 / 9));
  return (kFirstNavamsa[sign % 4] + part) % kSignCount;
}

// Whether `body`'s label stands among the bodies of the cell of `sign`.
bool InCell(const ChartDrawing& d, int sign, std::string_view label) {
  for (const std::string& b : d.texts[static_cast<std::size_t>(sign)].bodies) {
    if (b == label || b == std::string(label) + std::string(kRetroMark)) return true;
  }
  return false;
}

// New Delhi 1980 worked by hand from its longitudes (test_planets): the
// Sun at Gemini 0 40 (air, first navamsa: Libra), the Moon at Cancer 0 13
// (Cancer), Mercury at Gemini 25 07 (eighth: Taurus), Venus at Gemini 0 49
// (Libra), Mars at Leo 23 03 (seventh from Aries: Libra), Jupiter at Leo
// 10 09 (fourth: Cancer), Saturn at Leo 27 06 (ninth: Sagittarius), Rahu
// at Cancer 28 35 (ninth from Cancer: Pisces), Ketu at Capricorn 28 35
// (ninth from Capricorn: Virgo), the ascendant at Leo 6 30 (second:
// Taurus). The Navamsa's Indu Lagna by this program's rule: Taurus's ninth
// sign Capricorn, Saturn, kala 1; Cancer's ninth sign Pisces, Jupiter,
// kala 10; 11 counted from Taurus is Pisces.
TEST(ChartLayout, DelhiNavamsaByHand) {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  const ChartOutput& chart = run.chart;
  const std::array<int, kBodyCount> navamsa = {6, 3, 1, 6, 6, 3, 8, 11, 5, 1};
  for (int body = 0; body < kBodyCount; ++body) {
    SCOPED_TRACE(kChartLabelNames[static_cast<std::size_t>(body)]);
    EXPECT_EQ(chart.bodies[static_cast<std::size_t>(body)].navamsaSign,
              navamsa[static_cast<std::size_t>(body)]);
  }
  const std::optional<InduLagnaCount> il = NavamsaInduLagna(chart);
  ASSERT_TRUE(il);
  EXPECT_EQ(il->ascSign, 1);
  EXPECT_EQ(il->moonSign, 3);
  EXPECT_EQ(il->sum, 11);
  EXPECT_EQ(il->sign, 11);

  for (const ChartStyle style : kChartStyles) {
    SCOPED_TRACE(ChartStyleKey(style));
    const ChartDrawing d = DrawChart(chart, ChartKind::Navamsa, style);
    EXPECT_EQ(d.title, "Navamsa (D9)");
    EXPECT_EQ(d.induLagnaLine, "Navamsa IL: Pisces");
    // Libra holds the Sun, Venus (retrograde) and Mars, in body order.
    EXPECT_EQ(d.texts[6].bodies, (std::vector<std::string>{"Sun", "Venus (R)", "Mars"}));
    EXPECT_TRUE(d.texts[11].induLagna);
    EXPECT_TRUE(d.texts[1].ascendant);
    const ChartDrawing rasi = DrawChart(chart, ChartKind::Rasi, style);
    EXPECT_EQ(rasi.induLagnaLine, "IL: Scorpio");
    EXPECT_TRUE(rasi.texts[7].induLagna);
    EXPECT_TRUE(rasi.texts[4].ascendant);
    EXPECT_EQ(rasi.texts[4].bodies, (std::vector<std::string>{"Mars", "Jupiter", "Saturn", "Asc"}));
    // North Indian: house 1 holds the ascendant's sign.
    EXPECT_EQ(rasi.cells[4].house, 1);
    EXPECT_EQ(d.cells[1].house, 1);
    EXPECT_EQ(rasi.texts[4].signLabel, style == ChartStyle::NorthIndian ? "5" : "Leo 5");
  }

  // The classical count on the same navamsa signs: 11 counted from the
  // Navamsa Moon's sign, Cancer, is Taurus; the drawing and the explanation
  // both follow the chosen rule.
  CalculationSettings classical;
  classical.induLagnaRule = InduLagnaRule::FromMoonVenus12;
  const ChartRun byMoon = ComputeChart(reference::DelhiBirth(), classical);
  ASSERT_FALSE(byMoon.refusal);
  const std::optional<InduLagnaCount> moonIl = NavamsaInduLagna(byMoon.chart);
  ASSERT_TRUE(moonIl);
  EXPECT_EQ(moonIl->sign, 1);
  EXPECT_EQ(DrawChart(byMoon.chart, ChartKind::Navamsa, ChartStyle::SouthIndian).induLagnaLine,
            "Navamsa IL: Taurus");
  const std::optional<InduLagnaWords> words = ExplainNavamsaInduLagna(byMoon.chart);
  ASSERT_TRUE(words);
  EXPECT_EQ(words->headline, "Navamsa " + InduLagnaHeadline(1));
  EXPECT_EQ(words->steps[4].rfind("Counting 11 from the Navamsa Moon's sign (Cancer = 1)", 0), 0u)
      << words->steps[4];
}

// 2,000 births from the whole input domain: every body's navamsa sign
// agrees with its own longitude, each drawing puts every body in the cell
// of its sign (rasi) or navamsa sign, and the Navamsa's Indu Lagna is the
// birth chart's rule applied to the navamsa signs and marked in one cell.
TEST(ChartLayout, RandomBirthsNavamsaAgreesWithLongitudes) {
  std::mt19937_64 rng(20261208);
  int charts = 0;
  for (int i = 0; i < 2000; ++i) {
    const FormEntries entries = testing::RandomFormEntries(rng);
    const ChartRun run = ComputeChart(entries, ChartScope::PositionsAndLagna);
    if (run.refusal) continue;
    ++charts;
    const ChartOutput& chart = run.chart;
    const ChartDrawing rasi = DrawChart(chart, ChartKind::Rasi, ChartStyle::NorthIndian);
    const ChartDrawing d9 = DrawChart(chart, ChartKind::Navamsa, ChartStyle::EastIndian);
    for (int body = 0; body < kBodyCount; ++body) {
      const BodyPosition& p = chart.bodies[static_cast<std::size_t>(body)];
      const std::string_view label = kChartLabelNames[static_cast<std::size_t>(body)];
      if (p.sign < 0) continue;
      ASSERT_EQ(p.navamsaSign, NavamsaByElement(p.longitudeDeg))
          << "birth " << i << " body " << label << " longitude " << p.longitudeDeg;
      ASSERT_TRUE(InCell(rasi, p.sign, label)) << "birth " << i << " " << label;
      ASSERT_TRUE(InCell(d9, p.navamsaSign, label)) << "birth " << i << " " << label;
    }
    if (!chart.induLagna) continue;
    const std::optional<InduLagnaCount> il = NavamsaInduLagna(chart);
    ASSERT_TRUE(il);
    const std::optional<InduLagnaCount> expected = CountInduLagna(
        chart.bodies[Asc].navamsaSign, chart.bodies[Moon].navamsaSign, chart.induLagna->rule);
    ASSERT_EQ(il->sign, expected->sign) << "birth " << i;
    int marked = 0;
    for (const ChartCellTexts& t : d9.texts) marked += t.induLagna ? 1 : 0;
    ASSERT_EQ(marked, 1) << "birth " << i;
    ASSERT_TRUE(d9.texts[static_cast<std::size_t>(il->sign)].induLagna) << "birth " << i;
  }
  EXPECT_GT(charts, 1000);
}

// The most crowded cell a chart can have (eight bodies and the mark: Rahu
// and Ketu never share a sign) stays legible in the smallest cell of every
// style in full names: at least 1.2 % of the chart's side. The smallest is
// an East-Indian corner's box, 0.164 x 0.111 under its label; worked by
// hand, its best is two to a line, "Mercury (R)  Venus (R)" 22 characters
// wide: 0.164 / (0.62 * 22) = 0.01202. Where that is below the size asked
// for, the two-letter labels take over: two to a line, "Me (R)  Ve (R)"
// 14 characters over five lines, min(0.164 / (0.62 * 14), 0.111 / 6) =
// 0.0185, 1.5 times larger: 8 pixels on a 433-pixel chart.
TEST(ChartLayout, CrowdedCellStaysLegible) {
  ChartCellTexts crowded;
  crowded.induLagna = true;
  crowded.bodies = {"Sun",      "Moon",        "Mercury (R)", "Venus (R)",
                    "Mars (R)", "Jupiter (R)", "Saturn (R)",  "Rahu"};
  crowded.shortBodies = {"Su", "Mo", "Me (R)", "Ve (R)", "Ma (R)", "Ju (R)", "Sa (R)", "Ra"};
  constexpr double kNamesShare = 0.012;
  constexpr double kShortShare = 0.0185;
  double leastNames = 1, leastShort = 1;
  for (const ChartStyle style : kChartStyles) {
    for (int asc = 0; asc < kSignCount; ++asc) {
      for (const ChartCellShape& cell : ChartCells(style, asc)) {
        SCOPED_TRACE(std::string(ChartStyleKey(style)) + " sign " + std::to_string(cell.sign));
        // Without a legible size asked for, the names stay.
        const FittedCellText names = FitCellText(crowded, cell.textBox, 0.036);
        EXPECT_GE(names.size, kNamesShare);
        leastNames = std::min(leastNames, names.size);
        const FittedCellText legible = FitCellText(crowded, cell.textBox, 0.036, 0.036);
        EXPECT_GE(legible.size, kShortShare);
        EXPECT_GE(legible.size, names.size);
        leastShort = std::min(leastShort, legible.size);
        // Every body is read whole, its mark on its line or the next: the
        // names, or where the names would be smaller, the two-letter labels.
        const bool swapped = legible.size > names.size;
        for (const auto& [fitted, bodies] :
             {std::pair{names, crowded.bodies},
              std::pair{legible, swapped ? crowded.shortBodies : crowded.bodies}}) {
          std::string all;
          for (const CellLine& line : fitted.lines) all += line.text + "  ";
          for (const std::string& body : bodies) {
            EXPECT_NE(all.find(body + "  "), std::string::npos) << body << " in " << all;
          }
          EXPECT_TRUE(fitted.lines.front().mark);
        }
      }
    }
  }
  // The bounds are the East-Indian corner's, as worked above.
  EXPECT_NEAR(leastNames, 0.164 / (0.62 * 22), 1e-9);
  EXPECT_NEAR(leastShort, std::min(0.164 / (0.62 * 14), (0.160 - 0.004 - 0.045) / 6), 1e-9);
}

// Where the names fit at the size asked for, they stay: a South-Indian
// cell with three bodies.
TEST(ChartLayout, NamesStayWhereTheyAreLegible) {
  ChartCellTexts three;
  three.bodies = {"Sun", "Moon", "Mars"};
  three.shortBodies = {"Su", "Mo", "Ma"};
  const ChartCellShape cell = ChartCells(ChartStyle::SouthIndian, 0)[0];
  const FittedCellText fitted = FitCellText(three, cell.textBox, 0.036, 0.02);
  ASSERT_FALSE(fitted.lines.empty());
  EXPECT_GE(fitted.size, 0.02);
  std::string all;
  for (const CellLine& line : fitted.lines) all += line.text + "  ";
  for (const char* name : {"Sun  ", "Moon  ", "Mars  "}) {
    EXPECT_NE(all.find(name), std::string::npos) << all;
  }
  // Without two-letter labels nothing is swapped, however small.
  ChartCellTexts crowded = three;
  crowded.shortBodies.clear();
  crowded.bodies = {"Sun", "Moon", "Mercury (R)", "Venus (R)", "Mars (R)"};
  const FittedCellText names =
      FitCellText(crowded, ChartCells(ChartStyle::EastIndian, 0)[1].textBox, 0.036, 0.036);
  ASSERT_FALSE(names.lines.empty());
  EXPECT_NE(names.lines.front().text.find("Sun"), std::string::npos);
}

// A drawn chart gives every body its two-letter label beside its name, in
// the same cell and place, the retrograde mark kept: the notation of the
// field's books, written out here by hand.
TEST(ChartLayout, DrawingCarriesTwoLetterLabels) {
  constexpr std::array<const char*, kBodyCount> kByHand = {"Su", "Mo", "Me", "Ve", "Ma",
                                                           "Ju", "Sa", "Ra", "Ke", "As"};
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  for (const ChartStyle style : kChartStyles) {
    for (const ChartKind kind : {ChartKind::Rasi, ChartKind::Navamsa}) {
      const ChartDrawing d = DrawChart(run.chart, kind, style);
      for (const ChartCellTexts& t : d.texts) ASSERT_EQ(t.shortBodies.size(), t.bodies.size());
      for (int body = 0; body < kBodyCount; ++body) {
        const BodyPosition& p = run.chart.bodies[static_cast<std::size_t>(body)];
        const int sign = kind == ChartKind::Rasi ? p.sign : p.navamsaSign;
        const ChartCellTexts& t = d.texts[static_cast<std::size_t>(sign)];
        const std::string name(kChartLabelNames[static_cast<std::size_t>(body)]);
        bool found = false;
        for (std::size_t i = 0; i < t.bodies.size(); ++i) {
          if (t.bodies[i] == name) {
            EXPECT_EQ(t.shortBodies[i], kByHand[static_cast<std::size_t>(body)]);
            found = true;
          } else if (t.bodies[i] == name + std::string(kRetroMark)) {
            EXPECT_EQ(t.shortBodies[i],
                      std::string(kByHand[static_cast<std::size_t>(body)]) + " (R)");
            found = true;
          }
        }
        EXPECT_TRUE(found) << name;
      }
    }
  }
}

// New Delhi 1980 in other names (positions as in DelhiNavamsaByHand): the
// two-letter labels with the degrees and minutes of each body in its sign,
// the Navamsa without degrees, and the Tamil names from the Tamil table's
// source (Mars செவ்வாய், Jupiter குரு, Saturn சனி, the ascendant லக்னம், Leo
// சிம்மம், Scorpio விருச்சிகம்).
TEST(ChartLayout, DelhiInOtherNames) {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  NameChoice shortWithDegrees;
  shortWithDegrees.twoLetterLabels = true;
  shortWithDegrees.degreesInCells = true;
  const ChartDrawing rasi =
      DrawChart(run.chart, ChartKind::Rasi, ChartStyle::SouthIndian, shortWithDegrees);
  EXPECT_EQ(rasi.texts[4].bodies, (std::vector<std::string>{"Ma 23\u00B003'", "Ju 10\u00B009'",
                                                            "Sa 27\u00B006'", "As 06\u00B030'"}));
  EXPECT_EQ(rasi.texts[2].bodies,
            (std::vector<std::string>{"Su 00\u00B040'", "Me 25\u00B007'", "Ve 00\u00B049' (R)"}));
  EXPECT_EQ(rasi.ascendantLabel, "As 06\u00B030'");
  EXPECT_EQ(rasi.texts[4].signLabel, "Leo 5");
  const ChartDrawing d9 =
      DrawChart(run.chart, ChartKind::Navamsa, ChartStyle::SouthIndian, shortWithDegrees);
  EXPECT_EQ(d9.texts[6].bodies, (std::vector<std::string>{"Su", "Ve (R)", "Ma"}));
  EXPECT_EQ(d9.ascendantLabel, "As");
  EXPECT_EQ(ChartLegend(ChartStyle::SouthIndian, shortWithDegrees)[2], "As = ascendant");
  EXPECT_EQ(ChartLegend(ChartStyle::SouthIndian)[2], "Asc = ascendant");

  NameChoice tamil;
  tamil.script = NameScript::Tamil;
  for (const ChartStyle style : kChartStyles) {
    const ChartDrawing t = DrawChart(run.chart, ChartKind::Rasi, style, tamil);
    EXPECT_EQ(t.texts[4].bodies, (std::vector<std::string>{"செவ்வாய்", "குரு", "சனி", "லக்னம்"}));
    EXPECT_EQ(t.texts[4].signLabel, style == ChartStyle::NorthIndian ? "5" : "சிம்மம் 5");
    EXPECT_EQ(t.induLagnaLine, "IL: விருச்சிகம்");
    EXPECT_EQ(t.ascendantLabel, "லக்னம்");
    EXPECT_EQ(ChartLegend(style, tamil)[2], "லக்னம் = ascendant");
  }
  // The default choice is the drawing as it has always been.
  const ChartDrawing plain = DrawChart(run.chart, ChartKind::Rasi, ChartStyle::SouthIndian);
  const ChartDrawing english =
      DrawChart(run.chart, ChartKind::Rasi, ChartStyle::SouthIndian, NameChoice{});
  for (int sign = 0; sign < kSignCount; ++sign) {
    EXPECT_EQ(plain.texts[static_cast<std::size_t>(sign)].bodies,
              english.texts[static_cast<std::size_t>(sign)].bodies);
  }
  EXPECT_EQ(plain.ascendantLabel, "Asc");
}

// Characters side by side, worked from the code charts: a consonant with
// its vowel sign is one, a virama joins, Malayalam's atomic chillu stands.
TEST(ChartLayout, TextLengthCountsWhatStandsSideBySide) {
  EXPECT_EQ(TextLength("Asc"), 3u);
  EXPECT_EQ(TextLength("23\u00B045'"), 6u);
  EXPECT_EQ(TextLength("\u0938\u0942"), 1u);                                // सू
  EXPECT_EQ(TextLength("\u0B9A\u0BC2\u0BB0\u0BBF\u0BAF\u0BA9\u0BCD"), 4u);  // சூரியன்
  EXPECT_EQ(TextLength("\u0D1A\u0D28\u0D4D\u0D26\u0D4D\u0D30\u0D7B"), 5u);  // ചന്ദ്രൻ
  EXPECT_EQ(TextLength("\u0922\u093C\u093E"), 1u);                          // ढ़ा
  EXPECT_EQ(TextLength("e\u0301"), 1u);
  EXPECT_EQ(TextLength("\x80"), 0u);      // a stray continuation byte
  EXPECT_EQ(TextLength("\xE0\xA4"), 1u);  // a sequence cut short
  EXPECT_EQ(TextLength(""), 0u);
}

// 300 births in every script: the drawings hold the same bodies in the same
// cells as the English one, one label for one label, and the text report's
// grid keeps its columns (every border and cell line of one width) and
// names the positions in the script.
TEST(ChartLayout, EveryScriptDrawsTheSameChart) {
  std::mt19937_64 rng(20261209);
  int charts = 0;
  for (int i = 0; i < 300; ++i) {
    const ChartRun run = ComputeChart(testing::RandomFormEntries(rng));
    if (run.refusal) continue;
    ++charts;
    const ChartDrawing english = DrawChart(run.chart, ChartKind::Rasi, ChartStyle::SouthIndian);
    for (const NameScript script : kNameScripts) {
      SCOPED_TRACE(std::string(NameScriptKey(script)) + " birth " + std::to_string(i));
      NameChoice names;
      names.script = script;
      names.twoLetterLabels = i % 2 == 1;
      names.degreesInCells = i % 3 == 1;
      const ChartDrawing d = DrawChart(run.chart, ChartKind::Rasi, ChartStyle::SouthIndian, names);
      for (int sign = 0; sign < kSignCount; ++sign) {
        const auto k = static_cast<std::size_t>(sign);
        ASSERT_EQ(d.texts[k].bodies.size(), english.texts[k].bodies.size());
        ASSERT_EQ(d.texts[k].induLagna, english.texts[k].induLagna);
        ASSERT_EQ(d.texts[k].ascendant, english.texts[k].ascendant);
      }
      std::string report;
      AppendChartReport(report, run.chart, {}, {}, script);
      std::size_t gridWidth = 0;
      std::size_t from = 0;
      bool inGrid = false;
      while (from < report.size()) {
        const std::size_t end = report.find('\n', from);
        const std::string_view line(report.data() + from, end - from);
        from = end + 1;
        if (line.starts_with("+---")) inGrid = true;
        if (!inGrid) continue;
        if (line.empty()) break;
        if (gridWidth == 0) gridWidth = TextLength(line);
        ASSERT_EQ(TextLength(line), gridWidth) << line;
      }
      ASSERT_GT(gridWidth, 0u);
      const std::string_view sunName = BodyWindowName(script, Sun);
      ASSERT_NE(report.find(sunName), std::string::npos) << sunName;
    }
  }
  EXPECT_GT(charts, 100);
}

// A North-Indian side triangle is tall and narrow: a retrograde body's
// mark goes under its name ("Saturn", "(R)") when that lets the text be
// larger than the whole label on one line. Worked by hand for the box
// 0.13 x 0.22: "Saturn (R)" whole, 0.13 / (0.62 * 10) = 0.021; stacked, two
// lines of at most 6 characters, min(0.13 / (0.62 * 6), 0.22 / 2.4) = 0.035.
TEST(ChartLayout, SideTriangleStacksTheMarkBeforeShrinking) {
  const std::array<ChartCellShape, kSignCount> cells = ChartCells(ChartStyle::NorthIndian, 0);
  const ChartCellShape& third = cells[2];  // Gemini: house 3, the left triangle
  ASSERT_EQ(third.house, 3);
  ChartCellTexts saturn;
  saturn.bodies = {"Saturn (R)"};
  const FittedCellText fitted = FitCellText(saturn, third.textBox, 0.036);
  ASSERT_EQ(fitted.lines.size(), 2u);
  EXPECT_EQ(fitted.lines[0].text, "Saturn");
  EXPECT_EQ(fitted.lines[1].text, "(R)");
  EXPECT_NEAR(fitted.size, 0.13 / (0.62 * 6), 1e-12);
  // A square cell keeps the label whole on its line.
  const ChartCellShape square = ChartCells(ChartStyle::SouthIndian, 0)[2];
  const FittedCellText whole = FitCellText(saturn, square.textBox, 0.036);
  ASSERT_EQ(whole.lines.size(), 1u);
  EXPECT_EQ(whole.lines[0].text, "Saturn (R)");
  // Without a mark there is nothing to stack.
  ChartCellTexts venus;
  venus.bodies = {"Venus"};
  EXPECT_EQ(FitCellText(venus, third.textBox, 0.036).lines.size(), 1u);
}

}  // namespace
}  // namespace orvanta
