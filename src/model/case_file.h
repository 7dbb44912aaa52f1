// Reading the cases to classify: a data file of the usual format whose o and n columns match the
// model's covariates.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "model/model.h"

namespace bramble {

struct CaseTable {
  std::size_t n_cases = 0;
  std::size_t n_covariates = 0;  // the o and n columns: the model's covariates but its copies
  bool has_response = false;
  std::vector<double> values;  // case by case, n_covariates each; MISSING_VALUE where missing
  std::vector<int> responses;  // each case's response, when the file has an r column

  const double* case_values(std::size_t index) const {
    return values.data() + index * n_covariates;
  }
};

// Reads the data file: header letters r, o, n, d (at most one r, none needed), then records of
// blank-separated tokens, NA or . for a missing value. Its o and n columns must be the model's
// covariates other than missing copies, in number, kind and order; d columns are skipped. Returns
// false with error saying what is wrong (what differs from the model, or the record, column and
// value that cannot be used).
bool read_case_file(FILE* file, const Model& model, CaseTable& cases, std::string& error);

}  // namespace bramble
