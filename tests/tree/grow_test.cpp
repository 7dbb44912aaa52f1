#include "tree/grow.h"

#include <gtest/gtest.h>

#include <vector>

#include "io/fatal.h"
#include "support/tree_fixtures.h"
#include "tree/column_order.h"
#include "tree/impurity.h"

namespace bramble {
namespace {

using bramble_test::make_dataset;
using bramble_test::split;

// Cells as in daughter_counts; a 2x2 table is n (ad - bc)^2 / (row and column totals).
TEST(SplitStatistic, AddsHalfToEveryCellWhenOneIsBelowFive) {
  const struct { std::vector<int> cells; int n; double statistic; } rows[] = {
      {{3, 0, 1, 2}, 6, 8 * 8.0 * 8.0 / (4 * 4 * 5 * 3)},        // (3.5, 0.5, 1.5, 2.5)
      {{10, 5, 5, 10}, 30, 30 * 75.0 * 75.0 / (15.0 * 15 * 15 * 15)},  // no cell below 5
      {{10, 4, 4, 10}, 28, 30 * 90.0 * 90.0 / (15.0 * 15 * 15 * 15)},  // 4 is: (10.5, 4.5, ...)
      {{4, 10, 10, 4}, 28, 30 * 90.0 * 90.0 / (15.0 * 15 * 15 * 15)},
  };
  for (const auto& row : rows) {
    EXPECT_NEAR(split_statistic(bramble_test::daughter_counts(row.cells), row.n), row.statistic,
                1e-9) << row.cells[0] << " " << row.cells[1];
  }
}

// A daughter of one case counts like any other, either side: 1 - (1/1) / 4 - (1 + 4) / (3 * 4).
TEST(Impurity, GiniOfADaughterOfOneCase) {
  const int one[] = {1, 0}, three[] = {1, 2};
  EXPECT_NEAR(impurity(one, 1, three, 3, 4, 2, SplittingRule::gini), 1.0 / 3, 1e-12);
  EXPECT_NEAR(impurity(three, 3, one, 1, 4, 2, SplittingRule::gini), 1.0 / 3, 1e-12);
}

// Cases alike in every covariate cannot be split, whatever their classes; two values can.
TEST(SplitSearch, CasesVaryWhenACovariateTakesTwoValues) {
  const Dataset alike = make_dataset({{1, 1, 1, 1}, {0, 0, 0, 0}}, {0, 1, 0, 1}, 2, {1, 2});
  EXPECT_FALSE(SplitSearch(alike, SplittingRule::entropy).varies(0));
  const Dataset two_values = make_dataset({{1, 1, 1, 1}, {0, 1, 0, 1}}, {0, 1, 0, 1}, 2, {1, 2});
  EXPECT_TRUE(SplitSearch(two_values, SplittingRule::entropy).varies(0));
  EXPECT_TRUE(is_splittable(two_values, std::vector<int>{0, 1}.data(), 2)) << "two cases";
}

// Decimal data are told apart by their sort keys alone; otherwise the groups of equal keys that
// hold several values are sorted by value.
TEST(ColumnSorter, SortsByValueOnlyWhatItsKeysCannotTellApart) {
  const struct { std::vector<double> values; int groups_sorted_by_value; } rows[] = {
      {{2.5, -1.25, 2.5, 0.1, -0.0, 0.0, -0.3}, 0},  // two decimal places
      {{0.123456789, 0.123456788}, 0},                // nine, the most: one float, two integers
      {{1 + 2e-12, 1, 1 + 1e-12, 7, 1}, 1},           // too many: one float key for four cases
      {{3e9, -3e9, 0.5, 3e9}, 0},  // beyond the scaled integers' range, every value a float
      {{2147483647, 2147483646}, 0}, {{214748364.7, 214748364.6}, 0},  // at the keys' limit
      {{3e8, 3.5e8, 0.5}, 0},  // in range without places, out of it with the one the last needs
      {{1.0 / 3, 2.0 / 3, 1.0 / 3}, 1},
  };
  for (const auto& row : rows) {
    const std::size_t n = row.values.size();
    ColumnSorter sorter(EntryBody{}, std::vector<std::uint64_t>(n), std::vector<std::uint64_t>(n));
    sorter.sort(row.values);
    EXPECT_EQ(sorter.groups_sorted_by_value(), row.groups_sorted_by_value) << row.values[0];
  }
}

// A missing copy is searched through its source when its missing cases hold one value below all
// others in the source and one above all others in the copy.
TEST(MissingCopyForm, HoldsForOneValueBelowTheSourceAndOneAboveTheCopy) {
  const struct { std::vector<double> source, copy; bool holds; } rows[] = {
      {{1, 2, 3}, {1, 2, 3}, true},   {{1, -9, 3}, {1, 4, 3}, true},
      {{1, -9, 3}, {1, 3, 3}, false}, {{1, 1, 3}, {1, 4, 3}, false},
      {{-9, -9, 3}, {4, 5, 3}, false}, {{-9, -8, 3}, {4, 4, 3}, false},
  };
  for (const auto& row : rows) EXPECT_EQ(missing_copy_form(row.source, row.copy).holds, row.holds);
}

// 300 cases: each daughter needs more than 3.
TEST(GrowNode, ANodeHasRoomWhenBothDaughtersCanExceedTheMinimum) {
  Dataset data;
  data.n_cases = 300;
  EXPECT_FALSE(has_room_for_split(data, 7));
  EXPECT_TRUE(has_room_for_split(data, 8));
}

// A node its parent's split left without cases ends the run, naming that split in full.
TEST(GrowNode, AnEmptyNodeEndsTheRunNamingTheSplit) {
  NodeTable table(2, 2);
  split(table, 0, 1, 12345678901234567890.0);
  try {
    stop_on_empty_node(table, 2);
    FAIL() << "the run went on";
  } catch (const ProgramExit& exit) {
    EXPECT_EQ(exit.status, STATUS_OK);
    EXPECT_EQ(exit.console_text, "The split using variable 2 at a value of 12345678901234567168.000000"
                                 " results in an empty node\nPress Enter to end this program!");
  }
}

// Every case in the root, and the split fields of as many nodes as three cases can make cleared.
TEST(GrowNode, AClearedTableHoldsTheRootAlone) {
  NodeTable table(3, 2);
  table.case_node.assign(3, 9);
  table.left_child = table.split_var = std::vector<int>(7, 9);
  table.cut_off.assign(7, 9.5);
  init_node_table(table);
  const std::vector<int> cleared{0, 0, 0, 0, 0, 0, 9};
  EXPECT_TRUE(table.left_child == cleared && table.split_var == cleared);
  EXPECT_EQ(table.case_node, std::vector<int>(3, 0));
  EXPECT_EQ(table.cut_off, (std::vector<double>{0, 0, 0, 0, 0, 0, 9.5}));
}

TEST(GrowNode, NodeLimitLeavesTheNodeTerminal) {
  const Dataset data = make_dataset({{1, 2, 3, 4}}, {0, 0, 1, 1}, 2);
  NodeTable table(4, 2);
  init_node_table(table);
  SplitSearch search(data, SplittingRule::entropy);
  table.node_count = NODE_LIMIT;
  grow_node(0, data, table, search);
  EXPECT_TRUE(table.node_count == NODE_LIMIT && table.left_child[0] == 0);
  EXPECT_EQ(table.node_size[0], 4);
  EXPECT_EQ(table.case_node, std::vector<int>(4, 0));

  table.node_count = NODE_LIMIT - 2;  // one split still fits
  grow_node(0, data, table, search);
  EXPECT_EQ(table.node_count, NODE_LIMIT);
  EXPECT_EQ(table.left_child[0], NODE_LIMIT - 2);
}

}  // namespace
}  // namespace bramble
