#include "cli/wealth_json.h"

#include <array>
#include <optional>
#include <vector>

#include "chart/dasha_chart.h"
#include "chart/wealth_chart.h"
#include "cli/chart_json.h"
#include "cli/json.h"

namespace orvanta::cli {

namespace {

void AppendSign(std::string& out, std::optional<int> sign) {
  if (!sign || SignName(*sign).empty()) {
    out += "null";
    return;
  }
  AppendJsonString(out, SignName(*sign));
}

void AppendBodies(std::string& out, const std::vector<int>& bodies) {
  out += '[';
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(out, BodyName(bodies[i]));
  }
  out += ']';
}

void AppendLagna(std::string& out, const std::optional<wealth::SpecialLagna>& l) {
  if (!l) {
    out += "null";
    return;
  }
  JsonObject o(out);
  o.Number("longitudeDeg", l->longitudeDeg);
  AppendSign(o.Key("sign"), l->sign);
  o.Close();
}

void AppendOptionalInteger(JsonObject& o, std::string_view name, std::optional<int> value) {
  if (value) {
    o.Integer(name, *value);
  } else {
    o.Null(name);
  }
}

}  // namespace

void AppendWealthJson(std::string& out, const ChartOutput& chart) {
  const std::optional<ChartWealth> w = WealthOf(chart);
  if (!w) {
    out += "null";
    return;
  }
  const wealth::WealthReading& r = w->reading;
  JsonObject o(out);
  {
    JsonObject il(o.Key("induLagna"));
    AppendSign(il.Key("sign"), r.induLagnaSign);
    il.String("lord", BodyName(r.lord));
    AppendSign(il.Key("lordSign"), r.lordSign >= 0 ? std::optional<int>(r.lordSign) : std::nullopt);
    AppendOptionalInteger(il, "lordHouseFromAscendant", r.lordHouseFromAscendant);
    AppendOptionalInteger(il, "lordHouseFromInduLagna", r.lordHouseFromInduLagna);
    if (r.lordDignity) {
      il.String("lordDignity", wealth::DignityName(*r.lordDignity));
    } else {
      il.Null("lordDignity");
    }
    il.Close();
  }
  std::string& occupants = o.Key("occupants");
  occupants += '[';
  for (std::size_t i = 0; i < r.occupants.size(); ++i) {
    if (i > 0) occupants += ',';
    JsonObject oc(occupants);
    oc.String("body", BodyName(r.occupants[i].body));
    oc.String("nature", wealth::NatureName(r.occupants[i].nature));
    if (r.occupants[i].dignity) {
      oc.String("dignity", wealth::DignityName(*r.occupants[i].dignity));
    } else {
      oc.Null("dignity");
    }
    oc.Close();
  }
  occupants += ']';
  AppendBodies(o.Key("aspectedBy"), r.aspectedBy);
  {
    JsonObject houses(o.Key("housesFromInduLagna"));
    for (int b = Sun; b <= Ketu; ++b) {
      AppendOptionalInteger(houses, BodyName(b),
                            r.housesFromInduLagna[static_cast<std::size_t>(b)]);
    }
    houses.Close();
  }
  {
    JsonObject special(o.Key("specialLagnas"));
    AppendLagna(special.Key("hora"), r.hora);
    AppendLagna(special.Key("ghati"), r.ghati);
    AppendLagna(special.Key("bhava"), r.bhava);
    AppendLagna(special.Key("sree"), r.sree);
    special.Close();
  }
  {
    JsonObject arudha(o.Key("arudha"));
    AppendSign(arudha.Key("lagna"), r.arudhaLagna);
    AppendSign(arudha.Key("a2"), r.a2);
    AppendSign(arudha.Key("a11"), r.a11);
    AppendBodies(arudha.Key("secondFromLagna"), r.secondFromArudha);
    AppendBodies(arudha.Key("eleventhFromLagna"), r.eleventhFromArudha);
    arudha.Close();
  }
  // A period's reasons are its lord's mark's: each lord's gives and costs
  // are written once, then copied into every period of that lord.
  std::array<std::string, 2 * kBodyCount> whyOfMark;
  std::string& periods = o.Key("periods");
  periods += '[';
  for (std::size_t i = 0; i < w->periods.size(); ++i) {
    const wealth::WealthPeriod& p = w->periods[i];
    if (i > 0) periods += ',';
    JsonObject po(periods);
    po.String("lord", dasha::LordName(p.period.lord()));
    po.Integer("level", p.period.level);
    if (p.period.level > 1) po.String("mahadashaLord", dasha::LordName(p.period.path[0]));
    AppendUtcJson(po.Key("start"), p.period.start);
    AppendUtcJson(po.Key("end"), p.period.end);
    po.String("effect", wealth::EffectName(p.effect));
    const auto body = static_cast<std::size_t>(wealth::BodyOfLord(p.period.lord()));
    std::string& why = whyOfMark[2 * body + (p.effect == wealth::Effect::Gives ? 1 : 0)];
    if (why.empty()) {
      why += '[';
      for (std::size_t k = 0; k < p.why.size(); ++k) {
        if (k > 0) why += ',';
        AppendJsonString(why, wealth::ReasonText(p.why[k]));
      }
      why += ']';
    }
    po.Key("why") += why;
    po.Close();
  }
  periods += ']';
  o.Close();
}

}  // namespace orvanta::cli
