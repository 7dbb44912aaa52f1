// Zero-filled vectors and matrices that never return failure: an exhausted heap ends the program
// through fatal_error with the allocator's own message.
#pragma once

#include <vector>

namespace bramble {

std::vector<double> dvector(long n);
std::vector<int> ivector(long n);
std::vector<std::vector<int>> imatrix(long rows, long cols);

}  // namespace bramble
