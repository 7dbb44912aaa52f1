// Judging a split: impurity, relative risk with its 95 percent interval, and 5-fold
// cross-validated relative risk for a two-class response.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble {

// Relative risk of class 1 between the two sides of a daughter table (daughter_counts layout);
// w receives the interval factor: the interval is (rr / w, rr * w).
double relative_risk(const int* table, int n_classes, double& w);

// Prints "The impurity of the split=%f" (entropy, whatever the run's rule).
void print_split_impurity(const int* table, int n_classes);

// A random permutation of 0..n-1 drawn with ran1.
std::vector<int> random_order(int& seed, int n);

// Refills table.daughter_counts with the class counts per side of the listed cases for the split
// of ordinal covariate var at cut (first entry: at most the cut-off).
void tally_split(const Dataset& data, NodeTable& table, const int* cases, int m, double cut,
                 int var);

// Adds the held-out tally of one fold (its first four entries) to the pooled table: as it stands
// when the product of entries 0 and 1 exceeds that of entries 2 and 3, else as entries 1, 3, 0, 2.
void add_fold_tally(const int* tally, int* pooled);

// The pooled held-out tallies of the 5-fold cross-validation of node split on covariate var, over a
// random order of the node's case list. Leaves the last fold's tally in daughter_counts.
std::array<int, 4> cross_validated_table(const Dataset& data, NodeTable& table,
                                         const SplitSearch& search, int node, int var,
                                         int& random_seed);

// Prints the judgement of a split of node on covariate var whose daughter table is counts, and for
// two classes and at least 20 cases appends the cross-validation line "%f %f\n" to the report.
void report_split_risk(const Dataset& data, NodeTable& table, const SplitSearch& search, int node,
                       int var, const int* counts, int& random_seed,
                       const std::string& report_name);

}  // namespace bramble
