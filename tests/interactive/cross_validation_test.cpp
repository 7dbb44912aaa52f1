// The 5-fold cross-validation of a proposal and the tallies it pools. Twenty cases whose random
// order, the first of the run, is 17 2 6 16 | 5 4 19 18 | 14 9 12 7 | 15 10 11 1 | 8 13 0 3.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "interactive/dialogue_session.h"
#include "interactive/risk.h"
#include "interactive/scripted_console.h"
#include "numeric/fatal.h"
#include "numeric/limits.h"

namespace bramble {
namespace {

using bramble_test::DialogueSession;
using bramble_test::make_dataset;
using bramble_test::ScriptedConsole;

const std::vector<int> CLASSES = {0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1};

std::vector<double> ascending(int n) {
  std::vector<double> values;
  for (int c = 0; c < n; ++c) values.push_back(c + 1);
  return values;
}

TEST(TallySplit, OrdinalCountsValuesUpToTheCutOffFirst) {
  Dataset data = make_dataset({{1, 2, 3, 4}}, {1}, {1, 0, 1, 0}, 2);
  NodeTable table(4, 2);
  const int cases[] = {0, 1, 2, 3};
  tally_split(data, table, cases, 4, 2.0, 0);
  // class 1: first (value <= 2) 1, second 1; class 0: first 1, second 1
  EXPECT_EQ(table.daughter_counts, (std::vector<int>{1, 1, 1, 1}));
  tally_split(data, table, cases + 2, 2, 2.0, 0);
  EXPECT_EQ(table.daughter_counts, (std::vector<int>{0, 1, 0, 1}));
}

TEST(TallySplit, NominalCodeAppliesToTheCategoriesPresent) {
  // Categories 0 and 2 present, 1 absent: code 1 sends the first present category to the first
  // entry and the highest present one to the second.
  Dataset data = make_dataset({{0, 2, 2, 0}}, {3}, {1, 1, 0, 0}, 2);
  NodeTable table(4, 2);
  const int cases[] = {0, 1, 2, 3};
  tally_split(data, table, cases, 4, 1.0, 0);
  EXPECT_EQ(table.daughter_counts, (std::vector<int>{1, 1, 1, 1}));
  tally_split(data, table, cases + 1, 2, 1.0, 0);  // category 2 alone: nothing goes first
  EXPECT_EQ(table.daughter_counts, (std::vector<int>{0, 1, 0, 1}));
}

TEST(CrossValidation, OrdinalFoldsAreSearchedWithoutTheirHeldOutCases) {
  DialogueSession session(make_dataset({ascending(20)}, {1}, CLASSES, 2));
  const std::array<int, 4> pooled =
      cross_validated_table(session.data, session.table, session.search, 0, 0, session.random_seed);
  EXPECT_EQ(pooled, (std::array<int, 4>{7, 7, 4, 2}));
}

TEST(CrossValidation, AFoldTrainedOnOneCategoryTalliesEveryHeldOutCaseSecond) {
  // Category 1 only in cases 17 and 2, both held out by the first fold.
  std::vector<double> category(20, 0);
  category[17] = 1;
  category[2] = 1;
  DialogueSession session(make_dataset({category}, {2}, CLASSES, 2));
  const std::array<int, 4> pooled =
      cross_validated_table(session.data, session.table, session.search, 0, 0, session.random_seed);
  // Every fold tallies all its held-out cases second and is turned when pooled.
  EXPECT_EQ(pooled, (std::array<int, 4>{10, 10, 0, 0}));
}

TEST(CrossValidation, AProposalOnTwentyCasesIsCrossValidatedAndReported) {
  DialogueSession session(make_dataset({ascending(20)}, {1}, CLASSES, 2));
  ScriptedConsole console("y\ny\nn\nn\n");
  session.run();
  EXPECT_EQ(console.out().substr(0, console.out().find("This split uses")),
            "20 cases in node 1.  Split [y/n]? "
            "The impurity of the split=0.500402\n"
            "The resubstitution relative risk=4.000000 and\n"
            "  its 95 percent confidence interval=(0.447065, 35.789014)\n"
            "A 5-fold cross validation relative risk=1.222222 and \n"
            "  its 95 percent confidence interval=(0.166290, 8.983267)\n");
  EXPECT_EQ(session.report(), "1.222222 7.349946\n");
  EXPECT_EQ(session.table.cut_off[0], 10.0);
}

TEST(CrossValidation, NineteenCasesOrThreeClassesAreNotCrossValidated) {
  std::vector<int> nineteen(CLASSES.begin(), CLASSES.end() - 1);
  DialogueSession small(make_dataset({ascending(19)}, {1}, nineteen, 2));
  std::vector<int> three_classes = CLASSES;
  three_classes[0] = 2;
  DialogueSession wide(make_dataset({ascending(20)}, {1}, three_classes, 3));
  for (DialogueSession* session : {&small, &wide}) {
    ScriptedConsole console("y\ny\nn\nn\n");
    session->run();
    EXPECT_EQ(console.out().find("cross validation"), std::string::npos);
    EXPECT_EQ(session->report(), "");
    EXPECT_EQ(session->table.node_count, 3);
  }
}

TEST(CrossValidation, AReportThatCannotBeOpenedEndsTheRun) {
  DialogueSession session(make_dataset({ascending(20)}, {1}, CLASSES, 2));
  session.report_name = "/nonexistent-directory/session.inf";
  ScriptedConsole console("y\n");
  try {
    session.run();
    ADD_FAILURE() << "the run went on";
  } catch (const ProgramExit& stop) {
    EXPECT_EQ(stop.status, STATUS_DATA_ERROR);
  }
  EXPECT_NE(console.out().find(
                "Cannot over-write to file /nonexistent-directory/session.inf. It seems protected.\n"),
            std::string::npos);
}

}  // namespace
}  // namespace bramble
