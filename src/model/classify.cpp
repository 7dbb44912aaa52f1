#include "model/classify.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "data/dataset.h"

namespace bramble {

namespace {

// values are in ascending order.
bool contains(const std::vector<int>& values, int value) {
  return std::binary_search(values.begin(), values.end(), value);
}

// The category of a nominal value: false when it has none in the model.
bool category_of(const ModelCovariate& covariate, double value, int& category) {
  if (is_missing(value)) {
    // The missing category, when there is one, is the last.
    if (covariate.missing == 0 || covariate.categories.empty()) return false;
    category = covariate.categories.back();
    return true;
  }
  if (!(value >= INT_MIN && value <= INT_MAX) || value != std::floor(value)) return false;
  const int label = static_cast<int>(value);
  category = contains(covariate.merged, label) ? MERGED_LABEL : label;
  return std::find(covariate.categories.begin(), covariate.categories.end(), category) !=
         covariate.categories.end();
}

}  // namespace

bool is_missing(double value) { return std::isnan(value); }

bool sends_right(const Model& model, const ModelNode& node, double value) {
  const ModelCovariate& covariate = model.covariates[node.covariate - 1];
  if (covariate.kind == CovariateKind::ordinal) {
    return is_missing(value) ? covariate.is_missing_copy() : value > node.cut_off;
  }
  int category = 0;
  return category_of(covariate, value, category) && contains(node.right_categories, category);
}

std::size_t terminal_node(const Model& model, const ModelTree& tree, const double* values) {
  std::size_t index = 0;
  while (tree.nodes[index].is_split()) {
    const ModelNode& node = tree.nodes[index];
    const ModelCovariate& covariate = model.covariates[node.covariate - 1];
    const int source = covariate.is_missing_copy() ? covariate.copy_of : covariate.number;
    const int daughter = sends_right(model, node, values[source - 1]) ? node.right : node.left;
    index = static_cast<std::size_t>(daughter - 1);
  }
  return index;
}

}  // namespace bramble
