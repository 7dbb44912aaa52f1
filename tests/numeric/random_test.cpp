#include "numeric/random.h"

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(Ran1, SeedSevenGivesTheKnownSequenceAndSetsTheSeedToOne) {
  ran1_forget_seed();
  int seed = 7;
  EXPECT_NEAR(ran1(seed), 0.8775373347, 5e-11);
  EXPECT_EQ(seed, 1);
  // A seed of 1 does not seed again: the sequence goes on.
  EXPECT_NEAR(ran1(seed), 0.1562495629, 5e-11);
  EXPECT_NEAR(ran1(seed), 0.3018878225, 5e-11);
}

TEST(Ran1, ANegativeSeedRestartsItsSequence) {
  ran1_forget_seed();
  int seed = -5;
  const double first = ran1(seed);
  const double second = ran1(seed);
  EXPECT_EQ(seed, 1);
  for (int i = 0; i < 50; ++i) ran1(seed);
  seed = -5;
  EXPECT_EQ(ran1(seed), first);
  EXPECT_EQ(ran1(seed), second);
  // The most negative int cannot be negated; it still seeds.
  seed = -2147483647 - 1;
  const double extreme = ran1(seed);
  EXPECT_GE(extreme, 0.0);
  EXPECT_LT(extreme, 1.0);
}

}  // namespace
}  // namespace bramble
