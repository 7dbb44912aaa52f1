#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "interactive/risk.h"
#include "interactive/scripted_console.h"

namespace bramble {
namespace {

// The relative risk and its interval as the console shows them.
std::string judged(const int* table, int n_classes) {
  double w = 0;
  const double risk = relative_risk(table, n_classes, w);
  char text[100];
  std::snprintf(text, sizeof text, "%f (%f, %f)", risk, risk / w, risk * w);
  return text;
}

TEST(RelativeRisk, ComparesTheClassOneSharesOfTheTwoSides) {
  const int table[] = {10, 20, 30, 20};  // T1, S1, T0, S0
  EXPECT_EQ(judged(table, 2), "2.000000 (0.775984, 5.154742)");
  const int swapped[] = {20, 10, 20, 30};
  EXPECT_EQ(judged(swapped, 2), "2.000000 (0.775984, 5.154742)");
}

TEST(RelativeRisk, AZeroCellCorrectsEveryCell) {
  const int table[] = {0, 5, 10, 5};
  EXPECT_EQ(judged(table, 2), "11.000000 (0.508881, 237.776654)");
}

TEST(RelativeRisk, ReadsClassesOneAndZeroOfAWiderTable) {
  // Class 2 occupies the first two entries and is ignored.
  const int table[] = {7, 9, 10, 20, 30, 20};
  EXPECT_EQ(judged(table, 3), "2.000000 (0.775984, 5.154742)");
}

TEST(SplitImpurity, IsTheEntropyOfTheTwoSides) {
  const int table[] = {10, 20, 30, 20};
  bramble_test::ScriptedConsole console("");
  print_split_impurity(table, 2);
  EXPECT_EQ(console.out(), "The impurity of the split=0.627741");
}

TEST(FoldPooling, TurnsATallyWhoseFirstProductIsNotLarger) {
  std::array<int, 4> pooled{};
  const int turned[] = {1, 2, 3, 4};
  add_fold_tally(turned, pooled.data());
  EXPECT_EQ(pooled, (std::array<int, 4>{2, 4, 1, 3}));
  const int kept[] = {4, 3, 1, 2};
  add_fold_tally(kept, pooled.data());
  EXPECT_EQ(pooled, (std::array<int, 4>{6, 7, 2, 5}));
  // Equal products are turned as well.
  const int equal[] = {1, 1, 1, 1};
  add_fold_tally(equal, pooled.data());
  EXPECT_EQ(pooled, (std::array<int, 4>{7, 8, 3, 6}));
}

TEST(FoldPooling, LargeFoldsDoNotOverflowTheProducts) {
  std::array<int, 4> pooled{};
  const int tally[] = {100000, 100000, 1, 1};
  add_fold_tally(tally, pooled.data());
  EXPECT_EQ(pooled, (std::array<int, 4>{100000, 100000, 1, 1}));
}

}  // namespace
}  // namespace bramble
