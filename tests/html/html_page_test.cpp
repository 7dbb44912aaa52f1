// The report page read back as XML: every tree shows every node of the model with its counts,
// conditions and rates in words, no two boxes or labels overlap, and hostile names stay text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <sstream>

#include "html/page.h"
#include "model/names.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

constexpr auto npos = std::string::npos;

// Fitted runs built by hand: a two-class run with nominal, ordinal and missing-copy splits; a
// three-class controlled run with a merged category.
using bramble::CovariateKind;

bramble::ModelNode leaf(int number, std::vector<int> counts) {
  bramble::ModelNode node;
  node.number = number;
  node.cases = std::accumulate(counts.begin(), counts.end(), 0);
  node.class_counts = std::move(counts);
  return node;
}

// A split of node into daughters left and left + 1; categories (nominal) go right.
bramble::ModelNode fork(int number, std::vector<int> counts, int left, int covariate,
                        double cut_off, std::vector<int> categories = {},
                        bool missing_right = false, double chisq = 0.0) {
  bramble::ModelNode node = leaf(number, std::move(counts));
  node.left = left, node.right = left + 1;
  node.covariate = covariate;
  node.kind = categories.empty() ? CovariateKind::ordinal : CovariateKind::nominal;
  node.cut_off = cut_off;
  node.right_categories = std::move(categories);
  node.missing_right = missing_right;
  node.has_chisq = chisq > 0.0;
  node.chisq = chisq;
  return node;
}

// Ordinal ones range from 1 to 206.
bramble::ModelCovariate covariate(int number, std::string name, int missing,
                                  std::vector<int> categories = {}, std::vector<int> counts = {}) {
  bramble::ModelCovariate c;
  c.number = c.column = number;
  c.name = std::move(name);
  c.kind = categories.empty() ? CovariateKind::ordinal : CovariateKind::nominal;
  c.missing = missing;
  c.max = 206.0;
  c.categories = std::move(categories);
  c.category_counts = std::move(counts);
  return c;
}

// Pruned at p_value, when given, with one degree of freedom.
bramble::ModelTree tree(std::string label, std::vector<bramble::ModelNode> nodes,
                        double p_value = 0.0, double critical_value = 0.0) {
  const bool pruned = p_value > 0.0;
  return {std::move(label), pruned, p_value, critical_value, pruned ? 1 : 0, std::move(nodes)};
}

// Covariates age (ordinal, 3 missing), stage (nominal, missing category) and age's missing copy.
bramble::Model two_class_run() {
  bramble::Model m;
  m.data_file = "kyphosis.dat";
  m.n_cases = 81;
  m.class_labels = {0, 1};
  m.class_counts = {64, 17};
  m.covariates = {covariate(1, "age", 3), covariate(2, "stage", 3, {1, 2, 3, -9}, {20, 30, 28, 3}),
                  covariate(3, "x3", 3)};
  m.covariates[2].copy_of = 1;
  m.covariates[2].column = 0;
  const auto root = fork(1, {64, 17}, 2, 2, 0, {-9, 1}, false, 9.1);
  const auto copy_split = fork(3, {33, 15}, 6, 3, 50, {}, true, 7.2);
  m.trees = {tree("grown", {root, fork(2, {31, 2}, 4, 1, 30, {}, false, 3.0), copy_split,
                            leaf(4, {1, 1}), leaf(5, {30, 1}), leaf(6, {8, 12}), leaf(7, {25, 3})}),
             tree("p=0.01",
                  {root, leaf(2, {31, 2}), fork(3, {33, 15}, 4, 3, 50, {}, true, 7.2),
                   leaf(4, {8, 12}), leaf(5, {25, 3})},
                  0.01, 6.6348),
             tree("p=0.005", {root, leaf(2, {31, 2}), leaf(3, {33, 15})}, 0.005, 7.8794)};
  return m;
}

// Controlled, three classes labelled 1 to 3; colour has rare categories merged into 999.
bramble::Model three_class_run() {
  bramble::Model m;
  m.data_file = "iris.dat";
  m.mode = bramble::RunMode::controlled;
  m.rule = bramble::SplittingRule::gini;
  m.n_cases = 150;
  m.class_labels = {1, 2, 3};
  m.class_counts = {50, 50, 50};
  m.covariates = {
      covariate(1, "petal.length", 0),
      covariate(2, "colour", 0, {1, 2, 3, 4, 5, 6, 7, 8, 999}, {9, 30, 9, 9, 9, 9, 9, 9, 57}),
      covariate(3, "petal.width", 0)};
  m.covariates[1].merged = {9, 10, 11};
  m.trees = {tree("controlled", {fork(1, {50, 50, 50}, 2, 1, 2.45), leaf(2, {50, 0, 0}),
                                 fork(3, {0, 50, 50}, 4, 2, 0, {2, 999}), leaf(4, {0, 30, 24}),
                                 leaf(5, {0, 20, 26})})};
  const auto ordinal = CovariateKind::ordinal, nominal = CovariateKind::nominal;
  m.judged = {{1, 1, ordinal, 2.45, {}, false, 0.6667, 2.5, 1.8, 3.4, false, 0, 0, 0, true},
              {3, 3, ordinal, 1.75, {}, false, 0.99, 1.1, 0.8, 1.5, false, 0, 0, 0, false},
              {3, 2, nominal, 0, {2, 999}, false, 0.98, 1.2, 0.9, 1.6, false, 0, 0, 0, true}};
  return m;
}

// What page_summary.py reads from the page; the test fails when the page is not well-formed XML.
std::string page_summary(const std::string& page) {
  const std::string dir = make_scratch_dir();
  write_file(dir + "/page.html", page);
  const std::string command = std::string("'") + BRAMBLE_PYTHON + "' '" + source_dir() +
                              "/tests/html/page_summary.py' '" + dir + "/page.html' >'" + dir +
                              "/summary' 2>&1";
  const int status = std::system(command.c_str());
  const std::string summary = read_file(dir + "/summary");
  EXPECT_EQ(status, 0) << summary;
  return summary;
}

// Each tree's label, then each node's number and class counts, as the model holds them.
std::string model_structure(const bramble::Model& model) {
  std::string lines;
  for (const bramble::ModelTree& tree : model.trees) {
    lines += "tree " + tree.label + "\n";
    for (const bramble::ModelNode& node : tree.nodes) {
      lines += "node " + std::to_string(node.number);
      for (std::size_t k = 0; k < node.class_counts.size(); ++k) {
        lines += " " + std::to_string(node.class_counts[k]);
      }
      lines += "\n";
    }
  }
  return lines;
}

std::string page_structure(const std::string& summary) {
  std::istringstream in(summary);
  std::string lines;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("tree ", 0) == 0 || line.rfind("node ", 0) == 0) lines += line + "\n";
  }
  return lines;
}

// Every node with its counts, no overlap, nothing fetched; conditions, majorities and rates in words.
TEST(HtmlPage, ShowsEveryNodeAndSaysConditionsMajoritiesAndRatesInWords) {
  const struct {
    bramble::Model model;
    std::vector<std::string> fragments;  // in the summary or in the page
  } runs[] = {
      {two_class_run(),
       {"edge 1 2 stage in {2, 3}", "edge 1 3 stage in {1, missing}",
        "edge 2 4 age \u2264 30 or missing", "edge 2 5 age > 30\n", "edge 3 6 age \u2264 50\n",
        "edge 3 7 age > 50 or missing", "text 4 node 4 | n = 2 | 1 / 1 | class 0",
        "text 6 node 6 | n = 20 | 8 / 12 | class 1", "<h2>Grown tree</h2>",
        "Misclassification rate 0.1605: 13 of 81 cases", "<h2>Pruned tree, p = 0.005</h2>",
        "Critical value 7.8794 with 1 degree of freedom", "Misclassification rate 0.2099: 17 of 81",
        "<td>missing copy of age</td>", "<td>1 (20), 2 (30), 3 (28), missing (3)</td>",
        "<td>6: age \u2264 50</td><td>7: age &gt; 50 or missing</td><td>7.2000</td>"}},
      {three_class_run(),
       {"edge 3 5 colour in {2, merged}", "edge 3 4 colour in {1, 3, 4, 5, 6, 7, 8}",
        "text 4 node 4 | n = 54 | 0 / 30 / 24 | class 2", "<h2>Your tree</h2>",
        "Misclassification rate 0.2933: 44 of 150",
        "<td>merged: 9, 10, 11 (999 in the report)</td>",
        "<td>colour in {2, merged}</td><td>0.9800</td><td>1.2000</td><td>0.9000 to 1.6000</td>"
        "<td>not computed</td><td></td><td>yes</td>",
        "<td>petal.width</td><td>petal.width &gt; 1.75</td>",
        "<td>not computed</td><td></td><td>no</td>"}},
  };
  for (const auto& run : runs) {
    const std::string page = bramble::html_page(run.model);
    const std::string summary = page_summary(page);
    EXPECT_EQ(page_structure(summary), model_structure(run.model));
    EXPECT_EQ(summary.find("overlap"), npos) << summary;
    EXPECT_EQ(summary.find("below 9 px"), npos);
    for (const char* fetching : {"<script", "src=", "href=", "url(", "@import"}) {
      EXPECT_EQ(page.find(fetching), npos) << fetching;
    }
    for (const std::string& fragment : run.fragments) {
      EXPECT_NE((summary + page).find(fragment), npos) << fragment;
    }
  }
}

TEST(HtmlPage, HostileNamesStayText) {
  bramble::Model model = two_class_run();
  model.data_file = "r&d \"x\".dat";
  model.covariates[0].name = "a<b&c\"d'e";
  model.covariates[1].name = "</svg><x>";
  model.covariates[2].name = "\xff\x01z";  // not UTF-8, and a control character
  const std::string page = bramble::html_page(model);
  const std::string summary = page_summary(page);
  for (const char* fragment : {"name a<b&c\"d'e\n", "name </svg><x>\n", "name \uFFFD\uFFFDz\n",
                               "edge 1 3 </svg><x> in {1, missing}", "edge 2 5 a<b&c\"d'e > 30"}) {
    EXPECT_NE(summary.find(fragment), npos) << fragment;
  }
  EXPECT_NE(page.find("<title>Trees of r&amp;d &quot;x&quot;.dat</title>"), npos);
  EXPECT_EQ(page.find("a<b"), npos);
}

TEST(NamesFile, OneNamePerColumnOrARefusalThatSaysWhy) {
  const struct {
    std::string content;
    std::size_t columns;
    std::vector<std::string> names;
    std::string error;  // a part of the message
  } rows[] = {
      {"outcome age\tstage\r\nid\n", 4, {"outcome", "age", "stage", "id"}, ""},
      {"\xEF\xBB\xBFy x1", 2, {"y", "x1"}, ""},
      {"y age", 3, {}, "holds 2 names, but the data file has 3 columns"},
      {"y age stage grade", 3, {}, "holds 4 names, but the data file has 3 columns"},
      {"", 2, {}, "holds 0 names"},
  };
  const std::string dir = make_scratch_dir();
  for (const auto& row : rows) {
    write_file(dir + "/names", row.content);
    const bramble::NamesReading reading = bramble::read_names(dir + "/names", row.columns);
    EXPECT_EQ(reading.names, row.names) << row.content;
    EXPECT_NE(reading.error.find(row.error), npos) << reading.error;
    EXPECT_EQ(reading.ok(), row.error.empty());
  }
  for (const std::string& unreadable : {dir + "/absent", dir}) {
    EXPECT_NE(bramble::read_names(unreadable, 2).error.find("Cannot read the names file"), npos);
  }
}

}  // namespace
}  // namespace bramble_test
