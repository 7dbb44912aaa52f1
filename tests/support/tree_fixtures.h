// Data sets and node tables built by hand for the tree, pruning, drawing and dialogue tests.
#pragma once

#include <numeric>
#include <vector>

#include "data/dataset.h"
#include "tree/daughter_counts.h"
#include "tree/node_table.h"

namespace bramble_test {

// Covariate rows X[var][case] with their var_type (1 ordinal, k >= 2 nominal with codes 0..k-1
// labelled 10, 20, ...; all ordinal when var_types is empty), no missing copies, and classes.
inline bramble::Dataset make_dataset(const std::vector<std::vector<double>>& columns,
                                     const std::vector<int>& classes, int n_classes,
                                     const std::vector<int>& var_types = {}) {
  bramble::Dataset data;
  data.n_cases = static_cast<int>(classes.size());
  data.n_covariates = static_cast<int>(columns.size());
  data.n_classes = n_classes;
  data.X = columns;
  data.y = classes;
  data.var_type = var_types.empty() ? std::vector<int>(columns.size(), 1) : var_types;
  data.source_var.resize(columns.size());
  std::iota(data.source_var.begin(), data.source_var.end(), 0);
  data.ori_catg.resize(columns.size());
  for (int var = 0; var < data.n_covariates; ++var) {
    for (int code = 0; data.is_nominal(var) && code < data.var_type[var]; ++code) {
      data.ori_catg[var].push_back(10 * (code + 1));
    }
  }
  return data;
}

// Daughter counts written as the classes from the highest down, each with its right daughter's
// count before its left one's: {right(n-1), left(n-1), ..., right(0), left(0)}.
inline bramble::DaughterCounts daughter_counts(const std::vector<int>& entries) {
  const int n_classes = static_cast<int>(entries.size()) / 2;
  bramble::DaughterCounts counts(n_classes);
  for (int i = 0; i < n_classes; ++i) {
    counts.add(n_classes - 1 - i, true, entries[2 * i]);
    counts.add(n_classes - 1 - i, false, entries[2 * i + 1]);
  }
  return counts;
}

inline std::vector<int> entries_of(const bramble::DaughterCounts& counts) {
  std::vector<int> entries;
  for (int k = counts.n_classes() - 1; k >= 0; --k) {
    entries.push_back(counts.right(k));
    entries.push_back(counts.left(k));
  }
  return entries;
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

}  // namespace bramble_test
