#include <vector>

#include "interactive/risk.h"
#include "numeric/arrays.h"
#include "numeric/random.h"

namespace bramble {

namespace {

// The pool of entries not yet drawn, kept as a Fenwick tree of 0/1 presence flags so that the j-th
// remaining entry is found and removed in O(log n) instead of shifting the pool.
class Pool {
 public:
  explicit Pool(int n) : tree_(ivector(n + 1)) {
    for (int i = 1; i <= n; ++i) {
      tree_[i] += 1;
      const int up = i + (i & -i);
      if (up <= n) tree_[up] += tree_[i];
    }
    high_bit_ = 1;
    while (high_bit_ * 2 <= n) high_bit_ *= 2;
  }

  // Removes and returns the j-th (0-based) remaining entry.
  int take(int j) {
    int position = 0;  // the last tree index whose prefix count is at most j
    int remaining = j;
    const int n = static_cast<int>(tree_.size()) - 1;
    for (int step = high_bit_; step > 0; step /= 2) {
      const int next = position + step;
      if (next <= n && tree_[next] <= remaining) {
        position = next;
        remaining -= tree_[next];
      }
    }
    for (int i = position + 1; i <= n; i += i & -i) tree_[i] -= 1;
    return position;  // tree index position + 1 holds entry position
  }

 private:
  std::vector<int> tree_;
  int high_bit_ = 1;
};

}  // namespace

std::vector<int> random_order(int& seed, int n) {
  std::vector<int> order = ivector(n);
  Pool pool(n > 0 ? n : 0);
  for (int i = 0; i < n; ++i) {
    const int left = n - i;
    int j = static_cast<int>(ran1(seed) * left);
    if (j >= left) j = left - 1;
    order[i] = pool.take(j);
  }
  return order;
}

}  // namespace bramble
