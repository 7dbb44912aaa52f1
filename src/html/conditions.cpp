#include "html/conditions.h"

#include <algorithm>

#include "data/dataset.h"
#include "html/format.h"

namespace bramble {

namespace {

const ModelCovariate* find_covariate(const Model& model, int number) {
  if (number < 1 || number > static_cast<int>(model.covariates.size())) return nullptr;
  return &model.covariates[number - 1];
}

// A missing copy stands for the covariate it copies.
const ModelCovariate* source_covariate(const Model& model, int number) {
  const ModelCovariate* covariate = find_covariate(model, number);
  if (covariate != nullptr && covariate->is_missing_copy()) {
    return find_covariate(model, covariate->copy_of);
  }
  return covariate;
}

std::string ordinal_condition(const Model& model, const SplitView& split, Daughter daughter) {
  const ModelCovariate* covariate = source_covariate(model, split.covariate);
  const bool has_missing = covariate != nullptr && covariate->missing > 0;
  const bool right = daughter == Daughter::right;
  std::string text = split_name(model, split.covariate) + (right ? " > " : " \u2264 ") +
                     number_text(split.cut_off);
  if ((right == split.missing_right) && (has_missing || split.missing_right)) text += " or missing";
  return text;
}

// The daughter's categories in code order (missing last), so that both daughters list them alike.
std::vector<int> daughter_categories(const ModelCovariate* covariate, const std::vector<int>& right,
                                     Daughter daughter) {
  if (covariate == nullptr) return daughter == Daughter::right ? right : std::vector<int>{};
  std::vector<int> labels;
  for (int label : covariate->categories) {
    const bool goes_right = std::find(right.begin(), right.end(), label) != right.end();
    if (goes_right == (daughter == Daughter::right)) labels.push_back(label);
  }
  return labels;
}

std::string nominal_condition(const Model& model, const SplitView& split, Daughter daughter) {
  const ModelCovariate* covariate = find_covariate(model, split.covariate);
  const std::vector<int> labels = daughter_categories(covariate, split.right_categories, daughter);
  std::string text = split_name(model, split.covariate) + " in {";
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) text += ", ";
    text += covariate != nullptr ? category_text(*covariate, labels[i]) : std::to_string(labels[i]);
  }
  return text + "}";
}

}  // namespace

SplitView split_view(const ModelNode& node) {
  return {node.covariate, node.kind, node.cut_off, node.right_categories, node.missing_right};
}

SplitView split_view(const JudgedSplit& split) {
  return {split.covariate, split.kind, split.cut_off, split.right_categories, split.missing_right};
}

std::string condition_text(const Model& model, const SplitView& split, Daughter daughter) {
  return split.kind == CovariateKind::nominal ? nominal_condition(model, split, daughter)
                                              : ordinal_condition(model, split, daughter);
}

std::string split_name(const Model& model, int covariate) {
  const ModelCovariate* shown = source_covariate(model, covariate);
  return shown != nullptr ? shown->name : "x" + std::to_string(covariate);
}

std::string class_text(const Model& model, int klass) {
  const bool known = klass >= 0 && klass < static_cast<int>(model.class_labels.size());
  return std::to_string(known ? model.class_labels[klass] : klass);
}

std::string category_text(const ModelCovariate& covariate, int label) {
  // The missing category is the last one (the reader gives it the last code).
  if (covariate.missing > 0 && !covariate.categories.empty() &&
      label == covariate.categories.back()) {
    return "missing";
  }
  if (!covariate.merged.empty() && label == MERGED_LABEL) return "merged";
  return std::to_string(label);
}

}  // namespace bramble
