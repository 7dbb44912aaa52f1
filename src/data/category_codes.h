// The categories of a nominal row: its distinct present values, ascending, and the code of each
// value (the missing category last).
#pragma once

#include <algorithm>
#include <vector>

namespace bramble {

// Smallest and largest present value of a row, and whether it holds the missing code.
struct ColumnRange {
  double min = 0.0;
  double max = 0.0;
  bool holds_missing = false;
};

// Whole values spanning fewer values than the row holds, the usual case, are looked up in a table
// indexed by value; any others are sorted.
class CategoryCodes {
 public:
  CategoryCodes(const std::vector<double>& row, const ColumnRange& range, double missing_code);

  const std::vector<double>& present() const { return present_; }

  // The missing category, when there is one, is code present().size().
  int code(double value) const;

  // Whether the codes come from the table rather than a sort.
  bool tabulated() const { return !table_.empty(); }

 private:
  bool is_missing(double value) const { return missing_ && value == missing_code_; }
  bool tabulate(const std::vector<double>& row, const ColumnRange& range);
  void sort_values(const std::vector<double>& row);

  bool missing_;
  double missing_code_;
  std::vector<double> present_;
  std::vector<int> table_;  // code of value low_ + offset, when tabulated
  int low_ = 0;
};

inline int CategoryCodes::code(double value) const {
  if (is_missing(value)) return static_cast<int>(present_.size());
  if (!table_.empty()) return table_[static_cast<int>(value) - low_];
  return static_cast<int>(std::lower_bound(present_.begin(), present_.end(), value) -
                          present_.begin());
}

}  // namespace bramble
