#include "lagna/indu_lagna.h"

#include <limits>

namespace orvanta {

namespace {

// The state is 16-bit, as in the chart records. A result that does not fit
// leaves its target unchanged (the statement is skipped); with the driver's
// resets the values stay far inside the range, so this only guards against
// a caller that never resets.
void Assign16(std::int16_t& target, long value) {
  if (value >= std::numeric_limits<std::int16_t>::min() &&
      value <= std::numeric_limits<std::int16_t>::max()) {
    target = static_cast<std::int16_t>(value);
  }
}

// Repeated "minus 12 while above 12", in one step for any size.
long WrapDownTo12(long sign) {
  return sign > 12 ? (sign - 1) % 12 + 1 : sign;
}

// A sign number brought into 1..12 from either side.
long ReduceTo12(long sign) {
  return ((sign - 1) % 12 + 12) % 12 + 1;
}

// Step 4 of a house call: the pada sign (1..12 for signs in range) of the
// house whose sign is `houseSign` (not wrapped) and whose lord stands in
// `lordSign`.
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

}  // namespace

void AppendMark(SignCaptions& marks, int signIndex, std::string_view mark) {
  if (signIndex < 0 || signIndex >= kSignCount) return;
  std::string& caption = marks[static_cast<std::size_t>(signIndex)];
  caption += kCrLf;
  caption += mark;
}

namespace {

// The sign (0-based, -1 for none) that each body's position text names.
using BodySigns = std::array<int, kBodyCount>;

BodySigns SignsOfBodies(const PositionTexts& positionText) {
  BodySigns signs{};
  for (int i = 0; i < kBodyCount; ++i) {
    signs[static_cast<std::size_t>(i)] =
        SignIndexOfPosition(positionText[static_cast<std::size_t>(i)]);
  }
  return signs;
}

// The sign (1..12) of the last body labelled `lordName` whose text names a
// sign; 0 when there is none. A retrograde planet's label carries " (R) "
// and never equals a lord's name.
std::int16_t LordSignOf(std::string_view lordName, const BodySigns& signs,
                        const ChartLabels& chartLabel) {
  std::int16_t lordSign = 0;
  for (int i = 0; i < kBodyCount; ++i) {
    const int signIndex = signs[static_cast<std::size_t>(i)];
    if (signIndex >= 0 && chartLabel[static_cast<std::size_t>(i)] == lordName) {
      lordSign = static_cast<std::int16_t>(signIndex + 1);
    }
  }
  return lordSign;
}

// One house call over the bodies' signs and the lord's sign, read once per
// computation: the texts do not change between the twelve calls.
void HouseCall(InduLagnaState& state, std::int16_t lordSign, const BodySigns& signs,
               SignCaptions& marks) {
  Assign16(state.HouseCount, long{state.HouseCount} + 1);

  // A text that names no sign changes nothing, so LordSign, HouseSign and
  // the kala values keep what an earlier call (or computation) left; a
  // house whose lord is retrograde keeps the previous LordSign: the count
  // has always worked this way.
  if (lordSign != 0) state.LordSign = lordSign;
  if (const int moon = signs[Moon]; moon >= 0) {
    state.MoonKala = kKala[static_cast<std::size_t>(moon)];
  }
  if (const int asc = signs[Asc]; asc >= 0) {
    state.HouseSign = static_cast<std::int16_t>(asc + 1);
    state.AscKala = kKala[static_cast<std::size_t>(asc)];
  }

  // House 1 fixes the ascendant's sign and its lord's sign; every later
  // house counts on from the ascendant without wrapping (up to 23).
  if (state.HouseCount == 1) {
    state.LagnaSign = state.HouseSign;
    state.FirstLordSign = state.LordSign;
  } else {
    Assign16(state.HouseSign, long{state.HouseSign} + (long{state.HouseCount} - 1));
  }

  // The house's mark carries no text: one line break in the pada sign's
  // label, and for house 1 one more in the label of the ascendant's lord.
  const long pada = PadaSign(state.LordSign, state.HouseSign);
  AppendMark(marks, static_cast<int>(pada - 1), "");
  if (state.HouseCount == 1) AppendMark(marks, state.FirstLordSign - 1, "");
}

// For each sign, the first sign with the same lord (seven lords rule the
// twelve signs), so that each lord is looked for once.
constexpr std::array<int, kSignCount> kFirstSignOfLord = [] {
  std::array<int, kSignCount> first{};
  for (int s = 0; s < kSignCount; ++s) {
    first[static_cast<std::size_t>(s)] = s;
    for (int earlier = 0; earlier < s; ++earlier) {
      if (kSignLord[static_cast<std::size_t>(earlier)] == kSignLord[static_cast<std::size_t>(s)]) {
        first[static_cast<std::size_t>(s)] = earlier;
        break;
      }
    }
  }
  return first;
}();

}  // namespace

void ArudhaPada(InduLagnaState& state, std::string_view lordName, const PositionTexts& positionText,
                const ChartLabels& chartLabel, SignCaptions& marks) {
  const BodySigns signs = SignsOfBodies(positionText);
  HouseCall(state, LordSignOf(lordName, signs, chartLabel), signs, marks);
}

void InduLagnaFinish(InduLagnaState& state, SignCaptions& marks) {
  const long sum = long{state.AscKala} + long{state.MoonKala};
  const long r = (sum % 12 + 12) % 12;
  // Counted inclusively from the ascendant's sign: r = 1 is the ascendant's
  // own sign, r = 0 the sign before it (a count of 12).
  const long il = WrapDownTo12(long{state.LagnaSign} + r - 1);
  AppendMark(marks, static_cast<int>(il - 1), "IL");
  Assign16(state.InduLagnaIndex, il - 1);
}

HouseOrder HouseSignOrder(int ascSignIndex) {
  HouseOrder order;
  if (ascSignIndex < 0 || ascSignIndex >= kSignCount) {
    for (int k = 1; k < kSignCount; ++k)
      order.signIndex[static_cast<std::size_t>(order.count++)] = k;
    return order;
  }
  for (int n = 0; n < kSignCount; ++n) {
    order.signIndex[static_cast<std::size_t>(order.count++)] = (ascSignIndex + n) % kSignCount;
  }
  return order;
}

int RunHouseCalls(InduLagnaState& state, const PositionTexts& positionText,
                  const ChartLabels& chartLabel, SignCaptions& marks) {
  // A computation starts its count afresh; LordSign, HouseSign and the two
  // kalas carry over (see InduLagnaState).
  state.HouseCount = 0;
  state.FirstLordSign = 0;
  state.LagnaSign = 0;
  const BodySigns signs = SignsOfBodies(positionText);
  std::array<std::int16_t, kSignCount> lordSign{};
  for (int s = 0; s < kSignCount; ++s) {
    const auto at = static_cast<std::size_t>(s);
    lordSign[at] = kFirstSignOfLord[at] == s
                       ? LordSignOf(kSignLord[at], signs, chartLabel)
                       : lordSign[static_cast<std::size_t>(kFirstSignOfLord[at])];
  }
  const int ascSignIndex = signs[Asc];
  const HouseOrder order = HouseSignOrder(ascSignIndex);
  for (int n = 0; n < order.count; ++n) {
    const auto sign = static_cast<std::size_t>(order.signIndex[static_cast<std::size_t>(n)]);
    HouseCall(state, lordSign[sign], signs, marks);
  }
  return ascSignIndex < 0 ? 0 : ascSignIndex;
}

}  // namespace orvanta
