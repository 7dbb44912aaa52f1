#include "tree/column_order.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <numeric>
#include <utility>

#include "numeric/fresh_memory.h"

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

// The float nearest the value; exact when the value is a float.
struct FloatKey {
  std::uint32_t operator()(double value, bool& exact) const {
    const float rounded = as_float(value);
    exact = exact && static_cast<double>(rounded) == value;
    return float_key(rounded);
  }
};

// Decimal data: the value times 10^places, rounded to an integer, is exact when dividing it back
// gives the value (division is correctly rounded, and 10^places is exact). Distinct exact values
// then have distinct integers, and the rounded product never reverses two values.
constexpr int MAX_DECIMAL_PLACES = 9;
constexpr double POWERS_OF_TEN[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
static_assert(std::size(POWERS_OF_TEN) == MAX_DECIMAL_PLACES + 1, "a power for every place");
constexpr double KEY_LIMIT = 2147483647.0;  // the scaled integers stay within an int32

// The integer nearest a product, clamped to the keys' range: a conversion the compiler does
// inline, non-decreasing in the product (halves round away from zero).
std::int32_t scaled_integer(double value, double scale) {
  const double scaled = std::min(std::max(value * scale, -KEY_LIMIT), KEY_LIMIT);
  return static_cast<std::int32_t>(scaled + (scaled < 0 ? -0.5 : 0.5));
}

bool is_decimal(double value, double scale) {
  return scaled_integer(value, scale) / scale == value;
}

// The fewest decimal places that write every value exactly with scaled integers in range, or -1.
int decimal_places(const std::vector<double>& values) {
  int places = 0;
  double largest = 0.0;
  for (const double value : values) {
    largest = std::max(largest, std::fabs(value));
    if (!(largest * POWERS_OF_TEN[places] <= KEY_LIMIT)) return -1;
    while (!is_decimal(value, POWERS_OF_TEN[places])) {
      if (++places > MAX_DECIMAL_PLACES) return -1;
      if (!(largest * POWERS_OF_TEN[places] <= KEY_LIMIT)) return -1;
    }
  }
  return places;
}

class DecimalKey {
 public:
  explicit DecimalKey(int places) : scale_(POWERS_OF_TEN[places]) {}
  std::uint32_t operator()(double value, bool& exact) const {
    const std::int32_t scaled = scaled_integer(value, scale_);
    exact = exact && scaled / scale_ == value;
    return static_cast<std::uint32_t>(scaled) ^ 0x80000000u;
  }

 private:
  double scale_;
};

// An element of the radix sort: the key above the entry body.
std::uint64_t sort_element(std::uint32_t key, ColumnEntry body) {
  return static_cast<std::uint64_t>(key) << 32 | body;
}
std::uint32_t key_of(std::uint64_t element) { return static_cast<std::uint32_t>(element >> 32); }
ColumnEntry body_of_element(std::uint64_t element) { return static_cast<ColumnEntry>(element); }

// Three digits of 11 bits cover the 32-bit key.
constexpr int DIGIT_BITS = 11;
constexpr int N_DIGITS = 3;
constexpr std::size_t N_BUCKETS = std::size_t{1} << DIGIT_BITS;

std::size_t digit(std::uint32_t key, int d) {
  return static_cast<std::size_t>(key >> (d * DIGIT_BITS)) & (N_BUCKETS - 1);
}

// Orders a group of entries (bodies without marks, ascending) by value, ties by case, and marks
// its runs. Usually all its values are equal and the case order stands: one read of each value
// tells.
void sort_group_by_value(ColumnEntry* first, ColumnEntry* last, const double* values,
                         const EntryBody& body) {
  const auto value_of = [values, &body](ColumnEntry entry) {
    return values[body.case_of(entry)];
  };
  const std::uint64_t first_key = double_key(value_of(*first));
  *first |= RUN_START;
  const ColumnEntry* entry = first + 1;
  while (entry < last && double_key(value_of(*entry)) == first_key) ++entry;
  if (entry == last) return;

  *first &= CASE_BITS;
  const auto by_value = [&value_of](ColumnEntry a, ColumnEntry b) {
    const std::uint64_t key_a = double_key(value_of(a));
    const std::uint64_t key_b = double_key(value_of(b));
    return key_a < key_b || (key_a == key_b && a < b);
  };
  std::sort(first, last, by_value);
  std::uint64_t previous_key = double_key(value_of(*first));
  *first |= RUN_START;
  for (ColumnEntry* other = first + 1; other < last; ++other) {
    const std::uint64_t key = double_key(value_of(*other));
    if (key != previous_key) *other |= RUN_START;
    previous_key = key;
  }
}

}  // namespace

ColumnSorter::ColumnSorter(EntryBody body, std::vector<std::uint64_t>&& elements,
                           std::vector<std::uint64_t>&& scratch)
    : body_(body), elements_(std::move(elements)), elements_scratch_(std::move(scratch)),
      counts_(N_DIGITS * N_BUCKETS) {}

void ColumnSorter::release(std::vector<std::uint64_t>& elements,
                           std::vector<std::uint64_t>& scratch) {
  elements = std::move(elements_);
  scratch = std::move(elements_scratch_);
}

// Leaves the elements in elements_, sorted by key_of_value (a non-decreasing function of the
// value), equal keys in case order. Returns whether equal keys are equal values throughout.
template <typename KeyOfValue>
bool ColumnSorter::radix_sort(const std::vector<double>& values, KeyOfValue key_of_value) {
  const std::size_t n = values.size();
  std::fill(counts_.begin(), counts_.end(), 0);
  bool all_exact = true;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t key = key_of_value(values[i], all_exact);
    elements_[i] = sort_element(key, body_.body_of(i));
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
  if (in != elements_.data()) elements_.swap(elements_scratch_);
  return all_exact;
}

std::vector<ColumnEntry> ColumnSorter::sort(const std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n == 0) return {};
  // Decimal data are keyed by their scaled integers, which tell every two values apart; other
  // data by their floats, which may not.
  const int places = decimal_places(values);
  const bool all_exact = places >= 0 ? radix_sort(values, DecimalKey(places))
                                     : radix_sort(values, FloatKey());
  std::vector<ColumnEntry> order = populated_vector<ColumnEntry>(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = body_of_element(elements_[i]);
  // Groups of equal keys; between groups the values differ.
  std::size_t group_end = 0;
  for (std::size_t start = 0; start < n; start = group_end) {
    const std::uint32_t key = key_of(elements_[start]);
    group_end = start + 1;
    while (group_end < n && key_of(elements_[group_end]) == key) ++group_end;
    if (all_exact || group_end - start == 1) {
      order[start] |= RUN_START;  // equal keys that are equal values: one run
    } else {
      ++groups_sorted_by_value_;
      sort_group_by_value(order.data() + start, order.data() + group_end, values.data(), body_);
    }
  }
  return order;
}

MissingCopyForm missing_copy_form(const std::vector<double>& source,
                                  const std::vector<double>& copy) {
  MissingCopyForm form;
  double least_present = std::numeric_limits<double>::infinity();
  double largest_present = -least_present;
  for (std::size_t c = 0; c < source.size(); ++c) {
    if (copy[c] == source[c]) {
      least_present = std::min(least_present, source[c]);
      largest_present = std::max(largest_present, source[c]);
    } else if (!form.any_missing) {
      form.any_missing = true;
      form.source_value = source[c];
      form.copy_value = copy[c];
    } else if (source[c] != form.source_value || copy[c] != form.copy_value) {
      return form;
    }
  }
  form.holds = !form.any_missing ||
               (form.source_value < least_present && form.copy_value > largest_present);
  return form;
}

bool rank_codes(const std::vector<double>& values, RankCodes& codes) {
  // Open addressing on the key of each value; a slot holds 1 + the index of its value in order of
  // first appearance, so the table has room for MAX_CODES + 1 values at under half load.
  constexpr int TABLE_BITS = 10;
  std::vector<std::uint16_t> slots(std::size_t{1} << TABLE_BITS, 0);
  std::vector<std::uint64_t> keys;
  std::vector<double> first_values;
  std::vector<std::uint8_t> first_seen = populated_vector<std::uint8_t>(values.size());
  for (std::size_t c = 0; c < values.size(); ++c) {
    const std::uint64_t key = double_key(values[c]);
    std::size_t slot = (key * 0x9E3779B97F4A7C15u) >> (64 - TABLE_BITS);
    while (slots[slot] != 0 && keys[slots[slot] - 1] != key) {
      slot = (slot + 1) & (slots.size() - 1);
    }
    if (slots[slot] == 0) {
      if (keys.size() == MAX_CODES) return false;
      keys.push_back(key);
      first_values.push_back(values[c]);
      slots[slot] = static_cast<std::uint16_t>(keys.size());
    }
    first_seen[c] = static_cast<std::uint8_t>(slots[slot] - 1);
  }
  // Equal keys are equal values, and the keys have the order of the values.
  std::vector<int> by_key(keys.size());
  std::iota(by_key.begin(), by_key.end(), 0);
  std::sort(by_key.begin(), by_key.end(), [&](int a, int b) { return keys[a] < keys[b]; });
  std::vector<std::uint8_t> rank(keys.size());
  codes.values.resize(keys.size());
  for (std::size_t r = 0; r < by_key.size(); ++r) {
    rank[by_key[r]] = static_cast<std::uint8_t>(r);
    codes.values[r] = first_values[by_key[r]];
  }
  for (std::uint8_t& code : first_seen) code = rank[code];
  codes.codes = std::move(first_seen);
  return true;
}

}  // namespace bramble
