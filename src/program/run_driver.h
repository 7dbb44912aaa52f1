// The run once its data are read and its rule is settled.
#pragma once

#include "data/dataset.h"
#include "program/run.h"
#include "tree/node_table.h"

namespace bramble {

// Notice, control question (unless the mode is preset), growth or dialogue, report, drawing. An
// automatic growth frees the columns its search has coded.
void run_tree(Run& run, Dataset& data, NodeTable& table);

}  // namespace bramble
