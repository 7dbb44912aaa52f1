// Ordering routines shared by the recoding and the split search.
#pragma once

#include <vector>

namespace bramble {

// Heapsort of ra[1..n] ascending, applying the same moves to rb[1..n]. Not stable: the exact step
// order decides how equal keys leave their companions, which decides which rare categories merge.
void sort_with_companion(int n, double* ra, int* rb);

// Runs of equal neighbours in the ascending a[0..n-1] (n >= 1): entry k of the result is the
// 1-based position of the last element of run k; m receives the number of runs.
std::vector<int> count_runs(const double* a, int n, int& m);

}  // namespace bramble
