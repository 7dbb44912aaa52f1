// Data the reader or the recoding refuses: each refusal prints its message and the prompt and ends
// with status -1; the reader's refusals leave the report empty, the recoding's end it at the line
// of the covariate at fault.
#include <gtest/gtest.h>

#include <string>

#include "data/read_text.h"
#include "io/fatal.h"

namespace bramble_test {
namespace {

using namespace std::string_literals;

const std::string SEPARATORS =
    "Values are separated by blanks, tabs or line breaks, not by commas or semicolons.\n";

std::string eleven_classes() {
  std::string text = "r o\n";
  for (int value = 0; value <= 10; ++value) text += std::to_string(value) + " 1\n";
  return text;
}

TEST(ReaderRefusal, EachRefusalHasItsMessage) {
  const struct {
    std::string file;
    std::string message;
    std::string report_tail = "";  // empty: nothing written
  } refusals[] = {
      {" \n\t\r\n", "No data in the file"},
      {"1 2 3\n", "ERROR: No covariate!"},
      {"r,o,o\n1,2,3\n", "ERROR: No covariate!\n" + SEPARATORS},
      {"o o r;o\n1 2 3\n",
       "The header must name exactly one response column (letter r); it names 0.\n" + SEPARATORS},
      {"r d\n1 x\n", "ERROR: No covariate!"},
      {"o o\n1 2\n", "The header must name exactly one response column (letter r); it names 0.\n"},
      {"r o r\n1 2 1\n",
       "The header must name exactly one response column (letter r); it names 2.\n"},
      {"r o\n1 2\n0 3\n1", "Data file not complete error at line 3 variable number 1 value = 1 !!!\n"},
      {"d r o\nx 1 2\ny 0 3\nz\n",
       "Data file not complete error at line 3 variable number 1 value =  !!!\n"},
      {"r o\n1 1\nNA 2\n",
       "Record 2: the response is missing; every record needs a response value.\n"},
      {"r o\n1 1\n3 2\n1 2\n",
       "The response values must be consecutive integers; the file holds: 1 3\n"},
      {eleven_classes(),
       "Record 11: the response value 10 makes more than 10 classes; at most 10 are allowed.\n"},
      {"r o\n1 2\nabc 3\n", "Record 2, column 1: the value \"abc\" is not a number.\n"},
      {"r o\n1 \0\n"s, "Record 1, column 2: the value \"?\" is not a number.\n"},
      // Unprintable bytes shown as ?, a token of more than 40 characters cut short.
      {"r o\n1 " + std::string(40, 'x') + "\n",
       "Record 1, column 2: the value \"" + std::string(40, 'x') + "\" is not a number.\n"},
      {"r o\n1 \x01\x7f"s + std::string(60, 'x') + "\n",
       "Record 1, column 2: the value \"??" + std::string(38, 'x') + "...\" is not a number.\n"},
      {"r o\n1 1e999\n", "Record 1, column 2: the value \"1e999\" is not a finite number.\n"},
      {"r n\n1 3000000000\n",
       "Record 1, column 2: the value \"3000000000\" is out of range for a nominal covariate.\n"},
      {"r o d n\n1 1 x NA\n0 2 y .\n",
       "Covariate 2 (column 4) has only missing values; mark its column d to leave it out.\n"},
      {"r o o o o n\n1 1 1 1 1 1\n0 1 1 1 1 1.5\n1 1 1 1 1 1\n",
       "2 is not equal to 1 for variable 5\n", "\n5: "},
      {"r n\n1 1.5\n0 3\n1 3\n",
       "Variable 1 is nominal but holds the value 1.5; nominal values must be whole numbers.\n",
       "For a nominal one, the counts corresponding to each level will be listed.\n1: "},
      // A fractional smallest value met after the whole ones (found by fuzzing).
      {"r n\n1 3\n0 4\n1 0.8\n",
       "Variable 1 is nominal but holds the value 0.8; nominal values must be whole numbers.\n",
       "For a nominal one, the counts corresponding to each level will be listed.\n1: "},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.file.substr(0, 80));
    const ReadOutcome read = read_text(refusal.file);
    ASSERT_TRUE(read.stopped);
    EXPECT_EQ(read.status, bramble::STATUS_DATA_ERROR);
    EXPECT_EQ(read.console, refusal.message + "Press Enter to end this program!");
    if (refusal.report_tail.empty()) {
      EXPECT_EQ(read.report, "");
    } else {
      ASSERT_GE(read.report.size(), refusal.report_tail.size());
      EXPECT_EQ(read.report.substr(read.report.size() - refusal.report_tail.size()),
                refusal.report_tail);
    }
  }
}

// A value is a missing marker or wholly a number, a response wholly a whole number.
TEST(ReaderRefusal, ValuesThatAreNotWholeNumbersNameTheirToken) {
  const struct {
    const char* token;
    int column;  // of "r o n"; the other values of its record are 1
    const char* reason;
  } refused[] = {
      {"1,5", 2, "is not a number"},  {"2abc", 2, "is not a number"}, {"1;7", 3, "is not a number"},
      {"0x1f", 2, "is not a number"}, {"5e", 2, "is not a number"},   {"1.5.2", 3, "is not a number"},
      {"1e+", 2, "is not a number"},  {"+", 3, "is not a number"},    {"--1", 2, "is not a number"},
      {"1-", 2, "is not a number"},   {"?", 2, "is not a number"},    {"inf", 2, "is not a number"},
      {"nan", 3, "is not a number"},  {"1,0", 1, "is not a number"},  {"1e", 1, "is not a number"},
      {"2.7", 1, "is not a whole number in digits (a response names a class)"},
      {"0.5", 1, "is not a whole number in digits (a response names a class)"},
      {"1e1", 1, "is not a whole number in digits (a response names a class)"},
      {"1.01", 1, "is not a whole number in digits (a response names a class)"},
  };
  for (const auto& value : refused) {
    SCOPED_TRACE(value.token);
    std::string record = "1 1 1";
    record.replace(2 * (value.column - 1), 1, value.token);
    const ReadOutcome read = read_text("r o n\n0 1 1\n" + record + "\n");
    ASSERT_TRUE(read.stopped);
    const std::string token = value.token;
    EXPECT_EQ(read.console, "Record 2, column " + std::to_string(value.column) + ": the value \"" +
                                token + "\" " + value.reason + ".\n" +
                                (token.find_first_of(",;") != std::string::npos ? SEPARATORS : "") +
                                "Press Enter to end this program!");
  }
}

TEST(ReaderRefusal, IncompleteRecordAfterManyBlocksNamesItsLine) {
  std::string text = "r o\n";
  while (text.size() < 3 * (1 << 20)) text += "1 12345.5\n0 2\n";  // past the reader's 1 MiB blocks
  const int records = static_cast<int>((text.size() - 4) / 7);     // 7 bytes per record on average
  const ReadOutcome read = read_text(text + "1");
  ASSERT_TRUE(read.stopped);
  EXPECT_EQ(read.console, "Data file not complete error at line " + std::to_string(records + 1) +
                              " variable number 1 value = 1 !!!\nPress Enter to end this program!");
}

}  // namespace
}  // namespace bramble_test
