// A fitted run as plain data: what the HTML page and the JSON model show, and what the classifier
// applies to new cases. It holds no pointers into the run, so it can also be read back from JSON.
#pragma once

#include <string>
#include <vector>

#include "model/run_mode.h"
#include "tree/splitting_rule.h"

namespace bramble {

enum class CovariateKind { ordinal, nominal };

struct ModelCovariate {
  int number = 0;       // 1-based, as in the report: the o and n columns in file order, then copies
  std::string name;     // from the names file, else "x<number>"
  int column = 0;       // 1-based column of the data file; 0 for a missing copy
  CovariateKind kind = CovariateKind::ordinal;
  int copy_of = 0;      // a missing copy: the number of the covariate it copies; else 0
  int missing = 0;      // cases whose value is missing
  // Ordinal: the smallest and largest present value.
  double min = 0.0;
  double max = 0.0;
  // Nominal: the category labels in code order (-9 the missing category, 999 the merged one, when
  // present), the cases of each, and the labels merged into 999 (ascending).
  std::vector<int> categories;
  std::vector<int> category_counts;
  std::vector<int> merged;

  bool is_missing_copy() const { return copy_of != 0; }
};

struct ModelNode {
  int number = 0;                 // 1-based, the row of the tree's table in the report
  int cases = 0;
  std::vector<int> class_counts;  // class 0 first
  // A split node (left != 0): its covariate's number, the cut-off of an ordinal split (a value
  // greater goes right), the category labels an nominal split sends right (ascending, with -9 and
  // 999 where they go right), where missing values go, and the Pearson statistic where computed.
  int left = 0;                   // number of the left daughter; 0 for a terminal node
  int right = 0;
  int covariate = 0;
  CovariateKind kind = CovariateKind::ordinal;
  double cut_off = 0.0;
  std::vector<int> right_categories;
  bool missing_right = false;
  bool has_chisq = false;
  double chisq = 0.0;
  // A terminal node: the class with the most cases (ties to the lower class).
  int majority_class = 0;

  bool is_split() const { return left != 0; }
};

struct ModelTree {
  std::string label;              // "grown", "p=0.01" ... "p=0.000001", or "controlled"
  bool pruned = false;            // a pruned tree has a p-value, a critical value and its df
  double p_value = 0.0;
  double critical_value = 0.0;
  int degrees_of_freedom = 0;
  std::vector<ModelNode> nodes;   // in table order: nodes[i].number == i + 1
};

// One split judged in the controlled dialogue (a proposal or a split made by hand).
struct JudgedSplit {
  int node = 0;                   // 1-based
  int covariate = 0;              // the covariate's own number (a copy's, for a copy)
  CovariateKind kind = CovariateKind::ordinal;
  double cut_off = 0.0;           // ordinal
  std::vector<int> right_categories;  // nominal, as in ModelNode
  bool missing_right = false;
  double impurity = 0.0;          // the entropy of the split, as the dialogue prints it
  double risk = 0.0;              // relative risk, and its 95 percent interval
  double risk_low = 0.0;
  double risk_high = 0.0;
  bool cross_validated = false;   // two classes and at least 20 cases
  double cv_risk = 0.0;
  double cv_low = 0.0;
  double cv_high = 0.0;
  bool accepted = false;          // the split was made
};

struct Model {
  std::string data_file;          // as given on the command line or at the prompt
  SplittingRule rule = SplittingRule::entropy;
  RunMode mode = RunMode::automatic;
  int n_cases = 0;
  std::vector<int> class_labels;  // the response value of each class, class 0 first
  std::vector<int> class_counts;
  std::vector<ModelCovariate> covariates;  // covariates[i].number == i + 1
  std::vector<ModelTree> trees;            // automatic: grown, then the seven pruned trees
  std::vector<JudgedSplit> judged;         // controlled mode; not part of the JSON model
};

}  // namespace bramble
