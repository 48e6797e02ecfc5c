#include "chart/presentation.h"

#include "engine/planets.h"
#include "model/datetime.h"
#include "tables/zones.h"

namespace orvanta {

std::string PositionText(const BodyPosition& position) {
  if (position.sign < 0) {
    double angle = position.longitudeDeg;
    return ChartFormOfPosition(SignDMS(angle));
  }
  const std::string_view letters = kSignAbbr[static_cast<std::size_t>(position.sign)];
  const char text[9] = {static_cast<char>('0' + position.degrees / 10),
                        static_cast<char>('0' + position.degrees % 10),
                        ' ',
                        letters[0],
                        letters[1],
                        letters[2],
                        ' ',
                        static_cast<char>('0' + position.minutes / 10),
                        static_cast<char>('0' + position.minutes % 10)};
  return std::string(text, sizeof text);
}

std::string PositionText(const BodyPosition& position, NameScript script) {
  if (script == NameScript::English || position.sign < 0) return PositionText(position);
  std::string text;
  text += static_cast<char>('0' + position.degrees / 10);
  text += static_cast<char>('0' + position.degrees % 10);
  text += ' ';
  text += SignNameIn(script, position.sign);
  text += ' ';
  text += static_cast<char>('0' + position.minutes / 10);
  text += static_cast<char>('0' + position.minutes % 10);
  return text;
}

std::string_view BodyWindowName(NameScript script, int body) {
  if (body < 0 || body >= kBodyCount) return {};
  if (script == NameScript::English) return kBodyWindowNames[static_cast<std::size_t>(body)];
  return BodyNameIn(script, body);
}

PositionTexts PositionTextsOf(const BodyPositions& bodies) {
  PositionTexts texts;
  for (std::size_t i = 0; i < bodies.size(); ++i) texts[i] = PositionText(bodies[i]);
  return texts;
}

ChartClock ChartClockOf(const Birth& b) {
  const Clock& c = b.clock;
  ChartClock clock;
  clock.zoneName = c.zoneName;
  clock.offsetMinutes = OffsetMinutesWithTick(c);
  clock.summerTime = ReadsSummerTime(c);
  std::string& text = clock.text;
  if (!c.caption.empty()) {
    text = c.caption;
  } else {
    if (!c.zoneName.empty()) text = c.zoneName + ", ";
    text += FormatUtcOffset(OffsetSecondsWithTick(c));
    text += clock.summerTime ? ", summer time" : ", standard time";
  }
  if (c.zoneName.empty() && c.caption.empty() && c.zoneRow && *c.zoneRow >= 0 &&
      *c.zoneRow < kZoneCount)
    text += " (" + std::string(kZones[static_cast<std::size_t>(*c.zoneRow)].text) + ")";
  if (c.daylightTick) text += ", daylight saving ticked";
  return clock;
}

namespace {

void AppendArc(std::string& text, const ArcAngle& a, const char* positive, const char* negative) {
  text.append(std::to_string(a.degrees)).append("° ").append(std::to_string(a.minutes)).append("'");
  text.append(a.positive ? positive : negative);
}

}  // namespace

BirthDetailTexts BirthDetailTextsOf(const Birth& b) {
  BirthDetailTexts t;
  t.name = b.name;
  const CivilTime& local = b.local;
  t.dateOfBirth.append(MonthName(local.month)).append("/").append(std::to_string(local.day));
  t.dateOfBirth.append("/").append(std::to_string(local.year));
  t.timeOfBirth.append(std::to_string(local.hour)).append(":").append(std::to_string(local.minute));
  AppendArc(t.latitude, b.position.latitude, " N", " S");
  AppendArc(t.longitude, b.position.longitude, " E", " W");
  t.city = b.city;
  t.state = b.state;
  t.country = b.country;
  t.timeZone = ChartClockOf(b).text;
  return t;
}

}  // namespace orvanta
