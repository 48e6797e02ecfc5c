// Text as XML 1.0 can carry it, for every SVG drawing the program writes
// (the command line's --svg and the desktop's Export Chart): a user's text
// (a name from a births file, say) never adds markup to a drawing and never
// makes it ill-formed.
//
// XML 1.0 forbids the C0 control characters other than tab, line feed and
// carriage return, and U+FFFE and U+FFFF; a document must be well-formed
// UTF-8, so a byte that is not part of a well-formed sequence (a stray or
// cut byte, an encoded surrogate such as ED A0 80, an overlong form) cannot
// stand either. Each such character, and each such byte, becomes U+FFFD, as
// in the command line's JSON: the text keeps its length in characters and
// shows where something was replaced.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// `text` (UTF-8 or not) with every character XML 1.0 forbids and every
// byte that is not well-formed UTF-8 replaced by U+FFFD; nothing escaped.
// For a writer that escapes markup itself.
std::string XmlSafeText(std::string_view text);

// XmlSafeText with & < > " ' escaped as entities: the text of an element
// or the value of an attribute in either kind of quotes.
std::string XmlEscaped(std::string_view text);

}  // namespace orvanta
