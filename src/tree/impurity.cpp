#include "tree/impurity.h"

#include <cmath>
#include <vector>

#include "numeric/arrays.h"

namespace bramble {

double impurity(const int* left, int n_left, const int* right, int n_right, int n, int n_classes,
                SplittingRule rule) {
  if (rule == SplittingRule::entropy) {
    // A class present on a side makes that side non-empty.
    double entropy = 0.0;
    for (int k = 0; k < n_classes; ++k) {
      if (left[k] > 0) {
        entropy -= std::log(static_cast<double>(left[k]) / n_left) * left[k] / n;
      }
      if (right[k] > 0) {
        entropy -= std::log(static_cast<double>(right[k]) / n_right) * right[k] / n;
      }
    }
    return entropy;
  }
  // An empty daughter has weight zero, so its terms are left out rather than divided by zero.
  double gini = 1.0;
  for (int k = 0; k < n_classes; ++k) {
    if (n_left > 0) {
      gini -= static_cast<double>(left[k]) * left[k] / (static_cast<double>(n_left) * n);
    }
    if (n_right > 0) {
      gini -= static_cast<double>(right[k]) * right[k] / (static_cast<double>(n_right) * n);
    }
  }
  return gini;
}

bool has_room_for_split(const Dataset& data, int m) {
  return m > 2 * data.min_daughter_size() + 1;
}

bool is_splittable(const Dataset& data, const int* cases, int m) {
  if (m <= 1) return false;
  const int first = cases[0];
  bool pure = true;
  for (int i = 1; i < m && pure; ++i) pure = data.y[cases[i]] == data.y[first];
  if (pure) return false;
  for (int j = 0; j < data.n_covariates; ++j) {
    const double* values = data.X[j].data();
    for (int i = 1; i < m; ++i) {
      if (values[cases[i]] != values[first]) return true;
    }
  }
  return false;
}

namespace {

// Class counts of the two sides of a nominal grouping; categories move between them whole.
struct NominalSides {
  NominalSides(const int* category_counts, int n_classes, int m)
      : category_counts(category_counts), n_classes(n_classes), side_a(ivector(n_classes)),
        side_b(ivector(n_classes)), n_a(m) {}

  // Moves a category from side A to side B, or back when to_b is false.
  void move(int category, int size, bool to_b) {
    std::vector<int>& from = to_b ? side_a : side_b;
    std::vector<int>& to = to_b ? side_b : side_a;
    for (int k = 0; k < n_classes; ++k) {
      const int count = category_counts[category * n_classes + k];
      from[k] -= count;
      to[k] += count;
    }
    n_a += to_b ? -size : size;
    n_b += to_b ? size : -size;
  }

  const int* category_counts;  // [category][class]
  int n_classes;
  std::vector<int> side_a;  // left daughter
  std::vector<int> side_b;  // right daughter
  int n_a;
  int n_b = 0;
};

int lowest_set_bit(int s) {
  int b = 0;
  while (((s >> b) & 1) == 0) ++b;
  return b;
}

}  // namespace

double best_nominal_split(const Dataset& data, int var, const int* cases, int m, double& code,
                          SplittingRule rule) {
  const int n_classes = data.n_classes;
  const int g = data.var_type[var];
  const double* values = data.X[var].data();
  std::vector<int> category_counts = ivector(static_cast<long>(g) * n_classes);
  for (int i = 0; i < m; ++i) {
    ++category_counts[static_cast<int>(values[cases[i]]) * n_classes + data.y[cases[i]]];
  }
  return best_grouping(data, category_counts.data(), g, m, code, rule);
}

double best_grouping(const Dataset& data, const int* category_counts, int g, int m, double& code,
                     SplittingRule rule) {
  const int n_classes = data.n_classes;
  NominalSides sides(category_counts, n_classes, m);
  std::vector<int> present;
  std::vector<int> present_size;
  for (int v = 0; v < g; ++v) {
    int size = 0;
    for (int k = 0; k < n_classes; ++k) size += category_counts[v * n_classes + k];
    for (int k = 0; k < n_classes; ++k) sides.side_a[k] += category_counts[v * n_classes + k];
    if (size == 0) continue;
    present.push_back(v);
    present_size.push_back(size);
  }
  const int np = static_cast<int>(present.size());
  if (np <= 1) return n_classes;

  // Step s moves one category so that side B holds the categories of the Gray code of s; the
  // highest present category never moves.
  const int floor_size = data.min_daughter_size();
  double best = n_classes;
  int best_step = 1;
  for (int s = 1; s < (1 << (np - 1)); ++s) {
    const int b = lowest_set_bit(s);
    sides.move(present[b], present_size[b], ((s >> b) & 2) == 0);
    if (sides.n_a > floor_size && sides.n_b > floor_size) {
      const double imp = impurity(sides.side_a.data(), sides.n_a, sides.side_b.data(), sides.n_b,
                                  m, n_classes, rule);
      if (imp < best) {
        best = imp;
        best_step = s;
      }
    }
  }
  code = best_step;
  return best;
}

}  // namespace bramble
