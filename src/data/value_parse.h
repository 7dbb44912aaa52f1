// Conversion of data tokens to numbers. The longest leading part of a token that forms a number is
// its value ("2.7kg" reads 2.7); a token with no leading number, and a number too large to be held
// exactly, are refused.
#pragma once

#include <string_view>

namespace bramble {

enum class ParseResult { ok, no_number, not_finite, too_large };

// Covariate values must stay below 2^53 in magnitude, where every whole number is a double.
constexpr double MAX_COVARIATE_MAGNITUDE = 9007199254740992.0;

// Decimal number: optional sign, digits with an optional fraction, optional exponent. The double
// is the correctly rounded one; -0 reads as 0.
ParseResult parse_decimal(std::string_view token, double& value);

// Leading integer part: optional sign and digits ("2.7" reads 2); too_large outside the int range.
ParseResult parse_integer(std::string_view token, int& value);

}  // namespace bramble
