// Program entry and the run driver.
#pragma once

#include <string>

#include "data/dataset.h"
#include "tree/node_table.h"
#include "tree/splitting_rule.h"

namespace bramble {

// The seed of the run's random case orders.
constexpr int RANDOM_SEED = 7;

// The last path component of the data file name (after the last '/' or '\\') up to its first '.'.
std::string derive_base_name(const std::string& file_name);

// A whole program run; returns the exit status or ends through end_program.
int run_program(int argc, char** argv);

// One run on the loaded data set: notice, control question, growth or dialogue, report, drawing.
// An automatic growth frees the columns its search has coded.
void run_tree(Dataset& data, NodeTable& table, SplittingRule rule, const std::string& base_name);

}  // namespace bramble
