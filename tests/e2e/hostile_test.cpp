// Hostile input, end to end: whatever the data file or the console holds, the program does its job
// or stops with a clear message and a non-zero status. It never crashes, hangs, or leaves a report
// or drawing that looks complete but is not.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/run_binary.h"

namespace bramble_test {
namespace {

constexpr int TIMEOUT_S = 60;
const std::string DRAWING_END = "%%Trailer\n%%Pages: 1\n%%EOF\n";

// A scratch directory holding the data file h.dat, removed with everything in it at the end.
class Scratch {
 public:
  explicit Scratch(const std::string& data) : dir_(make_scratch_dir()) {
    write_file(dir_ + "/h.dat", data);
  }
  ~Scratch() { std::filesystem::remove_all(dir_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& dir() const { return dir_; }
  std::string report() const { return read_file(dir_ + "/h.inf"); }
  std::string drawing() const { return read_file(dir_ + "/h.ps"); }

  RunResult run(const std::string& answers) const { return run_bramble(dir_, "h.dat", answers); }

  // Runs `bramble h.dat` with the given shell redirections instead of run_bramble's own.
  int run_redirected(const std::string& redirections) const {
    const std::string command = "cd '" + dir_ + "' && timeout -s KILL " +
                                std::to_string(TIMEOUT_S) + " '" + BRAMBLE_BINARY + "' h.dat " +
                                redirections;
    const int raw = std::system(command.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

 private:
  std::string dir_;
};

std::string example(const std::string& name) {
  return read_file(source_dir() + "/examples/" + name);
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const std::string PRESS_ENTER = "Press Enter to end this program!";

// What the program printed after naming the data file.
std::string console_after_start(const RunResult& run) {
  const std::string start = "Data file: h.dat\n";
  const std::size_t at = run.out.find(start);
  return at == std::string::npos ? run.out : run.out.substr(at + start.size());
}

// The run stopped on the data file with the message and status -1, leaving an empty report and no
// drawing.
void expect_refused(const Scratch& scratch, const RunResult& run, const std::string& message) {
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 255);
  EXPECT_EQ(console_after_start(run), message + PRESS_ENTER);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(scratch.report(), "");
  EXPECT_FALSE(file_exists(scratch.dir() + "/h.ps"));
}

// Rule 1, controlled mode, split the root and accept the proposal; the input then ends.
const std::string ONE_SPLIT = "1\ny\ny\ny\n";

TEST(HostileStreams, ClosedStandardOutputKeepsThePromptsOutOfTheReport) {
  const Scratch plain(example("small.dat"));
  ASSERT_EQ(plain.run(ONE_SPLIT).status, 0);
  ASSERT_TRUE(ends_with(plain.drawing(), DRAWING_END));

  const Scratch closed(example("small.dat"));
  write_file(closed.dir() + "/answers", ONE_SPLIT);
  EXPECT_EQ(closed.run_redirected("<answers >&- 2>&-"), 0);
  EXPECT_EQ(closed.report(), plain.report());
  EXPECT_EQ(closed.drawing(), plain.drawing());
}

TEST(HostileStreams, ClosedStandardInputIsAnEmptyOne) {
  const Scratch empty(example("small.dat"));
  ASSERT_EQ(empty.run("").status, 0);

  const Scratch closed(example("small.dat"));
  EXPECT_EQ(closed.run_redirected("<&- >/dev/null"), 0);
  EXPECT_EQ(closed.report(), empty.report());
  EXPECT_EQ(closed.drawing(), empty.drawing());
}

TEST(HostileData, IncompleteRecordShowsItsLastTokenSafely) {
  // Ten megabytes, and a terminal control sequence, in the last value of the unfinished record.
  const std::string huge = "1" + std::string(10 << 20, 'x');
  const Scratch scratch("r o o\n1 2 3\n0 " + huge);
  expect_refused(scratch, scratch.run(""),
                 "Data file not complete error at line 2 variable number 2 value = 1" +
                     std::string(198, 'x') + "... !!!\n");

  const Scratch escape("r o o\n1 2 3\n0 1\x1b[2J\x07");
  expect_refused(escape, escape.run(""),
                 "Data file not complete error at line 2 variable number 2 value = 1?[2J? !!!\n");
}

}  // namespace
}  // namespace bramble_test
