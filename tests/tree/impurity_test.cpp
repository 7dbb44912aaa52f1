#include "tree/impurity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/tree_fixtures.h"
#include "tree/node_table.h"

namespace bramble {
namespace {

using bramble_test::make_dataset;

TEST(Impurity, WeighsTheDaughtersBySize) {
  const int left[] = {2, 0};
  const int right[] = {1, 3};
  EXPECT_NEAR(impurity(left, 2, right, 4, 6, 2, SplittingRule::entropy), 0.37489, 5e-6);
  EXPECT_DOUBLE_EQ(impurity(left, 2, right, 4, 6, 2, SplittingRule::gini), 0.25);
}

TEST(Impurity, EmptyClassesAndEmptyDaughtersAddNothing) {
  const int empty[] = {0, 0};
  const int even[] = {2, 2};
  EXPECT_DOUBLE_EQ(impurity(empty, 0, even, 4, 4, 2, SplittingRule::entropy), std::log(2.0));
  EXPECT_DOUBLE_EQ(impurity(empty, 0, even, 4, 4, 2, SplittingRule::gini), 0.5);
  const int pure_left[] = {3, 0};
  const int pure_right[] = {0, 5};
  EXPECT_EQ(impurity(pure_left, 3, pure_right, 5, 8, 2, SplittingRule::entropy), 0.0);
}

TEST(IsSplittable, NeedsTwoClassesAndAVaryingCovariate) {
  const Dataset data = make_dataset({{1, 1, 1, 1}, {5, 5, 6, 5}}, {0, 1, 0, 0}, 2);
  const int all[] = {0, 1, 2, 3};
  EXPECT_TRUE(is_splittable(data, all, 4));
  const int one[] = {1};
  EXPECT_FALSE(is_splittable(data, one, 1));
  const int pure[] = {0, 2, 3};
  EXPECT_FALSE(is_splittable(data, pure, 3));
  const int constant[] = {0, 1, 3};  // both covariates constant, classes mixed
  EXPECT_FALSE(is_splittable(data, constant, 3));
  const int two[] = {1, 2};
  EXPECT_TRUE(is_splittable(data, two, 2));
}

// Categories 0, 2 and 3 of four (code 1 absent), two cases each.
Dataset nominal_data(const std::vector<int>& classes) {
  return make_dataset({{0, 0, 2, 2, 3, 3}}, classes, 2, {4});
}

TEST(BestNominalSplit, StepNumbersFollowTheGrayCodeOfThePresentCategories) {
  const int all[] = {0, 1, 2, 3, 4, 5};
  double code = 0.0;
  // Step 1 sends {P0} right, step 2 {P0, P1}, step 3 {P1}; P2 (category 3) always stays left.
  EXPECT_EQ(best_nominal_split(nominal_data({1, 1, 0, 0, 0, 0}), 0, all, 6, code, SplittingRule::entropy),
            0.0);
  EXPECT_EQ(code, 1.0);
  EXPECT_EQ(best_nominal_split(nominal_data({1, 1, 1, 1, 0, 0}), 0, all, 6, code, SplittingRule::entropy),
            0.0);
  EXPECT_EQ(code, 2.0);
  EXPECT_EQ(best_nominal_split(nominal_data({0, 0, 1, 1, 0, 0}), 0, all, 6, code, SplittingRule::entropy),
            0.0);
  EXPECT_EQ(code, 3.0);
}

TEST(BestNominalSplit, EarliestStepWinsATie) {
  // {P0} right and {P1} right score the same; {P0, P1} right scores worse.
  const Dataset data = make_dataset({{0, 1, 2, 2}}, {0, 1, 0, 1}, 2, {3});
  const int all[] = {0, 1, 2, 3};
  const int left[] = {1, 2};
  const int right[] = {1, 0};
  double code = 0.0;
  const double best = best_nominal_split(data, 0, all, 4, code, SplittingRule::entropy);
  EXPECT_EQ(best, impurity(left, 3, right, 1, 4, 2, SplittingRule::entropy));
  EXPECT_EQ(code, 1.0);
}

TEST(BestNominalSplit, OneCategoryOrNoAdmissibleGrouping) {
  const Dataset data = nominal_data({0, 1, 0, 1, 0, 1});
  const int same_category[] = {2, 3};
  double code = 42.0;
  EXPECT_EQ(best_nominal_split(data, 0, same_category, 2, code, SplittingRule::entropy), 2.0);
  EXPECT_EQ(code, 42.0);

  // 300 cases: every daughter needs more than 3. Category 1 holds only 3 cases.
  std::vector<double> categories(300, 0.0);
  std::vector<int> classes(300, 0);
  for (int c = 0; c < 3; ++c) {
    categories[c] = 1;
    classes[c] = 1;
  }
  const Dataset large = make_dataset({categories}, classes, 2, {2});
  std::vector<int> all(300);
  for (int c = 0; c < 300; ++c) all[c] = c;
  EXPECT_EQ(best_nominal_split(large, 0, all.data(), 300, code, SplittingRule::entropy), 2.0);
  EXPECT_EQ(code, 1.0);
}

}  // namespace
}  // namespace bramble
