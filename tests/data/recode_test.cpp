// Recoding after reading: nominal codes in value order with the missing category last, and the tie
// order of the merging of rare categories into 999. (Whole runs pin down merging and the missing
// copies of ordinal covariates.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/read_text.h"
#include "data/recode.h"

namespace bramble_test {
namespace {

// A data file of one nominal covariate holding the tokens, the response alternating 0, 1.
ReadOutcome read_nominal(const std::vector<std::string>& tokens) {
  std::string text = "r n\n";
  for (std::size_t i = 0; i < tokens.size(); ++i) text += std::to_string(i % 2) + " " + tokens[i] + "\n";
  const ReadOutcome read = read_text(text);
  EXPECT_FALSE(read.stopped) << read.console;
  return read;
}

// Values 1 to 11, each written twice up to 3 and v - 1 times from 4 on.
std::vector<std::string> rare_ties() {
  std::vector<std::string> tokens;
  for (int v = 1; v <= 11; ++v) tokens.insert(tokens.end(), v <= 3 ? 2 : v - 1, std::to_string(v));
  return tokens;
}

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

TEST(RecodeMerge, TiesAreSettledByTheHeapsort) {
  const ReadOutcome read = read_nominal(rare_ties());
  EXPECT_EQ(recoding_lines(read.report),
            "1: 2(1) 2(2) 2(3) 3(4) 4(5) 5(6) 6(7) 7(8) 8(9) 9(10) 10(11) \n"
            "***Put catgories(3) (2) as category 999\n");
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{1, 4, 5, 6, 7, 8, 9, 10, 11, 999}));
  EXPECT_EQ(codes_of(read.data.X[0], 0, 6), (std::vector<double>{0, 0, 9, 9, 9, 9}));
}

}  // namespace
}  // namespace bramble_test
