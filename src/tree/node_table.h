// The tree is the node table itself: parallel per-node arrays indexed by node.
#pragma once

#include <vector>

#include "data/dataset.h"
#include "numeric/fresh_memory.h"
#include "tree/daughter_counts.h"

namespace bramble {

// Node table capacity; a node is split only while node_count < NODE_LIMIT, so both daughters fit.
constexpr int MAX_NODES = 200;
constexpr int NODE_LIMIT = 199;

// Node 0 is the root; splitting node i when node_count is q makes q its left daughter and q + 1 its
// right daughter, so the numbering is breadth-first and a daughter's index exceeds its parent's.
struct NodeTable {
  NodeTable(int n_cases, int n_classes)
      : split_var(MAX_NODES), cut_off(MAX_NODES), left_child(MAX_NODES), parent(MAX_NODES),
        node_size(MAX_NODES), split_chisq(MAX_NODES), case_node(populated_vector<int>(n_cases)),
        daughter_counts(n_classes) {}

  int node_count = 1;
  std::vector<int> split_var;      // covariate of the split (0-based)
  std::vector<double> cut_off;     // ordinal: largest value going left; nominal: subset code,
                                   // then the decimal category code once partitioned
  std::vector<int> left_child;     // 0 marks a terminal node; the right daughter is left_child + 1
  std::vector<int> parent;         // 0 for the root
  std::vector<int> node_size;      // number of cases
  std::vector<double> split_chisq; // Pearson statistic of the split; 0.0 for a terminal node
  std::vector<int> case_node;      // node of each case
  DaughterCounts daughter_counts;  // of the split made last

  bool is_split(int node) const { return left_child[node] != 0; }
};

// Puts every case in the root and clears the split fields.
void init_node_table(NodeTable& table);

// Class counts of the node slots 0 .. slots-1 in one pass over the cases (row = node); a table
// between pruning and renumbering still has cases in slots at or above node_count.
std::vector<std::vector<int>> class_counts_by_node(const Dataset& data, const NodeTable& table,
                                                   int slots);

// Turns flags marking the categories present among a node's cases (present of them, at least 1)
// into flags of the categories going right by subset code.
void present_to_going_right(std::vector<int>& flags, int present, int code);

// For a nominal split with subset code (at least 1): flags[v] = 1 for every category v that goes
// right. The categories present among the listed cases, in increasing code order, take the
// Gray-code bits of the code in turn; the highest present one takes no bit and stays left.
std::vector<int> categories_going_right(const Dataset& data, int var, const int* cases, int m,
                                        int code);

// Sends the listed cases of node to node_count (left) and node_count + 1 (right) by covariate var
// and the node's cut_off; rebuilds daughter_counts; for a nominal split (code = subset code, not 0)
// rewrites the node's cut_off as the decimal category code. node_count, parent and left_child are
// left to the caller.
void partition_node(const Dataset& data, NodeTable& table, int node, const int* cases, int m,
                    int var, int code);

}  // namespace bramble
