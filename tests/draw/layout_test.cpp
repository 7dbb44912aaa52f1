// Placement of the nodes: the widening of crowded cousins and the radius of deep trees. Whole
// automatic runs (tests/e2e) pin down the coordinates of small trees.
#include "draw/layout.h"

#include <gtest/gtest.h>

#include "support/tree_fixtures.h"

namespace bramble {
namespace {

using bramble_test::split;

// A tree of the given splits (in growth order) on a table of a few cases.
NodeTable tree_of(const std::vector<int>& split_nodes) {
  NodeTable table(4, 2);
  for (int node : split_nodes) split(table, node, 0, 0.5);
  return table;
}

void expect_positions(const std::vector<double>& xpos, const std::vector<double>& expected) {
  ASSERT_EQ(xpos.size(), expected.size());
  for (std::size_t i = 0; i < xpos.size(); ++i) EXPECT_NEAR(xpos[i], expected[i], 1e-9) << "node " << i;
}

TEST(Layout, FullTreeOfDepthThreeWidensLevelByLevel) {
  std::vector<double> xpos;
  std::vector<int> level;
  layout_tree(tree_of({0, 1, 2, 3, 4, 5, 6}), xpos, level);
  EXPECT_EQ(level, (std::vector<int>{0, -1, -1, -2, -2, -2, -2, -3, -3, -3, -3, -3, -3, -3, -3}));
  // Worked by hand: widening at 8 re-centres 4, 1 and 2 and moves 5 and 6 (whose daughters are
  // not yet placed); widening at 10 moves 11, 12 and 6; widening at 12 moves 13 and 14.
  expect_positions(xpos, {4.300075, 0.100025, 8.500125, -2, 2.20005, 6.4001, 10.60015, -3, -1,
                          1.20005, 3.20005, 5.4001, 7.4001, 9.60015, 11.60015});
}

// Levels and positions of nodes 0..8 of the tree 0 -> 1,2; 1 -> 3,4; 2 -> 5,6; 3 -> 7,8, with
// node 5 placed at a chosen distance from its cousin 4.
struct CousinPair : ::testing::Test {
  NodeTable table = tree_of({0, 1, 2, 3});
  std::vector<double> xpos{0, -1, 1, -2, 0, 0, 2, -3, -1};
  std::vector<int> level{0, -1, -1, -2, -2, -2, -2, -3, -3};
};

TEST_F(CousinPair, ExactlyTheMinimumDistanceIsNotCrowded) {
  xpos[5] = 2.2;
  EXPECT_EQ(find_crowded_pair(xpos, level, 8), 0);
}

TEST_F(CousinPair, JustBelowTheMinimumIsWidenedToTheWidenedDistance) {
  xpos[5] = 2.1999;
  xpos[6] = 4.1999;
  ASSERT_EQ(find_crowded_pair(xpos, level, 8), 4);
  widen_at(table, 4, xpos, level);
  EXPECT_NEAR(xpos[5] - xpos[4], 2.20005, 1e-12);
  EXPECT_NEAR(xpos[6] - xpos[5], 2.0, 1e-12);
  EXPECT_NEAR(xpos[2], (xpos[5] + xpos[6]) / 2, 1e-12);
  EXPECT_NEAR(xpos[0], (xpos[1] + xpos[2]) / 2, 1e-12);
  EXPECT_DOUBLE_EQ(xpos[7], -3);  // the level below is untouched
}

TEST(PageLayout, RadiusShrinksWithDepth) {
  // A chain down the left side: every split is the left daughter of the one before.
  for (const auto& [depth, radius] : {std::pair{6, 25}, std::pair{10, 15}}) {
    std::vector<int> splits{0};
    for (int d = 1; d < depth; ++d) splits.push_back(2 * d - 1);
    EXPECT_EQ(page_layout(tree_of(splits)).node_radius, radius) << "depth " << depth;
  }
}

}  // namespace
}  // namespace bramble
