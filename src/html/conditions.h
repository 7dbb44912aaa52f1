// Splits in words: which cases a daughter holds ("age ≤ 50 or missing", "stage in {1, 3}"), with
// the covariates' names. Texts are plain; the writers escape them.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

namespace bramble {

// What a split node and a judged split share.
struct SplitView {
  int covariate;
  CovariateKind kind;
  double cut_off;
  const std::vector<int>& right_categories;
  bool missing_right;
};

SplitView split_view(const ModelNode& node);
SplitView split_view(const JudgedSplit& split);

enum class Daughter { left, right };

// The cases the daughter holds, for instance "age > 50 or missing" for the right daughter of a
// split on the missing copy of age. Missing values are named on the side they go to, when the
// covariate has any.
std::string condition_text(const Model& model, const SplitView& split, Daughter daughter);

// The name a split on the covariate shows: a missing copy splits under the name of the covariate
// it copies. A number that names no covariate shows as "x<number>".
std::string split_name(const Model& model, int covariate);

// A class as the page names it: its response value.
std::string class_text(const Model& model, int klass);

// A nominal category as the page names it: "missing", "merged" (the group of rare categories,
// 999 in the report) or the label.
std::string category_text(const ModelCovariate& covariate, int label);

}  // namespace bramble
