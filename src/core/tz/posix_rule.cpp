#include "tz/posix_rule.h"

#include <date/ptz.h>

#include <exception>

namespace orvanta::tzdetail {

struct PosixZoneRule::Impl {
  Posix::time_zone zone;
};

PosixZoneRule::PosixZoneRule(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PosixZoneRule::~PosixZoneRule() = default;

std::unique_ptr<PosixZoneRule> PosixZoneRule::Parse(const std::string& rule) {
  try {
    return std::unique_ptr<PosixZoneRule>(
        new PosixZoneRule(std::make_unique<Impl>(Impl{Posix::time_zone(rule)})));
  } catch (const std::exception&) {
    return nullptr;
  }
}

date::local_info PosixZoneRule::Info(date::local_seconds local) const {
  return impl_->zone.get_info(local);
}

date::sys_info PosixZoneRule::Info(date::sys_seconds instant) const {
  return impl_->zone.get_info(instant);
}

}  // namespace orvanta::tzdetail
