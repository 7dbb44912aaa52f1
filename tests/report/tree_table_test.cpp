// The tree table of the report. Whole automatic runs (tests/e2e) pin down the rows of ordinal,
// missing-copy and nominal splits; this test adds a slot that pruning emptied.
#include "report/tree_table.h"

#include <gtest/gtest.h>

#include "support/hand_tree.h"

namespace bramble {
namespace {

using bramble_test::five_covariates;
using bramble_test::place;
using bramble_test::split;
using bramble_test::written_by;

// Root on covariate 3 at 2.45; node 2 on the missing copy; node 3 nominal with categories 1 and 3
// going right; node 6 is a slot that pruning emptied.
TEST(TreeTable, RowsForEveryKindOfSplitAndNoRowForAnEmptySlot) {
  const Dataset data = five_covariates({0, 1, 2, 2, 0, 1, 1, 1, 2}, 3);
  NodeTable table(9, 3);
  split(table, 0, 2, 2.45);
  split(table, 1, 3, -1.5);
  split(table, 2, 4, 13.0);
  place(table, 3, {0, 1});
  place(table, 4, {2, 3, 4});
  place(table, 6, {5, 6, 7, 8});
  const int sizes[] = {9, 5, 4, 2, 3, 0, 4};
  for (int node = 0; node < 7; ++node) table.node_size[node] = sizes[node];

  EXPECT_EQ(written_by([&](FILE* f) { write_tree_table(f, data, table); }),
            "  node  #cases   left   right  split var  cut-off\n"
            "     1       9      2       3      3        2.45000\n"
            "     2       5      4       5      2       -1.50000/NA\n"
            "     3       4      6       7      5       {30,10}\n"
            "     4       2 terminal node with distribution: 1 1 0 \n"
            "     5       3 terminal node with distribution: 1 0 2 \n"
            "     7       4 terminal node with distribution: 0 3 1 \n");
}

}  // namespace
}  // namespace bramble
