// Whole numbers typed as text: the one reading that the checks of the form
// and the chart computation share.
#pragma once

#include <optional>
#include <string_view>

namespace orvanta {

// Any number at or above this is above every range the checks know; longer
// digit strings stop counting here instead of overflowing.
inline constexpr long kNumberCap = 1'000'000'000L;

// Leading and trailing blanks removed (blanks only, as the form trims).
std::string_view TrimBlanks(std::string_view text);

// The value of a plain whole number: after trimming blanks, one or more
// ASCII digits and nothing else; large values are capped (at 10^9), never
// overflowing. Any other text has no value.
std::optional<long> PlainWholeNumber(std::string_view text);

}  // namespace orvanta
