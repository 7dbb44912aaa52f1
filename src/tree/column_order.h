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

// The body of an entry (entry & CASE_BITS): the case above class_bits bits of its class, which
// saves a search a random read per entry, or the case alone when class_bits is 0 (the class then
// read from classes). Bodies have the order of their cases.
struct EntryBody {
  int class_bits = 0;
  ColumnEntry class_mask = 0;
  const unsigned char* classes = nullptr;
  ColumnEntry body_of(std::size_t c) const {
    return static_cast<ColumnEntry>(c << class_bits | (class_bits != 0 ? classes[c] : 0u));
  }
  int case_of(ColumnEntry body) const { return static_cast<int>(body >> class_bits); }
  int class_of(ColumnEntry body) const {
    return class_bits != 0 ? static_cast<int>(body & class_mask) : classes[body];
  }
};

// Sorts columns of n_cases values. A radix sort on a 32-bit key of each value that keeps their
// order (moving half the bytes of a sort on doubles) is followed by a sort on the doubles within
// each group of equal keys, needed only when the key cannot tell every two values apart: the key
// is the scaled integer of decimal data, else the value rounded to float. The work buffers, at
// least n_cases words each, are lent by the caller (memory it fills later) and given back by
// release.
class ColumnSorter {
 public:
  ColumnSorter(EntryBody body, std::vector<std::uint64_t>&& elements,
               std::vector<std::uint64_t>&& scratch);

  // The bodies of all cases in ascending order of value (equal values in case order), runs marked.
  std::vector<ColumnEntry> sort(const std::vector<double>& values);

  // Gives back the work buffers, contents undefined.
  void release(std::vector<std::uint64_t>& elements, std::vector<std::uint64_t>& scratch);

  // How many groups of equal keys the sorts so far had to sort by value: none for decimal data.
  int groups_sorted_by_value() const { return groups_sorted_by_value_; }

 private:
  template <typename KeyOfValue>
  bool radix_sort(const std::vector<double>& values, KeyOfValue key_of_value);

  EntryBody body_;
  std::vector<std::uint64_t> elements_;  // sort key in the high half, body in the low half
  std::vector<std::uint64_t> elements_scratch_;
  std::vector<std::uint32_t> counts_;
  int groups_sorted_by_value_ = 0;
};

// How recoding makes a missing copy: where copy and source differ (the missing cases), the source
// holds one value below all its other values and the copy one value above all its other values.
// Then a node's cases in the copy's value order are those in the source's order with the missing
// run moved from the start to the end, and the copy's codes are the source's rotated by one.
struct MissingCopyForm {
  bool holds = false;
  bool any_missing = false;  // some case differs
  double source_value = 0.0;  // of the missing cases, when there are any
  double copy_value = 0.0;
};
MissingCopyForm missing_copy_form(const std::vector<double>& source,
                                  const std::vector<double>& copy);

// A column with few distinct values, as the rank of each case's value among them.
constexpr int MAX_CODES = 256;
struct RankCodes {
  std::vector<std::uint8_t> codes;  // per case
  std::vector<double> values;       // the distinct values, ascending: values[code]
};

// Ranks of the values, found without sorting them; false (codes untouched) when there are more
// than MAX_CODES distinct values, which is usually noticed within the first few hundred.
bool rank_codes(const std::vector<double>& values, RankCodes& codes);

}  // namespace bramble
