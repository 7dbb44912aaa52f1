// The run once its data are read and its rule is settled.
#pragma once

#include <string>

#include "data/dataset.h"
#include "program/run.h"
#include "tree/node_table.h"

namespace bramble {

// Notice, control question (unless the mode is preset), growth or dialogue, report, drawing. The
// report is overwritten, starting with the data summary, only once the control question is
// answered. An automatic growth frees the columns its search has coded. BASE.html and BASE.json
// follow a complete run when the settings ask for them.
void run_tree(Run& run, Dataset& data, NodeTable& table, const std::string& data_summary);

}  // namespace bramble
