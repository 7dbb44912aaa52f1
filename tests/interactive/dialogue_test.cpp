// The node-by-node dialogue on the eight cases of eight_cases(): covariate 1 separates the
// classes at 4, covariate 3 ranks second and covariate 2 (nominal) third.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interactive/control.h"
#include "interactive/dialogue_session.h"
#include "interactive/scripted_console.h"

namespace bramble {
namespace {

using bramble_test::DialogueSession;
using bramble_test::eight_cases;
using bramble_test::make_dataset;
using bramble_test::ScriptedConsole;

const std::string JUDGED_CUT_AT_4 =
    "The impurity of the split=0.000000\n"
    "The resubstitution relative risk=9.000000 and\n"
    "  its 95 percent confidence interval=(0.144451, 560.745634)\n";
const std::string PROPOSED_CUT_AT_4 =
    JUDGED_CUT_AT_4 +
    "This split uses ordinal variable 1 and a case goes to right\n"
    "if greater than 4.000000\n"
    "Accept this split [y/n]? ";
const std::string PROPOSED_VARIABLE_3 =
    "The impurity of the split=0.562335\n"
    "The resubstitution relative risk=3.000000 and\n"
    "  its 95 percent confidence interval=(0.122205, 73.646667)\n"
    "This split uses ordinal variable 3 and a case goes to right\n"
    "if greater than 1.000000\n"
    "Accept this split [y/n]? ";
const std::string PROPOSED_VARIABLE_2 =
    "The impurity of the split=0.659325\n"
    "The resubstitution relative risk=1.800000 and\n"
    "  its 95 percent confidence interval=(0.090161, 35.935876)\n"
    "This split uses categorical variable 2 and a case\n"
    "goes to right for category[ies]\n"
    "\n"
    "Accept this split [y/n]? ";
const std::string RANKING =
    "rank: impurity variable no.\n"
    "   1: 0.00000  1\n"
    "   2: 0.56234  3\n"
    "   3: 0.65933  2\n"
    "Which one [enter the rank number, 0 for none of the above. or negative\n"
    "value as variable ID (i.e. -9 will split via variable number 9) ]?\n";
const std::string STILL = "Do you still want to split this node [y/n]? ";
const std::string ROOT_QUESTION = "8 cases in node 1.  Split [y/n]? ";

std::string daughters_declined(int left_size, int right_size) {
  return std::to_string(left_size) + " cases in node 2.  Split [y/n]? no split for node 2:2\n" +
         std::to_string(right_size) + " cases in node 3.  Split [y/n]? no split for node 3:2\n";
}

std::vector<int> case_nodes(const NodeTable& table) { return table.case_node; }

TEST(Dialogue, AcceptingTheFirstProposalSplitsAtTheBestCutOff) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\ny\nn\nn\n");
  session.run();
  EXPECT_EQ(console.out(), ROOT_QUESTION + PROPOSED_CUT_AT_4 + daughters_declined(4, 4));
  EXPECT_EQ(console.err(), "");
  const NodeTable& table = session.table;
  EXPECT_EQ(table.node_count, 3);
  EXPECT_EQ(table.left_child[0], 1);
  EXPECT_EQ(table.parent[1], 0);
  EXPECT_EQ(table.parent[2], 0);
  EXPECT_EQ(table.split_var[0], 0);
  EXPECT_EQ(table.cut_off[0], 4.0);
  EXPECT_EQ(table.left_child[1], 0);
  EXPECT_EQ(table.left_child[2], 0);
  EXPECT_EQ((std::vector<int>{table.node_size[0], table.node_size[1], table.node_size[2]}),
            (std::vector<int>{8, 4, 4}));
  EXPECT_EQ(case_nodes(table), (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2}));
  // The daughters own their cases in the search as well.
  EXPECT_EQ(std::vector<int>(session.search.cases(2), session.search.cases(2) + 4),
            (std::vector<int>{4, 5, 6, 7}));
  // Fewer than 20 cases: no cross-validation line.
  EXPECT_EQ(session.report(), "");
}

TEST(Dialogue, ARankChoosesTheNextProposal) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\nn\n2\ny\nn\nn\n");
  session.run();
  EXPECT_EQ(console.out(), ROOT_QUESTION + PROPOSED_CUT_AT_4 + RANKING + PROPOSED_VARIABLE_3 +
                               daughters_declined(4, 4));
  EXPECT_EQ(session.table.split_var[0], 2);
  EXPECT_EQ(session.table.cut_off[0], 1.0);
  EXPECT_EQ(case_nodes(session.table), (std::vector<int>{1, 1, 1, 2, 2, 2, 2, 1}));
}

TEST(Dialogue, ANegativeAnswerNamesTheCovariate) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\nn\n-2\nn\n-3\ny\nn\nn\n");
  session.run();
  // Covariate 2 stands third in the ranking; its proposal is put up for acceptance again.
  EXPECT_EQ(console.out(), ROOT_QUESTION + PROPOSED_CUT_AT_4 + RANKING + PROPOSED_VARIABLE_2 +
                               RANKING + PROPOSED_VARIABLE_3 + daughters_declined(4, 4));
  // The category list of a nominal proposal goes to standard error: category code 1 sent right.
  EXPECT_EQ(console.err(), "10");
  EXPECT_EQ(session.table.split_var[0], 2);
}

TEST(Dialogue, NoneOfTheRankedThenNoLeavesTheNodeTerminal) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\nn\n0\nn\n");
  session.run();
  EXPECT_EQ(console.out(),
            ROOT_QUESTION + PROPOSED_CUT_AT_4 + RANKING + STILL + "no split for node 1:2\n");
  EXPECT_EQ(session.table.node_count, 1);
  EXPECT_EQ(session.table.left_child[0], 0);
  // The trial split had moved the cases; they are back in the root.
  EXPECT_EQ(case_nodes(session.table), std::vector<int>(8, 0));
}

TEST(Dialogue, NoAtTheFirstQuestionAsksNothingMore) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("n\n");
  session.run();
  EXPECT_EQ(console.out(), ROOT_QUESTION + "no split for node 1:2\n");
  EXPECT_EQ(session.table.node_count, 1);
}

TEST(Dialogue, APureNodeIsDeclinedAfterYes) {
  DialogueSession session(make_dataset({{1, 2, 3}}, {1}, {1, 1, 1}, 2));
  ScriptedConsole console("y\n");
  session.run();
  EXPECT_EQ(console.out(), "3 cases in node 1.  Split [y/n]? no split for node 1:2\n");
}

TEST(Dialogue, NodesPastTheLimitStayTerminalSilently) {
  DialogueSession session(eight_cases());
  session.table.node_count = 199;
  ScriptedConsole console("y\ny\n");
  control_node(0, session.data, session.table, session.search, session.random_seed,
               session.report_name);
  EXPECT_EQ(console.out(), "");
  EXPECT_EQ(session.table.node_size[0], 8);
  EXPECT_EQ(session.table.left_child[0], 0);
  EXPECT_EQ(session.table.node_count, 199);
}

TEST(Dialogue, AnUnfilledRankProposesCovariateOneAtZeroButAnEmptyDaughterIsRefused) {
  // Covariate 2 is constant, so ranking position 2 stays unfilled.
  DialogueSession session(make_dataset({{1, 2, 3, 4}, {5, 5, 5, 5}}, {1, 1}, {0, 0, 1, 1}, 2));
  ScriptedConsole console("y\nn\n2\ny\n1\ny\nn\nn\n");
  session.run();
  const std::string& out = console.out();
  // Every value is above 0, so the proposal sends every case right.
  EXPECT_NE(out.find("if greater than 0.000000\nAccept this split [y/n]? "
                     "This split leaves a node empty; enter another split.\nrank:"),
            std::string::npos)
      << out;
  EXPECT_EQ(session.table.node_count, 3);
  EXPECT_EQ(session.table.cut_off[0], 2.0);
  EXPECT_EQ(case_nodes(session.table), (std::vector<int>{1, 1, 2, 2}));
}

TEST(Dialogue, OutOfRangeRanksAreAskedAgain) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\nn\nabc\n9\n-7\n1\ny\nn\nn\n");
  session.run();
  const std::string reminder =
      "Please enter a rank from 0 to 3, or minus the number of a ranked variable.\n";
  EXPECT_EQ(console.out(), ROOT_QUESTION + PROPOSED_CUT_AT_4 + RANKING +
                               "Please enter a whole number.\n" + reminder + reminder +
                               PROPOSED_CUT_AT_4 + daughters_declined(4, 4));
  EXPECT_EQ(session.table.node_count, 3);
}

}  // namespace
}  // namespace bramble
