// A births-file row made into a birth: its place looked up in the atlas and
// its zone name resolved for the birth's local time, by the rules of the
// births file (io/births_csv.h). The command line's batch mode and the
// desktop program's import read rows through this one function.
//
// A place fills the city, state, country and coordinates the row leaves
// empty, and gives its zone name; a tz column names the zone instead. The
// zone name is resolved into a zone row (or an exact offset) unless a zone
// or offset column decides the clock, in which case the name is only kept.
// A local time the clocks showed twice takes the reading the dst column
// chooses (1 summer time, 0 standard time) and is refused when it is empty;
// a skipped one is refused naming the gap. Every message is one line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "atlas/atlas.h"
#include "io/birth_entries.h"
#include "io/birth_fields.h"
#include "tz/clock_preference.h"
#include "tz/zone_history.h"
#include "tz/zone_resolution.h"

namespace orvanta {

struct RowResolution {
  // The row's birth in numbers, with the form's refusal where it has one.
  std::optional<BirthReading> birth;
  std::string zoneName;                        // the tz name kept with the birth; empty when none
  std::optional<Place> place;                  // set when a place was looked up
  std::optional<FormCoordinates> coordinates;  // the coordinates used with it
  std::optional<ZoneResolution> zone;          // set when the zone was resolved
  // The caption of the birth's clock where it is the place's own (a city
  // time, local mean time; tz/birth_clock.h), and of the other choice
  // where there is one; empty otherwise.
  std::string ownClockCaption;
  std::string otherClockCaption;
  std::string error;       // set when there is no birth
  bool malformed = false;  // the error is a field of the wrong shape, not a place or time problem
};

// How the user chooses a reading of a doubled time, for the message: a
// births file's dst column, or the command line's options.
struct ReadingChoiceWords {
  std::string_view summer;    // "dst 1"
  std::string_view standard;  // "dst 0"
};
inline constexpr ReadingChoiceWords kDstColumnWords{"dst 1", "dst 0"};

// The atlas's answer for a place text (Atlas::Resolve); the caller may keep
// earlier answers.
using PlaceFinder = std::function<const PlaceResolution&(const std::string& query)>;

// `preference` chooses between a city time or local mean time and the tz
// reading where they differ (tz/birth_clock.h).
RowResolution ResolveRow(const BirthFields& fields, const PlaceFinder& findPlace,
                         ZoneHistory& history, ReadingChoiceWords words = kDstColumnWords,
                         ClockPreference preference = ClockPreference::City);

}  // namespace orvanta
