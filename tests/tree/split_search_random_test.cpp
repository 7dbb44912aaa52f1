// The fast search against the plain one on many random data sets: same impurities and cut-offs to
// the bit, at every node of the tree, with and without excluded cases, and the same grown trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "support/reference_search.h"
#include "support/tree_fixtures.h"
#include "tree/column_order.h"
#include "tree/grow.h"
#include "tree/split_search.h"

namespace bramble {
namespace {

using bramble_test::node_cases;
using bramble_test::make_dataset;
using bramble_test::reference_ordinal_split;

int uniform_int(std::mt19937& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

double uniform(std::mt19937& rng, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(rng);
}

// Source values below every present value for the missing cases, and its copy with them above.
void add_missing_copy(Dataset& data, std::mt19937& rng, int source) {
  std::vector<double>& values = data.X[source];
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  const double below = *low - 1;
  const double above = *high + 1;
  std::vector<double> copy = values;
  for (int c = 0; c < data.n_cases; ++c) {
    if (uniform(rng, 0, 1) < 0.15) {
      values[c] = below;
      copy[c] = above;
    }
  }
  data.X.push_back(copy);
  data.var_type.push_back(1);
  data.source_var.push_back(source);
  data.ori_catg.emplace_back();
  ++data.n_covariates;
}

// A random data set whose classes depend on its covariates (so that trees grow several levels):
// covariates 0-1 small integers (many ties), 2-3 continuous (2 rounded to create some ties; 3
// partly values that differ by less than a float can tell), 4-5 nominal with absent codes, 6-9
// noise in four values (so that a search codes at least eight columns, more than a word of its
// records holds); 1 and 3 have missing values, each followed by its missing copy.
Dataset random_dataset(std::mt19937& rng, int n_cases, int n_classes) {
  std::vector<std::vector<double>> columns(10, std::vector<double>(n_cases));
  const int g4 = uniform_int(rng, 2, 5);
  const int g5 = uniform_int(rng, 3, 6);
  std::vector<int> classes(n_cases);
  for (int c = 0; c < n_cases; ++c) {
    columns[0][c] = uniform_int(rng, 0, 4);
    columns[1][c] = uniform_int(rng, -2, 7);
    columns[2][c] = std::round(uniform(rng, -5, 5) * 10) / 10;
    const double close_values = uniform_int(rng, 0, 3) / 4.0 + uniform_int(rng, 0, 3) * 1e-12;
    columns[3][c] = uniform(rng, 0, 1) < 0.5 ? uniform(rng, 0, 1) : close_values;
    columns[4][c] = uniform_int(rng, 0, g4 - 1);
    columns[5][c] = 2 * uniform_int(rng, 0, (g5 - 1) / 2);  // odd codes never occur
    for (int v = 6; v < 10; ++v) columns[v][c] = uniform_int(rng, 0, 3);
    const double signal = columns[0][c] + columns[3][c] * 3 + (columns[4][c] == 1 ? 2 : 0);
    const bool noise = uniform(rng, 0, 1) < 0.25;
    classes[c] = noise ? uniform_int(rng, 0, n_classes - 1) : static_cast<int>(signal) % n_classes;
  }
  Dataset data = make_dataset(columns, classes, n_classes, {1, 1, 1, 1, g4, g5, 1, 1, 1, 1});
  add_missing_copy(data, rng, 1);
  add_missing_copy(data, rng, 3);
  return data;
}

// P values with one case of every class each: every boundary of covariate 0 splits the classes in
// the same proportions, so all its impurities tie. Covariate 1 is random and continuous (sorted).
Dataset tied_runs_dataset(std::mt19937& rng, int n_values, int n_classes) {
  const int n_cases = n_values * n_classes;
  std::vector<std::vector<double>> columns(2, std::vector<double>(n_cases));
  std::vector<int> classes(n_cases);
  for (int c = 0; c < n_cases; ++c) {
    columns[0][c] = c / n_classes;
    columns[1][c] = uniform(rng, 0, 1);
    classes[c] = c % n_classes;
  }
  return make_dataset(columns, classes, n_classes);
}

// Compares every ordinal covariate at one node, over all its cases and over a random subset.
void expect_same_ordinal_splits(const Dataset& data, const NodeTable& table,
                                const SplitSearch& search, int node, std::mt19937& rng) {
  const std::vector<int> cases = node_cases(table, node);
  std::vector<unsigned char> excluded(data.n_cases, 0);
  std::vector<int> kept;
  for (const int c : cases) {
    excluded[c] = std::bernoulli_distribution(0.2)(rng) ? 1 : 0;
    if (excluded[c] == 0) kept.push_back(c);
  }
  for (int var = 0; var < data.n_covariates; ++var) {
    if (data.is_nominal(var)) continue;
    double cut = 0.0;
    double expected_cut = 0.0;
    const double expected = reference_ordinal_split(data, var, cases, expected_cut, search.rule());
    EXPECT_EQ(search.best_ordinal_split(var, node, nullptr, cut), expected);
    EXPECT_EQ(cut, expected_cut) << "covariate " << var << " node " << node;
    if (kept.empty()) continue;
    const double expected_kept =
        reference_ordinal_split(data, var, kept, expected_cut, search.rule());
    EXPECT_EQ(search.best_ordinal_split(var, node, excluded.data(), cut), expected_kept);
    EXPECT_EQ(cut, expected_cut) << "covariate " << var << " node " << node << " (subset)";
  }
}

using Packing = SplitSearch::ClassPacking;
using Rule = SplittingRule;

// The data as recoding leaves them: the rows of the missing copies empty, to be read through
// their sources.
Dataset with_unfilled_copies(Dataset data) {
  for (int v = 0; v < data.n_covariates; ++v) {
    if (!data.is_missing_copy(v)) continue;
    const MissingCopyForm form = missing_copy_form(data.X[data.source_var[v]], data.X[v]);
    if (!form.any_missing) continue;  // recoding makes copies only of covariates with missing cases
    data.unfilled_copies.push_back({v, form.source_value, form.copy_value});
    std::vector<double>().swap(data.X[v]);
  }
  return data;
}

// Grows the tree node by node with search, checking the searches at every node before it is split.
void check_every_node_of(const Dataset& data, SplitSearch& search, std::mt19937& rng) {
  NodeTable table(data.n_cases, data.n_classes);
  init_node_table(table);
  for (int node = 0; node < table.node_count; ++node) {
    expect_same_ordinal_splits(data, table, search, node, rng);
    grow_node(node, data, table, search);
  }
}

// The same with a search of its own, on searched (the data, or the data with their copies
// unfilled).
void check_every_node(const Dataset& data, SplittingRule rule, std::mt19937& rng,
                      Packing packing = Packing::when_it_fits, const Dataset* searched = nullptr) {
  SplitSearch search(searched != nullptr ? *searched : data, rule, packing);
  check_every_node_of(data, search, rng);
}

void expect_same_table(const NodeTable& grown, const Dataset& data, SplittingRule rule) {
  NodeTable expected(data.n_cases, data.n_classes);
  bramble_test::reference_grow_tree(data, expected, rule);
  ASSERT_EQ(grown.node_count, expected.node_count);
  EXPECT_EQ(grown.split_var, expected.split_var);
  EXPECT_EQ(grown.cut_off, expected.cut_off);
  EXPECT_EQ(grown.left_child, expected.left_child);
  EXPECT_EQ(grown.parent, expected.parent);
  EXPECT_EQ(grown.node_size, expected.node_size);
  EXPECT_EQ(grown.split_chisq, expected.split_chisq);
  EXPECT_EQ(grown.case_node, expected.case_node);
}

SplitSearch::WalkWork expect_same_tree(const Dataset& data, SplittingRule rule,
                                       Packing packing = Packing::when_it_fits) {
  SplitSearch search(data, rule, packing);
  NodeTable grown(data.n_cases, data.n_classes);
  init_node_table(grown);
  grow_tree(data, grown, search);
  expect_same_table(grown, data, rule);
  return search.walk_work();
}

const char* rule_name(SplittingRule rule) {
  return rule == SplittingRule::entropy ? "entropy" : "gini";
}

// Runs check(data, rule, rng) on random data sets of 2 to max_cases cases and 2 to 5 classes,
// under both rules.
template <typename Check>
void for_random_data_sets(unsigned seed, int rounds, int max_cases, Check check) {
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    const int n_cases = std::uniform_int_distribution<int>(2, max_cases)(rng);
    const int n_classes = std::uniform_int_distribution<int>(2, 5)(rng);
    const Dataset data = random_dataset(rng, n_cases, n_classes);
    for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
      SCOPED_TRACE(testing::Message() << "round " << round << " rule " << rule_name(rule));
      check(data, rule, rng);
    }
  }
}

// Up to 1200 cases: minimum daughter sizes 0 to 12, and above 512 or so cases the continuous
// covariates have too many values to be coded. Without packed classes, sorted columns leave the
// class to a lookup by case, as for the largest data sets.
TEST(SplitSearchRandom, MatchesThePlainSearchAtEveryNode) {
  for_random_data_sets(20240611, 40, 1200, [](const Dataset& data, Rule rule, std::mt19937& rng) {
    check_every_node(data, rule, rng);
    check_every_node(data, rule, rng, Packing::never);
    const Dataset unfilled = with_unfilled_copies(data);
    check_every_node(data, rule, rng, Packing::when_it_fits, &unfilled);
    Dataset mislabelled = data;  // covariate 7 named a copy of 6, without a copy's values
    mislabelled.source_var[7] = 6;
    check_every_node(mislabelled, rule, rng);
  });
}

// The same trees as the plain growth; also without packed classes, and when the growth frees the
// columns its search codes and never fills the missing copies (as an automatic run does: it must
// never read them). A search keeping no near tie walks every segment twice, past the blocks the
// first walk's bounds rule out; one keeping two compacts its full list as lower scores come.
TEST(SplitSearchRandom, GrowsTheSameTreesAsThePlainGrowth) {
  for_random_data_sets(777, 30, 2500, [](const Dataset& data, Rule rule, std::mt19937& rng) {
    expect_same_tree(data, rule);
    expect_same_tree(data, rule, Packing::never);
    Dataset freed = with_unfilled_copies(data);
    NodeTable grown(data.n_cases, data.n_classes);
    init_node_table(grown);
    {
      SplitSearch search(freed, rule, SplitSearch::FreeCodedColumns{});
      grow_tree(freed, grown, search);
    }
    expect_same_table(grown, data, rule);
    // Covariates 0 and 1 have few values (1 is freed after its missing copy) and 4 and 5 are
    // nominal: coded. Covariate 3 is continuous: with a thousand cases it has too many values to
    // be coded, and its column stays.
    for (const int v : {0, 1, 4, 5}) EXPECT_TRUE(freed.X[v].empty()) << "covariate " << v;
    EXPECT_TRUE(data.n_cases <= 1000 || freed.X[3] == data.X[3]);
    for (const std::size_t capacity : {0, 2}) {
      SplitSearch few_kept(data, rule);
      few_kept.set_near_tie_capacity(capacity);
      check_every_node_of(data, few_kept, rng);
    }
  });
}

// Nodes of tens of thousands of cases: most blocks of a sorted column are passed over on the
// strength of the bounds of their scores, with two to four classes. The work is the tally of
// this very growth, so looser bounds (or tighter ones that happen to find the same splits) show.
TEST(SplitSearchRandom, LargeNodesGrowTheSameTrees) {
  std::mt19937 rng(99);
  const SplitSearch::WalkWork works[] = {{1115, 3285, 130}, {1163, 3244, 132},
                                         {953, 3346, 128}, {996, 3318, 126}};
  const SplitSearch::WalkWork* work = works;
  for (const int n_classes : {2, 4}) {
    const Dataset data = random_dataset(rng, 30000, n_classes);
    for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
      SCOPED_TRACE(testing::Message() << n_classes << " classes, rule " << rule_name(rule));
      EXPECT_TRUE(expect_same_tree(data, rule) == *work++);
    }
  }
  // 12800 cases: a daughter needs more than 128, the cases of the first block. Its end separates
  // the classes, but no admissible boundary does.
  std::vector<double> x(12800);
  std::vector<int> classes(12800, 0);
  for (int c = 0; c < 12800; ++c) x[c] = c;
  std::fill_n(classes.begin(), 128, 1);
  expect_same_tree(make_dataset({x}, classes, 2), SplittingRule::entropy);
}

// Hundreds of boundaries whose impurities tie up to rounding: more near ties than the search keeps
// in memory, so it has to walk the node a second time.
TEST(SplitSearchRandom, ManyTiedBoundaries) {
  std::mt19937 rng(5);
  for (const int n_classes : {2, 3}) {
    const Dataset data = tied_runs_dataset(rng, 300, n_classes);
    for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
      check_every_node(data, rule, rng);
      expect_same_tree(data, rule);
    }
  }
}

}  // namespace
}  // namespace bramble
