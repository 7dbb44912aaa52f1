#include "interactive/cross_validation.h"

#include <algorithm>
#include <vector>

#include "interactive/random_order.h"
#include "tree/impurity.h"
#include "tree/node_table.h"

namespace bramble {

namespace {

// Refills daughter_counts with the listed cases: a case whose category goes right (a flag of
// going_right) on the right side, any other on the left.
void tally_categories(const Dataset& data, NodeTable& table, const std::vector<int>& cases,
                      int var, const std::vector<int>& going_right) {
  DaughterCounts& counts = table.daughter_counts;
  counts.clear();
  for (const int c : cases) {
    counts.add(data.y[c], going_right[static_cast<int>(data.X[var][c])] != 0);
  }
}

// One fold of the cross-validation: flags of its held-out cases, and both case lists in increasing
// case order. Every search and tally only counts, so the order of a list does not change a result,
// and case order reads the data columns front to back.
struct Fold {
  std::vector<unsigned char> excluded;  // one flag per case of the data set
  std::vector<int> held_out;
  std::vector<int> training;
};

// Holds out the cases at positions begin..end-1 of the random order.
void hold_out(Fold& fold, const int* cases, int n, const std::vector<int>& order, int begin,
              int end) {
  for (int i = begin; i < end; ++i) fold.excluded[cases[order[i]]] = 1;
  fold.held_out.clear();
  fold.training.clear();
  for (int i = 0; i < n; ++i) {
    const int c = cases[i];
    (fold.excluded[c] != 0 ? fold.held_out : fold.training).push_back(c);
  }
}

// The best split of var found without the held-out cases, applied to the held-out cases.
void fold_tally(const Dataset& data, NodeTable& table, const SplitSearch& search, int node, int var,
                const Fold& fold) {
  const int m = static_cast<int>(fold.held_out.size());
  if (!data.is_nominal(var)) {
    double cut = 0;
    search.best_ordinal_split(var, node, fold.excluded.data(), cut);
    tally_split(data, table, fold.held_out.data(), m, cut, var);
    return;
  }
  const int n_training = static_cast<int>(fold.training.size());
  double code = 0;  // left unwritten when fewer than two categories are present
  best_nominal_split(data, var, fold.training.data(), n_training, code, search.rule());
  // The grouping is decoded over the categories it was learned on, those of the training cases; a
  // held-out category they lack is not sent right. Without a grouping, no category is.
  std::vector<int> going_right(data.var_type[var], 0);
  if (code != 0) {
    going_right = categories_going_right(data, var, fold.training.data(), n_training,
                                         static_cast<int>(code));
  }
  tally_categories(data, table, fold.held_out, var, going_right);
}

}  // namespace

void tally_split(const Dataset& data, NodeTable& table, const int* cases, int m, double cut,
                 int var) {
  DaughterCounts& counts = table.daughter_counts;
  counts.clear();
  const std::vector<double>& values = data.X[var];
  for (int i = 0; i < m; ++i) {
    const int c = cases[i];
    counts.add(data.y[c], !(values[c] > cut));
  }
}

void add_fold_tally(const DaughterCounts& tally, DaughterCounts& pooled) {
  // Widened: a fold of a large node can hold more than 46341 cases per cell.
  if (static_cast<long long>(tally.right(1)) * tally.left(1) >
      static_cast<long long>(tally.right(0)) * tally.left(0)) {
    for (const int k : {0, 1}) {
      pooled.add(k, true, tally.right(k));
      pooled.add(k, false, tally.left(k));
    }
  } else {
    pooled.add(1, true, tally.left(1));
    pooled.add(1, false, tally.left(0));
    pooled.add(0, true, tally.right(1));
    pooled.add(0, false, tally.right(0));
  }
}

DaughterCounts cross_validated_table(const Dataset& data, NodeTable& table,
                                     const SplitSearch& search, int node, int var,
                                     RandomStream& random) {
  const int* cases = search.cases(node);
  const int n = search.size(node);
  const int fold_size = n / CV_FOLDS;
  const std::vector<int> order = random_order(random, n);
  Fold fold;
  fold.excluded.assign(data.n_cases, 0);
  fold.held_out.reserve(fold_size);
  fold.training.reserve(n - fold_size);
  DaughterCounts pooled(2);
  for (int f = 0; f < CV_FOLDS; ++f) {
    hold_out(fold, cases, n, order, f * fold_size, (f + 1) * fold_size);
    fold_tally(data, table, search, node, var, fold);
    add_fold_tally(table.daughter_counts, pooled);
    for (const int c : fold.held_out) fold.excluded[c] = 0;
  }
  return pooled;
}

}  // namespace bramble
