// Covariate recoding: nominal values to category codes (rare categories merged into 999) and
// missing copies of ordinal covariates; writes one line per covariate to the report.
#pragma once

#include <cstdio>
#include <vector>

#include "data/dataset.h"

namespace bramble {

void recode_covariates(Dataset& data, bool has_missing, double missing_code, FILE* report);

}  // namespace bramble
