// A file name made from a user's text, for a save dialog to propose: the
// desktop's Export Chart proposes the person's name. The name stays one
// plain name in the folder the dialog shows, whatever the text holds.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The longest name proposed, in bytes, before its suffix: file systems
// hold 255 bytes in a name, and the suffix and a dialog's "(2)" need room.
inline constexpr std::size_t kLongestProposedFileName = 200;

// `text` as a file name: the path separators / and \, the characters
// other systems refuse in a name (: * ? " < > |), control characters and
// bytes that are not well-formed UTF-8 become "_"; spaces and dots at
// either end are dropped (".." names the folder above, a leading dot hides
// the file); the name is cut at a character's end to at most
// kLongestProposedFileName bytes. A text that leaves nothing gives
// `fallback`.
std::string ProposedFileName(std::string_view text, std::string_view fallback);

}  // namespace orvanta
