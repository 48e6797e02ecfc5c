#include "cli/render.h"

#include <algorithm>
#include <cstdlib>

#include "chart/chart_text.h"
#include "chart/explanation.h"
#include "chart/legacy_record.h"
#include "chart/report_text.h"
#include "cli/json.h"
#include "io/csv.h"
#include "model/datetime.h"
#include "version.h"

namespace orvanta::cli {

namespace {

// JSON member names of the attributes, in SignAttribute order: the names
// the JSON format has always used (docs/cli.md).
constexpr std::array<std::string_view, kAttributeCount> kAttributeJsonKeys = {
    "lblArudhaLagnaPresentInSign",
    "lblVedicName",
    "lblEnglishName",
    "lblRullingPlanet",
    "lblSymbol",
    "lblNature",
    "lblColor",
    "lblTypeOfSign",
    "lblGender",
    "lblBestPeriodOfActivity",
    "lblBarren",
    "lblCaste",
    "lblPosition",
    "lblConstituentCharacter",
    "lblLuckyDays",
    "lblLuckyNumbers",
    "lblBestDirection",
    "lblLuckyColors",
    "lblLuckyGemstone",
    "lblPartOfTheBody",
    "lblPhysique",
    "txtLooks",
    "txtNature",
    "txtCareerAndFinance",
    "txtLoveAndDomesticLife",
    "txtHealth",
    "lblCompatibleWith",
    "lblNotCompatibleWith",
};

// JSON value of a refusal's focus: the name of the form's box, as the JSON
// format has always written it (docs/cli.md).
std::string_view FocusJsonName(FormField field) {
  switch (field) {
    case FormField::Name:
      return "txtName";
    case FormField::City:
      return "txtMCity";
    case FormField::State:
      return "txtMState";
    case FormField::Country:
      return "txtMCountry";
    case FormField::LonDegrees:
      return "txtLonD";
    case FormField::LonMinutes:
      return "txtLonM";
    case FormField::LatDegrees:
      return "txtLatD";
    case FormField::LatMinutes:
      return "txtLatM";
    case FormField::Day:
      return "cboDate";
    case FormField::Hour:
      return "cboHH";
    case FormField::Minute:
      return "cboMM";
    case FormField::Second:
      return "cboSS";
  }
  return "";
}

template <typename Array>
void AppendStringArray(std::string& out, const Array& values) {
  out += '[';
  bool first = true;
  for (const auto& v : values) {
    if (!first) out += ',';
    first = false;
    AppendJsonString(out, v);
  }
  out += ']';
}

}  // namespace

// "YYYY-MM-DD HH:MM" in quotes, the text of FormatIsoMinute written
// straight into the output: this runs six times for every chart of a batch.
void AppendIsoMinuteJson(std::string& out, LocalDateTime t) {
  const CivilTime c = Split(t);
  const bool plain = c.year >= 0 && c.year <= 9999 && c.month >= 0 && c.month <= 99 && c.day >= 0 &&
                     c.day <= 99 && c.hour >= 0 && c.hour <= 99 && c.minute >= 0 && c.minute <= 99;
  if (!plain) {
    AppendJsonString(out, FormatIsoMinute(t));
    return;
  }
  char text[18] = {'"',
                   static_cast<char>('0' + c.year / 1000),
                   static_cast<char>('0' + c.year / 100 % 10),
                   static_cast<char>('0' + c.year / 10 % 10),
                   static_cast<char>('0' + c.year % 10),
                   '-',
                   static_cast<char>('0' + c.month / 10),
                   static_cast<char>('0' + c.month % 10),
                   '-',
                   static_cast<char>('0' + c.day / 10),
                   static_cast<char>('0' + c.day % 10),
                   ' ',
                   static_cast<char>('0' + c.hour / 10),
                   static_cast<char>('0' + c.hour % 10),
                   ':',
                   static_cast<char>('0' + c.minute / 10),
                   static_cast<char>('0' + c.minute % 10),
                   '"'};
  out.append(text, sizeof text);
}

namespace {

void AppendOptionalTime(std::string& out, const std::optional<LocalDateTime>& t) {
  if (t) {
    AppendIsoMinuteJson(out, *t);
  } else {
    out += "null";
  }
}

void AppendRiseSetPair(std::string& out, const RiseSetPair& pair) {
  out += '[';
  AppendOptionalTime(out, pair[0]);
  out += ',';
  AppendOptionalTime(out, pair[1]);
  out += ']';
}

void AppendOptionalInteger(std::string& out, const std::optional<long long>& value) {
  if (value) {
    AppendJsonInteger(out, *value);
  } else {
    out += "null";
  }
}

}  // namespace

void AppendChartText(std::string& out, const ChartOutput& chart, const PlaceReport* report,
                     const DashaRequest& dasha, NameScript names) {
  std::string placeLines;
  if (report) AppendPlaceText(placeLines, *report);
  AppendChartReport(out, chart, placeLines, dasha, names);
}

namespace {

// One member of a computed chart's JSON object: its name and how its value
// is written.
struct ChartJsonMember {
  std::string_view name;
  void (*append)(std::string& out, const ChartOutput& chart, const LegacyCaptions& captions);
};

void AppendFlags(std::string& out, const ChartOutput&, const LegacyCaptions& captions) {
  out += '[';
  for (std::size_t k = 0; k < captions.retroFlag.size(); ++k) {
    if (k > 0) out += ',';
    out += captions.retroFlag[k] ? "true" : "false";
  }
  out += ']';
}

void AppendRiseSet(std::string& out, const ChartOutput& chart, const LegacyCaptions&) {
  JsonObject riseSet(out);
  AppendRiseSetPair(riseSet.Key("Previous"), chart.previousDay);
  AppendRiseSetPair(riseSet.Key("Day"), chart.day);
  AppendRiseSetPair(riseSet.Key("Next"), chart.nextDay);
  riseSet.Close();
}

void AppendAttributes(std::string& out, const ChartOutput& chart, const LegacyCaptions&) {
  if (!chart.attributes) {
    out += "null";
    return;
  }
  JsonObject a(out);
  for (const AttributeValue& v : *chart.attributes) {
    a.String(kAttributeJsonKeys[static_cast<std::size_t>(v.attribute)], v.value);
  }
  a.Close();
}

// How the Indu Lagna was found, or null when the count cannot be explained.
void AppendInduLagnaSteps(std::string& out, const ChartOutput& chart, const LegacyCaptions&) {
  const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart);
  if (!steps) {
    out += "null";
    return;
  }
  JsonObject e(out);
  e.Integer("AscSign", steps->chosen.ascSign);
  e.Integer("AscNinthSign", steps->chosen.ascNinthSign);
  e.Integer("AscKala", steps->chosen.ascKala);
  e.Integer("MoonSign", steps->chosen.moonSign);
  e.Integer("MoonNinthSign", steps->chosen.moonNinthSign);
  e.Integer("MoonKala", steps->chosen.moonKala);
  e.Integer("Sum", steps->chosen.sum);
  e.Integer("Remainder", steps->chosen.remainder);
  e.Integer("InduLagnaSign", steps->chosen.sign);
  e.Close();
}

// The classical count's sign, whichever rule the chart follows; null as for
// the steps.
void AppendInduLagnaClassical(std::string& out, const ChartOutput& chart, const LegacyCaptions&) {
  const std::optional<InduLagnaCount> classical =
      chart.induLagna ? CountInduLagna(chart.induLagna->ascSign, chart.induLagna->moonSign,
                                       InduLagnaRule::FromMoonVenus12)
                      : std::nullopt;
  if (classical) {
    AppendJsonInteger(out, classical->sign);
  } else {
    out += "null";
  }
}

// The members in the order they are written (docs/cli.md).
constexpr std::array<ChartJsonMember, kChartJsonMemberCount - 3> kChartJsonMembers = {{
    {"Name", [](std::string& o, const ChartOutput& c,
                const LegacyCaptions&) { AppendJsonString(o, c.birth.name); }},
    {"Valid", [](std::string& o, const ChartOutput&, const LegacyCaptions&) { o += "true"; }},
    {"ZoneShiftHours",
     [](std::string& o, const ChartOutput& c, const LegacyCaptions&) {
       AppendJsonInteger(o, LegacyZoneShift(c.birth.clock).hours);
     }},
    {"ZoneShiftMinutes",
     [](std::string& o, const ChartOutput& c, const LegacyCaptions&) {
       AppendJsonInteger(o, LegacyZoneShift(c.birth.clock).minutes);
     }},
    {"ZoneHours",
     [](std::string& o, const ChartOutput& c, const LegacyCaptions&) {
       AppendJsonInteger(o, std::abs(LegacyZoneShift(c.birth.clock).hours));
     }},
    {"ZoneMinutes",
     [](std::string& o, const ChartOutput& c, const LegacyCaptions&) {
       AppendJsonInteger(o, std::abs(LegacyZoneShift(c.birth.clock).minutes));
     }},
    {"UniversalTime", [](std::string& o, const ChartOutput& c,
                         const LegacyCaptions&) { AppendJsonNumber(o, c.time.UniversalTime); }},
    {"JulianDay", [](std::string& o, const ChartOutput& c,
                     const LegacyCaptions&) { AppendJsonNumber(o, c.time.JulianDay); }},
    {"CenturiesT", [](std::string& o, const ChartOutput& c,
                      const LegacyCaptions&) { AppendJsonNumber(o, c.time.CenturiesT); }},
    {"AyanCorr", [](std::string& o, const ChartOutput& c,
                    const LegacyCaptions&) { AppendJsonNumber(o, -c.time.ayanamsaDeg); }},
    {"AscendantDeg", [](std::string& o, const ChartOutput& c,
                        const LegacyCaptions&) { AppendJsonNumber(o, c.time.AscendantDeg); }},
    {"AscendantInt", [](std::string& o, const ChartOutput& c,
                        const LegacyCaptions&) { AppendJsonNumber(o, c.time.AscendantInt); }},
    {"AscendantText", [](std::string& o, const ChartOutput& c,
                         const LegacyCaptions&) { AppendJsonString(o, c.time.AscendantText); }},
    {"MoonTropical", [](std::string& o, const ChartOutput& c,
                        const LegacyCaptions&) { AppendJsonNumber(o, c.moon.MoonTropical); }},
    {"MoonSidereal", [](std::string& o, const ChartOutput& c,
                        const LegacyCaptions&) { AppendJsonNumber(o, c.moon.MoonSidereal); }},
    {"NakStartDeg", [](std::string& o, const ChartOutput& c,
                       const LegacyCaptions&) { AppendJsonNumber(o, c.moon.NakStartDeg); }},
    {"MoonText", [](std::string& o, const ChartOutput& c,
                    const LegacyCaptions&) { AppendJsonString(o, c.moon.MoonText); }},
    {"PositionText", [](std::string& o, const ChartOutput&,
                        const LegacyCaptions& r) { AppendStringArray(o, r.positionText); }},
    {"RetroFlag", AppendFlags},
    {"ChartLabel", [](std::string& o, const ChartOutput&,
                      const LegacyCaptions& r) { AppendStringArray(o, r.chartLabel); }},
    {"AscSignIndex", [](std::string& o, const ChartOutput& c,
                        const LegacyCaptions&) { AppendJsonInteger(o, c.AscSignIndex); }},
    {"HouseCount", [](std::string& o, const ChartOutput& c,
                      const LegacyCaptions&) { AppendJsonInteger(o, c.houses.houseCount); }},
    {"FirstLordSign", [](std::string& o, const ChartOutput& c,
                         const LegacyCaptions&) { AppendJsonInteger(o, c.houses.firstLordSign); }},
    {"LagnaSign", [](std::string& o, const ChartOutput& c,
                     const LegacyCaptions&) { AppendJsonInteger(o, c.houses.lagnaSign); }},
    {"AscKala",
     [](std::string& o, const ChartOutput& c,
        const LegacyCaptions&) { AppendJsonInteger(o, c.induLagna ? c.induLagna->ascKala : 0); }},
    {"MoonKala",
     [](std::string& o, const ChartOutput& c,
        const LegacyCaptions&) { AppendJsonInteger(o, c.induLagna ? c.induLagna->moonKala : 0); }},
    {"InduLagnaIndex",
     [](std::string& o, const ChartOutput& c,
        const LegacyCaptions&) { AppendJsonInteger(o, c.induLagna ? c.induLagna->sign : 0); }},
    {"InduLagnaSteps", AppendInduLagnaSteps},
    {"InduLagnaClassical", AppendInduLagnaClassical},
    {"RiseSet", AppendRiseSet},
    {"ElapsedMinutes", [](std::string& o, const ChartOutput& c,
                          const LegacyCaptions&) { AppendOptionalInteger(o, c.ElapsedMinutes); }},
    {"ElapsedSeconds", [](std::string& o, const ChartOutput& c,
                          const LegacyCaptions&) { AppendOptionalInteger(o, c.ElapsedSeconds); }},
    {"SunriseSunLongitude",
     [](std::string& o, const ChartOutput& c,
        const LegacyCaptions&) { AppendJsonNumber(o, c.SunriseSunLongitude); }},
    {"SignCells", [](std::string& o, const ChartOutput&,
                     const LegacyCaptions& r) { AppendStringArray(o, r.signCells); }},
    {"Marks", [](std::string& o, const ChartOutput&,
                 const LegacyCaptions& r) { AppendStringArray(o, r.marks); }},
    {"Attributes", AppendAttributes},
}};

}  // namespace

// The members a place report adds, after the chart's own; then the clock,
// written for every chart.
constexpr std::array<std::string_view, 2> kPlaceJsonMembers = {"Place", "ZoneResolved"};
constexpr std::size_t kClockJsonMember = kChartJsonMembers.size() + kPlaceJsonMembers.size();
static_assert(kClockJsonMember + 1 == kChartJsonMemberCount);

namespace {

void AppendClock(JsonObject& o, const ChartClock& clock) {
  JsonObject c(o.Key("Clock"));
  c.String("Text", clock.text);
  if (clock.zoneName.empty()) {
    c.Null("TimeZone");
  } else {
    c.String("TimeZone", clock.zoneName);
  }
  c.Integer("OffsetMinutes", clock.offsetMinutes);
  c.Bool("Daylight", clock.summerTime);
  c.Close();
}

}  // namespace

std::optional<std::size_t> ChartJsonMemberIndex(std::string_view name) {
  for (std::size_t k = 0; k < kChartJsonMemberCount; ++k) {
    if (ChartJsonMemberName(k) == name) return k;
  }
  return std::nullopt;
}

std::string_view ChartJsonMemberName(std::size_t index) {
  if (index < kChartJsonMembers.size()) return kChartJsonMembers[index].name;
  index -= kChartJsonMembers.size();
  if (index < kPlaceJsonMembers.size()) return kPlaceJsonMembers[index];
  return index == kPlaceJsonMembers.size() ? std::string_view{"Clock"} : std::string_view{};
}

void AppendChartJson(std::string& out, const ChartOutput& chart, const PlaceReport* report) {
  AppendChartJson(out, chart, ChartJsonMembers{}.set(), report);
}

void AppendChartJson(std::string& out, const ChartOutput& chart, const ChartJsonMembers& members,
                     const PlaceReport* report) {
  // The record's captions, written from the chart's numbers by the one
  // writer that makes them.
  const LegacyCaptions captions = LegacyCaptionsOf(chart);
  JsonObject o(out);
  for (std::size_t k = 0; k < kChartJsonMembers.size(); ++k) {
    if (members.test(k)) {
      kChartJsonMembers[k].append(o.Key(kChartJsonMembers[k].name), chart, captions);
    }
  }
  if (report) {
    AppendPlaceMembers(o, *report, members.test(kChartJsonMembers.size()),
                       members.test(kChartJsonMembers.size() + 1));
  }
  if (members.test(kClockJsonMember)) AppendClock(o, ChartClockOf(chart.birth));
  o.Close();
}

void AppendRefusalJson(std::string& out, std::string_view name, const Refusal& refusal) {
  JsonObject o(out);
  o.String("Name", name);
  o.Bool("Valid", false);
  o.String("Message", refusal.message);
  o.String("Icon", refusal.icon == MessageIcon::Stop ? "stop" : "information");
  if (refusal.focus) {
    o.String("Focus", FocusJsonName(*refusal.focus));
  } else {
    o.Null("Focus");
  }
  o.Close();
}

void AppendChartCsv(std::string& out, const ChartOutput& chart) {
  AppendCsvField(out, chart.birth.name);
  for (int body = 0; body < kBodyCount; ++body) {
    out += ',';
    AppendCsvField(out, PositionWithMark(chart, body));
  }
  out += ',';
  AppendCsvField(out, InduLagnaSignName(chart));
  out += '\n';
}

}  // namespace orvanta::cli
