#include "tz/zone_history.h"

#include <date/tz.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>

#include "tz/posix_rule.h"

namespace orvanta {

namespace {

// Where Debian's tzdata installs the compiled zone files.
inline constexpr std::string_view kZoneInfoDir = "/usr/share/zoneinfo/";

// A period that lasts past this is the zone's last one in the file: from
// there on the file's closing rule governs.
inline constexpr auto kOpenEnded = date::sys_days{date::year{2100} / 1 / 1};

// The rule a compiled zone file ends with (a POSIX TZ string such as
// "EST5EDT,M3.2.0,M11.1.0"), which holds after its last listed transition;
// empty when the file has none.
std::string ClosingRule(const std::string& zoneName) {
  // Names come from the database's own list; refuse anything that could
  // leave the zone directory all the same.
  if (zoneName.empty() || zoneName.find("..") != std::string::npos || zoneName.front() == '/')
    return {};
  std::ifstream file(std::string(kZoneInfoDir) + zoneName, std::ios::binary);
  if (!file) return {};
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 2 || bytes.back() != '\n') return {};
  const std::size_t start = bytes.rfind('\n', bytes.size() - 2);
  if (start == std::string::npos) return {};
  return bytes.substr(start + 1, bytes.size() - start - 2);
}

ClockReading ReadingOf(const date::sys_info& info) {
  return ClockReading{static_cast<int>(info.offset.count()), info.save.count() != 0, info.abbrev};
}

LocalTimeReading ReadingOf(const date::local_info& info) {
  LocalTimeReading r;
  r.first = ReadingOf(info.first);
  switch (info.result) {
    case date::local_info::unique:
      r.kind = LocalTimeKind::Unique;
      break;
    case date::local_info::ambiguous:
      r.kind = LocalTimeKind::Doubled;
      r.second = ReadingOf(info.second);
      break;
    case date::local_info::nonexistent: {
      r.kind = LocalTimeKind::Skipped;
      r.second = ReadingOf(info.second);
      const auto change = info.first.end.time_since_epoch();
      r.gapStart = LocalDateTime{change + info.first.offset};
      r.gapEnd = LocalDateTime{change + info.second.offset};
      break;
    }
  }
  return r;
}

}  // namespace

struct ZoneHistory::Zone {
  const date::time_zone* zone = nullptr;
  std::unique_ptr<tzdetail::PosixZoneRule> closingRule;  // only when it keeps daylight saving
};

ZoneHistory::ZoneHistory() = default;
ZoneHistory::~ZoneHistory() = default;

const ZoneHistory::Zone* ZoneHistory::Find(std::string_view zoneName) {
  if (const auto it = zones_.find(zoneName); it != zones_.end()) return it->second.get();
  auto zone = std::make_unique<Zone>();
  try {
    zone->zone = date::locate_zone(zoneName);
  } catch (const std::exception&) {
    return nullptr;  // an unknown name, or no database at all
  }
  if (const std::string rule = ClosingRule(zone->zone->name());
      rule.find(',') != std::string::npos) {
    // An unreadable rule leaves none: the listed transitions still hold.
    zone->closingRule = tzdetail::PosixZoneRule::Parse(rule);
  }
  const Zone* found = zone.get();
  zones_.emplace(std::string(zoneName), std::move(zone));
  return found;
}

bool ZoneHistory::Knows(std::string_view zoneName) {
  return Find(zoneName) != nullptr;
}

ZoneLookup ZoneHistory::Lookup(std::string_view zoneName, LocalDateTime local) {
  ZoneLookup lookup;
  const Zone* zone = Find(zoneName);
  if (!zone) {
    lookup.error = "The time-zone database has no zone \"" + std::string(zoneName) + "\".";
    return lookup;
  }
  try {
    const date::local_seconds t{local.time_since_epoch()};
    const date::local_info info = zone->zone->get_info(t);
    if (zone->closingRule && info.result == date::local_info::unique &&
        info.first.end >= kOpenEnded) {
      lookup.reading = ReadingOf(zone->closingRule->Info(t));
    } else {
      lookup.reading = ReadingOf(info);
    }
  } catch (const std::exception& ex) {
    lookup.error = std::string("The time-zone database could not be read: ") + ex.what();
  }
  return lookup;
}

std::string ZoneHistory::Version() {
  try {
    return date::get_tzdb().version;
  } catch (const std::exception&) {
    return {};
  }
}

std::string FormatUtcOffset(int offsetSeconds) {
  const int magnitude = std::abs(offsetSeconds);
  const int hours = magnitude / 3600;
  const int minutes = magnitude / 60 % 60;
  const int seconds = magnitude % 60;
  std::string text = "UTC";
  text += offsetSeconds < 0 ? '-' : '+';
  text += std::to_string(hours) + ":" + (minutes < 10 ? "0" : "") + std::to_string(minutes);
  if (seconds != 0) text += std::string(":") + (seconds < 10 ? "0" : "") + std::to_string(seconds);
  return text;
}

}  // namespace orvanta
