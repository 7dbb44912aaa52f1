// Pages given back to the system come back zero-filled: a range one page too wide would zero live
// data, which small runs never show (requests start at a megabyte); the random stream.
#include "numeric/fresh_memory.h"
#include "numeric/random.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "program/run.h"

namespace bramble {
namespace {

// Exactly the whole pages inside the range come back zero-filled, for a range that starts inside
// a page and one of a mebibyte (the least request) that starts and ends on page boundaries.
TEST(FreshMemory, ReleasingGivesBackTheWholePagesInTheRange) {
  const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  std::vector<std::uint32_t> values(std::size_t{3} << 20, 7u);
  std::vector<std::uint32_t> expected = values;
  const auto address = [&](std::size_t i) { return reinterpret_cast<std::uintptr_t>(&values[i]); };
  std::size_t on_boundary = 0;
  while (address(on_boundary) % page != 0) ++on_boundary;
  for (const std::size_t first : {std::size_t{1001}, on_boundary + (std::size_t{1} << 20)}) {
    const std::size_t end = first + (std::size_t{1} << 18);
    release(&values[first], (end - first) * sizeof(values[0]));
    for (std::size_t i = first; i < end; ++i) {
      const std::uintptr_t its_page = address(i) / page * page;
      if (its_page >= address(first) && its_page + page <= address(end)) expected[i] = 0;
    }
    ASSERT_TRUE(values == expected) << first;
  }
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
