#include "numeric/fresh_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace bramble {
namespace {

// Asking for pages early must never change what they hold (a wrong request, such as one that
// discards pages, would zero them).
TEST(FreshMemory, PopulatingKeepsContents) {
  std::vector<std::uint32_t> values(std::size_t{3} << 20);
  const auto pattern = [](std::size_t i) { return static_cast<std::uint32_t>(i * 2654435761u); };
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = pattern(i);
  populate(values.data() + 12345, (values.size() - 12345 - 7) * sizeof(values[0]));
  populate(values.data() + 1, 100);  // below the size worth a request
  for (std::size_t i = 0; i < values.size(); ++i) {
    ASSERT_EQ(values[i], pattern(i)) << "at " << i;
  }
}

TEST(FreshMemory, ResizeKeepsElementsAndZeroesNewOnes) {
  std::vector<double> values = {1.5, -2.0, 3.25};
  resize_populated(values, std::size_t{1} << 20);
  ASSERT_EQ(values.size(), std::size_t{1} << 20);
  EXPECT_EQ(values[0], 1.5);
  EXPECT_EQ(values[1], -2.0);
  EXPECT_EQ(values[2], 3.25);
  for (std::size_t i = 3; i < values.size(); ++i) ASSERT_EQ(values[i], 0.0) << "at " << i;
  resize_populated(values, 2);
  EXPECT_EQ(values, (std::vector<double>{1.5, -2.0}));
  EXPECT_TRUE(populated_vector<int>(0).empty());
}

// Released pages come back zero-filled; bytes outside the whole pages of the range, and the
// elements of a vector whose unused room is released, never change.
TEST(FreshMemory, ReleasingTouchesOnlyWholePagesInTheRange) {
  std::vector<std::uint32_t> values(std::size_t{3} << 20, 7u);
  const std::size_t first = 1001;
  const std::size_t count = std::size_t{1} << 20;
  release(values.data() + first, count * sizeof(values[0]));
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i < first || i >= first + count) {
      ASSERT_EQ(values[i], 7u) << "outside the range, at " << i;
    } else {
      ASSERT_TRUE(values[i] == 7u || values[i] == 0u) << "at " << i;
    }
  }
#if defined(__linux__)
  EXPECT_EQ(values[first + count / 2], 0u) << "a whole page inside the range is given back";
#endif

  std::vector<double> column(std::size_t{1} << 18, 2.5);
  column.reserve(std::size_t{1} << 20);
  column.resize(std::size_t{1} << 19, 2.5);  // pages of the room written, then let go
  column.resize(std::size_t{1} << 18);
  release_unused_room(column);
  ASSERT_EQ(column.size(), std::size_t{1} << 18);
  for (const double value : column) ASSERT_EQ(value, 2.5);
}

}  // namespace
}  // namespace bramble
