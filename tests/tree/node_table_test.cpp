#include "tree/node_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/tree_fixtures.h"

namespace bramble {
namespace {

using bramble_test::make_dataset;

TEST(NodeTable, InitPutsEveryCaseInTheRoot) {
  NodeTable table(4, 2);
  table.case_node = {3, 4, 0, 2};
  table.left_child[0] = 1;
  table.split_var[0] = 2;
  table.cut_off[0] = 1.5;
  table.left_child[8] = 9;  // beyond 2 x n_cases: left alone
  init_node_table(table);
  EXPECT_EQ(table.case_node, std::vector<int>(4, 0));
  EXPECT_EQ(table.left_child[0], 0);
  EXPECT_EQ(table.split_var[0], 0);
  EXPECT_EQ(table.cut_off[0], 0.0);
  EXPECT_EQ(table.left_child[8], 9);
  EXPECT_FALSE(table.is_split(0));
}

TEST(PartitionNode, OrdinalValueEqualToCutOffGoesLeft) {
  // Three classes: the right daughter gets classes 0 and 2, the left one class 1.
  const Dataset data = make_dataset({{1.0, 2.5, 2.5, 4.0, 3.0}}, {2, 1, 1, 0, 2}, 3);
  NodeTable table(5, 3);
  table.node_count = 3;
  table.cut_off[1] = 2.5;
  const int cases[] = {0, 1, 2, 3, 4};
  table.case_node = {1, 1, 1, 1, 1};
  partition_node(data, table, 1, cases, 5, 0, 0);
  EXPECT_EQ(table.case_node, (std::vector<int>{3, 3, 3, 4, 4}));
  // [right 2, left 2, right 1, left 1, right 0, left 0]
  EXPECT_EQ(bramble_test::entries_of(table.daughter_counts), (std::vector<int>{1, 1, 0, 2, 1, 0}));
  EXPECT_EQ(table.cut_off[1], 2.5);
  EXPECT_EQ(table.node_count, 3);
}

TEST(PartitionNode, NominalCodeBecomesTheDecimalCategoryCode) {
  const Dataset data = make_dataset({{0, 1, 2, 1, 0}}, {0, 1, 0, 1, 0}, 2, {3});
  const int cases[] = {0, 1, 2, 3, 4};
  NodeTable table(5, 2);
  table.cut_off[0] = 3.0;  // Gray code 2: only category 1 goes right
  partition_node(data, table, 0, cases, 5, 0, 3);
  EXPECT_EQ(table.case_node, (std::vector<int>{1, 2, 1, 2, 1}));
  EXPECT_EQ(table.cut_off[0], 2.0);
  EXPECT_EQ(bramble_test::entries_of(table.daughter_counts), (std::vector<int>{2, 0, 0, 3}));

  table.cut_off[0] = 1.0;  // Gray code 1: only category 0 goes right
  partition_node(data, table, 0, cases, 5, 0, 1);
  EXPECT_EQ(table.case_node, (std::vector<int>{2, 1, 1, 1, 2}));
  EXPECT_EQ(table.cut_off[0], 1.0);
}

TEST(PartitionNode, AbsentCategoryTakesNoBitAndNoDigit) {
  // Categories 0, 2 and 3 present of 4: code 2 (Gray 3) sends 0 and 2 right.
  const Dataset data = make_dataset({{3, 2, 0, 3, 2}}, {0, 1, 1, 0, 1}, 2, {4});
  const int cases[] = {0, 1, 2, 3, 4};
  NodeTable table(5, 2);
  partition_node(data, table, 0, cases, 5, 0, 2);
  EXPECT_EQ(table.case_node, (std::vector<int>{1, 2, 2, 1, 2}));
  EXPECT_EQ(table.cut_off[0], 13.0);
  EXPECT_EQ(categories_going_right(data, 0, cases, 5, 2), (std::vector<int>{1, 0, 1, 0}));
}

}  // namespace
}  // namespace bramble
