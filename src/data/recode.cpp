#include "data/recode.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>
#include <cmath>
#include <new>
#include <string>

#include "data/category_codes.h"
#include "data/ordering.h"
#include "io/fatal.h"
#include "numeric/arrays.h"

namespace bramble {

namespace {

// Smallest and largest present value of a row, and whether it holds the missing code. A missing
// value is replaced by the first present one, which leaves the extremes as they are, so the loop
// has no branch. Not inlined: inside the recoding loop the compiler keeps the extremes in memory,
// which makes every value wait for the store of the one before.
[[gnu::noinline]] ColumnRange column_min_max(const std::vector<double>& row, bool has_missing,
                                              double missing_code) {
  const double first_present = *std::find_if(
      row.begin(), row.end(), [&](double value) { return !has_missing || value != missing_code; });
  const double missing = has_missing ? missing_code : std::numeric_limits<double>::quiet_NaN();
  double min = first_present;
  double max = first_present;
  bool holds_missing = false;
  for (const double value : row) {
    holds_missing = holds_missing || value == missing;
    const double present = value == missing ? first_present : value;
    min = std::min(min, present);
    max = std::max(max, present);
  }
  return {min, max, holds_missing};
}

std::string shortest_text(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

[[noreturn]] void stop_recoding(FILE* report, const std::string& message) {
  std::fflush(report);  // the lines written so far stay in the report
  stop_with_message(message, STATUS_DATA_ERROR);
}

// Categories are whole numbers: values sharing an integer part of their distance from the least
// value collide, and any other fraction is refused as well.
void check_whole_categories(const std::vector<double>& present, double min, bool missing_category,
                            int var, FILE* report) {
  int integer_parts = 0;
  for (std::size_t i = 0; i < present.size(); ++i) {
    if (i == 0 || std::floor(present[i] - min) != std::floor(present[i - 1] - min)) ++integer_parts;
  }
  const int n_categories = static_cast<int>(present.size()) + missing_category;
  const int expected = integer_parts + missing_category;
  if (n_categories != expected) {
    char message[96];
    std::snprintf(message, sizeof message, "%d is not equal to %d for variable %d\n", n_categories,
                  expected, var + 1);
    stop_recoding(report, message);
  }
  const auto fraction = std::find_if(present.begin(), present.end(),
                                     [](double value) { return value != std::floor(value); });
  if (fraction != present.end()) {
    stop_recoding(report, "Variable " + std::to_string(var + 1) +
                              " is nominal but holds the value " + shortest_text(*fraction) +
                              "; nominal values must be whole numbers.\n");
  }
}

// The label of the missing category: the missing code, when it fits an int.
int missing_label(double missing_code) {
  return missing_code >= INT_MIN ? static_cast<int>(missing_code) : MISSING_LABEL;
}

// Codes the rarest categories to merge, ascending. The heapsort's order of equal counts decides
// which of several equally rare categories go; the codes chosen are distinct, so any sort puts
// them in the same order.
std::vector<int> rarest_codes(const std::vector<int>& counts, int n_candidates, int n_merged) {
  std::vector<double> count_keys = dvector(n_candidates + 1);
  std::vector<int> codes = ivector(n_candidates + 1);
  for (int q = 0; q < n_candidates; ++q) {
    count_keys[q + 1] = counts[q];
    codes[q + 1] = q;
  }
  sort_with_companion(n_candidates, count_keys.data(), codes.data());
  std::vector<int> merged(codes.begin() + 1, codes.begin() + 1 + n_merged);
  std::sort(merged.begin(), merged.end());
  return merged;
}

// Keeps MAX_CATEGORIES categories: the rarest non-missing ones become MERGED_LABEL, placed after
// the kept ones and before the missing category (which is never merged and is then labelled
// MISSING_LABEL).
void merge_rare_categories(std::vector<double>& row, std::vector<int>& labels,
                           const std::vector<int>& counts, bool missing_category,
                           std::vector<int>& merged_labels, FILE* report) {
  const int k = static_cast<int>(labels.size());
  const int n_candidates = missing_category ? k - 1 : k;
  const std::vector<int> merged = rarest_codes(counts, n_candidates, k - (MAX_CATEGORIES - 1));

  std::fprintf(report, "***Put catgories");
  for (auto code = merged.rbegin(); code != merged.rend(); ++code) {
    std::fprintf(report, "(%d) ", labels[*code]);
  }
  std::fprintf(report, "as category 999\n");

  std::vector<bool> is_merged(k, false);
  for (int code : merged) is_merged[code] = true;
  const int merged_code = missing_category ? MAX_CATEGORIES - 2 : MAX_CATEGORIES - 1;
  std::vector<int> new_code(k);
  std::vector<int> new_labels;
  for (int q = 0; q < n_candidates; ++q) {
    if (is_merged[q]) {
      new_code[q] = merged_code;
      merged_labels.push_back(labels[q]);
    } else {
      new_code[q] = static_cast<int>(new_labels.size());
      new_labels.push_back(labels[q]);
    }
  }
  new_labels.push_back(MERGED_LABEL);
  if (missing_category) {
    new_code[k - 1] = MAX_CATEGORIES - 1;
    new_labels.push_back(MISSING_LABEL);
  }
  for (double& value : row) value = new_code[static_cast<int>(value)];
  labels = std::move(new_labels);
}

// Nominal values become codes 0..k-1 in ascending value order, the missing category last.
void recode_nominal(Dataset& data, int var, const ColumnRange& range, double missing_code,
                    FILE* report) {
  std::vector<double>& row = data.X[var];
  const bool missing_category = range.holds_missing;
  const CategoryCodes categories(row, range, missing_code);
  const std::vector<double>& present = categories.present();
  std::fprintf(report, "%d: ", var + 1);
  check_whole_categories(present, range.min, missing_category, var, report);

  std::vector<int> labels;
  for (double value : present) labels.push_back(static_cast<int>(value));
  if (missing_category) labels.push_back(missing_label(missing_code));
  const int k = static_cast<int>(labels.size());

  std::vector<int> counts = ivector(k);
  for (double& value : row) {
    const int code = categories.code(value);
    value = code;
    ++counts[code];
  }
  for (int q = 0; q < k; ++q) std::fprintf(report, "%d(%d) ", counts[q], labels[q]);
  std::fprintf(report, "\n");

  if (k > MAX_CATEGORIES) {
    merge_rare_categories(row, labels, counts, missing_category, data.origins[var].merged, report);
  }
  data.var_type[var] = static_cast<int>(labels.size());
  data.ori_catg[var] = std::move(labels);
}

// An ordinal covariate with missing values keeps them below its least value and gets a missing
// copy holding them above its largest value; the copy's row is left to fill_missing_copies. Values
// lie below 2^53 in magnitude, so one less than the least and one more than the largest are
// values of their own.
void recode_ordinal(Dataset& data, int var, const ColumnRange& range, double missing_code,
                    FILE* report) {
  std::fprintf(report, "%d: %f %f\n", var + 1, range.min, range.max);
  data.origins[var].min = range.min;
  data.origins[var].max = range.max;
  if (!range.holds_missing) return;
  const double below = range.min - 1.0;
  for (double& value : data.X[var]) {
    if (value == missing_code) value = below;
  }
  data.unfilled_copies.push_back({static_cast<int>(data.X.size()), below, range.max + 1.0});
  data.X.emplace_back();
  data.var_type.push_back(1);
  data.source_var.push_back(var);
}

}  // namespace

void recode_covariates(Dataset& data, bool has_missing, double missing_code, FILE* report) {
  const int p = data.n_covariates;
  data.source_var = ivector(p);
  data.origins.resize(p);
  try {
    data.ori_catg.assign(p, std::vector<int>());
  } catch (const std::bad_alloc&) {
    fatal_error("error calloc ori_catg\n");
  }
  for (int var = 0; var < p; ++var) {
    const ColumnRange range = column_min_max(data.X[var], has_missing, missing_code);
    data.source_var[var] = var;
    if (data.is_nominal(var)) {
      recode_nominal(data, var, range, missing_code, report);
    } else {
      recode_ordinal(data, var, range, missing_code, report);
    }
  }
  data.n_covariates = static_cast<int>(data.X.size());
  data.ori_catg.resize(data.n_covariates);
}

void fill_missing_copies(Dataset& data) {
  for (const Dataset::UnfilledCopy& copy : data.unfilled_copies) {
    const std::vector<double>& source = data.X[data.source_var[copy.var]];
    std::vector<double> row = dvector(data.n_cases);
    for (int i = 0; i < data.n_cases; ++i) row[i] = source[i] == copy.below ? copy.above : source[i];
    data.X[copy.var] = std::move(row);
  }
  data.unfilled_copies.clear();
}

}  // namespace bramble
