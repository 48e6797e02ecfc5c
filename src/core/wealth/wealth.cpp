#include "wealth/wealth.h"

#include <algorithm>
#include <cmath>

namespace orvanta::wealth {

namespace {

std::optional<SpecialLagna> LagnaAt(double longitudeDeg) {
  const auto sign = SignOfDeg(longitudeDeg);
  if (!sign) return std::nullopt;
  return SpecialLagna{longitudeDeg, *sign};
}

std::vector<int> OccupantsOf(const std::array<int, kBodyCount>& signs, int sign) {
  std::vector<int> bodies;
  for (int b = Sun; b <= Ketu; ++b) {
    if (signs[static_cast<std::size_t>(b)] == sign) bodies.push_back(b);
  }
  return bodies;
}

// The arudha of the house `house` (1..12) from the ascendant's sign.
std::optional<int> ArudhaOfHouse(const std::array<int, kBodyCount>& signs, int house) {
  const int asc = signs[Asc];
  if (asc < 0 || asc >= kSignCount) return std::nullopt;
  const int houseSign = (asc + house - 1) % kSignCount;
  const int lord = kSignLordBody[static_cast<std::size_t>(houseSign)];
  return ArudhaOf(houseSign, signs[static_cast<std::size_t>(lord)]);
}

std::string Ordinal(int n) {
  std::string text = std::to_string(n);
  if (n == 1) return text + "st";
  if (n == 2) return text + "nd";
  if (n == 3) return text + "rd";
  return text + "th";
}

}  // namespace

std::optional<WealthReading> ReadWealth(const WealthInput& in) {
  const int il = in.induLagnaSign;
  if (il < 0 || il >= kSignCount) return std::nullopt;
  const auto& signs = in.signs;
  WealthReading r;
  r.induLagnaSign = il;
  r.lord = kSignLordBody[static_cast<std::size_t>(il)];
  r.lordSign = signs[static_cast<std::size_t>(r.lord)];
  r.lordHouseFromAscendant = HouseFrom(signs[Asc], r.lordSign);
  r.lordHouseFromInduLagna = HouseFrom(il, r.lordSign);
  r.lordDignity = DignityOf(r.lord, r.lordSign);
  r.moonElongationDeg = ElongationDeg(in.longitudesDeg[Moon], in.longitudesDeg[Sun]);
  for (const int b : OccupantsOf(signs, il)) {
    r.occupants.push_back({b, *NatureOf(b, signs, r.moonElongationDeg), DignityOf(b, il)});
  }
  for (int b = Sun; b <= Ketu; ++b) {
    const auto i = static_cast<std::size_t>(b);
    if (Aspects(b, signs[i], il)) r.aspectedBy.push_back(b);
    r.housesFromInduLagna[i] = HouseFrom(il, signs[i]);
  }
  if (in.sunrise) {
    const auto& s = *in.sunrise;
    r.hora = LagnaAt(TimeLagnaDeg(s.sunDeg, kHoraLagnaDegPerMinute, s.elapsedSeconds));
    r.ghati = LagnaAt(TimeLagnaDeg(s.sunDeg, kGhatiLagnaDegPerMinute, s.elapsedSeconds));
    r.bhava = LagnaAt(TimeLagnaDeg(s.sunDeg, kBhavaLagnaDegPerMinute, s.elapsedSeconds));
  }
  if (signs[Asc] >= 0 && signs[Moon] >= 0) {
    r.sree = LagnaAt(SreeLagnaDeg(in.longitudesDeg[Asc], in.longitudesDeg[Moon]));
  }
  r.arudhaLagna = ArudhaOfHouse(signs, 1);
  r.a2 = ArudhaOfHouse(signs, 2);
  r.a11 = ArudhaOfHouse(signs, 11);
  if (r.arudhaLagna) {
    r.secondFromArudha = OccupantsOf(signs, (*r.arudhaLagna + 1) % kSignCount);
    r.eleventhFromArudha = OccupantsOf(signs, (*r.arudhaLagna + 10) % kSignCount);
  }
  return r;
}

std::string ReasonText(const Reason& reason) {
  switch (reason.kind) {
    case ReasonKind::StandsIn:
      return "stands in the Indu Lagna";
    case ReasonKind::Aspects:
      return "aspects the Indu Lagna";
    case ReasonKind::Rules:
      return "rules the Indu Lagna";
    case ReasonKind::AngleTrine: {
      const bool trine = reason.house == 5 || reason.house == 9;
      return "stands in the " + Ordinal(reason.house) + " from the Indu Lagna, " +
             (trine ? "a trine" : "an angle");
    }
    case ReasonKind::Dusthana:
      return "stands in the " + Ordinal(reason.house) + " from the Indu Lagna";
  }
  return {};
}

std::string_view EffectName(Effect effect) {
  return effect == Effect::Gives ? "gives" : "costs";
}

std::vector<LordMark> LordMarks(const WealthReading& r) {
  std::vector<LordMark> marks;
  for (int b = Sun; b <= Ketu; ++b) {
    const auto house = r.housesFromInduLagna[static_cast<std::size_t>(b)];
    LordMark gives{b, Effect::Gives, {}};
    LordMark costs{b, Effect::Costs, {}};
    if (house == 1) gives.why.push_back({ReasonKind::StandsIn, 1});
    if (std::find(r.aspectedBy.begin(), r.aspectedBy.end(), b) != r.aspectedBy.end()) {
      gives.why.push_back({ReasonKind::Aspects, 0});
    }
    if (b == r.lord) gives.why.push_back({ReasonKind::Rules, 0});
    if (house && *house != 1 && ClassOfHouse(*house) == HouseClass::Gives) {
      gives.why.push_back({ReasonKind::AngleTrine, *house});
    }
    if (house && ClassOfHouse(*house) == HouseClass::Costs) {
      costs.why.push_back({ReasonKind::Dusthana, *house});
    }
    if (!gives.why.empty()) marks.push_back(std::move(gives));
    if (!costs.why.empty()) marks.push_back(std::move(costs));
  }
  return marks;
}

int BodyOfLord(dasha::Lord lord) {
  switch (lord) {
    case dasha::Lord::Sun:
      return Sun;
    case dasha::Lord::Moon:
      return Moon;
    case dasha::Lord::Mars:
      return Mars;
    case dasha::Lord::Mercury:
      return Mercury;
    case dasha::Lord::Jupiter:
      return Jupiter;
    case dasha::Lord::Venus:
      return Venus;
    case dasha::Lord::Saturn:
      return Saturn;
    case dasha::Lord::Rahu:
      return Rahu;
    case dasha::Lord::Ketu:
      return Ketu;
  }
  return Ketu;
}

std::vector<WealthPeriod> WealthPeriods(const std::vector<LordMark>& marks,
                                        const dasha::Vimshottari& v) {
  std::vector<WealthPeriod> periods;
  const auto add = [&](const dasha::Period& p) {
    for (const LordMark& m : marks) {
      if (m.body == BodyOfLord(p.lord())) periods.push_back({p, m.effect, m.why});
    }
  };
  for (const dasha::Period& maha : dasha::Mahadashas(v)) {
    add(maha);
    if (const auto subs = dasha::SubPeriods(v, maha)) {
      for (const dasha::Period& sub : *subs) add(sub);
    }
  }
  return periods;
}

}  // namespace orvanta::wealth
