// The controlled mode: the analyst decides node by node.
#pragma once

#include <string>
#include <vector>

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

// The covariates of one node ranked by the impurity of their best split: row 0 the impurity, row 1
// the covariate index, row 2 the search's cut-off (ordinal threshold or nominal subset code).
// Filled positions stand in ascending impurity; an unfilled one holds n_classes, 0 and 0.
using SplitRanking = std::vector<std::vector<double>>;

// Inserts covariate var's best split before the first entry of greater impurity, so ties keep
// covariate order; the impurity n_classes (no admissible split) never enters. Covariates come in
// increasing index order, so the entries moved up are never lost.
void rank_split(SplitRanking& ranking, double impurity, int var, double cut);

}  // namespace bramble
