// The controlled mode: the analyst decides node by node.
#pragma once

#include <string>

#include "data/dataset.h"
#include "io/console.h"
#include "numeric/random.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble {

// What the dialogue of every node works with: the run's data, tree, search, console, random case
// orders and report (opened by name for each judgement).
struct DialogueContext {
  const Dataset& data;
  NodeTable& table;
  SplitSearch& search;
  Console& console;
  RandomStream& random;
  const std::string& report_name;
};

// Runs the dialogue for one node: size and split question, ranking of the covariates by the
// impurity of their best split, proposals judged by relative risk, acceptance, choice by rank or
// covariate, or a manual split; records the outcome in the node table.
void control_node(int node, const DialogueContext& context);

}  // namespace bramble
