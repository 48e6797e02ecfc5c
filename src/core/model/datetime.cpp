#include "model/datetime.h"

#include <array>
#include <cstdio>

namespace orvanta {

namespace {
constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
}  // namespace

std::string_view MonthName(int month) {
  if (month < 1 || month > 12) return {};
  return kMonthNames[static_cast<std::size_t>(month - 1)];
}

LocalDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  using namespace std::chrono;
  // Start from January of the year and add months and days, so that an
  // out-of-range month or day rolls over instead of being unspecified.
  const year_month ym = std::chrono::year{year} / January + months{month - 1};
  const local_days date = local_days{ym / 1} + days{day - 1};
  return date + hours{hour} + minutes{minute} + seconds{second};
}

CivilTime Split(LocalDateTime t) {
  using namespace std::chrono;
  const local_days date = floor<days>(t);
  const year_month_day ymd{date};
  const hh_mm_ss<seconds> hms{t - date};
  CivilTime c;
  c.year = static_cast<int>(ymd.year());
  c.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  c.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  c.hour = static_cast<int>(hms.hours().count());
  c.minute = static_cast<int>(hms.minutes().count());
  c.second = static_cast<int>(hms.seconds().count());
  return c;
}

int DayOfYear(LocalDateTime t) {
  using namespace std::chrono;
  const local_days date = floor<days>(t);
  const year_month_day ymd{date};
  const local_days jan1{ymd.year() / January / 1};
  return static_cast<int>((date - jan1).count()) + 1;
}

int WeekdaySunday0(LocalDateTime t) {
  using namespace std::chrono;
  return static_cast<int>(weekday{floor<days>(t)}.c_encoding());
}

std::string FormatIsoMinute(LocalDateTime t) {
  const CivilTime c = Split(t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute);
  return buf;
}

}  // namespace orvanta
