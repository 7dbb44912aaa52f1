#include "program/run_driver.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "data/recode.h"
#include "draw/postscript.h"
#include "interactive/control.h"
#include "io/output_file.h"
#include "model/run_model.h"
#include "numeric/fresh_memory.h"
#include "program/notices.h"
#include "program/run_outputs.h"
#include "prune/prune.h"
#include "report/tree_table.h"
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

// model, when there is one, takes each tree as it is reported, and the dialogue's judgements.
void grow_under_control(Run& run, const Dataset& data, NodeTable& table, SplitSearch& search,
                        FILE* report, Model* model) {
  const std::string report_name = run.settings.report_name();
  const std::string ps_name = run.settings.drawing_name();
  FILE* console = run.console.out();
  table.node_count = 1;
  std::vector<Judgement> judgements;
  const DialogueContext context{data,       table,       search, run.console,
                                run.random, report_name, model ? &judgements : nullptr};
  for (int node = 0; node < table.node_count; ++node) control_node(node, context);
  std::fprintf(report, "\nYour tree:\n");
  write_tree_table(report, data, table);

  // Nothing was pruned: renumbering keeps the numbering and gathers the class counts.
  const std::vector<std::vector<int>> node_counts =
      renumber_tree(data, table, table.node_count, console);
  if (model) {
    model->trees.push_back(describe_tree(data, table, node_counts, "controlled", false));
    model->judged = describe_judgements(data, judgements);
  }
  create_drawing(ps_name);
  draw_tree_page(ps_name, data, table, node_counts, 1, console);
  close_drawing(ps_name, 1);
}

// One pass: prune at P_VALUES[pass], compact the table, report and draw the pruned tree. Each pass
// starts from the tree the pass before left, so the seven trees are nested.
void prune_pass(const Dataset& data, NodeTable& table, int pass, FILE* report, FILE* console,
                const std::string& ps_name, Model* model) {
  const int unpruned_count = prune_tree(table, significant_splits(table, data.n_classes, pass));
  std::fprintf(console, "Prune at p-value of %f is finished.\n", P_VALUES[pass]);
  std::fprintf(report, "\nThe pruned tree at p-value of %f:\n", P_VALUES[pass]);

  const std::vector<std::vector<int>> node_counts =
      renumber_tree(data, table, unpruned_count, console);
  write_tree_table(report, data, table, node_counts);
  write_chisq_list(report, table);
  if (model) model->trees.push_back(describe_pruned_tree(data, table, node_counts, pass));
  // The report's tables stay even when the drawing fails below.
  std::fflush(report);

  std::fprintf(console, "Ready to draw PS file.\n");
  draw_tree_page(ps_name, data, table, node_counts, pass + 1, console);
}

void grow_automatically(Run& run, Dataset& data, NodeTable& table, FILE* report, Model* model) {
  const std::string ps_name = run.settings.drawing_name();
  FILE* console = run.console.out();
  // Every case stays in the root, case node 0, until the growth records the terminal nodes:
  // meanwhile the case nodes need no pages of their own, and they come back zero-filled.
  release_elements(table.case_node);
  {
    SplitSearch search(data, *run.settings.rule, SplitSearch::FreeCodedColumns{});
    grow_tree(data, table, search);
  }
  std::fprintf(console, "\nAn initial tree with %d nodes is grown, ready to prune\n",
               table.node_count);
  std::fprintf(report, "\nThe initial tree:\n");
  write_tree_table(report, data, table);
  if (model) {
    const std::vector<std::vector<int>> counts = class_counts_by_node(data, table, table.node_count);
    model->trees.push_back(describe_tree(data, table, counts, "grown", true));
  }

  create_drawing(ps_name);
  for (int pass = 0; pass < N_PRUNE_PASSES; ++pass) {
    prune_pass(data, table, pass, report, console, ps_name, model);
  }
  close_drawing(ps_name, N_PRUNE_PASSES);
}

RunMode ask_mode(Console& console) {
  console.print("\nDo you want to control the splitting [y/n(default)]? ");
  const Choice choice =
      console.read_choice(Choice::second, "Enter[Y/y/1] for yes, [N/n/0] for no!", true);
  return choice == Choice::first ? RunMode::controlled : RunMode::automatic;
}

}  // namespace

void run_tree(Run& run, Dataset& data, NodeTable& table, const std::string& data_summary) {
  const std::string report_name = run.settings.report_name();
  // The names are checked, and the covariates described while the growth has not yet freed any
  // column, only when a page or a model is asked for.
  const std::vector<std::string> names = column_names(run.settings, data);
  std::optional<Model> model;
  if (wants_model(run.settings)) {
    model = describe_run(data, *run.settings.data_file, *run.settings.rule, names);
  }
  init_node_table(table);
  if (!run.settings.quiet) show_user_notice(run.console.out(), report_name);
  if (!run.settings.mode) run.settings.mode = ask_mode(run.console);
  if (model) model->mode = *run.settings.mode;

  // The last moment to stop with the old report kept has passed.
  start_report(report_name, data_summary);
  FileHandle report(open_output(report_name, "a"));
  if (run.settings.mode == RunMode::controlled) {
    // The dialogue reads every covariate's values, missing copies included.
    fill_missing_copies(data);
    SplitSearch search(data, *run.settings.rule);
    grow_under_control(run, data, table, search, report.get(), model ? &*model : nullptr);
  } else {
    grow_automatically(run, data, table, report.get(), model ? &*model : nullptr);
  }
  close_output(report.release(), report_name);
  if (model) write_run_outputs(run.settings, *model);
}

}  // namespace bramble
