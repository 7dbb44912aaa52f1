// The decimal category code: built from the categories sent right, and decoded to their labels
// for the report, the drawing and the dialogue, odd codes included.
#include "tree/category_code.h"

#include <gtest/gtest.h>

#include "support/scratch_stream.h"

namespace bramble {
namespace {

TEST(CategoryCode, DigitsAreTheCategoriesSentRight) {
  EXPECT_EQ(decimal_category_code({1, 0, 1}), 13.0);
  EXPECT_EQ(decimal_category_code({0, 2, 0, -1}), 24.0);  // any entry but 0 sends right
  EXPECT_EQ(decimal_category_code({0, 0}), 0.0);
}

TEST(CategoryList, NamesTheCategoriesFromTheLastDigitOn) {
  const std::vector<int> labels{10, 20, 30};
  const std::pair<double, const char*> cases[] = {
      {13.0, "30,10"},    {2.0, "20"}, {0.0, ""},
      {123.9, "30,20,10"},  // truncated toward zero
      {103.0, "30,10"},     // 0 names nothing, and no stray comma
      {40.0, ""},           // 4 is beyond the three labels
      {41.0, "10"},       {1e30, ""},
  };
  for (const auto& [code, names] : cases) {
    EXPECT_EQ(bramble_test::written_by([&](FILE* f) { write_category_list(code, labels, f); }),
              names)
        << code;
  }
}

}  // namespace
}  // namespace bramble
