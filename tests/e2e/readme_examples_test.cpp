// The README's example invocations still run, and every output it quotes is still what the program
// writes. Quoted blocks are fenced code blocks right after a marker comment such as
// "<!-- report excerpt: automatic -->"; they are compared with trailing blanks ignored.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"

namespace bramble_test {
namespace {

const std::string README = source_dir() + "/README.md";
const std::string EXAMPLES = source_dir() + "/examples/";

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string trim_right(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// Every line without its trailing blanks, each followed by a line end.
std::string without_trailing_blanks(const std::string& text) {
  std::string result;
  for (const std::string& line : split_lines(text)) result += trim_right(line) + "\n";
  return result;
}

// The fenced code blocks that follow the line "<!-- marker -->", each with its line ends.
std::vector<std::string> marked_blocks(const std::string& markdown, const std::string& marker) {
  const std::vector<std::string> lines = split_lines(markdown);
  std::vector<std::string> blocks;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != "<!-- " + marker + " -->" || lines[i + 1] != "```") continue;
    std::string block;
    for (std::size_t j = i + 2; j < lines.size() && lines[j] != "```"; ++j) block += lines[j] + "\n";
    blocks.push_back(block);
  }
  return blocks;
}

std::vector<std::string> readme_blocks(const std::string& marker) {
  const std::vector<std::string> blocks = marked_blocks(read_file(README), marker);
  EXPECT_FALSE(blocks.empty()) << "README.md has no block marked " << marker;
  return blocks;
}

// Each quoted block stands, as one piece, in what the program wrote.
void expect_quoted_in(const std::string& marker, const std::string& written) {
  const std::string text = without_trailing_blanks(written);
  for (const std::string& block : readme_blocks(marker)) {
    EXPECT_NE(text.find(without_trailing_blanks(block)), std::string::npos)
        << "README block marked " << marker << " is stale:\n" << block;
  }
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

TEST(ReadmeExamples, AutomaticRunWritesTheQuotedReport) {
  const RunResult run = run_in(make_scratch_dir(), quoted(EXAMPLES + "small.dat"), "");
  expect_completed(run, "small", 7);
  expect_quoted_in("report excerpt: automatic", written(run, "small.inf"));
}

TEST(ReadmeExamples, ShippedAnswersRunTheQuotedControlledSession) {
  const RunResult session = run_in(make_scratch_dir(), quoted(EXAMPLES + "small.dat"),
                                 read_file(EXAMPLES + "small.answers"));
  expect_completed(session, "small", 1);
  // The file answers every question: the dialogue never runs out of input.
  EXPECT_EQ(session.out.find("End of input"), std::string::npos) << session.out;
  expect_quoted_in("report excerpt: controlled", written(session, "small.inf"));
  expect_quoted_in("console excerpt: controlled", session.out);
}

TEST(ReadmeExamples, AnnotatedAnswersAreTheShippedFile) {
  const std::vector<std::string> blocks = readme_blocks("answers: examples/small.answers");
  ASSERT_EQ(blocks.size(), 1u);
  std::string answers;
  for (const std::string& line : split_lines(blocks[0])) {
    answers += trim_right(line.substr(0, line.find('#'))) + "\n";
  }
  EXPECT_EQ(answers, read_file(EXAMPLES + "small.answers"));
}

TEST(ReadmeExamples, DataFileExampleIsReadAsDescribed) {
  const std::vector<std::string> blocks = readme_blocks("data example");
  ASSERT_EQ(blocks.size(), 1u);
  const std::string dir = make_scratch_dir();
  write_file(dir + "/survey.dat", blocks[0]);
  const RunResult session = run_in(dir, "survey.dat", "");
  expect_completed(session, "survey", 7);
  const std::string report = written(session, "survey.inf");
  // Ten records of five columns, whatever their lines: the root holds all ten cases.
  EXPECT_EQ(report.rfind("There are 3 covariates\n", 0), 0u) << report;
  EXPECT_NE(report.find("\nThe initial tree:\n  node  #cases   left   right  split var  cut-off\n"
                        "     1      10 "), std::string::npos) << report;
  EXPECT_NE(report.find("\n2: 4(1) 3(2) 2(3) 1(-9) \n"), std::string::npos) << report;
}

}  // namespace
}  // namespace bramble_test
