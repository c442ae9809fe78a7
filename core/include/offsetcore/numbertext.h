#pragma once

// Number text between the boxes of a window and the core.

#include <optional>
#include <string>
#include <string_view>

namespace offsetcore {

// Reads entered text (UTF-8) as a decimal number whose decimal separator the
// caller gives (its locale's). Accepted: surrounding spaces and tabs, an
// optional + or -, digits with at most one separator (",5" and "5," too).
// Everything else is refused with no value, never guessed at: in a Dutch
// locale "1.500" could otherwise be read as 1500 or as 1.5 without the user
// noticing. Refused as well: exponents, inf and nan, and values that overflow
// a double.
std::optional<double> parseNumber(std::string_view text, std::string_view decimalSeparator);

// Writes a whole number as plain decimal digits: no grouping, no exponent,
// a minus sign only below zero (-0 gives "0"). Results of the core are always
// whole and finite; anything else is written in the shortest exact form
// rather than rounded behind the reader's back.
std::string formatWholeNumber(double value);

} // namespace offsetcore
