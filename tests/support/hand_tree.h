// Node tables built by hand, and the capture of a run's end, for the pruning, report and drawing
// tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "io/fatal.h"
#include "support/scratch_stream.h"
#include "support/tree_fixtures.h"
#include "tree/node_table.h"

namespace bramble_test {

// Covariates 1 to 3 ordinal, 4 the missing copy of covariate 2, 5 nominal labelled 10, 20, 30; the
// values are all 0, since the tests place the cases by hand.
inline bramble::Dataset five_covariates(const std::vector<int>& y, int n_classes) {
  bramble::Dataset data = make_dataset(std::vector<std::vector<double>>(5, std::vector<double>(y.size())),
                                       y, n_classes, {1, 1, 1, 1, 3});
  data.source_var[3] = 1;
  return data;
}

// Splits node: daughters at node_count and node_count + 1, as growth numbers them.
inline void split(bramble::NodeTable& table, int node, int var, double cut_off, double chisq = 0.0) {
  const int left = table.node_count;
  table.left_child[node] = left;
  table.parent[left] = table.parent[left + 1] = node;
  table.split_var[node] = var;
  table.cut_off[node] = cut_off;
  table.split_chisq[node] = chisq;
  table.node_count += 2;
}

// Puts the listed cases in node.
inline void place(bramble::NodeTable& table, int node, const std::vector<int>& cases) {
  for (int c : cases) table.case_node[c] = node;
}

// Runs a call that must end the run, handing it a console output; printed receives what it wrote
// there and the text of its exit.
inline bramble::ProgramExit exit_of(const std::function<void(FILE*)>& call, std::string& printed) {
  FILE* console = std::tmpfile();
  bramble::ProgramExit stop{};
  bool stopped = false;
  try {
    call(console);
  } catch (const bramble::ProgramExit& exit) {
    stop = exit;
    stopped = true;
  }
  printed = stream_text(console) + stop.console_text;
  std::fclose(console);
  EXPECT_TRUE(stopped);
  return stop;
}

}  // namespace bramble_test
