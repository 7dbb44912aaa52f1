// End of input during the dialogue: noted once, every remaining answer is no, every remaining node
// is declined, and nothing is lost of what was decided before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interactive/dialogue_session.h"
#include "interactive/scripted_console.h"
#include "program/console.h"

namespace bramble {
namespace {

using bramble_test::DialogueSession;
using bramble_test::eight_cases;
using bramble_test::ScriptedConsole;

const std::string END_NOTE = "\nEnd of input: the remaining answers are taken as no.\n";
const std::string ROOT_DECLINED = "no split for node 1:2\n";

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// Runs the dialogue on input, which ends early, and checks that the root stayed terminal with its
// cases, that end of input was noted once, and that the console text ends with the decline.
void expect_root_declined(const std::string& input, const std::string& text_before_note) {
  DialogueSession session(eight_cases());
  ScriptedConsole console(input);
  session.run();
  const std::string& out = console.out();
  EXPECT_EQ(occurrences(out, END_NOTE), 1u) << out;
  EXPECT_NE(out.find(text_before_note + END_NOTE), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.size() - ROOT_DECLINED.size()), ROOT_DECLINED);
  EXPECT_EQ(session.table.node_count, 1);
  EXPECT_EQ(session.table.left_child[0], 0);
  EXPECT_EQ(session.table.case_node, std::vector<int>(8, 0));
  EXPECT_TRUE(input_ended());
}

TEST(EndOfInput, AtTheSplitQuestion) {
  expect_root_declined("", "8 cases in node 1.  Split [y/n]? ");
}

TEST(EndOfInput, AtTheAcceptanceQuestionLeadsThroughRankZeroToNo) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\n");
  session.run();
  const std::string& out = console.out();
  EXPECT_NE(out.find("Accept this split [y/n]? " + END_NOTE + "rank: impurity"), std::string::npos);
  EXPECT_NE(out.find("]?\nDo you still want to split this node [y/n]? " + ROOT_DECLINED),
            std::string::npos);
  EXPECT_EQ(session.table.node_count, 1);
}

TEST(EndOfInput, AtTheRankQuestion) {
  expect_root_declined("y\nn\n", "value as variable ID (i.e. -9 will split via variable number 9) ]?\n");
}

TEST(EndOfInput, AtTheVariableNumber) {
  expect_root_declined("y\nn\n0\ny\n", "which variable [enter the variable number]: ");
}

TEST(EndOfInput, AtTheCutOff) {
  expect_root_declined("y\nn\n0\ny\n1\n", "Enter the cut-off value here: \n");
}

TEST(EndOfInput, InTheMiddleOfAPattern) {
  expect_root_declined("y\nn\n0\ny\n2\n1 0", "specify the split.\nFor example, 1 0 1 islates the "
                                             "second category from the others\n");
}

TEST(EndOfInput, AfterASplitDeclinesTheRemainingNodesAndKeepsTheSplit) {
  DialogueSession session(eight_cases());
  ScriptedConsole console("y\ny");
  session.run();
  const std::string& out = console.out();
  EXPECT_EQ(out.substr(out.find("Accept this split [y/n]? ")),
            "Accept this split [y/n]? 4 cases in node 2.  Split [y/n]? " + END_NOTE +
                "no split for node 2:2\n4 cases in node 3.  Split [y/n]? no split for node 3:2\n");
  EXPECT_EQ(session.table.node_count, 3);
  EXPECT_EQ(session.table.left_child[0], 1);
}

}  // namespace
}  // namespace bramble
