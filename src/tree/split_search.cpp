#include "tree/split_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

#include "numeric/limits.h"
#include "tree/impurity.h"

namespace bramble {

namespace {

// The ordinal search first scores every boundary cheaply, with S = m x (the split's impurity) up
// to rounding: for entropy S = nL ln nL + nR ln nR - sum_k (Lk ln Lk + Rk ln Rk), read from a
// table of k ln k; for Gini S = m - sum_k Lk^2 / nL - sum_k Rk^2 / nR. It evaluates the exact
// impurity only where S lies within 2 x SCORE_ERROR_BOUND x m of the least S, which finds exactly
// the boundary (and value) that evaluating every boundary would: no boundary outside that window
// can have an exact impurity as small as the least one. Why the bound holds, for entropy: at most
// 22 table terms, each within a few ulps of k ln k <= m ln m, summed with partial sums below
// 22 m ln m, put S within about 520 u m ln m of m times the true entropy (u = 2^-53), i.e. about
// 1.3e-12 m for m up to 2^31; the term-by-term impurity is within about 60 u of the true entropy.
// For Gini, S (at most 45 roundings of terms below m) is within about 50 u m, and the term-by-term
// impurity within about 30 u. So 1e-9 leaves a margin of about 1000 over the worst rounding.
constexpr double SCORE_ERROR_BOUND = 1e-9;

// Near ties kept in memory; beyond that the segment is walked a second time.
constexpr std::size_t MAX_CANDIDATES = 64;

template <bool WITH_EXCLUSIONS, typename Visit>
void walk_runs(const ColumnEntry* entries, int count, const unsigned char* classes,
               const unsigned char* excluded, int n_left_limit, int* left, Visit& visit) {
  int n_left = 0;
  int last_case = 0;
  bool boundary = false;
  for (int i = 0; i < count && n_left < n_left_limit; ++i) {
    const ColumnEntry entry = entries[i];
    const int c = static_cast<int>(entry & CASE_BITS);
    boundary = boundary || (entry & RUN_START) != 0;
    if (WITH_EXCLUSIONS && excluded[c] != 0) continue;
    if (boundary && n_left > 0) visit(n_left, last_case);
    boundary = false;
    ++left[classes[c]];
    ++n_left;
    last_case = c;
  }
}

// Walks a node's segment of a sorted column in value order, skipping excluded cases, and calls
// visit(n_left, last_left_case) at every boundary between runs of equal values among the cases
// considered, with left[] holding the class counts of the cases before the boundary. Stops once
// n_left_limit cases are left of the boundary.
template <typename Visit>
void walk_boundaries(const ColumnEntry* entries, int count, const unsigned char* classes,
                     const unsigned char* excluded, int n_left_limit, int* left, Visit&& visit) {
  if (excluded == nullptr) {
    walk_runs<false>(entries, count, classes, excluded, n_left_limit, left, visit);
  } else {
    walk_runs<true>(entries, count, classes, excluded, n_left_limit, left, visit);
  }
}

// m times the impurity of a boundary, up to rounding (see SCORE_ERROR_BOUND).
struct EntropyScore {
  double operator()(const int* left, int n_left, int m) const {
    double classes = 0.0;
    for (int k = 0; k < n_classes; ++k) classes += xlogx[left[k]] + xlogx[totals[k] - left[k]];
    return (xlogx[n_left] + xlogx[m - n_left]) - classes;
  }
  const double* xlogx;  // k ln k
  const int* totals;
  int n_classes;
};

struct GiniScore {
  double operator()(const int* left, int n_left, int m) const {
    double left_squares = 0.0;
    double right_squares = 0.0;
    for (int k = 0; k < n_classes; ++k) {
      const double right = totals[k] - left[k];
      left_squares += static_cast<double>(left[k]) * left[k];
      right_squares += right * right;
    }
    return m - (left_squares / n_left + right_squares / (m - n_left));
  }
  const int* totals;
  int n_classes;
};

}  // namespace

SplitSearch::SplitSearch(const Dataset& data, int rule)
    : data_(data), rule_(rule), n_classes_(data.n_classes),
      min_daughter_size_(data.min_daughter_size()), column_of_(data.n_covariates, -1),
      case_list_(data.n_cases), begin_(MAX_NODES, 0), end_(MAX_NODES, 0),
      class_of_(data.y.begin(), data.y.end()), goes_right_(data.n_cases),
      right_scratch_(data.n_cases), totals_(n_classes_), left_(n_classes_), right_(n_classes_) {
  std::iota(case_list_.begin(), case_list_.end(), 0);
  end_[0] = data.n_cases;
  sort_columns();
  if (rule_ == RULE_ENTROPY) {
    xlogx_.resize(static_cast<std::size_t>(data.n_cases) + 1);
    xlogx_[0] = 0.0;
    for (int k = 1; k <= data.n_cases; ++k) xlogx_[k] = k * std::log(static_cast<double>(k));
  }
  candidates_.reserve(MAX_CANDIDATES);
  candidate_counts_.reserve(MAX_CANDIDATES * n_classes_);
}

void SplitSearch::sort_columns() {
  ColumnSorter sorter(data_.n_cases);
  for (int v = 0; v < data_.n_covariates; ++v) {
    if (data_.is_nominal(v)) continue;
    std::vector<ColumnEntry> order;
    const int source = data_.source_var[v];
    if (data_.is_missing_copy(v) && column_of_[source] >= 0) {
      order = order_of_missing_copy(columns_[column_of_[source]], data_.X[source], data_.X[v]);
    }
    if (order.empty()) order = sorter.sort(data_.X[v]);
    column_of_[v] = static_cast<int>(columns_.size());
    columns_.push_back(std::move(order));
  }
}

const int* SplitSearch::cases(int node) const { return case_list_.data() + begin_[node]; }

int SplitSearch::size(int node) const { return end_[node] - begin_[node]; }

double SplitSearch::best_split(int var, int node, double& cut) const {
  if (data_.is_nominal(var)) {
    return best_nominal_split(data_, var, cases(node), size(node), cut, rule_);
  }
  return best_ordinal_split(var, node, nullptr, cut);
}

double SplitSearch::best_ordinal_split(int var, int node, const unsigned char* excluded,
                                       double& cut) const {
  const int m = count_classes(node, excluded);
  if (m == 0) return n_classes_;
  const double* values = data_.X[var].data();
  if (!has_room_for_split(data_, m)) {
    cut = smallest_value(values, node, excluded);
    return n_classes_;
  }
  const ColumnEntry* entries = columns_[column_of_[var]].data() + begin_[node];
  int best_case = -1;
  const double best =
      rule_ == RULE_ENTROPY
          ? best_boundary(EntropyScore{xlogx_.data(), totals_.data(), n_classes_}, entries,
                          node, excluded, m, best_case)
          : best_boundary(GiniScore{totals_.data(), n_classes_}, entries, node, excluded, m,
                          best_case);
  cut = best_case >= 0 ? values[best_case] : smallest_value(values, node, excluded);
  return best;
}

double SplitSearch::smallest_value(const double* values, int node,
                                   const unsigned char* excluded) const {
  double smallest = std::numeric_limits<double>::infinity();
  for (int i = begin_[node]; i < end_[node]; ++i) {
    const int c = case_list_[i];
    if (excluded != nullptr && excluded[c] != 0) continue;
    smallest = std::min(smallest, values[c]);
  }
  return smallest;
}

// The counts of a node's cases do not change once the node exists, so the last node's are kept.
int SplitSearch::count_classes(int node, const unsigned char* excluded) const {
  if (excluded == nullptr && node == totals_node_) return totals_size_;
  std::fill(totals_.begin(), totals_.end(), 0);
  int m = 0;
  for (int i = begin_[node]; i < end_[node]; ++i) {
    const int c = case_list_[i];
    if (excluded != nullptr && excluded[c] != 0) continue;
    ++totals_[class_of_[c]];
    ++m;
  }
  totals_node_ = excluded == nullptr ? node : -1;
  totals_size_ = m;
  return m;
}

double SplitSearch::exact_impurity(const int* left, int n_left, int m) const {
  for (int k = 0; k < n_classes_; ++k) right_[k] = totals_[k] - left[k];
  return impurity(left, n_left, right_.data(), m - n_left, m, n_classes_, rule_);
}

template <typename Score>
double SplitSearch::best_boundary(const Score& score_of, const ColumnEntry* entries, int node,
                                  const unsigned char* excluded, int m, int& best_case) const {
  const int count = size(node);
  const int n_left_limit = m - min_daughter_size_;
  // First walk: the least score, remembering the boundaries that came near it.
  const double window = 2 * SCORE_ERROR_BOUND * m;
  double least = std::numeric_limits<double>::infinity();
  bool all_kept = true;
  candidates_.clear();
  candidate_counts_.clear();
  std::fill(left_.begin(), left_.end(), 0);
  walk_boundaries(entries, count, class_of_.data(), excluded, n_left_limit, left_.data(),
                  [&](int n_left, int last_case) {
                    if (n_left <= min_daughter_size_) return;
                    const double score = score_of(left_.data(), n_left, m);
                    if (score > least + window) return;
                    least = std::min(least, score);
                    if (!all_kept) return;
                    all_kept = keep_candidate(score, n_left, last_case, least + window);
                  });
  if (least == std::numeric_limits<double>::infinity()) return n_classes_;

  // Exact impurities within the window, in boundary order; the first strict minimum wins.
  const double threshold = least + window;
  double best = n_classes_;
  const auto consider = [&](const int* left, int n_left, int last_case) {
    const double imp = exact_impurity(left, n_left, m);
    if (imp < best) {
      best = imp;
      best_case = last_case;
    }
  };
  if (all_kept) {
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
      const Candidate& candidate = candidates_[i];
      if (candidate.score > threshold) continue;
      consider(&candidate_counts_[i * n_classes_], candidate.n_left, candidate.last_left_case);
    }
    return best;
  }
  std::fill(left_.begin(), left_.end(), 0);
  walk_boundaries(entries, count, class_of_.data(), excluded, n_left_limit, left_.data(),
                  [&](int n_left, int last_case) {
                    if (n_left <= min_daughter_size_) return;
                    if (score_of(left_.data(), n_left, m) > threshold) return;
                    consider(left_.data(), n_left, last_case);
                  });
  return best;
}

// Adds a near tie to the candidates, first dropping those now outside the window when the list is
// full; false when it is still full (the caller then walks the segment again).
bool SplitSearch::keep_candidate(double score, int n_left, int last_left_case,
                                 double threshold) const {
  if (candidates_.size() == MAX_CANDIDATES) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
      if (candidates_[i].score > threshold) continue;
      std::copy_n(&candidate_counts_[i * n_classes_], n_classes_,
                  &candidate_counts_[kept * n_classes_]);
      candidates_[kept++] = candidates_[i];
    }
    candidates_.resize(kept);
    candidate_counts_.resize(kept * n_classes_);
    if (kept == MAX_CANDIDATES) return false;
  }
  candidates_.push_back({score, n_left, last_left_case});
  candidate_counts_.insert(candidate_counts_.end(), left_.begin(), left_.end());
  return true;
}

void SplitSearch::split(int node, int left, const std::vector<int>& case_node) {
  const int begin = begin_[node];
  const int end = end_[node];
  int n_left = 0;
  for (int i = begin; i < end; ++i) {
    const int c = case_list_[i];
    goes_right_[c] = case_node[c] == left ? 0 : 1;
    n_left += 1 - goes_right_[c];
  }
  split_case_list(begin, end);
  // A node without room for a split is never searched in value order: its segments of the sorted
  // columns may stay unsorted.
  if (has_room_for_split(data_, n_left) || has_room_for_split(data_, end - begin - n_left)) {
    for (std::vector<ColumnEntry>& column : columns_) split_column(column, begin, end);
  }
  if (left + 2 > static_cast<int>(begin_.size())) {
    begin_.resize(left + 2, 0);
    end_.resize(left + 2, 0);
  }
  totals_node_ = -1;
  begin_[left] = begin;
  end_[left] = begin + n_left;
  begin_[left + 1] = begin + n_left;
  end_[left + 1] = end;
}

void SplitSearch::split_case_list(int begin, int end) {
  int to = begin;
  int n_right = 0;
  for (int i = begin; i < end; ++i) {
    const int c = case_list_[i];
    if (goes_right_[c] != 0) {
      right_scratch_[n_right++] = static_cast<ColumnEntry>(c);
    } else {
      case_list_[to++] = c;
    }
  }
  for (int i = 0; i < n_right; ++i) case_list_[to++] = static_cast<int>(right_scratch_[i]);
}

// Stable partition that keeps the run marks true within each daughter: an entry starts a run in
// its daughter when some entry since the daughter's previous one started a run in the parent.
void SplitSearch::split_column(std::vector<ColumnEntry>& column, int begin, int end) {
  int to = begin;
  int n_right = 0;
  ColumnEntry left_mark = RUN_START;
  ColumnEntry right_mark = RUN_START;
  // Branch-free: the sides are unpredictable. Every entry is written to both places, and only
  // its own side's position advances; to never passes i, so nothing unread is overwritten.
  for (int i = begin; i < end; ++i) {
    const ColumnEntry entry = column[i];
    const ColumnEntry c = entry & CASE_BITS;
    left_mark |= entry & RUN_START;
    right_mark |= entry & RUN_START;
    const ColumnEntry right = goes_right_[c];
    column[to] = c | left_mark;
    right_scratch_[n_right] = c | right_mark;
    to += static_cast<int>(1 - right);
    n_right += static_cast<int>(right);
    left_mark &= 0u - right;         // kept while the entries go right
    right_mark &= right - 1u;        // kept while the entries go left
  }
  std::copy_n(right_scratch_.begin(), n_right, column.begin() + to);
}

}  // namespace bramble
