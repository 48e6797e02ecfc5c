#include "lagna/indu_lagna.h"

namespace orvanta {

namespace {

// Venus's kala in the classical count; this program gives her 10 (kKala).
inline constexpr int kClassicalVenusKala = 12;

// Repeated "minus 12 while above 12", in one step for any size.
long WrapDownTo12(long sign) {
  return sign > 12 ? (sign - 1) % 12 + 1 : sign;
}

// A sign number brought into 1..12 from either side.
long ReduceTo12(long sign) {
  return ((sign - 1) % 12 + 12) % 12 + 1;
}

// The ninth sign from `sign`, the sign itself counting as the first.
int NinthFrom(int sign) {
  return (sign + 8) % kSignCount;
}

// The body (Sun..Saturn) that rules each sign, Aries first: kSignLord as
// bodies.
constexpr std::array<Body, kSignCount> kSignLordBody = {
    Mars, Venus, Mercury, Moon, Sun, Mercury, Venus, Mars, Jupiter, Saturn, Saturn, Jupiter};
static_assert([] {
  for (std::size_t s = 0; s < kSignLordBody.size(); ++s) {
    if (kChartLabelNames[static_cast<std::size_t>(kSignLordBody[s])] != kSignLord[s]) return false;
  }
  return true;
}());

// Kala of a sign (that of its ninth sign's lord) under `rule`.
int KalaOf(int sign, InduLagnaRule rule) {
  if (rule == InduLagnaRule::FromMoonVenus12 &&
      kSignLordBody[static_cast<std::size_t>(NinthFrom(sign))] == Venus) {
    return kClassicalVenusKala;
  }
  return kKala[static_cast<std::size_t>(sign)];
}

}  // namespace

std::optional<InduLagnaCount> CountInduLagna(int ascSign, int moonSign, InduLagnaRule rule) {
  if (ascSign < 0 || ascSign >= kSignCount || moonSign < 0 || moonSign >= kSignCount) {
    return std::nullopt;
  }
  InduLagnaCount c;
  c.rule = rule;
  c.ascSign = ascSign;
  c.ascNinthSign = NinthFrom(ascSign);
  c.ascKala = KalaOf(ascSign, rule);
  c.moonSign = moonSign;
  c.moonNinthSign = NinthFrom(moonSign);
  c.moonKala = KalaOf(moonSign, rule);
  c.sum = c.ascKala + c.moonKala;
  c.remainder = c.sum % kSignCount;
  c.startSign = rule == InduLagnaRule::FromAscendantVenus10 ? ascSign : moonSign;
  // Counted inclusively: a remainder of 1 is the start sign itself, 0 the
  // sign before it (a count of 12).
  c.sign = (c.startSign + c.remainder - 1 + kSignCount) % kSignCount;
  return c;
}

long PadaSign(long lordSign, long houseSign) {
  long d = 2 * (lordSign - houseSign);
  if (d < 0) d = (d % 12 + 12) % 12;  // "add 12 while below 0"
  if (d > 12) d = d - 12;             // one subtraction only
  if (d == 0 || d == 12) d = 9;
  long p = WrapDownTo12(houseSign + d);
  // The seventh sign from the house is never the pada: move on nine signs.
  const long diff = p - ReduceTo12(houseSign);
  if (diff == 6 || diff == -6) p = WrapDownTo12(p + 9);
  return p;
}

HouseCalls HouseCallsOf(const BodySigns& signs, const BodyFlags& retrograde) {
  HouseCalls calls;
  const int ascSign = signs[Asc];
  if (ascSign < 0 || ascSign >= kSignCount) return calls;
  calls.lagnaSign = ascSign + 1;
  long lordSign = 0;
  for (int house = 1; house <= kSignCount; ++house) {
    const int sign = (ascSign + house - 1) % kSignCount;
    const auto lord = static_cast<std::size_t>(kSignLordBody[static_cast<std::size_t>(sign)]);
    if (!retrograde[lord] && signs[lord] >= 0) lordSign = signs[lord] + 1;
    // Each later house counts on from the ascendant without wrapping (up to 23).
    const long houseSign = calls.lagnaSign + house - 1;
    calls.padaSigns[static_cast<std::size_t>(house - 1)] =
        static_cast<int>(PadaSign(lordSign, houseSign));
    if (house == 1) calls.firstLordSign = static_cast<int>(lordSign);
    ++calls.houseCount;
  }
  return calls;
}

}  // namespace orvanta
