// Data files the reader accepts, in the forms people write them. Whole runs (tests/e2e) pin down
// the data summary of ordinary files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/read_text.h"
#include "data/recode.h"

namespace bramble_test {
namespace {

using namespace std::string_literals;

TEST(ReadData, LayoutOfTheTextCarriesNoMeaning) {
  const std::string plain = "r d o n\n1 a 2.5 3\n2 b NA 4\n1 c 0.5 .\n";
  const ReadOutcome expected = read_text(plain);
  ASSERT_FALSE(expected.stopped) << expected.console;
  for (const std::string& text : {
           "r d o n 1 a 2.5 3 2 b NA 4 1 c 0.5 ."s,
           "r\nd\no\nn\n1\na\n2.5\n3\n2\nb\nNA\n4\n1\nc\n0.5\n.\n"s,
           "r d o n\r\n1 a 2.5 3\r\n2 b NA 4\r\n1 c 0.5 .\r\n"s,
           "\xEF\xBB\xBF"s + plain,
           "r d o n\n1 a\0b 2.5 3\n2 \0 NA 4\n1 c 0.5 .\n"s,  // NUL bytes in an ignored column
       }) {
    const ReadOutcome read = read_text(text);
    ASSERT_FALSE(read.stopped) << read.console;
    EXPECT_EQ(read.data.X, expected.data.X);
    EXPECT_EQ(read.data.y, expected.data.y);
    EXPECT_EQ(read.report, expected.report);
  }
}

TEST(ReadData, AcceptsUpperCaseLettersAndAnyTextInIgnoredColumns) {
  const ReadOutcome read = read_text("R D O N\n0 hello 1 5\n1 NA 2 6\n1 . 3 5\n");
  ASSERT_FALSE(read.stopped) << read.console;
  EXPECT_EQ(read.data.n_covariates, 2) << "a missing value in an ignored column makes no copy";
  EXPECT_EQ(read.data.X[0], (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(recoding_lines(read.report), "1: 1.000000 3.000000\n2: 2(5) 1(6) \n");
}

TEST(ReadData, MissingCodeMovesBelowTheLeastValidValue) {
  // Below -9 (or at it) floor(least) - 1 labels the nominal missing category; the ordinal missing
  // values sit at least - 1 in the covariate and largest + 1 in its copy.
  const struct {
    std::string least;
    double value;
    std::string summary;
  } cases[] = {
      {"-12.5", -12.5, "1: -12.500000 3.000000\n2: 2(1) 1(-14) \n"},
      {"-9", -9, "1: -9.000000 3.000000\n2: 2(1) 1(-10) \n"},
  };
  for (const auto& c : cases) {
    const ReadOutcome read = read_text("r o n\n0 " + c.least + " 1\n1 3 NA\n1 NA 1\n");
    ASSERT_FALSE(read.stopped) << read.console;
    EXPECT_EQ(read.console, "Missing temp value > valid data case!!! \n");
    EXPECT_EQ(recoding_lines(read.report), c.summary);
    bramble::Dataset data = read.data;
    bramble::fill_missing_copies(data);
    EXPECT_EQ(data.X[0], (std::vector<double>{c.value, 3, c.value - 1}));
    EXPECT_EQ(data.X[2], (std::vector<double>{c.value, 3, 4}));
  }
  const ReadOutcome complete = read_text("r o\n0 -12.5\n1 3\n");
  ASSERT_FALSE(complete.stopped);
  EXPECT_EQ(complete.console, "") << "without missing values the code is never needed";
}

TEST(ReadData, ClassesStartAtTheLeastResponse) {
  const ReadOutcome shifted = read_text("o r\n1 3\n2 4\n3 4\n");
  ASSERT_FALSE(shifted.stopped);
  EXPECT_EQ(shifted.data.y, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(shifted.data.n_classes, 2);
}

TEST(ReadData, LeadingNumbersCount) {
  const ReadOutcome read =
      read_text("r o o o\n2.7 2.5kg +3 0x1A\n1.0 -0 1e -1e-400\n1 .5e1 1.e2 2.5e-400\n");
  ASSERT_FALSE(read.stopped) << read.console;
  EXPECT_EQ(read.data.y, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(read.data.X[0], (std::vector<double>{2.5, 0, 5}));
  EXPECT_EQ(read.data.X[1], (std::vector<double>{3, 1, 100}));
  EXPECT_EQ(read.data.X[2], (std::vector<double>{0, 0, 0}));
  EXPECT_FALSE(std::signbit(read.data.X[0][1])) << "-0 is stored as 0";
  EXPECT_FALSE(std::signbit(read.data.X[2][1])) << "an underflow to -0 as well";
}

TEST(ReadData, HugeTokensAndManyColumns) {
  const std::string long_token = "5" + std::string(10 << 20, 'x');
  const ReadOutcome huge = read_text("r o d\n1 " + long_token + " " + long_token + "\n0 4 z\n");
  ASSERT_FALSE(huge.stopped) << huge.console.substr(0, 200);
  EXPECT_EQ(huge.data.X[0], (std::vector<double>{5, 4}));

  const int n_columns = 20000;
  std::string wide = "r";
  for (int j = 1; j < n_columns; ++j) wide += " o";
  for (int record = 0; record < 2; ++record) {
    wide += "\n" + std::to_string(record);
    for (int j = 1; j < n_columns; ++j) wide += " " + std::to_string(j % 7 + record);
  }
  const ReadOutcome read = read_text(wide + "\n");
  ASSERT_FALSE(read.stopped);
  EXPECT_EQ(read.data.n_covariates, n_columns - 1);
  EXPECT_EQ(read.data.X[n_columns - 2],
            (std::vector<double>{(n_columns - 1) % 7, (n_columns - 1) % 7 + 1}));
}

}  // namespace
}  // namespace bramble_test
