#include "tree/node_table.h"

#include <algorithm>

#include "numeric/arrays.h"
#include "tree/category_code.h"

namespace bramble {

void init_node_table(NodeTable& table) {
  std::fill(table.case_node.begin(), table.case_node.end(), 0);
  const long n_cases = static_cast<long>(table.case_node.size());
  const long slots = std::min(2 * n_cases, static_cast<long>(MAX_NODES));
  for (long i = 0; i < slots; ++i) {
    table.left_child[i] = 0;
    table.split_var[i] = 0;
    table.cut_off[i] = 0.0;
  }
}

namespace {

// Clears flags[0..g-1], flags the categories of the listed cases and returns how many were
// flagged (but 1 when that is 0 or 1).
int mark_categories(const double* values, int* flags, int g, const int* cases, int m) {
  std::fill(flags, flags + g, 0);
  for (int i = 0; i < m; ++i) flags[static_cast<int>(values[cases[i]])] = 1;
  const int present = static_cast<int>(std::count(flags, flags + g, 1));
  return std::max(present, 1);
}

// The binary-reflected Gray code of a (a XOR a>>1) into bits[0..count-1], least significant first.
void gray_code_bits(int a, int* bits, int count) {
  for (int i = 0; i < count; ++i) bits[i] = (a >> i) & 1;
  for (int i = count - 1; i >= 0; --i) {
    const int higher_bit = i == count - 1 ? 0 : (a >> (i + 1)) & 1;
    if (higher_bit == 1) bits[i] = 1 - bits[i];
  }
}

void send_case(NodeTable& table, int case_index, int klass, bool goes_right) {
  const int left = table.node_count;
  table.case_node[case_index] = goes_right ? left + 1 : left;
  table.daughter_counts.add(klass, goes_right);
}

}  // namespace

std::vector<std::vector<int>> class_counts_by_node(const Dataset& data, const NodeTable& table,
                                                   int slots) {
  std::vector<std::vector<int>> counts = imatrix(slots, data.n_classes);
  for (int j = 0; j < data.n_cases; ++j) {
    const int node = table.case_node[j];
    if (node >= 0 && node < slots) ++counts[node][data.y[j]];
  }
  return counts;
}

void present_to_going_right(std::vector<int>& flags, int present, int code) {
  std::vector<int> bits = ivector(static_cast<long>(flags.size()));
  gray_code_bits(code, bits.data(), present - 1);
  bits[present - 1] = 0;
  int j = 0;
  for (int& flag : flags) {
    if (flag == 1) flag = bits[j++];
  }
}

std::vector<int> categories_going_right(const Dataset& data, int var, const int* cases, int m,
                                        int code) {
  const int g = data.var_type[var];
  std::vector<int> flags = ivector(g);
  const int present = mark_categories(data.X[var].data(), flags.data(), g, cases, m);
  present_to_going_right(flags, present, code);
  return flags;
}

void partition_node(const Dataset& data, NodeTable& table, int node, const int* cases, int m,
                    int var, int code) {
  table.daughter_counts.clear();
  const double* values = data.X[var].data();
  if (!data.is_nominal(var) || code == 0) {
    const double cut = table.cut_off[node];
    for (int i = 0; i < m; ++i) {
      const int c = cases[i];
      send_case(table, c, data.y[c], values[c] > cut);
    }
    return;
  }
  const std::vector<int> flags = categories_going_right(data, var, cases, m, code);
  for (int i = 0; i < m; ++i) {
    const int c = cases[i];
    send_case(table, c, data.y[c], flags[static_cast<int>(values[c])] == 1);
  }
  table.cut_off[node] = decimal_category_code(flags);
}

}  // namespace bramble
