#include "support/reference_search.h"

#include <algorithm>
#include <utility>

#include "tree/grow.h"
#include "tree/impurity.h"

namespace bramble_test {

std::vector<int> node_cases(const bramble::NodeTable& table, int node) {
  std::vector<int> cases;
  for (std::size_t i = 0; i < table.case_node.size(); ++i) {
    if (table.case_node[i] == node) cases.push_back(static_cast<int>(i));
  }
  return cases;
}

using bramble::Dataset;
using bramble::NodeTable;
using bramble::SplittingRule;

double reference_ordinal_split(const Dataset& data, int var, const std::vector<int>& cases,
                               double& cut, SplittingRule rule) {
  const int m = static_cast<int>(cases.size());
  const int n_classes = data.n_classes;
  std::vector<std::pair<double, int>> pairs;
  for (const int c : cases) pairs.emplace_back(data.X[var][c], data.y[c]);
  std::sort(pairs.begin(), pairs.end());
  std::vector<int> run_ends;
  for (int i = 1; i < m; ++i) {
    if (pairs[i].first != pairs[i - 1].first) run_ends.push_back(i);
  }
  run_ends.push_back(m);
  std::vector<int> left(n_classes, 0), right(n_classes, 0);
  for (const auto& pair : pairs) ++right[pair.second];
  double best = n_classes;
  int best_position = 0;
  int run_start = 0;
  for (std::size_t r = 0; r + 1 < run_ends.size(); ++r) {
    for (int i = run_start; i < run_ends[r]; ++i) {
      ++left[pairs[i].second];
      --right[pairs[i].second];
    }
    run_start = run_ends[r];
    const int n_left = run_ends[r];
    if (n_left <= data.min_daughter_size() || m - n_left <= data.min_daughter_size()) continue;
    const double imp = bramble::impurity(left.data(), n_left, right.data(), m - n_left, m,
                                         n_classes, rule);
    if (imp < best) {
      best = imp;
      best_position = n_left - 1;
    }
  }
  cut = pairs[best_position].first;
  return best;
}

void reference_grow_tree(const Dataset& data, NodeTable& table, SplittingRule rule) {
  bramble::init_node_table(table);
  table.node_count = 1;
  for (int node = 0; node < table.node_count; ++node) {
    const std::vector<int> cases = node_cases(table, node);
    const int m = static_cast<int>(cases.size());
    table.node_size[node] = m;
    if (table.node_count >= bramble::NODE_LIMIT || !bramble::is_splittable(data, cases.data(), m)) {
      continue;
    }
    double best = data.n_classes;
    for (int var = 0; var < data.n_covariates; ++var) {
      double cut = 0.0;
      const double imp =
          data.is_nominal(var)
              ? bramble::best_nominal_split(data, var, cases.data(), m, cut, rule)
              : reference_ordinal_split(data, var, cases, cut, rule);
      if (imp < best) {
        best = imp;
        table.split_var[node] = var;
        table.cut_off[node] = cut;
      }
    }
    if (best == data.n_classes) continue;
    const int var = table.split_var[node];
    const int code = data.is_nominal(var) ? static_cast<int>(table.cut_off[node]) : 0;
    bramble::partition_node(data, table, node, cases.data(), m, var, code);
    table.parent[table.node_count] = table.parent[table.node_count + 1] = node;
    table.left_child[node] = table.node_count;
    table.node_count += 2;
    table.split_chisq[node] = bramble::split_statistic(table.daughter_counts, m);
  }
}

}  // namespace bramble_test
