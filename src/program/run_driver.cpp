#include <cstdio>
#include <string>
#include <vector>

#include "data/recode.h"
#include "draw/postscript.h"
#include "interactive/control.h"
#include "numeric/arrays.h"
#include "numeric/fresh_memory.h"
#include "numeric/limits.h"
#include "numeric/output_file.h"
#include "program/console.h"
#include "program/notices.h"
#include "program/run.h"
#include "prune/prune.h"
#include "prune/report.h"
#include "tree/grow.h"
#include "tree/split_search.h"

namespace bramble {

namespace {

// The new report, begun with the data summary, takes the old one's place.
void start_report(const std::string& report_name, const std::string& data_summary) {
  FILE* report = open_output(report_name, "w");
  std::fwrite(data_summary.data(), 1, data_summary.size(), report);
  close_output(report, report_name);
}

// The drawing document is created with its header; every page is appended later by name.
void create_drawing(const std::string& ps_name) {
  FILE* file = open_output(ps_name, "w");
  write_ps_header(file);
  close_output(file, ps_name);
}

void close_drawing(const std::string& ps_name, int pages) {
  FILE* file = open_output(ps_name, "a");
  write_ps_trailer(file, pages);
  close_output(file, ps_name);
}

void grow_under_control(const Dataset& data, NodeTable& table, SplitSearch& search, FILE* report,
                        const std::string& base_name) {
  int random_seed = RANDOM_SEED;
  const std::string report_name = base_name + ".inf";
  const std::string ps_name = base_name + ".ps";
  table.node_count = 1;
  for (int node = 0; node < table.node_count; ++node) {
    control_node(node, data, table, search, random_seed, report_name);
  }
  std::fprintf(report, "\nYour tree:\n");
  write_tree_table(report, data, table);

  // Nothing was pruned: renumbering keeps the numbering and gathers the class counts.
  std::vector<std::vector<int>> node_counts = imatrix(table.node_count, data.n_classes);
  std::vector<int> old_index = ivector(MAX_NODES);
  renumber_tree(data, table, table.node_count, node_counts, old_index);
  create_drawing(ps_name);
  draw_tree_page(ps_name, data, table, node_counts, 1);
  close_drawing(ps_name, 1);
}

void write_chisq_list(FILE* report, const NodeTable& table) {
  std::fprintf(report, "The chi-square value for nodes after pruned are shown below\n");
  for (int i = 0; i < table.node_count; ++i) std::fprintf(report, "%f ", table.split_chisq[i]);
  std::fprintf(report, "\n");
}

// One pass: prune at P_VALUES[pass], compact the table, report and draw the pruned tree. Each pass
// starts from the tree the pass before left, so the seven trees are nested.
void prune_pass(const Dataset& data, NodeTable& table, int pass, FILE* report,
                std::vector<std::vector<int>>& node_counts, const std::string& ps_name) {
  const int unpruned_count = prune_tree(table, significant_splits(table, data.n_classes, pass));
  std::printf("Prune at p-value of %f is finished.\n", P_VALUES[pass]);
  std::fprintf(report, "\nThe pruned tree at p-value of %f:\n", P_VALUES[pass]);

  std::vector<int> old_index = ivector(MAX_NODES);
  renumber_tree(data, table, unpruned_count, node_counts, old_index);
  // old_index[i] is never below i, so copying upwards in place is safe. A collapsed split keeps
  // its statistic: only the values are moved, not cleared.
  for (int i = 0; i < table.node_count; ++i) {
    table.node_size[i] = table.node_size[old_index[i]];
    table.split_chisq[i] = table.split_chisq[old_index[i]];
  }
  // The counts renumbering gathered are those of the renumbered table.
  write_tree_table(report, data, table, node_counts);
  write_chisq_list(report, table);
  // The report's tables stay even when the drawing fails below.
  std::fflush(report);

  std::printf("Ready to draw PS file.\n");
  draw_tree_page(ps_name, data, table, node_counts, pass + 1);
}

void grow_automatically(Dataset& data, NodeTable& table, int rule, FILE* report,
                        const std::string& base_name) {
  const std::string ps_name = base_name + ".ps";
  // Every case stays in the root, case node 0, until the growth records the terminal nodes:
  // meanwhile the case nodes need no pages of their own, and they come back zero-filled.
  release(table.case_node.data(), table.case_node.size() * sizeof(table.case_node[0]));
  {
    SplitSearch search(data, rule, SplitSearch::FreeCodedColumns{});
    grow_tree(data, table, search);
  }
  std::printf("\nAn initial tree with %d nodes is grown, ready to prune\n", table.node_count);
  std::fprintf(report, "\nThe initial tree:\n");
  write_tree_table(report, data, table);

  // Rows for the grown tree serve every pruned tree, which is never larger.
  std::vector<std::vector<int>> node_counts = imatrix(table.node_count, data.n_classes);
  create_drawing(ps_name);
  for (int pass = 0; pass < N_PRUNE_PASSES; ++pass) {
    prune_pass(data, table, pass, report, node_counts, ps_name);
  }
  close_drawing(ps_name, N_PRUNE_PASSES);
}

}  // namespace

void run_tree(Dataset& data, NodeTable& table, int rule, const std::string& base_name,
              const std::string& data_summary) {
  const std::string report_name = base_name + ".inf";
  init_node_table(table);
  show_user_notice(report_name);
  std::printf("\nDo you want to control the splitting [y/n(default)]? ");
  const int control = read_choice(0, "Enter[Y/y/1] for yes, [N/n/0] for no!", true);

  // The last moment to stop with the old report kept has passed.
  start_report(report_name, data_summary);
  FileHandle report(open_output(report_name, "a"));
  if (control == 1) {
    // The dialogue reads every covariate's values, missing copies included.
    fill_missing_copies(data);
    SplitSearch search(data, rule);
    grow_under_control(data, table, search, report.get(), base_name);
  } else {
    grow_automatically(data, table, rule, report.get(), base_name);
  }
  close_output(report.release(), report_name);
}

}  // namespace bramble
