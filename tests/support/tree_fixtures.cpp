#include "support/tree_fixtures.h"

#include <algorithm>
#include <cmath>
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

namespace {

int uniform_int(std::mt19937& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

double uniform(std::mt19937& rng, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(rng);
}

// Source values below every present value for the missing cases, and its copy with them above.
void add_missing_copy(Dataset& data, std::mt19937& rng, int source) {
  std::vector<double>& values = data.X[source];
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  const double below = *low - 1;
  const double above = *high + 1;
  std::vector<double> copy = values;
  for (int c = 0; c < data.n_cases; ++c) {
    if (uniform(rng, 0, 1) < 0.15) {
      values[c] = below;
      copy[c] = above;
    }
  }
  data.X.push_back(copy);
  data.var_type.push_back(1);
  data.source_var.push_back(source);
  data.ori_catg.emplace_back();
  ++data.n_covariates;
}

}  // namespace

Dataset random_dataset(std::mt19937& rng, int n_cases, int n_classes) {
  // Covariates 0-1 small integers, 2-3 continuous (2 rounded to create some ties; 3 partly values
  // that differ by less than a float can tell), 4-5 nominal.
  std::vector<std::vector<double>> columns(6, std::vector<double>(n_cases));
  const int g4 = uniform_int(rng, 2, 5);
  const int g5 = uniform_int(rng, 3, 6);
  std::vector<int> classes(n_cases);
  for (int c = 0; c < n_cases; ++c) {
    columns[0][c] = uniform_int(rng, 0, 4);
    columns[1][c] = uniform_int(rng, -2, 7);
    columns[2][c] = std::round(uniform(rng, -5, 5) * 10) / 10;
    const double close_values = uniform_int(rng, 0, 3) / 4.0 + uniform_int(rng, 0, 3) * 1e-12;
    columns[3][c] = uniform(rng, 0, 1) < 0.5 ? uniform(rng, 0, 1) : close_values;
    columns[4][c] = uniform_int(rng, 0, g4 - 1);
    columns[5][c] = 2 * uniform_int(rng, 0, (g5 - 1) / 2);  // odd codes never occur
    const double signal = columns[0][c] + columns[3][c] * 3 + (columns[4][c] == 1 ? 2 : 0);
    const bool noise = uniform(rng, 0, 1) < 0.25;
    classes[c] = noise ? uniform_int(rng, 0, n_classes - 1)
                       : static_cast<int>(signal) % n_classes;
  }
  Dataset data = make_dataset(columns, classes, n_classes, {1, 1, 1, 1, g4, g5});
  add_missing_copy(data, rng, 1);
  add_missing_copy(data, rng, 3);
  return data;
}

Dataset tied_runs_dataset(std::mt19937& rng, int n_values, int n_classes) {
  const int n_cases = n_values * n_classes;
  std::vector<std::vector<double>> columns(2, std::vector<double>(n_cases));
  std::vector<int> classes(n_cases);
  for (int c = 0; c < n_cases; ++c) {
    columns[0][c] = c / n_classes;
    columns[1][c] = uniform_int(rng, 0, 20);
    classes[c] = c % n_classes;
  }
  return make_dataset(columns, classes, n_classes);
}

}  // namespace bramble_test
