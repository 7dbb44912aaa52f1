#include "tree/category_code.h"

#include <cmath>

namespace bramble {

double decimal_category_code(const std::vector<int>& goes_right) {
  double code = 0.0;
  for (int v = 0; v < static_cast<int>(goes_right.size()); ++v) {
    if (goes_right[v] != 0) code = code * 10 + v + 1;
  }
  return code;
}

std::vector<int> category_codes(double code, std::size_t n_categories) {
  // Valid codes have at most 9 digits; anything far outside that (or not a number) names nothing
  // rather than overflowing the conversion.
  long long digits = std::fabs(code) < 1e18 ? static_cast<long long>(code) : 0;
  std::vector<int> codes;
  for (; digits != 0; digits /= 10) {
    const long long digit = digits % 10;
    if (digit >= 1 && digit <= static_cast<long long>(n_categories)) {
      codes.push_back(static_cast<int>(digit - 1));
    }
  }
  return codes;
}

void write_category_list(double code, const std::vector<int>& labels, FILE* out) {
  bool first = true;
  for (int category : category_codes(code, labels.size())) {
    std::fprintf(out, first ? "%d" : ",%d", labels[category]);
    first = false;
  }
}

}  // namespace bramble
