#include "interactive/risk.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "io/output_file.h"
#include "tree/impurity.h"

namespace bramble {

namespace {

// The smallest node that is cross-validated.
constexpr int MIN_CV_CASES = 20;

}  // namespace

double relative_risk(const int* table, int n_classes, double& w) {
  // First and second entries of classes 1 and 0.
  double t1 = table[2 * n_classes - 4];
  double s1 = table[2 * n_classes - 3];
  double t0 = table[2 * n_classes - 2];
  double s0 = table[2 * n_classes - 1];
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
  return q < p ? p / q : q / p;
}

void print_split_impurity(const int* table, int n_classes, FILE* console) {
  std::array<int, MAX_CLASSES> first{};
  std::array<int, MAX_CLASSES> second{};
  int first_total = 0;
  int second_total = 0;
  for (int i = 0; i < n_classes; ++i) {
    first[i] = table[2 * i];
    second[i] = table[2 * i + 1];
    first_total += first[i];
    second_total += second[i];
  }
  const double value = impurity(first.data(), first_total, second.data(), second_total,
                                first_total + second_total, n_classes, SplittingRule::entropy);
  std::fprintf(console, "The impurity of the split=%f", value);
}

void report_split_risk(const Dataset& data, NodeTable& table, const SplitSearch& search, int node,
                       int var, const int* counts, RandomStream& random, FILE* console,
                       const std::string& report_name) {
  FileHandle report(open_output(report_name, "a"));
  print_split_impurity(counts, data.n_classes, console);
  std::fprintf(console, "\n");
  double w = 0;
  const double risk = relative_risk(counts, data.n_classes, w);
  std::fprintf(console, "The resubstitution relative risk=%f and\n", risk);
  std::fprintf(console, "  its 95 percent confidence interval=(%f, %f)\n", risk / w, risk * w);
  if (data.n_classes == 2 && search.size(node) >= MIN_CV_CASES) {
    const std::array<int, 4> pooled =
        cross_validated_table(data, table, search, node, var, random);
    double cv_w = 0;
    const double cv_risk = relative_risk(pooled.data(), 2, cv_w);
    std::fprintf(console, "A %d-fold cross validation relative risk=%f and \n", CV_FOLDS, cv_risk);
    std::fprintf(console, "  its 95 percent confidence interval=(%f, %f)\n", cv_risk / cv_w,
                 cv_risk * cv_w);
    std::fprintf(report.get(), "%f %f\n", cv_risk, cv_w);
  }
  close_output(report.release(), report_name);
}

}  // namespace bramble
