// The rule a compiled tz zone file ends with (a POSIX TZ string such as
// "EST5EDT,M3.2.0,M11.1.0"), which governs the dates after the file's last
// listed transition.
//
// The rule is read by the date library's Posix::time_zone, whose header does
// not compile as C++20 with GCC 12 (it mixes the library's and the standard's
// hh_mm_ss); posix_rule.cpp is therefore built as C++17 and this interface
// carries only the library's own types.
#pragma once

#include <date/tz.h>

#include <memory>
#include <optional>
#include <string>

namespace orvanta::tzdetail {

class PosixZoneRule {
 public:
  // No value for a text that is not a valid rule.
  static std::unique_ptr<PosixZoneRule> Parse(const std::string& rule);
  ~PosixZoneRule();

  date::local_info Info(date::local_seconds local) const;
  date::sys_info Info(date::sys_seconds instant) const;

 private:
  struct Impl;
  explicit PosixZoneRule(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace orvanta::tzdetail
