// Random case orders for the cross-validation.
#pragma once

#include <vector>

#include "numeric/random.h"

namespace bramble {

// A random permutation of 0..n-1, drawn from random.
std::vector<int> random_order(RandomStream& random, int n);

}  // namespace bramble
