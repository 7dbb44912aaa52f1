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

// The chi-square critical value of pass p for n_classes classes (n_classes - 1 degrees of freedom).
double critical_value(int n_classes, int pass);

// keep_split[i] = 1 when the split statistic of node i reaches the critical value of pass p.
std::vector<int> significant_splits(const NodeTable& table, int n_classes, int pass);

// Collapses, bottom-up, every split that is not kept and whose daughters are both terminal (a
// whole chain in one descending walk); their cases return to the parent. Returns the node count
// before the pass (the unpruned count) and lowers node_count by two per collapsed split.
int prune_tree(NodeTable& table, const std::vector<int>& keep_split);

// Compacts the table after a pass over unpruned_count slots: keeps split nodes and terminal nodes
// with cases in their old order, moves every field of a node with it (a collapsed split keeps its
// statistic) and renumbers the daughters, parents and case nodes. Prints "There remain %d nodes\n"
// on the console and returns the class counts of every node of the compacted table (row = node).
std::vector<std::vector<int>> renumber_tree(const Dataset& data, NodeTable& table,
                                            int unpruned_count, FILE* console);

}  // namespace bramble
