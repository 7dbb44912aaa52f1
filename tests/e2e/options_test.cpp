// Start-up, end to end: the help and version, the answers the options stand for, the names they
// give the outputs, the quiet run, the usage errors that write nothing, and the rule question.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/e2e_support.h"
#include "io/text_buffer.h"
#include "program/notices.h"

namespace bramble_test {
namespace {

const std::string kIris = source_dir() + "/examples/iris.dat";

// The files in dir but the run's own standard streams (.stdin, .stdout, .stderr).
int entries(const std::string& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    count += entry.path().filename().string()[0] != '.';
  }
  return count;
}

TEST(OptionRuns, HelpVersionAndABareClassifyEndWithoutARun) {
  const std::string dir = make_scratch_dir();
  const RunResult help = run_in(dir, "--help", "");
  EXPECT_NE(help.out.find("Usage:"), std::string::npos) << help.out;
  const RunResult version = run_in(dir, "--version", "");
  EXPECT_TRUE(help.status == 0 && version.status == 0);
  EXPECT_EQ(version.out, std::string("bramble ") + BRAMBLE_VERSION + "\n");
  EXPECT_EQ(help.err + version.err, "");
  const RunResult classify = run_in(dir, "classify", "");
  EXPECT_EQ(classify.status, 2);
  EXPECT_NE(classify.err.find("no model file and no data file given"), std::string::npos);
  EXPECT_EQ(entries(dir), 0);
}

TEST(OptionRuns, AnswerTheQuestionsAndNameTheOutputs) {
  const std::string asked = make_scratch_dir();
  const RunResult typed = run_in(asked, kIris, "2\nn\n");
  ASSERT_EQ(typed.status, 0) << typed.out;
  const std::string preset = make_scratch_dir();
  std::filesystem::create_directory(preset + "/results");
  const RunResult given = run_in(preset, "-g -a -o results/iris.v2 " + kIris, "");
  ASSERT_EQ(given.status, 0) << given.out;
  EXPECT_EQ(read_file(preset + "/results/iris.v2.inf"), read_file(asked + "/iris.inf"));
  EXPECT_EQ(read_file(preset + "/results/iris.v2.ps"), read_file(asked + "/iris.ps"));
  EXPECT_EQ(given.out.find("Choose splitting rule"), std::string::npos);
  EXPECT_EQ(given.out.find("control the splitting"), std::string::npos);
  EXPECT_EQ(entries(preset), 1);
}

TEST(OptionRuns, QuietDropsTheNoticesAndNothingElse) {
  const std::string dir = make_scratch_dir();
  const RunResult loud = run_in(dir, kIris, "");
  const RunResult quiet = run_in(dir, "-q " + kIris, "");
  ASSERT_EQ(quiet.status, 0);
  bramble::TextBuffer start, user;
  bramble::show_start_notice(start.stream());
  bramble::show_user_notice(user.stream(), "iris.inf");
  EXPECT_EQ(quiet.out, replaced(replaced(loud.out, start.text(), ""), user.text(), ""));
  EXPECT_EQ(quiet.out.size() + start.text().size() + user.text().size(), loud.out.size());
}

TEST(OptionRuns, UsageErrorsWriteNothing) {
  const char* const lines[] = {"--gini=1 d.dat", "-e -g d.dat", "-a -c d.dat", "a.dat b.dat",
                               "-o", "--nonsense d.dat", "-x d.dat"};
  for (const char* line : lines) {
    const std::string dir = make_scratch_dir();
    const RunResult result = run_in(dir, line, "");
    EXPECT_EQ(result.status, 2) << line;
    EXPECT_EQ(result.out, "") << line;
    EXPECT_EQ(occurrences(result.err, "\n"), 1) << line << ": " << result.err;
    EXPECT_NE(result.err.find("--help"), std::string::npos) << line;
    EXPECT_EQ(entries(dir), 0) << line;
  }
}

// gini.dat: x1 at 3 leaves (0, 3) and (4, 3): entropy 0.478036, Gini 0.342857. x2 at 6 leaves
// (1, 5) and (3, 1): entropy 0.495271, Gini 0.316667. So entropy splits the root on x1, Gini on x2;
// a name typed at the prompt leaves the rule question a fresh line. (The root's rows of the report.)
TEST(StartupRule, EnterGivesEntropyAndTwoGivesGini) {
  const std::string by_x1 = "\n     1      10      2       3      1        3.00000";
  const std::string by_x2 = "\n     1      10      2       3      2        6.00000";
  const std::string entropy = written(run_data_set("gini", "0\n\n\n"), "gini.inf");  // 0 is no rule
  const std::string gini = written(run_data_set("gini", "2\n\n"), "gini.inf");
  EXPECT_TRUE(occurrences(entropy, by_x1) > 0 && occurrences(entropy, by_x2) == 0);
  EXPECT_TRUE(occurrences(gini, by_x2) > 0 && occurrences(gini, by_x1) == 0);

  const RunResult typed = run_in(scratch_with_data_set("gini"), "", "gini.dat\n2\n\n");
  const std::string prompts = "\n\n\nPlease input datafile name: Choose splitting rule [enter 1 "
                              "for entropy(default) or 2 for gini]: \n     For new users";
  EXPECT_EQ(after_notice(typed.out).substr(0, prompts.size()), prompts);
  EXPECT_EQ(written(typed, "gini.inf"), gini);
}

}  // namespace
}  // namespace bramble_test
