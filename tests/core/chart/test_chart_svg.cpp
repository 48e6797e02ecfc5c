// The SVG drawing read back by sign number, not by pixel: in each style and
// for an ascendant in each of the twelve signs, every sign's cell has the
// shape and place the style gives it (South Indian: Pisces top left, then
// clockwise; North Indian: house 1 the top diamond holding the ascendant's
// sign, then counter-clockwise; East Indian: Aries top middle, then
// counter-clockwise, the corners cut by the diagonals), every body stands
// in the cell of its sign (its navamsa sign in the Navamsa), and every text
// lies inside its cell. The texts of a drawing as XML can carry them:
// markup escaped, the characters XML forbids and bytes that are not UTF-8
// replaced by U+FFFD.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "chart/chart_svg.h"
#include "chart/xml_text.h"
#include "support/reference_births.h"

namespace orvanta {
namespace {

struct SvgText {
  std::string cls, text;
  double x = 0, y = 0, size = 0;
};
struct SvgCell {
  int sign = 0, house = 0;
  std::vector<UnitPoint> points;  // in the chart's unit square
  std::vector<SvgText> texts;
};
struct SvgChart {
  std::string kind, style;
  double left = 0, top = 0, side = 0;
  std::map<int, SvgCell> cells;  // by sign number 1..12
};

std::string Attribute(const std::string& line, const std::string& name) {
  const std::regex re(" " + name + "=\"([^\"]*)\"");
  std::smatch m;
  return std::regex_search(line, m, re) ? m[1].str() : std::string();
}

std::string Unescaped(std::string s) {
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                 {"&gt;", ">"},
                                 {"&quot;", "\""},
                                 {"&amp;", "&"}}) {
    for (std::size_t at; (at = s.find(from)) != std::string::npos;) s.replace(at, from.size(), to);
  }
  return s;
}

// The charts of a drawing, line by line (one element a line).
std::vector<SvgChart> ReadCharts(const std::string& svg) {
  std::vector<SvgChart> charts;
  SvgCell* cell = nullptr;
  std::istringstream in(svg);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("<g class=\"chart\"")) {
      charts.push_back({Attribute(line, "data-chart"), Attribute(line, "data-style"), 0, 0, 0, {}});
    } else if (line.starts_with("<rect x=") && !charts.empty()) {
      charts.back().left = std::stod(Attribute(line, "x"));
      charts.back().top = std::stod(Attribute(line, "y"));
      charts.back().side = std::stod(Attribute(line, "width"));
    } else if (line.starts_with("<g class=\"cell\"")) {
      const int sign = std::stoi(Attribute(line, "data-sign"));
      cell = &charts.back().cells[sign];
      cell->sign = sign;
      cell->house = std::stoi(Attribute(line, "data-house"));
    } else if (line.starts_with("<polygon") && cell != nullptr) {
      std::istringstream points(Attribute(line, "points"));
      const SvgChart& c = charts.back();
      for (double x, y; points >> x && points.ignore(1) && points >> y;) {
        cell->points.push_back({(x - c.left) / c.side, (y - c.top) / c.side});
      }
    } else if (line.starts_with("<text") && cell != nullptr) {
      const std::size_t open = line.find('>');
      const std::size_t close = line.rfind("</text>");
      cell->texts.push_back({Attribute(line, "class"),
                             Unescaped(line.substr(open + 1, close - open - 1)),
                             std::stod(Attribute(line, "x")), std::stod(Attribute(line, "y")),
                             std::stod(Attribute(line, "font-size"))});
    } else if (line == "</g>") {
      cell = nullptr;
    }
  }
  return charts;
}

UnitPoint Centroid(const std::vector<UnitPoint>& points) {
  UnitPoint c;
  for (const UnitPoint& p : points) {
    c.x += p.x / static_cast<double>(points.size());
    c.y += p.y / static_cast<double>(points.size());
  }
  return c;
}

// Whether `p` lies in the convex polygon, `slack` outside its edges allowed.
bool Inside(const std::vector<UnitPoint>& polygon, UnitPoint p, double slack) {
  int sides = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const UnitPoint a = polygon[i];
    const UnitPoint b = polygon[(i + 1) % polygon.size()];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double cross = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
    if (cross > slack) sides |= 1;
    if (cross < -slack) sides |= 2;
  }
  return sides != 3;
}

// Where each cell's centre lies, from the styles' descriptions: the centre
// of a square, a diamond or a triangle (the mean of its corners), in the
// unit square, y downwards.
constexpr double kT = 1.0 / 3;
struct Expected {
  double x, y;
  int corners;
};
// South Indian, by sign (Aries first): Pisces top left, then clockwise.
const Expected kSouth[12] = {{0.375, 0.125, 4}, {0.625, 0.125, 4}, {0.875, 0.125, 4},
                             {0.875, 0.375, 4}, {0.875, 0.625, 4}, {0.875, 0.875, 4},
                             {0.625, 0.875, 4}, {0.375, 0.875, 4}, {0.125, 0.875, 4},
                             {0.125, 0.625, 4}, {0.125, 0.375, 4}, {0.125, 0.125, 4}};
// North Indian, by house 1..12: the top diamond, then counter-clockwise.
const Expected kNorth[12] = {{0.5, 0.25, 4}, {0.25, 1.0 / 12, 3},  {1.0 / 12, 0.25, 3},
                             {0.25, 0.5, 4}, {1.0 / 12, 0.75, 3},  {0.25, 11.0 / 12, 3},
                             {0.5, 0.75, 4}, {0.75, 11.0 / 12, 3}, {11.0 / 12, 0.75, 3},
                             {0.75, 0.5, 4}, {11.0 / 12, 0.25, 3}, {0.75, 1.0 / 12, 3}};
// East Indian, by sign: Aries top middle, then counter-clockwise; a corner
// square's triangle by the top or bottom edge, then the one by the side.
const Expected kEast[12] = {
    {0.5, kT / 2, 4},     {2 * kT / 3, kT / 3, 3},         {kT / 3, 2 * kT / 3, 3},
    {kT / 2, 0.5, 4},     {kT / 3, 2 * kT + kT / 3, 3},    {2 * kT / 3, 1 - kT / 3, 3},
    {0.5, 1 - kT / 2, 4}, {1 - 2 * kT / 3, 1 - kT / 3, 3}, {1 - kT / 3, 1 - 2 * kT / 3, 3},
    {1 - kT / 2, 0.5, 4}, {1 - kT / 3, 2 * kT / 3, 3},     {1 - 2 * kT / 3, kT / 3, 3}};

// The Delhi chart with its ascendant moved to `ascSign` and its Indu Lagna
// counted again, so that every house numbering is drawn.
ChartOutput ChartWithAscendant(ChartOutput chart, int ascSign) {
  chart.bodies[Asc] = PositionOf(ascSign * 30.0 + 17.5);
  chart.induLagna = CountInduLagna(ascSign, chart.bodies[Moon].sign, chart.induLagna->rule);
  return chart;
}

std::vector<std::string> BodiesOf(const SvgCell& cell) {
  std::vector<std::string> bodies;
  for (const SvgText& t : cell.texts) {
    if (t.cls != "body") continue;
    // A retrograde mark stacked under its body's name belongs to it.
    if (t.text == kRetroMark.substr(1) && !bodies.empty()) {
      bodies.back() += kRetroMark;
      continue;
    }
    for (std::size_t start = 0;;) {
      const std::size_t gap = t.text.find("  ", start);
      bodies.push_back(t.text.substr(start, gap - start));
      if (gap == std::string::npos) break;
      start = gap + 2;
    }
  }
  return bodies;
}

TEST(ChartSvg, EveryCellInItsPlaceForEveryAscendant) {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  constexpr double kWhere = 1e-9;  // the centres are exact up to rounding to 0.01 pixel
  constexpr double kPixel = 0.01 / 420;
  for (const ChartStyle style : kChartStyles) {
    for (int asc = 0; asc < kSignCount; ++asc) {
      SCOPED_TRACE(std::string(ChartStyleKey(style)) + ", ascendant sign " +
                   std::to_string(asc + 1));
      const ChartOutput chart = ChartWithAscendant(run.chart, asc);
      const std::vector<SvgChart> charts = ReadCharts(ChartSvg(chart, style, ChartSelection::Both));
      ASSERT_EQ(charts.size(), 2u);
      for (const SvgChart& c : charts) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(c.style, ChartStyleKey(style));
        ASSERT_EQ(c.cells.size(), 12u);
        const bool navamsa = c.kind == "navamsa";
        const int lagna = navamsa ? chart.bodies[Asc].navamsaSign : asc;
        for (const auto& [number, cell] : c.cells) {
          SCOPED_TRACE("sign " + std::to_string(number));
          const int sign = number - 1;
          const int house = (sign - lagna + 12) % 12 + 1;
          EXPECT_EQ(cell.house, house);
          const Expected e = style == ChartStyle::SouthIndian   ? kSouth[sign]
                             : style == ChartStyle::NorthIndian ? kNorth[house - 1]
                                                                : kEast[sign];
          const UnitPoint centre = Centroid(cell.points);
          EXPECT_EQ(cell.points.size(), static_cast<std::size_t>(e.corners));
          EXPECT_NEAR(centre.x, e.x, kPixel + kWhere);
          EXPECT_NEAR(centre.y, e.y, kPixel + kWhere);
          // The sign's number (Aries 1 .. Pisces 12), with its abbreviation
          // where the signs stand fixed.
          ASSERT_FALSE(cell.texts.empty());
          EXPECT_EQ(cell.texts.front().cls, "sign");
          EXPECT_EQ(cell.texts.front().text,
                    style == ChartStyle::NorthIndian
                        ? std::to_string(number)
                        : std::string(kSignAbbr[static_cast<std::size_t>(sign)]) + " " +
                              std::to_string(number));
          // Every text inside its cell: its extent at 0.55 of the size a
          // character, from 0.75 of the size above the baseline to 0.2 below.
          for (const SvgText& t : cell.texts) {
            const double half = 0.55 * t.size * static_cast<double>(TextLength(t.text)) / 2;
            for (const double dx : {-half, half}) {
              for (const double dy : {-0.75 * t.size, 0.2 * t.size}) {
                const UnitPoint corner{(t.x + dx - c.left) / c.side, (t.y + dy - c.top) / c.side};
                EXPECT_TRUE(Inside(cell.points, corner, 0.002)) << "\"" << t.text << "\"";
              }
            }
          }
        }
        // Every body in the cell of its sign, once.
        for (int body = 0; body < kBodyCount; ++body) {
          const BodyPosition& p = chart.bodies[static_cast<std::size_t>(body)];
          const int sign = navamsa ? p.navamsaSign : p.sign;
          std::string label(kChartLabelNames[static_cast<std::size_t>(body)]);
          if (p.retrograde) label += kRetroMark;
          const std::vector<std::string> bodies = BodiesOf(c.cells.at(sign + 1));
          EXPECT_EQ(std::count(bodies.begin(), bodies.end(), label), 1) << label;
        }
        // "IL" in the cell of the chart's own Indu Lagna only.
        const int il = navamsa ? NavamsaInduLagna(chart)->sign : chart.induLagna->sign;
        for (const auto& [number, cell] : c.cells) {
          const bool marked =
              std::any_of(cell.texts.begin(), cell.texts.end(),
                          [](const SvgText& t) { return t.cls == "mark" && t.text == "IL"; });
          EXPECT_EQ(marked, number == il + 1) << "sign " << number;
        }
      }
    }
  }
}

// One chart alone, the legend, the chart's titles, and a name that needs
// escaping.
TEST(ChartSvg, SelectionTitlesAndLegend) {
  ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  run.chart.birth.name = "A & B <C>";
  const std::string rasi = ChartSvg(run.chart, ChartStyle::NorthIndian, ChartSelection::Rasi);
  const std::string d9 = ChartSvg(run.chart, ChartStyle::NorthIndian, ChartSelection::Navamsa);
  ASSERT_EQ(ReadCharts(rasi).size(), 1u);
  EXPECT_EQ(ReadCharts(rasi)[0].kind, "rasi");
  ASSERT_EQ(ReadCharts(d9).size(), 1u);
  EXPECT_EQ(ReadCharts(d9)[0].kind, "navamsa");
  EXPECT_NE(rasi.find(">Rasi (birth chart)</text>"), std::string::npos);
  EXPECT_NE(rasi.find(">IL: Scorpio</text>"), std::string::npos);
  EXPECT_NE(d9.find(">Navamsa (D9)</text>"), std::string::npos);
  EXPECT_NE(d9.find(">Navamsa IL: Pisces</text>"), std::string::npos);
  EXPECT_NE(rasi.find("<title>Orvanta - A &amp; B &lt;C&gt;</title>"), std::string::npos);
  for (const std::string& line : ChartLegend(ChartStyle::NorthIndian)) {
    EXPECT_NE(rasi.find(">" + XmlEscaped(line) + "</text>"), std::string::npos) << line;
  }
  EXPECT_NE(rasi.find(">IL = Indu Lagna</text>"), std::string::npos);
  EXPECT_NE(rasi.find(">(R) = retrograde</text>"), std::string::npos);
  EXPECT_EQ(rasi, ChartSvg(run.chart, ChartStyle::NorthIndian, ChartSelection::Rasi));
}

// Each row by the XML 1.0 recommendation: the Char production (tab, LF, CR,
// U+0020..U+D7FF, U+E000..U+FFFD, U+10000..U+10FFFF) and the five
// predefined entities; bytes that are not UTF-8 by the Unicode standard's
// well-formed sequences (table 3-7), one U+FFFD a byte as in the JSON.
TEST(XmlText, EscapesMarkupAndReplacesWhatXmlForbids) {
  struct Row {
    const char* label;
    std::string_view in;
    std::string_view escaped;  // XmlEscaped
    std::string_view safe;     // XmlSafeText
  };
  const Row rows[] = {
      {"plain ASCII", "ARJUN MEHTA", "ARJUN MEHTA", "ARJUN MEHTA"},
      {"empty", "", "", ""},
      {"the five markup characters", "& < > \" '", "&amp; &lt; &gt; &quot; &apos;", "& < > \" '"},
      {"a script", "</title><script>alert(document.domain)</script><title>",
       "&lt;/title&gt;&lt;script&gt;alert(document.domain)&lt;/script&gt;&lt;title&gt;",
       "</title><script>alert(document.domain)</script><title>"},
      {"the end of a CDATA section", "]]>", "]]&gt;", "]]>"},
      {"a processing instruction", "<?xml-stylesheet href=\"x\"?>",
       "&lt;?xml-stylesheet href=&quot;x&quot;?&gt;", "<?xml-stylesheet href=\"x\"?>"},
      {"an entity already written", "&amp;", "&amp;amp;", "&amp;"},
      {"tab, LF and CR stay", "a\tb\nc\rd", "a\tb\nc\rd", "a\tb\nc\rd"},
      {"C0 controls", "\x01|\x08|\x0B|\x0C|\x1B|\x1F", "\uFFFD|\uFFFD|\uFFFD|\uFFFD|\uFFFD|\uFFFD",
       "\uFFFD|\uFFFD|\uFFFD|\uFFFD|\uFFFD|\uFFFD"},
      {"NUL", std::string_view("a\0b", 3), "a\uFFFDb", "a\uFFFDb"},
      {"DEL and C1 controls are Chars", "\x7F\xC2\x85", "\x7F\xC2\x85", "\x7F\xC2\x85"},
      {"U+FFFE and U+FFFF",
       "a\xEF\xBF\xBE"
       "b\xEF\xBF\xBF",
       "a\uFFFDb\uFFFD", "a\uFFFDb\uFFFD"},
      {"U+FFFD and U+E000 stay", "\uFFFD\uE000", "\uFFFD\uE000", "\uFFFD\uE000"},
      {"U+1FFFE and U+10FFFF are Chars", "\xF0\x9F\xBF\xBE\xF4\x8F\xBF\xBF",
       "\xF0\x9F\xBF\xBE\xF4\x8F\xBF\xBF", "\xF0\x9F\xBF\xBE\xF4\x8F\xBF\xBF"},
      {"an encoded lone surrogate", "a\xED\xA0\x80z", "a\uFFFD\uFFFD\uFFFDz",
       "a\uFFFD\uFFFD\uFFFDz"},
      {"a stray byte", "\xFF", "\uFFFD", "\uFFFD"},
      {"a cut sequence", "\xC3", "\uFFFD", "\uFFFD"},
      {"a cut sequence before markup", "\xC3<", "\uFFFD&lt;", "\uFFFD<"},
      {"an overlong slash", "\xC0\xAF", "\uFFFD\uFFFD", "\uFFFD\uFFFD"},
      {"Latin, Devanagari, an emoji", "Jos\u00E9 \u092E\u0941\u0902 \U0001F600",
       "Jos\u00E9 \u092E\u0941\u0902 \U0001F600", "Jos\u00E9 \u092E\u0941\u0902 \U0001F600"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(XmlEscaped(row.in), row.escaped);
    EXPECT_EQ(XmlSafeText(row.in), row.safe);
  }
}

// A name of every hostile kind reaches the drawing only as text: the title
// holds the escaped name, and no byte of the drawing is one XML forbids.
TEST(ChartSvg, HostileNamesStayText) {
  ChartRun run = ComputeChart(reference::DelhiBirth());
  ASSERT_FALSE(run.refusal);
  const std::string longName(100000, '<');
  for (const std::string_view name :
       {std::string_view("</title><script>alert(document.domain)</script><title>"),
        std::string_view("\x01\x08\x0B\x0C\x1B ]]> \xEF\xBF\xBE\xEF\xBF\xBF \xED\xA0\x80 \xFF\xC3"),
        std::string_view(longName)}) {
    SCOPED_TRACE(name.substr(0, 60));
    run.chart.birth.name = std::string(name);
    const std::string svg = ChartSvg(run.chart, ChartStyle::SouthIndian, ChartSelection::Both);
    EXPECT_NE(svg.find("<title>Orvanta - " + XmlEscaped(name) + "</title>"), std::string::npos);
    EXPECT_EQ(svg.find("<script"), std::string::npos);
    EXPECT_EQ(XmlSafeText(svg), svg);  // nothing XML forbids, all of it UTF-8
  }
}

}  // namespace
}  // namespace orvanta
