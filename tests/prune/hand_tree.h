// Data sets and node tables built by hand, and the capture of a program end, for the pruning,
// report and drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "data/dataset.h"
#include "numeric/fatal.h"
#include "tree/node_table.h"

namespace bramble_test {

// A data set with the given classes and no covariate yet.
inline bramble::Dataset classes_only(int n_classes, const std::vector<int>& y) {
  bramble::Dataset data;
  data.n_cases = static_cast<int>(y.size());
  data.n_classes = n_classes;
  data.y = y;
  return data;
}

// Appends a covariate (values all 0: the tests place cases by hand) and returns its index.
inline int add_covariate(bramble::Dataset& data, int var_type, int source,
                         const std::vector<int>& labels = {}) {
  const int var = data.n_covariates++;
  data.X.emplace_back(data.n_cases, 0.0);
  data.var_type.push_back(var_type);
  data.source_var.push_back(source < 0 ? var : source);
  data.ori_catg.push_back(labels);
  return var;
}

inline int add_ordinal(bramble::Dataset& data) { return add_covariate(data, 1, -1); }

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

// Everything written to a scratch stream so far.
inline std::string stream_text(FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text.push_back(static_cast<char>(c));
  return text;
}

// Runs a call that must end the program; printed receives what it wrote on standard output.
inline bramble::ProgramExit exit_of(const std::function<void()>& call, std::string& printed) {
  testing::internal::CaptureStdout();
  bramble::ProgramExit stop{0, false};
  bool stopped = false;
  try {
    call();
  } catch (const bramble::ProgramExit& exit) {
    stop = exit;
    stopped = true;
  }
  printed = testing::internal::GetCapturedStdout();
  EXPECT_TRUE(stopped);
  return stop;
}

}  // namespace bramble_test
