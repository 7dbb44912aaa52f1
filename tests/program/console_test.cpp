#include "program/console.h"

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

std::vector<int> choices(int count, int default_choice, bool zero_is_no) {
  std::vector<int> answers;
  for (int i = 0; i < count; ++i) answers.push_back(read_choice(default_choice, REMINDER, zero_is_no));
  return answers;
}

TEST(ReadChoice, TakesTheFirstCharacterOfEachLine) {
  ScriptedConsole console("2\nn\n\n1\ny\nY\nyes\nN\n");
  EXPECT_EQ(choices(8, 1, false), (std::vector<int>{2, 2, 1, 1, 1, 1, 1, 2}));
  EXPECT_EQ(console.out(), "");
}

TEST(ReadChoice, ZeroIsNoOnlyWhereAsked) {
  ScriptedConsole console("\n0\nno\ny\n0\n2\n");
  EXPECT_EQ(choices(4, 0, true), (std::vector<int>{0, 2, 2, 1}));
  // Without zero_is_no the single "0" is passed over silently and the next line answers.
  EXPECT_EQ(read_choice(1, REMINDER, false), 2);
  EXPECT_EQ(console.out(), "");
}

TEST(ReadChoice, RemindsOnlyAfterALongerUnrecognisedLine) {
  ScriptedConsole console("x\nxyz\n1\n");
  EXPECT_EQ(read_choice(1, REMINDER, false), 1);
  EXPECT_EQ(console.out(), REMINDER);
}

TEST(ReadChoice, LeadingBlankGivesTheDefaultAndLeavesTheLine) {
  ScriptedConsole console(" 2\n");
  EXPECT_EQ(read_choice(1, REMINDER, false), 1);
  EXPECT_EQ(read_choice(1, REMINDER, false), 2);
}

TEST(ReadChoice, EndOfInputIsAnEmptyAnswer) {
  ScriptedConsole console("xyz");
  // The unrecognised line is answered with the reminder, then the end of input gives the default.
  EXPECT_EQ(read_choice(0, REMINDER, true), 0);
  EXPECT_EQ(read_choice(1, REMINDER, false), 1);
  EXPECT_FALSE(input_ended());
  EXPECT_EQ(console.out(), REMINDER);
}

TEST(ReadYesNo, AnswersFromTheFirstCharacter) {
  ScriptedConsole console("yes\nn\n0\n1\nY\nN\n");
  std::vector<int> answers;
  for (int i = 0; i < 6; ++i) answers.push_back(read_yes_no());
  EXPECT_EQ(answers, (std::vector<int>{1, 0, 0, 1, 1, 0}));
  EXPECT_EQ(console.out(), "");
}

TEST(ReadYesNo, RemindsAfterALongerUnrecognisedLineOnly) {
  ScriptedConsole console("maybe\nq\ny\n");
  EXPECT_EQ(read_yes_no(), 1);
  EXPECT_EQ(console.out(), YES_NO_REMINDER);
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
  std::string expected;
  for (int i = 0; i < 4; ++i) expected += NOT_WHOLE;
  EXPECT_EQ(console.out(), expected);
  // The number readers report the end of input but leave noting it to their callers.
  EXPECT_FALSE(input_ended());
}

TEST(ReadNumberWord, LeavesTheLineEndBehind) {
  ScriptedConsole console("12\nx");
  int value = 0;
  ASSERT_TRUE(read_whole_number(value));
  wait_for_key();
  wait_for_key();
  std::string word;
  EXPECT_FALSE(read_word(word));
}

TEST(ReadWord, ReadsWordsOfAnyLength) {
  const std::string long_word(300, 'w');
  ScriptedConsole console("  " + long_word + "\tnext\n");
  std::string word;
  ASSERT_TRUE(read_word(word));
  EXPECT_EQ(word, long_word);
  ASSERT_TRUE(read_word(word));
  EXPECT_EQ(word, "next");
  EXPECT_FALSE(read_word(word));
}

TEST(WaitForKey, ReadsOneCharacterAndReturnsAtEndOfInput) {
  ScriptedConsole console("ab");
  wait_for_key();
  std::string word;
  ASSERT_TRUE(read_word(word));
  EXPECT_EQ(word, "b");
  wait_for_key();
  wait_for_key();
}

}  // namespace
}  // namespace bramble
