#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "interactive/risk.h"
#include "numeric/random.h"

namespace bramble {
namespace {

// The pool drawn from directly: the j-th remaining entry is taken out and the rest close up.
std::vector<int> order_by_shifting_pool(int& seed, int n) {
  std::vector<int> pool(n);
  std::iota(pool.begin(), pool.end(), 0);
  std::vector<int> order;
  for (int i = 0; i < n; ++i) {
    int j = static_cast<int>(ran1(seed) * (n - i));
    if (j >= n - i) j = n - i - 1;
    order.push_back(pool[j]);
    pool.erase(pool.begin() + j);
  }
  return order;
}

TEST(RandomOrder, FirstOrderOfTwentyFromSeedSeven) {
  ran1_forget_seed();
  int seed = 7;
  EXPECT_EQ(random_order(seed, 20),
            (std::vector<int>{17, 2, 6, 16, 5, 4, 19, 18, 14, 9, 12, 7, 15, 10, 11, 1, 8, 13, 0, 3}));
}

TEST(RandomOrder, EqualsDrawingFromAShiftingPool) {
  for (const int n : {0, 1, 2, 3, 20, 97, 511, 512, 513, 1000, 4099, 20000}) {
    ran1_forget_seed();
    int seed = 7;
    const std::vector<int> expected = order_by_shifting_pool(seed, n);
    ran1_forget_seed();
    seed = 7;
    EXPECT_EQ(random_order(seed, n), expected) << "n = " << n;
  }
}

TEST(RandomOrder, IsAPermutationForALargeNode) {
  ran1_forget_seed();
  int seed = 7;
  std::vector<int> order = random_order(seed, 1000000);
  std::sort(order.begin(), order.end());
  std::vector<int> identity(1000000);
  std::iota(identity.begin(), identity.end(), 0);
  EXPECT_EQ(order, identity);
}

}  // namespace
}  // namespace bramble
