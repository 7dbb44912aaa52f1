// Automatic growth: the largest tree that the stopping rules allow, breadth-first.
#pragma once

#include "data/dataset.h"
#include "tree/daughter_counts.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble {

// Visits nodes 0, 1, 2, ... while they exist, splitting each by the covariate of least impurity
// (lowest index on ties) and storing the split statistic. Starts from node_count = 1. The node of
// every case is written once, at the end.
void grow_tree(const Dataset& data, NodeTable& table, SplitSearch& search);

// Examines one node: sets its size, and splits it unless it must stay terminal (node limit,
// not splittable, no admissible split). An empty node ends the program (status 0). The cases of a
// split node get their daughters' numbers in case_node unless cases is deferred.
void grow_node(int node, const Dataset& data, NodeTable& table, SplitSearch& search,
               CaseNodes cases = CaseNodes::recorded);

// Pearson chi-square statistic of the daughters' class counts (n cases in all), with 0.5 added to
// every cell when any cell is below 5.
double split_statistic(const DaughterCounts& counts, int n);

// Ends the program for a node the split of its parent left without cases (status 0).
[[noreturn]] void stop_on_empty_node(const NodeTable& table, int node);

}  // namespace bramble
