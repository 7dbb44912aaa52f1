// The tables of a tree in the report file.
#pragma once

#include <cstdio>
#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"

namespace bramble {

// One row per node: size, daughters and split, or the class distribution of a terminal node
// (no row for a terminal slot without cases).
void write_tree_table(FILE* report, const Dataset& data, const NodeTable& table);

// The same with the class counts of every node at hand (row = node; only terminal rows are read).
void write_tree_table(FILE* report, const Dataset& data, const NodeTable& table,
                      const std::vector<std::vector<int>>& counts);

// The split statistic of every node of a pruned tree on one line (0 for a node that was terminal
// in the grown tree).
void write_chisq_list(FILE* report, const NodeTable& table);

}  // namespace bramble
