#include <gtest/gtest.h>

#include <vector>

#include "interactive/control.h"

namespace bramble {
namespace {

SplitRanking empty_ranking(int n_covariates, int n_classes) {
  SplitRanking ranking(3, std::vector<double>(n_covariates, 0.0));
  ranking[0].assign(n_covariates, n_classes);
  return ranking;
}

TEST(RankSplit, KeepsAscendingImpurityWithTiesInCovariateOrder) {
  SplitRanking ranking = empty_ranking(5, 2);
  rank_split(ranking, 0.5, 0, 3.0);
  rank_split(ranking, 0.2, 1, 7.0);
  rank_split(ranking, 2.0, 2, 9.0);  // no admissible split: not ranked
  rank_split(ranking, 0.5, 3, 1.0);  // ties with covariate 0, so ranks after it
  rank_split(ranking, 0.1, 4, 2.0);
  EXPECT_EQ(ranking[0], (std::vector<double>{0.1, 0.2, 0.5, 0.5, 2.0}));
  EXPECT_EQ(ranking[1], (std::vector<double>{4, 1, 0, 3, 0}));
  EXPECT_EQ(ranking[2], (std::vector<double>{2.0, 7.0, 3.0, 1.0, 0.0}));
}

}  // namespace
}  // namespace bramble
