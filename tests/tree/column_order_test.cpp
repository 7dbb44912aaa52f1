#include "tree/column_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace bramble {
namespace {

std::vector<ColumnEntry> cases_of(const std::vector<ColumnEntry>& order) {
  std::vector<ColumnEntry> cases;
  for (const ColumnEntry entry : order) cases.push_back(entry & CASE_BITS);
  return cases;
}

std::vector<bool> run_starts(const std::vector<ColumnEntry>& order) {
  std::vector<bool> starts;
  for (const ColumnEntry entry : order) starts.push_back((entry & RUN_START) != 0);
  return starts;
}

std::vector<ColumnEntry> sort_cases(const std::vector<double>& values) {
  ColumnSorter sorter(EntryBody{}, std::vector<std::uint64_t>(values.size()),
                      std::vector<std::uint64_t>(values.size()));
  return sorter.sort(values);
}

TEST(ColumnSorter, OrdersValuesAFloatCannotTellApart) {
  // 1 + 1e-12 and 1 round to the same float; 1e300 and 1e301 lie beyond the float range.
  const std::vector<double> values = {1 + 1e-12, 1e301, 1.0, -1e300, 1e300, 1.0, -0.0, 0.0, -2.5};
  const std::vector<ColumnEntry> order = sort_cases(values);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{3, 8, 6, 7, 2, 5, 0, 4, 1}));
  EXPECT_EQ(run_starts(order),
            (std::vector<bool>{true, true, true, false, true, false, true, true, true}));
}

TEST(ColumnSorter, DecimalsAFloatCannotTellApart) {
  // 300000.01 and 300000.02 round to one float; written with two places they differ. -0.0 and
  // 0.0 are one value.
  const std::vector<double> values = {300000.02, -12.5, 300000.01, 0.0, 300000.02, -0.0, -12.25};
  const std::vector<ColumnEntry> order = sort_cases(values);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{1, 6, 3, 5, 2, 0, 4}));
  EXPECT_EQ(run_starts(order), (std::vector<bool>{true, true, true, false, true, true, false}));
}

TEST(ColumnSorter, PackedClassesGoWithTheirCases) {
  // Bodies are case x 2 + class: the tied groups must look values up by case, not by body.
  const std::vector<double> values = {1 + 1e-12, 1e301, 1.0, -1e300, 1e300, 1.0, -0.0, 0.0, -2.5};
  const std::vector<unsigned char> classes = {1, 0, 1, 1, 0, 0, 1, 0, 1};
  ColumnSorter sorter(EntryBody{1, 1u, classes.data()}, std::vector<std::uint64_t>(values.size()),
                      std::vector<std::uint64_t>(values.size() + 3));
  const std::vector<ColumnEntry> order = sorter.sort(values);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{7, 17, 13, 14, 5, 10, 1, 8, 2}));
  EXPECT_EQ(run_starts(order),
            (std::vector<bool>{true, true, true, false, true, false, true, true, true}));
}

TEST(ColumnSorter, EqualValuesStayInCaseOrder) {
  const std::vector<double> values = {2, 1, 2, 1, 2};
  const std::vector<ColumnEntry> order = sort_cases(values);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{1, 3, 0, 2, 4}));
  EXPECT_EQ(run_starts(order), (std::vector<bool>{true, false, true, false, false}));
}

TEST(MissingCopyForm, MissingCasesBelowInTheSourceAndAboveInTheCopy) {
  // Missing cases 1 and 3: below every value in the source, above every value in the copy.
  const std::vector<double> source = {4.5, 1.0, 2.0, 1.0, 3.0};
  const MissingCopyForm form = missing_copy_form(source, {4.5, 5.5, 2.0, 5.5, 3.0});
  EXPECT_TRUE(form.holds);
  EXPECT_TRUE(form.any_missing);
  EXPECT_EQ(form.source_value, 1.0);
  EXPECT_EQ(form.copy_value, 5.5);

  EXPECT_TRUE(missing_copy_form(source, source).holds);
  // Two copy values for the missing cases, a copy value not above the others, a source value not
  // below the others: all refused (the copy then gets a column of its own).
  EXPECT_FALSE(missing_copy_form(source, {4.5, 6.5, 2.0, 5.5, 3.0}).holds);
  EXPECT_FALSE(missing_copy_form(source, {4.5, 4.5, 2.0, 4.5, 3.0}).holds);
  EXPECT_FALSE(missing_copy_form({4.5, 2.0, 2.0, 2.0, 3.0}, {4.5, 5.5, 2.5, 5.5, 3.0}).holds);
}

TEST(RankCodes, RanksOfFewValuesWithoutSorting) {
  RankCodes codes;
  ASSERT_TRUE(rank_codes({7.5, -1.0, 7.5, 0.0, -0.0, 3.0}, codes));
  EXPECT_EQ(codes.codes, (std::vector<std::uint8_t>{3, 0, 3, 1, 1, 2}));
  EXPECT_EQ(codes.values, (std::vector<double>{-1.0, 0.0, 3.0, 7.5}));

  std::vector<double> values;
  for (int v = 0; v < MAX_CODES; ++v) values.push_back(v * 0.5 - 20);
  for (int v = MAX_CODES - 1; v >= 0; --v) values.push_back(v * 0.5 - 20);
  ASSERT_TRUE(rank_codes(values, codes));
  EXPECT_EQ(codes.codes[0], 0);
  EXPECT_EQ(codes.codes[MAX_CODES], MAX_CODES - 1);
  EXPECT_EQ(codes.values.back(), (MAX_CODES - 1) * 0.5 - 20);
  values.push_back(1000.0);  // one value too many
  EXPECT_FALSE(rank_codes(values, codes));
}

}  // namespace
}  // namespace bramble
