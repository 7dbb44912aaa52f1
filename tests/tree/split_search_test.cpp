#include "tree/split_search.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/reference_search.h"
#include "support/tree_fixtures.h"
#include "tree/impurity.h"

namespace bramble {
namespace {

using bramble_test::make_dataset;
using bramble_test::node_cases;

// Values 1, 1, 2, 3, 3 with classes 0, 1, 0, 1, 1.
Dataset small_ordinal() { return make_dataset({{3, 1, 2, 3, 1}}, {1, 0, 0, 1, 1}, 2); }

TEST(OrdinalSearch, ScoresEveryBoundaryAndKeepsTheLeast) {
  const Dataset data = small_ordinal();
  const int cut1_left[] = {1, 1};
  const int cut1_right[] = {1, 2};
  const int cut2_left[] = {2, 1};
  const int cut2_right[] = {0, 2};
  EXPECT_NEAR(impurity(cut1_left, 2, cut1_right, 3, 5, 2, SplittingRule::entropy), 0.65917, 5e-6);
  EXPECT_NEAR(impurity(cut2_left, 3, cut2_right, 2, 5, 2, SplittingRule::entropy), 0.38191, 5e-6);
  EXPECT_NEAR(impurity(cut1_left, 2, cut1_right, 3, 5, 2, SplittingRule::gini), 0.46667, 5e-6);

  for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
    SplitSearch search(data, rule);
    double cut = 0.0;
    EXPECT_EQ(search.best_ordinal_split(0, 0, nullptr, cut),
              impurity(cut2_left, 3, cut2_right, 2, 5, 2, rule));
    EXPECT_EQ(cut, 2.0);
  }
  SplitSearch gini(data, SplittingRule::gini);
  double cut = 0.0;
  EXPECT_NEAR(gini.best_split(0, 0, cut), 0.26667, 5e-6);
}

TEST(OrdinalSearch, LowestCutOffWinsATie) {
  // Cutting after 1 and after 3 give mirror-image tables of equal impurity.
  const Dataset data = make_dataset({{4, 3, 2, 1}}, {0, 1, 1, 0}, 2);
  for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
    SplitSearch search(data, rule);
    double cut = 0.0;
    search.best_ordinal_split(0, 0, nullptr, cut);
    EXPECT_EQ(cut, 1.0);
  }
}

TEST(OrdinalSearch, DaughtersMustExceedOnePercentOfAllCases) {
  // 250 cases: each daughter needs at least 3. The lowest values hold `low` cases of class 1.
  for (const int low : {2, 3}) {
    std::vector<double> values(250, 5.0);
    std::vector<int> classes(250, 0);
    for (int c = 0; c < low; ++c) {
      values[c] = 1.0;
      classes[c] = 1;
    }
    const Dataset data = make_dataset({values}, classes, 2);
    SplitSearch search(data, SplittingRule::entropy);
    double cut = -1.0;
    const double best = search.best_ordinal_split(0, 0, nullptr, cut);
    EXPECT_EQ(best, low == 2 ? 2.0 : 0.0);
    EXPECT_EQ(cut, 1.0);  // the smallest value when nothing is admissible
  }
}

TEST(OrdinalSearch, OneDistinctValueHasNoBoundary) {
  // -0.0 and 0.0 are one value.
  const Dataset data = make_dataset({{0.0, -0.0, 0.0}}, {0, 1, 1}, 2);
  SplitSearch search(data, SplittingRule::gini);
  double cut = 7.0;
  EXPECT_EQ(search.best_ordinal_split(0, 0, nullptr, cut), 2.0);
  EXPECT_EQ(cut, 0.0);
}

TEST(OrdinalSearch, ExcludedCasesAreLeftOut) {
  const Dataset data = make_dataset({{0.5, 1, 1, 2, 3, 3, 4}}, {1, 0, 1, 0, 1, 1, 0}, 2);
  std::vector<unsigned char> excluded = {1, 0, 0, 0, 0, 0, 1};
  for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
    SplitSearch search(data, rule);
    double cut = 0.0;
    double expected_cut = 0.0;
    EXPECT_EQ(search.best_ordinal_split(0, 0, excluded.data(), cut),
              bramble_test::reference_ordinal_split(data, 0, {1, 2, 3, 4, 5}, expected_cut, rule));
    EXPECT_EQ(cut, expected_cut);
    EXPECT_EQ(cut, 2.0);
  }
  // A single case considered: no boundary, and its value is the cut-off.
  excluded = {1, 1, 1, 1, 1, 1, 0};
  SplitSearch search(data, SplittingRule::entropy);
  double cut = 0.0;
  EXPECT_EQ(search.best_ordinal_split(0, 0, excluded.data(), cut), 2.0);
  EXPECT_EQ(cut, 4.0);
}

TEST(SplitSearch, DaughtersKeepCaseOrderAndValueOrder) {
  const Dataset data = make_dataset({{5, 3, 8, 3, 1, 9, 2}, {0, 1, 0, 1, 0, 2, 1}},
                                    {0, 1, 0, 1, 0, 1, 1}, 2, {1, 3});
  for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
    SplitSearch search(data, rule);
    NodeTable table(7, 2);
    table.cut_off[0] = 3.0;
    partition_node(data, table, 0, search.cases(0), search.size(0), 0, 0);
    search.split(0, 1, table.case_node);
    for (const int node : {1, 2}) {
      const std::vector<int> expected = node_cases(table, node);
      ASSERT_EQ(search.size(node), static_cast<int>(expected.size()));
      EXPECT_EQ(std::vector<int>(search.cases(node), search.cases(node) + search.size(node)),
                expected);
      double cut = 0.0;
      double expected_cut = 0.0;
      EXPECT_EQ(search.best_ordinal_split(0, node, nullptr, cut),
                bramble_test::reference_ordinal_split(data, 0, expected, expected_cut, rule));
      EXPECT_EQ(cut, expected_cut);
      EXPECT_EQ(search.best_split(1, node, cut),
                best_nominal_split(data, 1, expected.data(), search.size(node), expected_cut,
                                   rule));
      EXPECT_EQ(cut, expected_cut);
    }
  }
}

}  // namespace
}  // namespace bramble
