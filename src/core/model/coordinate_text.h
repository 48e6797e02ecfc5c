// Latitude and longitude in the astrological notation "28N36" and "77E12":
// whole degrees, the hemisphere letter, minutes of arc. Every text of a
// coordinate the program reads (an option, a births-file column, a place
// search) is cut by ReadCoordinateText, and every one it writes is made by
// CoordinateText.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// The parts of a coordinate text: one or more digits, one of the two
// hemisphere letters (either case), one or more digits, and nothing else.
struct CoordinateDigits {
  std::string_view degrees;
  std::string_view minutes;
  bool positive = true;  // the first letter: North or East
};
// `positive` and `negative` are the upper-case letters ('N', 'S' or 'E', 'W').
std::optional<CoordinateDigits> ReadCoordinateText(std::string_view text, char positive,
                                                   char negative);

// Degrees, letter and minutes as given ("28", 'N', "5" gives "28N5").
std::string CoordinateText(std::string_view degrees, char letter, std::string_view minutes);
// From numbers; the minutes as two digits where `twoDigitMinutes` ("28N05").
std::string CoordinateText(int degrees, char letter, int minutes, bool twoDigitMinutes = true);

inline char LatitudeLetter(bool north) {
  return north ? 'N' : 'S';
}
inline char LongitudeLetter(bool east) {
  return east ? 'E' : 'W';
}

}  // namespace orvanta
