// The example files read as their descriptions say.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "data/read_text.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

ReadOutcome read_example(const std::string& name) {
  return read_text(read_file(source_dir() + "/examples/" + name));
}

int count_of_class(const bramble::Dataset& data, int k) {
  return static_cast<int>(std::count(data.y.begin(), data.y.end(), k));
}

TEST(Examples, SmallFile) {
  const ReadOutcome read = read_example("small.dat");
  ASSERT_FALSE(read.stopped) << read.console;
  EXPECT_EQ(read.data.n_cases, 56);
  EXPECT_EQ(count_of_class(read.data, 1), 13);
  // age and bmi have missing values and get copies; smoker and region have missing categories.
  EXPECT_EQ(read.data.n_covariates, 6);
  EXPECT_EQ(recoding_lines(read.report),
            "1: 24.000000 74.000000\n2: 16(1) 24(2) 15(3) 1(-9) \n3: 18.800000 37.200000\n"
            "4: 17(1) 9(2) 14(3) 14(4) 2(-9) \n");
}

TEST(Examples, PublicDataSets) {
  const ReadOutcome iris = read_example("iris.dat");
  ASSERT_FALSE(iris.stopped);
  EXPECT_EQ(iris.data.n_cases, 150);
  EXPECT_EQ(iris.data.n_classes, 3);
  EXPECT_EQ(count_of_class(iris.data, 2), 50);

  const ReadOutcome stagec = read_example("stagec.dat");
  ASSERT_FALSE(stagec.stopped);
  EXPECT_EQ(stagec.data.n_cases, 146);
  EXPECT_EQ(count_of_class(stagec.data, 1), 54);
  EXPECT_EQ(stagec.data.n_covariates, 8) << "g2 and gleason get missing copies";

  const ReadOutcome solder = read_example("solder.dat");
  ASSERT_FALSE(solder.stopped);
  EXPECT_EQ(solder.data.n_cases, 900);
  EXPECT_EQ(solder.data.var_type[3], 10) << "ten pad types are kept without merging";
}

}  // namespace
}  // namespace bramble_test
