// A controlled-mode session on a hand-built data set: the node table, the split search, the random
// case orders and a report file in a scratch directory, with control_node run for every node in
// turn.
#pragma once

#include <string>

#include "interactive/control.h"
#include "numeric/random.h"
#include "support/tree_fixtures.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble_test {

// Eight cases of two classes (0 0 0 0 1 1 1 1): covariate 1 ordinal 1..8 separates the classes
// at 4; covariate 2 nominal, categories 0 1 2 0 1 2 0 1 (labels 10 20 30), ranks third;
// covariate 3 ordinal, 1 1 1 2 2 2 2 1, ranks second.
bramble::Dataset eight_cases();

struct DialogueSession {
  explicit DialogueSession(const bramble::Dataset& dataset);

  bramble::DialogueContext context(bramble::Console& console) {
    return {data, table, search, console, random, report_name};
  }
  // control_node for node 0, 1, ... while nodes remain, as the run driver does.
  void run(bramble::Console& console);
  std::string report() const;

  bramble::Dataset data;
  bramble::NodeTable table;
  bramble::SplitSearch search;
  bramble::RandomStream random;
  std::string report_name;
};

}  // namespace bramble_test
