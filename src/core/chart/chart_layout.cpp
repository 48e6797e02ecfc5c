#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>

#include "chart/chart_text.h"
#include "chart/presentation.h"
#include "tables/sign_tables.h"

namespace orvanta {

namespace {

// Room between a cell's edge and its texts, in units of the square.
constexpr double kInset = 0.008;
// Height of the label strip along the top of a square cell.
constexpr double kLabelStrip = 0.045;
// A North-Indian house number's box, centred by the house's inner corner.
constexpr double kNumberBoxWidth = 0.07;
constexpr double kNumberBoxHeight = 0.045;
// The square cells of the East-Indian chart: a third of the side.
constexpr double kThird = 1.0 / 3.0;
// Text box of an East-Indian corner triangle, along its legs from the right
// angle: the two lengths add up to less than the legs' 1/3, so the box's
// far corner stays inside the hypotenuse. Nearly square, about the largest
// upright box such a triangle holds (the square of half the legs), a little
// wider than tall since a cell's lines are wider than their stack is tall:
// room for the sign's label and three lines under it.
constexpr double kTriangleAcross = 0.172;
constexpr double kTriangleDown = 0.160;

UnitBox Square(double x, double y, double side) {
  return {x, y, side, side};
}

std::vector<UnitPoint> Outline(const UnitBox& b) {
  return {{b.x, b.y}, {b.x + b.width, b.y}, {b.x + b.width, b.y + b.height}, {b.x, b.y + b.height}};
}

// Label strip along the top of a square cell, text box below it.
void SquareCell(ChartCellShape& cell, const UnitBox& square) {
  cell.outline = Outline(square);
  cell.labelBox = {square.x + kInset, square.y + kInset / 2, square.width - 2 * kInset,
                   kLabelStrip};
  const double top = square.y + kInset / 2 + kLabelStrip;
  cell.textBox = {square.x + kInset, top, square.width - 2 * kInset,
                  square.y + square.height - kInset - top};
}

// A corner triangle of the East-Indian chart, whose right angle stands at
// `corner` and whose legs run a third of the side in directions `dx` and
// `dy` (+1 or -1): the label strip and text box lie in the right angle.
void TriangleCell(ChartCellShape& cell, UnitPoint corner, double dx, double dy) {
  cell.outline = {corner, {corner.x + dx * kThird, corner.y}, {corner.x, corner.y + dy * kThird}};
  const double x0 = corner.x + dx * kInset;
  const double x1 = corner.x + dx * kTriangleAcross;
  const double y0 = corner.y + dy * kInset / 2;
  const double y1 = corner.y + dy * kTriangleDown;
  const UnitBox box{std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0), std::abs(y1 - y0)};
  cell.labelBox = {box.x, box.y, box.width, kLabelStrip};
  cell.textBox = {box.x, box.y + kLabelStrip, box.width, box.height - kLabelStrip};
}

// The North-Indian houses 1..12: outline, the point by the inner corner
// where the sign number stands, and the text box.
struct NorthHouse {
  std::array<UnitPoint, 4> outline;
  int corners;  // 4 for a diamond, 3 for a triangle
  UnitPoint number;
  UnitBox text;
};
// The square's corners, the midpoints of its sides, the centre, and the
// four points where the diagonals cross the diamond.
constexpr UnitPoint kTopLeft{0, 0}, kTopRight{1, 0}, kBottomRight{1, 1}, kBottomLeft{0, 1};
constexpr UnitPoint kTop{0.5, 0}, kLeft{0, 0.5}, kBottom{0.5, 1}, kRight{1, 0.5};
constexpr UnitPoint kCentre{0.5, 0.5};
constexpr UnitPoint kInnerTopLeft{0.25, 0.25}, kInnerTopRight{0.75, 0.25};
constexpr UnitPoint kInnerBottomLeft{0.25, 0.75}, kInnerBottomRight{0.75, 0.75};
// House 1 the top diamond, then counter-clockwise. The diamonds' text boxes
// are 0.3 x 0.2 about their centres (half-width plus half-height within the
// half-diagonal 0.25); a triangle's box stands on its side of the square,
// its far corners within the triangle's other two sides.
constexpr std::array<NorthHouse, kSignCount> kNorthHouses = {{
    {{kTop, kInnerTopRight, kCentre, kInnerTopLeft}, 4, {0.5, 0.42}, {0.35, 0.14, 0.3, 0.2}},
    {{kTopLeft, kTop, kInnerTopLeft, {}}, 3, {0.25, 0.185}, {0.11, 0.004, 0.28, 0.105}},
    {{kTopLeft, kInnerTopLeft, kLeft, {}}, 3, {0.18, 0.25}, {0.008, 0.14, 0.13, 0.22}},
    {{kLeft, kInnerTopLeft, kCentre, kInnerBottomLeft}, 4, {0.44, 0.5}, {0.09, 0.4, 0.3, 0.2}},
    {{kLeft, kInnerBottomLeft, kBottomLeft, {}}, 3, {0.18, 0.75}, {0.008, 0.64, 0.13, 0.22}},
    {{kBottomLeft, kInnerBottomLeft, kBottom, {}}, 3, {0.25, 0.815}, {0.11, 0.891, 0.28, 0.105}},
    {{kBottom, kInnerBottomLeft, kCentre, kInnerBottomRight},
     4,
     {0.5, 0.58},
     {0.35, 0.66, 0.3, 0.2}},
    {{kBottom, kInnerBottomRight, kBottomRight, {}}, 3, {0.75, 0.815}, {0.61, 0.891, 0.28, 0.105}},
    {{kBottomRight, kInnerBottomRight, kRight, {}}, 3, {0.82, 0.75}, {0.862, 0.64, 0.13, 0.22}},
    {{kRight, kInnerBottomRight, kCentre, kInnerTopRight}, 4, {0.56, 0.5}, {0.61, 0.4, 0.3, 0.2}},
    {{kRight, kInnerTopRight, kTopRight, {}}, 3, {0.82, 0.25}, {0.862, 0.14, 0.13, 0.22}},
    {{kTopRight, kInnerTopRight, kTop, {}}, 3, {0.75, 0.185}, {0.61, 0.004, 0.28, 0.105}},
}};

// The East-Indian cells, Aries first: a middle square (its top-left
// corner) or a corner triangle (its right angle and the legs' directions).
struct EastCell {
  bool square;
  UnitPoint at;
  double dx, dy;
};
constexpr std::array<EastCell, kSignCount> kEastCells = {{
    {true, {kThird, 0}, 0, 0},           // Aries: top middle
    {false, {kThird, 0}, -1, +1},        // Taurus: top-left corner, by the top edge
    {false, {0, kThird}, +1, -1},        // Gemini: top-left corner, by the left edge
    {true, {0, kThird}, 0, 0},           // Cancer: left middle
    {false, {0, 2 * kThird}, +1, +1},    // Leo: bottom-left corner, by the left edge
    {false, {kThird, 1}, -1, -1},        // Virgo: bottom-left corner, by the bottom edge
    {true, {kThird, 2 * kThird}, 0, 0},  // Libra: bottom middle
    {false, {2 * kThird, 1}, +1, -1},    // Scorpio: bottom-right corner, by the bottom edge
    {false, {1, 2 * kThird}, -1, +1},    // Sagittarius: bottom-right corner, by the right edge
    {true, {2 * kThird, kThird}, 0, 0},  // Capricorn: right middle
    {false, {1, kThird}, -1, -1},        // Aquarius: top-right corner, by the right edge
    {false, {2 * kThird, 0}, +1, +1},    // Pisces: top-right corner, by the top edge
}};

int HouseOf(int sign, int ascSign) {
  return (sign - ascSign + 2 * kSignCount) % kSignCount + 1;
}

std::string SignName(int sign, NameScript script) {
  if (script == NameScript::English) {
    return std::string(SignRows()[static_cast<std::size_t>(sign)].EnglishName);
  }
  return std::string(SignNameIn(script, sign));
}

// True for a code point that joins the letter before it rather than
// standing beside it. The Indic blocks U+0900..U+0DFF share one layout:
// each block's signs for candrabindu, anusvara and visarga (offsets 0..3),
// nukta (0x3C), the dependent vowels and virama (0x3E..0x4D, their length
// marks to 0x57) and the vocalic vowel signs (0x62, 0x63).
bool JoinsPrevious(char32_t c) {
  if (c >= 0x0300 && c <= 0x036F) return true;  // combining diacritical marks
  if (c == 0x200C || c == 0x200D) return true;  // zero-width non-joiner, joiner
  if (c < 0x0900 || c > 0x0DFF) return false;
  const unsigned offset = static_cast<unsigned>(c) & 0x7Fu;
  return offset <= 0x03 || offset == 0x3C || (offset >= 0x3E && offset <= 0x57) || offset == 0x62 ||
         offset == 0x63;
}

}  // namespace

std::string_view ChartStyleKey(ChartStyle style) {
  switch (style) {
    case ChartStyle::SouthIndian:
      return "south-indian";
    case ChartStyle::NorthIndian:
      return "north-indian";
    case ChartStyle::EastIndian:
      return "east-indian";
  }
  return "south-indian";
}

std::optional<ChartStyle> ChartStyleOfKey(std::string_view key) {
  for (const ChartStyle style : kChartStyles) {
    if (ChartStyleKey(style) == key) return style;
  }
  return std::nullopt;
}

std::string_view ChartStyleCaption(ChartStyle style) {
  switch (style) {
    case ChartStyle::SouthIndian:
      return "South Indian";
    case ChartStyle::NorthIndian:
      return "North Indian";
    case ChartStyle::EastIndian:
      return "East Indian";
  }
  return "South Indian";
}

std::array<ChartCellShape, kSignCount> ChartCells(ChartStyle style, int ascSign) {
  ascSign = std::clamp(ascSign, 0, kSignCount - 1);
  std::array<ChartCellShape, kSignCount> cells;
  for (int sign = 0; sign < kSignCount; ++sign) {
    ChartCellShape& cell = cells[static_cast<std::size_t>(sign)];
    cell.sign = sign;
    cell.house = HouseOf(sign, ascSign);
    switch (style) {
      case ChartStyle::SouthIndian: {
        const ChartCell at = CellOfSign(sign);
        SquareCell(cell, Square(at.column * 0.25, at.row * 0.25, 0.25));
        break;
      }
      case ChartStyle::EastIndian: {
        const EastCell& east = kEastCells[static_cast<std::size_t>(sign)];
        if (east.square) {
          SquareCell(cell, Square(east.at.x, east.at.y, kThird));
        } else {
          TriangleCell(cell, east.at, east.dx, east.dy);
        }
        break;
      }
      case ChartStyle::NorthIndian: {
        const NorthHouse& house = kNorthHouses[static_cast<std::size_t>(cell.house - 1)];
        cell.outline.assign(house.outline.begin(), house.outline.begin() + house.corners);
        cell.labelBox = {house.number.x - kNumberBoxWidth / 2,
                         house.number.y - kNumberBoxHeight / 2, kNumberBoxWidth, kNumberBoxHeight};
        cell.textBox = house.text;
        break;
      }
    }
  }
  return cells;
}

namespace {

// The best of FitCellText's arrangements of `bodies`.
FittedCellText FitBodies(const ChartCellTexts& texts, const std::vector<std::string>& bodies,
                         const UnitBox& box, double largest) {
  FittedCellText best;
  best.size = -1;
  const std::size_t count = bodies.size();
  const auto consider = [&](FittedCellText trial) {
    std::size_t longest = 0;
    for (const CellLine& line : trial.lines) {
      longest = std::max(longest, WidthInLetters(line.text));
    }
    trial.size = FittingTextSize(box, trial.lines.size(), longest, largest);
    // More lines only where that lets the text grow.
    if (trial.size > best.size) best = std::move(trial);
  };
  const auto withMark = [&] {
    FittedCellText trial;
    if (texts.induLagna) trial.lines.push_back({std::string(kInduLagnaMark), true});
    return trial;
  };
  for (std::size_t perLine = 1; perLine <= 3; ++perLine) {
    FittedCellText trial = withMark();
    for (std::size_t i = 0; i < count; i += perLine) {
      std::string line;
      for (std::size_t k = i; k < std::min(count, i + perLine); ++k) {
        if (k > i) line += "  ";
        line += bodies[k];
      }
      trial.lines.push_back({line, false});
    }
    consider(std::move(trial));
    if (perLine >= count) break;
  }
  // A narrow cell (a North-Indian side triangle) stacks a retrograde body's
  // mark under its name rather than shrinking the text to the longer label.
  FittedCellText stacked = withMark();
  bool split = false;
  for (const std::string& body : bodies) {
    const std::size_t at =
        body.size() >= kRetroMark.size() ? body.size() - kRetroMark.size() : std::string::npos;
    if (at != std::string::npos && at > 0 && std::string_view(body).substr(at) == kRetroMark) {
      stacked.lines.push_back({body.substr(0, at), false});
      stacked.lines.push_back({std::string(kRetroMark.substr(1)), false});
      split = true;
    } else {
      stacked.lines.push_back({body, false});
    }
  }
  if (split) consider(std::move(stacked));
  return best;
}

}  // namespace

FittedCellText FitCellText(const ChartCellTexts& texts, const UnitBox& box, double largest,
                           double legible) {
  FittedCellText best = FitBodies(texts, texts.bodies, box, largest);
  if (best.size < legible && texts.shortBodies.size() == texts.bodies.size() &&
      !texts.bodies.empty()) {
    FittedCellText shorter = FitBodies(texts, texts.shortBodies, box, largest);
    if (shorter.size > best.size) best = std::move(shorter);
  }
  return best;
}

namespace {
// Counts the characters side by side, Indic letters `indicWeight` each.
std::size_t CountLetters(std::string_view text, std::size_t indicWeight) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t n = 1;
    char32_t c = lead;
    if (lead >= 0xF0) {
      n = 4;
      c = lead & 0x07u;
    } else if (lead >= 0xE0) {
      n = 3;
      c = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
      n = 2;
      c = lead & 0x1Fu;
    }
    std::size_t k = 1;
    for (; k < n && i + k < text.size(); ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0u) != 0x80u) break;
      c = (c << 6) | (b & 0x3Fu);
    }
    // A sequence cut short counts its lead byte alone; a stray continuation
    // byte counts nothing.
    if (k < n) {
      n = 1;
      c = 0xFFFD;
    }
    if ((lead & 0xC0u) != 0x80u && !JoinsPrevious(c)) {
      length += c >= 0x0900 && c <= 0x0DFF ? indicWeight : 1;
    }
    i += n;
  }
  return length;
}
}  // namespace

std::size_t TextLength(std::string_view text) {
  return CountLetters(text, 1);
}

std::size_t WidthInLetters(std::string_view text) {
  return CountLetters(text, 2);
}

std::optional<InduLagnaCount> NavamsaInduLagna(const ChartOutput& chart) {
  if (!chart.induLagna) return std::nullopt;
  return CountInduLagna(chart.bodies[Asc].navamsaSign, chart.bodies[Moon].navamsaSign,
                        chart.induLagna->rule);
}

ChartDrawing DrawChart(const ChartOutput& chart, ChartKind kind, ChartStyle style,
                       const NameChoice& names) {
  ChartDrawing d;
  d.style = style;
  d.kind = kind;
  const bool navamsa = kind == ChartKind::Navamsa;
  const auto signOf = [&](int body) {
    const BodyPosition& p = chart.bodies[static_cast<std::size_t>(body)];
    return navamsa ? p.navamsaSign : p.sign;
  };
  const int ascSign = signOf(Asc);
  d.cells = ChartCells(style, std::max(ascSign, 0));
  d.title = navamsa ? "Navamsa (D9)" : "Rasi (birth chart)";
  const std::optional<InduLagnaCount> induLagna =
      navamsa ? NavamsaInduLagna(chart) : chart.induLagna;
  if (induLagna) {
    d.induLagnaLine = navamsa ? "Navamsa IL: " : "IL: ";
    d.induLagnaLine += SignName(induLagna->sign, names.script);
  }
  for (int sign = 0; sign < kSignCount; ++sign) {
    ChartCellTexts& t = d.texts[static_cast<std::size_t>(sign)];
    t.signLabel = std::to_string(sign + 1);
    if (style != ChartStyle::NorthIndian) {
      std::string label(SignShortIn(names.script, sign));
      label += ' ';
      label += t.signLabel;
      t.signLabel = std::move(label);
    }
    t.induLagna = induLagna && induLagna->sign == sign;
    t.ascendant = ascSign == sign;
  }
  for (int body = 0; body < kBodyCount; ++body) {
    const int sign = signOf(body);
    if (sign < 0 || sign >= kSignCount) continue;
    ChartCellTexts& t = d.texts[static_cast<std::size_t>(sign)];
    t.bodies.push_back(BodyLabel(chart, body, names, !navamsa));
    t.shortBodies.push_back(BodyShortLabel(chart, body, names, !navamsa));
  }
  d.ascendantLabel = BodyLabel(chart, Asc, names, !navamsa);
  d.ascendantShortLabel = BodyShortLabel(chart, Asc, names, !navamsa);
  return d;
}

std::vector<std::string> ChartLegend(ChartStyle style, const NameChoice& names) {
  std::vector<std::string> lines(kLegendTexts.begin(), kLegendTexts.begin() + 2);
  std::string ascendant(names.twoLetterLabels ? BodyShortIn(names.script, Asc)
                                              : BodyNameIn(names.script, Asc));
  ascendant += " = ascendant";
  lines.push_back(std::move(ascendant));
  if (style == ChartStyle::NorthIndian) lines.emplace_back("House 1 (top) holds the ascendant");
  lines.emplace_back("The numbers are sign numbers (Aries 1 \u2026 Pisces 12)");
  lines.emplace_back("Navamsa IL = the Indu Lagna of the Navamsa's ascendant and Moon");
  return lines;
}

double FittingTextSize(const UnitBox& box, std::size_t lines, std::size_t longestChars,
                       double largest) {
  double size = largest;
  if (lines > 0) size = std::min(size, box.height / (1.2 * static_cast<double>(lines)));
  if (longestChars > 0) {
    size = std::min(size, box.width / (0.62 * static_cast<double>(longestChars)));
  }
  return size;
}

}  // namespace orvanta
