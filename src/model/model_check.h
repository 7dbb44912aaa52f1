// The consistency a model must have before it classifies anything: every reference in range,
// every tree a tree.
#pragma once

#include <string>

#include "model/model.h"

namespace bramble {

// The first fault found in model, or an empty text when there is none. Checked: classes (1 to 10,
// distinct labels); covariates (numbered 1, 2, ... in order, the missing copies last, each copying
// an ordinal covariate of the file; at most 10 distinct categories, merged labels ascending; a
// nominal covariate with missing values has its missing category last); trees (known and distinct
// labels fitting the mode, at least one node, nodes numbered in table order); nodes (one class
// count per class, a majority class among the classes, a split covariate in range and of the
// split's kind, categories sent right ascending and among the covariate's, missing values sent
// where the classifier sends them, daughters in range and after their node, every node but node 1
// the daughter of exactly one).
std::string model_fault(const Model& model);

}  // namespace bramble
