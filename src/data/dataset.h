// The data set of a run: read once, recoded once, then only read.
#pragma once

#include <algorithm>
#include <vector>

namespace bramble {

// The split statistic and the critical-value table stop at 10 classes (9 degrees of freedom).
constexpr int MAX_CLASSES = 10;

// A nominal covariate keeps at most 10 categories; the rarest are merged into one labelled
// MERGED_LABEL, and the missing category is then labelled MISSING_LABEL.
constexpr int MAX_CATEGORIES = 10;
constexpr int MERGED_LABEL = 999;
constexpr int MISSING_LABEL = -9;

// What the reader knew of a covariate of the file, kept for descriptions of the run (the page and
// the saved model); the recoded values no longer tell it.
struct CovariateOrigin {
  int column = 0;            // 1-based column of the data file, r and d columns counted
  int missing = 0;           // cases whose value is missing
  double min = 0.0;          // ordinal: the smallest and largest present value
  double max = 0.0;
  std::vector<int> merged;   // nominal: the labels merged into MERGED_LABEL, ascending
};

struct Dataset {
  int n_cases = 0;
  int n_covariates = 0;  // covariates read from the file plus their missing copies
  int n_classes = 0;     // 2 to MAX_CLASSES

  // X[var][case]. A nominal covariate holds codes 0..k-1 in ascending value order, the missing
  // category last; an ordinal covariate holds its missing cases below its smallest value, and its
  // missing copy (a later row, possibly left unfilled: see unfilled_copies) holds them above its
  // largest value.
  std::vector<std::vector<double>> X;
  std::vector<int> y;  // class 0..n_classes-1 of each case

  std::vector<int> var_type;    // 1 ordinal; k >= 2 nominal with k categories
  std::vector<int> source_var;  // source_var[v] < v exactly for the missing copies
  std::vector<std::vector<int>> ori_catg;  // labels of a nominal covariate's codes

  int n_columns = 0;        // columns of the data file, r and d included
  int lowest_response = 0;  // the response value of class 0; class k is lowest_response + k
  std::vector<CovariateOrigin> origins;  // one per covariate of the file, copies excluded

  // A missing copy whose row recoding leaves empty, as its values follow from its source's: where
  // the source holds below (its missing cases, under every other value) the copy holds above
  // (over every other value), elsewhere the source's value. Its source has missing cases. The
  // split search reads such a copy through its source; fill_missing_copies makes the rows for
  // the readers of X and empties this list.
  struct UnfilledCopy {
    int var;
    double below;
    double above;
  };
  std::vector<UnfilledCopy> unfilled_copies;

  bool is_nominal(int var) const { return var_type[var] >= 2; }
  bool is_missing_copy(int var) const { return source_var[var] < var; }
  const UnfilledCopy* unfilled_copy(int var) const {
    const auto found = std::find_if(unfilled_copies.begin(), unfilled_copies.end(),
                                    [var](const UnfilledCopy& copy) { return copy.var == var; });
    return found != unfilled_copies.end() ? &*found : nullptr;
  }
  // Every daughter of an admissible split holds more cases than this.
  int min_daughter_size() const { return n_cases / 100; }
};

}  // namespace bramble
