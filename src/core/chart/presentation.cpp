#include "chart/presentation.h"

#include "engine/planets.h"

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

}  // namespace orvanta
