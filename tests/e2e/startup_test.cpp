// Start-up: the notice box, the options, the data file name and the two questions before a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

const char* const kControlPrompt = "Do you want to control the splitting [y/n(default)]? ";

// The first row of the grown tree's table in a report (the line after the column heading).
std::string initial_root_row(const std::string& report) {
  const std::string section = "\nThe initial tree:\n";
  const std::size_t at = report.find(section);
  if (at == std::string::npos) return "";
  const std::size_t row = report.find('\n', at + section.size()) + 1;
  return report.substr(row, report.find('\n', row) - row);
}

// The expected console of survive.dat up to the control question.
std::string survive_console_to_control_question() {
  const std::string console = expected("survive.out");
  return console.substr(0, console.find(kControlPrompt) + std::string(kControlPrompt).size());
}

// The shape of the console's first lines up to the second rule, a letter a line: '=' a rule of
// 75 '=', 'T' a text line "* " + 72 columns + "*", 'S' the separator "*" + 73 '-' + "*", '?' other.
std::string box_shape(const std::string& out) {
  std::string shape;
  std::size_t at = 0;
  while (at < out.size() && std::count(shape.begin(), shape.end(), '=') < 2) {
    const std::size_t end = out.find('\n', at);
    if (end == std::string::npos) break;
    const std::string line = out.substr(at, end - at);
    if (line == std::string(75, '=')) {
      shape += '=';
    } else if (line == "*" + std::string(73, '-') + "*") {
      shape += 'S';
    } else if (line.size() == 75 && line.compare(0, 2, "* ") == 0 && line.back() == '*') {
      shape += 'T';
    } else {
      shape += '?';
    }
    at = end + 1;
  }
  return shape;
}

TEST(StartupNotice, FramedBoxOfSeventyFiveColumnsComesFirst) {
  // A rule, text lines "* text *" (the method, references and disclaimer), one separator line, the
  // note on questions, and the closing rule.
  const Session session = run_data_set("survive", "");
  const std::string shape = box_shape(session.result.out);
  const std::size_t separator = shape.find('S');
  ASSERT_NE(separator, std::string::npos) << session.result.out;
  ASSERT_GE(separator, 3u) << session.result.out;             // two text lines at least before
  ASSERT_GE(shape.size(), separator + 3) << session.result.out;  // and one after the separator
  EXPECT_EQ(shape, "=" + std::string(separator - 1, 'T') + "S" +
                       std::string(shape.size() - separator - 2, 'T') + "=")
      << session.result.out;
}

TEST(StartupOptions, HelpAndVersionEndWithoutARun) {
  const std::string dir = make_scratch_dir();
  const Session help = run_in(dir, "--help", "");
  EXPECT_EQ(help.result.status, 0);
  EXPECT_NE(help.result.out.find("Usage:"), std::string::npos) << help.result.out;
  EXPECT_EQ(help.result.err, "");

  const Session version = run_in(dir, "--version", "");
  EXPECT_EQ(version.result.status, 0);
  EXPECT_EQ(version.result.out, std::string("bramble ") + BRAMBLE_VERSION + "\n");
  EXPECT_EQ(version.result.err, "");
  EXPECT_FALSE(file_exists(dir + "/--help.inf"));
  EXPECT_FALSE(file_exists(dir + "/--version.inf"));
}

TEST(StartupDataFile, MissingFileEndsWithStatusMinusOne) {
  const std::string dir = make_scratch_dir();
  const Session session = run_in(dir, "nosuch.dat", "\n");
  EXPECT_EQ(session.result.status, 255);
  EXPECT_EQ(after_notice(session.result.out),
            std::string("\n\n\nProgram: ") + BRAMBLE_BINARY +
                "\nData file: nosuch.dat\n Data file does not exist!\n"
                "Press Enter to end this program!\n");
  EXPECT_EQ(session.result.err, "");
  EXPECT_FALSE(file_exists(dir + "/nosuch.inf"));
}

// gini.dat: x1 puts classes 1 1 1 0 0 0 0 1 1 1 in order, x2 puts them 1 1 0 1 1 1 0 0 1 0.
// x1 at 3 leaves (0, 3) and (4, 3): entropy 0.478036, Gini 0.342857. x2 at 6 leaves (1, 5) and
// (3, 1): entropy 0.495271, Gini 0.316667. So entropy splits the root on x1, Gini on x2.
TEST(StartupRule, EnterGivesEntropyAndTwoGivesGini) {
  const Session entropy = run_data_set("gini", "\n\n");
  EXPECT_EQ(entropy.result.status, 0);
  EXPECT_EQ(initial_root_row(written(entropy, "gini.inf")),
            "     1      10      2       3      1        3.00000");

  const Session gini = run_data_set("gini", "2\n\n");
  EXPECT_EQ(gini.result.status, 0);
  EXPECT_EQ(initial_root_row(written(gini, "gini.inf")),
            "     1      10      2       3      2        6.00000");
}

TEST(StartupDataFile, NameTypedAtThePromptLeavesTheRuleQuestionAFreshLine) {
  const std::string dir = scratch_with_data_set("gini");
  const Session session = run_in(dir, "", "gini.dat\n2\n\n");
  EXPECT_EQ(session.result.status, 0);
  const std::string prompts =
      "\n\n\nPlease input datafile name: "
      "Choose splitting rule [enter 1 for entropy(default) or 2 for gini]: "
      "\n     For new users";
  EXPECT_EQ(after_notice(session.result.out).substr(0, prompts.size()), prompts);
  EXPECT_EQ(initial_root_row(written(session, "gini.inf")),
            "     1      10      2       3      2        6.00000")
      << "the 2 after the name chose the Gini rule";
}

TEST(StartupControlQuestion, YesAnswersGiveTheControlledMode) {
  for (const char* answer : {"y", "Y", "1"}) {
    SCOPED_TRACE(answer);
    // Input ends at the first question of the dialogue: the root is declined.
    const Session session = run_data_set("survive", std::string("\n") + answer + "\n");
    EXPECT_EQ(session.result.status, 0);
    EXPECT_EQ(after_notice(session.result.out),
              survive_console_to_control_question() +
                  "12 cases in node 1.  Split [y/n]? "
                  "\nEnd of input: the remaining answers are taken as no.\n"
                  "no split for node 1:2\n"
                  "There remain 1 nodes\n"
                  "Please view or print PS file: survive.ps\n");
    EXPECT_EQ(written(session, "survive.inf"), expected("survive_declined.inf"));
    EXPECT_EQ(written(session, "survive.ps"), expected("survive_declined.ps"));
  }
}

TEST(StartupControlQuestion, NoAnswersAndClosedInputGiveTheAutomaticMode) {
  for (const char* input : {"\nn\n", "\nN\n", "\n0\n", "\n2\n", ""}) {
    SCOPED_TRACE(input);
    const Session session = run_data_set("survive", input);
    EXPECT_EQ(session.result.status, 0);
    EXPECT_EQ(after_notice(session.result.out), expected("survive.out"));
    EXPECT_EQ(written(session, "survive.inf"), expected("survive.inf"));
    EXPECT_EQ(written(session, "survive.ps"), expected("survive.ps"));
  }
}

}  // namespace
}  // namespace bramble_test
