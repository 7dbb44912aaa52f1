// Impurity of a two-way split and the tests and searches that work on any case list.
#pragma once

#include "data/dataset.h"
#include "tree/splitting_rule.h"

namespace bramble {

// Size-weighted impurity of the two daughters, accumulated term by term: entropy (natural
// logarithm) or Gini, by rule. n = n_left + n_right.
double impurity(const int* left, int n_left, const int* right, int n_right, int n, int n_classes,
                SplittingRule rule);

// Whether m cases can make two daughters that both exceed the minimum daughter size.
bool has_room_for_split(const Dataset& data, int m);

// False for one case, a pure node, or a node in which every covariate is constant.
bool is_splittable(const Dataset& data, const int* cases, int m);

// Best grouping of the present categories of nominal covariate var, scored in Gray-code order
// with the highest present category always left; code receives the step number. Returns
// n_classes (code untouched) when no grouping is admissible.
double best_nominal_split(const Dataset& data, int var, const int* cases, int m, double& code,
                          SplittingRule rule);

// The same search from the class counts of the g categories among m cases,
// category_counts[category * n_classes + class].
double best_grouping(const Dataset& data, const int* category_counts, int g, int m, double& code,
                     SplittingRule rule);

}  // namespace bramble
