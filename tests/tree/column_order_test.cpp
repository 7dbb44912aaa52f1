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

TEST(ColumnSorter, OrdersValuesAFloatCannotTellApart) {
  // 1 + 1e-12 and 1 round to the same float; 1e300 and 1e301 lie beyond the float range.
  const std::vector<double> values = {1 + 1e-12, 1e301, 1.0, -1e300, 1e300, 1.0, -0.0, 0.0, -2.5};
  ColumnSorter sorter(static_cast<int>(values.size()));
  const std::vector<ColumnEntry> order = sorter.sort(values);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{3, 8, 6, 7, 2, 5, 0, 4, 1}));
  EXPECT_EQ(run_starts(order),
            (std::vector<bool>{true, true, true, false, true, false, true, true, true}));
}

TEST(ColumnSorter, EqualValuesStayInCaseOrder) {
  const std::vector<double> values = {2, 1, 2, 1, 2};
  ColumnSorter sorter(5);
  const std::vector<ColumnEntry> order = sorter.sort(values);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{1, 3, 0, 2, 4}));
  EXPECT_EQ(run_starts(order), (std::vector<bool>{true, false, true, false, false}));
}

TEST(MissingCopyOrder, MovesTheMissingCasesToTheEnd) {
  // Missing cases 1 and 3: below every value in the source, above every value in the copy.
  const std::vector<double> source = {4.5, 1.0, 2.0, 1.0, 3.0};
  const std::vector<double> copy = {4.5, 5.5, 2.0, 5.5, 3.0};
  ColumnSorter sorter(5);
  const std::vector<ColumnEntry> order = order_of_missing_copy(sorter.sort(source), source, copy);
  EXPECT_EQ(cases_of(order), (std::vector<ColumnEntry>{2, 4, 0, 1, 3}));
  EXPECT_EQ(run_starts(order), (std::vector<bool>{true, true, true, true, false}));

  // A copy that is not of this form is refused (the caller sorts it instead).
  const std::vector<double> other = {4.5, 0.5, 2.0, 5.5, 3.0};
  EXPECT_TRUE(order_of_missing_copy(sorter.sort(source), source, other).empty());
}

}  // namespace
}  // namespace bramble
