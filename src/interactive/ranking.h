// The covariates of a node ranked by the impurity of their best split, and the analyst's choice.
#pragma once

#include <vector>

#include "interactive/node_dialogue.h"
#include "io/console.h"

namespace bramble {

// A covariate's best split in a node: its impurity, and the search's cut-off (the ordinal
// threshold, or the nominal subset code).
struct RankedSplit {
  double impurity;
  int covariate;
  double cut_off;
};

// One position per covariate. Filled positions stand in ascending impurity; an unfilled one holds
// the impurity n_classes, covariate 0 and cut-off 0, and a rank still addresses it.
using SplitRanking = std::vector<RankedSplit>;

// Inserts covariate var's best split before the first entry of greater impurity, so ties keep
// covariate order; the impurity n_classes (no admissible split) never enters. Covariates come in
// increasing index order, so the entries moved up are never lost.
void rank_split(SplitRanking& ranking, double impurity, int var, double cut);

// The best split of every covariate of the node, ranked.
SplitRanking rank_covariates(const NodeDialogue& dialogue);

// Lists the ranking and reads the choice: returns a ranking position; declined is set for 0 (and
// at end of input), when position 0 is returned.
int choose_ranked_split(Console& console, const SplitRanking& ranking, bool& declined);

}  // namespace bramble
