// The rules that guard a computation: the checks of the whole form at the
// compute button and the key filters of the typed boxes. Pure rules over
// texts; the front ends show the refusal and move the focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

enum class MessageIcon { Stop, Information };

struct Refusal {
  std::string_view message;
  MessageIcon icon = MessageIcon::Stop;
  std::optional<std::string_view> focus;  // control name ("txtLonD"), or none
};

// The form's entries that the checks read.
struct ValidationInput {
  std::string name;    // txtName
  std::string lonDeg;  // txtLonD
  std::string lonMin;  // txtLonM
  std::string latDeg;  // txtLatD
  std::string latMin;  // txtLatM
  std::string year;    // cboYear text
  int monthIndex = 0;  // cboMonth list position, 0 = January
  int dayIndex = 0;    // cboDate list position, 0 = the 1st
};

// Leading and trailing blanks removed (blanks only, as the form trims).
std::string_view TrimBlanks(std::string_view text);

// The value of a plain whole number: after trimming blanks, one or more
// ASCII digits and nothing else; large values are capped (at 10^9), never
// overflowing. Any other text has no value.
std::optional<long> PlainWholeNumber(std::string_view text);

// The first check that fails, or nothing when the entries may be computed.
std::optional<Refusal> Validate_Input(const ValidationInput& in);

// What a key filter does with one typed character (character code as the
// form sees it): the code that reaches the box (0 when discarded) and the
// message to show, if any.
struct KeyVerdict {
  int code = 0;
  std::optional<Refusal> refusal;
};

KeyVerdict CoordinateKeyFilter(int code);  // txtLatD, txtLatM, txtLonD, txtLonM
KeyVerdict NameKeyFilter(int code);        // txtName (letters turned to capitals)

}  // namespace orvanta
