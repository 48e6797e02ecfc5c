// The clock's offset from Universal Time at a place and moment, from the
// operating system's tz database.
//
// For a tz zone name ("Europe/Madrid") and a local civil date and time it
// gives the total offset east of Greenwich in seconds (standard time plus
// daylight saving), whether it was summer time and the zone's
// abbreviation, as the tz database records them for that moment (war time,
// double summer time, the Netherlands' +0:19:32 of 1909-1937 included). A
// local time that the clocks skipped (the hour lost in spring) or showed
// twice (the hour repeated in autumn) is reported as such, with both
// readings, and never resolved silently. The compiled zone files list their
// transitions up to 2037; later dates follow the rule each file ends with.
// Dates of the proleptic Gregorian calendar, seconds ignored beyond minutes.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/birth.h"
#include "model/datetime.h"

namespace orvanta {

struct ClockReading {
  int offsetSeconds = 0;  // east of Greenwich, standard plus daylight saving
  // Summer time: the zone's reading whose clock runs ahead of its other one
  // around that moment (Dublin's +1 in July, not the tz database's flag,
  // which marks Dublin's winter).
  bool summerTime = false;
  std::string abbreviation;  // "CEST", "+0545"
};

enum class LocalTimeKind {
  Unique,   // the clock showed this time once
  Skipped,  // the clock jumped over it
  Doubled,  // the clock showed it twice
};

struct LocalTimeReading {
  LocalTimeKind kind = LocalTimeKind::Unique;
  // Unique: the reading. Doubled: `first` is the earlier (usually daylight)
  // reading, `second` the later one. Skipped: `first` holds before the
  // gap, `second` after it.
  ClockReading first, second;
  // Skipped only: the local times at which the gap begins and ends
  // (02:00 and 03:00 for an hour skipped at 02:00).
  LocalDateTime gapStart{}, gapEnd{};
};

// A zone lookup, fallible: the name may be unknown or the database missing.
struct ZoneLookup {
  std::optional<LocalTimeReading> reading;
  std::string error;  // set when there is no reading
};

class ZoneHistory {
 public:
  ZoneHistory();
  ~ZoneHistory();
  ZoneHistory(const ZoneHistory&) = delete;
  ZoneHistory& operator=(const ZoneHistory&) = delete;

  // True when the tz database knows the zone name and its file is sound.
  // Names for the host's own setting (localtime) are no zones.
  bool Knows(std::string_view zoneName);
  // Why the zone cannot be used when the database is at fault (missing, or
  // the zone's file damaged), as one sentence for a message; nothing when
  // the zone can be used or the database simply has no such name.
  std::optional<std::string> DatabaseProblem(std::string_view zoneName);

  ZoneLookup Lookup(std::string_view zoneName, LocalDateTime local);

  // The tz database's release ("2024a"), or "" when it does not say.
  std::string Version();

 private:
  struct Zone;
  const Zone* Find(std::string_view zoneName);
  // Zones already looked up, with the rule for dates after the last listed
  // transition; filled on first use of each name.
  std::map<std::string, std::unique_ptr<Zone>, std::less<>> zones_;
  std::string problem_;           // why the last Find found nothing
  bool databaseAtFault_ = false;  // ... and whether the database is to blame
};

}  // namespace orvanta
