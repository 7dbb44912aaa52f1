// Where each node of a tree goes in its picture. Every terminal node gets a slot of its own, left
// to right, and every parent sits centred over its daughters; slots are as wide as the widest box
// or edge label, so no two of them meet however large the tree: the picture grows in width
// instead.
#pragma once

#include <vector>

#include "model/model.h"

namespace bramble {

// What a node needs: its box, and the label of the edge that comes down to it (0 for the root).
struct NodeExtent {
  double box_width = 0.0;
  double box_height = 0.0;
  double label_width = 0.0;
};

struct NodePlace {
  bool drawn = false;  // reached from the root
  bool split = false;  // drawn with its two daughters
  int depth = 0;
  double x = 0.0;  // centre
  double top = 0.0;
};

struct TreeLayout {
  std::vector<NodePlace> places;  // by table index
  double box_width = 0.0;         // every box is this wide
  double level_height = 0.0;      // from one level's top to the next
  double width = 0.0;             // the nodes' extent, from left = 0
  double height = 0.0;            // from top = 0
};

constexpr double SLOT_GAP = 16.0;    // between two neighbouring slots
constexpr double LABEL_BAND = 40.0;  // between the levels, where the edge labels sit

// Places the nodes reached from the root (nodes[0]); a daughter reference that does not point
// further down the table, or at a node placed already, is taken as no daughter.
TreeLayout layout_tree(const ModelTree& tree, const std::vector<NodeExtent>& extents);

}  // namespace bramble
