// Whole runs under the command-line options: the answers they stand for, the names they give the
// outputs, the quiet run, and the usage errors that write nothing.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <string>

#include "io/text_buffer.h"
#include "program/notices.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

const std::string kIris = source_dir() + "/examples/iris.dat";

int entries(const std::string& dir) {
  int count = 0;
  DIR* listing = opendir(dir.c_str());
  while (dirent* entry = readdir(listing)) count += entry->d_name[0] != '.';
  closedir(listing);
  return count;
}

std::string without(std::string text, const std::string& part) {
  const std::size_t at = text.find(part);
  EXPECT_NE(at, std::string::npos) << "missing: " << part;
  if (at != std::string::npos) text.erase(at, part.size());
  return text;
}

TEST(OptionRuns, AnswerTheQuestionsAndNameTheOutputs) {
  const std::string asked = make_scratch_dir();
  const RunResult typed = run_in(asked, kIris, "2\nn\n");
  ASSERT_EQ(typed.status, 0) << typed.out;

  const std::string preset = make_scratch_dir();
  mkdir((preset + "/results").c_str(), 0755);
  const RunResult given = run_in(preset, "-g -a -o results/iris.v2 " + kIris, "");
  ASSERT_EQ(given.status, 0) << given.out;
  EXPECT_EQ(read_file(preset + "/results/iris.v2.inf"), read_file(asked + "/iris.inf"));
  EXPECT_EQ(read_file(preset + "/results/iris.v2.ps"), read_file(asked + "/iris.ps"));
  EXPECT_NE(typed.out.find("Choose splitting rule"), std::string::npos);
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
  EXPECT_EQ(quiet.out, without(without(loud.out, start.text()), user.text()));
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

TEST(OptionRuns, OutputIntoAMissingFolderIsRefusedByName) {
  const std::string dir = make_scratch_dir();
  const RunResult result = run_in(dir, "-a -o nowhere/iris " + kIris, "");
  EXPECT_EQ(result.status, 255);
  EXPECT_NE(result.out.find("Cannot over-write to file nowhere/iris.inf"), std::string::npos);
  EXPECT_EQ(entries(dir), 0);
}

}  // namespace
}  // namespace bramble_test
