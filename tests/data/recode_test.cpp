// Recoding after reading: nominal codes in value order, the merging of rare categories into 999
// with the missing category kept last, and the missing copies of ordinal covariates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/read_text.h"
#include "data/recode.h"

namespace bramble_test {
namespace {

using bramble::Dataset;
using bramble::fill_missing_copies;

// A data file of one nominal covariate holding the tokens, the response alternating 0, 1.
ReadOutcome read_nominal(const std::vector<std::string>& tokens) {
  std::string text = "r n\n";
  for (std::size_t i = 0; i < tokens.size(); ++i) text += std::to_string(i % 2) + " " + tokens[i] + "\n";
  const ReadOutcome read = read_text(text);
  EXPECT_FALSE(read.stopped) << read.console;
  return read;
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
int two_for_the_first_three(int v) { return v <= 3 ? 2 : v - 1; }

std::vector<double> codes_of(const std::vector<double>& row, std::size_t from, std::size_t to) {
  return std::vector<double>(row.begin() + from, row.begin() + to);
}

TEST(RecodeNominal, CodesInValueOrderWithTheMissingCategoryLast) {
  const ReadOutcome missing = read_nominal({"1", "NA", "3", "1"});
  EXPECT_EQ(missing.data.X[0], (std::vector<double>{0, 2, 1, 0}));
  EXPECT_EQ(missing.data.ori_catg[0], (std::vector<int>{1, 3, -9}));
  EXPECT_EQ(recoding_lines(missing.report), "1: 2(1) 1(3) 1(-9) \n");
  EXPECT_EQ(missing.data.n_covariates, 1) << "nominal covariates get no missing copy";

  // A huge range of values needs no count per value.
  const ReadOutcome huge = read_nominal({"0", "1000000000", "0", "-2000000000"});
  EXPECT_EQ(huge.data.X[0], (std::vector<double>{1, 2, 1, 0}));
  EXPECT_EQ(recoding_lines(huge.report), "1: 1(-2000000000) 2(0) 1(1000000000) \n");
}

TEST(RecodeMerge, RarestCategoriesBecome999) {
  const ReadOutcome read = read_nominal(repeated(1, 12, same_as_value));
  const std::string lines = recoding_lines(read.report);
  EXPECT_EQ(lines.substr(lines.find("\n") + 1), "***Put catgories(3) (2) (1) as category 999\n");
  EXPECT_EQ(read.data.var_type[0], 10);
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 999}));
  EXPECT_EQ(codes_of(read.data.X[0], 0, 6), std::vector<double>(6, 9));
  EXPECT_EQ(codes_of(read.data.X[0], 6, 10), std::vector<double>(4, 0)) << "the four 4s";
  EXPECT_EQ(read.data.X[0].back(), 8) << "the last 12";
}

TEST(RecodeMerge, MissingCategoryIsNeverMergedAndKeepsTheLastCode) {
  const ReadOutcome read = read_nominal(repeated(1, 11, same_as_value, {"NA", ".", "NA", "NA", "."}));
  const std::string lines = recoding_lines(read.report);
  EXPECT_EQ(lines.substr(lines.find("\n") + 1), "***Put catgories(3) (2) (1) as category 999\n");
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 999, -9}));
  const std::vector<double>& row = read.data.X[0];
  EXPECT_EQ(codes_of(row, 0, 6), std::vector<double>(6, 8));
  EXPECT_EQ(codes_of(row, row.size() - 5, row.size()), std::vector<double>(5, 9));
  EXPECT_EQ(row[row.size() - 6], 7) << "the last 11";
}

TEST(RecodeMerge, TiesAreSettledByTheHeapsort) {
  const ReadOutcome read = read_nominal(repeated(1, 11, two_for_the_first_three));
  EXPECT_EQ(recoding_lines(read.report),
            "1: 2(1) 2(2) 2(3) 3(4) 4(5) 5(6) 6(7) 7(8) 8(9) 9(10) 10(11) \n"
            "***Put catgories(3) (2) as category 999\n");
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{1, 4, 5, 6, 7, 8, 9, 10, 11, 999}));
  EXPECT_EQ(codes_of(read.data.X[0], 0, 6), (std::vector<double>{0, 0, 9, 9, 9, 9}));
}

TEST(RecodeOrdinal, MissingCopyHoldsMissingValuesAboveTheLargest) {
  const ReadOutcome read = read_text("r o o o\n0 1 4.5 7\n1 2 NA 8\n0 3 2.0 9\n");
  ASSERT_FALSE(read.stopped);
  EXPECT_EQ(recoding_lines(read.report),
            "1: 1.000000 3.000000\n2: 2.000000 4.500000\n3: 7.000000 9.000000\n");
  Dataset data = read.data;
  EXPECT_EQ(data.n_covariates, 4) << "only covariate 2 has missing values";
  EXPECT_EQ(data.X[1], (std::vector<double>{4.5, 1.0, 2.0}));
  EXPECT_EQ(data.source_var, (std::vector<int>{0, 1, 2, 1}));
  EXPECT_EQ(data.var_type, (std::vector<int>{1, 1, 1, 1}));
  // The copy's row is made only on demand.
  EXPECT_TRUE(data.X[3].empty());
  ASSERT_NE(data.unfilled_copy(3), nullptr);
  EXPECT_EQ(data.unfilled_copy(1), nullptr);
  fill_missing_copies(data);
  EXPECT_EQ(data.X[3], (std::vector<double>{4.5, 5.5, 2.0}));
  EXPECT_EQ(data.unfilled_copy(3), nullptr);
  EXPECT_EQ(data.X[1], (std::vector<double>{4.5, 1.0, 2.0})) << "the source stays as it was";
}

}  // namespace
}  // namespace bramble_test
