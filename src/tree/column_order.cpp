#include "tree/column_order.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <limits>
#include <utility>

namespace bramble {

namespace {

// Unsigned keys with the order of the numbers; -0.0 and +0.0 share one key, as they compare equal.
std::uint64_t double_key(double value) {
  value += 0.0;  // -0.0 + 0.0 is +0.0
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  constexpr std::uint64_t SIGN = std::uint64_t{1} << 63;
  return (bits & SIGN) != 0 ? ~bits : bits | SIGN;
}

std::uint32_t float_key(float value) {
  value += 0.0f;
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  constexpr std::uint32_t SIGN = std::uint32_t{1} << 31;
  return (bits & SIGN) != 0 ? ~bits : bits | SIGN;
}

// Rounding to the nearest float never reverses two values; values beyond the float range are
// clamped (their order is restored with the doubles).
float as_float(double value) {
  return static_cast<float>(std::min(std::max(value, -static_cast<double>(FLT_MAX)),
                                     static_cast<double>(FLT_MAX)));
}

// An element of the radix sort: the float key above the case index.
std::uint64_t sort_element(std::uint32_t key, std::size_t c) {
  return static_cast<std::uint64_t>(key) << 32 | c;
}
std::uint32_t key_of(std::uint64_t element) { return static_cast<std::uint32_t>(element >> 32); }
ColumnEntry case_of(std::uint64_t element) { return static_cast<ColumnEntry>(element); }

// Three digits of 11 bits cover the 32-bit key.
constexpr int DIGIT_BITS = 11;
constexpr int N_DIGITS = 3;
constexpr std::size_t N_BUCKETS = std::size_t{1} << DIGIT_BITS;

std::size_t digit(std::uint32_t key, int d) {
  return static_cast<std::size_t>(key >> (d * DIGIT_BITS)) & (N_BUCKETS - 1);
}

// Orders a group of entries (plain case indices) by value, ties by case, and marks its runs.
void sort_group_by_value(ColumnEntry* first, ColumnEntry* last, const double* values) {
  const auto by_value = [values](ColumnEntry a, ColumnEntry b) {
    const std::uint64_t key_a = double_key(values[a]);
    const std::uint64_t key_b = double_key(values[b]);
    return key_a < key_b || (key_a == key_b && a < b);
  };
  if (!std::is_sorted(first, last, by_value)) std::sort(first, last, by_value);
  std::uint64_t previous_key = double_key(values[*first]);
  *first |= RUN_START;
  for (ColumnEntry* entry = first + 1; entry < last; ++entry) {
    const std::uint64_t key = double_key(values[*entry]);
    if (key != previous_key) *entry |= RUN_START;
    previous_key = key;
  }
}

}  // namespace

ColumnSorter::ColumnSorter(int n_cases)
    : elements_(n_cases), elements_scratch_(n_cases), counts_(N_DIGITS * N_BUCKETS) {}

// Leaves the elements in elements_, sorted by float key, equal keys in case order.
bool ColumnSorter::radix_sort_by_float(const std::vector<double>& values) {
  const std::size_t n = values.size();
  std::fill(counts_.begin(), counts_.end(), 0);
  bool all_floats = true;
  for (std::size_t i = 0; i < n; ++i) {
    const float rounded = as_float(values[i]);
    all_floats = all_floats && static_cast<double>(rounded) == values[i];
    const std::uint32_t key = float_key(rounded);
    elements_[i] = sort_element(key, i);
    for (int d = 0; d < N_DIGITS; ++d) ++counts_[d * N_BUCKETS + digit(key, d)];
  }

  std::uint64_t* in = elements_.data();
  std::uint64_t* out = elements_scratch_.data();
  for (int d = 0; d < N_DIGITS; ++d) {
    std::uint32_t* count = &counts_[d * N_BUCKETS];
    if (count[digit(key_of(in[0]), d)] == n) continue;  // every key has this digit: nothing moves
    std::uint32_t offset = 0;
    for (std::size_t b = 0; b < N_BUCKETS; ++b) offset += std::exchange(count[b], offset);
    for (std::size_t i = 0; i < n; ++i) out[count[digit(key_of(in[i]), d)]++] = in[i];
    std::swap(in, out);
  }
  if (in != elements_.data()) std::copy(in, in + n, elements_.data());
  return all_floats;
}

std::vector<ColumnEntry> ColumnSorter::sort(const std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n == 0) return {};
  const bool all_floats = radix_sort_by_float(values);
  std::vector<ColumnEntry> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = case_of(elements_[i]);
  // Groups of equal float keys; between groups the values differ.
  std::size_t group_end = 0;
  for (std::size_t start = 0; start < n; start = group_end) {
    const std::uint32_t key = key_of(elements_[start]);
    group_end = start + 1;
    while (group_end < n && key_of(elements_[group_end]) == key) ++group_end;
    if (all_floats || group_end - start == 1) {
      order[start] |= RUN_START;  // equal floats that are the values themselves: one run
    } else {
      sort_group_by_value(order.data() + start, order.data() + group_end, values.data());
    }
  }
  return order;
}

std::vector<ColumnEntry> order_of_missing_copy(const std::vector<ColumnEntry>& source_order,
                                               const std::vector<double>& source,
                                               const std::vector<double>& copy) {
  // One sequential pass checks the form; reading the values in sorted order would be slow.
  std::size_t n_missing = 0;
  double missing_source = 0.0;
  double missing_copy = 0.0;
  double least_present = std::numeric_limits<double>::infinity();
  double largest_present = -least_present;
  for (std::size_t c = 0; c < source.size(); ++c) {
    if (copy[c] == source[c]) {
      least_present = std::min(least_present, source[c]);
      largest_present = std::max(largest_present, source[c]);
    } else if (n_missing++ == 0) {
      missing_source = source[c];
      missing_copy = copy[c];
    } else if (source[c] != missing_source || copy[c] != missing_copy) {
      return {};
    }
  }
  if (n_missing > 0 && !(missing_source < least_present && missing_copy > largest_present)) {
    return {};
  }
  // Both blocks start runs already: the first entry, and the first present value after the
  // missing run.
  std::vector<ColumnEntry> order(source_order.size());
  std::rotate_copy(source_order.begin(), source_order.begin() + n_missing, source_order.end(),
                   order.begin());
  return order;
}

bool rank_codes(const std::vector<ColumnEntry>& order, const std::vector<double>& values,
                RankCodes& codes) {
  int runs = 0;
  for (std::size_t i = 0; i < order.size() && runs <= MAX_CODES; ++i) {
    runs += (order[i] & RUN_START) != 0 ? 1 : 0;
  }
  if (runs > MAX_CODES) return false;
  codes.codes.assign(order.size(), 0);
  codes.values.clear();
  for (const ColumnEntry entry : order) {
    const ColumnEntry c = entry & CASE_BITS;
    if ((entry & RUN_START) != 0) codes.values.push_back(values[c]);
    codes.codes[c] = static_cast<std::uint8_t>(codes.values.size() - 1);
  }
  return true;
}

}  // namespace bramble
