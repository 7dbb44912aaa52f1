#include "report/tree_table.h"

#include <cmath>

#include "numeric/arrays.h"

namespace bramble {

namespace {

bool holds_cases(const std::vector<int>& counts) {
  for (int count : counts) {
    if (count > 0) return true;
  }
  return false;
}

void write_split_row(FILE* report, const Dataset& data, const NodeTable& table, int node) {
  const int var = table.split_var[node];
  const int left = table.left_child[node];
  // A missing copy is shown as the covariate it was made from; "/NA" says missing values go right.
  const bool missing_copy = !data.is_nominal(var) && data.is_missing_copy(var);
  const int shown = missing_copy ? data.source_var[var] : var;
  std::fprintf(report, "%6d %7d %6d  %6d %6d       ", node + 1, table.node_size[node], left + 1,
               left + 2, shown + 1);
  if (data.is_nominal(var)) {
    std::fputs("{", report);
    write_category_list(table.cut_off[node], data.ori_catg[var], report);
    std::fputs("}\n", report);
  } else {
    std::fprintf(report, missing_copy ? "%8.5f/NA\n" : "%8.5f\n", table.cut_off[node]);
  }
}

void write_terminal_row(FILE* report, const NodeTable& table, int node,
                        const std::vector<int>& counts) {
  std::fprintf(report, "%6d %7d terminal node with distribution: ", node + 1, table.node_size[node]);
  for (int count : counts) std::fprintf(report, "%d ", count);
  std::fputs("\n", report);
}

}  // namespace

void write_tree_table(FILE* report, const Dataset& data, const NodeTable& table) {
  write_tree_table(report, data, table, class_counts_by_node(data, table));
}

void write_tree_table(FILE* report, const Dataset& data, const NodeTable& table,
                      const std::vector<std::vector<int>>& counts) {
  std::fputs("  node  #cases   left   right  split var  cut-off\n", report);
  for (int node = 0; node < table.node_count; ++node) {
    if (table.is_split(node)) {
      write_split_row(report, data, table, node);
    } else if (holds_cases(counts[node])) {
      write_terminal_row(report, table, node, counts[node]);
    }
  }
}

std::vector<std::vector<int>> class_counts_by_node(const Dataset& data, const NodeTable& table) {
  return class_counts_by_node(data, table, table.node_count);
}

std::vector<std::vector<int>> class_counts_by_node(const Dataset& data, const NodeTable& table,
                                                   int slots) {
  std::vector<std::vector<int>> counts = imatrix(slots, data.n_classes);
  for (int j = 0; j < data.n_cases; ++j) {
    const int node = table.case_node[j];
    if (node >= 0 && node < slots) ++counts[node][data.y[j]];
  }
  return counts;
}

void write_category_list(double value, const std::vector<int>& labels, FILE* out) {
  // Valid codes have at most 9 digits; anything far outside that (or not a number) names nothing
  // rather than overflowing the conversion.
  long long digits = std::fabs(value) < 1e18 ? static_cast<long long>(value) : 0;
  bool first = true;
  while (digits != 0) {
    const long long digit = digits % 10;
    if (digit >= 1 && digit <= static_cast<long long>(labels.size())) {
      std::fprintf(out, first ? "%d" : ",%d", labels[digit - 1]);
      first = false;
    }
    digits /= 10;
  }
}

}  // namespace bramble
