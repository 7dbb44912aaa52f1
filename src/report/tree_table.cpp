#include "report/tree_table.h"

#include "tree/category_code.h"

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
  write_tree_table(report, data, table, class_counts_by_node(data, table, table.node_count));
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

void write_chisq_list(FILE* report, const NodeTable& table) {
  std::fprintf(report, "The chi-square value for nodes after pruned are shown below\n");
  for (int i = 0; i < table.node_count; ++i) std::fprintf(report, "%f ", table.split_chisq[i]);
  std::fprintf(report, "\n");
}

}  // namespace bramble
