// The case order of an ordinal column, built once per run for the split search.
#pragma once

#include <cstdint>
#include <vector>

namespace bramble {

// One entry of a sorted column: a case index in the low 31 bits, and RUN_START when the case's
// value differs from that of the entry before it in the same segment (always set on the first
// entry of a segment). The flag lets a segment be scanned for runs of equal values without
// reading the values.
using ColumnEntry = std::uint32_t;
constexpr ColumnEntry RUN_START = 0x80000000u;
constexpr ColumnEntry CASE_BITS = 0x7fffffffu;

// Sorts columns of n_cases values. A radix sort on the values rounded to float (rounding keeps
// the order, and moves half the bytes of a sort on doubles) is followed by a sort on the doubles
// within each group of equal floats, needed only when some value is not a float exactly. The work
// buffers are kept between columns.
class ColumnSorter {
 public:
  explicit ColumnSorter(int n_cases);

  // All cases in ascending order of value (equal values in case order), runs marked.
  std::vector<ColumnEntry> sort(const std::vector<double>& values);

 private:
  // Returns whether every value is a float exactly.
  bool radix_sort_by_float(const std::vector<double>& values);

  std::vector<std::uint64_t> elements_;  // float key in the high half, case in the low half
  std::vector<std::uint64_t> elements_scratch_;
  std::vector<std::uint32_t> counts_;
};

// The order of a missing copy derived from its source's order without sorting: the missing cases
// (all with one value below every present value in the source, all with one value above every
// present value in the copy, the present values equal in both) form the first run of the source
// order and the last run of the copy order, so the order is a rotation. Returns an empty vector
// when the columns are not of that form.
std::vector<ColumnEntry> order_of_missing_copy(const std::vector<ColumnEntry>& source_order,
                                               const std::vector<double>& source,
                                               const std::vector<double>& copy);

// A column with few distinct values, as the rank of each case's value among them.
constexpr int MAX_CODES = 256;
struct RankCodes {
  std::vector<std::uint8_t> codes;  // per case
  std::vector<double> values;       // the distinct values, ascending: values[code]
};

// Ranks from a sorted order; false (codes untouched) when there are more than MAX_CODES runs.
bool rank_codes(const std::vector<ColumnEntry>& order, const std::vector<double>& values,
                RankCodes& codes);

}  // namespace bramble
