// The Indu Lagna: the special ascendant for wealth.
//
// Each sign has a kala value, that of the lord of the ninth sign from it.
// The kala of the ascendant's sign plus that of the Moon's sign, taken
// modulo 12, is counted from the ascendant's sign (inclusively) to give the
// Indu Lagna. Twelve house calls (ArudhaPada) gather the values and add one
// empty line per house to the mark labels; InduLagnaFinish adds "IL".
// Signs are numbered 1 = Aries .. 12 = Pisces inside this module.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/records.h"

namespace orvanta {

// Kala value of each sign, Aries first (Sun 30, Moon 16, Mars 6, Mercury 8,
// Jupiter 10, Venus 10, Saturn 1 for the ninth sign's lord).
inline constexpr std::array<std::int16_t, kSignCount> kKala = {10, 1,  1,  10, 6,  10,
                                                               8,  16, 30, 8,  10, 6};

// State kept between the house calls. RunHouseCalls resets HouseCount,
// FirstLordSign and LagnaSign at the start of each computation; LordSign, HouseSign,
// AscKala and MoonKala are deliberately not reset: a call that cannot set
// them (no recognised sign) leaves the previous value in force.
struct InduLagnaState {
  std::int16_t HouseCount = 0;
  std::int16_t LordSign = 0;
  std::int16_t HouseSign = 0;  // the ascendant's sign raised by HouseCount-1, not wrapped
  std::int16_t FirstLordSign = 0;
  std::int16_t LagnaSign = 0;
  std::int16_t AscKala = 0;
  std::int16_t MoonKala = 0;
  std::int16_t InduLagnaIndex = 0;  // 0-based result
};

// Appends a line break and `mark` to the mark label of 0-based sign
// `signIndex`; an index outside 0..11 is skipped.
void AppendMark(SignCaptions& marks, int signIndex, std::string_view mark);

void ArudhaPada(InduLagnaState& state, std::string_view lordName, const PositionTexts& positionText,
                const ChartLabels& chartLabel, SignCaptions& marks);

void InduLagnaFinish(InduLagnaState& state, SignCaptions& marks);

// The signs (0-based) whose lords the house calls receive, in house order:
// the ascendant's sign `ascSignIndex`, the following signs up to Pisces, then
// Aries up to the sign before the ascendant. With no ascendant sign (-1, or
// any index outside 0..11) the count starts at Aries and the calls run for
// the signs 1..11 only, eleven calls.
struct HouseOrder {
  std::array<int, kSignCount> signIndex{};
  int count = 0;
};
HouseOrder HouseSignOrder(int ascSignIndex);

// The twelve house calls of one computation: finds the ascendant's sign from
// characters 4 to 6 of the ascendant's position text and calls ArudhaPada
// with the lord of each house's sign in house order. Returns AscSignIndex
// (0 when the ascendant's text names no sign). It starts the computation's
// count afresh; the caller clears the marks before and runs InduLagnaFinish
// after.
int RunHouseCalls(InduLagnaState& state, const PositionTexts& positionText,
                  const ChartLabels& chartLabel, SignCaptions& marks);

}  // namespace orvanta
