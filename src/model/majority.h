// The class a terminal node predicts, and how many training cases a tree gets wrong that way.
#pragma once

#include <vector>

#include "model/model.h"

namespace bramble {

// The class with the most cases; a tie goes to the lower class (0 when there are no counts).
int majority_class(const std::vector<int>& class_counts);

// Cases of the tree's terminal nodes that are not of their node's majority class.
int misclassified_cases(const ModelTree& tree);

}  // namespace bramble
