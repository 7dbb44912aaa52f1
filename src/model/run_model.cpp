#include "model/run_model.h"

#include <algorithm>

#include "model/json_format.h"
#include "model/majority.h"
#include "prune/prune.h"
#include "tree/category_code.h"

namespace bramble {

namespace {

// The origin of var, or of the covariate a missing copy copies.
const CovariateOrigin& origin_of(const Dataset& data, int var) {
  return data.origins[data.source_var[var]];
}

ModelCovariate describe_covariate(const Dataset& data, int var,
                                  const std::vector<std::string>& column_names) {
  const CovariateOrigin& origin = origin_of(data, var);
  ModelCovariate covariate;
  covariate.number = var + 1;
  covariate.name = column_names.empty() ? "x" + std::to_string(data.source_var[var] + 1)
                                        : column_names[origin.column - 1];
  if (data.is_missing_copy(var)) {
    covariate.copy_of = data.source_var[var] + 1;
  } else {
    covariate.column = origin.column;
  }
  covariate.missing = origin.missing;
  if (!data.is_nominal(var)) {
    covariate.min = origin.min;
    covariate.max = origin.max;
    return covariate;
  }
  covariate.kind = CovariateKind::nominal;
  covariate.categories = data.ori_catg[var];
  covariate.category_counts.assign(covariate.categories.size(), 0);
  for (double code : data.X[var]) ++covariate.category_counts[static_cast<std::size_t>(code)];
  covariate.merged = origin.merged;
  return covariate;
}

// The split of var at cut_off (a value, or a decimal category code) in the model's terms; Split
// is a ModelNode or a JudgedSplit.
template <typename Split>
void describe_split(const Dataset& data, int var, double cut_off, Split& split) {
  split.covariate = var + 1;
  if (!data.is_nominal(var)) {
    split.kind = CovariateKind::ordinal;
    split.cut_off = cut_off;
    split.missing_right = data.is_missing_copy(var);
    return;
  }
  const std::vector<int>& labels = data.ori_catg[var];
  const std::vector<int> codes = category_codes(cut_off, labels.size());
  split.kind = CovariateKind::nominal;
  split.right_categories.clear();
  for (int code : codes) split.right_categories.push_back(labels[code]);
  std::sort(split.right_categories.begin(), split.right_categories.end());
  const int missing_code = static_cast<int>(labels.size()) - 1;
  split.missing_right = data.origins[var].missing > 0 &&
                        std::find(codes.begin(), codes.end(), missing_code) != codes.end();
}

}  // namespace

Model describe_run(const Dataset& data, const std::string& data_file, SplittingRule rule,
                   const std::vector<std::string>& column_names) {
  Model model;
  model.data_file = data_file;
  model.rule = rule;
  model.n_cases = data.n_cases;
  model.class_counts.assign(data.n_classes, 0);
  for (int k = 0; k < data.n_classes; ++k) model.class_labels.push_back(data.lowest_response + k);
  for (int y : data.y) ++model.class_counts[y];
  for (int var = 0; var < data.n_covariates; ++var) {
    model.covariates.push_back(describe_covariate(data, var, column_names));
  }
  return model;
}

ModelTree describe_tree(const Dataset& data, const NodeTable& table,
                        const std::vector<std::vector<int>>& counts, const std::string& label,
                        bool has_chisq) {
  ModelTree tree;
  tree.label = label;
  tree.nodes.resize(table.node_count);
  // Daughters follow their parents, so a backward walk meets them first.
  for (int slot = table.node_count - 1; slot >= 0; --slot) {
    ModelNode& node = tree.nodes[slot];
    node.number = slot + 1;
    if (!table.is_split(slot)) {
      node.class_counts = counts[slot];
      node.class_counts.resize(data.n_classes, 0);
      node.majority_class = majority_class(node.class_counts);
    } else {
      node.left = table.left_child[slot] + 1;
      node.right = node.left + 1;
      node.class_counts = tree.nodes[node.left - 1].class_counts;
      const std::vector<int>& right = tree.nodes[node.right - 1].class_counts;
      for (int k = 0; k < data.n_classes; ++k) node.class_counts[k] += right[k];
      describe_split(data, table.split_var[slot], table.cut_off[slot], node);
      node.has_chisq = has_chisq;
      node.chisq = has_chisq ? table.split_chisq[slot] : 0.0;
    }
    for (int count : node.class_counts) node.cases += count;
  }
  return tree;
}

ModelTree describe_pruned_tree(const Dataset& data, const NodeTable& table,
                               const std::vector<std::vector<int>>& counts, int pass) {
  ModelTree tree = describe_tree(data, table, counts, TREE_LABELS[pass + 1], true);
  tree.pruned = true;
  tree.p_value = P_VALUES[pass];
  tree.critical_value = critical_value(data.n_classes, pass);
  tree.degrees_of_freedom = data.n_classes - 1;
  return tree;
}

std::vector<JudgedSplit> describe_judgements(const Dataset& data,
                                             const std::vector<Judgement>& judgements) {
  std::vector<JudgedSplit> judged;
  for (const Judgement& judgement : judgements) {
    JudgedSplit split;
    split.node = judgement.node + 1;
    describe_split(data, judgement.var, judgement.cut_off, split);
    split.impurity = judgement.impurity;
    split.risk = judgement.risk;
    split.risk_low = judgement.risk_low;
    split.risk_high = judgement.risk_high;
    split.cross_validated = judgement.cross_validated;
    split.cv_risk = judgement.cv_risk;
    split.cv_low = judgement.cv_low;
    split.cv_high = judgement.cv_high;
    split.accepted = judgement.accepted;
    judged.push_back(split);
  }
  return judged;
}

}  // namespace bramble
