#include "tree/split_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "numeric/fresh_memory.h"
#include "tree/impurity.h"

namespace bramble {

SplitSearch::SplitSearch(const Dataset& data, SplittingRule rule, ClassPacking packing)
    : SplitSearch(data, rule, packing, nullptr) {}

SplitSearch::SplitSearch(Dataset& data, SplittingRule rule, FreeCodedColumns)
    : SplitSearch(data, rule, ClassPacking::when_it_fits, &data) {}

SplitSearch::SplitSearch(const Dataset& data, SplittingRule rule, ClassPacking packing,
                         Dataset* freeable)
    : data_(data), rule_(rule), n_classes_(data.n_classes),
      min_daughter_size_(data.min_daughter_size()), views_(data.n_covariates),
      begin_(MAX_NODES), end_(MAX_NODES),
      class_of_(data.y.begin(), data.y.end()), entry_body_(entry_body(packing)),
      goes_right_((static_cast<std::size_t>(data.n_cases) + 63) / 64) {
  scratch_.totals.resize(n_classes_);
  scratch_.left.resize(n_classes_);
  scratch_.right.resize(n_classes_);
  scratch_.view_counts.resize(MAX_CODES * n_classes_);
  scratch_.candidates.reserve(MAX_CANDIDATES);
  scratch_.candidate_counts.reserve(MAX_CANDIDATES * n_classes_);
  end_[0] = data.n_cases;
  // The arrays in proportion to the cases come after the columns freed, which lowers the peak of
  // memory and lets them reuse what was freed.
  const PreparedColumns prepared = prepare_columns(freeable);
  sort_columns(prepared.to_sort);
  build_records(prepared.coded);
  case_list_ = populated_vector<int>(data.n_cases);
  std::iota(case_list_.begin(), case_list_.end(), 0);
  side_ = populated_vector<unsigned char>(data.n_cases);
  right_scratch_ = populated_vector<ColumnEntry>(data.n_cases);
  if (rule_ == SplittingRule::entropy) {
    resize_populated(xlogx_, static_cast<std::size_t>(data.n_cases) + 1);
    xlogx_[0] = 0.0;
    for (int k = 1; k <= data.n_cases; ++k) xlogx_[k] = k * std::log(static_cast<double>(k));
  }
}

// Entries carry their case's class when a case index leaves room for it.
EntryBody SplitSearch::entry_body(ClassPacking packing) const {
  int class_bits = 1;
  while ((1 << class_bits) < n_classes_) ++class_bits;
  const long long room = (static_cast<long long>(CASE_BITS) + 1) >> class_bits;
  if (packing == ClassPacking::never || data_.n_cases > room) return {0, 0, class_of_.data()};
  return {class_bits, (1u << class_bits) - 1, class_of_.data()};
}

// Covariates with few values are coded, the others sorted; a missing copy of the form recoding
// gives is seen through its source's column. With freeable, a coded column is freed once no
// covariate still to come reads it: a source is read again by its missing copies, which come
// later.
SplitSearch::PreparedColumns SplitSearch::prepare_columns(Dataset* freeable) {
  std::vector<int> copies_to_come(data_.n_covariates, 0);
  for (int v = 0; v < data_.n_covariates; ++v) {
    if (data_.is_missing_copy(v)) ++copies_to_come[data_.source_var[v]];
  }
  const auto free_if_coded = [this, freeable](int v) {
    if (freeable != nullptr && views_[v].coded >= 0) std::vector<double>().swap(freeable->X[v]);
  };
  PreparedColumns prepared;
  for (int v = 0; v < data_.n_covariates; ++v) {
    prepare_column(v, prepared);
    if (data_.is_missing_copy(v) && --copies_to_come[data_.source_var[v]] == 0) {
      free_if_coded(data_.source_var[v]);
    }
    if (copies_to_come[v] == 0) free_if_coded(v);
  }
  n_coded_ = static_cast<int>(prepared.coded.size());
  record_words_ = (n_coded_ + 1 + 7) / 8;
  return prepared;
}

void SplitSearch::prepare_column(int v, PreparedColumns& prepared) {
  const std::vector<double>& values = data_.X[v];
  CovariateView& view = views_[v];
  const auto add_coded = [&prepared](std::vector<std::uint8_t> codes) {
    prepared.coded.push_back(std::move(codes));
    return static_cast<int>(prepared.coded.size()) - 1;
  };
  if (data_.is_nominal(v)) {
    // Recoding leaves at most MAX_CATEGORIES categories: a byte codes them.
    std::vector<std::uint8_t> codes = populated_vector<std::uint8_t>(values.size());
    for (std::size_t c = 0; c < values.size(); ++c) codes[c] = static_cast<std::uint8_t>(values[c]);
    view.coded = add_coded(std::move(codes));
    view.n_codes = data_.var_type[v];
    return;
  }
  if (data_.is_missing_copy(v) && view_through_source(v)) return;
  RankCodes ranks;
  if (rank_codes(values, ranks)) {
    view.coded = add_coded(std::move(ranks.codes));
    view.n_codes = static_cast<int>(ranks.values.size());
    view.values = std::move(ranks.values);
    return;
  }
  view.sorted = static_cast<int>(prepared.to_sort.size());
  prepared.to_sort.push_back(v);
}

// The records and their scratch, not yet filled, serve the sorter as its work space, so that
// sorting takes no memory of its own.
void SplitSearch::sort_columns(const std::vector<int>& to_sort) {
  const std::size_t words = static_cast<std::size_t>(data_.n_cases) * record_words_;
  resize_populated(records_, words);
  resize_populated(record_scratch_, words);
  if (to_sort.empty()) return;
  ColumnSorter sorter(entry_body_, std::move(records_), std::move(record_scratch_));
  for (const int v : to_sort) sorted_.push_back(sorter.sort(data_.X[v]));
  sorter.release(records_, record_scratch_);
}

// Byte 0 of a record is the case's class, byte 1 + c its code in coded column c, the rest of its
// record_words_ words zero.
void SplitSearch::build_records(const std::vector<std::vector<std::uint8_t>>& coded) {
  const std::size_t width = record_bytes();
  scratch_.coded_counts.assign(static_cast<std::size_t>(n_coded_) * MAX_CODES * n_classes_, 0);
  std::fill(records_.begin(), records_.end(), 0);
  unsigned char* bytes = reinterpret_cast<unsigned char*>(records_.data());
  for (int c = 0; c < data_.n_cases; ++c) {
    unsigned char* record = bytes + c * width;
    record[0] = class_of_[c];
    for (int column = 0; column < n_coded_; ++column) record[1 + column] = coded[column][c];
  }
}

bool SplitSearch::view_through_source(int var) {
  const int source = data_.source_var[var];
  if (data_.is_nominal(source)) return false;
  // A copy left unfilled has this form, and its source has missing cases.
  const Dataset::UnfilledCopy* unfilled = data_.unfilled_copy(var);
  const MissingCopyForm form = unfilled != nullptr
                                   ? MissingCopyForm{true, true, unfilled->below, unfilled->above}
                                   : missing_copy_form(data_.X[source], data_.X[var]);
  if (!form.holds) return false;
  CovariateView& view = views_[var];
  view = views_[source];
  if (!form.any_missing) return true;  // the copy equals its source
  view.missing_last = true;
  view.missing_value = form.source_value;
  view.unfilled = unfilled != nullptr;
  view.copy_value = form.copy_value;
  if (view.coded >= 0) {
    std::rotate(view.values.begin(), view.values.begin() + 1, view.values.end());
    view.values.back() = form.copy_value;
  }
  return true;
}

SplitSearch::CaseValues SplitSearch::case_values(int var) const {
  const CovariateView& view = views_[var];
  if (view.unfilled) {
    return {data_.X[data_.source_var[var]].data(), view.missing_value, view.copy_value};
  }
  const double none = std::numeric_limits<double>::quiet_NaN();  // equals no value
  return {data_.X[var].data(), none, none};
}

const int* SplitSearch::cases(int node) const { return case_list_.data() + begin_[node]; }

int SplitSearch::size(int node) const { return end_[node] - begin_[node]; }

bool SplitSearch::varies(int node) const {
  tally(node, nullptr);  // fills scratch_.totals; a node of one case has one class present
  const auto present = [](int count) { return count > 0; };
  if (std::count_if(scratch_.totals.begin(), scratch_.totals.end(), present) <= 1) return false;
  for (int v = 0; v < data_.n_covariates; ++v) {
    if (column_varies(v, node)) return true;
  }
  return false;
}

// A coded column varies when two of its codes have cases (from the tally); a sorted one when a run
// starts after the first entry of the node's segment, which is in order when the node has room
// for a split.
bool SplitSearch::column_varies(int var, int node) const {
  const CovariateView& view = views_[var];
  if (view.coded >= 0) {
    const std::size_t first = static_cast<std::size_t>(view.coded) * MAX_CODES * n_classes_;
    const int* counts = &scratch_.coded_counts[first];
    int codes_present = 0;
    for (int code = 0; code < view.n_codes && codes_present < 2; ++code, counts += n_classes_) {
      codes_present += std::any_of(counts, counts + n_classes_, [](int n) { return n > 0; });
    }
    return codes_present > 1;
  }
  const ColumnEntry* entries = sorted_[view.sorted].data() + begin_[node];
  return std::any_of(entries + 1, entries + size(node),
                     [](ColumnEntry entry) { return (entry & RUN_START) != 0; });
}

double SplitSearch::best_split(int var, int node, double& cut) const {
  if (!data_.is_nominal(var)) return best_ordinal_split(var, node, nullptr, cut);
  // A node without room for a split has no coded segment, and no grouping is admissible; the
  // plain search still tells what the code would be.
  if (!has_room_for_split(data_, size(node))) {
    return best_nominal_split(data_, var, cases(node), size(node), cut, rule_);
  }
  const CovariateView& view = views_[var];
  const int m = tally(node, nullptr);
  return best_grouping(data_, coded_counts(view), view.n_codes, m, cut, rule_);
}

double SplitSearch::best_ordinal_split(int var, int node, const unsigned char* excluded,
                                       double& cut) const {
  const int m = tally(node, excluded);
  if (m == 0) return n_classes_;
  if (!has_room_for_split(data_, m)) {
    cut = smallest_value(case_values(var), node, excluded);
    return n_classes_;
  }
  const CovariateView& view = views_[var];
  if (view.coded >= 0) return best_coded_cut(view, coded_counts(view), m, cut);
  return best_sorted_cut(var, node, excluded, m, cut);
}

double SplitSearch::smallest_value(const CaseValues& values, int node,
                                   const unsigned char* excluded) const {
  double smallest = std::numeric_limits<double>::infinity();
  for (int i = begin_[node]; i < end_[node]; ++i) {
    const int c = case_list_[i];
    if (excluded != nullptr && excluded[c] != 0) continue;
    smallest = std::min(smallest, values[c]);
  }
  return smallest;
}

// Class counts of the node's cases not excluded (totals) and of every code of every coded column
// among them (coded_counts[(column x MAX_CODES + code) x n_classes + class]), in one pass over the
// node's records; returns the number of those cases. The counts of a node's cases do not change
// once the node exists, so the last node's are kept while no case is excluded.
int SplitSearch::tally(int node, const unsigned char* excluded) const {
  if (excluded == nullptr && node == scratch_.tallied_node) return scratch_.tallied_size;
  std::fill(scratch_.totals.begin(), scratch_.totals.end(), 0);
  std::fill(scratch_.coded_counts.begin(), scratch_.coded_counts.end(), 0);
  const int n = n_classes_;
  const int stride = MAX_CODES * n;
  const std::size_t width = record_bytes();
  const unsigned char* record = reinterpret_cast<const unsigned char*>(records_.data()) +
                                static_cast<std::size_t>(begin_[node]) * width;
  int m = 0;
  for (int i = begin_[node]; i < end_[node]; ++i, record += width) {
    if (excluded != nullptr && excluded[case_list_[i]] != 0) continue;
    ++scratch_.totals[record[0]];
    ++m;
    int* counts = scratch_.coded_counts.data() + record[0];
    for (int column = 0; column < n_coded_; ++column, counts += stride) {
      ++counts[record[1 + column] * n];
    }
  }
  scratch_.tallied_node = excluded == nullptr ? node : -1;
  scratch_.tallied_size = m;
  return m;
}

// The class counts of each code of a covariate's coded column ([code][class]), from the last tally.
const int* SplitSearch::coded_counts(const CovariateView& view) const {
  const std::size_t first = static_cast<std::size_t>(view.coded) * MAX_CODES * n_classes_;
  const int* counts = &scratch_.coded_counts[first];
  if (!view.missing_last) return counts;
  // The source's lowest code is the copy's highest.
  const int cells = view.n_codes * n_classes_;
  std::rotate_copy(counts, counts + n_classes_, counts + cells, scratch_.view_counts.begin());
  return scratch_.view_counts.data();
}

// The boundaries of a coded ordinal column lie between codes present in the node, in value order;
// each is evaluated exactly, as when sorting the node's values.
double SplitSearch::best_coded_cut(const CovariateView& view, const int* code_counts, int m,
                                   double& cut) const {
  std::fill(scratch_.left.begin(), scratch_.left.end(), 0);
  std::copy(scratch_.totals.begin(), scratch_.totals.end(), scratch_.right.begin());
  double best = n_classes_;
  int best_code = -1;
  int first_code = -1;
  int previous_code = -1;
  int n_left = 0;
  // Once the right side is down to the minimum size, no later boundary is admissible.
  for (int code = 0; code < view.n_codes && n_left < m - min_daughter_size_; ++code) {
    const int* counts = code_counts + code * n_classes_;
    const int size = std::accumulate(counts, counts + n_classes_, 0);
    if (size == 0) continue;
    if (first_code < 0) first_code = code;
    if (n_left > min_daughter_size_) {
      const double imp = impurity(scratch_.left.data(), n_left, scratch_.right.data(), m - n_left,
                                  m, n_classes_, rule_);
      if (imp < best) {
        best = imp;
        best_code = previous_code;
      }
    }
    for (int k = 0; k < n_classes_; ++k) {
      scratch_.left[k] += counts[k];
      scratch_.right[k] -= counts[k];
    }
    n_left += size;
    previous_code = code;
  }
  cut = view.values[best_code >= 0 ? best_code : first_code];
  return best;
}

}  // namespace bramble
