#include "prune/prune.h"

#include <cstdio>
#include <iterator>

#include "io/fatal.h"
#include "numeric/arrays.h"

namespace bramble {

namespace {

// Upper chi-square quantiles as stored (four decimals), row = degrees of freedom - 1.
constexpr double CHISQ_CRITICAL[][N_PRUNE_PASSES] = {
    {6.6348, 7.8794, 10.8275, 12.1156, 15.1367, 19.5114, 23.9281},
    {9.2103, 10.5966, 13.8155, 15.2018, 18.4206, 23.0258, 27.6310},
    {11.3448, 12.8381, 16.2662, 17.7300, 21.1075, 25.9017, 30.6648},
    {13.2767, 14.8602, 18.4668, 19.9973, 23.5127, 28.4732, 33.3768},
    {15.0862, 16.7496, 20.5150, 22.1053, 25.7448, 30.8561, 35.8881},
    {16.8118, 18.5475, 22.4577, 24.1028, 27.8563, 33.1070, 38.2583},
    {18.4753, 20.2777, 24.3218, 26.0177, 29.8775, 35.2585, 40.5218},
    {20.0902, 21.9549, 26.1244, 27.8680, 31.8276, 37.3315, 42.7009},
    {21.6659, 23.5893, 27.8771, 29.6658, 33.7199, 39.3406, 44.8109},
};
static_assert(std::size(CHISQ_CRITICAL) == MAX_CLASSES - 1, "a row per degrees of freedom");

// The collapses of one walk moved cases from a daughter to its parent, possibly several times
// along a chain; redirect[n] < n names the node that took over n's cases. Applying the whole chain
// in one pass over the cases gives the same case_node as moving them at every collapse.
void move_cases_up(NodeTable& table, std::vector<int>& redirect) {
  for (int node = 0; node < static_cast<int>(redirect.size()); ++node) {
    if (redirect[node] != node) redirect[node] = redirect[redirect[node]];
  }
  for (int& node : table.case_node) {
    if (node >= 0 && node < static_cast<int>(redirect.size())) node = redirect[node];
  }
}

int count_split_nodes(const NodeTable& table, int slots) {
  int internal = 0;
  for (int node = 0; node < slots; ++node) {
    if (table.left_child[node] > 0) ++internal;
  }
  return internal;
}

// Keeps split nodes and terminal nodes that hold cases, in their old order; returns how many.
int assign_new_indices(const NodeTable& table, const std::vector<std::vector<int>>& counts,
                       int slots, std::vector<int>& new_index, std::vector<int>& old_index) {
  int kept = 0;
  for (int node = 0; node < slots; ++node) {
    bool stays = table.is_split(node);
    for (int count : counts[node]) stays = stays || count > 0;
    if (!stays) continue;
    new_index[node] = kept;
    old_index[kept] = node;
    ++kept;
  }
  return kept;
}

// o = old_index[k] is never below k, so moving the fields in increasing k is safe in place. A
// collapsed split keeps its statistic: the values are moved, not cleared.
void move_node_fields(NodeTable& table, const std::vector<int>& new_index,
                      const std::vector<int>& old_index) {
  for (int k = 0; k < table.node_count; ++k) {
    const int old = old_index[k];
    table.split_var[k] = table.split_var[old];
    table.cut_off[k] = table.cut_off[old];
    table.left_child[k] = new_index[table.left_child[old]];
    table.parent[k] = new_index[table.parent[old]];
    table.node_size[k] = table.node_size[old];
    table.split_chisq[k] = table.split_chisq[old];
  }
  for (int& node : table.case_node) node = new_index[node];
}

// Daughters come after their parent, so a descending walk sums the rows bottom-up. A terminal
// node's counts are those its slot had before renumbering, which moves the cases with their node.
std::vector<std::vector<int>> gather_node_counts(
    const Dataset& data, const NodeTable& table,
    const std::vector<std::vector<int>>& counts_by_slot, const std::vector<int>& old_index) {
  std::vector<std::vector<int>> node_counts(table.node_count);
  for (int node = table.node_count - 1; node >= 0; --node) {
    const int left = table.left_child[node];
    if (left == 0) {
      node_counts[node] = counts_by_slot[old_index[node]];
      continue;
    }
    node_counts[node].assign(data.n_classes, 0);
    for (int k = 0; k < data.n_classes; ++k) {
      node_counts[node][k] = node_counts[left][k] + node_counts[left + 1][k];
    }
  }
  return node_counts;
}

}  // namespace

double critical_value(int n_classes, int pass) {
  if (n_classes < 2 || n_classes > MAX_CLASSES || pass < 0 || pass >= N_PRUNE_PASSES) {
    fatal_error("no critical value for this number of classes or pass");
  }
  return CHISQ_CRITICAL[n_classes - 2][pass];
}

std::vector<int> significant_splits(const NodeTable& table, int n_classes, int pass) {
  const double critical = critical_value(n_classes, pass);
  std::vector<int> keep_split = ivector(MAX_NODES);
  for (int node = 0; node < table.node_count; ++node) {
    keep_split[node] = table.split_chisq[node] >= critical ? 1 : 0;
  }
  return keep_split;
}

int prune_tree(NodeTable& table, const std::vector<int>& keep_split) {
  const int unpruned_count = table.node_count;
  std::vector<int> redirect = ivector(unpruned_count);
  for (int node = 0; node < unpruned_count; ++node) redirect[node] = node;
  int removed = 0;
  // Daughters have higher indices than their parent: walking down collapses a whole failing chain.
  for (int node = unpruned_count - 1; node >= 0; --node) {
    const int left = table.left_child[node];
    if (left == 0 || keep_split[node] != 0 || table.is_split(left) || table.is_split(left + 1)) {
      continue;
    }
    table.left_child[node] = 0;
    redirect[left] = node;
    redirect[left + 1] = node;
    ++removed;
  }
  move_cases_up(table, redirect);
  table.node_count -= 2 * removed;
  return unpruned_count;
}

std::vector<std::vector<int>> renumber_tree(const Dataset& data, NodeTable& table,
                                            int unpruned_count, FILE* console) {
  if (unpruned_count < table.node_count) {
    stop_without_wait("Error: a pruned tree cannot be larger than the original tree\n",
                      STATUS_DATA_ERROR);
  }
  const int new_count = 2 * count_split_nodes(table, unpruned_count) + 1;
  std::fprintf(console, "There remain %d nodes\n", new_count);

  std::vector<int> new_index = ivector(unpruned_count);
  std::vector<int> old_index = ivector(unpruned_count);
  const std::vector<std::vector<int>> counts = class_counts_by_node(data, table, unpruned_count);
  if (assign_new_indices(table, counts, unpruned_count, new_index, old_index) != new_count) {
    stop_with_message("Cannot match the tree sizes before and after pruning\n", STATUS_DATA_ERROR);
  }
  table.node_count = new_count;
  move_node_fields(table, new_index, old_index);
  return gather_node_counts(data, table, counts, old_index);
}

}  // namespace bramble
