// Program entry and the run driver.
#pragma once

#include <string>

#include "data/dataset.h"
#include "tree/node_table.h"

namespace bramble {

// The last path component of the data file name (after the last '/' or '\\') up to its first '.'.
std::string derive_base_name(const std::string& file_name);

// A whole program run; returns the exit status or ends through end_program.
int run_program(int argc, char** argv);

// One run on the loaded data set: notice, control question, growth or dialogue, report, drawing.
// The report is overwritten, starting with the data summary, only once the control question is
// answered. An automatic growth frees the columns its search has coded.
void run_tree(Dataset& data, NodeTable& table, int rule, const std::string& base_name,
              const std::string& data_summary);

}  // namespace bramble
