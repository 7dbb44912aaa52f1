#include "numeric/random.h"

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(RandomStream, SeedSevenGivesTheKnownSequence) {
  RandomStream random(7);
  EXPECT_NEAR(random.next(), 0.8775373347, 5e-11);
  EXPECT_NEAR(random.next(), 0.1562495629, 5e-11);
  EXPECT_NEAR(random.next(), 0.3018878225, 5e-11);
}

TEST(RandomStream, StreamsOfOneSeedAgree) {
  for (const int seed : {7, -5, -2147483647 - 1}) {
    RandomStream first(seed);
    for (int i = 0; i < 50; ++i) first.next();
    RandomStream second(seed);
    for (int i = 0; i < 50; ++i) second.next();
    for (int i = 0; i < 100; ++i) {
      const double deviate = first.next();
      EXPECT_EQ(second.next(), deviate) << "seed " << seed;
      EXPECT_GE(deviate, 0.0);
      EXPECT_LT(deviate, 1.0);
    }
  }
}

}  // namespace
}  // namespace bramble
