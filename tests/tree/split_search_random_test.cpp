// The fast search against the plain one on many random data sets: same impurities and cut-offs to
// the bit, at every node of the tree, with and without excluded cases, and the same grown trees.
#include <gtest/gtest.h>

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
using bramble_test::reference_ordinal_split;

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

void expect_same_tree_of(const Dataset& data, SplitSearch& search) {
  NodeTable grown(data.n_cases, data.n_classes);
  init_node_table(grown);
  grow_tree(data, grown, search);
  expect_same_table(grown, data, search.rule());
}

void expect_same_tree(const Dataset& data, SplittingRule rule, Packing packing = Packing::when_it_fits) {
  SplitSearch search(data, rule, packing);
  expect_same_tree_of(data, search);
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
    const Dataset data = bramble_test::random_dataset(rng, n_cases, n_classes);
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
    const Dataset unfilled = with_unfilled_copies(data);
    check_every_node(data, rule, rng, Packing::when_it_fits, &unfilled);
  });
}

TEST(SplitSearchRandom, MatchesThePlainSearchWithoutPackedClasses) {
  for_random_data_sets(4242, 15, 1200, [](const Dataset& data, Rule rule, std::mt19937& rng) {
    check_every_node(data, rule, rng, Packing::never);
    expect_same_tree(data, rule, Packing::never);
  });
}

// The same trees as the plain growth; also when the growth frees the columns its search codes and
// never fills the missing copies (as an automatic run does: it must never read them). A search
// that keeps no near tie walks every searched segment a second time, passing over the blocks that
// the first walk's bounds rule out.
TEST(SplitSearchRandom, GrowsTheSameTreesAsThePlainGrowth) {
  for_random_data_sets(777, 30, 2500, [](const Dataset& data, Rule rule, std::mt19937&) {
    expect_same_tree(data, rule);
    Dataset freed = with_unfilled_copies(data);
    NodeTable grown(data.n_cases, data.n_classes);
    init_node_table(grown);
    {
      SplitSearch search(freed, rule, SplitSearch::FreeCodedColumns{});
      grow_tree(freed, grown, search);
    }
    expect_same_table(grown, data, rule);
    // Covariate 0 has five values and 4 and 5 are nominal: coded. Covariate 3 is continuous: with
    // a thousand cases it has too many values to be coded, and its column stays.
    for (const int v : {0, 4, 5}) EXPECT_TRUE(freed.X[v].empty()) << "covariate " << v;
    if (data.n_cases > 1000) {
      EXPECT_EQ(freed.X[3], data.X[3]);
    }
  });
}

TEST(SplitSearchRandom, SecondWalksFindTheSameSplits) {
  for_random_data_sets(606, 15, 2500, [](const Dataset& data, Rule rule, std::mt19937& rng) {
    SplitSearch search(data, rule);
    search.set_near_tie_capacity(0);
    check_every_node_of(data, search, rng);
    SplitSearch growing(data, rule);
    growing.set_near_tie_capacity(0);
    expect_same_tree_of(data, growing);
  });
}

// Nodes of tens of thousands of cases: most blocks of a sorted column are passed over on the
// strength of the bounds of their scores, with two to four classes.
TEST(SplitSearchRandom, LargeNodesGrowTheSameTrees) {
  std::mt19937 rng(99);
  for (const int n_classes : {2, 4}) {
    const Dataset data = bramble_test::random_dataset(rng, 30000, n_classes);
    for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
      SCOPED_TRACE(testing::Message() << n_classes << " classes, rule " << rule_name(rule));
      expect_same_tree(data, rule);
    }
  }
}

// Hundreds of boundaries whose impurities tie up to rounding: more near ties than the search keeps
// in memory, so it has to walk the node a second time.
TEST(SplitSearchRandom, ManyTiedBoundaries) {
  std::mt19937 rng(5);
  for (const int n_classes : {2, 3}) {
    const Dataset data = bramble_test::tied_runs_dataset(rng, 300, n_classes);
    for (const SplittingRule rule : {SplittingRule::entropy, SplittingRule::gini}) {
      check_every_node(data, rule, rng);
      expect_same_tree(data, rule);
    }
  }
}

}  // namespace
}  // namespace bramble
