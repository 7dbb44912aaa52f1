// The controlled mode where whole runs do not reach: the dialogue's refused splits, answers that
// are no numbers or out of range, pattern prompts, the tenth category and the end of input at every
// question; the relative risk and the cross-validation tallies that judge a split.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "interactive/control.h"
#include "interactive/cross_validation.h"
#include "interactive/dialogue_session.h"
#include "interactive/random_order.h"
#include "interactive/risk.h"
#include "interactive/scripted_console.h"
#include "support/run_binary.h"

namespace bramble {
namespace {

using bramble_test::DialogueSession;
using bramble_test::eight_cases;
using bramble_test::make_dataset;
using bramble_test::ScriptedConsole;

// Declines the ranked splits of the root and says yes to splitting it all the same.
const std::string TO_MANUAL = "y\nn\n0\ny\n";
const std::string WHICH = "Do you still want to split this node [y/n]? "
                          "which variable [enter the variable number]: ";
const std::string ORDERED = "This variable is ordered. Enter the cut-off value here: \n";
const std::string THREE_CATEGORIES =
    "This variable has 3 categories: \n10 20 30 \nEnter a sequence of 3 0 or 1's to specify the "
    "split.\nFor example, 1 0 1 islates the second category from the others\n";
const std::string EMPTY = "This split leaves a node empty; enter another split.\n";
const std::string JUDGED = "The impurity of the split=";
const std::string WHOLE = "Please enter a whole number.\n";
const std::string RANK_RANGE =
    "Please enter a rank from 0 to 3, or minus the number of a ranked variable.\n";
const std::string VARIABLE_RANGE = "Please enter a variable number from 1 to 3.\n";
const std::string CUT_OFF_AGAIN = "Please enter a number.\n";
const std::string END_NOTE = "\nEnd of input: the remaining answers are taken as no.\n";
const std::string ROOT_DECLINED = "no split for node 1:2\n";

bramble::Dataset two_and_four_categories() {
  return make_dataset({{0, 1, 0, 1}, {0, 1, 2, 3}}, {0, 1, 0, 1}, 2, {2, 4});
}

// Ten categories, two cases each, classes alternating.
bramble::Dataset ten_categories() {
  return make_dataset({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1}, 2, {10});
}

// x = 1..20 in pairs of the classes 0, 0, 1, 1, ..., 9, 9: a cut after 2j cases scores
// (2j ln j + 2(10 - j) ln(10 - j)) / 20, least at j = 5: ln 5 = 1.609438. Ten classes fill the
// judgement's side arrays to the last entry.
bramble::Dataset ten_classes() {
  return make_dataset({{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
                      {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9}, 10);
}

// 100 cases, so that a daughter needs two: the one case apart in x leaves no admissible split.
bramble::Dataset one_case_apart() {
  std::vector<double> x(100, 0.0);
  x[0] = 1;
  return make_dataset({x}, std::vector<int>(x.begin(), x.end()), 2);
}

struct Script {
  const char* name;
  bramble::Dataset data;
  std::string input, shown;  // shown: a piece of the console text
  int node_count;     // 1: the root stays terminal with every case; 3: the root is split at cut
  double cut = 0;
  int left_size = 0;
};

std::ostream& operator<<(std::ostream& out, const Script& script) { return out << script.name; }

class DialogueScript : public testing::TestWithParam<Script> {};

TEST_P(DialogueScript, ShowsItsTextAndLeavesItsTree) {
  const Script& script = GetParam();
  DialogueSession session(script.data);
  ScriptedConsole typed(script.input);
  session.run(typed.console);
  const std::string out = typed.out();
  EXPECT_NE(out.find(script.shown), std::string::npos) << out;
  const NodeTable& table = session.table;
  ASSERT_EQ(table.node_count, script.node_count) << out;
  if (script.node_count == 1) {
    EXPECT_EQ(out.substr(out.size() - ROOT_DECLINED.size()), ROOT_DECLINED);
    EXPECT_EQ(table.left_child[0], 0);
    EXPECT_EQ(table.case_node, std::vector<int>(script.data.n_cases, 0)) << "cases back in the root";
  } else {
    EXPECT_EQ(table.left_child[0], 1);
    EXPECT_EQ(table.cut_off[0], script.cut);
    EXPECT_EQ(table.node_size[1], script.left_size);
  }
  // End of input is noted once, and only when it was met.
  EXPECT_EQ(bramble_test::occurrences(out, END_NOTE), typed.console.input_ended() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Refusals, DialogueScript, testing::Values(
        Script{"pure_node", make_dataset({{1, 2, 3}}, {1, 1, 1}, 2), "y\n",
               "3 cases in node 1.  Split [y/n]? " + ROOT_DECLINED, 1},
        Script{"no_admissible_split", one_case_apart(), "y\n", "Split [y/n]? " + ROOT_DECLINED, 1},
        Script{"alike", make_dataset({{2, 2, 2}}, {0, 1, 0}, 2), "y\n", "? " + ROOT_DECLINED, 1},
        // Covariate 2 is constant, so rank 2 stays unfilled: it proposes covariate 1 at 0, which
        // sends every case right.
        Script{"unfilled_rank", make_dataset({{1, 2, 3, 4}, {5, 5, 5, 5}}, {0, 0, 1, 1}, 2),
               "y\nn\n2\ny\n1\ny\nn\nn\n",
               "variable 1 and a case goes to right\nif greater than 0.000000\nAccept this split "
               "[y/n]? " + EMPTY + "rank:", 3, 2.0, 2},
        Script{"ranks_listed", make_dataset(std::vector<std::vector<double>>(201, {1, 2, 3, 4}),
               {0, 0, 1, 1}, 2), "y\nn\n0\nn\n", " 200: 0.00000  200\nVariabless are ordered by "
               "impurity, the first 200 are shown above.\nWhich", 1},
        Script{"rank_out_of_range", eight_cases(), "y\nn\nabc\n2147483647\n-7\n-1\ny\nn\nn\n",
               "]?\n" + WHOLE + RANK_RANGE + RANK_RANGE + JUDGED + "0.000000", 3, 4.0, 4},
        // Below every value, at the largest value, every category right; then a cut-off of 4.
        Script{"manual_empty_daughter", eight_cases(),
               TO_MANUAL + "1\n0\ny\n1\n8\ny\n2\n1 1 1\ny\n1\n4\nn\nn\n",
               WHICH + ORDERED + EMPTY + WHICH + ORDERED + EMPTY + WHICH + THREE_CATEGORIES +
                   EMPTY + WHICH + ORDERED + JUDGED, 3, 4.0, 4},
        Script{"manual_refused_then_no", eight_cases(), TO_MANUAL + "1\n100\nn\n",
               ORDERED + EMPTY + "Do you still want to split this node [y/n]? " + ROOT_DECLINED, 1},
        // A cut-off is a word that is wholly a number.
        Script{"manual_no_numbers", eight_cases(),
               TO_MANUAL + "x\n0\n4\n1\nabc def\ninf\n2.5e0xyz\n2,5\n0x2\n25e-1\nn\nn\n",
               "which variable [enter the variable number]: " + WHOLE + VARIABLE_RANGE +
                   VARIABLE_RANGE + ORDERED + CUT_OFF_AGAIN + CUT_OFF_AGAIN + CUT_OFF_AGAIN +
                   CUT_OFF_AGAIN + CUT_OFF_AGAIN + JUDGED, 3, 2.5, 2},
        // A word in a pattern has the whole pattern read again; 1 0 1 sends 10 and 30 right.
        Script{"pattern_word", eight_cases(), TO_MANUAL + "2\n1 x 1\n1 0 1\nn\nn\n",
               THREE_CATEGORIES + WHOLE + JUDGED, 3, 13.0, 3},
        Script{"pattern_two_categories", two_and_four_categories(), TO_MANUAL + "1\n1 0\nn\nn\n",
               "This variable has 2 categories: \n10 20 \nEnter a sequence of 2 0 or 1's to "
               "specify the split.\nFor example, 1 0 \n" + JUDGED, 3, 1.0, 2},
        Script{"pattern_four_categories", two_and_four_categories(),
               TO_MANUAL + "2\n1 1 0 0\nn\nn\n",
               "This variable has 4 categories: \n10 20 30 40 \nEnter a sequence of 4 0 or 1's to "
               "specify the split.\nFor example, 1 1 0 0 sends the first two categories to one "
               "side and the rest to the other side.\nEnter here: " + JUDGED, 3, 12.0, 2},
        Script{"ten_classes", ten_classes(), "y\ny\nn\nn\n", JUDGED + "1.609438\n", 3, 10.0, 10},
        Script{"tenth_category", ten_categories(),
               TO_MANUAL + "1\n0 0 0 0 0 0 0 0 0 1\n1 1 1 1 1 1 1 1 1 0\nn\nn\n",
               "Enter here: The tenth category cannot go right: enter the complementary pattern "
               "(0 and 1 swapped).\n" + JUDGED, 3, 123456789.0, 2}),
    [](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

// Input that ends at each kind of question: the root is declined with its cases.
INSTANTIATE_TEST_SUITE_P(EndOfInput, DialogueScript, testing::Values(
        // An unanswered acceptance leads through rank 0 to no.
        Script{"acceptance", eight_cases(), "y\n", "Accept this split [y/n]? " + END_NOTE + "rank:", 1},
        Script{"rank", eight_cases(), "y\nn\n", "]?\n" + END_NOTE, 1},
        Script{"variable", eight_cases(), TO_MANUAL, "number]: " + END_NOTE, 1},
        Script{"cut_off", eight_cases(), TO_MANUAL + "1\n", ORDERED + END_NOTE, 1},
        Script{"pattern", eight_cases(), TO_MANUAL + "2\n1 0", THREE_CATEGORIES + END_NOTE, 1}),
    [](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

TEST(Dialogue, NodesPastTheLimitStayTerminalSilently) {
  DialogueSession session(eight_cases());
  session.table.node_count = 199;
  ScriptedConsole typed("y\ny\n");
  control_node(0, session.context(typed.console));
  EXPECT_EQ(typed.out(), "");
  EXPECT_EQ(session.table.left_child[0], 0);
  EXPECT_EQ(session.table.node_count, 199);
}

// Judging a split: the relative risk with its interval, and the tallies of the 5-fold
// cross-validation. Whole controlled runs pin down the printed judgements.
TEST(RelativeRisk, HandWorkedTables) {
  // The tables as daughter_counts() takes them: the highest class first.
  const struct { std::vector<int> table; const char* judged; } cases[] = {
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

// The orders of the folds hold every case once, past one block of 512 cases and up to eight.
TEST(CrossValidation, RandomOrdersHoldEveryCaseOnce) {
  RandomStream random(7);
  for (const int n : {1, 512, 513, 4000}) {
    std::vector<int> order = random_order(random, n);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < n; ++i) ASSERT_EQ(order[i], i) << n;
  }
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
