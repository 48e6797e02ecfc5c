// The Indu Lagna: the special ascendant for wealth, and the house calls that
// mark each house's pada.
//
// Each sign has a kala value, that of the lord of the ninth sign from it.
// The kala of the ascendant's sign plus that of the Moon's sign, taken
// modulo 12, is counted from the ascendant's sign (inclusively) to give the
// Indu Lagna; the classical count of the textbooks counts the same sum from
// the Moon's sign and gives Venus 12. The twelve house calls find each
// house's pada sign. Everything here is a pure function of
// the chart's signs: nothing is kept from one chart to the next. Signs are
// 0-based indexes (0 = Aries) unless a name says "1..12".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/records.h"

namespace orvanta {

// Kala value of each sign, Aries first (Sun 30, Moon 16, Mars 6, Mercury 8,
// Jupiter 10, Venus 10, Saturn 1 for the ninth sign's lord).
inline constexpr std::array<std::int16_t, kSignCount> kKala = {10, 1,  1,  10, 6,  10,
                                                               8,  16, 30, 8,  10, 6};

// The two ways of counting the Indu Lagna from the kala values.
enum class InduLagnaRule {
  // This program's count: from the ascendant's sign, Venus's kala 10.
  FromAscendantVenus10,
  // The classical count of the textbooks: from the Moon's sign, Venus's kala 12.
  FromMoonVenus12,
};

// One Indu Lagna count.
struct InduLagnaCount {
  InduLagnaRule rule = InduLagnaRule::FromAscendantVenus10;
  int ascSign = 0;        // the ascendant's sign
  int ascNinthSign = 0;   // ninth sign from it, counting it as the first
  int ascKala = 0;        // kala of that ninth sign's lord under the rule
  int moonSign = 0;       // the Moon's sign
  int moonNinthSign = 0;  // ninth sign from it
  int moonKala = 0;       // kala of that ninth sign's lord under the rule
  int sum = 0;            // ascKala + moonKala
  int remainder = 0;      // sum modulo 12, 0..11
  int startSign = 0;      // where the count starts: the ascendant's or the Moon's sign
  int sign = 0;           // the Indu Lagna: remainder 1 is startSign itself, 0 counts as 12
};

// The Indu Lagna of an ascendant in `ascSign` and a Moon in `moonSign` (both
// 0..11) under `rule`; nothing for a sign outside 0..11. The chart, its
// explanation and every output take the count from here.
std::optional<InduLagnaCount> CountInduLagna(int ascSign, int moonSign, InduLagnaRule rule);

// The sign (1..12 for a house sign within one turn of the ascendant) of the
// pada of the house whose sign is `houseSign` (1..23, counted on from the
// ascendant's sign without wrapping) and whose lord stands in `lordSign`
// (1..12; 0 when no lord was found).
long PadaSign(long lordSign, long houseSign);

// The sign of each body (Sun..Asc), -1 where the chart shows none.
using BodySigns = std::array<int, kBodyCount>;
// Whether each body (Sun..Asc) is marked retrograde.
using BodyFlags = std::array<bool, kBodyCount>;

// What the twelve house calls of one chart found, as the chart record shows it.
struct HouseCalls {
  int houseCount = 0;     // houses called: 12, none without an ascendant sign
  int firstLordSign = 0;  // 1..12: the sign of the ascendant's lord; 0 when it was not found
  int lagnaSign = 0;      // 1..12: the ascendant's sign; 0 without one
  // The pada sign (PadaSign, 1..12) of each house called, house 1 first;
  // 0 for a house not called.
  std::array<int, kSignCount> padaSigns{};
};

// The twelve house calls, in house order from the ascendant's sign: each
// finds its pada sign, house 1 also the sign of the ascendant's lord. A house's lord is looked for
// among the bodies by name; a retrograde planet is not found, and its house keeps the lord sign of
// the house before it (none before house 1). Without an ascendant sign no house is called.
HouseCalls HouseCallsOf(const BodySigns& signs, const BodyFlags& retrograde);

}  // namespace orvanta
