#include "interactive/risk.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "interactive/cross_validation.h"
#include "io/output_file.h"
#include "tree/impurity.h"

namespace bramble {

namespace {

// The smallest node that is cross-validated.
constexpr int MIN_CV_CASES = 20;

// Prints "The impurity of the split=%f": the entropy, whatever the run's rule. The daughters are
// passed right first and the classes from the highest down, the order the terms have always been
// summed in.
double print_split_impurity(const DaughterCounts& counts, FILE* console) {
  const int n_classes = counts.n_classes();
  std::array<int, MAX_CLASSES> right{};
  std::array<int, MAX_CLASSES> left{};
  for (int i = 0; i < n_classes; ++i) {
    right[i] = counts.right(n_classes - 1 - i);
    left[i] = counts.left(n_classes - 1 - i);
  }
  const int n_right = counts.total(true);
  const int n_left = counts.total(false);
  const double value = impurity(right.data(), n_right, left.data(), n_left, n_right + n_left,
                                n_classes, SplittingRule::entropy);
  std::fprintf(console, "The impurity of the split=%f", value);
  return value;
}

}  // namespace

double relative_risk(const DaughterCounts& counts, double& w) {
  // The right and left daughters' counts of classes 1 and 0.
  double t1 = counts.right(1);
  double s1 = counts.left(1);
  double t0 = counts.right(0);
  double s0 = counts.left(0);
  if (t1 == 0 || s1 == 0 || t0 == 0 || s0 == 0) {
    t1 += 0.5;
    s1 += 0.5;
    t0 += 0.5;
    s0 += 0.5;
  }
  w = std::exp(1.96 * std::sqrt(1 / t1 + 1 / t0 + 1 / s1 + 1 / s0));
  const double p = t1 * (s1 + s0);
  const double q = s1 * (t1 + t0);
  // The larger of the ratio of the two sides' class-1 shares and its inverse.
  return std::max(p / q, q / p);
}

Judgement report_split_risk(const Dataset& data, NodeTable& table, const SplitSearch& search,
                            int node, int var, const DaughterCounts& counts, RandomStream& random,
                            FILE* console, const std::string& report_name) {
  FileHandle report(open_output(report_name, "a"));
  Judgement judgement;
  judgement.node = node;
  judgement.var = var;
  judgement.cut_off = table.cut_off[node];
  judgement.impurity = print_split_impurity(counts, console);
  std::fprintf(console, "\n");
  double w = 0;
  const double risk = relative_risk(counts, w);
  judgement.risk = risk;
  judgement.risk_low = risk / w;
  judgement.risk_high = risk * w;
  std::fprintf(console, "The resubstitution relative risk=%f and\n", risk);
  std::fprintf(console, "  its 95 percent confidence interval=(%f, %f)\n", risk / w, risk * w);
  if (data.n_classes == 2 && search.size(node) >= MIN_CV_CASES) {
    const DaughterCounts pooled = cross_validated_table(data, table, search, node, var, random);
    double cv_w = 0;
    const double cv_risk = relative_risk(pooled, cv_w);
    std::fprintf(console, "A %d-fold cross validation relative risk=%f and \n", CV_FOLDS, cv_risk);
    std::fprintf(console, "  its 95 percent confidence interval=(%f, %f)\n", cv_risk / cv_w,
                 cv_risk * cv_w);
    std::fprintf(report.get(), "%f %f\n", cv_risk, cv_w);
    judgement.cross_validated = true;
    judgement.cv_risk = cv_risk;
    judgement.cv_low = cv_risk / cv_w;
    judgement.cv_high = cv_risk * cv_w;
  }
  close_output(report.release(), report_name);
  return judgement;
}

}  // namespace bramble
