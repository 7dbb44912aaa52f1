// Placement of the nodes of a tree on a page.
#pragma once

#include <vector>

#include "tree/node_table.h"

namespace bramble {

// Box of a node in page units: a split node's circle centre (x0, y0); a terminal node's square
// from (x0, y0) to (x1, y1).
struct NodeBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct PageLayout {
  std::vector<double> xpos;  // layout units
  std::vector<int> level;    // minus the depth
  std::vector<NodeBox> box;  // page units
  int node_radius = 0;
};

struct EdgePoints {
  int left_x1, left_y1, left_x2, left_y2;
  int right_x1, right_y1, right_x2, right_y2;
};

// Levels and horizontal positions, widening crowded neighbours (fills xpos and level).
void layout_tree(const NodeTable& table, std::vector<double>& xpos, std::vector<int>& level);

// The whole layout: positions, radius and boxes.
PageLayout page_layout(const NodeTable& table);

// Start and end points of the two edges below split node i.
EdgePoints edge_endpoints(const PageLayout& layout, const NodeTable& table, int i);

// The steps of layout_tree, for a table numbered breadth-first.

// Scanning leftwards from the pair just placed (k is its right daughter), the first even j > 3
// whose node j + 1 on the same level stands closer than the minimum distance; 0 when none does.
int find_crowded_pair(const std::vector<double>& xpos, const std::vector<int>& level, int k);

// Moves nodes j + 1 and j + 2 right to the widened distance, then on each level above moves or
// re-centres the ancestor of j + 1 and the nodes right of it, and re-centres the root.
void widen_at(const NodeTable& table, int j, std::vector<double>& xpos,
              const std::vector<int>& level);

}  // namespace bramble
