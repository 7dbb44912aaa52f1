#include "numeric/random.h"

#include "io/fatal.h"

namespace bramble {

namespace {

// Each generator: x := (multiplier * x + increment) mod modulus. Every product of a multiplier
// with a state stays below 2^31, so int arithmetic is exact.
struct Congruential {
  int multiplier, increment, modulus;
  int step(int x) const { return (multiplier * x + increment) % modulus; }
};

constexpr Congruential FIRST{7141, 54773, 259200};
constexpr Congruential SECOND{8121, 28411, 134456};
constexpr Congruential THIRD{4561, 51349, 243000};
constexpr double FIRST_SCALE = 1.0 / 259200;
constexpr double SECOND_SCALE = 1.0 / 134456;

}  // namespace

RandomStream::RandomStream(int seed) {
  // Widened so that a large negative seed cannot overflow; the remainder keeps the dividend's sign.
  x1_ = static_cast<int>((static_cast<long long>(FIRST.increment) - seed) % FIRST.modulus);
  x1_ = FIRST.step(x1_);
  x2_ = x1_ % SECOND.modulus;
  x1_ = FIRST.step(x1_);
  x3_ = x1_ % THIRD.modulus;
  for (double& entry : shuffle_table_) {
    x1_ = FIRST.step(x1_);
    x2_ = SECOND.step(x2_);
    entry = deviate();
  }
}

// The first generator supplies the high-order part of a deviate, the second the low-order part.
double RandomStream::deviate() const { return (x1_ + x2_ * SECOND_SCALE) * FIRST_SCALE; }

double RandomStream::next() {
  x1_ = FIRST.step(x1_);
  x2_ = SECOND.step(x2_);
  x3_ = THIRD.step(x3_);
  const int j = (TABLE_SIZE * x3_) / THIRD.modulus;
  if (j >= TABLE_SIZE || j < 0) fatal_error("RAN1: This cannot happen.");
  const double result = shuffle_table_[j];
  shuffle_table_[j] = deviate();
  return result;
}

}  // namespace bramble
