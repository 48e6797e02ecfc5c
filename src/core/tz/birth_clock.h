// The clock a birth was told in, from its tz zone, its place and its local
// clock reading: the one rule every front end asks.
//
// - A city clock the tz database leaves out (tz/city_times.h) wins inside
//   its area and period, where the place came from the atlas and the tz
//   history gives its zone's standard time there: a Mumbai birth of 1930 is
//   on Bombay Time, UTC+4:51, not on Indian Standard Time.
// - Otherwise the tz history's reading holds, except where it gives local
//   mean time ("LMT"): that is the mean time of the zone's own city, and a
//   birth before standard time was told in its own place's mean time, the
//   longitude / 15 hours to the second (Pokhara 1901 at 83°58' E is
//   UTC+5:35:52, not Kathmandu's UTC+5:41:16).
// Each clock comes with its caption for every output, and the other choice
// (the tz reading beside a city time or local mean time, or the reverse),
// which a user takes with "--clock standard" or the desktop's one click.
// An explicit zone row or offset never reaches this rule: it is honoured as
// given. An explicit tz zone does, but is never given a city time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/birth.h"
#include "model/datetime.h"
#include "tz/clock_preference.h"
#include "tz/zone_history.h"
#include "tz/zone_resolution.h"

namespace orvanta {

struct BirthClockQuery {
  std::string_view zoneName;  // "Asia/Kolkata"
  GeoPosition position;       // the birth place, to the minute of arc
  // The place and its zone came from the atlas (not a zone typed by the
  // user): only then may a city time apply.
  bool placeFromAtlas = false;
  LocalDateTime local{};  // the local clock reading
  DoubledChoice doubled = DoubledChoice::Refuse;
};

struct ClockOption {
  Clock clock;
  // "Bombay Time, UTC+4:51, the city's own clock until 1955",
  // "local mean time at 83°58′ E, UTC+5:35:52",
  // "Asia/Kolkata, UTC+5:30, standard time (IST)".
  std::string caption;
};

struct BirthClock {
  // The tz history's answer for the zone and reading; without a resolution
  // (unknown zone, doubled or skipped time) there is no clock, and its
  // kind, readings and message say why.
  ZoneResolutionResult tz;
  std::optional<ClockOption> clock;  // the birth's clock under the preference
  // The other choice, where the place's own clock and the tz reading
  // differ; nothing where they are the same clock.
  std::optional<ClockOption> alternative;
};

BirthClock BirthClockOf(ZoneHistory& history, const BirthClockQuery& query,
                        ClockPreference preference = ClockPreference::City);

// The clock a birth keeps of an option: its numbers with the tick off (the
// offset counts any summer hour), and the caption where it is the place's
// own clock (a city time, local mean time); a tz reading is named by its
// zone and offset in every output.
Clock KeptClockOf(const ClockOption& option);

// The tz reading of a resolution as a clock ("Asia/Kolkata", +5:30, its
// zone row), with its caption.
ClockOption TzClockOf(const ZoneResolution& resolution);

// The caption of a birth's clock kept as numbers (a births file's row): a
// city's own clock (its row found by the birth's zone, place, date and
// offset) and the place's mean time are named as when the clock was found;
// any other clock, or a city clock no row holds any longer, gets none (the
// chart then names its zone and offset).
std::string CaptionOfKeptClock(const Birth& birth);

// "83°58′ E": whole degrees, two-digit minutes of arc and the hemisphere.
std::string LongitudeCaption(const ArcAngle& longitude);

}  // namespace orvanta
