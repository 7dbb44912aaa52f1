// The order of a column, built once per run: ascending values, equal values in case order, a run
// mark where the value changes; decimal data are told apart by their keys alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tree/column_order.h"

namespace bramble {
namespace {

// The entries as text: each case, with * where a run starts.
std::string sorted_text(const std::vector<double>& values, int& groups_sorted_by_value) {
  std::vector<std::uint64_t> elements(values.size());
  ColumnSorter sorter(EntryBody{}, std::move(elements), std::vector<std::uint64_t>(values.size()));
  std::string text;
  for (const ColumnEntry entry : sorter.sort(values)) {
    text += ((entry & RUN_START) != 0 ? " *" : " ") + std::to_string(entry & CASE_BITS);
  }
  groups_sorted_by_value = sorter.groups_sorted_by_value();
  return text;
}

TEST(ColumnSorter, SortsByValueOnlyTheGroupsItsKeysCannotTellApart) {
  struct Row { std::vector<double> values; const char* sorted; int groups_sorted_by_value; };
  const Row rows[] = {
      // Two decimal places: -0.0 and 0.0 are one value.
      {{2.5, -1.25, 2.5, 0.1, -0.0, 0.0, -0.3}, " *1 *6 *4 5 *3 *0 2", 0},
      // Too many places: one float for four cases, three values among them.
      {{1 + 2e-12, 1, 1 + 1e-12, 7, 1}, " *1 4 *2 *0 *3", 1},
      // Beyond the range of scaled integers; every value a float.
      {{3e9, -3e9, 0.5, 3e9}, " *1 *2 *0 3", 0},
      {{1.0 / 3, 2.0 / 3, 1.0 / 3}, " *0 2 *1", 1},
  };
  for (const Row& row : rows) {
    int groups = -1;
    EXPECT_EQ(sorted_text(row.values, groups), row.sorted) << row.sorted;
    EXPECT_EQ(groups, row.groups_sorted_by_value) << row.sorted;
  }
}

// A missing copy is searched through its source when the missing cases hold one value below all
// others in the source and one above all others in the copy.
TEST(MissingCopyForm, HoldsForOneValueBelowTheSourceAndOneAboveTheCopy) {
  struct Row { std::vector<double> source, copy; bool holds, any_missing; };
  const Row rows[] = {
      {{1, 2, 3}, {1, 2, 3}, true, false},     {{1, -9, 3}, {1, 4, 3}, true, true},
      {{1, -9, 3}, {1, 3, 3}, false, true},    {{1, 1, 3}, {1, 4, 3}, false, true},
      {{-9, -9, 3}, {4, 5, 3}, false, true},   {{-9, -8, 3}, {4, 4, 3}, false, true},
  };
  for (const Row& row : rows) {
    const MissingCopyForm form = missing_copy_form(row.source, row.copy);
    EXPECT_EQ(form.holds, row.holds) << row.copy[1];
    EXPECT_EQ(form.any_missing, row.any_missing) << row.copy[1];
  }
}

}  // namespace
}  // namespace bramble
