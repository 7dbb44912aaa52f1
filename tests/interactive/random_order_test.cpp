#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "interactive/random_order.h"
#include "numeric/random.h"

namespace bramble {
namespace {

std::vector<int> order_from_seed_seven(int n) {
  RandomStream random(7);
  return random_order(random, n);
}

// The pool drawn from directly: the j-th remaining entry is taken out and the rest close up.
std::vector<int> order_by_shifting_pool(int n) {
  RandomStream random(7);
  std::vector<int> pool(n);
  std::iota(pool.begin(), pool.end(), 0);
  std::vector<int> order;
  for (int i = 0; i < n; ++i) {
    int j = static_cast<int>(random.next() * (n - i));
    if (j >= n - i) j = n - i - 1;
    order.push_back(pool[j]);
    pool.erase(pool.begin() + j);
  }
  return order;
}

TEST(RandomOrder, FirstOrderOfTwentyFromSeedSeven) {
  EXPECT_EQ(order_from_seed_seven(20),
            (std::vector<int>{17, 2, 6, 16, 5, 4, 19, 18, 14, 9, 12, 7, 15, 10, 11, 1, 8, 13, 0, 3}));
}

TEST(RandomOrder, EqualsDrawingFromAShiftingPool) {
  for (const int n : {0, 1, 2, 3, 97, 511, 512, 513, 1000, 4099, 20000}) {
    EXPECT_EQ(order_from_seed_seven(n), order_by_shifting_pool(n)) << "n = " << n;
  }
}

TEST(RandomOrder, IsAPermutationForALargeNode) {
  std::vector<int> order = order_from_seed_seven(1000000);
  std::sort(order.begin(), order.end());
  for (int i = 0; i < 1000000; ++i) ASSERT_EQ(order[i], i);
}

}  // namespace
}  // namespace bramble
