// The 5-fold cross-validation of a split's relative risk.
#pragma once

#include "data/dataset.h"
#include "numeric/random.h"
#include "tree/daughter_counts.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble {

// The folds of the cross-validation.
constexpr int CV_FOLDS = 5;

// Refills table.daughter_counts with the class counts per side of the listed cases for the split
// of ordinal covariate var at cut: the cases at most the cut-off on the right side, the other way
// round from partition_node.
void tally_split(const Dataset& data, NodeTable& table, const int* cases, int m, double cut,
                 int var);

// Adds the held-out tally of one fold (two classes) to the pooled table: as it stands when
// right(1) x left(1) exceeds right(0) x left(0), else turned so that class 1 takes the left
// counts (left(1) on the right, left(0) on the left) and class 0 the right counts.
void add_fold_tally(const DaughterCounts& tally, DaughterCounts& pooled);

// The pooled held-out tallies of the 5-fold cross-validation of node split on covariate var, over a
// random order of the node's case list. Leaves the last fold's tally in daughter_counts.
DaughterCounts cross_validated_table(const Dataset& data, NodeTable& table,
                                     const SplitSearch& search, int node, int var,
                                     RandomStream& random);

}  // namespace bramble
