// Manual splits, after none of the ranked splits was taken, on the eight cases of eight_cases().
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interactive/dialogue_session.h"
#include "interactive/scripted_console.h"

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

// The console text from the manual part on, up to the daughters' questions.
std::string manual_part(const std::string& out) {
  const std::size_t from = out.find("Do you still want");
  const std::size_t to = out.rfind('\n', out.find(" cases in node 2.")) + 1;
  return from == std::string::npos ? out : out.substr(from, to - from);
}

TEST(ManualSplit, AnOrdinalCutOffIsFinalAndJudged) {
  DialogueSession session(eight_cases());
  ScriptedConsole console(TO_MANUAL + "1\n2.5\nn\nn\n");
  session.run();
  EXPECT_EQ(manual_part(console.out()),
            WHICH + ORDERED +
                "The impurity of the split=0.477386\n"
                "The resubstitution relative risk=3.857143 and\n"
                "  its 95 percent confidence interval=(0.127780, 116.430730)\n");
  const NodeTable& table = session.table;
  EXPECT_EQ(table.node_count, 3);
  EXPECT_EQ(table.split_var[0], 0);
  EXPECT_EQ(table.cut_off[0], 2.5);
  EXPECT_EQ(table.case_node, (std::vector<int>{1, 1, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(table.node_size[1], 2);
  EXPECT_EQ(table.node_size[2], 6);
}

TEST(ManualSplit, APatternSendsItsMarkedCategoriesRight) {
  DialogueSession session(eight_cases());
  ScriptedConsole console(TO_MANUAL + "2\n1 0 1\nn\nn\n");
  session.run();
  EXPECT_EQ(manual_part(console.out()),
            WHICH + THREE_CATEGORIES +
                "The impurity of the split=0.659325\n"
                "The resubstitution relative risk=1.666667 and\n"
                "  its 95 percent confidence interval=(0.083482, 33.273959)\n");
  EXPECT_EQ(session.table.split_var[0], 1);
  EXPECT_EQ(session.table.cut_off[0], 13.0);
  EXPECT_EQ(session.table.case_node, (std::vector<int>{2, 1, 2, 2, 1, 2, 2, 1}));
}

TEST(ManualSplit, PatternPromptsDependOnTheNumberOfCategories) {
  Dataset data = make_dataset({{0, 1, 0, 1}, {0, 1, 2, 3}}, {2, 4}, {0, 1, 0, 1}, 2);
  {
    DialogueSession session(data);
    ScriptedConsole console(TO_MANUAL + "1\n1 0\nn\nn\n");
    session.run();
    EXPECT_NE(console.out().find("This variable has 2 categories: \n10 20 \nEnter a sequence of 2 "
                                 "0 or 1's to specify the split.\nFor example, 1 0 \nThe impurity"),
              std::string::npos);
  }
  DialogueSession session(data);
  ScriptedConsole console(TO_MANUAL + "2\n1 1 0 0\nn\nn\n");
  session.run();
  EXPECT_NE(console.out().find("This variable has 4 categories: \n10 20 30 40 \nEnter a sequence "
                               "of 4 0 or 1's to specify the split.\nFor example, 1 1 0 0 sends "
                               "the first two categories to one side and the rest to the other "
                               "side.\nEnter here: The impurity"),
            std::string::npos);
  EXPECT_EQ(session.table.cut_off[0], 12.0);
}

TEST(ManualSplit, ASplitLeavingADaughterEmptyIsRefused) {
  DialogueSession session(eight_cases());
  // Below every value, at the largest value, every category right; then a cut-off of 4.
  ScriptedConsole console(TO_MANUAL + "1\n0\ny\n1\n8\ny\n2\n1 1 1\ny\n1\n4\nn\nn\n");
  session.run();
  EXPECT_EQ(manual_part(console.out()),
            WHICH + ORDERED + EMPTY + WHICH + ORDERED + EMPTY + WHICH + THREE_CATEGORIES + EMPTY +
                WHICH + ORDERED +
                "The impurity of the split=0.000000\n"
                "The resubstitution relative risk=9.000000 and\n"
                "  its 95 percent confidence interval=(0.144451, 560.745634)\n");
  EXPECT_EQ(session.table.node_count, 3);
  EXPECT_EQ(session.table.cut_off[0], 4.0);
  EXPECT_EQ(session.table.case_node, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2}));
}

TEST(ManualSplit, ARefusedSplitThenNoLeavesTheCasesInTheNode) {
  DialogueSession session(eight_cases());
  ScriptedConsole console(TO_MANUAL + "1\n100\nn\n");
  session.run();
  EXPECT_EQ(manual_part(console.out()),
            WHICH + ORDERED + EMPTY +
                "Do you still want to split this node [y/n]? no split for node 1:2\n");
  EXPECT_EQ(session.table.node_count, 1);
  EXPECT_EQ(session.table.case_node, std::vector<int>(8, 0));
}

TEST(ManualSplit, AnswersThatAreNoNumbersAreAskedForAgain) {
  DialogueSession session(eight_cases());
  ScriptedConsole console(TO_MANUAL + "x\n0\n4\n1\nabc def\ninf\n2.5e0xyz\nn\nn\n");
  session.run();
  const std::string variable_range = "Please enter a variable number from 1 to 3.\n";
  const std::string cut_off_again = "Please enter a number for the cut-off value.\n";
  const std::string& out = console.out();
  EXPECT_EQ(out.substr(out.find("which variable"), out.find("The impurity", out.find(ORDERED)) -
                                                      out.find("which variable")),
            "which variable [enter the variable number]: Please enter a whole number.\n" +
                variable_range + variable_range + ORDERED + cut_off_again + cut_off_again);
  // The cut-off word's leading number counts.
  EXPECT_EQ(session.table.cut_off[0], 2.5);
}

TEST(ManualSplit, APatternWithAWordThatIsNoNumberIsReadAgainWhole) {
  DialogueSession session(eight_cases());
  ScriptedConsole console(TO_MANUAL + "2\n1 x 1\n1 0 1\nn\nn\n");
  session.run();
  EXPECT_NE(console.out().find(THREE_CATEGORIES + "Please enter a whole number.\nThe impurity"),
            std::string::npos);
  EXPECT_EQ(session.table.cut_off[0], 13.0);
}

TEST(ManualSplit, TheTenthCategoryCannotBeSentRight) {
  std::vector<double> category(20);
  std::vector<int> y(20);
  for (int c = 0; c < 20; ++c) {
    category[c] = c % 10;
    y[c] = c % 2;
  }
  DialogueSession session(make_dataset({category}, {10}, y, 2));
  ScriptedConsole console("y\nn\n0\ny\n1\n0 0 0 0 0 0 0 0 0 1\n1 1 1 1 1 1 1 1 1 0\nn\nn\n");
  session.run();
  EXPECT_NE(console.out().find("Enter here: The tenth category cannot go right: enter the "
                               "complementary pattern (0 and 1 swapped).\nThe impurity"),
            std::string::npos);
  EXPECT_EQ(session.table.cut_off[0], 123456789.0);
  EXPECT_EQ(session.table.node_size[1], 2);
}

}  // namespace
}  // namespace bramble
