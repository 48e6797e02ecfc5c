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

// One house call over the bodies' signs, read once per computation: the
// texts do not change between the twelve calls.
void HouseCall(InduLagnaState& state, std::string_view lordName, const BodySigns& signs,
               const ChartLabels& chartLabel, SignCaptions& marks) {
  Assign16(state.HouseCount, long{state.HouseCount} + 1);

  // Re-read the sign of every body. A text that names no sign changes
  // nothing, so LordSign, HouseSign and the kala values keep what an
  // earlier call (or computation) left. A retrograde planet's label carries
  // " (R) " and never equals a lord's name: its house keeps the previous
  // LordSign: the count has always worked this way.
  for (int i = 0; i < kBodyCount; ++i) {
    const int signIndex = signs[static_cast<std::size_t>(i)];
    if (signIndex < 0) continue;
    const auto sign = static_cast<std::int16_t>(signIndex + 1);
    const std::int16_t kala = kKala[static_cast<std::size_t>(signIndex)];
    if (chartLabel[static_cast<std::size_t>(i)] == lordName) state.LordSign = sign;
    if (i == Moon) state.MoonKala = kala;
    if (i == Asc) {
      state.HouseSign = sign;
      state.AscKala = kala;
    }
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

}  // namespace

void ArudhaPada(InduLagnaState& state, std::string_view lordName, const PositionTexts& positionText,
                const ChartLabels& chartLabel, SignCaptions& marks) {
  HouseCall(state, lordName, SignsOfBodies(positionText), chartLabel, marks);
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
  const int ascSignIndex = signs[Asc];
  const HouseOrder order = HouseSignOrder(ascSignIndex);
  for (int n = 0; n < order.count; ++n) {
    const int sign = order.signIndex[static_cast<std::size_t>(n)];
    HouseCall(state, kSignLord[static_cast<std::size_t>(sign)], signs, chartLabel, marks);
  }
  return ascSignIndex < 0 ? 0 : ascSignIndex;
}

}  // namespace orvanta
