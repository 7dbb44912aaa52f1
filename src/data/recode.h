// Covariate recoding: nominal values to category codes (rare categories merged into 999) and
// missing copies of ordinal covariates; writes one line per covariate to the report.
#pragma once

#include <cstdio>
#include <vector>

#include "data/dataset.h"

namespace bramble {

// Every covariate holds at least one present value; missing values hold missing_code, which lies
// below every present value. Afterwards every per-covariate vector of data has n_covariates
// entries (ori_catg rows are empty except for nominal covariates), but the rows of missing copies
// are usually left unfilled (Dataset::unfilled_copies).
void recode_covariates(Dataset& data, bool has_missing, double missing_code, FILE* report);

// Makes the rows of the missing copies recoding left unfilled, for the readers of X.
void fill_missing_copies(Dataset& data);

}  // namespace bramble
