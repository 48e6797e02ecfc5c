// The rules that guard a computation: the checks of the whole form at the
// compute button and the key filters of the typed boxes. Pure rules over
// texts; the front ends show the refusal and move the focus.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/whole_number.h"

namespace orvanta {

enum class MessageIcon { Stop, Information };

// The fields of the birth-data form a refusal can send the user back to.
enum class FormField {
  Name,
  City,
  State,
  Country,
  LonDegrees,
  LonMinutes,
  LatDegrees,
  LatMinutes,
  Day,
  Hour,
  Minute,
  Second,
};

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
  // The day, hour, minute and second as the lists hold them (a number the
  // user may have typed, "08" or " 7 " included).
  std::string day = "1", hour = "0", minute = "0", second = "0";
};

// The longest name a saved birth may have, in characters (Unicode code
// points): the form's name box, the births file's import and the opening
// of a saved birth keep to it. A name of ten thousand letters still lays
// out on the page; a longer text is no name but a pasted document. (The
// command line's batch reads rows of up to a megabyte and computes them.)
inline constexpr std::size_t kMaxNameChars = 10'000;

// The number of characters (code points) of a UTF-8 text: the bytes that
// are no continuation byte.
std::size_t CharacterCount(std::string_view text);

// The answer to a name longer than kMaxNameChars, typed, pasted or read.
Refusal NameLengthRefusal();

// The values the checks read, as numbers: a value the user left empty or
// gave as no plain whole number is nothing (and refused where it is read).
// The form's texts and the command line's parsed numbers both come here.
struct CheckedValues {
  std::string_view name;
  std::optional<long> lonDeg, lonMin, latDeg, latMin;
  std::optional<long> year;
  int monthIndex = 0;  // position in the month list, 0 = January
  int dayIndex = 0;    // position in the day list, 0 = the 1st
  std::optional<long> day, hour, minute, second;
};

// The first check that fails, or nothing when the values may be computed.
std::optional<Refusal> ValidateValues(const CheckedValues& in);

// The first check that fails, or nothing when the entries may be computed:
// the texts read as plain whole numbers, then ValidateValues.
std::optional<Refusal> ValidateEntries(const ValidationInput& in);

// What a key filter does with one typed character (character code as the
// form sees it): the code that reaches the box (0 when discarded) and the
// message to show, if any.
struct KeyVerdict {
  int code = 0;
  std::optional<Refusal> refusal;
};

KeyVerdict CoordinateKeyFilter(int code);  // the four coordinate boxes
KeyVerdict NameKeyFilter(int code);        // the name, for ASCII codes (letters turned to capitals)

// The rule of the name and of the place boxes (city, state, country) for
// any character: letters of any script with their combining marks, blanks,
// apostrophes (' and the typographic ’), hyphens and full stops. Which
// characters are letters or marks the front end decides from its Unicode
// tables and passes as `letterOrMark`; the punctuation is decided here.
bool IsNamePunctuation(char32_t code);
bool NameCharacterAccepted(char32_t code, bool letterOrMark);
// The answer to a refused character in those boxes.
Refusal NameCharacterRefusal();

// The answer to a character typed into the day, hour, minute or second
// list that can be no part of a number (digits and blanks may be typed).
Refusal ListCharacterRefusal(FormField list);

}  // namespace orvanta
