// The ordinal search and the growth done the plain way, to check the fast search against: the
// node's values sorted afresh at every node, every boundary scored with impurity.
#pragma once

#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"
#include "tree/splitting_rule.h"

namespace bramble_test {

// Best cut-off of ordinal covariate var among the listed cases; n_classes when none is admissible
// (cut then the smallest value).
double reference_ordinal_split(const bramble::Dataset& data, int var, const std::vector<int>& cases,
                               double& cut, bramble::SplittingRule rule);

// The cases whose case_node is node, in increasing case order, found by scanning every case.
std::vector<int> node_cases(const bramble::NodeTable& table, int node);

// The whole automatic growth over node_cases, with the reference ordinal search.
void reference_grow_tree(const bramble::Dataset& data, bramble::NodeTable& table,
                         bramble::SplittingRule rule);

}  // namespace bramble_test
