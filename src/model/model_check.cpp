#include "model/model_check.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "data/dataset.h"
#include "model/classify.h"
#include "model/json.h"
#include "model/json_format.h"
#include "model/refusal.h"

namespace bramble {

namespace {

// The first value listed twice, if any.
const int* repeated_value(const std::vector<int>& values) {
  std::vector<int> sorted = values;
  std::sort(sorted.begin(), sorted.end());
  const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
  if (twice == sorted.end()) return nullptr;
  return &*std::find(values.begin(), values.end(), *twice);
}

bool strictly_ascending(const std::vector<int>& values) {
  return std::adjacent_find(values.begin(), values.end(), std::greater_equal<int>()) == values.end();
}

void check_classes(const Model& model) {
  if (model.class_labels.empty() || model.class_labels.size() > MAX_CLASSES) {
    refuse("classes: " + std::to_string(model.class_labels.size()) + " classes, not 1 to " +
           std::to_string(MAX_CLASSES));
  }
  if (const int* twice = repeated_value(model.class_labels)) {
    refuse("classes: the label " + std::to_string(*twice) + " is listed twice");
  }
}

void check_covariate(const Model& model, std::size_t index) {
  const ModelCovariate& covariate = model.covariates[index];
  const std::string where = "covariates[" + std::to_string(index) + "]: ";
  if (covariate.number != static_cast<int>(index) + 1) {
    refuse(where + "number " + std::to_string(covariate.number) + ", expected " +
           std::to_string(index + 1) + " (covariates in order)");
  }
  const bool after_copy = index > 0 && model.covariates[index - 1].is_missing_copy();
  if (covariate.is_missing_copy()) {
    const int source = covariate.copy_of;
    if (source < 1 || source >= covariate.number ||
        model.covariates[source - 1].is_missing_copy() ||
        model.covariates[source - 1].kind != CovariateKind::ordinal ||
        covariate.kind != CovariateKind::ordinal) {
      refuse(where + "a missing copy of " + std::to_string(source) +
             ", which is no earlier ordinal covariate of the data file");
    }
  } else if (after_copy || covariate.column < 1) {
    refuse(where +
           "a covariate of the data file needs a column (1 or more) and comes before "
           "every missing copy");
  }
  if (covariate.categories.size() > MAX_CATEGORIES) {
    refuse(where + "more than " + std::to_string(MAX_CATEGORIES) + " categories");
  }
  if (const int* twice = repeated_value(covariate.categories)) {
    refuse(where + "the category " + std::to_string(*twice) + " is listed twice");
  }
  if (!strictly_ascending(covariate.merged)) {
    refuse(where + "the merged labels are not in strictly ascending order");
  }
  if (covariate.kind == CovariateKind::nominal && covariate.missing > 0 &&
      (covariate.category_counts.empty() ||
       covariate.category_counts.back() != covariate.missing)) {
    refuse(where + "its " + std::to_string(covariate.missing) +
           " missing values are not the count of its last category (the missing one)");
  }
}

void check_tree_label(const Model& model, const ModelTree& tree, const std::string& where) {
  const bool known = std::find(std::begin(TREE_LABELS), std::end(TREE_LABELS), tree.label) !=
                     std::end(TREE_LABELS);
  const bool controlled = tree.label == CONTROLLED_TREE_LABEL;
  const bool pruned = tree.label.rfind("p=", 0) == 0;
  if (!known || controlled != (model.mode == RunMode::controlled)) {
    refuse(where + "the label " + json_quoted(tree.label) + " names no tree of a run in " +
           std::string(name_of(MODE_NAMES, model.mode)) + " mode");
  }
  if (pruned != tree.pruned) {
    refuse(where +
           (pruned ? "a pruned tree needs its p-value" : "only a pruned tree has a p-value"));
  }
}

void check_split(const Model& model, const ModelNode& node, const std::string& where) {
  const int n_covariates = static_cast<int>(model.covariates.size());
  if (node.covariate < 1 || node.covariate > n_covariates) {
    refuse(where + "split covariate " + std::to_string(node.covariate) + " is out of range (1 to " +
           std::to_string(n_covariates) + ")");
  }
  const ModelCovariate& covariate = model.covariates[node.covariate - 1];
  if (node.kind != covariate.kind) {
    refuse(where + "the split's kind differs from that of covariate " +
           std::to_string(node.covariate));
  }
  if (!strictly_ascending(node.right_categories)) {
    refuse(where + "the categories sent right are not in strictly ascending order");
  }
  for (int category : node.right_categories) {
    if (std::find(covariate.categories.begin(), covariate.categories.end(), category) ==
        covariate.categories.end()) {
      refuse(where + "the category " + std::to_string(category) +
             " sent right is not one of covariate " + std::to_string(node.covariate));
    }
  }
  if (node.missing_right != sends_right(model, node, MISSING_VALUE)) {
    refuse(where + "missing values go " + (node.missing_right ? "left" : "right") +
           " in this split, not " + (node.missing_right ? "right" : "left"));
  }
}

// Daughters come after their node in table order, so following them ends; each node but the
// first is the daughter of exactly one node, so the nodes form one tree.
void check_daughters(const ModelTree& tree, const std::string& where) {
  const int n_nodes = static_cast<int>(tree.nodes.size());
  std::vector<int> parent(tree.nodes.size() + 1, 0);
  for (const ModelNode& node : tree.nodes) {
    if (!node.is_split()) continue;
    for (const int daughter : {node.left, node.right}) {
      const std::string at =
          where + "node " + std::to_string(node.number) + ": daughter " + std::to_string(daughter);
      if (daughter < 1 || daughter > n_nodes) {
        refuse(at + " is out of range (1 to " + std::to_string(n_nodes) + ")");
      }
      if (daughter <= node.number) {
        refuse(at + " does not come after its node: the tree would form a cycle");
      }
      if (parent[daughter] != 0) {
        refuse(at + " is reached twice (also from node " + std::to_string(parent[daughter]) + ")");
      }
      parent[daughter] = node.number;
    }
  }
  for (int number = 2; number <= n_nodes; ++number) {
    if (parent[number] == 0) {
      refuse(where + "node " + std::to_string(number) + " is not reached from node 1");
    }
  }
}

void check_tree(const Model& model, std::size_t index) {
  const ModelTree& tree = model.trees[index];
  const std::string where =
      "trees[" + std::to_string(index) + "] (" + json_quoted(tree.label) + "): ";
  check_tree_label(model, tree, where);
  if (tree.nodes.empty()) refuse(where + "the tree has no node");
  const int n_classes = static_cast<int>(model.class_labels.size());
  for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
    const ModelNode& node = tree.nodes[i];
    const std::string at = where + "node " + std::to_string(node.number) + ": ";
    if (node.number != static_cast<int>(i) + 1) {
      refuse(where + "nodes[" + std::to_string(i) + "] has number " + std::to_string(node.number) +
             ", expected " + std::to_string(i + 1) + " (nodes in table order)");
    }
    if (static_cast<int>(node.class_counts.size()) != n_classes) {
      refuse(at + "class counts for " + std::to_string(node.class_counts.size()) +
             " classes, expected " + std::to_string(n_classes));
    }
    if (node.is_split()) {
      check_split(model, node, at);
    } else if (node.majority_class < 0 || node.majority_class >= n_classes) {
      refuse(at + "majority class " + std::to_string(node.majority_class) +
             " is out of range (0 to " + std::to_string(n_classes - 1) + ")");
    }
  }
  check_daughters(tree, where);
}

}  // namespace

std::string model_fault(const Model& model) {
  try {
    check_classes(model);
    for (std::size_t i = 0; i < model.covariates.size(); ++i) check_covariate(model, i);
    if (model.trees.empty()) refuse("trees: the model has no tree");
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < model.trees.size(); ++i) {
      check_tree(model, i);
      if (std::find(labels.begin(), labels.end(), model.trees[i].label) != labels.end()) {
        refuse("trees[" + std::to_string(i) + "]: a second tree labelled " +
               json_quoted(model.trees[i].label));
      }
      labels.push_back(model.trees[i].label);
    }
    return {};
  } catch (const Refusal& refusal) {
    return refusal.message;
  }
}

}  // namespace bramble
