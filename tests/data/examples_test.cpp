// The public example data sets read as examples/README.md describes them (small.dat is run by
// the README tests).
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
