// Applying a tree to a case, as the program's own splits send the training cases.
#pragma once

#include <cstddef>
#include <limits>

#include "model/model.h"

namespace bramble {

// Stands for a missing value among a case's values.
constexpr double MISSING_VALUE = std::numeric_limits<double>::quiet_NaN();

bool is_missing(double value);

// Whether the split of node sends right a case whose value of the split covariate is value (for a
// missing copy, the value of the covariate it copies). An ordinal value goes right when greater
// than the cut-off; a missing one goes left, but right on a missing copy. A nominal value goes
// right when its category is sent right: a label of the merge map counts as 999, a missing value
// as the missing category (-9 unless the training data held values of -9 or less); a label the
// model never saw (a fraction included), and a missing value when there is no missing category,
// go left. The model must pass model_fault.
bool sends_right(const Model& model, const ModelNode& node, double value);

// The index in tree.nodes of the terminal node a case reaches from node 1. values holds the case's
// value of each covariate of the data file, in order (the model's covariates before its missing
// copies). The model must pass model_fault.
std::size_t terminal_node(const Model& model, const ModelTree& tree, const double* values);

}  // namespace bramble
