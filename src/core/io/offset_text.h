// An exact offset east of Greenwich as a births file's offset column and the
// command line's --offset give it: whole minutes as always ("345" for
// +5:45, "-210" for -3:30), or signed hours, minutes and seconds
// ("+5:41:16", Kathmandu's mean time; "+5:45"; "-0:19:32"). Written back as
// minutes where the offset is whole minutes, so that an old file reads and
// writes as before, and with its seconds where it has any.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/chart.h"
#include "io/birth_fields.h"
#include "tz/birth_clock.h"

namespace orvanta {

// The offset in seconds, -12:00..+14:00 (kMostWestOffsetMinutes ..
// kMostEastOffsetMinutes); empty gives none.
Parsed<std::optional<int>> ParseOffsetSeconds(std::string_view text);

// "345", "-210" for whole minutes; "+5:41:16", "-0:19:32" with seconds.
std::string OffsetText(int offsetSeconds);

// The entries' exact offset in seconds: the one to the second where it has
// seconds, else the whole minutes; nothing without an exact offset.
std::optional<int> ExactOffsetSecondsOf(const FormEntries& entries);

// Sets the entries' exact offset: to the second, and to the nearest minute
// (halves away from zero) for the minute-based chart and old readers.
void SetExactOffset(FormEntries& entries, int offsetSeconds);

// The clock query of entries whose zone is `zoneName`: their position to
// the minute of arc and local reading; `placeFromAtlas` where the zone came
// with an atlas place rather than from the user.
BirthClockQuery ClockQueryOf(const FormEntries& entries, std::string_view zoneName,
                             LocalDateTime local, DoubledChoice doubled, bool placeFromAtlas);

// Writes a birth's clock into the entries: its zone row, or its exact
// offset (to the second) where no row carries it; the tick off, since the
// clock counts any summer hour; the tz zone, whether it is summer time and
// the clock's caption for the chart.
void FillClock(FormEntries& entries, const ClockOption& clock);

}  // namespace orvanta
