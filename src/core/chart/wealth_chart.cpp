#include "chart/wealth_chart.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "chart/dasha_chart.h"
#include "engine/planets.h"

namespace orvanta {

namespace {

using wealth::Dignity;
using wealth::Nature;

constexpr std::array<std::string_view, kSignCount> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

std::string Ordinal(int n) {
  std::string text = std::to_string(n);
  if (n == 1) return text + "st";
  if (n == 2) return text + "nd";
  if (n == 3) return text + "rd";
  return text + "th";
}

// "the Sun", "the Moon", "Mars"; in another script the body's name alone.
std::string Named(int body, NameScript script) {
  if (script != NameScript::English) return std::string(BodyNameIn(script, body));
  const std::string name(BodyName(body));
  return body == Sun || body == Moon ? "the " + name : name;
}

// A sign's name in the reading: SignName in English, else the script's.
std::string ScriptSign(NameScript script, int sign) {
  if (script == NameScript::English) return std::string(SignName(sign));
  return std::string(SignNameIn(script, sign));
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] == 't') text[0] = 'T';
  return text;
}

// "12°34' Leo": whole degrees and minutes within the sign, truncated.
std::string LongitudeText(const wealth::SpecialLagna& l, NameScript script) {
  const double within = l.longitudeDeg - 30.0 * l.sign;
  const int deg = std::clamp(static_cast<int>(std::floor(within)), 0, 29);
  const int min = std::clamp(static_cast<int>(std::floor((within - deg) * 60.0)), 0, 59);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%02d°%02d' ", deg, min);
  return std::string(buffer) + ScriptSign(script, l.sign);
}

std::string ListOf(const std::vector<int>& bodies, NameScript script) {
  if (bodies.empty()) return "none";
  std::string text;
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    if (i > 0) text += i + 1 == bodies.size() ? " and " : ", ";
    text += Named(bodies[i], script);
  }
  return text;
}

std::string DignityPhrase(std::optional<Dignity> d) {
  if (!d) return "";
  switch (*d) {
    case Dignity::Exalted:
      return "exalted";
    case Dignity::Debilitated:
      return "debilitated";
    case Dignity::Own:
      return "in its own sign";
    case Dignity::Friend:
      return "in a friend's sign";
    case Dignity::Neutral:
      return "in a neutral sign";
    case Dignity::Enemy:
      return "in an enemy's sign";
  }
  return "";
}

std::string OccupantLine(const wealth::Occupant& o, NameScript script) {
  const std::string name = Named(o.body, script);
  std::string line = Capitalised(name);
  if (o.body == Moon) {
    line +=
        o.nature == Nature::Benefic ? ", waxing and so a benefic," : ", waning and so a malefic,";
  } else {
    line += o.nature == Nature::Benefic ? ", a natural benefic," : ", a natural malefic,";
  }
  if (o.dignity) line += " " + DignityPhrase(o.dignity) + ",";
  line += " stands in the Indu Lagna: classically ";
  if (o.nature == Nature::Benefic) {
    line += "a mark of great wealth";
  } else if (o.dignity == Dignity::Exalted) {
    line += "a mark of wealth that comes late";
  } else {
    line += "a mark of modest wealth";
  }
  return line + ", most in " + name + "'s periods.";
}

// The aspect line, with the house from the aspecting body in which the
// Indu Lagna falls.
std::string AspectLine(const wealth::WealthReading& r, int body, NameScript script) {
  std::string line = Capitalised(Named(body, script));
  line += " aspects the Indu Lagna";
  if (const auto h = r.housesFromInduLagna[static_cast<std::size_t>(body)]) {
    const int bodySign = (r.induLagnaSign + *h - 1) % kSignCount;
    if (const auto house = wealth::HouseFrom(bodySign, r.induLagnaSign)) {
      line += " with its " + Ordinal(*house) + "-house aspect";
    }
  }
  return line + ": classically its periods bring wealth after its nature.";
}

std::vector<int> BodiesInClass(const wealth::WealthReading& r, wealth::HouseClass c) {
  std::vector<int> bodies;
  for (int b = Sun; b <= Ketu; ++b) {
    const auto h = r.housesFromInduLagna[static_cast<std::size_t>(b)];
    if (h && *h != 1 && wealth::ClassOfHouse(*h).value_or(wealth::HouseClass::Wealth) == c) {
      bodies.push_back(b);
    }
  }
  return bodies;
}

}  // namespace

std::string_view BodyName(int body) {
  if (body < 0 || body >= kBodyCount) return "";
  return kChartLabelNames[static_cast<std::size_t>(body)];
}

std::string_view SignName(int sign) {
  if (sign < 0 || sign >= kSignCount) return "";
  return kSignNames[static_cast<std::size_t>(sign)];
}

std::optional<wealth::SunriseBasis> LastSunriseBasis(const ChartOutput& chart) {
  if (!chart.referenceSunrise || !chart.ElapsedSeconds) return std::nullopt;
  if (chart.reference != SunriseReference::NextSunrise) {
    return wealth::SunriseBasis{chart.SunriseSunLongitude, *chart.ElapsedSeconds};
  }
  // After sunset the hidden points count forward to the next sunrise; the
  // wealth lagnas count from the latest sunrise at or before the birth.
  const LocalDateTime birth = LocalMoment(chart.birth);
  std::optional<LocalDateTime> last;
  for (const RiseSetPair* day : {&chart.previousDay, &chart.day, &chart.nextDay}) {
    const auto& rise = (*day)[0];
    if (rise && *rise <= birth && (!last || *last < *rise)) last = rise;
  }
  if (!last) return std::nullopt;
  const SunAtMoment sun = SunriseSunPosition(PlanetMomentOf(chart.birth, Split(*last), chart.time));
  const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(birth - *last);
  return wealth::SunriseBasis{sun.sunLongitudeDeg, elapsed.count()};
}

wealth::WealthInput WealthInputOf(const ChartOutput& chart) {
  wealth::WealthInput in;
  for (std::size_t i = 0; i < chart.bodies.size(); ++i) {
    in.signs[i] = chart.bodies[i].sign;
    in.longitudesDeg[i] = chart.bodies[i].longitudeDeg;
  }
  in.induLagnaSign = chart.induLagna ? chart.induLagna->sign : -1;
  in.sunrise = LastSunriseBasis(chart);
  return in;
}

std::optional<ChartWealth> WealthOf(const ChartOutput& chart) {
  auto reading = wealth::ReadWealth(WealthInputOf(chart));
  if (!reading) return std::nullopt;
  ChartWealth w;
  w.reading = std::move(*reading);
  w.marks = wealth::LordMarks(w.reading);
  if (const auto v = DashaOf(chart)) w.periods = wealth::WealthPeriods(w.marks, *v);
  return w;
}

std::vector<SpecialLagnaMark> SpecialLagnaMarks(const wealth::WealthReading& r) {
  std::vector<SpecialLagnaMark> marks;
  const auto add = [&marks](std::string_view mark, std::string_view name, std::optional<int> sign) {
    if (sign) marks.push_back({mark, name, *sign});
  };
  const auto signOf = [](const std::optional<wealth::SpecialLagna>& l) {
    return l ? std::optional<int>(l->sign) : std::nullopt;
  };
  add("HL", "Hora Lagna", signOf(r.hora));
  add("GL", "Ghati Lagna", signOf(r.ghati));
  add("BL", "Bhava Lagna", signOf(r.bhava));
  add("SL", "Sree Lagna", signOf(r.sree));
  add("AL", "Arudha Lagna", r.arudhaLagna);
  add("A2", "Arudha of the 2nd house", r.a2);
  add("A11", "Arudha of the 11th house", r.a11);
  return marks;
}

void AddSpecialLagnaMarks(ChartDrawing& drawing, const ChartOutput& chart) {
  const auto w = wealth::ReadWealth(WealthInputOf(chart));
  if (!w) return;
  std::array<std::string, kSignCount> cells;
  const auto add = [&cells](int sign, std::string_view mark) {
    if (sign < 0 || sign >= kSignCount) return;
    std::string& cell = cells[static_cast<std::size_t>(sign)];
    if (!cell.empty()) cell += ' ';
    cell += mark;
  };
  if (drawing.kind == ChartKind::Rasi) {
    for (const SpecialLagnaMark& m : SpecialLagnaMarks(*w)) add(m.sign, m.mark);
  } else {
    const std::pair<std::string_view, const std::optional<wealth::SpecialLagna>*> lagnas[] = {
        {"HL", &w->hora}, {"GL", &w->ghati}, {"BL", &w->bhava}, {"SL", &w->sree}};
    for (const auto& [mark, lagna] : lagnas) {
      if (*lagna) add(PositionOf((*lagna)->longitudeDeg).navamsaSign, mark);
    }
  }
  for (std::size_t s = 0; s < cells.size(); ++s) {
    if (cells[s].empty()) continue;
    // The marks are two letters already: the same line among the short labels.
    ChartCellTexts& texts = drawing.texts[s];
    texts.bodies.push_back(cells[s]);
    if (!texts.shortBodies.empty()) texts.shortBodies.push_back(cells[s]);
  }
}

std::vector<std::string> WealthReadingLines(const ChartWealth& w, NameScript script) {
  const wealth::WealthReading& r = w.reading;
  std::vector<std::string> lines;
  std::string lord = "The Indu Lagna stands in " + ScriptSign(script, r.induLagnaSign) +
                     "; its lord " + Named(r.lord, script);
  if (r.lordSign >= 0) {
    lord += " stands in " + ScriptSign(script, r.lordSign);
    if (r.lordHouseFromAscendant)
      lord += ", the " + Ordinal(*r.lordHouseFromAscendant) + " house from the ascendant";
    if (r.lordHouseFromInduLagna == 1) {
      lord += ", in the Indu Lagna itself";
    } else if (r.lordHouseFromInduLagna) {
      lord += " and the " + Ordinal(*r.lordHouseFromInduLagna) + " from the Indu Lagna";
    }
    if (r.lordDignity) lord += ", " + DignityPhrase(r.lordDignity);
    const bool strong = r.lordDignity == Dignity::Exalted || r.lordDignity == Dignity::Own ||
                        r.lordDignity == Dignity::Friend;
    const bool weak = r.lordDignity == Dignity::Debilitated || r.lordDignity == Dignity::Enemy;
    // The lord in the 3rd, 6th, 8th or 12th from the Indu Lagna.
    const int fromIl = r.lordHouseFromInduLagna.value_or(0);
    const bool badHouse = fromIl == 3 || fromIl == 6 || fromIl == 8 || fromIl == 12;
    lord += ": classically ";
    if (strong && !badHouse) {
      lord += "a strong lord, which upholds what the Indu Lagna promises.";
    } else if (weak || badHouse) {
      lord +=
          "a lord weakened by its sign or its house, which lessens what the Indu Lagna promises.";
    } else {
      lord += "a lord of middling strength.";
    }
  } else {
    lord += " has no sign in this chart.";
  }
  lines.push_back(lord);

  for (const wealth::Occupant& o : r.occupants) lines.push_back(OccupantLine(o, script));
  if (r.occupants.empty()) {
    if (r.aspectedBy.empty()) {
      lines.push_back(
          "The Indu Lagna is empty and unaspected: classically its lord alone carries the "
          "reading.");
    } else {
      lines.push_back(
          "The Indu Lagna is empty: classically the planets aspecting it speak for it.");
    }
  }
  for (const int b : r.aspectedBy) lines.push_back(AspectLine(r, b, script));

  lines.push_back("In the angles and trines from the Indu Lagna (wealth in their periods): " +
                  ListOf(BodiesInClass(r, wealth::HouseClass::Gives), script) + ".");
  lines.push_back("In its 3rd, 6th, 8th and 12th (losses in their periods): " +
                  ListOf(BodiesInClass(r, wealth::HouseClass::Costs), script) + ".");
  lines.push_back("In its 2nd and 11th, the houses of wealth: " +
                  ListOf(BodiesInClass(r, wealth::HouseClass::Wealth), script) + ".");

  if (r.hora && r.ghati && r.bhava) {
    lines.push_back("Hora Lagna (HL, wealth): " + LongitudeText(*r.hora, script) + ".");
    lines.push_back("Ghati Lagna (GL, power): " + LongitudeText(*r.ghati, script) + ".");
    lines.push_back("Bhava Lagna (BL): " + LongitudeText(*r.bhava, script) + ".");
  } else {
    lines.push_back(
        "Hora, Ghati and Bhava Lagnas: none, the Sun did not rise before the birth on that day at "
        "this place.");
  }
  if (r.sree)
    lines.push_back("Sree Lagna (SL, prosperity): " + LongitudeText(*r.sree, script) + ".");
  if (r.arudhaLagna) {
    lines.push_back("Arudha Lagna (AL): " + ScriptSign(script, *r.arudhaLagna) +
                    "; in the 2nd from it: " + ListOf(r.secondFromArudha, script) +
                    "; in the 11th from it: " + ListOf(r.eleventhFromArudha, script) + ".");
  }
  if (r.a2) lines.push_back("Arudha of the 2nd house (A2): " + ScriptSign(script, *r.a2) + ".");
  if (r.a11) {
    lines.push_back("Arudha of the 11th house (A11): " + ScriptSign(script, *r.a11) + ".");
  }
  return lines;
}

std::vector<std::string> WealthLegendLines() {
  return {
      "Aspects by whole signs: every planet the 7th, Mars also the 4th and 8th, Jupiter the 5th "
      "and 9th, Saturn the 3rd and 10th; Rahu and Ketu the 7th only.",
      "Scorpio's lord is Mars and Aquarius's Saturn, the single classical lords.",
      "No dignity is given for Rahu and Ketu: the traditions differ on their signs.",
      "The Moon is a benefic while waxing (0-180 degrees from the Sun); Mercury unless it shares "
      "a sign with the Sun, Mars, Saturn, Rahu or Ketu.",
      "The Hora, Ghati and Bhava Lagnas move from the Sun at the last sunrise before the birth "
      "(the program's own sunrise) at 0.5, 1.25 and 0.25 degrees per minute.",
  };
}

std::string PeriodName(const dasha::Period& p, NameScript script) {
  if (p.level == 1) return std::string(LordNameIn(script, p.lord())) + " mahadasha";
  std::string name(LordNameIn(script, p.path[0]));
  name += '-';
  name += LordNameIn(script, p.lord());
  return name + " antardasha";
}

void AppendWealthReport(std::string& out, const ChartOutput& chart, NameScript script) {
  out += kWealthHeading;
  out += '\n';
  const std::optional<ChartWealth> w = WealthOf(chart);
  if (!w) {
    out += "  No Indu Lagna, so no wealth reading.\n";
    return;
  }
  for (const std::string& line : WealthReadingLines(*w, script)) out += "  " + line + '\n';
  out += "\n  Periods that give or cost\n";
  if (w->periods.empty()) out += "    none\n";
  for (const wealth::WealthPeriod& p : w->periods) {
    out.append(p.period.level == 1 ? 4 : 6, ' ');
    std::string name = PeriodName(p.period, script);
    out += name;
    const std::size_t length = TextLength(name);
    if (length < 30) out.append(30 - length, ' ');
    out += DateText(LocalDateOf(chart.birth, p.period.start));
    out += "  ";
    out += DateText(LocalDateOf(chart.birth, p.period.end));
    out += "  ";
    out += wealth::EffectName(p.effect);
    out += ": ";
    for (std::size_t i = 0; i < p.why.size(); ++i) {
      if (i > 0) out += "; ";
      out += wealth::ReasonText(p.why[i]);
    }
    out += '\n';
  }
  out += "\n  " + std::string(kLegendHeading) + '\n';
  for (const std::string& line : WealthLegendLines()) out += "    " + line + '\n';
}

}  // namespace orvanta
