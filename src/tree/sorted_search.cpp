// The search of a sorted column: a walk over the node's segment in value order.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

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

// Blocks of entries that a walk may jump over, and the largest number of classes for which it
// tries (a block has 2^n_classes corners to score).
constexpr int BLOCK_SIZE = 128;
constexpr int MAX_BOUNDED_CLASSES = 4;

// A walk over a node's segment in the order its covariate sees it (from missing_run to the end,
// then from the start), position by position, that keeps its state between calls. At every
// boundary between runs of equal values among the cases considered (those not excluded) it calls
// visit(n_left, last_left_case), left[] holding the class counts of the cases before the boundary;
// it stops once n_left_limit cases are left of the boundary.
template <typename Segment, typename Body>
class RunWalk {
 public:
  RunWalk(const Segment& segment, Body body_of, int n_left_limit, int* left)
      : segment_(segment), body_of_(body_of), n_left_limit_(n_left_limit), left_(left) {}

  int count() const { return segment_.count; }
  int n_left() const { return n_left_; }
  ColumnEntry entry_at(int position) const { return segment_.entries[index_of(position)]; }

  template <bool WITH_EXCLUSIONS, typename Visit>
  void walk(int begin, int end, const unsigned char* excluded, Visit& visit) {
    // Locals and a copy of body_of: the stores to left[] could otherwise change them for all the
    // compiler knows.
    const Body body_of = body_of_;
    int* const left = left_;
    int n_left = n_left_;
    int last_case = last_case_;
    bool boundary = boundary_;
    for (int i = begin, at = index_of(begin); i < end && n_left < n_left_limit_; ++i) {
      const ColumnEntry entry = segment_.entries[at];
      at = at + 1 < segment_.count ? at + 1 : 0;
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
    n_left_ = n_left;
    last_case_ = last_case;
    boundary_ = boundary;
  }

  // Adds the class counts of positions [begin, end), at most BLOCK_SIZE of them, to counts[0 ..
  // n_classes - 1] (n_classes at most MAX_BOUNDED_CLASSES).
  void add_classes(int begin, int end, int n_classes, int* counts) const {
    const int at = index_of(begin);
    const int first_part = std::min(end - begin, segment_.count - at);
    add_classes(segment_.entries + at, first_part, n_classes, counts);
    add_classes(segment_.entries, end - begin - first_part, n_classes, counts);
  }

  // Goes on to position end without visiting the boundaries before it (no case excluded);
  // counts are the class counts of positions [0, end). The last left case stays stale: the first
  // boundary a later walk can visit is the jumped block's end, whose score the block's floor puts
  // beyond the window, so no visit keeps it.
  void jump(int end, const int* counts, int n_classes) {
    std::copy_n(counts, n_classes, left_);
    n_left_ = end;
    boundary_ = false;
  }

 private:
  int index_of(int position) const {
    const int at = position + segment_.missing_run;
    return at < segment_.count ? at : at - segment_.count;
  }

  void add_classes(const ColumnEntry* entries, int count, int n_classes, int* counts) const {
    if (body_of_.class_bits == 1) {
      // Two classes packed: the class is the lowest bit, and the sum vectorises.
      int ones = 0;
      for (int i = 0; i < count; ++i) ones += static_cast<int>(entries[i] & 1u);
      counts[0] += count - ones;
      counts[1] += ones;
      return;
    }
    // One byte of a word per class keeps the loop free of branches on the classes.
    static_assert(BLOCK_SIZE < 256 && MAX_BOUNDED_CLASSES <= 4, "a count per byte of 32 bits");
    std::uint32_t tally = 0;
    for (int i = 0; i < count; ++i) tally += 1u << (8 * body_of_.class_of(entries[i] & CASE_BITS));
    for (int j = 0; j < n_classes; ++j) counts[j] += (tally >> (8 * j)) & 0xff;
  }

  const Segment& segment_;
  const Body body_of_;
  const int n_left_limit_;
  int* const left_;
  int n_left_ = 0;
  int last_case_ = 0;
  bool boundary_ = false;
};

// m times the impurity of a boundary, up to rounding (see SCORE_ERROR_BOUND). max_step bounds how
// much the exact score changes when one case crosses from the right side to the left.
struct EntropyScore {
  double operator()(const int* left, int n_left, int m) const {
    double classes = 0.0;
    for (int k = 0; k < n_classes; ++k) classes += xlogx[left[k]] + xlogx[totals[k] - left[k]];
    return (xlogx[n_left] + xlogx[m - n_left]) - classes;
  }
  // Four terms change, each by (x + 1) ln(x + 1) - x ln x, between 0 and ln m + 1, two of them
  // up and two down: at most 2 (ln m + 1), with a margin for the rounding of this bound.
  static double max_step(int m) { return 2.0 * (std::log(static_cast<double>(m)) + 1.0) * 1.001; }
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
  // A non-empty side's sum of Lk^2 / nL changes by at most 1 as a case joins or leaves it, so
  // the score by at most 2; 4 leaves a margin.
  static double max_step(int) { return 4.0; }
  const int* totals;
  int n_classes;
};

}  // namespace

double SplitSearch::best_sorted_cut(int var, int node, const unsigned char* excluded, int m,
                                    double& cut) const {
  const CaseValues values = case_values(var);
  const SortedSegment segment = sorted_segment(var, node);
  int best_case = -1;
  const double best =
      rule_ == SplittingRule::entropy
          ? best_boundary(EntropyScore{xlogx_.data(), scratch_.totals.data(), n_classes_}, segment,
                          excluded, m, best_case)
          : best_boundary(GiniScore{scratch_.totals.data(), n_classes_}, segment, excluded, m,
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
  for (int k = 0; k < n_classes_; ++k) scratch_.right[k] = scratch_.totals[k] - left[k];
  return impurity(left, n_left, scratch_.right.data(), m - n_left, m, n_classes_, rule_);
}

template <typename Score>
double SplitSearch::best_boundary(const Score& score_of, const SortedSegment& segment,
                                  const unsigned char* excluded, int m, int& best_case) const {
  const int n_left_limit = m - min_daughter_size_;
  // First walk: the least score, remembering the boundaries that came near it.
  const double window = 2 * SCORE_ERROR_BOUND * m;
  double least = std::numeric_limits<double>::infinity();
  bool all_kept = true;
  scratch_.candidates.clear();
  scratch_.candidate_counts.clear();
  std::fill(scratch_.left.begin(), scratch_.left.end(), 0);
  RunWalk walk(segment, entry_body_, n_left_limit, scratch_.left.data());
  const auto visit = [&](int n_left, int last_case) {
    if (n_left <= min_daughter_size_) return;
    const double score = score_of(scratch_.left.data(), n_left, m);
    if (score > least + window) return;
    least = std::min(least, score);
    if (!all_kept) return;
    all_kept = keep_candidate(score, n_left, last_case, least + window);
  };
  const bool in_blocks = excluded == nullptr && n_classes_ <= MAX_BOUNDED_CLASSES;
  if (excluded != nullptr) {
    walk.template walk<true>(0, segment.count, excluded, visit);
  } else if (in_blocks) {
    walk_in_blocks(score_of, walk, m, window, least, visit);
  } else {
    walk.template walk<false>(0, segment.count, excluded, visit);
  }
  if (least == std::numeric_limits<double>::infinity()) return n_classes_;

  // Exact impurities within the window, in boundary order; the first strict minimum wins.
  const double threshold = least + window;
  double best = n_classes_;
  const auto consider = [&](const int* left, int n_left, int last_case) {
    ++scratch_.work.exact_impurities;
    const double imp = exact_impurity(left, n_left, m);
    if (imp < best) {
      best = imp;
      best_case = last_case;
    }
  };
  if (all_kept) {
    for (std::size_t i = 0; i < scratch_.candidates.size(); ++i) {
      const Candidate& candidate = scratch_.candidates[i];
      if (candidate.score > threshold) continue;
      consider(&scratch_.candidate_counts[i * n_classes_], candidate.n_left,
               candidate.last_left_case);
    }
    return best;
  }
  std::fill(scratch_.left.begin(), scratch_.left.end(), 0);
  RunWalk again(segment, entry_body_, n_left_limit, scratch_.left.data());
  const auto visit_again = [&](int n_left, int last_case) {
    if (n_left <= min_daughter_size_) return;
    if (score_of(scratch_.left.data(), n_left, m) > threshold) return;
    consider(scratch_.left.data(), n_left, last_case);
  };
  // A flat stretch of scores in a large node holds more near ties than are kept; the blocks whose
  // floors put them beyond the window hold none of them.
  if (excluded != nullptr) {
    again.template walk<true>(0, segment.count, excluded, visit_again);
  } else if (in_blocks) {
    walk_near_blocks(again, m, window, least, visit_again);
  } else {
    again.template walk<false>(0, segment.count, excluded, visit_again);
  }
  return best;
}

// The first walk without excluded cases, a block of entries at a time. A block holds no boundary
// that the walk would keep when some bound puts every score in it above least + 2 x window, a
// margin beyond the rounding of any score: it is then jumped over. A first pass counts the
// classes of every block and bounds its scores from below, with least the least score so far
// among the block ends that are boundaries (which only falls, so a bound above it stays above).
// Two bounds serve. The score at either end of a block, less the largest change over the block's
// steps (max_step each), is cheap and settles the blocks far from the least score. Nearer, the
// score is a concave function of the left class counts, so over a block, whose boundaries have
// left counts between those at its start and at its end, it is least at a corner of that box;
// the corners are scored while the table entries they read are at hand.
template <typename Score, typename Walk, typename Visit>
void SplitSearch::walk_in_blocks(const Score& score_of, Walk& walk, int m, double window,
                                 double& least, Visit& visit) const {
  const int count = walk.count();
  const int n_blocks = (count + BLOCK_SIZE - 1) / BLOCK_SIZE;
  const int k = n_classes_;
  const double step = Score::max_step(m);
  scratch_.block_counts.assign(static_cast<std::size_t>(n_blocks + 1) * k, 0);
  scratch_.block_floors.resize(n_blocks);
  double start_score = score_of(&scratch_.block_counts[0], 0, m);
  for (int b = 0; b < n_blocks; ++b) {
    const int* start = &scratch_.block_counts[b * k];
    int* end = &scratch_.block_counts[(b + 1) * k];
    std::copy_n(start, k, end);
    const int end_position = std::min(count, (b + 1) * BLOCK_SIZE);
    walk.add_classes(b * BLOCK_SIZE, end_position, k, end);
    const double end_score = score_of(end, end_position, m);
    const bool admissible =
        end_position > min_daughter_size_ && m - end_position > min_daughter_size_;
    if (end_position < count && admissible && (walk.entry_at(end_position) & RUN_START) != 0) {
      least = std::min(least, end_score);
    }
    // Each end bounds the block alone; an end with an empty side scores NaN, which bounds nothing.
    const double reach = (end_position - b * BLOCK_SIZE) * step;
    const double threshold = least + 2 * window;
    const bool far = start_score - reach > threshold || end_score - reach > threshold;
    scratch_.block_floors[b] = far ? std::numeric_limits<double>::infinity()
                           : least_corner_score(score_of, start, end, m, start_score, end_score);
    scratch_.work.blocks_bounded += far ? 0 : 1;
    start_score = end_score;
  }
  walk_near_blocks(walk, m, window, least, visit);
}

// Walks the blocks of the last walk_in_blocks whose floors lie within least + 2 x window, with
// least as visit leaves it, and jumps over the others.
template <typename Walk, typename Visit>
void SplitSearch::walk_near_blocks(Walk& walk, int m, double window, const double& least,
                                   Visit& visit) const {
  const int count = walk.count();
  const int n_blocks = (count + BLOCK_SIZE - 1) / BLOCK_SIZE;
  const int k = n_classes_;
  for (int b = 0; b < n_blocks && walk.n_left() < m - min_daughter_size_; ++b) {
    const int end_position = std::min(count, (b + 1) * BLOCK_SIZE);
    if (scratch_.block_floors[b] > least + 2 * window) {
      walk.jump(end_position, &scratch_.block_counts[(b + 1) * k], k);
    } else {
      ++scratch_.work.blocks_walked;
      walk.template walk<false>(b * BLOCK_SIZE, end_position, nullptr, visit);
    }
  }
}

// The least score over the corners of the box of left counts between start and end, whose own
// scores are given, or NaN when some corner (one with an empty side) scores NaN: such a block is
// never jumped over.
template <typename Score>
double SplitSearch::least_corner_score(const Score& score_of, const int* start, const int* end,
                                       int m, double start_score, double end_score) const {
  if (std::isnan(start_score) || std::isnan(end_score)) return start_score + end_score;
  int corner[MAX_BOUNDED_CLASSES];
  double least = std::min(start_score, end_score);
  const int all = (1 << n_classes_) - 1;
  for (int mask = 1; mask < all; ++mask) {
    int n_left = 0;
    for (int j = 0; j < n_classes_; ++j) {
      corner[j] = (mask >> j & 1) != 0 ? end[j] : start[j];
      n_left += corner[j];
    }
    const double score = score_of(corner, n_left, m);
    if (std::isnan(score)) return score;
    least = std::min(least, score);
  }
  return least;
}

// Adds a near tie to the candidates, first dropping those now outside the window when the list is
// full; false when it is still full (the caller then walks the segment again).
bool SplitSearch::keep_candidate(double score, int n_left, int last_left_case,
                                 double threshold) const {
  if (scratch_.candidates.size() >= near_tie_capacity_) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < scratch_.candidates.size(); ++i) {
      if (scratch_.candidates[i].score > threshold) continue;
      std::copy_n(&scratch_.candidate_counts[i * n_classes_], n_classes_,
                  &scratch_.candidate_counts[kept * n_classes_]);
      scratch_.candidates[kept++] = scratch_.candidates[i];
    }
    scratch_.candidates.resize(kept);
    scratch_.candidate_counts.resize(kept * n_classes_);
    if (kept >= near_tie_capacity_) return false;
  }
  scratch_.candidates.push_back({score, n_left, last_left_case});
  std::vector<int>& counts = scratch_.candidate_counts;
  counts.insert(counts.end(), scratch_.left.begin(), scratch_.left.end());
  return true;
}

}  // namespace bramble
