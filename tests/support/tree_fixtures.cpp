#include "support/tree_fixtures.h"

#include <numeric>

namespace bramble_test {

using bramble::Dataset;
using bramble::DaughterCounts;

DaughterCounts daughter_counts(const std::vector<int>& entries) {
  const int n_classes = static_cast<int>(entries.size()) / 2;
  DaughterCounts counts(n_classes);
  for (int i = 0; i < n_classes; ++i) {
    counts.add(n_classes - 1 - i, true, entries[2 * i]);
    counts.add(n_classes - 1 - i, false, entries[2 * i + 1]);
  }
  return counts;
}

std::vector<int> entries_of(const DaughterCounts& counts) {
  std::vector<int> entries;
  for (int k = counts.n_classes() - 1; k >= 0; --k) {
    entries.push_back(counts.right(k));
    entries.push_back(counts.left(k));
  }
  return entries;
}

Dataset make_dataset(const std::vector<std::vector<double>>& columns,
                     const std::vector<int>& classes, int n_classes,
                     const std::vector<int>& var_types) {
  Dataset data;
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

}  // namespace bramble_test
