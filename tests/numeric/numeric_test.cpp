// The numeric floor: pages given back to the system come back zero-filled, so a range one page too
// wide would zero live data, which runs on small data sets never show (the requests start at a
// megabyte); the random stream.
#include "numeric/fresh_memory.h"
#include "numeric/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "program/run.h"

namespace bramble {
namespace {

TEST(FreshMemory, ReleasingTouchesOnlyWholePagesInTheRange) {
  std::vector<std::uint32_t> values(std::size_t{3} << 20, 7u);
  const std::size_t first = 1001;
  const std::size_t count = std::size_t{1} << 20;
  release(values.data() + first, count * sizeof(values[0]));
  for (std::size_t i = 0; i < values.size(); ++i) {
    const bool inside = i >= first && i < first + count;
    ASSERT_TRUE(values[i] == 7u || (inside && values[i] == 0u)) << "at " << i;
  }
  EXPECT_EQ(values[first + count / 2], 0u) << "a whole page inside the range is given back";
  std::vector<double> column(std::size_t{1} << 18, 2.5);
  column.reserve(std::size_t{1} << 20);
  column.resize(std::size_t{1} << 19, 2.5);  // pages of the room written, then let go
  column.resize(std::size_t{1} << 18);
  release_unused_room(column);
  EXPECT_EQ(column, std::vector<double>(std::size_t{1} << 18, 2.5));
}

// However long a session, every deviate of the stream the case orders come from is in [0, 1) and
// drawn without an internal error. (Whole controlled runs pin down its first deviates.)
TEST(RandomStream, LongStreamsStayInTheUnitInterval) {
  RandomStream stream(RANDOM_SEED);
  for (int i = 0; i < 100000; ++i) {
    const double deviate = stream.next();
    ASSERT_TRUE(deviate >= 0.0 && deviate < 1.0) << "deviate " << i << ": " << deviate;
  }
}

}  // namespace
}  // namespace bramble
