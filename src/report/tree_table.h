// The text table of a tree in the report file.
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

// Class counts of every node slot below node_count in one pass over the cases (row = node).
std::vector<std::vector<int>> class_counts_by_node(const Dataset& data, const NodeTable& table);

// The same for the slots 0 .. slots-1 (a table between pruning and renumbering still has cases in
// slots at or above node_count).
std::vector<std::vector<int>> class_counts_by_node(const Dataset& data, const NodeTable& table,
                                                   int slots);

// The category labels named by a decimal category code, last digit first, separated by commas;
// a digit 0, or one beyond the label table, names no category and writes nothing.
void write_category_list(double value, const std::vector<int>& labels, FILE* out);

}  // namespace bramble
