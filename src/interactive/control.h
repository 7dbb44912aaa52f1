// The controlled mode: the analyst decides node by node.
#pragma once

#include "interactive/node_dialogue.h"

namespace bramble {

// Runs the dialogue for one node: size and split question, ranking of the covariates by the
// impurity of their best split, proposals judged by relative risk, acceptance, choice by rank or
// covariate, or a manual split; records the outcome in the node table.
void control_node(int node, const DialogueContext& context);

}  // namespace bramble
