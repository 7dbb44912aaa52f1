#include "html/tree_layout.h"

#include <algorithm>

namespace bramble {

namespace {

struct Placer {
  const ModelTree& tree;
  std::vector<NodePlace>& places;
  double slot_width;
  int next_slot = 0;
  int max_depth = 0;

  // Daughters lie further down the table than their parent, which rules out cycles.
  bool valid_daughter(int parent_index, int number) const {
    return number > parent_index + 1 && number <= static_cast<int>(tree.nodes.size()) &&
           !places[number - 1].drawn;
  }

  // Places the subtree under nodes[index] and returns its centre.
  double place(int index, int depth) {
    NodePlace& here = places[index];
    here.drawn = true;
    here.depth = depth;
    max_depth = std::max(max_depth, depth);
    const ModelNode& node = tree.nodes[index];
    if (node.is_split() && node.left != node.right && valid_daughter(index, node.left) &&
        valid_daughter(index, node.right)) {
      const double left = place(node.left - 1, depth + 1);
      const double right = place(node.right - 1, depth + 1);
      here.split = true;
      here.x = (left + right) / 2.0;
    } else {
      here.x = (next_slot + 0.5) * slot_width;
      ++next_slot;
    }
    return here.x;
  }
};

}  // namespace

TreeLayout layout_tree(const ModelTree& tree, const std::vector<NodeExtent>& extents) {
  TreeLayout layout;
  layout.places.assign(tree.nodes.size(), NodePlace{});
  double widest = 0.0;
  double tallest = 0.0;
  for (const NodeExtent& extent : extents) {
    widest = std::max({widest, extent.box_width, extent.label_width});
    tallest = std::max(tallest, extent.box_height);
  }
  layout.box_width = widest;
  layout.level_height = tallest + LABEL_BAND;
  if (tree.nodes.empty()) return layout;
  Placer placer{tree, layout.places, widest + SLOT_GAP};
  placer.place(0, 0);
  for (NodePlace& place : layout.places) place.top = place.depth * layout.level_height;
  layout.width = placer.next_slot * placer.slot_width;
  layout.height = placer.max_depth * layout.level_height + tallest;
  return layout;
}

}  // namespace bramble
