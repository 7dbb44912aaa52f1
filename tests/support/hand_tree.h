// Node tables built by hand, for the pruning and drawing tests.
#pragma once

#include <vector>

#include "support/tree_fixtures.h"
#include "tree/node_table.h"

namespace bramble_test {

// Splits node: daughters at node_count and node_count + 1, as growth numbers them.
inline void split(bramble::NodeTable& table, int node, int var, double cut_off, double chisq = 0.0) {
  const int left = table.node_count;
  table.left_child[node] = left;
  table.parent[left] = table.parent[left + 1] = node;
  table.split_var[node] = var;
  table.cut_off[node] = cut_off;
  table.split_chisq[node] = chisq;
  table.node_count += 2;
}

// Puts the listed cases in node.
inline void place(bramble::NodeTable& table, int node, const std::vector<int>& cases) {
  for (int c : cases) table.case_node[c] = node;
}

}  // namespace bramble_test
