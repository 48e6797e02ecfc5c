#include "engine/sunrise.h"

#include <chrono>
#include <cmath>

#include "engine/rounded_constants.h"

namespace orvanta {

namespace sun {
// The program's own rounded constants. Every one of them is used exactly as
// written: the rounding is part of the result (a clock minute can depend on
// the fifth digit), so none may be replaced by a more exact value. The
// forms of pi come from rounded_constants.h.
inline constexpr double kQuarterTurnRad = rounded::kQuarterTurnShort;
inline constexpr double kHalfTurnRad = rounded::kHalfTurnShort;
inline constexpr double kThreeQuarterTurnRad = rounded::kThreeQuarterTurnShort;
inline constexpr double kFullTurnRad = rounded::kFullTurnShort;
inline constexpr double kRadPerDeg = rounded::kDegToRadShort;
inline constexpr double kRadPerHour = rounded::kHourToRadShort;
// Cosine of the zenith distance 90 deg 50 min (upper limb with refraction), rounded.
inline constexpr double kCosZenith = -0.0145439;
// Mean anomaly of the Sun: rate in radians per day, rounded.
inline constexpr double kMeanAnomalyRadPerDay = 0.017202;
// Mean anomaly of the Sun: offset in radians, rounded.
inline constexpr double kMeanAnomalyOffsetRad = 0.0574039;
// Equation of centre: coefficient of sin M in radians, rounded.
inline constexpr double kCentreSin1Rad = 0.0334405;
// Equation of centre: coefficient of sin 2M in radians, rounded.
inline constexpr double kCentreSin2Rad = 0.000349066;
// Longitude of perihelion term in radians, rounded.
inline constexpr double kPerihelionRad = 4.93289;
// One second of arc in radians; moves L off an exact quarter turn (tan L).
inline constexpr double kOneArcsecRad = 4.84814e-06;
// Cosine of the obliquity of the ecliptic, rounded (right ascension).
inline constexpr double kCosObliquity = 0.91746;
// Sine of the obliquity of the ecliptic, rounded (declination).
inline constexpr double kSinObliquity = 0.39782;
// Sidereal correction in radians per day, rounded.
inline constexpr double kSiderealRadPerDay = 0.0172028;
// Local mean time offset in radians, rounded.
inline constexpr double kLocalMeanTimeOffsetRad = 1.73364;
inline constexpr double kHoursPerRad = rounded::kRadToHourShort;
// Pi as the quadrant arctangent uses it: 3.2e-15 below pi.
inline constexpr double kAtanPi = rounded::kPi;
// Largest magnitude an angle may have before it is reduced by repeated
// turns. Every place on Earth stays far below it; a larger value can only
// come from nonsensical input and counts as a failed event rather than a
// reduction loop that runs for millions of turns.
inline constexpr double kMaxReducibleRad = 1.0e4;
inline constexpr int kMinutesPerDay = 24 * 60;
}  // namespace sun

namespace {

// Sgn of the program's arithmetic: -1, 0 or +1.
double Sgn(double v) {
  return v > 0.0 ? 1.0 : (v < 0.0 ? -1.0 : 0.0);
}

// Repeated turns into 0 <= angle < full turn, as the algorithm writes it;
// false when the angle cannot be reduced (not finite, or absurdly large).
// `wholeTurns` receives the turns taken away: the angle was the result plus
// that many turns.
bool ReduceTurns(double& angleRad, int& wholeTurns) {
  wholeTurns = 0;
  if (!std::isfinite(angleRad) || std::fabs(angleRad) > sun::kMaxReducibleRad) return false;
  while (angleRad < 0.0) {
    angleRad = angleRad + sun::kFullTurnRad;
    --wholeTurns;
  }
  while (angleRad >= sun::kFullTurnRad) {
    angleRad = angleRad - sun::kFullTurnRad;
    ++wholeTurns;
  }
  return true;
}

bool ReduceTurns(double& angleRad) {
  int wholeTurns = 0;
  return ReduceTurns(angleRad, wholeTurns);
}

// Whole turns to add to a local mean time to bring it within half a turn of
// the event's base angle (06:00 for the rise, 18:00 for the set): the event
// of the solar day asked for. A rise lies between about 00:00 and 12:00
// local mean time and a set between 12:00 and 24:00 (the equation of time
// moves both by up to a quarter of an hour, so a set near midnight can fall
// on the next day and a rise on the day before); half a turn leaves hours
// to spare either way.
int TurnsToBaseDay(double localMeanRad, double baseRad) {
  int turns = 0;
  double angleRad = localMeanRad;
  while (angleRad < baseRad - sun::kHalfTurnRad) {
    angleRad = angleRad + sun::kFullTurnRad;
    ++turns;
  }
  while (angleRad >= baseRad + sun::kHalfTurnRad) {
    angleRad = angleRad - sun::kFullTurnRad;
    --turns;
  }
  return turns;
}

// The place of the events: latitude (as its sine and cosine), longitude and
// zone in radians.
struct EventPlace {
  double sinLat = 0, cosLat = 0, lonRad = 0, zoneRad = 0;
};

// Minutes from the local midnight that starts the input date to one event
// (rise or set) of the solar day of that date at the place: negative for an
// event on the clock's previous day, 1440 or more for one on the next day.
// Nothing where the sun does not reach the horizon that day (|c| >= 1: the
// square root or the division by it has no value) or any step gives a
// non-finite number.
std::optional<int> EventMinutes(double baseRad, int dayOfYear0, const EventPlace& place,
                                bool isRise) {
  const double lonRad = place.lonRad;
  using namespace sun;
  // 9.1-9.2: time of the event in days and the Sun's mean anomaly.
  const double t = (baseRad - lonRad) / kFullTurnRad + dayOfYear0;
  const double m = kMeanAnomalyRadPerDay * t - kMeanAnomalyOffsetRad;

  // 9.3-9.4: true longitude, reduced, nudged off an exact quarter turn.
  double l = m + kCentreSin1Rad * std::sin(m) + kPerihelionRad + kCentreSin2Rad * std::sin(2 * m);
  if (!ReduceTurns(l)) return std::nullopt;
  const double quarters = l / kQuarterTurnRad;
  if (quarters == std::floor(quarters)) l = l + kOneArcsecRad;

  // 9.5: right ascension in the quadrant of L.
  const double tanL = std::sin(l) / std::cos(l);
  if (!std::isfinite(tanL)) return std::nullopt;
  double ra = Sun_Atan2(kCosObliquity * tanL, 1);
  if (l > kThreeQuarterTurnRad) {
    ra = ra + kFullTurnRad;
  } else if (l > kQuarterTurnRad) {
    ra = ra + kHalfTurnRad;
  }

  // 9.6: declination.
  const double sinDec = kSinObliquity * std::sin(l);
  const double dec = Sun_Atan2(sinDec / std::sqrt(1 - sinDec * sinDec), 1);

  // 9.7-9.8: local hour angle. |c| >= 1 is the polar day or night: the
  // square root is of a negative number or the division is by zero.
  const double c = (kCosZenith - std::sin(dec) * place.sinLat) / (std::cos(dec) * place.cosLat);
  if (!std::isfinite(c) || std::fabs(c) >= 1.0) return std::nullopt;
  double h = kQuarterTurnRad - Sun_Atan2(c / std::sqrt(1 - c * c), 1);
  if (isRise) h = kFullTurnRad - h;

  // 9.9-9.10: local mean time, then local clock angle, reduced to a time
  // of day. The turns taken away, with those that bring the local mean time
  // to the solar day asked for, count the days between the input date and
  // the clock's date of the event.
  const double localMeanRad = h + ra - kSiderealRadPerDay * t - kLocalMeanTimeOffsetRad;
  const double universalRad = localMeanRad - lonRad;
  double clockRad = universalRad + place.zoneRad;
  int clockTurns = 0;
  if (!ReduceTurns(clockRad, clockTurns)) return std::nullopt;
  const int dayOffset = clockTurns + TurnsToBaseDay(localMeanRad, baseRad);

  // 9.11: hours and the rounded minute.
  const double hours = clockRad * kHoursPerRad;
  if (!std::isfinite(hours)) return std::nullopt;
  return dayOffset * kMinutesPerDay + ClockMinutesOfHours(hours);
}

bool IsValidCivilDate(int year, int month, int day) {
  using namespace std::chrono;
  if (year < -32767 || year > 32767 || month < 1 || month > 12 || day < 1 || day > 31) {
    return false;
  }
  return year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                        std::chrono::day{static_cast<unsigned>(day)}}
      .ok();
}

}  // namespace

SunriseInput SunriseInputFor(const Birth& b, LocalDateTime date) {
  const CivilTime c = Split(date);
  SunriseInput in;
  in.month = c.month;
  in.day = c.day;
  in.year = c.year;
  in.position = b.position;
  in.clock = b.clock;
  return in;
}

SunEvents SunEventsOf(const SunriseInput& in) {
  SunEvents events;
  // A date that names no day cannot be dated; both events are absent (the
  // caller keeps what it had), as when the date text cannot be read back.
  if (!IsValidCivilDate(in.year, in.month, in.day)) return events;

  // 1. Place in degrees, north and east positive.
  const double latDeg = LatitudeDeg(in.position);
  const double lonDeg = LongitudeDeg(in.position);

  // 2, 6. Zone offset in hours, east positive. With the daylight-saving
  // tick the clock runs one hour ahead, on every date, as it does for the
  // universal time of the birth. The offset stays as it is (+13 is not -11:
  // the clock times agree but the dates are a day apart).
  const double zoneHours = ClockHours(in.clock);

  // 3-4. The date and its day of the year (from 0).
  const int dayOfYear0 = DayOfYear(MakeDateTime(in.year, in.month, in.day)) - 1;

  // 8.
  const double latRad = latDeg * sun::kRadPerDeg;
  const EventPlace place{std::sin(latRad), std::cos(latRad), lonDeg * sun::kRadPerDeg,
                         zoneHours * sun::kRadPerHour};

  // 9. The rise first; where it fails the set is never computed. Each is
  // dated on the local date on which it happens.
  const LocalDateTime midnight = MakeDateTime(in.year, in.month, in.day);
  const auto riseMinutes = EventMinutes(sun::kQuarterTurnRad, dayOfYear0, place, true);
  if (!riseMinutes) return events;
  events.rise = midnight + std::chrono::minutes{*riseMinutes};
  const auto setMinutes = EventMinutes(sun::kThreeQuarterTurnRad, dayOfYear0, place, false);
  if (setMinutes) events.set = midnight + std::chrono::minutes{*setMinutes};
  return events;
}

int ClockMinutesOfHours(double hours) {
  if (!std::isfinite(hours) || hours <= 0) return 0;
  const double wholeHours = std::floor(std::fmin(hours, 24.0));
  const int roundedMinutes = static_cast<int>(std::floor((hours - wholeHours) * 60 + 0.5));
  // A minute part of 60 carries into the next hour. Hour 24 (a carry from
  // 23:59.5 on, or an hour part of 24 where the angle sits just below the
  // rounded full turn, whose hours reach 24.00003) is 00:00 of the next day.
  const int total = static_cast<int>(wholeHours) * 60 + roundedMinutes;
  return total < sun::kMinutesPerDay ? total : sun::kMinutesPerDay;
}

double Sun_Atan2(double y, double x) {
  if (x > 0) return std::atan(y / x);
  if (x == 0) return Sgn(y) * sun::kAtanPi / 2;
  return (sun::kAtanPi - std::atan(std::fabs(y / x))) * Sgn(y);
}

}  // namespace orvanta
