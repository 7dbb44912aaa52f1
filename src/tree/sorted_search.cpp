// The search of a sorted column: a walk over the node's segment in value order.
#include <algorithm>
#include <limits>

#include "numeric/limits.h"
#include "tree/impurity.h"
#include "tree/split_search.h"

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

// The entries are taken from missing_run to the end, then from the start up to missing_run.
template <bool WITH_EXCLUSIONS, typename Segment, typename Body, typename Visit>
void walk_runs(const Segment& segment, const Body body_of, const unsigned char* excluded,
               int n_left_limit, int* left, Visit& visit) {
  // A copy of body_of: the stores to left[] could otherwise change it for all the compiler knows.
  const ColumnEntry* entries = segment.entries;
  const int count = segment.count;
  int n_left = 0;
  int last_case = 0;
  bool boundary = false;
  for (int i = 0, at = segment.missing_run; i < count && n_left < n_left_limit; ++i) {
    const ColumnEntry entry = entries[at];
    at = at + 1 < count ? at + 1 : 0;
    const ColumnEntry body = entry & CASE_BITS;
    const int c = body_of.case_of(body);
    boundary = boundary || (entry & RUN_START) != 0;
    if (WITH_EXCLUSIONS && excluded[c] != 0) continue;
    if (boundary && n_left > 0) visit(n_left, last_case);
    boundary = false;
    ++left[body_of.class_of(body)];
    ++n_left;
    last_case = c;
  }
}

// Walks a node's segment of a sorted column in value order, skipping excluded cases, and calls
// visit(n_left, last_left_case) at every boundary between runs of equal values among the cases
// considered, with left[] holding the class counts of the cases before the boundary. Stops once
// n_left_limit cases are left of the boundary.
template <typename Segment, typename Body, typename Visit>
void walk_boundaries(const Segment& segment, const Body& body_of, const unsigned char* excluded,
                     int n_left_limit, int* left, Visit&& visit) {
  if (excluded == nullptr) {
    walk_runs<false>(segment, body_of, excluded, n_left_limit, left, visit);
  } else {
    walk_runs<true>(segment, body_of, excluded, n_left_limit, left, visit);
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

double SplitSearch::best_sorted_cut(int var, int node, const unsigned char* excluded, int m,
                                    double& cut) const {
  const double* values = data_.X[var].data();
  const SortedSegment segment = sorted_segment(var, node);
  int best_case = -1;
  const double best =
      rule_ == RULE_ENTROPY
          ? best_boundary(EntropyScore{xlogx_.data(), totals_.data(), n_classes_}, segment,
                          excluded, m, best_case)
          : best_boundary(GiniScore{totals_.data(), n_classes_}, segment, excluded, m,
                          best_case);
  cut = best_case >= 0 ? values[best_case] : smallest_value(values, node, excluded);
  return best;
}

// A missing copy walks its source's segment with the source's missing run, when the node has
// missing cases, moved to the end.
SplitSearch::SortedSegment SplitSearch::sorted_segment(int var, int node) const {
  const CovariateView& view = views_[var];
  SortedSegment segment{sorted_[view.sorted].data() + begin_[node], size(node), 0};
  if (!view.missing_last || segment.count == 0) return segment;
  const double* source_values = data_.X[data_.source_var[var]].data();
  const ColumnEntry first = segment.entries[0] & CASE_BITS;
  if (source_values[entry_body_.case_of(first)] != view.missing_value) return segment;
  int run = 1;
  while (run < segment.count && (segment.entries[run] & RUN_START) == 0) ++run;
  segment.missing_run = run;
  return segment;
}

double SplitSearch::exact_impurity(const int* left, int n_left, int m) const {
  for (int k = 0; k < n_classes_; ++k) right_[k] = totals_[k] - left[k];
  return impurity(left, n_left, right_.data(), m - n_left, m, n_classes_, rule_);
}

template <typename Score>
double SplitSearch::best_boundary(const Score& score_of, const SortedSegment& segment,
                                  const unsigned char* excluded, int m, int& best_case) const {
  const int n_left_limit = m - min_daughter_size_;
  // First walk: the least score, remembering the boundaries that came near it.
  const double window = 2 * SCORE_ERROR_BOUND * m;
  double least = std::numeric_limits<double>::infinity();
  bool all_kept = true;
  candidates_.clear();
  candidate_counts_.clear();
  std::fill(left_.begin(), left_.end(), 0);
  walk_boundaries(segment, entry_body_, excluded, n_left_limit, left_.data(),
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
  walk_boundaries(segment, entry_body_, excluded, n_left_limit, left_.data(),
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

}  // namespace bramble
