#include "html/tree_section.h"

#include <numeric>

#include "html/conditions.h"
#include "html/format.h"
#include "html/table.h"
#include "html/tree_svg.h"
#include "html/xml_text.h"
#include "model/majority.h"

namespace bramble {

namespace {

std::string tree_title(const ModelTree& tree) {
  if (tree.pruned) return "Pruned tree, p = " + decimal_text(tree.p_value, 6);
  // A run grows no other trees than these.
  return tree.label == "grown" ? "Grown tree" : "Your tree";
}

std::string tree_facts(const ModelTree& tree) {
  std::string facts;
  if (tree.pruned) {
    facts += formatted(
        "Critical value %.4f with %d degree%s of freedom: the splits whose chi-square "
        "reaches it are kept. ",
        tree.critical_value, tree.degrees_of_freedom, tree.degrees_of_freedom == 1 ? "" : "s");
  }
  int terminal = 0;
  int cases = 0;
  for (const ModelNode& node : tree.nodes) {
    if (node.is_split()) continue;
    ++terminal;
    cases += std::accumulate(node.class_counts.begin(), node.class_counts.end(), 0);
  }
  const int wrong = misclassified_cases(tree);
  facts += formatted(
      "%d terminal node%s. Misclassification rate %.4f: %d of %d cases are not of "
      "their terminal node's majority class (ties go to the lower class).",
      terminal, terminal == 1 ? "" : "s", cases > 0 ? static_cast<double>(wrong) / cases : 0.0,
      wrong, cases);
  return "<p class=\"facts\">" + facts + "</p>\n";
}

std::string daughter_cell(const Model& model, const ModelNode& node, int daughter, Daughter side) {
  return std::to_string(daughter) + ": " +
         xml_escaped(condition_text(model, split_view(node), side));
}

std::string splits_table(const Model& model, const ModelTree& tree) {
  std::vector<TableRow> rows;
  for (const ModelNode& node : tree.nodes) {
    if (!node.is_split()) continue;
    rows.push_back({std::to_string(node.number), std::to_string(node.cases),
                    xml_escaped(split_name(model, node.covariate)),
                    daughter_cell(model, node, node.left, Daughter::left),
                    daughter_cell(model, node, node.right, Daughter::right),
                    node.has_chisq ? formatted("%.4f", node.chisq) : "not computed"});
  }
  if (rows.empty()) return "<p>No split: the tree is its root alone.</p>\n";
  return "<h3>Splits</h3>\n" +
         table_html("splits",
                    {"Node", "Cases", "Covariate", "Left daughter", "Right daughter", "Chi-square"},
                    rows);
}

}  // namespace

std::string tree_section(const Model& model, const ModelTree& tree, int index) {
  const std::string title = tree_title(tree);
  return formatted("<section class=\"tree\" id=\"tree-%d\">\n", index + 1) + "<h2>" +
         xml_escaped(title) + "</h2>\n" + tree_facts(tree) + "<div class=\"picture\">\n" +
         tree_svg(model, tree, title) + "</div>\n" + splits_table(model, tree) + "</section>\n";
}

}  // namespace bramble
