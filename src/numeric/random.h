// Uniform deviates in [0, 1): three linear congruential generators with a 97-entry shuffle table.
#pragma once

#include <array>

namespace bramble {

class RandomStream {
 public:
  // The stream of seed: two streams of one seed give the same deviates.
  explicit RandomStream(int seed);

  double next();

 private:
  static constexpr int TABLE_SIZE = 97;

  double deviate() const;

  int x1_ = 0;
  int x2_ = 0;
  int x3_ = 0;
  std::array<double, TABLE_SIZE> shuffle_table_{};
};

}  // namespace bramble
