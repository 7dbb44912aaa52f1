// Judging a split: impurity, relative risk with its 95 percent interval, and 5-fold
// cross-validated relative risk for a two-class response.
#pragma once

#include <cstdio>
#include <string>

#include "data/dataset.h"
#include "interactive/judgement.h"
#include "numeric/random.h"
#include "tree/daughter_counts.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble {

// Relative risk of class 1 between the two daughters; w receives the interval factor: the
// interval is (rr / w, rr * w).
double relative_risk(const DaughterCounts& counts, double& w);

// Prints the judgement of a split of node on covariate var whose daughters are counts on the
// console, and for two classes and at least 20 cases appends the cross-validation line "%f %f\n"
// to the report. Returns what it printed.
Judgement report_split_risk(const Dataset& data, NodeTable& table, const SplitSearch& search,
                            int node, int var, const DaughterCounts& counts, RandomStream& random,
                            FILE* console, const std::string& report_name);

}  // namespace bramble
