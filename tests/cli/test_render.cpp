// Tests of the output forms over a chart built by hand (no computation):
// the South-Indian grid, retrograde marks, caption lines, word wrapping, the
// JSON members and their order, the refusal object and the CSV line.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "chart/legacy_record.h"
#include "cli/render.h"

namespace orvanta::cli {
namespace {

// The position `degrees` and `minutes` into sign `sign`, half a minute on so
// that the truncation to whole minutes is exact.
BodyPosition At(int sign, int degrees, int minutes, bool retrograde = false) {
  return PositionOf(sign * 30.0 + degrees + (minutes + 0.5) / 60.0, retrograde);
}

// A chart as ComputeChart would leave it: Sun and Moon in Gemini, a retrograde
// Mercury and Venus in Taurus, Mars and Jupiter in Leo, the ascendant in
// Pisces; house 1's pada and lord in Taurus, one moving point in Libra,
// the Indu Lagna in Taurus.
ChartOutput HandChart() {
  ChartOutput c;
  c.birth.name = "ARJUN MEHTA";
  c.bodies = {At(2, 0, 12),  At(2, 15, 40), At(1, 12, 5, true), At(1, 20, 0), At(4, 3, 30),
              At(4, 10, 10), At(5, 25, 59), At(3, 5, 0),        At(9, 5, 0),  At(11, 18, 33)};
  c.outerPlanetsRetrograde[0] = true;  // Uranus: no label of its own
  c.houses.houseCount = 1;
  c.houses.padaSigns[0] = 2;  // Taurus
  c.houses.firstLordSign = 2;
  c.movingPointSigns = {-1, 6, -1};
  // The count of an Aries ascendant and a Scorpio Moon: 10 + 16 = 26,
  // remainder 2, the second sign from Aries.
  c.induLagna = CountInduLagna(0, 7, InduLagnaRule::FromAscendantVenus10);
  c.birth.name = "ARJUN MEHTA";
  c.birth.local = {1980, 6, 15, 10, 30, 0};
  return c;
}

// The row copy of Taurus, as the chart computation hands it over.
AttributeRow TaurusAttributes() {
  return SignRowCopy(1).value();
}

TEST(SouthIndianGrid, FixedSignsEmptyCentreAndIl) {
  // Expected layout: Pisces top left, signs clockwise (Sagittarius bottom
  // left), the centre open, "IL" at the right of the Taurus heading, bodies
  // in body order under their sign with the trailing blank of " (R) " dropped.
  const std::string expected =
      "+---------------+---------------+---------------+---------------+\n"
      "| Pis           | Ari           | Tau        IL | Gem           |\n"
      "| Asc           |               | Mercury (R)   | Sun           |\n"
      "|               |               | Venus         | Moon          |\n"
      "+---------------+---------------+---------------+---------------+\n"
      "| Aqu           |                               | Can           |\n"
      "|               |                               | Rahu          |\n"
      "+---------------+                               +---------------+\n"
      "| Cap           |                               | Leo           |\n"
      "| Ketu          |                               | Mars          |\n"
      "|               |                               | Jupiter       |\n"
      "+---------------+---------------+---------------+---------------+\n"
      "| Sag           | Sco           | Lib           | Vir           |\n"
      "|               |               |               | Saturn        |\n"
      "+---------------+---------------+---------------+---------------+\n";
  std::string out;
  AppendSouthIndianGrid(out, HandChart());
  EXPECT_EQ(out, expected) << out;
}

TEST(SouthIndianGrid, EveryBodyCanStandInAnySign) {
  // Property: with all ten bodies in one sign, Mercury..Saturn retrograde,
  // the grid keeps its width and shows every label, whatever the sign.
  const std::array<std::string, kBodyCount> labels = {
      "Sun",         "Moon",       "Mercury (R)", "Venus (R)", "Mars (R)",
      "Jupiter (R)", "Saturn (R)", "Rahu",        "Ketu",      "Asc"};
  for (int sign = 0; sign < kSignCount; ++sign) {
    SCOPED_TRACE(kSignAbbr[static_cast<std::size_t>(sign)]);
    ChartOutput c;
    for (int body = 0; body < kBodyCount; ++body) {
      c.bodies[static_cast<std::size_t>(body)] = At(sign, 1, 0, body >= Mercury && body <= Saturn);
    }
    c.induLagna = InduLagnaCount{};
    c.induLagna->sign = sign;
    std::string out;
    AppendSouthIndianGrid(out, c);
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) EXPECT_EQ(line.size(), 65u) << line;
    for (const std::string& l : labels) EXPECT_NE(out.find(l), std::string::npos) << l;
    EXPECT_NE(out.find("IL |"), std::string::npos);
  }
}

TEST(RetroMarks, OnlyMercuryToSaturn) {
  const ChartOutput c = HandChart();
  EXPECT_EQ(PositionWithMark(c, Mercury), "12 Tau 05 (R)");
  EXPECT_EQ(PositionWithMark(c, Sun), "00 Gem 12");
  // Uranus's flag marks no body of the chart.
  for (int body = 0; body < kBodyCount; ++body) EXPECT_EQ(IsRetrograde(c, body), body == Mercury);
}

// The record's captions, written from the numbers: each body's line after a
// line break in its sign's cell, " (R) " with its trailing blank; the marks'
// empty lines (houses, moving points) before "IL"; the eight flags.
TEST(LegacyRecord, CaptionsFromTheNumbers) {
  ChartOutput c = HandChart();
  c.vighatiSign = 1;  // the vighati point's empty line comes after "IL"
  const LegacyCaptions r = LegacyCaptionsOf(c);
  const std::pair<std::string_view, std::string_view> cells[] = {
      {r.signCells[2], "\r\nSun\r\nMoon"},
      {r.signCells[1], "\r\nMercury (R) \r\nVenus"},
      {r.signCells[0], ""},
      {r.signCells[11], "\r\nAsc"},
      {r.marks[1], "\r\n\r\n\r\nIL\r\n"},
      {r.marks[6], "\r\n"},
      {r.marks[0], ""},
      {r.positionText[Mercury], "12 Tau 05"},
      {r.chartLabel[Mercury], "Mercury (R) "},
      {r.chartLabel[Venus], "Venus"},
  };
  for (const auto& [actual, expected] : cells) EXPECT_EQ(actual, expected);
  EXPECT_EQ(r.retroFlag,
            (std::array<bool, 8>{true, false, false, false, false, true, false, false}));
  // Signs outside 0..11 (a house without a lord, a point without a sign)
  // add nothing.
  c.houses.firstLordSign = 0;
  c.movingPointSigns = {-1, 12, -32768};
  c.vighatiSign = 12;
  const LegacyCaptions bare = LegacyCaptionsOf(c);
  EXPECT_EQ(bare.marks[1], "\r\n\r\nIL");
  EXPECT_EQ(bare.marks[6], "");
}

TEST(WordWrap, LinesStayWithinTheWidthAndKeepEveryWord) {
  // Property over random texts: no line is longer than the width unless it
  // holds one word, each line starts with the indent, and the words come out
  // in order.
  std::mt19937 random(78);
  for (int trial = 0; trial < 2000; ++trial) {
    std::vector<std::string> words(random() % 40);
    std::string text;
    for (std::string& w : words) {
      w.assign(1 + random() % (trial % 10 == 0 ? 90 : 12), static_cast<char>('a' + random() % 26));
      text += w;
      text += (random() % 7 == 0) ? "  " : " ";
    }
    const std::size_t width = 20 + random() % 60;
    const std::string wrapped = WordWrap(text, width, "  ");
    SCOPED_TRACE("width " + std::to_string(width) + ": " + text);
    std::istringstream lines(wrapped);
    std::string line;
    std::vector<std::string> seen;
    while (std::getline(lines, line)) {
      ASSERT_EQ(line.rfind("  ", 0), 0u) << line;
      const std::string body = line.substr(2);
      ASSERT_FALSE(body.empty());
      if (line.size() > width) {
        EXPECT_EQ(body.find(' '), std::string::npos) << line;
      }
      std::istringstream ws(body);
      for (std::string w; ws >> w;) seen.push_back(w);
    }
    EXPECT_EQ(seen, words);
  }
}

// Top-level member names of a one-line JSON object, in order.
std::vector<std::string> TopLevelKeys(std::string_view json) {
  std::vector<std::string> keys;
  int depth = 0;
  bool inString = false;
  std::string current;
  bool expectKey = false;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
        if (expectKey) keys.push_back(current);
        expectKey = false;
      } else {
        current += c;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
      current.clear();
      expectKey = depth == 1 && (json[i - 1] == '{' || json[i - 1] == ',');
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return keys;
}

TEST(ChartJson, MembersInTheDocumentedOrder) {
  // The member list of docs/cli.md.
  const std::vector<std::string> expected = {"Name",
                                             "Valid",
                                             "ZoneShiftHours",
                                             "ZoneShiftMinutes",
                                             "ZoneHours",
                                             "ZoneMinutes",
                                             "UniversalTime",
                                             "JulianDay",
                                             "CenturiesT",
                                             "AyanCorr",
                                             "AscendantDeg",
                                             "AscendantInt",
                                             "AscendantText",
                                             "MoonTropical",
                                             "MoonSidereal",
                                             "NakStartDeg",
                                             "MoonText",
                                             "PositionText",
                                             "RetroFlag",
                                             "ChartLabel",
                                             "AscSignIndex",
                                             "HouseCount",
                                             "FirstLordSign",
                                             "LagnaSign",
                                             "AscKala",
                                             "MoonKala",
                                             "InduLagnaIndex",
                                             "InduLagnaSteps",
                                             "InduLagnaClassical",
                                             "RiseSet",
                                             "ElapsedMinutes",
                                             "ElapsedSeconds",
                                             "SunriseSunLongitude",
                                             "SignCells",
                                             "Marks",
                                             "Attributes",
                                             "Clock"};
  ChartOutput c = HandChart();
  c.attributes = TaurusAttributes();
  std::string json;
  AppendChartJson(json, c);
  EXPECT_EQ(TopLevelKeys(json), expected) << json;
  EXPECT_EQ(json.find('\n'), std::string::npos);
}

TEST(ChartJson, AbsentValuesAreNull) {
  ChartOutput c = HandChart();
  c.time.UniversalTime = std::numeric_limits<double>::quiet_NaN();
  c.day[0] = MakeDateTime(1980, 6, 15, 5, 23, 40);
  std::string json;
  AppendChartJson(json, c);
  EXPECT_NE(json.find(R"("UniversalTime":null)"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("RiseSet":{"Previous":[null,null],"Day":["1980-06-15 05:23",null],)"
                      R"("Next":[null,null]})"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("ElapsedMinutes":null,"ElapsedSeconds":null)"), std::string::npos);
  // A clock given as a zone-list row or an offset has no zone name.
  EXPECT_NE(json.find(R"("Attributes":null,"Clock":{"Text":"UTC+0:00, standard time",)"
                      R"("TimeZone":null,)"
                      R"("OffsetMinutes":0,"Daylight":false}})"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("RetroFlag":[true,false,false,false,false,true,false,false])"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("Marks":["","\u000d\u000a\u000d\u000a\u000d\u000aIL",)"),
            std::string::npos)
      << json;
}

TEST(ChartJson, AttributesKeyedByControl) {
  ChartOutput c = HandChart();
  c.attributes = TaurusAttributes();
  c.ElapsedMinutes = 307;
  c.ElapsedSeconds = -18420;
  std::string json;
  AppendChartJson(json, c);
  EXPECT_NE(json.find(R"("Attributes":{"lblArudhaLagnaPresentInSign":"Taurus","lblVedicName":)"
                      R"("Vrishabha","lblEnglishName":"Taurus",)"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("ElapsedMinutes":307,"ElapsedSeconds":-18420,)"), std::string::npos);
}

TEST(RefusalJson, Members) {
  // The refusal of ValidateEntries for an empty name, and a date refusal
  // without focus.
  std::string out;
  AppendRefusalJson(out, "", Refusal{"Please Enter Name", MessageIcon::Stop, FormField::Name});
  EXPECT_EQ(out, R"({"Name":"","Valid":false,"Message":"Please Enter Name","Icon":"stop",)"
                 R"("Focus":"txtName"})");
  out.clear();
  AppendRefusalJson(out, "A",
                    Refusal{"Please Enter Correct Date Or Month!", MessageIcon::Information, {}});
  EXPECT_EQ(out, R"({"Name":"A","Valid":false,"Message":"Please Enter Correct Date Or Month!",)"
                 R"("Icon":"information","Focus":null})");
}

TEST(ChartCsv, OneLinePerChart) {
  ChartOutput c = HandChart();
  c.birth.name = "MEHTA, ARJUN";
  c.attributes = TaurusAttributes();
  std::string out;
  AppendChartCsv(out, c);
  EXPECT_EQ(out,
            "\"MEHTA, ARJUN\",00 Gem 12,15 Gem 40,12 Tau 05 (R),20 Tau 00,03 Leo 30,10 Leo 10,"
            "25 Vir 59,05 Can 00,05 Cap 00,18 Pis 33,Taurus\n");
  c.attributes.reset();
  out.clear();
  AppendChartCsv(out, c);
  EXPECT_TRUE(out.ends_with(",18 Pis 33,\n")) << out;
}

TEST(ChartText, WindowNamesInOrderAndTheSignTexts) {
  ChartOutput c = HandChart();
  c.attributes = TaurusAttributes();
  std::string text;
  AppendChartText(text, c);
  std::size_t at = 0;
  for (std::string_view name : kBodyWindowNames) {
    const std::size_t found = text.find(name, at);
    ASSERT_NE(found, std::string::npos) << name << "\n" << text;
    at = found;
  }
  EXPECT_NE(text.find("  Budha/Mercury     12 Tau 05 (R)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Indu Lagna (IL): Taurus\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  Vedic Name                 : Vrishabha\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nNature\n  You have a powerful and commanding"), std::string::npos) << text;
}

}  // namespace
}  // namespace orvanta::cli
