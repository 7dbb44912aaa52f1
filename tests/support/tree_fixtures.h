// Data sets built in memory for the tree tests.
#pragma once

#include <vector>

#include "data/dataset.h"
#include "tree/daughter_counts.h"

namespace bramble_test {

// Covariate rows X[var][case] with their var_type (1 ordinal, k >= 2 nominal with codes 0..k-1
// labelled 10, 20, ...; all ordinal when var_types is empty), no missing copies, and the classes
// of the cases.
bramble::Dataset make_dataset(const std::vector<std::vector<double>>& columns,
                              const std::vector<int>& classes, int n_classes,
                              const std::vector<int>& var_types = {});

// Daughter counts written as the classes from the highest down, each with its right daughter's
// count before its left one's: {right(n-1), left(n-1), ..., right(0), left(0)}.
bramble::DaughterCounts daughter_counts(const std::vector<int>& entries);
std::vector<int> entries_of(const bramble::DaughterCounts& counts);

}  // namespace bramble_test
