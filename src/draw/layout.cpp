#include "draw/layout.h"

#include <algorithm>
#include <cmath>

#include "numeric/arrays.h"

namespace bramble {

namespace {

// Layout units: the distance of two daughters, half a node, the least gap between neighbours.
constexpr double LAYOUT_SPREAD = 2.0;
constexpr double LAYOUT_HALF_WIDTH = 0.5;
constexpr double LAYOUT_GAP = 1.2;

constexpr double PAGE_WIDTH = 450.0;
constexpr double PAGE_HEIGHT = 550.0;
constexpr int PAGE_BOTTOM = -580;
constexpr int MAX_RADIUS = 30;
constexpr double RADIUS_SCALE = 150.0;

struct Extent {
  double low, high;
};

// Extent of values, widened to 1 when they are all equal so that scaling never divides by zero.
template <typename T>
Extent extent_of(const std::vector<T>& values) {
  Extent extent{static_cast<double>(*std::min_element(values.begin(), values.end())),
                static_cast<double>(*std::max_element(values.begin(), values.end()))};
  if (extent.high == extent.low) extent.high = extent.low + 1;
  return extent;
}

int scale(double value, const Extent& extent, double size) {
  return static_cast<int>((value - extent.low) * size / (extent.high - extent.low));
}

// The radius shrinks with the depth and with the distance of the last sibling pair.
int node_radius(const NodeTable& table, const std::vector<double>& xpos, const Extent& x_extent,
                const Extent& level_extent) {
  int radius = static_cast<int>(RADIUS_SCALE / (level_extent.high - level_extent.low));
  if (radius > MAX_RADIUS) radius = MAX_RADIUS;
  const int last = table.node_count - 1;
  if (table.node_count > 1) {
    const double distance = std::fabs(xpos[last] - xpos[last - 1]) * PAGE_WIDTH /
                            (x_extent.high - x_extent.low);
    if (distance / 3 < radius) radius = static_cast<int>(distance / 3);
  }
  return radius;
}

// level of every node below node = minus its depth, node itself being at depth step - 1.
void assign_levels(const NodeTable& table, int node, int step, std::vector<int>& level) {
  const int left = table.left_child[node];
  if (left == 0) return;
  level[left] = level[left + 1] = -step;
  assign_levels(table, left, step + 1, level);
  assign_levels(table, left + 1, step + 1, level);
}

}  // namespace

int find_crowded_pair(const std::vector<double>& xpos, const std::vector<int>& level, int k) {
  const double min_distance = 2 * LAYOUT_HALF_WIDTH + LAYOUT_GAP;
  for (int j = k - 2; j > 3; j -= 2) {
    if (level[j] != 0 && level[j] == level[j + 1] && xpos[j + 1] - xpos[j] < min_distance) return j;
  }
  return 0;
}

void widen_at(const NodeTable& table, int j, std::vector<double>& xpos,
              const std::vector<int>& level) {
  const double shift = xpos[j] - xpos[j + 1] + 2.0001 * LAYOUT_HALF_WIDTH + LAYOUT_GAP;
  const int target = level[j + 1];
  for (int node = j + 1; node != 0; node = table.parent[node]) {
    for (int m = node; m <= j + 2 && level[m] == level[node]; ++m) {
      const int left = table.left_child[m];
      if (level[m] != target && left != 0 && left < j + 2) {
        xpos[m] = (xpos[left] + xpos[left + 1]) / 2;
      } else {
        xpos[m] += shift;
      }
    }
  }
  xpos[0] = (xpos[1] + xpos[2]) / 2;
}

void layout_tree(const NodeTable& table, std::vector<double>& xpos, std::vector<int>& level) {
  xpos = dvector(table.node_count);
  level = ivector(table.node_count);
  assign_levels(table, 0, 1, level);
  // Pairs are placed in index order, which is breadth-first: a parent is placed before its daughters.
  for (int left = 1; left < table.node_count; left += 2) {
    const int parent = table.parent[left];
    if (table.left_child[parent] != left) continue;
    xpos[left] = xpos[parent] - LAYOUT_SPREAD / 2;
    xpos[left + 1] = xpos[parent] + LAYOUT_SPREAD / 2;
    const int crowded = find_crowded_pair(xpos, level, left + 1);
    if (crowded != 0) widen_at(table, crowded, xpos, level);
  }
}

PageLayout page_layout(const NodeTable& table) {
  PageLayout layout;
  layout_tree(table, layout.xpos, layout.level);
  const Extent x_extent = extent_of(layout.xpos);
  const Extent level_extent = extent_of(layout.level);
  const int r = node_radius(table, layout.xpos, x_extent, level_extent);
  layout.node_radius = r;
  layout.box.resize(table.node_count);
  for (int i = 0; i < table.node_count; ++i) {
    const int x = scale(layout.xpos[i], x_extent, PAGE_WIDTH);
    const int y = scale(layout.level[i], level_extent, PAGE_HEIGHT) + PAGE_BOTTOM;
    NodeBox& box = layout.box[i];
    if (table.left_child[i] > 0) {
      box.x0 = x;
      box.y0 = y;
    } else {
      box.x0 = x - r;
      box.x1 = box.x0 + 2 * r;
      box.y0 = y - r;
      box.y1 = box.y0 + 2 * r;
    }
  }
  return layout;
}

EdgePoints edge_endpoints(const PageLayout& layout, const NodeTable& table, int i) {
  const int r = layout.node_radius;
  const int d = static_cast<int>(r / 1.414);  // the circle's lower points at 45 degrees
  const NodeBox& node = layout.box[i];
  const int left = table.left_child[i];
  const NodeBox& left_box = layout.box[left];
  const NodeBox& right_box = layout.box[left + 1];
  // Each edge ends at the top centre of its daughter; both daughters share one level.
  const bool left_split = table.left_child[left] > 0;
  const bool right_split = table.left_child[left + 1] > 0;
  EdgePoints edge;
  edge.left_x1 = node.x0 - d;
  edge.right_x1 = node.x0 + d;
  edge.left_y1 = edge.right_y1 = node.y0 - d - 1;
  edge.left_x2 = left_split ? left_box.x0 : left_box.x0 + r;
  edge.right_x2 = right_split ? right_box.x0 : right_box.x0 + r;
  edge.left_y2 = edge.right_y2 = left_split ? left_box.y0 + r : left_box.y0 + 2 * r;
  return edge;
}

}  // namespace bramble
