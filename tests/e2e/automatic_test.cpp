// Automatic runs (`bramble NAME.dat`, Enter at both questions) on data sets small enough to grow,
// prune and lay out by hand. The whole report, drawing and console text are compared with the
// files in tests/e2e/expected, which were written from that hand work.
//
// Two classes prune at 6.6348, 7.8794, 10.8275, 12.1156, 15.1367, 19.5114 and 23.9281; three at
// 9.2103, 10.5966, 13.8155, ... A perfect two-class split of k1 and k0 cases has the table
// (k1, 0, 0, k0); its zero cells add 0.5 to every cell and 2 to n, giving 2k^2/(k+1) when both
// counts are k.
//
// A root split over two terminal daughters is drawn with radius 30: the circle at (225, -30), the
// squares from (-30, -610) and (420, -610), edges from (204, -52) and (246, -52) to (0, -550) and
// (450, -550), d = trunc(30 / 1.414) = 21, the label of the right edge at ((246 + 450) / 2,
// -52 - 498 / 3) = (348, -218). A single node is the square (-30, -610) to (30, -550).
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

class AutomaticRun : public testing::TestWithParam<const char*> {};

TEST_P(AutomaticRun, ReportDrawingAndConsoleAreTheHandWorkedOnes) {
  const std::string name = GetParam();
  const RunResult session = run_data_set(name, "\n\n");
  ASSERT_FALSE(session.timed_out);
  EXPECT_EQ(session.status, 0);
  EXPECT_EQ(session.err, "");
  EXPECT_EQ(after_notice(session.out), expected(name + ".out"));
  EXPECT_EQ(written(session, name + ".inf"), expected(name + ".inf"));
  EXPECT_EQ(written(session, name + ".ps"), expected(name + ".ps"));
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, AutomaticRun,
    testing::Values(
        // Three cases of one response value (class 0; the class count is raised to 2): the root is
        // pure, so every pass leaves 1 node, every list is "0.000000 " and every page one square
        // showing 0 and 3.
        "pure",
        // Covariate 1 separates 6 and 6 cases at 3.0 (entropy 0, covariate 2 cannot): 10.285714
        // keeps the split at 0.01 and 0.005; 0.001 collapses it, and the root keeps its statistic.
        "survive",
        // Classes 0^5 1^8 0^2 along x = 1..15. Root: x <= 5 (entropy 0.333602, against 0.577441
        // at 13); (8, 0, 2, 5) gives 7.406197. Node 3: x <= 13; (0, 8, 2, 0) gives 7.259259. Both
        // pass 0.01; at 0.005 the descending walk collapses node 3 and then the root at once.
        // Layout: x positions 0, -1, 1, 0, 2 scaled by 150, levels 0, -1, -2 at y -30, -305, -580.
        "chain",
        // Three classes along x = 1..15. The cuts at 5 and 10 tie at the root; the lower wins.
        // Root (5, 0, 5, 0, 0, 5) gives 12.040134; node 3 (5, 0, 0, 5, 0, 0) gives 8.333333, below
        // 9.2103: 3 nodes at 0.01 and 0.005, 1 node from 0.001. Terminal rows show three counts,
        // the drawing classes 1 and 0 only.
        "three",
        // Labels 10, 20, 30, 40; 10 and 30 are class 1. The grouping {10, 30} right is step 6
        // (Gray code 101), entropy 0: decimal code 13, written {30,10}. (7, 0, 0, 6) gives
        // 11.251196: kept to 0.001, collapsed at 0.0005. The highest category present (40) always
        // stays left, so a pure {10, 30} split needs a fourth label.
        "nominal",
        // Values 1.0 .. 2.45 are class 0; 2.6 .. 3.0 and four missing values are class 1. The
        // source covariate puts the missing cases at 0.0 (best 0.480723); its copy puts them at
        // 4.0 and separates at 2.45: /NA in the report, (>2.450, NA) in the drawing, x1 under the
        // circle. (8, 0, 0, 6) gives 12.194507: kept to 0.0005, collapsed at 0.0001.
        "missing"),
    [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace bramble_test
