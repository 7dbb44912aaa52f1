// The decimal category code of a nominal split: its decimal digits, most significant first, are
// code + 1 of each category sent right, so categories 0 to 8 have a digit each. It stands as the
// split's cut-off in the node table, the report and the drawing.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

namespace bramble {

// The code of the categories v with goes_right[v] != 0.
double decimal_category_code(const std::vector<int>& goes_right);

// The category codes named by a decimal category code, last digit first; a digit 0, or one beyond
// n_categories, names no category.
std::vector<int> category_codes(double code, std::size_t n_categories);

// The category labels named by a decimal category code, last digit first, separated by commas;
// a digit 0, or one beyond the label table, names no category and writes nothing.
void write_category_list(double code, const std::vector<int>& labels, FILE* out);

}  // namespace bramble
