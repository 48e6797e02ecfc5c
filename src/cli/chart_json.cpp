#include "cli/chart_json.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "chart/explanation.h"
#include "chart/positions.h"
#include "cli/json.h"
#include "cli/render.h"
#include "cli/wealth_json.h"

namespace orvanta::cli {

namespace {

// Plain member names of the sign's attributes, in SignAttribute order.
constexpr std::array<std::string_view, kAttributeCount> kAttributeKeys = {
    "sign",
    "vedicName",
    "englishName",
    "rulingPlanet",
    "symbol",
    "element",
    "color",
    "signType",
    "gender",
    "bestPeriodOfActivity",
    "barren",
    "caste",
    "position",
    "constituentCharacter",
    "luckyDays",
    "luckyNumbers",
    "bestDirection",
    "luckyColors",
    "luckyGemstone",
    "partOfTheBody",
    "physique",
    "looks",
    "nature",
    "careerAndFinance",
    "loveAndDomesticLife",
    "health",
    "compatibleWith",
    "notCompatibleWith",
};

// Plain member names of the birth details, in kDetailCaptions order.
constexpr std::array<std::string_view, kDetailCaptions.size()> kDetailKeys = {
    "dateOfBirth", "timeOfBirth", "longitude", "latitude", "city", "state", "country"};

constexpr std::array<std::string_view, kBodyCount> kBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Ascendant"};

std::string_view FocusName(FormField field) {
  switch (field) {
    case FormField::Name:
      return "name";
    case FormField::City:
      return "city";
    case FormField::State:
      return "state";
    case FormField::Country:
      return "country";
    case FormField::LonDegrees:
      return "longitudeDegrees";
    case FormField::LonMinutes:
      return "longitudeMinutes";
    case FormField::LatDegrees:
      return "latitudeDegrees";
    case FormField::LatMinutes:
      return "latitudeMinutes";
    case FormField::Day:
      return "day";
    case FormField::Hour:
      return "hour";
    case FormField::Minute:
      return "minute";
    case FormField::Second:
      return "second";
  }
  return "";
}

std::string_view RuleName(InduLagnaRule rule) {
  return rule == InduLagnaRule::FromAscendantVenus10 ? "from-ascendant-venus-10"
                                                     : "from-moon-venus-12";
}

void AppendSignName(std::string& out, int sign) {
  if (sign < 0 || sign >= kSignCount) {
    out += "null";
    return;
  }
  AppendJsonString(out, SignRows()[static_cast<std::size_t>(sign)].EnglishName);
}

void AppendSignOrNull(JsonObject& o, std::string_view name, int sign) {
  AppendSignName(o.Key(name), sign);
}

void AppendPosition(std::string& out, std::string_view name, const BodyPosition& p) {
  JsonObject o(out);
  o.String("name", name);
  o.Number("longitudeDeg", p.longitudeDeg);
  AppendSignOrNull(o, "sign", p.sign);
  if (p.sign >= 0) {
    o.Number("degreesInSign", std::fabs(p.longitudeDeg) - 30.0 * p.sign);
    o.Integer("degrees", p.degrees);
    o.Integer("minutes", p.minutes);
    o.String("nakshatra", kNakshatraNames[static_cast<std::size_t>(p.nakshatra)]);
    o.Integer("pada", p.pada);
    AppendSignOrNull(o, "navamsaSign", p.navamsaSign);
  } else {
    o.Null("degreesInSign");
    o.Null("degrees");
    o.Null("minutes");
    o.Null("nakshatra");
    o.Null("pada");
    o.Null("navamsaSign");
  }
  o.Bool("retrograde", p.retrograde);
  o.String("text", PositionText(p));
  o.Close();
}

void AppendTime(std::string& out, const std::optional<LocalDateTime>& t) {
  if (t) {
    AppendIsoMinuteJson(out, *t);
  } else {
    out += "null";
  }
}

void AppendDay(std::string& out, const RiseSetPair& day) {
  JsonObject o(out);
  AppendTime(o.Key("sunrise"), day[0]);
  AppendTime(o.Key("sunset"), day[1]);
  o.Close();
}

std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

void AppendBirth(std::string& out, const ChartOutput& chart, const PlaceReport* report) {
  const Birth& b = chart.birth;
  const CivilTime& local = b.local;
  JsonObject o(out);
  o.String("date",
           std::to_string(local.year) + "-" + TwoDigits(local.month) + "-" + TwoDigits(local.day));
  o.String("time",
           TwoDigits(local.hour) + ":" + TwoDigits(local.minute) + ":" + TwoDigits(local.second));
  o.String("city", b.city);
  o.String("state", b.state);
  o.String("country", b.country);
  o.Number("latitudeDeg", LatitudeDeg(b.position));
  o.Number("longitudeDeg", LongitudeDeg(b.position));
  JsonObject zone(o.Key("zone"));
  zone.Integer("offsetMinutes", OffsetSecondsOfShift(LegacyZoneShift(b.clock)) / 60);
  zone.Integer("offsetSeconds", b.clock.offsetSeconds);
  zone.Bool("summerTimeTick", b.clock.daylightTick);
  const bool resolved = report != nullptr && report->zone.has_value();
  if (resolved) {
    zone.String("tzName", report->zone->zoneName);
    zone.Bool("summerTime", report->zone->reading.summerTime);
    zone.String("abbreviation", report->zone->reading.abbreviation);
  } else {
    zone.Null("tzName");
    zone.Null("summerTime");
    zone.Null("abbreviation");
  }
  zone.Close();
  o.Close();
}

void AppendInduLagna(std::string& out, const ChartOutput& chart) {
  if (!chart.induLagna) {
    out += "null";
    return;
  }
  const InduLagnaCount& c = *chart.induLagna;
  JsonObject o(out);
  AppendSignOrNull(o, "sign", c.sign);
  o.String("rule", RuleName(c.rule));
  JsonObject steps(o.Key("steps"));
  AppendSignOrNull(steps, "ascendantSign", c.ascSign);
  AppendSignOrNull(steps, "ascendantNinthSign", c.ascNinthSign);
  steps.Integer("ascendantKala", c.ascKala);
  AppendSignOrNull(steps, "moonSign", c.moonSign);
  AppendSignOrNull(steps, "moonNinthSign", c.moonNinthSign);
  steps.Integer("moonKala", c.moonKala);
  steps.Integer("sum", c.sum);
  steps.Integer("remainder", c.remainder);
  AppendSignOrNull(steps, "countedFrom", c.startSign);
  steps.Close();
  // The other rule's sign, beside the one the chart follows.
  const std::optional<InduLagnaSteps> both = InduLagnaStepsFor(c.ascSign, c.moonSign, c.rule);
  JsonObject otherRule(o.Key("otherRule"));
  otherRule.String("rule", RuleName(both ? both->other.rule : InduLagnaRule::FromMoonVenus12));
  AppendSignOrNull(otherRule, "sign", both ? both->other.sign : -1);
  otherRule.Close();
  o.Close();
}

// The Indu Lagna of the Navamsa: the sign, the rule, and the navamsa signs
// of the ascendant and the Moon it was counted from.
void AppendNavamsaInduLagna(std::string& out, const ChartOutput& chart) {
  const std::optional<InduLagnaCount> c = NavamsaInduLagna(chart);
  if (!c) {
    out += "null";
    return;
  }
  JsonObject o(out);
  AppendSignOrNull(o, "sign", c->sign);
  o.String("rule", RuleName(c->rule));
  AppendSignOrNull(o, "ascendantSign", c->ascSign);
  AppendSignOrNull(o, "moonSign", c->moonSign);
  o.Close();
}

void AppendSunrise(std::string& out, const ChartOutput& chart) {
  JsonObject o(out);
  AppendDay(o.Key("previousDay"), chart.previousDay);
  AppendDay(o.Key("day"), chart.day);
  AppendDay(o.Key("nextDay"), chart.nextDay);
  switch (chart.reference) {
    case SunriseReference::DaySunrise:
      o.String("reference", "day");
      break;
    case SunriseReference::PreviousSunrise:
      o.String("reference", "previousDay");
      break;
    case SunriseReference::NextSunrise:
      o.String("reference", "nextDay");
      break;
    case SunriseReference::None:
      o.Null("reference");
      break;
  }
  AppendTime(o.Key("referenceSunrise"), chart.referenceSunrise);
  if (chart.ElapsedMinutes && chart.ElapsedSeconds) {
    o.Integer("elapsedMinutes", *chart.ElapsedMinutes);
    o.Integer("elapsedSeconds", *chart.ElapsedSeconds);
    AppendPosition(o.Key("sunAtSunrise"), "Sun", chart.sunriseSun);
  } else {
    o.Null("elapsedMinutes");
    o.Null("elapsedSeconds");
    o.Null("sunAtSunrise");
  }
  o.Close();
}

void AppendAttributeRow(std::string& out, const AttributeRow& row) {
  JsonObject o(out);
  for (const AttributeValue& v : row) {
    o.String(kAttributeKeys[static_cast<std::size_t>(v.attribute)], v.value);
  }
  o.Close();
}

// True when two rows are the same views of the same table texts.
bool SameRow(const AttributeRow& a, const AttributeRow& b) {
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].attribute != b[k].attribute || a[k].value.data() != b[k].value.data() ||
        a[k].value.size() != b[k].value.size()) {
      return false;
    }
  }
  return true;
}

// Each sign's row of the fixed tables as its JSON object, written once: a
// third of every chart's JSON, the same bytes for every chart of that sign.
struct AttributeObject {
  AttributeRow row;
  std::string json;
};

const std::array<std::optional<AttributeObject>, kSignCount>& AttributeObjects() {
  static const auto objects = [] {
    std::array<std::optional<AttributeObject>, kSignCount> all;
    for (int sign = 0; sign < kSignCount; ++sign) {
      if (const std::optional<AttributeRow> row = SignRowCopy(sign)) {
        AttributeObject& o = all[static_cast<std::size_t>(sign)].emplace();
        o.row = *row;
        AppendAttributeRow(o.json, *row);
      }
    }
    return all;
  }();
  return objects;
}

void AppendAttributes(std::string& out, const ChartOutput& chart) {
  if (!chart.attributes) {
    out += "null";
    return;
  }
  if (chart.induLagna && chart.induLagna->sign >= 0 && chart.induLagna->sign < kSignCount) {
    const auto& cached = AttributeObjects()[static_cast<std::size_t>(chart.induLagna->sign)];
    if (cached && SameRow(cached->row, *chart.attributes)) {
      out += cached->json;
      return;
    }
  }
  AppendAttributeRow(out, *chart.attributes);
}

void AppendTexts(std::string& out, const ChartOutput& chart) {
  JsonObject o(out);
  std::string& positions = o.Key("positions");
  positions += '[';
  for (int body = 0; body < kBodyCount; ++body) {
    if (body > 0) positions += ',';
    AppendJsonString(positions, PositionWithMark(chart, body));
  }
  positions += ']';
  // Each sign's bodies by their labels, in body order.
  std::string& cells = o.Key("signCells");
  cells += '[';
  for (int sign = 0; sign < kSignCount; ++sign) {
    if (sign > 0) cells += ',';
    cells += '[';
    bool first = true;
    for (int body = 0; body < kBodyCount; ++body) {
      if (chart.bodies[static_cast<std::size_t>(body)].sign != sign) continue;
      if (!first) cells += ',';
      first = false;
      AppendJsonString(cells, BodyLabel(chart, body));
    }
    cells += ']';
  }
  cells += ']';
  // Each sign's marks: "IL" where the Indu Lagna stands.
  std::string& marks = o.Key("marks");
  marks += '[';
  for (int sign = 0; sign < kSignCount; ++sign) {
    if (sign > 0) marks += ',';
    if (chart.induLagna && chart.induLagna->sign == sign) {
      marks += '[';
      AppendJsonString(marks, kInduLagnaMark);
      marks += ']';
    } else {
      marks += "[]";
    }
  }
  marks += ']';
  JsonObject details(o.Key("details"));
  const BirthDetailTexts texts = BirthDetailTextsOf(chart.birth);
  for (std::size_t k = 0; k < kDetailCaptions.size(); ++k) {
    details.String(kDetailKeys[k], texts.*kDetailCaptions[k].text);
  }
  details.Close();
  o.Close();
}

}  // namespace

void AppendUtcJson(std::string& out, dasha::UtSeconds instant) {
  char text[kUtcTextLength + 2];
  if (!PutUtcText(text + 1, instant)) {
    AppendJsonString(out, UtcText(instant));
    return;
  }
  text[0] = '"';
  text[kUtcTextLength + 1] = '"';
  out.append(text, sizeof text);
}

namespace {

// One period and its sub-periods down to `levels`.
void AppendPeriod(std::string& out, const dasha::Vimshottari& v, const dasha::Period& p,
                  int levels) {
  JsonObject o(out);
  o.String("lord", dasha::LordName(p.lord()));
  AppendUtcJson(o.Key("start"), p.start);
  AppendUtcJson(o.Key("end"), p.end);
  if (p.level < levels) {
    if (const auto subs = dasha::SubPeriods(v, p)) {
      std::string& list = o.Key("periods");
      list += '[';
      for (std::size_t i = 0; i < subs->size(); ++i) {
        if (i > 0) list += ',';
        AppendPeriod(list, v, (*subs)[i], levels);
      }
      list += ']';
    }
  }
  o.Close();
}

// "dasha": the Vimshottari periods; "dashaAt" with a date asked for; each
// when `withDasha`, `withDashaAt` choose it.
void AppendDasha(JsonObject& o, const ChartOutput& chart, const DashaRequest& request,
                 bool withDasha, bool withDashaAt) {
  if (!withDasha && !(withDashaAt && request.at)) return;
  const std::optional<dasha::Vimshottari> v = DashaOf(chart);
  if (!v) {
    if (withDasha) o.Null("dasha");
    return;
  }
  const int levels = std::clamp(request.levels, 1, dasha::kMaxLevel);
  if (withDasha) {
    JsonObject d(o.Key("dasha"));
    d.String("system", "vimshottari");
    d.Number("yearDays", dasha::YearDays(v->yearLength));
    d.Number("moonLongitudeDeg", v->moonLongitudeDeg);
    d.String("nakshatra", kNakshatraNames[static_cast<std::size_t>(v->nakshatra)]);
    d.Number("balanceYears", v->balanceYears);
    std::string& list = d.Key("periods");
    list += '[';
    const auto maha = dasha::Mahadashas(*v);
    for (std::size_t i = 0; i < maha.size(); ++i) {
      if (i > 0) list += ',';
      AppendPeriod(list, *v, maha[i], levels);
    }
    list += ']';
    d.Close();
  }
  if (!request.at || !withDashaAt) return;
  JsonObject at(o.Key("dashaAt"));
  at.String("date", DateText(*request.at));
  std::string& lords = at.Key("lords");
  lords += '[';
  const auto running = dasha::PeriodsAt(*v, StartOfLocalDate(chart.birth, *request.at), levels);
  for (std::size_t i = 0; i < running.size(); ++i) {
    if (i > 0) lords += ',';
    AppendJsonString(lords, dasha::LordName(running[i].lord()));
  }
  lords += ']';
  at.Close();
}

}  // namespace

std::optional<std::size_t> ChartSchemaMemberIndex(std::string_view name) {
  for (std::size_t k = 0; k < kChartSchemaMembers.size(); ++k) {
    if (kChartSchemaMembers[k] == name) return k;
  }
  return std::nullopt;
}

void AppendChartSchemaJson(std::string& out, const ChartOutput& chart, const PlaceReport* report,
                           ChartStyle style, const DashaRequest& dasha,
                           const ChartSchemaMembers& members, NameScript names) {
  // Whether the member at `k` of kChartSchemaMembers is written.
  const auto with = [&members](std::size_t k) { return members.test(k); };
  JsonObject o(out);
  if (with(0)) o.String("schema", kChartSchemaId);
  if (with(1)) o.String("name", chart.birth.name);
  if (with(2)) o.Bool("valid", true);
  if (with(3)) AppendBirth(o.Key("birth"), chart, report);
  if (with(4)) {
    JsonObject settings(o.Key("settings"));
    settings.String("ayanamsa", AyanamsaChoiceName(chart.settings.ayanamsa));
    settings.String("node", NodeChoiceName(chart.settings.node));
    settings.String("induLagnaRule", RuleName(chart.settings.induLagnaRule));
    settings.String("chartStyle", ChartStyleKey(style));
    // Only the choice: the members keep their English values.
    settings.String("names", NameScriptKey(names));
    settings.String("dashaYear", dasha::YearLengthName(chart.settings.dashaYear));
    settings.Close();
  }
  if (with(5)) {
    std::string& bodies = o.Key("bodies");
    bodies += '[';
    for (int body = Sun; body < Asc; ++body) {
      if (body > Sun) bodies += ',';
      AppendPosition(bodies, kBodyNames[static_cast<std::size_t>(body)],
                     chart.bodies[static_cast<std::size_t>(body)]);
    }
    bodies += ']';
  }
  if (with(6)) AppendPosition(o.Key("ascendant"), kBodyNames[Asc], chart.bodies[Asc]);
  if (with(7)) AppendInduLagna(o.Key("induLagna"), chart);
  if (with(8)) AppendNavamsaInduLagna(o.Key("navamsaInduLagna"), chart);
  if (with(9)) AppendSunrise(o.Key("sunrise"), chart);
  if (with(10)) AppendAttributes(o.Key("signAttributes"), chart);
  if (with(11)) AppendTexts(o.Key("texts"), chart);
  AppendDasha(o, chart, dasha, with(12), with(13));
  if (with(14)) AppendWealthJson(o.Key("wealth"), chart);
  o.Close();
}

void AppendRefusalSchemaJson(std::string& out, std::string_view name, const Refusal& refusal) {
  JsonObject o(out);
  o.String("schema", kChartSchemaId);
  o.String("name", name);
  o.Bool("valid", false);
  o.String("message", refusal.message);
  if (refusal.focus) {
    o.String("focus", FocusName(*refusal.focus));
  } else {
    o.Null("focus");
  }
  o.Close();
}

}  // namespace orvanta::cli
