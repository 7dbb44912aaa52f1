#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/read_text.h"
#include "numeric/limits.h"

namespace bramble_test {
namespace {

const char* const PROMPT = "Press Enter to end this program!";

const std::string SUMMARY_HEAD_TAIL =
    "1 refers to as an ordinal covariate and 3 means a nominal one\n"
    "For an ordinal covariate, the min. and max. will be given;\n"
    "For a nominal one, the counts corresponding to each level will be listed.\n";

TEST(ReadData, ReadsRecordsWithMissingValuesAndWritesTheSummary) {
  const ReadOutcome read = read_text("r o n\n1 2.5 3\n2 NA 4\n1 0.5 .\n");
  ASSERT_FALSE(read.stopped) << read.console;
  const bramble::Dataset& data = read.data;
  EXPECT_EQ(data.n_cases, 3);
  EXPECT_EQ(data.n_classes, 2);
  EXPECT_EQ(data.y, (std::vector<int>{0, 1, 0}));
  // The missing ordinal value sits below the least value, in its copy above the largest.
  EXPECT_EQ(data.n_covariates, 3);
  EXPECT_EQ(data.X[0], (std::vector<double>{2.5, -0.5, 0.5}));
  EXPECT_EQ(data.X[2], (std::vector<double>{2.5, 3.5, 0.5}));
  EXPECT_EQ(data.X[1], (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(data.var_type, (std::vector<int>{1, 3, 1}));
  EXPECT_EQ(data.source_var, (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(data.ori_catg[1], (std::vector<int>{3, 4, -9}));
  EXPECT_EQ(read.report, "There are 2 covariates\nOriginal status of variables are\n1 3 \n" +
                             SUMMARY_HEAD_TAIL + "1: 0.500000 2.500000\n2: 1(3) 1(4) 1(-9) \n");
  EXPECT_EQ(read.console, "");
}

TEST(ReadData, LineBreaksCarryNoMeaning) {
  const ReadOutcome lines = read_text("r o n\n1 2.5 3\n2 NA 4\n1 0.5 .\n");
  const ReadOutcome one_line = read_text("r o n 1 2.5 3 2 NA 4 1 0.5 .");
  const ReadOutcome one_per_line = read_text("r\no\nn\n1\n2.5\n3\n2\nNA\n4\n1\n0.5\n.\n");
  for (const ReadOutcome* other : {&one_line, &one_per_line}) {
    ASSERT_FALSE(other->stopped);
    EXPECT_EQ(other->data.X, lines.data.X);
    EXPECT_EQ(other->data.y, lines.data.y);
    EXPECT_EQ(other->report, lines.report);
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
  const ReadOutcome read = read_text("r o n\n0 -12.5 1\n1 3 NA\n1 NA 1\n");
  ASSERT_FALSE(read.stopped) << read.console;
  EXPECT_EQ(read.console, "Missing temp value > valid data case!!! \n");
  // floor(-12.5) - 1 = -14 labels the nominal missing category; the ordinal one sits at min - 1.
  EXPECT_EQ(recoding_lines(read.report), "1: -12.500000 3.000000\n2: 2(1) 1(-14) \n");
  EXPECT_EQ(read.data.X[0], (std::vector<double>{-12.5, 3, -13.5}));
  EXPECT_EQ(read.data.X[2], (std::vector<double>{-12.5, 3, 4}));

  const ReadOutcome complete = read_text("r o\n0 -12.5\n1 3\n");
  ASSERT_FALSE(complete.stopped);
  EXPECT_EQ(complete.console, "") << "without missing values the code is never needed";
}

TEST(ReadData, ClassesStartAtTheLeastResponse) {
  const ReadOutcome shifted = read_text("o r\n1 3\n2 4\n3 4\n");
  ASSERT_FALSE(shifted.stopped);
  EXPECT_EQ(shifted.data.y, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(shifted.data.n_classes, 2);

  const ReadOutcome single = read_text("o r\n1 7\n2 7\n");
  ASSERT_FALSE(single.stopped);
  EXPECT_EQ(single.data.y, (std::vector<int>{0, 0}));
  EXPECT_EQ(single.data.n_classes, 2) << "one class still counts as two";
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

TEST(ReadData, IncompleteRecordNamesRecordColumnAndLastValue) {
  const ReadOutcome read = read_text("r o\n1 2\n0 3\n1");
  ASSERT_TRUE(read.stopped);
  EXPECT_EQ(read.status, bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(
      read.console,
      std::string("Data file not complete error at line 3 variable number 1 value = 1 !!!\n") +
          PROMPT);
  EXPECT_EQ(read.report, "");

  const ReadOutcome after_ignored = read_text("d r o\nx 1 2\ny 0 3\nz\n");
  ASSERT_TRUE(after_ignored.stopped);
  EXPECT_EQ(after_ignored.console,
            std::string("Data file not complete error at line 3 variable number 1 value =  !!!\n") +
                PROMPT);
}

TEST(ReadData, EmptyFileAndMissingHeaderAreRefused) {
  const ReadOutcome empty = read_text("");
  ASSERT_TRUE(empty.stopped);
  EXPECT_EQ(empty.status, bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(empty.console, std::string("No data in the file") + PROMPT);

  const ReadOutcome blank = read_text(" \n\t\r\n");
  EXPECT_EQ(blank.console, std::string("No data in the file") + PROMPT);

  const ReadOutcome headerless = read_text("1 2 3\n");
  ASSERT_TRUE(headerless.stopped);
  EXPECT_EQ(headerless.console, std::string("ERROR: No covariate!") + PROMPT);

  const ReadOutcome response_only = read_text("r\n1\n");
  EXPECT_EQ(response_only.console, std::string("ERROR: No covariate!") + PROMPT);
  EXPECT_EQ(response_only.report, "");
}

}  // namespace
}  // namespace bramble_test
