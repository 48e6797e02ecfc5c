#include "model/coordinate_text.h"

#include "model/ascii.h"

namespace orvanta {

std::optional<CoordinateDigits> ReadCoordinateText(std::string_view s, char positive,
                                                   char negative) {
  std::size_t letter = 0;
  while (letter < s.size() && IsAsciiDigit(s[letter])) ++letter;
  if (letter == 0 || letter + 1 >= s.size()) return std::nullopt;
  const char hemisphere = AsciiUpper(s[letter]);
  if (hemisphere != positive && hemisphere != negative) return std::nullopt;
  for (std::size_t i = letter + 1; i < s.size(); ++i) {
    if (!IsAsciiDigit(s[i])) return std::nullopt;
  }
  return CoordinateDigits{s.substr(0, letter), s.substr(letter + 1), hemisphere == positive};
}

std::string CoordinateText(std::string_view degrees, char letter, std::string_view minutes) {
  std::string text;
  text.reserve(degrees.size() + 1 + minutes.size());
  text += degrees;
  text += letter;
  text += minutes;
  return text;
}

std::string CoordinateText(int degrees, char letter, int minutes, bool twoDigitMinutes) {
  std::string minutesText = std::to_string(minutes);
  if (twoDigitMinutes && minutes >= 0 && minutes < 10) minutesText.insert(minutesText.begin(), '0');
  return CoordinateText(std::to_string(degrees), letter, minutesText);
}

}  // namespace orvanta
