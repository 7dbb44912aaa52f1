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
const std::string END_NOTE = "\nEnd of input: the remaining answers are taken as no.\n";
const std::string NOT_WHOLE = "Please enter a whole number.\n";

int choice_default_one() { return read_choice(1, REMINDER, false); }
int choice_zero_is_no() { return read_choice(0, REMINDER, true); }

// The first character of a line answers and the rest of the line goes with it; an unrecognised
// answer is asked again, with the reminder only when its line held more than that character.
TEST(ConsoleAnswers, EachReaderOnTypedLines) {
  const struct {
    int (*read)();
    std::string input;
    std::vector<int> answers;
    std::string printed;
  } cases[] = {
      {choice_default_one, "2\nn\n\n1\ny\nY\nyes\nN\n", {2, 2, 1, 1, 1, 1, 1, 2}, ""},
      {choice_zero_is_no, "\n0\nno\ny\n", {0, 2, 2, 1}, ""},
      {choice_default_one, "0\n2\n", {2}, ""},  // without zero_is_no a 0 is passed over silently
      {choice_default_one, "x\nxyz\n1\n", {1}, REMINDER},
      {choice_default_one, " 2\n", {1, 2}, ""},  // a leading blank gives the default, leaves the line
      {choice_zero_is_no, "xyz", {0, 0}, REMINDER},  // end of input is an empty answer
      {read_yes_no, "yes\nn\n0\n1\nY\nN\n", {1, 0, 0, 1, 1, 0}, ""},
      {read_yes_no, "maybe\nq\ny\n", {1}, YES_NO_REMINDER},
  };
  for (const auto& c : cases) {
    std::vector<int> answers;
    std::string printed;
    {
      ScriptedConsole console(c.input);
      for (std::size_t i = 0; i < c.answers.size(); ++i) answers.push_back(c.read());
      printed = console.out();
    }
    EXPECT_EQ(answers, c.answers) << c.input;
    EXPECT_EQ(printed, c.printed) << c.input;
    EXPECT_FALSE(input_ended()) << c.input;
  }
}

TEST(ReadYesNo, PassesOverTheLineEndANumberReadLeft) {
  ScriptedConsole console("3\nyes\n5\nno\nn\n");
  int value = 0;
  ASSERT_TRUE(read_whole_number(value));
  EXPECT_EQ(value, 3);
  // The rest of "yes" goes with it, so the number read that follows sees a fresh line.
  EXPECT_EQ(read_yes_no(), 1);
  ASSERT_TRUE(read_whole_number(value));
  EXPECT_EQ(value, 5);
  EXPECT_EQ(read_yes_no(), 0);
  EXPECT_EQ(read_yes_no(), 0);
  EXPECT_EQ(console.out(), "");
}

TEST(ReadYesNo, EndOfInputAnswersNoAndIsNotedOnce) {
  ScriptedConsole console("\n");
  EXPECT_EQ(read_yes_no(), 0);
  EXPECT_TRUE(input_ended());
  EXPECT_EQ(read_yes_no(), 0);
  int value = 0;
  EXPECT_FALSE(read_whole_number(value));
  std::string word;
  EXPECT_FALSE(read_word(word));
  EXPECT_EQ(console.out(), END_NOTE);
}

TEST(ReadNumberWord, RefusesWordsThatAreNotWholeIntNumbers) {
  ScriptedConsole console("abc 7\n2.5\n1e9\n99999999999\n+5 -4\n");
  int value = 0;
  EXPECT_EQ(read_number_word(value), NumberRead::not_a_number);
  // The rest of the refused word's line went with it: the 7 is not read.
  ASSERT_TRUE(read_whole_number(value));
  EXPECT_EQ(value, 5);
  ASSERT_TRUE(read_whole_number(value));
  EXPECT_EQ(value, -4);
  EXPECT_EQ(read_number_word(value), NumberRead::end_of_input);
  EXPECT_EQ(value, -4);
  EXPECT_EQ(console.out(), NOT_WHOLE + NOT_WHOLE + NOT_WHOLE + NOT_WHOLE);
  // The number readers report the end of input but leave noting it to their callers.
  EXPECT_FALSE(input_ended());
}

TEST(ReadWord, ReadsWordsOfAnyLengthAndLeavesTheLineEndBehind) {
  const std::string long_word(300, 'w');
  ScriptedConsole console("  " + long_word + "\tnext\nab");
  std::string word;
  ASSERT_TRUE(read_word(word));
  EXPECT_EQ(word, long_word);
  ASSERT_TRUE(read_word(word));
  EXPECT_EQ(word, "next");
  // One character each: the line end "next" left, then the a.
  wait_for_key();
  wait_for_key();
  ASSERT_TRUE(read_word(word));
  EXPECT_EQ(word, "b");
  wait_for_key();  // returns at end of input
  EXPECT_FALSE(read_word(word));
}

}  // namespace
}  // namespace bramble
