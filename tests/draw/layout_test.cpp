#include "draw/layout.h"

#include <gtest/gtest.h>

#include "prune/hand_tree.h"

namespace bramble {
namespace {

using bramble_test::split;

// A tree of the given splits (in growth order) on a table of a few cases.
NodeTable tree_of(const std::vector<int>& split_nodes) {
  NodeTable table(4, 2);
  for (int node : split_nodes) split(table, node, 0, 0.5);
  return table;
}

void expect_box(const NodeBox& box, int x0, int y0, int x1, int y1) {
  EXPECT_EQ(box.x0, x0);
  EXPECT_EQ(box.y0, y0);
  EXPECT_EQ(box.x1, x1);
  EXPECT_EQ(box.y1, y1);
}

void expect_positions(const std::vector<double>& xpos, const std::vector<double>& expected) {
  ASSERT_EQ(xpos.size(), expected.size());
  for (std::size_t i = 0; i < xpos.size(); ++i) EXPECT_NEAR(xpos[i], expected[i], 1e-9) << "node " << i;
}

TEST(PageLayout, SingleNodeIsTheLargestSquareAtTheBottomLeft) {
  const PageLayout layout = page_layout(tree_of({}));
  EXPECT_EQ(layout.node_radius, 30);
  expect_box(layout.box[0], -30, -610, 30, -550);
}

TEST(PageLayout, RootWithTwoTerminalDaughtersSpansThePage) {
  const NodeTable table = tree_of({0});
  const PageLayout layout = page_layout(table);
  expect_positions(layout.xpos, {0, -1, 1});
  EXPECT_EQ(layout.level, (std::vector<int>{0, -1, -1}));
  EXPECT_EQ(layout.node_radius, 30);
  EXPECT_EQ(layout.box[0].x0, 225);
  EXPECT_EQ(layout.box[0].y0, -30);
  expect_box(layout.box[1], -30, -610, 30, -550);
  expect_box(layout.box[2], 420, -610, 480, -550);

  const EdgePoints edge = edge_endpoints(layout, table, 0);
  // Starts at 45 degrees on the circle, one unit lower: d = trunc(30 / 1.414) = 21.
  EXPECT_EQ(edge.left_x1, 204);
  EXPECT_EQ(edge.right_x1, 246);
  EXPECT_EQ(edge.left_y1, -52);
  EXPECT_EQ(edge.right_y1, -52);
  // Ends at the top centre of each square.
  EXPECT_EQ(edge.left_x2, 0);
  EXPECT_EQ(edge.right_x2, 450);
  EXPECT_EQ(edge.left_y2, -550);
  EXPECT_EQ(edge.right_y2, -550);
}

TEST(PageLayout, EdgeToASplitDaughterEndsAtTheTopOfItsCircle) {
  const NodeTable table = tree_of({0, 1});
  const PageLayout layout = page_layout(table);
  // xpos 0, -1, 1, -2, 0 over [-2, 1]; levels 0, -1, -2 over [-2, 0].
  EXPECT_EQ(layout.node_radius, 30);
  EXPECT_EQ(layout.box[1].x0, 150);
  EXPECT_EQ(layout.box[1].y0, -305);
  const EdgePoints root = edge_endpoints(layout, table, 0);
  EXPECT_EQ(root.left_x2, 150);
  EXPECT_EQ(root.left_y2, -275);
  EXPECT_EQ(root.right_x2, 450);
  EXPECT_EQ(root.right_y2, -275);
  const EdgePoints below = edge_endpoints(layout, table, 1);
  EXPECT_EQ(below.left_x1, 129);
  EXPECT_EQ(below.left_y1, -327);
  EXPECT_EQ(below.left_x2, 0);
  EXPECT_EQ(below.right_x2, 300);
  EXPECT_EQ(below.right_y2, -550);
}

TEST(Layout, CrowdedCousinsArePushedApartAndTheRootRecentred) {
  std::vector<double> xpos;
  std::vector<int> level;
  layout_tree(tree_of({0, 1, 2}), xpos, level);
  // Nodes 4 and 5 both land at 0; 5 and 6 move right to 2.20005 from node 4, node 2 is re-centred
  // over them and the root midway between 1 and 2.
  expect_positions(xpos, {1.100025, -1, 3.20005, -2, 0, 2.20005, 4.20005});
  EXPECT_NEAR(xpos[0], (xpos[1] + xpos[2]) / 2, 1e-12);
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

// A chain down the left side: every split is the left daughter of the one before.
NodeTable left_chain(int depth) {
  std::vector<int> splits{0};
  for (int d = 1; d < depth; ++d) splits.push_back(2 * d - 1);
  return tree_of(splits);
}

TEST(PageLayout, RadiusShrinksWithDepth) {
  EXPECT_EQ(page_layout(left_chain(6)).node_radius, 25);
  EXPECT_EQ(page_layout(left_chain(10)).node_radius, 15);
}

}  // namespace
}  // namespace bramble
