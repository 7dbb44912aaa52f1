#include "data/value_parse.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace bramble {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_digits(std::string_view text, std::size_t i) {
  while (i < text.size() && is_digit(text[i])) ++i;
  return i;
}

std::size_t skip_sign(std::string_view text, std::size_t i) {
  return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

// Length of the decimal number at the start of text, 0 when there is none. "1." and ".5" count;
// an exponent counts only with at least one digit ("1e" reads as 1).
std::size_t decimal_prefix_length(std::string_view text) {
  const std::size_t mantissa = skip_sign(text, 0);
  std::size_t i = skip_digits(text, mantissa);
  std::size_t digits = i - mantissa;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = i + 1;
    i = skip_digits(text, fraction);
    digits += i - fraction;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    const std::size_t exponent = skip_sign(text, i + 1);
    const std::size_t exponent_end = skip_digits(text, exponent);
    if (exponent_end > exponent) i = exponent_end;
  }
  return i;
}

}  // namespace

ParseResult parse_decimal(std::string_view token, double& value) {
  std::string_view number = token.substr(0, decimal_prefix_length(token));
  if (number.empty()) return ParseResult::no_number;
  if (number[0] == '+') number.remove_prefix(1);  // from_chars takes no plus sign
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Either overflow or underflow; underflow reads as the tiny or zero double strtod gives.
    value = std::strtod(std::string(number).c_str(), nullptr);
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return ParseResult::no_number;
  }
  if (!std::isfinite(value)) return ParseResult::not_finite;
  if (std::fabs(value) >= MAX_COVARIATE_MAGNITUDE) return ParseResult::too_large;
  if (value == 0.0) value = 0.0;  // no negative zero
  return ParseResult::ok;
}

ParseResult parse_integer(std::string_view token, int& value) {
  const std::size_t digits_start = skip_sign(token, 0);
  const std::size_t digits_end = skip_digits(token, digits_start);
  if (digits_end == digits_start) return ParseResult::no_number;
  const bool negative = token[0] == '-';
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (std::size_t i = digits_start; i < digits_end; ++i) {
    magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > limit) return ParseResult::too_large;
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return ParseResult::ok;
}

}  // namespace bramble
