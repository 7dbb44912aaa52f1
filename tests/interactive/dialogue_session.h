// A controlled-mode session on a hand-built data set: the node table, the split search and a
// report file in a scratch directory, with control_node run for every node in turn.
#pragma once

#include <string>
#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble_test {

// Covariate columns with their types (1 ordinal, k nominal with codes 0..k-1 labelled
// 10, 20, ...), the class of each case and the number of classes.
bramble::Dataset make_dataset(const std::vector<std::vector<double>>& columns,
                              const std::vector<int>& var_type, const std::vector<int>& y,
                              int n_classes);

// Eight cases of two classes (0 0 0 0 1 1 1 1): covariate 1 ordinal 1..8 separates the classes
// at 4; covariate 2 nominal, categories 0 1 2 0 1 2 0 1 (labels 10 20 30), ranks third;
// covariate 3 ordinal, 1 1 1 2 2 2 2 1, ranks second.
bramble::Dataset eight_cases();

struct DialogueSession {
  explicit DialogueSession(const bramble::Dataset& dataset);

  // control_node for node 0, 1, ... while nodes remain, as the run driver does.
  void run();
  std::string report() const;

  bramble::Dataset data;
  bramble::NodeTable table;
  bramble::SplitSearch search;
  int random_seed;
  std::string report_name;
};

}  // namespace bramble_test
