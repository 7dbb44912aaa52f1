// Judging a split: the relative risk with its interval, and the tallies of the 5-fold
// cross-validation. Whole controlled runs (tests/e2e) pin down the printed judgements.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "interactive/cross_validation.h"
#include "interactive/dialogue_session.h"
#include "interactive/risk.h"
#include "interactive/scripted_console.h"

namespace bramble {
namespace {

using bramble_test::DialogueSession;
using bramble_test::make_dataset;
using bramble_test::ScriptedConsole;

TEST(RelativeRisk, HandWorkedTables) {
  const struct {
    std::vector<int> table;  // as daughter_counts() takes it: the highest class first
    const char* judged;
  } cases[] = {
      {{10, 20, 30, 20}, "2.000000 (0.775984, 5.154742)"},
      {{20, 10, 20, 30}, "2.000000 (0.775984, 5.154742)"},  // the sides swapped
      {{0, 5, 10, 5}, "11.000000 (0.508881, 237.776654)"},  // a zero cell corrects every cell
      {{5, 0, 5, 10}, "11.000000 (0.508881, 237.776654)"},  // whichever it is: 5.5 * 15.5 / 5.5
      {{5, 10, 0, 5}, "1.396825 (0.064620, 30.193861)"},    // 88 / 63
      {{5, 10, 5, 0}, "1.909091 (0.088318, 41.267023)"},    // 10.5 * 11 / (5.5 * 11)
      {{7, 9, 10, 20, 30, 20}, "2.000000 (0.775984, 5.154742)"},  // class 2 is ignored
  };
  for (const auto& c : cases) {
    double w = 0;
    const double risk = relative_risk(bramble_test::daughter_counts(c.table), w);
    char text[100];
    std::snprintf(text, sizeof text, "%f (%f, %f)", risk, risk / w, risk * w);
    EXPECT_EQ(std::string(text), c.judged);
  }
}

// Twenty cases; the first random order of a run is 17 2 6 16 | 5 4 19 18 | 14 9 12 7 | 15 10 11 1
// | 8 13 0 3.
const std::vector<int> CLASSES = {0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1};

std::vector<double> ascending(int n) {
  std::vector<double> values;
  for (int c = 0; c < n; ++c) values.push_back(c + 1);
  return values;
}

TEST(CrossValidation, AFoldAppliesTheGroupingOfItsTrainingCategories) {
  // Category 1 only in cases 17 and 2, both held out by the first fold: it learns no grouping and
  // tallies its held-out cases (classes 0 0 1 1) second, (0, 2, 0, 2) added as (2, 2, 0, 0). Every
  // other fold learns category 0 against 1 and holds out category 0 alone, which goes first:
  // their 8 cases of each class add (0, 0, 8, 8).
  std::vector<double> category(20, 0);
  category[17] = 1;
  category[2] = 1;
  DialogueSession session(make_dataset({category}, CLASSES, 2, {2}));
  const DaughterCounts pooled =
      cross_validated_table(session.data, session.table, session.search, 0, 0, session.random);
  EXPECT_EQ(bramble_test::entries_of(pooled), (std::vector<int>{2, 2, 8, 8}));
}

TEST(CrossValidation, NineteenCasesOrThreeClassesAreNotCrossValidated) {
  std::vector<int> three_classes = CLASSES;
  three_classes[0] = 2;
  DialogueSession small(make_dataset({ascending(19)}, {CLASSES.begin(), CLASSES.end() - 1}, 2));
  DialogueSession wide(make_dataset({ascending(20)}, three_classes, 3));
  for (DialogueSession* session : {&small, &wide}) {
    ScriptedConsole typed("y\ny\nn\nn\n");
    session->run(typed.console);
    EXPECT_EQ(typed.out().find("cross validation"), std::string::npos);
    EXPECT_EQ(session->report(), "");
    EXPECT_EQ(session->table.node_count, 3);
  }
}

}  // namespace
}  // namespace bramble
