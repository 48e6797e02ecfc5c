// The rules that guard a computation: the checks of the whole form at the
// compute button and the key filters of the typed boxes. Pure rules over
// texts; the front ends show the refusal and move the focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/whole_number.h"

namespace orvanta {

enum class MessageIcon { Stop, Information };

// The fields of the birth-data form a refusal can send the user back to.
enum class FormField { Name, City, State, Country, LonDegrees, LonMinutes, LatDegrees, LatMinutes };

struct Refusal {
  std::string_view message;
  MessageIcon icon = MessageIcon::Stop;
  std::optional<FormField> focus;  // the field to correct, or none
};

// The form's entries that the checks read.
struct ValidationInput {
  std::string name;
  std::string lonDeg, lonMin;  // longitude degrees and minutes as typed
  std::string latDeg, latMin;  // latitude degrees and minutes as typed
  std::string year;            // the year as typed
  int monthIndex = 0;          // position in the month list, 0 = January
  int dayIndex = 0;            // position in the day list, 0 = the 1st
};

// The first check that fails, or nothing when the entries may be computed.
std::optional<Refusal> Validate_Input(const ValidationInput& in);

// What a key filter does with one typed character (character code as the
// form sees it): the code that reaches the box (0 when discarded) and the
// message to show, if any.
struct KeyVerdict {
  int code = 0;
  std::optional<Refusal> refusal;
};

KeyVerdict CoordinateKeyFilter(int code);  // the four coordinate boxes
KeyVerdict NameKeyFilter(int code);        // the name (letters turned to capitals)

}  // namespace orvanta
