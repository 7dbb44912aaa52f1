// A run described as a Model, step by step as the run goes: its facts and covariates before the
// growth frees the data's columns, each tree as the report tables it, the dialogue's judgements.
#pragma once

#include <string>
#include <vector>

#include "data/dataset.h"
#include "interactive/judgement.h"
#include "model/model.h"
#include "tree/node_table.h"

namespace bramble {

// The run's facts, classes and covariates, without trees. column_names holds a name for each
// column of the data file, or is empty (covariates are then called x1, x2, ...). Reads the
// columns of the nominal covariates, so it must come before a growth that frees them.
Model describe_run(const Dataset& data, const std::string& data_file, SplittingRule rule,
                   const std::vector<std::string>& column_names);

// The node table as the report tables it: node i + 1 is slot i. counts holds the class counts of
// at least the terminal slots (row = slot); a split node gets the sum of its daughters'. The
// splits carry their chi-square values when has_chisq.
ModelTree describe_tree(const Dataset& data, const NodeTable& table,
                        const std::vector<std::vector<int>>& counts, const std::string& label,
                        bool has_chisq);

// The tree of pruning pass pass (0 for p = 0.01), labelled and with its critical value.
ModelTree describe_pruned_tree(const Dataset& data, const NodeTable& table,
                               const std::vector<std::vector<int>>& counts, int pass);

// The judged splits of the dialogue, in the order judged.
std::vector<JudgedSplit> describe_judgements(const Dataset& data,
                                             const std::vector<Judgement>& judgements);

}  // namespace bramble
