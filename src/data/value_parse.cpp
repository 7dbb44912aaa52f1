#include "data/value_parse.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
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
// an exponent counts only with at least one digit (of "1e" only "1" is a number).
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

// Exact powers of ten as doubles.
constexpr double POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t EXACT_MANTISSA_LIMIT = std::uint64_t{1} << 53;

// The common token "[sign]digits[.digits]" with at most 19 digits. When the digits form an
// integer below 2^53 and there are at most 22 after the point, both the integer and the power of
// ten are exact doubles, so one correctly rounded division gives the correctly rounded value.
// False for anything else, which takes the general path.
bool parse_plain_decimal(std::string_view token, double& value) {
  const std::size_t mantissa_start = skip_sign(token, 0);
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fraction_digits = 0;
  bool point = false;
  for (std::size_t i = mantissa_start; i < token.size(); ++i) {
    const char c = token[i];
    if (is_digit(c)) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      ++digits;
      fraction_digits += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
    if (digits > 19) return false;
  }
  if (digits == 0 || mantissa > EXACT_MANTISSA_LIMIT || fraction_digits > 22) return false;
  // Whole numbers skip the division, which is slow to deliver its result.
  const double magnitude = fraction_digits == 0
                               ? static_cast<double>(mantissa)
                               : static_cast<double>(mantissa) / POWERS_OF_TEN[fraction_digits];
  value = token[0] == '-' ? -magnitude : magnitude;
  return true;
}

// The checks every converted covariate value passes.
ParseResult check_decimal(double& value) {
  if (!std::isfinite(value)) return ParseResult::not_finite;
  if (std::fabs(value) >= MAX_COVARIATE_MAGNITUDE) return ParseResult::too_large;
  if (value == 0.0) value = 0.0;  // no negative zero
  return ParseResult::ok;
}

bool is_decimal_number(std::string_view token) {
  const std::size_t length = decimal_prefix_length(token);
  return length != 0 && length == token.size();
}

// Nothing but a point and zeros: the fraction a whole number may be written with.
bool is_zero_fraction(std::string_view text) {
  return text.empty() ||
         (text[0] == '.' && text.find_first_not_of('0', 1) == std::string_view::npos);
}

}  // namespace

ParseResult parse_decimal(std::string_view token, double& value) {
  if (parse_plain_decimal(token, value)) return check_decimal(value);
  if (!is_decimal_number(token)) return ParseResult::no_number;
  std::string_view number = token;
  if (number[0] == '+') number.remove_prefix(1);  // from_chars takes no plus sign
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Either overflow or underflow; underflow reads as the tiny or zero double strtod gives.
    value = std::strtod(std::string(number).c_str(), nullptr);
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return ParseResult::no_number;
  }
  return check_decimal(value);
}

ParseResult parse_integer(std::string_view token, int& value) {
  const std::size_t digits_start = skip_sign(token, 0);
  const std::size_t digits_end = skip_digits(token, digits_start);
  if (digits_end == digits_start || !is_zero_fraction(token.substr(digits_end))) {
    return is_decimal_number(token) ? ParseResult::not_whole : ParseResult::no_number;
  }
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
