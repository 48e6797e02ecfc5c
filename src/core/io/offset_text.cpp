#include "io/offset_text.h"

#include <cstdlib>

namespace orvanta {

namespace {

Parsed<std::optional<int>> BadOffset(std::string_view text) {
  return {std::nullopt,
          "bad offset " + QuotedForMessage(text) + ": expected minutes east of Greenwich, " +
              std::to_string(kMostWestOffsetMinutes) + ".." +
              std::to_string(kMostEastOffsetMinutes) + " (345 for +5:45), or +H:MM:SS (+5:41:16)"};
}

// "5:41:16" or "5:45" into seconds: hours of one or two digits, then
// two-digit minutes and seconds below 60.
std::optional<int> ClockOffsetSeconds(std::string_view s) {
  const std::size_t colon = s.find(':');
  const std::optional<int> hours = SmallNumber(s.substr(0, colon), 2);
  if (!hours) return std::nullopt;
  std::string_view rest = s.substr(colon + 1);
  const std::size_t colon2 = rest.find(':');
  const std::string_view minutesText = rest.substr(0, colon2);
  const std::string_view secondsText =
      colon2 == std::string_view::npos ? std::string_view{} : rest.substr(colon2 + 1);
  if (minutesText.size() != 2) return std::nullopt;
  const std::optional<int> minutes = SmallNumber(minutesText, 2);
  std::optional<int> seconds = 0;
  if (colon2 != std::string_view::npos) {
    if (secondsText.size() != 2) return std::nullopt;
    seconds = SmallNumber(secondsText, 2);
  }
  if (!minutes || !seconds || *minutes > 59 || *seconds > 59) return std::nullopt;
  return *hours * 3600 + *minutes * 60 + *seconds;
}

std::string TwoDigits(int v) {
  std::string text = std::to_string(v);
  if (v < 10) text.insert(text.begin(), '0');
  return text;
}

}  // namespace

BirthClockQuery ClockQueryOf(const FormEntries& e, std::string_view zoneName, LocalDateTime local,
                             DoubledChoice doubled, bool placeFromAtlas) {
  BirthClockQuery q;
  q.zoneName = zoneName;
  q.local = local;
  q.doubled = doubled;
  q.placeFromAtlas = placeFromAtlas;
  auto arc = [](const std::string& deg, const std::string& min, bool positive) {
    ArcAngle a;
    a.degrees = static_cast<std::int16_t>(SmallNumber(TrimField(deg), 3).value_or(0));
    a.minutes = static_cast<std::int16_t>(SmallNumber(TrimField(min), 2).value_or(0));
    a.positive = positive;
    return a;
  };
  q.position.latitude = arc(e.latDeg, e.latMin, e.north);
  q.position.longitude = arc(e.lonDeg, e.lonMin, e.east);
  return q;
}

void FillClock(FormEntries& e, const ClockOption& option) {
  const Clock& clock = option.clock;
  if (clock.zoneRow) {
    e.zoneIndex = *clock.zoneRow;
    e.exactOffsetMinutes.reset();
    e.exactOffsetSeconds.reset();
  } else {
    SetExactOffset(e, clock.offsetSeconds);
  }
  e.daylightTick = false;
  e.zoneName = clock.zoneName;
  e.summerTime = clock.summerTime;
  const bool ownClock = IsPlacesOwnClock(clock.source);
  e.clockCaption = ownClock ? option.caption : std::string{};
  e.clockSource = ownClock ? std::optional<ClockSource>(clock.source) : std::nullopt;
}

Parsed<std::optional<int>> ParseOffsetSeconds(std::string_view text) {
  const std::string_view s = TrimField(text);
  if (s.empty()) return {std::optional<int>{}, {}};
  const bool west = s.front() == '-';
  const std::string_view body = (west || s.front() == '+') ? s.substr(1) : s;
  std::optional<int> magnitude;
  if (body.find(':') == std::string_view::npos) {
    if (const std::optional<int> minutes = SmallNumber(body, 3)) magnitude = *minutes * 60;
  } else {
    magnitude = ClockOffsetSeconds(body);
  }
  if (!magnitude) return BadOffset(text);
  const int seconds = west ? -*magnitude : *magnitude;
  if (seconds < kMostWestOffsetMinutes * 60 || seconds > kMostEastOffsetMinutes * 60)
    return BadOffset(text);
  return {std::optional<int>{seconds}, {}};
}

std::string OffsetText(int offsetSeconds) {
  if (offsetSeconds % 60 == 0) return std::to_string(offsetSeconds / 60);
  const int magnitude = std::abs(offsetSeconds);
  std::string text(1, offsetSeconds < 0 ? '-' : '+');
  text += std::to_string(magnitude / 3600) + ":" + TwoDigits(magnitude / 60 % 60) + ":" +
          TwoDigits(magnitude % 60);
  return text;
}

std::optional<int> ExactOffsetSecondsOf(const FormEntries& e) {
  if (!e.exactOffsetMinutes) return std::nullopt;
  // Seconds that no longer round to the minutes (a zone filled in since)
  // are not the entries' offset.
  if (e.exactOffsetSeconds &&
      (std::abs(*e.exactOffsetSeconds) + 30) / 60 == std::abs(*e.exactOffsetMinutes) &&
      (*e.exactOffsetSeconds < 0) == (*e.exactOffsetMinutes < 0))
    return e.exactOffsetSeconds;
  return *e.exactOffsetMinutes * 60;
}

void SetExactOffset(FormEntries& e, int offsetSeconds) {
  const int minutes = (std::abs(offsetSeconds) + 30) / 60;
  e.exactOffsetMinutes = offsetSeconds < 0 ? -minutes : minutes;
  if (offsetSeconds % 60 != 0) {
    e.exactOffsetSeconds = offsetSeconds;
  } else {
    e.exactOffsetSeconds.reset();
  }
}

}  // namespace orvanta
