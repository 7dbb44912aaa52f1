// Conversion of data tokens to numbers. A token is a number only as a whole: "2.7kg", "1,5" and
// "0x1f" are no numbers, so that a malformed file is refused instead of read as something else.
#pragma once

#include <string_view>

namespace bramble {

// not_whole: a decimal number that is not written as a whole one (a response of "2.7" or "1e1").
enum class ParseResult { ok, no_number, not_finite, too_large, not_whole };

// Covariate values must stay below 2^53 in magnitude, where every whole number is a double.
constexpr double MAX_COVARIATE_MAGNITUDE = 9007199254740992.0;

// The whole token is a decimal number: optional sign, digits with an optional fraction (at least
// one digit in all), optional exponent with at least one digit. The double is the correctly rounded
// one; -0 reads as 0. Also for too_large, value holds the number.
ParseResult parse_decimal(std::string_view token, double& value);

// The whole token is a whole number: optional sign and digits, then at most a point and zeros
// ("1", "+1", "1.", "1.00"); too_large outside the int range.
ParseResult parse_integer(std::string_view token, int& value);

}  // namespace bramble
