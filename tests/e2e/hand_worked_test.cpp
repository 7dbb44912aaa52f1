// Whole runs on data sets small enough to grow, prune, judge and lay out by hand: the console, the
// report, the drawing and the status compared with the files of tests/e2e/expected, whose
// README.md gives the hand work the rows below share.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

struct HandWorkedRun {
  const char* name;           // expected console: NAME.out
  const char* data_set;       // tests/e2e/data/DATA_SET.dat
  const char* answers;        // standard input
  const char* tree;           // expected report and drawing: TREE.inf, TREE.ps
  const char* category_list;  // what the dialogue writes to standard error
};

void PrintTo(const HandWorkedRun& run, std::ostream* out) { *out << run.name; }

class HandWorked : public testing::TestWithParam<HandWorkedRun> {};

TEST_P(HandWorked, ConsoleReportAndDrawingAreTheHandWorkedOnes) {
  const HandWorkedRun& run = GetParam();
  const RunResult result = run_data_set(run.data_set, run.answers);
  ASSERT_FALSE(result.timed_out);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(after_notice(result.out), expected(std::string(run.name) + ".out"));
  EXPECT_EQ(result.err, run.category_list);
  EXPECT_EQ(written(result, std::string(run.data_set) + ".inf"), expected(std::string(run.tree) + ".inf"));
  EXPECT_EQ(written(result, std::string(run.data_set) + ".ps"), expected(std::string(run.tree) + ".ps"));
}

// Enter at both questions.
INSTANTIATE_TEST_SUITE_P(
    Automatic, HandWorked,
    testing::Values(
        // Three cases of one response value (class 0; the class count is raised to 2): the root is
        // pure, so every pass leaves 1 node, every list is "0.000000 " and every page one square
        // showing 0 and 3.
        HandWorkedRun{"pure", "pure", "\n\n", "pure", ""},
        // Covariate 1 separates 6 and 6 cases at 3.0 (entropy 0, covariate 2 cannot): 10.285714
        // keeps the split at 0.01 and 0.005; 0.001 collapses it, and the root keeps its statistic.
        HandWorkedRun{"survive", "survive", "\n\n", "survive", ""},
        // Classes 0^5 1^8 0^2 along x = 1..15. Root: x <= 5 (entropy 0.333602, against 0.577441
        // at 13); (8, 0, 2, 5) gives 7.406197. Node 3: x <= 13; (0, 8, 2, 0) gives 7.259259. Both
        // pass 0.01; at 0.005 the descending walk collapses node 3 and then the root at once.
        // Layout: x positions 0, -1, 1, 0, 2 scaled by 150, levels 0, -1, -2 at y -30, -305, -580.
        HandWorkedRun{"chain", "chain", "\n\n", "chain", ""},
        // Three classes along x = 1..15. The cuts at 5 and 10 tie at the root; the lower wins.
        // Root (5, 0, 5, 0, 0, 5) gives 12.040134; node 3 (5, 0, 0, 5, 0, 0) gives 8.333333, below
        // 9.2103: 3 nodes at 0.01 and 0.005, 1 node from 0.001. Terminal rows show three counts,
        // the drawing classes 1 and 0 only.
        HandWorkedRun{"three", "three", "\n\n", "three", ""},
        // Labels 10, 20, 30, 40; 10 and 30 are class 1. The grouping {10, 30} right is step 6
        // (Gray code 101), entropy 0: decimal code 13, written {30,10}. (7, 0, 0, 6) gives
        // 11.251196: kept to 0.001, collapsed at 0.0005. The highest category present (40) always
        // stays left, so a pure {10, 30} split needs a fourth label.
        HandWorkedRun{"nominal", "nominal", "\n\n", "nominal", ""},
        // Values 1.0 .. 2.45 are class 0; 2.6 .. 3.0 and four missing values are class 1. The
        // source covariate puts the missing cases at 0.0 (best 0.480723); its copy puts them at
        // 4.0 and separates at 2.45: /NA in the report, (>2.450, NA) in the drawing, x1 under the
        // circle. (8, 0, 0, 6) gives 12.194507: kept to 0.0005, collapsed at 0.0001.
        HandWorkedRun{"missing", "missing", "\n\n", "missing", ""}),
    [](const testing::TestParamInfo<HandWorkedRun>& info) { return std::string(info.param.name); });

// Each script starts with Enter (entropy) and y (controlled mode).
INSTANTIATE_TEST_SUITE_P(
    Controlled, HandWorked,
    testing::Values(
        // Split node 1, accept x1 at 10, leave nodes 2 and 3 terminal.
        HandWorkedRun{"ctl_accept", "ctl", "\ny\ny\ny\nn\nn\n", "ctl_accept", ""},
        // The same, but input ends after the acceptance: the notice comes once, at node 2, and
        // both daughters are declined; the run completes.
        HandWorkedRun{"ctl_input_ends", "ctl", "\ny\ny\ny\n", "ctl_accept", ""},
        // Decline x1, take rank 2: x2, whose category list goes to standard error.
        HandWorkedRun{"ctl_rank", "ctl", "\ny\ny\nn\n2\ny\nn\nn\n", "ctl_rank", "20,10"},
        // A word where the rank is read: the reminder, then the rank on the next line.
        HandWorkedRun{"ctl_garbage", "ctl", "\ny\ny\nn\nabc\n2\ny\nn\nn\n", "ctl_rank", "20,10"},
        // -3 proposes the best split of x3, at 1.0, and asks again.
        HandWorkedRun{"ctl_minus3", "ctl", "\ny\ny\nn\n-3\ny\nn\nn\n", "ctl_minus3", ""},
        // 0 at the ranking, then no: node 1 stays terminal with all 20 cases.
        HandWorkedRun{"ctl_none", "ctl", "\ny\ny\nn\n0\nn\n", "ctl_none", ""},
        // 0, yes, covariate 1, cut-off 12.5: (7, 3, 1, 9), entropy 0.488109, relative risk 3.5;
        // judged without a question of acceptance.
        HandWorkedRun{"ctl_cut", "ctl", "\ny\ny\nn\n0\ny\n1\n12.5\nn\nn\n", "ctl_cut", ""},
        // A word where the variable number is read, then the same manual split.
        HandWorkedRun{"ctl_garbage_variable", "ctl", "\ny\ny\nn\n0\ny\none\n1\n12.5\nn\nn\n",
                      "ctl_cut", ""},
        // A cut-off of 25 sends every case left: refused, and the question comes again; then the
        // same manual split (the refused one draws no random order).
        HandWorkedRun{"ctl_empty", "ctl", "\ny\ny\nn\n0\ny\n1\n25\ny\n1\n12.5\nn\nn\n", "ctl_cut", ""},
        // 0, yes, covariate 2 with the pattern 1 0 1: 10 and 30 right, decimal code 13, {30,10};
        // (9, 1, 4, 6), relative risk 9 * 7 / (1 * 13) = 4.846154.
        HandWorkedRun{"ctl_pattern", "ctl", "\ny\ny\nn\n0\ny\n2\n1 0 1\nn\nn\n", "ctl_pattern", ""}),
    [](const testing::TestParamInfo<HandWorkedRun>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bramble_test
