#include "tree/grow.h"

#include <cstdio>
#include <string>

#include "io/fatal.h"
#include "tree/impurity.h"

namespace bramble {

void grow_tree(const Dataset& data, NodeTable& table, SplitSearch& search) {
  table.node_count = 1;
  for (int node = 0; node < table.node_count; ++node) {
    grow_node(node, data, table, search, CaseNodes::deferred);
  }
  search.record_case_nodes(table);
}

namespace {

void leave_terminal(NodeTable& table, int node) {
  table.left_child[node] = 0;
  table.split_chisq[node] = 0.0;
}

// The covariate and cut-off of least impurity (the lowest covariate on ties) go into the node's
// split fields; returns that impurity, n_classes when no covariate has an admissible split.
double choose_split(int node, const Dataset& data, NodeTable& table, const SplitSearch& search) {
  double best = data.n_classes;
  for (int j = 0; j < data.n_covariates; ++j) {
    double cut = 0.0;
    const double imp = search.best_split(j, node, cut);
    if (imp < best) {
      best = imp;
      table.split_var[node] = j;
      table.cut_off[node] = cut;
    }
  }
  return best;
}

}  // namespace

void grow_node(int node, const Dataset& data, NodeTable& table, SplitSearch& search,
               CaseNodes cases) {
  const int m = search.size(node);
  if (m == 0) stop_on_empty_node(table, node);
  table.node_size[node] = m;
  if (table.node_count >= NODE_LIMIT) return;

  // Without room for two daughters above the minimum size every search would find nothing.
  if (!has_room_for_split(data, m) || !search.varies(node) ||
      !(choose_split(node, data, table, search) < data.n_classes)) {
    leave_terminal(table, node);
    return;
  }
  // Only a nominal split has a subset code; an ordinal cut-off need not fit in an int.
  const int var = table.split_var[node];
  const int code = data.is_nominal(var) ? static_cast<int>(table.cut_off[node]) : 0;
  search.split_by(table, node, var, code, cases);
  const int left = table.node_count;
  table.parent[left] = node;
  table.parent[left + 1] = node;
  table.left_child[node] = left;
  table.node_count += 2;
  table.split_chisq[node] = split_statistic(table.daughter_counts, table.node_size[node]);
}

double split_statistic(const DaughterCounts& counts, int n) {
  const int n_classes = counts.n_classes();
  bool small_cell = false;
  for (int k = 0; k < n_classes; ++k) {
    small_cell = small_cell || counts.right(k) < 5 || counts.left(k) < 5;
  }
  // Half a case in every cell when any is small, so that no expected count is zero.
  const double added = small_cell ? 0.5 : 0.0;
  const double total = small_cell ? n + n_classes : n;

  // The sums run from the highest class down, the right daughter before the left: the order they
  // have always run in, which the last digits of the statistic depend on.
  double right = 0.0;
  double left = 0.0;
  for (int k = n_classes - 1; k >= 0; --k) {
    right += counts.right(k) + added;
    left += counts.left(k) + added;
  }
  double statistic = 0.0;
  for (int k = n_classes - 1; k >= 0; --k) {
    const double class_total = (counts.right(k) + added) + (counts.left(k) + added);
    for (const bool is_right : {true, false}) {
      const double expected = (is_right ? right : left) * class_total / total;
      const double d = (counts.count(k, is_right) + added) - expected;
      statistic += d / expected * d;
    }
  }
  return statistic;
}

void stop_on_empty_node(const NodeTable& table, int node) {
  const int parent = table.parent[node];
  const char* format = "The split using variable %d at a value of %f results in";
  const int variable = table.split_var[parent] + 1;
  const double value = table.cut_off[parent];
  // %f of a large value can run to hundreds of digits.
  std::string text(std::snprintf(nullptr, 0, format, variable, value) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, variable, value);
  text.pop_back();
  stop_with_message(text + " an empty node\n", STATUS_OK);
}

}  // namespace bramble
