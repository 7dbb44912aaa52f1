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

constexpr Congruential kFirst{7141, 54773, 259200};
constexpr Congruential kSecond{8121, 28411, 134456};
constexpr Congruential kThird{4561, 51349, 243000};
constexpr double kFirstScale = 1.0 / 259200;
constexpr double kSecondScale = 1.0 / 134456;
constexpr int kTableSize = 97;

bool initialised = false;
int x1 = 0, x2 = 0, x3 = 0;
double shuffle_table[kTableSize + 1];  // entries 1..97

// The first generator supplies the high-order part of a deviate, the second the low-order part.
double deviate() { return (x1 + x2 * kSecondScale) * kFirstScale; }

void seed_generators(int& seed) {
  initialised = true;
  // Widened so that a large negative seed cannot overflow; the remainder keeps the dividend's sign.
  x1 = static_cast<int>((static_cast<long long>(kFirst.increment) - seed) % kFirst.modulus);
  x1 = kFirst.step(x1);
  x2 = x1 % kSecond.modulus;
  x1 = kFirst.step(x1);
  x3 = x1 % kThird.modulus;
  for (int j = 1; j <= kTableSize; ++j) {
    x1 = kFirst.step(x1);
    x2 = kSecond.step(x2);
    shuffle_table[j] = deviate();
  }
  seed = 1;
}

}  // namespace

double ran1(int& seed) {
  if (seed < 0 || !initialised) seed_generators(seed);
  x1 = kFirst.step(x1);
  x2 = kSecond.step(x2);
  x3 = kThird.step(x3);
  const int j = 1 + (kTableSize * x3) / kThird.modulus;
  if (j > kTableSize || j < 1) fatal_error("RAN1: This cannot happen.");
  const double result = shuffle_table[j];
  shuffle_table[j] = deviate();
  return result;
}

void ran1_forget_seed() { initialised = false; }

}  // namespace bramble
