// Split search without sorting at every node: every ordinal covariate is sorted once, and the cases
// of each node stay one contiguous segment of every sorted column (in value order) and of the case
// list (in case order). Results and tie-breaks equal those of sorting the node's values afresh.
#pragma once

#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"

namespace bramble {

class SplitSearch {
 public:
  // Every case starts in the root, node 0.
  SplitSearch(const Dataset& data, int rule);

  // The cases of node in increasing case order, and their number.
  const int* cases(int node) const;
  int size(int node) const;

  // Best cut-off of ordinal covariate var among the cases of node whose excluded flag (a per-case
  // array, or nullptr for none) is 0. cut receives the largest value going left, or the smallest
  // value considered when no boundary is admissible; the lowest cut-off wins ties. Returns
  // n_classes when no boundary is admissible.
  double best_ordinal_split(int var, int node, const unsigned char* excluded, double& cut) const;

  // Best split of covariate var over all cases of node, ordinal or nominal by its var_type.
  double best_split(int var, int node, double& cut) const;

  // Once partition_node has sent the cases of node to left and left + 1 in case_node, gives each
  // daughter its own contiguous segments (order within each kept).
  void split(int node, int left, const std::vector<int>& case_node);

  int rule() const { return rule_; }

 private:
  const Dataset& data_;
  int rule_;
};

}  // namespace bramble
