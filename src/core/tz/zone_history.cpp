#include "tz/zone_history.h"

#include <date/tz.h>
#include <sys/stat.h>

#include <cstdint>
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

// True when the database's folder lists any zone.
bool DatabaseIsThere() {
  struct stat folder {};
  if (::stat(std::string(kZoneInfoDir).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
    return false;
  }
  try {
    return !date::get_tzdb().zones.empty();
  } catch (const std::exception&) {
    return false;
  }
}

// Names that stand for the host's own setting, not for a zone of the
// database: a birth's zone never depends on the computer it is computed on.
bool IsHostAlias(std::string_view zoneName) {
  return zoneName == "localtime" || zoneName == "posixrules" || zoneName == "Factory";
}

// True when the compiled zone file (TZif, RFC 8536) is whole and its
// indices point inside its tables. The time-zone library reads these files
// with assertions and unchecked indices, so a damaged file would end the
// process: it is read only after this check.
bool ZoneFileIsSound(const std::string& bytes) {
  struct Counts {
    std::uint32_t isut, isstd, leap, time, type, chars;
  };
  const auto u32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  constexpr std::size_t kHeaderBytes = 44;
  // The header at `at`: its counts, or nothing when it is no TZif header.
  const auto header = [&](std::size_t at) -> std::optional<Counts> {
    if (bytes.size() < at + kHeaderBytes || bytes.compare(at, 4, "TZif") != 0) return std::nullopt;
    const char version = bytes[at + 4];
    if (version != '\0' && version != '2' && version != '3' && version != '4') return std::nullopt;
    const Counts c{u32(at + 20), u32(at + 24), u32(at + 28),
                   u32(at + 32), u32(at + 36), u32(at + 40)};
    // Counts far beyond any real zone would only overflow the sums below.
    constexpr std::uint32_t kMostEntries = 1u << 20;
    if (c.isut > kMostEntries || c.isstd > kMostEntries || c.leap > kMostEntries ||
        c.time > kMostEntries || c.type > kMostEntries || c.chars > kMostEntries) {
      return std::nullopt;
    }
    if (c.type == 0 || (c.isut != 0 && c.isut != c.type) || (c.isstd != 0 && c.isstd != c.type)) {
      return std::nullopt;
    }
    return c;
  };
  const auto dataBytes = [](const Counts& c, std::size_t timeBytes) {
    return std::size_t{c.time} * timeBytes + c.time + std::size_t{c.type} * 6 + c.chars +
           std::size_t{c.leap} * (timeBytes + 4) + c.isstd + c.isut;
  };
  const std::optional<Counts> first = header(0);
  if (!first) return false;
  std::size_t at = kHeaderBytes;
  Counts counts = *first;
  std::size_t timeBytes = 4;
  if (bytes[4] != '\0') {
    // Version 2 and later repeat the data with 64-bit times, which are the
    // ones read.
    at += dataBytes(*first, 4);
    const std::optional<Counts> second = header(at);
    if (!second || bytes[at + 4] != bytes[4]) return false;
    counts = *second;
    at += kHeaderBytes;
    timeBytes = 8;
  }
  if (bytes.size() < at + dataBytes(counts, timeBytes)) return false;
  const std::size_t types = at + std::size_t{counts.time} * timeBytes;
  for (std::size_t i = 0; i < counts.time; ++i) {
    if (static_cast<unsigned char>(bytes[types + i]) >= counts.type) return false;
  }
  const std::size_t infos = types + counts.time;
  for (std::size_t i = 0; i < counts.type; ++i) {
    const auto isDst = static_cast<unsigned char>(bytes[infos + 6 * i + 4]);
    const auto abbreviation = static_cast<unsigned char>(bytes[infos + 6 * i + 5]);
    if (isDst > 1 || abbreviation >= counts.chars) return false;
  }
  return true;
}

// Periods are followed back to this instant and forward to the next, no
// further: no birth lies outside them.
inline constexpr auto kEarliestPeriod = date::sys_days{date::year{1800} / 1 / 1};
inline constexpr auto kLatestPeriod = date::sys_days{date::year{2200} / 1 / 1};

// A zone as the lookups read it: the file's listed periods and, beyond the
// last of them, the rule the file ends with (when it keeps daylight saving).
struct ZonePeriods {
  const date::time_zone* zone = nullptr;
  const tzdetail::PosixZoneRule* closingRule = nullptr;

  date::sys_info At(date::sys_seconds instant) const {
    date::sys_info info = zone->get_info(instant);
    if (closingRule && info.end >= kOpenEnded) info = closingRule->Info(instant);
    return info;
  }
};

bool Flagged(const date::sys_info& period) {
  return period.save.count() != 0;
}

// Summer time as people use the word: of the zone's two readings around a
// moment, the one whose clock runs ahead. The tz database's daylight flag
// is not that: it marks the winter of Europe/Dublin (whose summer time is
// its standard time in the database's terms) and the Ramadan hour of
// Africa/Casablanca, both an hour behind the rest of the year. The nearest
// period whose flag and offset both differ from this one's decides; a zone
// with one kind of period only keeps its flag. The doubled-hour message,
// --dst and the desktop's question all read this one answer.
bool IsSummerTime(const ZonePeriods& zone, const date::sys_info& period) {
  constexpr int kMostSteps = 6;  // periods looked at on each side
  const auto differs = [&](const date::sys_info& other) {
    return Flagged(other) != Flagged(period) && other.offset != period.offset;
  };
  std::optional<date::sys_info> before, after;
  date::sys_info p = period;
  for (int i = 0; i < kMostSteps && p.begin > kEarliestPeriod; ++i) {
    p = zone.At(p.begin - std::chrono::seconds{1});
    if (differs(p)) {
      before = p;
      break;
    }
  }
  p = period;
  for (int i = 0; i < kMostSteps && p.end < kLatestPeriod; ++i) {
    p = zone.At(p.end);
    if (differs(p)) {
      after = p;
      break;
    }
  }
  if (before && after) {
    // The nearer one; the earlier when both are as near.
    if (after->begin - period.end < period.begin - before->end) before.reset();
  }
  const std::optional<date::sys_info>& other = before ? before : after;
  if (!other) return Flagged(period);
  return period.offset > other->offset;
}

ClockReading ReadingOf(const ZonePeriods& zone, const date::sys_info& info) {
  return ClockReading{static_cast<int>(info.offset.count()), IsSummerTime(zone, info), info.abbrev};
}

LocalTimeReading ReadingOf(const ZonePeriods& zone, const date::local_info& info) {
  LocalTimeReading r;
  r.first = ReadingOf(zone, info.first);
  switch (info.result) {
    case date::local_info::unique:
      r.kind = LocalTimeKind::Unique;
      break;
    case date::local_info::ambiguous:
      r.kind = LocalTimeKind::Doubled;
      r.second = ReadingOf(zone, info.second);
      break;
    case date::local_info::nonexistent: {
      r.kind = LocalTimeKind::Skipped;
      r.second = ReadingOf(zone, info.second);
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
  problem_.clear();
  databaseAtFault_ = false;
  if (const auto it = zones_.find(zoneName); it != zones_.end()) return it->second.get();
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on a
  // literal added to a temporary string.
  std::string quoted = "\"";
  quoted.append(zoneName).append("\"");
  const std::string noZone = "The time-zone database has no zone " + quoted + ".";
  if (!DatabaseIsThere()) {
    problem_ = "The time-zone database cannot be read: " + std::string(kZoneInfoDir) +
               " holds no zones (install the tzdata package).";
    databaseAtFault_ = true;
    return nullptr;
  }
  if (zoneName.empty() || IsHostAlias(zoneName) || zoneName.find("..") != std::string::npos ||
      zoneName.front() == '/') {
    problem_ = noZone;
    return nullptr;
  }
  auto zone = std::make_unique<Zone>();
  try {
    zone->zone = date::locate_zone(zoneName);
  } catch (const std::exception&) {
    problem_ = noZone;
    return nullptr;
  }
  {
    std::ifstream file(std::string(kZoneInfoDir) + zone->zone->name(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    if (!ZoneFileIsSound(bytes)) {
      problem_ = "The time-zone database's file for " + quoted + " is damaged (" +
                 std::string(kZoneInfoDir) + zone->zone->name() + ").";
      databaseAtFault_ = true;
      return nullptr;
    }
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

std::optional<std::string> ZoneHistory::DatabaseProblem(std::string_view zoneName) {
  if (Find(zoneName) || !databaseAtFault_) return std::nullopt;
  return problem_;
}

ZoneLookup ZoneHistory::Lookup(std::string_view zoneName, LocalDateTime local) {
  ZoneLookup lookup;
  const Zone* zone = Find(zoneName);
  if (!zone) {
    lookup.error = problem_;
    return lookup;
  }
  try {
    const date::local_seconds t{local.time_since_epoch()};
    const date::local_info info = zone->zone->get_info(t);
    const ZonePeriods periods{zone->zone, zone->closingRule.get()};
    if (zone->closingRule && info.result == date::local_info::unique &&
        info.first.end >= kOpenEnded) {
      lookup.reading = ReadingOf(periods, zone->closingRule->Info(t));
    } else {
      lookup.reading = ReadingOf(periods, info);
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

}  // namespace orvanta
