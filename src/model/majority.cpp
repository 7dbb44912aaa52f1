#include "model/majority.h"

#include <algorithm>
#include <numeric>

namespace bramble {

int majority_class(const std::vector<int>& class_counts) {
  // max_element keeps the first of equal counts, which is the lower class; with no counts it
  // gives the end, class 0.
  const auto most = std::max_element(class_counts.begin(), class_counts.end());
  return static_cast<int>(most - class_counts.begin());
}

int misclassified_cases(const ModelTree& tree) {
  int wrong = 0;
  for (const ModelNode& node : tree.nodes) {
    if (node.is_split() || node.class_counts.empty()) continue;
    const int cases = std::accumulate(node.class_counts.begin(), node.class_counts.end(), 0);
    wrong += cases - node.class_counts[majority_class(node.class_counts)];
  }
  return wrong;
}

}  // namespace bramble
