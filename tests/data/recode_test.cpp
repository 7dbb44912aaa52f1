#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/read_text.h"
#include "numeric/limits.h"

namespace bramble_test {
namespace {

// A data file with a response alternating 0, 1 and one column per covariate; covariates are
// given as columns of tokens (all of the same length).
std::string data_file(const std::string& letters,
                      const std::vector<std::vector<std::string>>& columns) {
  std::string text = "r " + letters + "\n";
  for (std::size_t i = 0; i < columns[0].size(); ++i) {
    text += std::to_string(i % 2);
    for (const auto& column : columns) text += " " + column[i];
    text += "\n";
  }
  return text;
}

// Value v written count_of(v) times, for v = first..last, then the extra tokens.
std::vector<std::string> repeated(int first, int last, int (*count_of)(int),
                                  const std::vector<std::string>& extra = {}) {
  std::vector<std::string> tokens;
  for (int v = first; v <= last; ++v) tokens.insert(tokens.end(), count_of(v), std::to_string(v));
  tokens.insert(tokens.end(), extra.begin(), extra.end());
  return tokens;
}

int same_as_value(int v) { return v; }

std::vector<double> codes_of(const std::vector<double>& row, std::size_t from, std::size_t to) {
  return std::vector<double>(row.begin() + from, row.begin() + to);
}

TEST(RecodeNominal, CodesFollowValueOrder) {
  const std::vector<std::string> constant = {"1", "1", "1", "1"};
  const ReadOutcome read =
      read_text(data_file("o o o n", {constant, constant, constant, {"2", "5", "2", "7"}}));
  ASSERT_FALSE(read.stopped) << read.console;
  EXPECT_EQ(read.data.X[3], (std::vector<double>{0, 1, 0, 2}));
  EXPECT_EQ(read.data.ori_catg[3], (std::vector<int>{2, 5, 7}));
  EXPECT_EQ(read.data.var_type[3], 3);
  EXPECT_NE(recoding_lines(read.report).find("\n4: 2(2) 1(5) 1(7) \n"), std::string::npos);
}

TEST(RecodeNominal, MissingValuesFormTheLastCategory) {
  const ReadOutcome read = read_text(data_file("n", {{"1", "NA", "3", "1"}}));
  ASSERT_FALSE(read.stopped);
  EXPECT_EQ(read.data.X[0], (std::vector<double>{0, 2, 1, 0}));
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{1, 3, -9}));
  EXPECT_EQ(recoding_lines(read.report), "1: 2(1) 1(3) 1(-9) \n");
  EXPECT_EQ(read.data.n_covariates, 1) << "nominal covariates get no missing copy";
}

TEST(RecodeNominal, SingleValueIsOrdinalAndTenCategoriesStay) {
  const ReadOutcome single = read_text(data_file("n", {{"4", "4", "4"}}));
  ASSERT_FALSE(single.stopped);
  EXPECT_EQ(single.data.var_type[0], 1);
  EXPECT_EQ(single.data.X[0], (std::vector<double>{0, 0, 0}));

  const ReadOutcome ten = read_text(data_file("n", {repeated(1, 10, same_as_value)}));
  ASSERT_FALSE(ten.stopped);
  EXPECT_EQ(ten.data.var_type[0], 10);
  EXPECT_EQ(recoding_lines(ten.report).find("***"), std::string::npos);
}

TEST(RecodeNominal, HugeValueRangeNeedsNoCountPerValue) {
  const ReadOutcome read = read_text(data_file("n", {{"0", "1000000000", "0", "-2000000000"}}));
  ASSERT_FALSE(read.stopped);
  EXPECT_EQ(read.data.X[0], (std::vector<double>{1, 2, 1, 0}));
  EXPECT_EQ(recoding_lines(read.report), "1: 1(-2000000000) 2(0) 1(1000000000) \n");
}

TEST(RecodeMerge, RarestCategoriesBecome999) {
  const ReadOutcome read = read_text(data_file("n", {repeated(1, 12, same_as_value)}));
  ASSERT_FALSE(read.stopped);
  const std::string lines = recoding_lines(read.report);
  EXPECT_EQ(lines.substr(lines.find("\n") + 1), "***Put catgories(3) (2) (1) as category 999\n");
  EXPECT_EQ(read.data.var_type[0], 10);
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 999}));
  EXPECT_EQ(codes_of(read.data.X[0], 0, 6), std::vector<double>(6, 9));
  EXPECT_EQ(codes_of(read.data.X[0], 6, 10), std::vector<double>(4, 0)) << "the four 4s";
  EXPECT_EQ(read.data.X[0].back(), 8) << "the last 12";
}

TEST(RecodeMerge, MissingCategoryIsNeverMergedAndKeepsTheLastCode) {
  const ReadOutcome read =
      read_text(data_file("n", {repeated(1, 11, same_as_value, {"NA", ".", "NA", "NA", "."})}));
  ASSERT_FALSE(read.stopped);
  const std::string lines = recoding_lines(read.report);
  EXPECT_EQ(lines.substr(lines.find("\n") + 1), "***Put catgories(3) (2) (1) as category 999\n");
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 999, -9}));
  const std::vector<double>& row = read.data.X[0];
  EXPECT_EQ(codes_of(row, 0, 6), std::vector<double>(6, 8));
  EXPECT_EQ(codes_of(row, row.size() - 5, row.size()), std::vector<double>(5, 9));
  EXPECT_EQ(row[row.size() - 6], 7) << "the last 11";
}

int two_for_the_first_three(int v) { return v <= 3 ? 2 : v - 1; }

TEST(RecodeMerge, TiesAreSettledByTheHeapsort) {
  const ReadOutcome read = read_text(data_file("n", {repeated(1, 11, two_for_the_first_three)}));
  ASSERT_FALSE(read.stopped);
  EXPECT_EQ(recoding_lines(read.report),
            "1: 2(1) 2(2) 2(3) 3(4) 4(5) 5(6) 6(7) 7(8) 8(9) 9(10) 10(11) \n"
            "***Put catgories(3) (2) as category 999\n");
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{1, 4, 5, 6, 7, 8, 9, 10, 11, 999}));
  EXPECT_EQ(codes_of(read.data.X[0], 0, 6), (std::vector<double>{0, 0, 9, 9, 9, 9}));
}

TEST(RecodeOrdinal, MissingCopyHoldsMissingValuesAboveTheLargest) {
  const ReadOutcome read =
      read_text(data_file("o o o", {{"1", "2", "3"}, {"4.5", "NA", "2.0"}, {"7", "8", "9"}}));
  ASSERT_FALSE(read.stopped);
  const bramble::Dataset& data = read.data;
  EXPECT_EQ(recoding_lines(read.report),
            "1: 1.000000 3.000000\n2: 2.000000 4.500000\n3: 7.000000 9.000000\n");
  EXPECT_EQ(data.n_covariates, 4) << "only covariate 2 has missing values";
  EXPECT_EQ(data.X[1], (std::vector<double>{4.5, 1.0, 2.0}));
  EXPECT_EQ(data.X[3], (std::vector<double>{4.5, 5.5, 2.0}));
  EXPECT_EQ(data.source_var, (std::vector<int>{0, 1, 2, 1}));
  EXPECT_EQ(data.var_type, (std::vector<int>{1, 1, 1, 1}));
  EXPECT_TRUE(data.is_missing_copy(3));
  EXPECT_FALSE(data.is_missing_copy(2));
  EXPECT_EQ(data.ori_catg.size(), 4u);
}

void expect_recoding_stop(const ReadOutcome& read, const std::string& message,
                          const std::string& last_report_line) {
  ASSERT_TRUE(read.stopped);
  EXPECT_EQ(read.status, bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(read.console, message + "Press Enter to end this program!");
  const std::string lines = recoding_lines(read.report);
  ASSERT_GE(lines.size(), last_report_line.size());
  EXPECT_EQ(lines.substr(lines.size() - last_report_line.size()), last_report_line);
}

TEST(RecodeNominal, ValuesSharingAnIntegerPartCollide) {
  const std::vector<std::string> constant = {"1", "1", "1"};
  const ReadOutcome read = read_text(
      data_file("o o o o n", {constant, constant, constant, constant, {"1", "1.5", "1"}}));
  expect_recoding_stop(read, "2 is not equal to 1 for variable 5\n", "\n5: ");
}

TEST(RecodeNominal, FractionalValuesAreRefused) {
  const ReadOutcome read = read_text(data_file("n", {{"1.5", "3", "3"}}));
  expect_recoding_stop(read,
                       "Variable 1 is nominal but holds the value 1.5; nominal values must be "
                       "whole numbers.\n",
                       "1: ");
}

}  // namespace
}  // namespace bramble_test
