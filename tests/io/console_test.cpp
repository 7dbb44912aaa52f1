// The console answer readers. They share one input stream, so what one reader leaves of a line is
// what the next one sees.
#include "io/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interactive/scripted_console.h"

namespace bramble {
namespace {

using bramble_test::ScriptedConsole;

const char* const REMINDER = "<reminder>";
const std::string YES_NO_REMINDER = " Input [Y/y/1] for yes; [N/n/0] for no!";

// Answers as numbers: a choice as 1 (first) or 2 (second), yes as 1 and no as 0.
int choice_default_first(Console& console) {
  return console.read_choice(Choice::first, REMINDER, false) == Choice::first ? 1 : 2;
}
int choice_zero_is_no(Console& console) {
  return console.read_choice(Choice::second, REMINDER, true) == Choice::first ? 1 : 2;
}
int yes_no(Console& console) { return console.read_yes_no() ? 1 : 0; }

// The first character of a line answers and the rest of the line goes with it; an unrecognised
// answer is asked again, with the reminder only when its line held more than that character.
TEST(ConsoleAnswers, EachReaderOnTypedLines) {
  const struct {
    int (*read)(Console&); std::string input; std::vector<int> answers; std::string printed;
  } cases[] = {
      {choice_default_first, "2\nn\n\n1\ny\nY\nyes\nN\n", {2, 2, 1, 1, 1, 1, 1, 2}, ""},
      {choice_zero_is_no, "\n0\nno\ny\n", {2, 2, 2, 1}, ""},
      {choice_default_first, "0\n2\n", {2}, ""},  // without zero_is_no a 0 is passed over silently
      {choice_default_first, "x\nxyz\n1\n", {1}, REMINDER},
      {choice_default_first, " 2\n", {1, 2}, ""},  // a leading blank gives the default, leaves the line
      {choice_zero_is_no, "xyz", {2, 2}, REMINDER},  // end of input is an empty answer
      {yes_no, "yes\nn\n0\n1\nY\nN\n", {1, 0, 0, 1, 1, 0}, ""},
      {yes_no, "maybe\nq\ny\n", {1}, YES_NO_REMINDER},
      {yes_no, "\nq\nyes\nn\n", {1, 0}, ""},  // a line end skipped: no reminder; yes takes its line
  };
  for (const auto& c : cases) {
    ScriptedConsole typed(c.input);
    std::vector<int> answers;
    for (std::size_t i = 0; i < c.answers.size(); ++i) answers.push_back(c.read(typed.console));
    EXPECT_EQ(answers, c.answers) << c.input;
    EXPECT_EQ(typed.out(), c.printed) << c.input;
    EXPECT_FALSE(typed.console.input_ended()) << c.input;
  }
}

// The texts of an exit go to their streams, the error output's first; the wait reads one key.
TEST(ConsoleFinish, WritesTheExitTextsAndWaits) {
  ScriptedConsole typed("xy");
  EXPECT_EQ(typed.console.finish({STATUS_DATA_ERROR, true, "Refused.\n"}), STATUS_DATA_ERROR);
  EXPECT_EQ(typed.console.finish(runtime_exit("error in matrix")), STATUS_RUNTIME_ERROR);
  EXPECT_EQ(typed.console.finish({STATUS_OK, false, "Done.\n"}), STATUS_OK);
  EXPECT_EQ(typed.out(), "Refused.\nDone.\n");
  EXPECT_EQ(typed.err(),
            "Numerical Recipes run-time error ...\nerror in matrix\n...now exiting to system...\n"
            "Press Enter to end this program!");
  std::string word;
  EXPECT_FALSE(typed.console.read_word(word)) << "both waits took a key";
}

}  // namespace
}  // namespace bramble
