// One tree's section of the page: its title and facts (p-value, critical value, terminal nodes,
// resubstitution misclassification rate), its picture, and the table of its splits.
#pragma once

#include <string>

#include "model/model.h"

namespace bramble {

std::string tree_section(const Model& model, const ModelTree& tree, int index);

}  // namespace bramble
