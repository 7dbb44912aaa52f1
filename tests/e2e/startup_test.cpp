// Start-up: the options, the data file name and the two questions before a run.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

// The first row of the grown tree's table in a report (the line after the column heading).
std::string initial_root_row(const std::string& report) {
  const std::string section = "\nThe initial tree:\n";
  const std::size_t at = report.find(section);
  if (at == std::string::npos) return "";
  const std::size_t row = report.find('\n', at + section.size()) + 1;
  return report.substr(row, report.find('\n', row) - row);
}

TEST(StartupOptions, HelpAndVersionEndWithoutARun) {
  const std::string dir = make_scratch_dir();
  const RunResult help = run_in(dir, "--help", "");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage:"), std::string::npos) << help.out;
  const RunResult version = run_in(dir, "--version", "");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("bramble ") + BRAMBLE_VERSION + "\n");
  EXPECT_EQ(help.err + version.err, "");
  EXPECT_FALSE(file_exists(dir + "/--help.inf"));
}

// gini.dat: x1 at 3 leaves (0, 3) and (4, 3): entropy 0.478036, Gini 0.342857. x2 at 6 leaves
// (1, 5) and (3, 1): entropy 0.495271, Gini 0.316667. So entropy splits the root on x1, Gini on x2;
// a name typed at the prompt leaves the rule question a fresh line.
TEST(StartupRule, EnterGivesEntropyAndTwoGivesGini) {
  const std::string by_x1 = "     1      10      2       3      1        3.00000";
  const std::string by_x2 = "     1      10      2       3      2        6.00000";
  EXPECT_EQ(initial_root_row(written(run_data_set("gini", "\n\n"), "gini.inf")), by_x1);
  EXPECT_EQ(initial_root_row(written(run_data_set("gini", "2\n\n"), "gini.inf")), by_x2);

  const RunResult typed = run_in(scratch_with_data_set("gini"), "", "gini.dat\n2\n\n");
  const std::string prompts =
      "\n\n\nPlease input datafile name: "
      "Choose splitting rule [enter 1 for entropy(default) or 2 for gini]: "
      "\n     For new users";
  EXPECT_EQ(after_notice(typed.out).substr(0, prompts.size()), prompts);
  EXPECT_EQ(initial_root_row(written(typed, "gini.inf")), by_x2);
}

// y, Y and 1 choose the controlled mode (input then ends: the root is declined); anything else
// and a closed input the automatic one.
TEST(StartupControlQuestion, YesAnswersGiveTheControlledMode) {
  const std::string automatic = expected("survive.out");
  const std::string prompt = "Do you want to control the splitting [y/n(default)]? ";
  const std::string controlled = automatic.substr(0, automatic.find(prompt) + prompt.size()) +
                                 "12 cases in node 1.  Split [y/n]? "
                                 "\nEnd of input: the remaining answers are taken as no.\n"
                                 "no split for node 1:2\nThere remain 1 nodes\n"
                                 "Please view or print PS file: survive.ps\n";
  for (const char* input : {"\ny\n", "\nY\n", "\n1\n", "\nn\n", "\nN\n", "\n0\n", "\n2\n", ""}) {
    SCOPED_TRACE(input);
    const bool yes = std::string(input).find_first_of("yY1") != std::string::npos;
    const RunResult session = run_data_set("survive", input);
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(after_notice(session.out), yes ? controlled : automatic);
    const std::string tree = yes ? "survive_declined" : "survive";
    EXPECT_EQ(written(session, "survive.inf"), expected(tree + ".inf"));
    EXPECT_EQ(written(session, "survive.ps"), expected(tree + ".ps"));
  }
}

}  // namespace
}  // namespace bramble_test
