// Whole runs on data sets small enough to grow, prune, judge and lay out by hand: the console, the
// report, the drawing and the status compared with the files of tests/e2e/expected, whose
// README.md gives the hand work behind each row.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

// The expected console NAME.out, the data tests/e2e/data/DATA_SET.dat, the answers on standard
// input, the expected report and drawing TREE.inf and TREE.ps, and what the dialogue writes to
// standard error.
struct HandWorkedRun { std::string name, data_set, answers, tree, category_list; };

void PrintTo(const HandWorkedRun& run, std::ostream* out) { *out << run.name; }

class HandWorked : public testing::TestWithParam<HandWorkedRun> {};

TEST_P(HandWorked, ConsoleReportAndDrawingAreTheHandWorkedOnes) {
  const HandWorkedRun& run = GetParam();
  const RunResult result = run_data_set(run.data_set, run.answers);
  EXPECT_EQ(result.status, 0);  // -1 when it timed out
  EXPECT_EQ(result.out, expected("notice.out") + expected(run.name + ".out"));
  EXPECT_EQ(result.err, run.category_list);
  EXPECT_EQ(written(result, run.data_set + ".inf"), expected(run.tree + ".inf"));
  EXPECT_EQ(written(result, run.data_set + ".ps"), expected(run.tree + ".ps"));
}

// Enter at both questions.
HandWorkedRun automatic(const char* name) { return {name, name, "\n\n", name, ""}; }

INSTANTIATE_TEST_SUITE_P(Automatic, HandWorked,
    testing::Values(automatic("pure"), automatic("survive"), automatic("chain"), automatic("three"),
                    automatic("nominal"), automatic("missing")),
    [](const auto& info) { return info.param.name; });

// Each script starts with Enter (entropy) and y (controlled mode).
INSTANTIATE_TEST_SUITE_P(Controlled, HandWorked, testing::Values(
        HandWorkedRun{"ctl_accept", "ctl", "\ny\ny\ny\nn\nn\n", "ctl_accept", ""},
        HandWorkedRun{"ctl_input_ends", "ctl", "\ny\ny\ny\n", "ctl_accept", ""},
        HandWorkedRun{"ctl_rank", "ctl", "\ny\ny\nn\n2\ny\nn\nn\n", "ctl_rank", "20,10"},
        HandWorkedRun{"ctl_garbage", "ctl", "\ny\ny\nn\nabc\n2\ny\nn\nn\n", "ctl_rank", "20,10"},
        HandWorkedRun{"ctl_minus3", "ctl", "\ny\ny\nn\n-3\ny\nn\nn\n", "ctl_minus3", ""},
        HandWorkedRun{"ctl_none", "ctl", "\ny\ny\nn\n0\nn\n", "ctl_none", ""},
        HandWorkedRun{"ctl_cut", "ctl", "\ny\ny\nn\n0\ny\n1\n12.5\nn\nn\n", "ctl_cut", ""},
        HandWorkedRun{"ctl_garbage_variable", "ctl", "\ny\ny\nn\n0\ny\none\n1\n12.5\nn\nn\n",
                      "ctl_cut", ""},
        HandWorkedRun{"ctl_empty", "ctl", "\ny\ny\nn\n0\ny\n1\n25\ny\n1\n12.5\nn\nn\n", "ctl_cut",
                      ""},
        HandWorkedRun{"ctl_pattern", "ctl", "\ny\ny\nn\n0\ny\n2\n1 0 1\nn\nn\n", "ctl_pattern", ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace bramble_test
