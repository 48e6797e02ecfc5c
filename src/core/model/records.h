// The birth record one computation starts from, and the fixed name tables.
//
// BirthDetails is a birth as numbers, made from the form's, the command
// line's or a births-file row's entries by one validation step, and the only
// input of the engine: date and clock time as entered (local civil time,
// with seconds), the zone correction with the tz zone it was resolved from,
// and the place as whole degrees and minutes of arc with hemisphere flags
// (the resolution the chart computes with; LatitudeDeg and LongitudeDeg give
// degrees). The engine's own sign conventions (West and North positive) are
// applied by the engine, not here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/datetime.h"

namespace orvanta {

struct BirthDetails {
  std::string Name;
  std::int16_t Month = 1;  // 1..12
  std::int16_t Day = 1;    // 1..31
  std::int16_t Year = 1901;
  std::int16_t Hour = 0;  // local clock time as entered
  std::int16_t Minute = 0;

  // Signed correction from local clock time to universal time, hours and
  // minutes with the same sign ("Indian Time, IST, +5.3" gives -5, -30).
  std::int16_t ZoneShiftHours = 0;
  std::int16_t ZoneShiftMinutes = 0;
  // Their magnitudes, which the ascendant and the Moon start from.
  std::int16_t ZoneHours = 0;
  std::int16_t ZoneMinutes = 0;
  // The tz database zone the correction was resolved from ("Asia/Kathmandu")
  // and whether its reading at the birth is summer time; empty and false
  // when the zone was chosen from the list.
  std::string ZoneName;
  bool ZoneSummerTime = false;

  std::int16_t LonDeg = 0;  // 0..179
  std::int16_t LonMin = 0;  // 0..59
  std::int16_t LatDeg = 0;  // 0..89
  std::int16_t LatMin = 0;  // 0..59
  bool East = true;
  bool South = false;
  bool Dst = false;

  // Local date and time including the seconds, which enter only the time
  // elapsed since sunrise.
  LocalDateTime BirthMoment{};
};

// Latitude in degrees, north positive, from the whole degrees and minutes
// the chart uses.
inline double LatitudeDeg(const BirthDetails& b) {
  const double lat = b.LatDeg + b.LatMin / 60.0;
  return b.South ? -lat : lat;
}

// Longitude in degrees, east positive.
inline double LongitudeDeg(const BirthDetails& b) {
  const double lon = b.LonDeg + b.LonMin / 60.0;
  return b.East ? lon : -lon;
}

// The zone's offset from universal time in minutes, east positive, without
// the daylight-saving tick.
inline int ZoneOffsetMinutes(const BirthDetails& b) {
  return -(b.ZoneShiftHours * 60 + b.ZoneShiftMinutes);
}

// Body index used by PositionText and ChartLabel.
enum Body : int { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, Asc };
inline constexpr int kBodyCount = 10;
inline constexpr int kSignCount = 12;

// Plain chart names of the ten bodies; Mercury..Saturn gain " (R) " when retrograde.
inline constexpr std::array<std::string_view, kBodyCount> kChartLabelNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};

// Three-letter sign abbreviations, Aries first, as the position texts write them.
inline constexpr std::array<std::string_view, kSignCount> kSignAbbr = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// Lord of each sign, Aries first.
inline constexpr std::array<std::string_view, kSignCount> kSignLord = {
    "Mars",  "Venus", "Mercury", "Moon",   "Sun",    "Mercury",
    "Venus", "Mars",  "Jupiter", "Saturn", "Saturn", "Jupiter"};

// The twelve abbreviations run together, sign k at characters 3k+1..3k+3.
inline constexpr std::string_view kSignLetters = "AriTauGemCanLeoVirLibScoSagCapAquPis";

using PositionTexts = std::array<std::string, kBodyCount>;
using ChartLabels = std::array<std::string, kBodyCount>;
using SignCaptions = std::array<std::string, kSignCount>;

// Line break used inside captions (carriage return, line feed).
inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace orvanta
