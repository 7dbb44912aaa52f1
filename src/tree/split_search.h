// Split search without sorting at every node. Every covariate is prepared once: one with few
// distinct values (every nominal covariate, and an ordinal one with at most MAX_CODES values)
// becomes a code byte per case, the codes of a case kept together with its class in one record;
// any other ordinal covariate is sorted once. A missing copy needs no column of its own: it is
// searched through its source's. The cases of each node stay one contiguous segment of the case
// list and of the records (in case order) and of every sorted column (in value order), so a node
// is searched by sequential passes over its segments: one tally of the records for all coded
// covariates, one walk per sorted column. Results and tie-breaks equal those of sorting the
// node's values afresh.
#pragma once

#include <cstdint>
#include <vector>

#include "data/dataset.h"
#include "tree/column_order.h"
#include "tree/node_table.h"
#include "tree/splitting_rule.h"

namespace bramble {

// Whether a split writes the node of each of its cases in the table's case_node at once, or
// leaves that to record_case_nodes once the growth is over (cheaper: deep in the tree a node's
// cases lie far apart).
enum class CaseNodes { recorded, deferred };

class SplitSearch {
 public:
  // Whether the entries of a sorted column carry their case's class, which saves the search a
  // random read per entry: they do when a case index leaves room for it (fewer than
  // 2^(31 - bits of a class) cases). never serves to test the other way.
  enum class ClassPacking { when_it_fits, never };

  // Every case starts in the root, node 0.
  SplitSearch(const Dataset& data, SplittingRule rule,
              ClassPacking packing = ClassPacking::when_it_fits);

  // The same, for an automatic growth: the columns of data that the search codes (every coded
  // covariate and the missing copies seen through one) are freed once coded, before the search's
  // own arrays are made, as growth reads them no more. The controlled dialogue reads every column
  // and keeps them.
  struct FreeCodedColumns {};
  SplitSearch(Dataset& data, SplittingRule rule, FreeCodedColumns);

  // The cases of node in increasing case order, and their number.
  const int* cases(int node) const;
  int size(int node) const;

  // Whether the cases of node, which has room for a split, are of more than one class and some
  // covariate takes two values among them; read from the search's columns, never from data.
  bool varies(int node) const;

  // Best cut-off of ordinal covariate var among the cases of node whose excluded flag (a per-case
  // array, or nullptr for none) is 0. cut receives the largest value going left, or the smallest
  // value considered when no boundary is admissible; the lowest cut-off wins ties. Returns
  // n_classes when no boundary is admissible (cut untouched when every case is excluded).
  double best_ordinal_split(int var, int node, const unsigned char* excluded, double& cut) const;

  // Best split of covariate var over all cases of node, ordinal or nominal by its var_type.
  double best_split(int var, int node, double& cut) const;

  // Once partition_node has sent the cases of node to left and left + 1 in case_node, gives each
  // daughter its own contiguous segments (order within each kept).
  void split(int node, int left, const std::vector<int>& case_node);

  // partition_node and split in one: sends the cases of node to the daughter slots node_count
  // and node_count + 1 by covariate var and the node's cut_off (code: the subset code of a
  // nominal split, else 0), with the same case_node, daughter_counts and decimal category code,
  // and splits the segments. The sides come from the node's segments rather than from reads of
  // X and y scattered over the cases.
  void split_by(NodeTable& table, int node, int var, int code,
                CaseNodes cases = CaseNodes::recorded);

  // Writes in case_node the terminal node (no left child) of every case.
  void record_case_nodes(NodeTable& table) const;

  SplittingRule rule() const { return rule_; }

  // The work of the walks of sorted columns so far, in blocks of entries and boundaries: a bound
  // grown looser shows here, exactly, before it shows in the timings.
  struct WalkWork {
    long long blocks_walked = 0;     // walked entry by entry
    long long blocks_bounded = 0;    // given a floor from their corners' scores
    long long exact_impurities = 0;  // boundaries whose impurity was evaluated exactly
    bool operator==(const WalkWork& other) const {
      return blocks_walked == other.blocks_walked && blocks_bounded == other.blocks_bounded &&
             exact_impurities == other.exact_impurities;
    }
  };
  WalkWork walk_work() const { return scratch_.work; }

  // How many near ties of a walk are kept in memory (MAX_CANDIDATES unless set); beyond that the
  // segment is walked a second time. A small capacity serves to test the second walk.
  void set_near_tie_capacity(std::size_t capacity) { near_tie_capacity_ = capacity; }

 private:
  // A boundary whose score came close to the least score met, kept for the exact evaluation.
  struct Candidate {
    double score;
    int n_left;
    int last_left_case;
  };

  // How a covariate is searched: through a coded column (every nominal one) or a sorted column.
  struct CovariateView {
    int coded = -1;   // its coded column (in the records), or -1
    int sorted = -1;  // its column of sorted_, or -1
    int n_codes = 0;  // nominal: the category is the code
    std::vector<double> values;  // coded ordinal: the value of each code, ascending
    // A missing copy seen through its source's column: the source's lowest value (its missing
    // cases, holding missing_value) is the copy's highest.
    bool missing_last = false;
    double missing_value = 0.0;
    // A missing copy left unfilled: its values are read from its source's row, with copy_value
    // for the cases holding missing_value.
    bool unfilled = false;
    double copy_value = 0.0;
  };

  // The values of a covariate by case: its own row, or for a missing copy left unfilled its
  // source's row with copy_value for missing_value (NaN otherwise, which equals no value).
  struct CaseValues {
    const double* values;
    double missing_value;
    double copy_value;
    double operator[](int c) const { return values[c] == missing_value ? copy_value : values[c]; }
  };

  // A node's segment of a sorted column in the order a covariate sees it: from missing_run to the
  // end, then the first missing_run entries.
  struct SortedSegment {
    const ColumnEntry* entries;
    int count;
    int missing_run;
  };

  // Near ties of a sorted column kept in memory; beyond that the segment is walked a second time.
  static constexpr std::size_t MAX_CANDIDATES = 64;

  SplitSearch(const Dataset& data, SplittingRule rule, ClassPacking packing, Dataset* freeable);
  EntryBody entry_body(ClassPacking packing) const;
  bool column_varies(int var, int node) const;
  // The codes of the coded columns, and the covariates to sort, in order of their sorted_ index.
  struct PreparedColumns {
    std::vector<std::vector<std::uint8_t>> coded;
    std::vector<int> to_sort;
  };
  PreparedColumns prepare_columns(Dataset* freeable);
  void prepare_column(int var, PreparedColumns& prepared);
  void sort_columns(const std::vector<int>& to_sort);
  void build_records(const std::vector<std::vector<std::uint8_t>>& coded);
  bool view_through_source(int var);
  std::size_t record_bytes() const { return static_cast<std::size_t>(record_words_) * 8; }
  unsigned char record_byte(int position, int byte) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(records_.data());
    return bytes[position * record_bytes() + byte];
  }
  int tally(int node, const unsigned char* excluded) const;
  CaseValues case_values(int var) const;
  double smallest_value(const CaseValues& values, int node, const unsigned char* excluded) const;
  const int* coded_counts(const CovariateView& view) const;
  double best_coded_cut(const CovariateView& view, const int* code_counts, int m,
                        double& cut) const;
  SortedSegment sorted_segment(int var, int node) const;
  double best_sorted_cut(int var, int node, const unsigned char* excluded, int m,
                         double& cut) const;
  double exact_impurity(const int* left, int n_left, int m) const;
  template <typename Score>
  double best_boundary(const Score& score_of, const SortedSegment& segment,
                       const unsigned char* excluded, int m, int& best_case) const;
  template <typename Score, typename Walk, typename Visit>
  void walk_in_blocks(const Score& score_of, Walk& walk, int m, double window, double& least,
                      Visit& visit) const;
  template <typename Walk, typename Visit>
  void walk_near_blocks(Walk& walk, int m, double window, const double& least,
                        Visit& visit) const;
  template <typename Score>
  double least_corner_score(const Score& score_of, const int* start, const int* end, int m,
                            double start_score, double end_score) const;
  bool keep_candidate(double score, int n_left, int last_left_case, double threshold) const;
  void sides_from_codes(NodeTable& table, int node, int var, int code);
  void sides_from_values(const NodeTable& table, int node, int var);
  void split_segments(int node, int left, int n_left);
  void partition_records(int begin, int count);
  void split_column(std::vector<ColumnEntry>& column, int begin, int end);
  void set_goes_right(int c, unsigned char right) {
    std::uint64_t& word = goes_right_[static_cast<std::size_t>(c) / 64];
    word = (word & ~(std::uint64_t{1} << (c % 64))) | std::uint64_t{right} << (c % 64);
  }
  unsigned goes_right(int c) const {
    return static_cast<unsigned>(goes_right_[static_cast<std::size_t>(c) / 64] >> (c % 64) & 1u);
  }

  const Dataset& data_;
  SplittingRule rule_;
  int n_classes_;
  int min_daughter_size_;
  std::vector<CovariateView> views_;                // per covariate
  std::vector<std::vector<ColumnEntry>> sorted_;    // sorted columns
  std::vector<int> case_list_;
  // A record per case, in segment order: its class and its code in every coded column, so that
  // a split moves them together and a node is tallied in one pass.
  int n_coded_ = 0;
  int record_words_ = 1;
  std::vector<std::uint64_t> records_;  // record_words_ words per case
  std::vector<int> begin_;  // per node: its segment [begin, end) of every array above
  std::vector<int> end_;
  std::vector<unsigned char> class_of_;  // y, one byte per case
  EntryBody entry_body_;
  std::vector<double> xlogx_;            // k ln k for k = 0 .. n_cases (entropy rule only)

  // Work space, reused so that searches and splits allocate nothing in proportion to the cases.
  // A bit per case, during a split: small enough to stay in cache while the sorted columns,
  // in value order, look up their cases at random.
  std::vector<std::uint64_t> goes_right_;
  std::vector<unsigned char> side_;           // per segment position, during a split
  std::vector<ColumnEntry> right_scratch_;    // the right daughter's entries, during a split
  std::vector<std::uint64_t> record_scratch_;
  std::size_t near_tie_capacity_ = MAX_CANDIDATES;

  // The work space of the searches, which change nothing else.
  struct SearchScratch {
    std::vector<int> totals;        // class counts of the cases considered
    std::vector<int> left;
    std::vector<int> right;
    std::vector<int> coded_counts;  // [coded column][code][class], from tally
    int tallied_node = -1;          // the node the tally holds all cases of, or -1
    int tallied_size = 0;
    std::vector<int> view_counts;   // [code][class] of a missing copy
    std::vector<Candidate> candidates;
    std::vector<int> candidate_counts;  // left class counts of each candidate
    std::vector<int> block_counts;      // left class counts at each block start
    std::vector<double> block_floors;   // a lower bound of the scores in each block
    WalkWork work;
  };
  mutable SearchScratch scratch_;
};

}  // namespace bramble
