// A controlled-mode session on a hand-built data set: the node table, the split search, the random
// case orders and a report file in a scratch directory, with control_node run for every node in
// turn.
#pragma once

#include <string>

#include "interactive/control.h"
#include "numeric/random.h"
#include "program/run.h"
#include "support/run_binary.h"
#include "support/tree_fixtures.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble_test {

// Eight cases of two classes (0 0 0 0 1 1 1 1): covariate 1 ordinal 1..8 separates the classes
// at 4; covariate 2 nominal, categories 0 1 2 0 1 2 0 1 (labels 10 20 30), ranks third;
// covariate 3 ordinal, 1 1 1 2 2 2 2 1, ranks second.
inline bramble::Dataset eight_cases() {
  return make_dataset({{1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2, 0, 1, 2, 0, 1}, {1, 1, 1, 2, 2, 2, 2, 1}},
                      {0, 0, 0, 0, 1, 1, 1, 1}, 2, {1, 3, 1});
}

struct DialogueSession {
  explicit DialogueSession(const bramble::Dataset& dataset)
      : data(dataset), table(data.n_cases, data.n_classes),
        search(data, bramble::SplittingRule::entropy), random(bramble::RANDOM_SEED),
        report_name(make_scratch_dir() + "/session.inf") {
    bramble::init_node_table(table);
  }

  bramble::DialogueContext context(bramble::Console& console) {
    return {data, table, search, console, random, report_name};
  }
  // control_node for node 0, 1, ... while nodes remain, as the run driver does.
  void run(bramble::Console& console) {
    const bramble::DialogueContext dialogue = context(console);
    for (int node = 0; node < table.node_count; ++node) bramble::control_node(node, dialogue);
  }
  std::string report() const { return read_file(report_name); }

  bramble::Dataset data;
  bramble::NodeTable table;
  bramble::SplitSearch search;
  bramble::RandomStream random;
  std::string report_name;
};

}  // namespace bramble_test
