#include "prune/report.h"

#include <gtest/gtest.h>

#include "prune/hand_tree.h"

namespace bramble {
namespace {

using bramble_test::add_covariate;
using bramble_test::add_ordinal;
using bramble_test::classes_only;
using bramble_test::place;
using bramble_test::split;
using bramble_test::stream_text;

const char* const HEADING = "  node  #cases   left   right  split var  cut-off\n";

std::string table_text(const Dataset& data, const NodeTable& table) {
  FILE* report = std::tmpfile();
  write_tree_table(report, data, table);
  const std::string text = stream_text(report);
  std::fclose(report);
  return text;
}

std::string category_text(double value, const std::vector<int>& labels) {
  FILE* out = std::tmpfile();
  write_category_list(value, labels, out);
  const std::string text = stream_text(out);
  std::fclose(out);
  return text;
}

TEST(TreeTable, SingleNodeShowsItsWholeDistribution) {
  std::vector<int> y(150);
  for (int c = 0; c < 150; ++c) y[c] = c / 50;
  Dataset data = classes_only(3, y);
  NodeTable table(150, 3);
  table.node_size[0] = 150;
  EXPECT_EQ(table_text(data, table),
            std::string(HEADING) + "     1     150 terminal node with distribution: 50 50 50 \n");
}

// Covariates 1 to 3 ordinal, 4 the missing copy of covariate 2, 5 nominal with labels 10, 20, 30.
// Root on covariate 3 at 2.45; node 2 on the missing copy; node 3 nominal with categories 1 and 3
// going right; node 6 is a slot that pruning emptied.
TEST(TreeTable, RowsForEveryKindOfSplitAndNoRowForAnEmptySlot) {
  Dataset data = classes_only(3, {0, 1, 2, 2, 0, 1, 1, 1, 2});
  for (int v = 0; v < 3; ++v) add_ordinal(data);
  const int copy = add_covariate(data, 1, 1);
  const int nominal = add_covariate(data, 3, -1, {10, 20, 30});
  NodeTable table(9, 3);
  split(table, 0, 2, 2.45);
  split(table, 1, copy, -1.5);
  split(table, 2, nominal, 13.0);
  place(table, 3, {0, 1});
  place(table, 4, {2, 3, 4});
  place(table, 6, {5, 6, 7, 8});
  const int sizes[] = {9, 5, 4, 2, 3, 0, 4};
  for (int node = 0; node < 7; ++node) table.node_size[node] = sizes[node];

  EXPECT_EQ(table_text(data, table), std::string(HEADING) +
                                         "     1       9      2       3      3        2.45000\n"
                                         "     2       5      4       5      2       -1.50000/NA\n"
                                         "     3       4      6       7      5       {30,10}\n"
                                         "     4       2 terminal node with distribution: 1 1 0 \n"
                                         "     5       3 terminal node with distribution: 1 0 2 \n"
                                         "     7       4 terminal node with distribution: 0 3 1 \n");
}

TEST(CategoryList, NamesTheCategoriesFromTheLastDigitOn) {
  const std::vector<int> labels{10, 20, 30};
  EXPECT_EQ(category_text(13.0, labels), "30,10");
  EXPECT_EQ(category_text(2.0, labels), "20");
  EXPECT_EQ(category_text(123.9, labels), "30,20,10");  // truncated toward zero
  EXPECT_EQ(category_text(0.0, labels), "");
}

TEST(CategoryList, DigitsWithoutACategoryWriteNothing) {
  const std::vector<int> labels{10, 20, 30};
  EXPECT_EQ(category_text(103.0, labels), "30,10");  // 0 names nothing, and no stray comma
  EXPECT_EQ(category_text(40.0, labels), "");        // 4 is beyond the three labels
  EXPECT_EQ(category_text(41.0, labels), "10");
  EXPECT_EQ(category_text(1e30, labels), "");
}

TEST(ClassCounts, OnePassAgreesWithCountingEachNode) {
  Dataset data = classes_only(3, {2, 0, 1, 1, 2, 2, 0});
  NodeTable table(7, 3);
  table.node_count = 3;
  table.case_node = {1, 2, 1, 1, 0, 2, 2};
  const std::vector<std::vector<int>> by_node = class_counts_by_node(data, table);
  ASSERT_EQ(by_node.size(), 3u);
  EXPECT_EQ(by_node[1], (std::vector<int>{0, 2, 1}));
  for (int node = 0; node < 3; ++node) {
    std::vector<int> counts(3, -1);
    count_node_classes(data, table, node, counts.data());
    EXPECT_EQ(counts, by_node[node]) << "node " << node;
  }
}

}  // namespace
}  // namespace bramble
