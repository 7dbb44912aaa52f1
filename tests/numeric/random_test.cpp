// The stream the case orders come from: however long a session, every deviate is in [0, 1) and
// drawn without an internal error. (Whole controlled runs pin down its first deviates.)
#include "numeric/random.h"

#include <gtest/gtest.h>

#include "program/run.h"

namespace bramble {
namespace {

TEST(RandomStream, LongStreamsStayInTheUnitInterval) {
  RandomStream stream(RANDOM_SEED);
  for (int i = 0; i < 100000; ++i) {
    const double deviate = stream.next();
    ASSERT_TRUE(deviate >= 0.0 && deviate < 1.0) << "deviate " << i << ": " << deviate;
  }
}

}  // namespace
}  // namespace bramble
