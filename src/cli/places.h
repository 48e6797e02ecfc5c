// Birth places and time zones on the command line: --place, --tz and
// --places, and the batch columns place and tz.
//
// A birth given with a place takes the atlas place it names by a whole name
// (the atlas's own or another language's), unique once the state, country
// and coordinates are applied; otherwise the candidates or suggestions are
// listed and the birth refused. The place gives the city, state, country,
// coordinates and its zone name for the time-zone history; --lat, --lon and --zone given beside it
// win over the atlas. A zone name (from the place or from --tz) is resolved for the local birth
// time into a zone row, or an exact offset when no row has it, with the
// daylight-saving tick off. A local time that happened twice is refused
// unless --dst (the summer-time reading) or --no-dst (the standard one)
// chooses; a skipped one is refused naming the gap.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>

#include "atlas/atlas.h"
#include "cli/arguments.h"
#include "io/birth_fields.h"
#include "io/birth_resolution.h"
#include "io/place_cache.h"
#include "tz/zone_history.h"
#include "tz/zone_resolution.h"

namespace orvanta::cli {

// The atlas with its kept answers (io/place_cache.h) and the zone history,
// which keeps the zones it has read. One per run of the program.
class PlaceServices {
 public:
  const Atlas& atlas() { return places_.atlas(); }
  ZoneHistory& history() { return history_; }

  // The place a birth names.
  const PlaceResolution& ResolveBirthPlace(const std::string& query) {
    return places_.Resolve(query);
  }

 private:
  PlaceCache places_;
  ZoneHistory history_;
};

// What the place and the zone contributed to one birth, for the output.
struct PlaceReport {
  std::optional<Place> place;                  // set when a place was looked up
  std::optional<FormCoordinates> coordinates;  // the coordinates used with it
  std::optional<ZoneResolution> zone;          // set when the zone was resolved
  std::string ownClockCaption;                 // the place's own clock, where the birth takes it
  std::string otherClockCaption;               // the other choice, where there is one
};

struct ResolvedBirth {
  // The birth in numbers, with the form's refusal where it has one.
  std::optional<BirthReading> birth;
  PlaceReport report;
  std::string error;  // set when there is no birth
  int status = 0;     // kExitUsage for a malformed field, kExitRefused for a place or time problem
};

// How the command line chooses a reading of a doubled time, for the message.
inline constexpr ReadingChoiceWords kOptionWords{"--dst", "--no-dst"};
inline constexpr ReadingChoiceWords kColumnWords{"dst 1", "dst 0"};

// One birth in numbers with its place and zone resolved.
// `preference` chooses a city time or the tz reading where they differ.
ResolvedBirth ResolveBirth(const BirthFields& fields, PlaceServices& services,
                           ReadingChoiceWords words,
                           ClockPreference preference = ClockPreference::City);

// --places QUERY: the matches one per line, or a JSON array, for standard
// output; a message for standard error; the exit status.
struct PlaceList {
  std::string text;
  std::string error;
  int status = 0;
};
PlaceList ListPlaces(std::string_view query, bool json, PlaceServices& services);

class JsonObject;

// The Place and ZoneResolved members of a chart's JSON object, each only
// when the report has it.
void AppendPlaceMembers(JsonObject& o, const PlaceReport& report, bool withPlace = true,
                        bool withZone = true);
// Text lines for the report ("Place" and "Zone").
void AppendPlaceText(std::string& out, const PlaceReport& report);

}  // namespace orvanta::cli
