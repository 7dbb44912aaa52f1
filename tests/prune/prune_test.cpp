// Pruning passes on hand-built tables: which splits collapse, and the renumbering that follows (a
// deeper tree than the whole runs of tests/e2e prune).
#include "prune/prune.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "io/fatal.h"
#include "report/tree_table.h"
#include "support/tree_fixtures.h"
#include "support/scratch_stream.h"

namespace bramble {
namespace {

using bramble_test::make_dataset;
using bramble_test::place;
using bramble_test::split;

// Thirteen nodes: 0 -> 1,2; 1 -> 3,4; 2 -> 5,6; 3 -> 7,8; 4 -> 9,10; 5 -> 11,12. Terminal node t
// holds cases 2(t-6) and 2(t-6)+1. Every split starts significant at every pass. Each node's size
// is its number here, so that it tells where a renumbered node came from.
struct ThirteenNodes : ::testing::Test {
  Dataset data = make_dataset({std::vector<double>(14)}, {0, 1, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1}, 2);
  NodeTable table{14, 2};
  std::vector<std::vector<int>> node_counts; std::string rows;  // rows: before renumbering

  ThirteenNodes() {
    for (int node : {0, 1, 2, 3, 4, 5}) split(table, node, 0, node + 0.5, 100.0);
    for (int t = 6; t <= 12; ++t) place(table, t, {2 * (t - 6), 2 * (t - 6) + 1});
    for (int node = 0; node < 13; ++node) table.node_size[node] = node;
  }

  std::vector<int> old_numbers() const {
    return std::vector<int>(table.node_size.begin(), table.node_size.begin() + table.node_count);
  }

  // One pass; returns what it printed.
  std::string prune_and_renumber(int pass = 0) {
    const int unpruned = prune_tree(table, significant_splits(table, data.n_classes, pass));
    const int pruned = table.node_count;
    rows = bramble_test::written_by([&](FILE* out) { write_tree_table(out, data, table); });
    const std::string printed = bramble_test::written_by(
        [&](FILE* console) { node_counts = renumber_tree(data, table, unpruned, console); });
    EXPECT_EQ(table.node_count, pruned) << "the count the pass left";
    return printed;
  }
};

TEST_F(ThirteenNodes, FailingChainCollapsesInOneDescendingWalk) {
  // 3 and 4 fail with terminal daughters; 1 fails and its daughters become terminal in the walk.
  for (int node : {1, 3, 4}) table.split_chisq[node] = 1.0;
  EXPECT_EQ(prune_and_renumber(), "There remain 7 nodes\n");
  EXPECT_EQ(old_numbers(), (std::vector<int>{0, 1, 2, 5, 6, 11, 12}));
  EXPECT_EQ(table.case_node, (std::vector<int>{4, 4, 1, 1, 1, 1, 1, 1, 1, 1, 5, 5, 6, 6}));
  EXPECT_EQ(table.left_child[1], 0);
  EXPECT_EQ(table.left_child[3], 5);
  EXPECT_DOUBLE_EQ(table.cut_off[3], 5.5);  // fields move with their node
  EXPECT_EQ(table.split_chisq[1], 1.0);      // a collapsed split keeps its statistic
  EXPECT_EQ(node_counts[1], (std::vector<int>{5, 3}));
}

TEST_F(ThirteenNodes, FailingSplitAboveASurvivingSplitStays) {
  for (int node : {1, 3}) table.split_chisq[node] = 1.0;
  EXPECT_EQ(prune_and_renumber(), "There remain 11 nodes\n");
  EXPECT_TRUE(table.is_split(1));
  EXPECT_EQ(old_numbers(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12}));
  EXPECT_EQ(table.left_child[4], 7);  // old 4 -> old 9, now 7
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 10) << "slots 7 and 8 emptied: no rows";
}

// Upper chi-square quantiles at p = 0.01, 0.005, 0.001, 0.0005, 0.0001, 0.00001 and 0.000001 to
// four decimals, as printed tables give them; row k - 1 for k degrees of freedom (k + 1 classes).
const double CRITICAL[9][N_PRUNE_PASSES] = {
    {6.6348, 7.8794, 10.8275, 12.1156, 15.1367, 19.5114, 23.9281},
    {9.2103, 10.5966, 13.8155, 15.2018, 18.4206, 23.0258, 27.6310},
    {11.3448, 12.8381, 16.2662, 17.7300, 21.1075, 25.9017, 30.6648},
    {13.2767, 14.8602, 18.4668, 19.9973, 23.5127, 28.4732, 33.3768},
    {15.0862, 16.7496, 20.5150, 22.1053, 25.7448, 30.8561, 35.8881},
    {16.8118, 18.5475, 22.4577, 24.1028, 27.8563, 33.1070, 38.2583},
    {18.4753, 20.2777, 24.3218, 26.0177, 29.8775, 35.2585, 40.5218},
    {20.0902, 21.9549, 26.1244, 27.8680, 31.8276, 37.3315, 42.7009},
    {21.6659, 23.5893, 27.8771, 29.6658, 33.7199, 39.3406, 44.8109},
};

TEST(SignificantSplits, AStatisticEqualToTheCriticalValueSurvives) {
  NodeTable table(2, 2);
  table.node_count = 2;
  for (int n_classes = 2; n_classes <= 10; ++n_classes) {
    for (int pass = 0; pass < N_PRUNE_PASSES; ++pass) {
      const double critical = CRITICAL[n_classes - 2][pass];
      table.split_chisq[0] = critical;
      table.split_chisq[1] = critical - 0.00005;
      const std::vector<int> kept = significant_splits(table, n_classes, pass);
      EXPECT_TRUE(kept[0] == 1 && kept[1] == 0) << n_classes << " classes, pass " << pass;
    }
  }
  // Beyond the table there is no critical value: the run ends with an internal error.
  for (const auto& [n_classes, pass] : {std::pair{1, 0}, {11, 0}, {2, -1}, {2, N_PRUNE_PASSES}}) {
    EXPECT_THROW(significant_splits(table, n_classes, pass), ProgramExit) << n_classes << pass;
  }
}

}  // namespace
}  // namespace bramble
