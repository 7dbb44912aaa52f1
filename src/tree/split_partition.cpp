// Splitting a node of the search: where its cases go, and the daughters' segments.
#include <algorithm>
#include <numeric>

#include "tree/category_code.h"
#include "tree/impurity.h"
#include "tree/split_search.h"

namespace bramble {

namespace {

// How many entries ahead a walk in value order asks for the per-case data it will read.
constexpr int PREFETCH_DISTANCE = 32;

// Stable partition of a segment by side (1 = right), the right part staged in scratch.
// Branch-free: the sides are unpredictable. Every value is written to both places and only its
// own side's position advances; the left position never passes the one being read.
template <typename T>
void partition_segment(T* values, const unsigned char* side, int count, T* scratch) {
  int to = 0;
  int n_right = 0;
  for (int i = 0; i < count; ++i) {
    const T value = values[i];
    values[to] = value;
    scratch[n_right] = value;
    to += 1 - side[i];
    n_right += side[i];
  }
  std::copy_n(scratch, n_right, values + to);
}

}  // namespace

void SplitSearch::split(int node, int left, const std::vector<int>& case_node) {
  const int begin = begin_[node];
  int n_left = 0;
  for (int i = begin; i < end_[node]; ++i) {
    const int c = case_list_[i];
    const unsigned char right = case_node[c] == left ? 0 : 1;
    set_goes_right(c, right);
    side_[i - begin] = right;
    n_left += 1 - right;
  }
  split_segments(node, left, n_left);
}

void SplitSearch::split_by(NodeTable& table, int node, int var, int code, CaseNodes cases) {
  const int begin = begin_[node];
  const int end = end_[node];
  if (views_[var].coded >= 0) {
    sides_from_codes(table, node, var, code);
  } else {
    sides_from_values(table, node, var);
  }
  table.daughter_counts.clear();
  const int left = table.node_count;
  int n_left = 0;
  for (int i = begin; i < end; ++i) {
    const int c = case_list_[i];
    const unsigned char right = side_[i - begin];
    set_goes_right(c, right);
    table.daughter_counts.add(record_byte(i, 0), right != 0);
    n_left += 1 - right;
  }
  if (cases == CaseNodes::recorded) {
    for (int i = begin; i < end; ++i) table.case_node[case_list_[i]] = left + side_[i - begin];
  }
  split_segments(node, left, n_left);
}

void SplitSearch::record_case_nodes(NodeTable& table) const {
  for (int node = 0; node < table.node_count; ++node) {
    if (table.left_child[node] != 0) continue;
    for (int i = begin_[node]; i < end_[node]; ++i) table.case_node[case_list_[i]] = node;
  }
}

// The side of a coded covariate's case follows from its code, read from the records in order.
void SplitSearch::sides_from_codes(NodeTable& table, int node, int var, int code) {
  const CovariateView& view = views_[var];
  std::vector<int> right_of_code(view.n_codes, 0);
  if (data_.is_nominal(var) && code != 0) {
    // The categories present are those with cases in the node's tally.
    tally(node, nullptr);
    const int* counts = coded_counts(view);
    int present = 0;
    for (int k = 0; k < view.n_codes; ++k) {
      const int* code_counts = counts + k * n_classes_;
      right_of_code[k] = std::accumulate(code_counts, code_counts + n_classes_, 0) > 0 ? 1 : 0;
      present += right_of_code[k];
    }
    present_to_going_right(right_of_code, std::max(present, 1), code);
    table.cut_off[node] = decimal_category_code(right_of_code);
  } else {
    const double cut = table.cut_off[node];
    for (int k = 0; k < view.n_codes; ++k) {
      const double value = data_.is_nominal(var) ? k : view.values[k];
      right_of_code[k] = value > cut ? 1 : 0;
    }
  }
  // A missing copy's records hold its source's codes: the source's lowest is its highest.
  if (view.missing_last) {
    std::rotate(right_of_code.rbegin(), right_of_code.rbegin() + 1, right_of_code.rend());
  }
  const int column = 1 + view.coded;
  for (int i = begin_[node]; i < end_[node]; ++i) {
    side_[i - begin_[node]] = static_cast<unsigned char>(right_of_code[record_byte(i, column)]);
  }
}

void SplitSearch::sides_from_values(const NodeTable& table, int node, int var) {
  const CaseValues values = case_values(var);
  const int* listed = cases(node);
  const int m = size(node);
  const double cut = table.cut_off[node];
  for (int i = 0; i < m; ++i) side_[i] = values[listed[i]] > cut ? 1 : 0;
}

// Partitions every segment of node once side_ and goes_right_ tell where its cases go.
void SplitSearch::split_segments(int node, int left, int n_left) {
  const int begin = begin_[node];
  const int end = end_[node];
  const int count = end - begin;
  // The case list and the scratch hold the same 32-bit indices, signed and unsigned.
  partition_segment(case_list_.data() + begin, side_.data(), count,
                    reinterpret_cast<int*>(right_scratch_.data()));
  partition_records(begin, count);
  // A node without room for a split is never searched through its sorted columns: its segments
  // of them may stay unpartitioned.
  if (has_room_for_split(data_, n_left) || has_room_for_split(data_, count - n_left)) {
    for (std::vector<ColumnEntry>& column : sorted_) split_column(column, begin, end);
  }
  scratch_.tallied_node = -1;
  begin_[left] = begin;
  end_[left] = begin + n_left;
  begin_[left + 1] = begin + n_left;
  end_[left + 1] = end;
}

// partition_segment for the records, a whole record at a time. A record is wide enough that
// storing it once, at its side's position chosen without a branch, beats writing it to both.
void SplitSearch::partition_records(int begin, int count) {
  const int words = record_words_;
  std::uint64_t* records = records_.data() + static_cast<std::size_t>(begin) * words;
  std::uint64_t* scratch = record_scratch_.data();
  int to = 0;
  int n_right = 0;
  for (int i = 0; i < count; ++i) {
    std::uint64_t* const place[2] = {records + to * words, scratch + n_right * words};
    std::uint64_t* const destination = place[side_[i]];
    for (int w = 0; w < words; ++w) destination[w] = records[i * words + w];
    to += 1 - side_[i];
    n_right += side_[i];
  }
  std::copy_n(scratch, static_cast<std::size_t>(n_right) * words, records + to * words);
}

// Stable partition that keeps the run marks true within each daughter: an entry starts a run in
// its daughter when some entry since the daughter's previous one started a run in the parent.
void SplitSearch::split_column(std::vector<ColumnEntry>& column, int begin, int end) {
  const EntryBody body_of = entry_body_;  // a copy: the stores below could change it otherwise
  int to = begin;
  int n_right = 0;
  ColumnEntry left_mark = RUN_START;
  ColumnEntry right_mark = RUN_START;
  // Branch-free: the sides are unpredictable. Every entry is written to both places (cheaper here
  // than choosing one), and only its own side's position advances; to never passes i, so nothing
  // unread is overwritten.
  for (int i = begin; i < end; ++i) {
    // The flags are read in value order, at random: ask for them ahead of time.
    if (i + PREFETCH_DISTANCE < end) {
      const int ahead = body_of.case_of(column[i + PREFETCH_DISTANCE] & CASE_BITS);
      __builtin_prefetch(&goes_right_[static_cast<std::size_t>(ahead) / 64]);
    }
    const ColumnEntry entry = column[i];
    const ColumnEntry body = entry & CASE_BITS;
    left_mark |= entry & RUN_START;
    right_mark |= entry & RUN_START;
    const auto right = static_cast<ColumnEntry>(goes_right(body_of.case_of(body)));
    column[to] = body | left_mark;
    right_scratch_[n_right] = body | right_mark;
    to += static_cast<int>(1 - right);
    n_right += static_cast<int>(right);
    left_mark &= 0u - right;         // kept while the entries go right
    right_mark &= right - 1u;        // kept while the entries go left
  }
  std::copy_n(right_scratch_.begin(), n_right, column.begin() + to);
}

}  // namespace bramble
