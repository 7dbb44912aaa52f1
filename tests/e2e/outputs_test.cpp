// The page and the model of whole runs on the examples, checked against the report's tables: every
// tree's nodes, cases and class counts, and every terminal node's counts found again by classifying
// the training file with the saved tree; the report, drawing and console do not change with them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "html/page_summary.h"
#include "interactive/scripted_console.h"
#include "model/model_check.h"
#include "model/model_writer.h"
#include "program/classify_command.h"
#include "program/entry.h"
#include "support/hand_model.h"

namespace bramble_test {
namespace {

// base: the scratch path of BASE.inf, BASE.ps, BASE.html, BASE.json.
struct Fitted { int status; std::string base, console; };

// Files named from the source directory.
struct Example {
  const char* name;        // a data file, without ".dat"
  const char* answers;     // a file of answers, or empty for an automatic run
  const char* names = "";     // a names file, or empty
  const char* expected = "";  // BASE: the run writes BASE.inf, BASE.ps and BASE.xhtml if there
  const char* shipped = "";   // BASE: the run writes the page and model BASE.html, BASE.json
};

std::string example_file(const std::string& name) { return source_dir() + "/" + name; }

Fitted fit(const Example& example, bool outputs, const std::string& names = "",
           const std::string& dir = make_scratch_dir()) {
  bramble::RunSettings settings;
  settings.data_file = example_file(std::string(example.name) + ".dat");
  settings.output_base = dir + "/" + std::filesystem::path(example.name).filename().string();
  // A session's answers answer the two questions too.
  const bool controlled = *example.answers != '\0';
  if (!controlled) {
    settings.rule = bramble::SplittingRule::entropy;
    settings.mode = bramble::RunMode::automatic;
  }
  settings.html = settings.json = outputs;
  settings.names_file = names;
  ScriptedConsole typed(controlled ? read_file(example_file(example.answers)) : "");
  bramble::Run run(typed.in, typed.out_stream, typed.err_stream, settings);
  const int status = bramble::run_with_settings(run, "bramble");
  return {status, settings.output_base, typed.out()};
}

// A row of a tree table of the report; counts: a terminal node's distribution.
struct Row { int node = 0, cases = 0, left = 0; bool terminal = false; std::vector<int> counts; };

// Every tree table of the report, in order.
std::vector<std::vector<Row>> report_tables(const std::string& report) {
  std::vector<std::vector<Row>> tables;
  std::istringstream lines(report);
  std::string line;
  bool in_table = false;
  while (std::getline(lines, line)) {
    if (line.rfind("  node  #cases", 0) == 0) {
      tables.emplace_back();
      in_table = true;
      continue;
    }
    std::istringstream fields(line);
    Row row;
    std::string word;
    in_table = in_table && static_cast<bool>(fields >> row.node >> row.cases >> word);
    if (!in_table) continue;
    row.terminal = word == "terminal";
    if (row.terminal) {
      fields >> word >> word >> word;  // "node with distribution:"
      for (int count = 0; fields >> count;) row.counts.push_back(count);
    } else {
      row.left = std::stoi(word);
    }
    tables.back().push_back(row);
  }
  return tables;
}

// Cases of each class reaching each node when the training file is classified with the tree.
std::map<int, std::vector<int>> classified_counts(const std::string& json, const Example& example,
                                                  const bramble::Model& model,
                                                  const std::string& label) {
  const std::string table = json + "." + label + ".tsv";
  ScriptedConsole streams("");
  EXPECT_EQ(bramble::classify_command({json, example_file(std::string(example.name) + ".dat"),
                                       "--tree", label, "-o", table},
                                      streams.out_stream, streams.err_stream), 0);
  std::map<int, std::vector<int>> counts;
  std::istringstream lines(read_file(table));
  std::string header;
  std::getline(lines, header);
  EXPECT_EQ(header, "case\tnode\tpredicted\tactual");
  for (int number, node, predicted, actual; lines >> number >> node >> predicted >> actual;) {
    std::vector<int>& node_counts = counts[node];
    node_counts.resize(model.class_labels.size());
    ++node_counts.at(actual - model.class_labels[0]);
  }
  return counts;
}

// merged has merged categories, a missing category and responses 4 and 5; the ctl session sends
// the last category of a covariate without missing values right.
const Example EXAMPLES[] = {
    {"examples/iris", "", "examples/iris.names", "tests/e2e/expected/iris"},
    {"examples/small", ""},
    {"examples/stagec", "", "", "tests/e2e/expected/stagec"},
    {"examples/solder", "", "", "tests/e2e/expected/solder"},
    {"examples/small", "examples/small.answers", "", "", "examples/small"},
    {"tests/e2e/data/merged", "", "", "tests/e2e/expected/merged"},
    {"tests/e2e/data/chain", "", "", "tests/e2e/expected/chain"},  // boxes of the least width
    {"tests/e2e/data/three", "", "", "tests/e2e/expected/three"},  // as wide as their counts
    {"tests/e2e/data/ctl", "tests/e2e/data/ctl_pattern.answers"}};

TEST(RunOutputs, SavedTreesAndPagesAreTheReportsAndClassifyTheTrainingCasesBack) {
  for (const Example& example : EXAMPLES) {
    SCOPED_TRACE(std::string(example.name) + " " + example.answers);
    // The report, the drawing and the console are the same with and without the page and the model.
    const std::string names = *example.names ? example_file(example.names) : "";
    const std::string dir = make_scratch_dir();
    const Fitted plain = fit(example, false, names, dir);
    EXPECT_FALSE(file_exists(plain.base + ".html") || file_exists(plain.base + ".json"));
    const std::string report = read_file(plain.base + ".inf");
    const std::string drawing = read_file(plain.base + ".ps");
    const Fitted fitted = fit(example, true, names, dir);
    ASSERT_EQ(fitted.status, 0) << fitted.console;
    EXPECT_EQ(read_file(fitted.base + ".inf"), report);
    EXPECT_EQ(read_file(fitted.base + ".ps"), drawing);
    EXPECT_EQ(fitted.console, plain.console);
    const bramble::Model model = model_of_file(fitted.base + ".json");
    EXPECT_EQ(bramble::model_fault(model), "");
    const std::vector<std::vector<Row>> tables = report_tables(read_file(fitted.base + ".inf"));
    ASSERT_EQ(model.trees.size(), *example.answers ? 1u : 8u);
    ASSERT_EQ(tables.size(), model.trees.size());
    // The page read as XML: each tree's label, then each node's number and class counts.
    const std::string summary = page_summary_of_file(fitted.base + ".html");
    EXPECT_EQ(occurrences(summary, "overlap") + occurrences(summary, "below 9 px"), 0);
    std::vector<std::string> labels;
    std::vector<std::map<int, std::vector<int>>> page_trees;
    std::istringstream lines(summary);
    for (std::string kind, line; lines >> kind && std::getline(lines, line);) {
      std::istringstream fields(line);
      if (kind == "tree") {
        labels.push_back(line.substr(1));
        page_trees.emplace_back();
      }
      int number = 0;
      if (kind != "node" || !(fields >> number)) continue;
      for (int count; fields >> count;) page_trees.back()[number].push_back(count);
    }
    ASSERT_EQ(page_trees.size(), tables.size());
    EXPECT_EQ(occurrences(summary, "name petal_width"), *example.names ? 1 : 0);
    if (*example.shipped) {  // the shipped model is this run's, but for its data file
      bramble::Model saved = model_of_file(example_file(std::string(example.shipped) + ".json"));
      saved.data_file = model.data_file;
      EXPECT_EQ(bramble::model_json(saved), bramble::model_json(model));
    }
    const std::string expected = example_file(example.expected);
    if (*example.expected) {
      EXPECT_EQ(first_difference(report, read_file(expected + ".inf")), "");
      EXPECT_EQ(first_difference(drawing, read_file(expected + ".ps")), "");
    }
    const std::string page_file =
        *example.shipped ? example_file(std::string(example.shipped) + ".html") : expected + ".xhtml";
    if (file_exists(page_file)) {  // the data file named as from the source directory
      const std::string page = replaced(read_file(fitted.base + ".html"), source_dir() + "/", "");
      EXPECT_EQ(first_difference(page, read_file(page_file)), "");
    }
    for (std::size_t t = 0; t < tables.size(); ++t) {
      const bramble::ModelTree& tree = model.trees[t];
      SCOPED_TRACE(tree.label);
      EXPECT_EQ(labels[t], tree.label);
      EXPECT_EQ(page_trees[t].size(), tables[t].size());
      for (const Row& row : tables[t]) {
        // A split node's counts on the page add up to its cases.
        const std::vector<int>& page_counts = page_trees[t][row.node];
        EXPECT_EQ(std::accumulate(page_counts.begin(), page_counts.end(), 0), row.cases);
        EXPECT_EQ(row.terminal ? page_counts : std::vector<int>{}, row.counts) << row.node;
        ASSERT_LE(row.node, static_cast<int>(tree.nodes.size()));
        const bramble::ModelNode& node = tree.nodes[row.node - 1];
        EXPECT_EQ(node.cases, row.cases);
        EXPECT_EQ(node.is_split(), !row.terminal);
        EXPECT_EQ(row.terminal ? node.class_counts : std::vector<int>{}, row.counts);
        EXPECT_EQ(node.left, row.terminal ? 0 : row.left);
      }
      EXPECT_EQ(tables[t].size(), tree.nodes.size());
      std::map<int, std::vector<int>> terminal_counts;
      for (const bramble::ModelNode& node : tree.nodes) {
        if (!node.is_split()) terminal_counts[node.number] = node.class_counts;
      }
      EXPECT_EQ(classified_counts(fitted.base + ".json", example, model, tree.label),
                terminal_counts);
    }
  }
}

}  // namespace
}  // namespace bramble_test
