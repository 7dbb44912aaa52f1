// The heapsort whose tie order decides which rare categories the recoding merges.
#pragma once

namespace bramble {

// Heapsort of ra[1..n] ascending, applying the same moves to rb[1..n]. Not stable: the exact step
// order decides how equal keys leave their companions, which decides which rare categories merge.
void sort_with_companion(int n, double* ra, int* rb);

}  // namespace bramble
