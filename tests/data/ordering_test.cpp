#include "data/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace bramble {
namespace {

struct Sorted {
  std::vector<double> keys;
  std::vector<int> companions;
};

// Sorts 1-based copies of keys and companions and returns them 0-based.
Sorted heapsort(std::vector<double> keys, std::vector<int> companions) {
  keys.insert(keys.begin(), -1.0);
  companions.insert(companions.begin(), -1);
  sort_with_companion(static_cast<int>(keys.size()) - 1, keys.data(), companions.data());
  EXPECT_EQ(keys[0], -1.0) << "element 0 is not part of the array";
  return {std::vector<double>(keys.begin() + 1, keys.end()),
          std::vector<int>(companions.begin() + 1, companions.end())};
}

TEST(SortWithCompanion, EqualKeysLeaveTheirCompanionsInHeapOrder) {
  const Sorted three = heapsort({1.0, 1.0, 0.5}, {1, 2, 3});
  EXPECT_EQ(three.keys, (std::vector<double>{0.5, 1.0, 1.0}));
  EXPECT_EQ(three.companions, (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(heapsort({5, 5}, {1, 2}).companions, (std::vector<int>{2, 1}));
  EXPECT_EQ(heapsort({0, 1, 1}, {1, 2, 3}).companions, (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(heapsort({7}, {1}).companions, (std::vector<int>{1}));
}

TEST(SortWithCompanion, SortsLongerArraysKeepingEveryPair) {
  std::vector<double> keys;
  std::vector<int> companions;
  for (int i = 0; i < 101; ++i) {
    keys.push_back((i * 37) % 23 - 11.5);
    companions.push_back(i);
  }
  const Sorted sorted = heapsort(keys, companions);
  EXPECT_TRUE(std::is_sorted(sorted.keys.begin(), sorted.keys.end()));
  std::vector<int> seen = sorted.companions;
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, companions);
  for (std::size_t i = 0; i < sorted.keys.size(); ++i) {
    EXPECT_EQ(sorted.keys[i], keys[sorted.companions[i]]);
  }
}

}  // namespace
}  // namespace bramble
