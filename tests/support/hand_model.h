// A hand-made model that meets every rule real runs seldom reach: missing values, a missing copy,
// merged categories and a missing category, and a pruned tree.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/model_reader.h"

namespace bramble_test {

// age: ordinal with missing values, so covariate 4 is its missing copy; stage: nominal, 5 and 7
// merged into 999, a missing category; grade: nominal without a missing category.
inline const std::string HAND_MODEL = R"({"format": "bramble-tree", "version": 1,
 "data_file": "hand.dat", "rule": "gini", "mode": "automatic", "cases": 20,
 "classes": [{"label": 1, "count": 12}, {"label": 2, "count": 8}],
 "covariates": [
  {"number": 1, "name": "age", "column": 2, "kind": "ordinal", "missing": 2, "min": 20, "max": 80},
  {"number": 2, "name": "stage", "column": 3, "kind": "nominal", "missing": 1,
   "categories": [{"label": 1, "count": 5}, {"label": 2, "count": 6}, {"label": 999, "count": 8},
    {"label": -9, "count": 1}], "merged": [5, 7]},
  {"number": 3, "name": "grade", "column": 5, "kind": "nominal", "missing": 0,
   "categories": [{"label": 1, "count": 10}, {"label": 2, "count": 10}], "merged": []},
  {"number": 4, "name": "age/NA", "copy_of": 1, "kind": "ordinal", "missing": 2, "min": 20,
   "max": 80}],
 "trees": [
  {"label": "grown", "nodes": [
   {"number": 1, "cases": 20, "class_counts": [12, 8], "split": {"covariate": 1, "kind": "ordinal",
    "cut_off": 50.5, "missing": "left", "chisq": 9.5, "left": 2, "right": 3}},
   {"number": 2, "cases": 10, "class_counts": [8, 2], "split": {"covariate": 2, "kind": "nominal",
    "right_categories": [-9, 999], "missing": "right", "left": 4, "right": 5}},
   {"number": 3, "cases": 10, "class_counts": [4, 6], "split": {"covariate": 3, "kind": "nominal",
    "right_categories": [2], "missing": "left", "left": 6, "right": 7}},
   {"number": 4, "cases": 7, "class_counts": [7, 0], "majority_class": 0},
   {"number": 5, "cases": 3, "class_counts": [1, 2], "majority_class": 1},
   {"number": 6, "cases": 5, "class_counts": [4, 1], "majority_class": 0},
   {"number": 7, "cases": 5, "class_counts": [0, 5], "majority_class": 1}]},
  {"label": "p=0.01", "p_value": 0.01, "critical_value": 6.6348, "degrees_of_freedom": 1, "nodes": [
   {"number": 1, "cases": 20, "class_counts": [12, 8], "split": {"covariate": 4, "kind": "ordinal",
    "cut_off": 50.5, "missing": "right", "left": 2, "right": 3}},
   {"number": 2, "cases": 9, "class_counts": [8, 1], "majority_class": 0},
   {"number": 3, "cases": 11, "class_counts": [4, 7], "majority_class": 1}]}]})";

inline bramble::Model hand_model() {
  bramble::Model model;
  std::string error;
  EXPECT_TRUE(bramble::read_model_json(HAND_MODEL, model, error)) << error;
  return model;
}

}  // namespace bramble_test
