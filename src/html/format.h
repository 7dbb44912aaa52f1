// Numbers and formatted text for the page. Everything goes through the C conversions, so the page
// is the same on every run of the same input.
#pragma once

#include <string>

namespace bramble {

// printf into a string.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A value as a reader writes it: up to ten significant digits, no trailing zeros (2.45, 50, 1e+20).
std::string number_text(double value);

// A value with at most decimals decimals, trailing zeros dropped (0.00001, not 1e-05).
std::string decimal_text(double value, int decimals);

}  // namespace bramble
