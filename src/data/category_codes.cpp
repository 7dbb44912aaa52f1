#include "data/category_codes.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace bramble {

CategoryCodes::CategoryCodes(const std::vector<double>& row, const ColumnRange& range,
                             double missing_code)
    : missing_(range.holds_missing), missing_code_(missing_code) {
  if (!tabulate(row, range)) sort_values(row);
}

bool CategoryCodes::tabulate(const std::vector<double>& row, const ColumnRange& range) {
  if (!(range.min >= INT_MIN && range.max <= INT_MAX && range.max - range.min < row.size())) {
    return false;
  }
  // Whole extremes make the table span every whole value between them.
  if (range.min != std::floor(range.min) || range.max != std::floor(range.max)) return false;
  low_ = static_cast<int>(range.min);
  std::vector<int> table(static_cast<std::size_t>(range.max - range.min) + 1, 0);
  for (double value : row) {
    if (is_missing(value)) continue;
    const int whole = static_cast<int>(value);
    if (whole != value) return false;
    table[whole - low_] = 1;
  }
  for (std::size_t offset = 0; offset < table.size(); ++offset) {
    if (table[offset] == 0) continue;
    table[offset] = static_cast<int>(present_.size());
    present_.push_back(static_cast<double>(low_ + static_cast<int>(offset)));
  }
  table_ = std::move(table);
  return true;
}

void CategoryCodes::sort_values(const std::vector<double>& row) {
  present_.clear();
  present_.reserve(row.size());
  for (double value : row) {
    if (!is_missing(value)) present_.push_back(value);
  }
  std::sort(present_.begin(), present_.end());
  present_.erase(std::unique(present_.begin(), present_.end()), present_.end());
  present_.shrink_to_fit();
}

}  // namespace bramble
