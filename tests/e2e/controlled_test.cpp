// Controlled runs on ctl.dat, answers scripted on standard input. Every console stream, the report,
// the one-page drawing and the exit status are compared with files written from hand work.
//
// ctl.dat: 20 cases, x1 = 1..20, class 0 for x1 <= 10 and class 1 above, except x1 = 3 (class 1)
// and x1 = 18 (class 0); x2 nominal with labels 10 (3 of class 0, 3 of class 1), 20 (6, 1) and
// 30 (1, 6); x3 ordinal, weak. At the root:
//   rank 1: x1 at 10, entropy 0.325083; table (9, 1, 1, 9), relative risk 90 / 10 = 9, interval
//           factor exp(1.96 sqrt(1/9 + 1 + 1 + 1/9)).
//   rank 2: x2, step 2 (Gray code 11: 10 and 20 right), 0.544748; decimal code 12, {20,10}.
//   rank 3: x3 at 1.0 (one case left), 0.657173.
//
// The first cross-validation of a run draws the order 17 2 6 16 5 4 19 18 14 9 12 7 15 10 11 1 8
// 13 0 3 (seed 7). For x1, with folds of 4 (first entry: at most the cut-off):
//   fold 0 holds out x1 = 18, 3, 7, 17; training is clean, cut 10; tally (1, 1, 1, 1), added as
//          (1, 1, 1, 1) since 1 * 1 is not above 1 * 1.
//   fold 1 holds out 6, 5, 20, 19; cut 10; (0, 2, 2, 0) added as (2, 0, 0, 2).
//   fold 2 holds out 15, 10, 13, 8; without x1 = 10 the cut is 9, so 10 falls right:
//          (0, 2, 1, 1) added as (2, 1, 0, 1).
//   fold 3 holds out 16, 11, 12, 2; cut 10; (0, 3, 1, 0) added as (3, 0, 0, 1).
//   fold 4 holds out 9, 14, 1, 4; cut 10; (0, 1, 3, 0) added as (1, 0, 0, 3).
//   Pooled (9, 2, 1, 8): relative risk 9 * 10 / (2 * 10) = 4.5, factor exp(1.96 sqrt(1/9 + 1/2 +
//   1 + 1/8)) = 13.230526, interval (0.340123, 59.537368); the report line "4.500000 13.230526".
// Every later proposal in these scripts is the second cross-validation of its run, with the order
// 17 11 14 10 2 16 1 12 8 9 3 19 4 15 18 13 0 7 6 5. For x2 every fold's training cases hold all
// three labels, so its grouping is one of {10}, {10,20} (code 2) or {20} (code 3) going right,
// which are the first entries; held-out labels are (class 0, class 1) counts:
//   fold 0 trains on 10 (3, 2), 20 (5, 1), 30 (1, 4): {10,20} is best; tally (1, 2, 1, 0), kept.
//   fold 1 trains on 10 (3, 3), 20 (5, 1), 30 (1, 3): {20}; (0, 3, 1, 0) added as (3, 0, 0, 1).
//   fold 2 trains on 10 (2, 2), 20 (4, 1), 30 (1, 6): {10,20}. It holds out 10, 20, 20, 10, no 30:
//          all four go first, (1, 0, 3, 0) added as (0, 0, 1, 3). (Decoded over the held-out
//          labels instead, code 2 would have sent both of them second.)
//   fold 3 trains on 10 (2, 2), 20 (6, 0), 30 (1, 5): {20}; (1, 2, 0, 1), kept.
//   fold 4 trains on 10 (2, 3), 20 (4, 1), 30 (0, 6): {10,20}; (0, 0, 3, 1) added as (0, 1, 0, 3).
//   Pooled (5, 5, 2, 8): 5 * 13 / (5 * 7) = 1.857143, factor exp(1.96 sqrt(1/5 + 1/5 + 1/2 +
//   1/8)) = 7.274309, interval (0.255302, 13.509430).
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

struct Script {
  const char* name;           // expected console: ctl_NAME.out
  const char* answers;        // standard input
  const char* tree;           // expected report and drawing: ctl_TREE.inf, ctl_TREE.ps
  const char* category_list;  // what the dialogue writes to standard error
};

std::ostream& operator<<(std::ostream& out, const Script& script) { return out << script.name; }

class ControlledRun : public testing::TestWithParam<Script> {};

TEST_P(ControlledRun, ConsoleReportAndDrawingAreTheHandWorkedOnes) {
  const Script& script = GetParam();
  const RunResult session = run_data_set("ctl", script.answers);
  ASSERT_FALSE(session.timed_out);
  EXPECT_EQ(session.status, 0);
  EXPECT_EQ(after_notice(session.out), expected(std::string("ctl_") + script.name + ".out"));
  EXPECT_EQ(session.err, script.category_list);
  EXPECT_EQ(written(session, "ctl.inf"), expected(std::string("ctl_") + script.tree + ".inf"));
  EXPECT_EQ(written(session, "ctl.ps"), expected(std::string("ctl_") + script.tree + ".ps"));
}

// Each script starts with Enter (entropy) and y (controlled mode).
INSTANTIATE_TEST_SUITE_P(
    Scripts, ControlledRun,
    testing::Values(
        // Split node 1, accept x1 at 10, leave nodes 2 and 3 terminal.
        Script{"accept", "\ny\ny\ny\nn\nn\n", "accept", ""},
        // The same, but input ends after the acceptance: the notice comes once, at node 2, and
        // both daughters are declined; the run completes.
        Script{"input_ends", "\ny\ny\ny\n", "accept", ""},
        // Decline x1, take rank 2: x2, whose category list goes to standard error.
        Script{"rank", "\ny\ny\nn\n2\ny\nn\nn\n", "rank", "20,10"},
        // A word where the rank is read: the reminder, then the rank on the next line.
        Script{"garbage", "\ny\ny\nn\nabc\n2\ny\nn\nn\n", "rank", "20,10"},
        // -3 proposes the best split of x3, at 1.0, and asks again.
        Script{"minus3", "\ny\ny\nn\n-3\ny\nn\nn\n", "minus3", ""},
        // 0 at the ranking, then no: node 1 stays terminal with all 20 cases.
        Script{"none", "\ny\ny\nn\n0\nn\n", "none", ""},
        // 0, yes, covariate 1, cut-off 12.5: (7, 3, 1, 9), entropy 0.488109, relative risk 3.5;
        // judged without a question of acceptance.
        Script{"cut", "\ny\ny\nn\n0\ny\n1\n12.5\nn\nn\n", "cut", ""},
        // A word where the variable number is read, then the same manual split.
        Script{"garbage_variable", "\ny\ny\nn\n0\ny\none\n1\n12.5\nn\nn\n", "cut", ""},
        // A cut-off of 25 sends every case left: refused, and the question comes again; then the
        // same manual split (the refused one draws no random order).
        Script{"empty", "\ny\ny\nn\n0\ny\n1\n25\ny\n1\n12.5\nn\nn\n", "cut", ""},
        // 0, yes, covariate 2 with the pattern 1 0 1: 10 and 30 right, decimal code 13, {30,10};
        // (9, 1, 4, 6), relative risk 9 * 7 / (1 * 13) = 4.846154.
        Script{"pattern", "\ny\ny\nn\n0\ny\n2\n1 0 1\nn\nn\n", "pattern", ""}),
    [](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bramble_test
