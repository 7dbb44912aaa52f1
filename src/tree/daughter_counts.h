// The class counts of the two daughters of a split.
#pragma once

#include <algorithm>
#include <vector>

namespace bramble {

class DaughterCounts {
 public:
  explicit DaughterCounts(int n_classes) : n_classes_(n_classes), counts_(2 * n_classes, 0) {}

  int n_classes() const { return n_classes_; }

  void clear() { std::fill(counts_.begin(), counts_.end(), 0); }
  void add(int klass, bool right, int count = 1) { counts_[2 * klass + (right ? 0 : 1)] += count; }

  int count(int klass, bool right) const { return counts_[2 * klass + (right ? 0 : 1)]; }
  int right(int klass) const { return count(klass, true); }
  int left(int klass) const { return count(klass, false); }

  int total(bool right) const {
    int sum = 0;
    for (int k = 0; k < n_classes_; ++k) sum += count(k, right);
    return sum;
  }

 private:
  int n_classes_;
  std::vector<int> counts_;  // per class: the right daughter's count, then the left one's
};

}  // namespace bramble
