// Chi-square pruning at the seven p-values and the renumbering that compacts the node table.
#pragma once

#include <cstdio>
#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"

namespace bramble {

// Pruning passes, in order.
constexpr int N_PRUNE_PASSES = 7;
constexpr double P_VALUES[N_PRUNE_PASSES] = {0.01, 0.005, 0.001, 0.0005, 0.0001, 0.00001, 0.000001};

// keep_split[i] = 1 when the split statistic of node i reaches the critical value of pass p.
std::vector<int> significant_splits(const NodeTable& table, int n_classes, int pass);

// Collapses, bottom-up, every split that is not kept and whose daughters are both terminal (a
// whole chain in one descending walk); their cases return to the parent. Returns the node count
// before the pass (the unpruned count) and lowers node_count by two per collapsed split.
int prune_tree(NodeTable& table, const std::vector<int>& keep_split);

// Compacts the table after a pass: prints "There remain %d nodes\n" on the console, keeps split nodes and
// terminal nodes with cases in their old order, sets old_index[new] = old, renumbers
// split_var, cut_off, left_child, parent and case_node, and fills node_counts[node][class].
// node_size and split_chisq are left to the caller (copy them through old_index).
void renumber_tree(const Dataset& data, NodeTable& table, int unpruned_count,
                   std::vector<std::vector<int>>& node_counts, std::vector<int>& old_index,
                   FILE* console);

}  // namespace bramble
