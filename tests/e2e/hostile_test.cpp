// Hostile input, end to end: whatever the data file or the console holds, the program does its job
// or stops with a clear message and a non-zero status. It never crashes, hangs, or leaves a report
// or drawing that looks complete but is not.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>

#include "support/run_binary.h"

namespace bramble_test {
namespace {

constexpr int TIMEOUT_S = 60;

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

  bool has(const std::string& name) const { return file_exists(dir_ + "/" + name); }

  RunResult run(const std::string& answers) const {
    return run_bramble(dir_, "h.dat", answers, TIMEOUT_S);
  }

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

// The run stopped with status -1, its console output ending with the given text.
void expect_stopped(const RunResult& run, const std::string& ending) {
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 255);
  EXPECT_TRUE(ends_with(run.out, ending))
      << run.out.substr(run.out.size() - std::min<std::size_t>(run.out.size(), 300));
  EXPECT_EQ(run.err, "");
}

// The run stopped on the data file with the message, leaving an empty report and no drawing.
void expect_refused(const Scratch& scratch, const RunResult& run, const std::string& message) {
  expect_stopped(run, PRESS_ENTER);
  EXPECT_EQ(console_after_start(run), message + PRESS_ENTER);
  EXPECT_TRUE(scratch.has("h.inf"));
  EXPECT_EQ(scratch.report(), "");
  EXPECT_FALSE(scratch.has("h.ps"));
}

std::string drawing_end(int pages) {
  return "%%Trailer\n%%Pages: " + std::to_string(pages) + "\n%%EOF\n";
}

// The run finished: status 0, the last section of the report written in full, and the drawing
// closed by its trailer with one page (controlled mode) or seven (automatic mode).
void expect_complete(const Scratch& scratch, const RunResult& run, int pages) {
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 0) << console_after_start(run).substr(0, 2000);
  EXPECT_TRUE(ends_with(run.out, "Please view or print PS file: h.ps\n"));
  EXPECT_TRUE(ends_with(scratch.drawing(), drawing_end(pages)));
  const std::string report = scratch.report();
  if (pages == 1) {
    const std::size_t tree = report.find("\nYour tree:\n");
    ASSERT_NE(tree, std::string::npos);
    // The table has one line per node, and the console says how many nodes there are.
    const std::size_t remain = run.out.rfind("There remain ");
    ASSERT_NE(remain, std::string::npos);
    const int nodes = std::stoi(run.out.substr(remain + 13));
    const std::string table = report.substr(tree);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), nodes + 3) << table;
  } else {
    std::size_t passes = 0;
    for (std::size_t at = report.find("\nThe pruned tree at p-value of "); at != std::string::npos;
         at = report.find("\nThe pruned tree at p-value of ", at + 1)) {
      ++passes;
    }
    EXPECT_EQ(passes, 7u);
    EXPECT_NE(report.find("\nThe pruned tree at p-value of 0.000001:\n"), std::string::npos);
    EXPECT_TRUE(ends_with(report, " \n")) << "the last chi-square list ends the report";
  }
}

// A data file of 40 cases in two classes: an ordinal covariate (with its value repeated as a
// nominal one) and a response that follows it, so every run splits. With ignored_first, the
// records start with an ignored column holding ignored_first in the first record.
std::string forty_cases(const std::string& value_suffix, const std::string& ignored_first = "") {
  std::string text = ignored_first.empty() ? "r o n\n" : "d r o n\n";
  for (int i = 0; i < 40; ++i) {
    if (!ignored_first.empty()) text += (i == 0 ? ignored_first : "z") + " ";
    const std::string value = std::to_string(i % 8) + value_suffix;
    text += std::to_string(i % 8 < 4 ? 0 : 1) + " " + value + " " + value + "\n";
  }
  return text;
}

// Rule 1, controlled mode, split the root and accept the proposal; the input then ends.
const std::string ONE_SPLIT = "1\ny\ny\ny\n";

TEST(HostileStreams, ClosedStandardOutputKeepsThePromptsOutOfTheReport) {
  const Scratch plain(example("small.dat"));
  expect_complete(plain, plain.run(ONE_SPLIT), 1);

  const Scratch closed(example("small.dat"));
  write_file(closed.dir() + "/answers", ONE_SPLIT);
  EXPECT_EQ(closed.run_redirected("<answers >&- 2>&-"), 0);
  EXPECT_EQ(closed.report(), plain.report());
  EXPECT_EQ(closed.drawing(), plain.drawing());
}

TEST(HostileStreams, ClosedOrUnreadableStandardInputIsAnEmptyOne) {
  const Scratch empty(example("small.dat"));
  expect_complete(empty, empty.run(""), 7);

  for (const char* input : {"<&-", "<."}) {
    const Scratch closed(example("small.dat"));
    EXPECT_EQ(closed.run_redirected(std::string(input) + " >/dev/null"), 0) << input;
    EXPECT_EQ(closed.report(), empty.report()) << input;
    EXPECT_EQ(closed.drawing(), empty.drawing()) << input;
  }
}

TEST(HostileData, EmptyFilesAndFilesWithoutRecords) {
  for (const char* text : {"", " \n\t\r\n", "\xEF\xBB\xBF", "r o n d\n", "r o n d 1 2"}) {
    const Scratch scratch(text);
    expect_refused(scratch, scratch.run(""),
                   std::string(text).size() < 10 ? "No data in the file"
                                                 : "Data file not complete error at line 1 "
                                                   "variable number 2 value = 2 !!!\n");
  }
}

TEST(HostileData, BinaryFiles) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>(i % 256));
  const Scratch binary(bytes);
  expect_refused(binary, binary.run(""), "ERROR: No covariate!");

  // Bytes 0 to 8 form the first value; control bytes are shown as '?'.
  const Scratch after_header("r o\n" + bytes);
  expect_refused(after_header, after_header.run(""),
                 "Record 1, column 1: the value \"?????????\" is not a number.\n");
}

TEST(HostileData, NulBytesAreOrdinaryTokenCharacters) {
  using namespace std::string_literals;
  // A NUL makes a value, a missing marker or a header letter something else.
  const Scratch value(forty_cases("\0kg"s));
  expect_refused(value, value.run(""), "Record 1, column 2: the value \"0?kg\" is not a number.\n");
  const Scratch marker("r o n\n1 2 3\n0 NA\0 3\n"s);
  expect_refused(marker, marker.run(""),
                 "Record 2, column 2: the value \"NA?\" is not a number.\n");
  const Scratch header("r\0 o\n1 2\n"s);
  expect_refused(header, header.run(""), "ERROR: No covariate!");
}

TEST(HostileData, TenMegabyteTokens) {
  const std::string huge(10 << 20, 'x');
  const Scratch value("r o\n1 2\n0 " + huge + "\n");
  const RunResult run = value.run("");
  expect_refused(
      value, run,
      "Record 2, column 2: the value \"" + huge.substr(0, 40) + "...\" is not a number.\n");
  EXPECT_LT(run.out.size(), 2000u);

  // In an ignored column it is only passed over.
  const Scratch ignored(forty_cases("", huge));
  const Scratch short_ignored(forty_cases("", "x"));
  const RunResult ignored_run = ignored.run("");
  expect_complete(ignored, ignored_run, 7);
  EXPECT_EQ(ignored_run.out, short_ignored.run("").out);
  EXPECT_EQ(ignored.report(), short_ignored.report());
}

TEST(HostileData, EndlessTokenIsRefused) {
  const Scratch scratch("");
  const RunResult run = run_bramble(scratch.dir(), "/dev/zero", "", TIMEOUT_S);
  expect_stopped(run,
                 "Data file: /dev/zero\nThe data file holds more than 64 MB without a blank; "
                 "it is not a data file.\n" +
                     PRESS_ENTER);
  EXPECT_TRUE(scratch.has("zero.inf"));
  EXPECT_EQ(read_file(scratch.dir() + "/zero.inf"), "");
}

TEST(HostileData, LongAndControlTokensAreShownSafely) {
  // Ten megabytes in the last value of the unfinished record; a terminal control sequence in a
  // refused one.
  const std::string huge = "1." + std::string(10 << 20, '0');
  const Scratch scratch("r o o\n1 2 3\n0 " + huge);
  expect_refused(scratch, scratch.run(""),
                 "Data file not complete error at line 2 variable number 2 value = 1." +
                     std::string(197, '0') + "... !!!\n");

  const Scratch escape("r o o\n1 2 3\n0 1\x1b[2J\x07");
  expect_refused(escape, escape.run(""),
                 "Record 2, column 2: the value \"1?[2J?\" is not a number.\n");
}

TEST(HostileData, NumbersTooLargeToHoldAreRefusedNotWrapped) {
  // 4294967297 would wrap to 1 in 32 bits.
  for (const char* response : {"99999999999", "4294967297", "2147483648", "-2147483649"}) {
    const Scratch scratch("r o\n0 1\n" + std::string(response) + " 2\n");
    expect_refused(scratch, scratch.run(""),
                   "Record 2, column 1: the value \"" + std::string(response) +
                       "\" is out of range for a response (a class number).\n");
  }
  // From 2^53 on, doubles no longer hold every whole number.
  for (const char* value : {"9007199254740992", "-9007199254740992", "1e16", "123456789e300"}) {
    const Scratch scratch("r o\n0 1\n1 " + std::string(value) + "\n");
    expect_refused(scratch, scratch.run(""),
                   "Record 2, column 2: the value \"" + std::string(value) +
                       "\" is too large (the limit is 2^53 in magnitude).\n");
  }
  const Scratch largest("r o\n0 -9007199254740991\n1 9007199254740991\n0 1\n");
  expect_complete(largest, largest.run(""), 7);
  EXPECT_NE(largest.report().find("1: -9007199254740991.000000 9007199254740991.000000\n"),
            std::string::npos);
}

TEST(HostileData, TwentyThousandColumns) {
  const int n_columns = 20000;
  std::string text = "r";
  for (int j = 1; j < n_columns; ++j) text += " o";
  std::mt19937 rng(5);
  for (int record = 0; record < 60; ++record) {
    text += "\n" + std::to_string(record % 2);
    for (int j = 1; j < n_columns; ++j) text += " " + std::to_string(rng() % 10);
  }
  const Scratch scratch(text + "\n");
  expect_complete(scratch, scratch.run(""), 7);
  EXPECT_EQ(scratch.report().rfind("There are 19999 covariates\n", 0), 0u);

  // The ranking lists the first 200 covariates only.
  const RunResult controlled = scratch.run("1\ny\ny\nn\n");
  expect_complete(scratch, controlled, 1);
  EXPECT_NE(controlled.out.find("Variabless are ordered by impurity, the first 200 are shown"),
            std::string::npos);
}

TEST(HostileData, DataFileThatIsADirectoryOrMissing) {
  const Scratch scratch("");
  std::filesystem::remove(scratch.dir() + "/h.dat");
  expect_stopped(scratch.run(""), "h.dat\n Data file does not exist!\n" + PRESS_ENTER + "\n");
  EXPECT_FALSE(scratch.has("h.inf"));

  std::filesystem::create_directory(scratch.dir() + "/h.dat");
  expect_refused(scratch, scratch.run(""), "The data file cannot be read (Is a directory).\n");
}

TEST(HostileData, WindowsLineEndsAndByteOrderMarkReadAsPlainText) {
  const std::string plain = example("small.dat");
  std::string crlf;
  std::string cr;
  for (const char c : plain) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  const Scratch lf_file(plain);
  const RunResult lf_run = lf_file.run("");
  expect_complete(lf_file, lf_run, 7);
  for (const std::string& text : {crlf, cr, "\xEF\xBB\xBF" + plain, "\xEF\xBB\xBF" + crlf}) {
    const Scratch other(text);
    const RunResult run = other.run("");
    EXPECT_EQ(run.out, lf_run.out);
    EXPECT_EQ(other.report(), lf_file.report());
    EXPECT_EQ(other.drawing(), lf_file.drawing());
  }
}

// Report and drawing that cannot be written: a directory in their place defeats even root, and a
// link to /dev/full behaves like a full disk.
TEST(HostileOutput, ReportThatCannotBeWritten) {
  const Scratch directory(example("small.dat"));
  std::filesystem::create_directory(directory.dir() + "/h.inf");
  expect_stopped(directory.run(""),
                 "h.dat\nCannot over-write to file h.inf. It seems protected.\n" + PRESS_ENTER);
  EXPECT_FALSE(directory.has("h.ps"));

  const Scratch full(example("small.dat"));
  std::filesystem::create_symlink("/dev/full", full.dir() + "/h.inf");
  expect_stopped(full.run(""),
                 "Could not write the file h.inf completely (is the disk full?).\n" + PRESS_ENTER);
  EXPECT_FALSE(full.has("h.ps"));
}

// Starts `bramble h.dat` in dir on pipes, as a user at a terminal would (Ctrl-C interrupts), with
// the answers waiting in its input, and sends SIGINT once the prompt is out; true when that
// signal ended it there.
bool interrupted_at(const std::string& dir, const std::string& answers, const std::string& prompt) {
  int in[2];
  int out[2];
  if (pipe(in) != 0 || pipe(out) != 0 ||
      write(in[1], answers.data(), answers.size()) != static_cast<ssize_t>(answers.size())) {
    return false;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGINT, SIG_DFL);
    dup2(in[0], 0);
    dup2(out[1], 1);
    if (chdir(dir.c_str()) == 0) execl(BRAMBLE_BINARY, BRAMBLE_BINARY, "h.dat", nullptr);
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  std::string seen;
  pollfd output{out[0], POLLIN, 0};
  char buffer[4096];
  for (ssize_t n = 1; n > 0 && seen.find(prompt) == std::string::npos;) {
    n = poll(&output, 1, TIMEOUT_S * 1000) > 0 ? read(out[0], buffer, sizeof buffer) : 0;
    seen.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
  }
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  close(in[1]);
  close(out[0]);
  return seen.find(prompt) != std::string::npos && WIFSIGNALED(status) &&
         WTERMSIG(status) == SIGINT;
}

// The old report and drawing stay as they were until the control question has been answered.
TEST(HostileOutput, OldFilesSurviveARefusalAndCtrlCAtTheFirstQuestions) {
  const std::string old_report = "the old report\n";
  const std::string old_drawing = "%!PS the old drawing\n";
  const auto expect_old_files = [&](const Scratch& scratch) {
    EXPECT_EQ(scratch.report(), old_report);
    EXPECT_EQ(scratch.drawing(), old_drawing);
  };
  const Scratch refused("r o\n1 2\n0 2abc\n");
  const Scratch interrupted(example("small.dat"));
  for (const Scratch* scratch : {&refused, &interrupted}) {
    write_file(scratch->dir() + "/h.inf", old_report);
    write_file(scratch->dir() + "/h.ps", old_drawing);
  }
  expect_stopped(refused.run(""), PRESS_ENTER);
  expect_old_files(refused);

  EXPECT_TRUE(interrupted_at(interrupted.dir(), "", "or 2 for gini]: "));
  expect_old_files(interrupted);
  EXPECT_TRUE(interrupted_at(interrupted.dir(), "\n", "[y/n(default)]? "));
  expect_old_files(interrupted);
  // A run that goes on writes what it always wrote.
  const Scratch fresh(example("small.dat"));
  expect_complete(interrupted, interrupted.run(""), 7);
  expect_complete(fresh, fresh.run(""), 7);
  EXPECT_EQ(interrupted.report(), fresh.report());
  EXPECT_EQ(interrupted.drawing(), fresh.drawing());
}

TEST(HostileOutput, DrawingThatCannotBeWritten) {
  const std::string protected_message = "Cannot over-write to file h.ps. It seems protected.\n";
  const Scratch automatic(example("small.dat"));
  std::filesystem::create_directory(automatic.dir() + "/h.ps");
  expect_stopped(automatic.run(""), "ready to prune\n" + protected_message + PRESS_ENTER);
  // The report holds the grown tree, and plainly no pruned one.
  const std::string report = automatic.report();
  EXPECT_NE(report.find("\nThe initial tree:\n"), std::string::npos);
  EXPECT_EQ(report.find("pruned"), std::string::npos);

  const Scratch controlled(example("small.dat"));
  std::filesystem::create_directory(controlled.dir() + "/h.ps");
  expect_stopped(controlled.run(ONE_SPLIT),
                 "There remain 3 nodes\n" + protected_message + PRESS_ENTER);
  EXPECT_NE(controlled.report().find("\nYour tree:\n"), std::string::npos);

  const Scratch full(example("small.dat"));
  std::filesystem::create_symlink("/dev/full", full.dir() + "/h.ps");
  expect_stopped(full.run(""), "ready to prune\nCould not write the file h.ps completely (is the "
                               "disk full?).\n" + PRESS_ENTER);
  EXPECT_EQ(full.report().find("pruned"), std::string::npos);
}

// Input that ends at each question of both modes. Covariates of small.dat: 1 age (ordinal), 2
// smoker (nominal), 3 bmi, 4 region; the rule is 1 and the mode controlled unless said otherwise.
struct EndingScript {
  const char* question;
  const char* answers;
  int pages;  // 7 for the automatic mode, 1 for the controlled one
};

const EndingScript ENDING_SCRIPTS[] = {
    {"rule", "", 7},
    {"control", "1\n", 7},
    {"split y/n", "1\ny\n", 1},
    {"accept", "1\ny\ny\n", 1},
    {"rank", "1\ny\ny\nn\n", 1},
    {"still split", "1\ny\ny\nn\n0\n", 1},
    {"variable number", "1\ny\ny\nn\n0\ny\n", 1},
    {"cut-off", "1\ny\ny\nn\n0\ny\n1\n", 1},
    {"pattern", "1\ny\ny\nn\n0\ny\n2\n", 1},
    {"middle of a pattern", "1\ny\ny\nn\n0\ny\n2\n1 0", 1},
    {"split y/n of a daughter", ONE_SPLIT.c_str(), 1},
    {"line without its end", "1\ny\ny\nn", 1},
};

TEST(HostileConsole, InputEndingAtEveryQuestion) {
  for (const EndingScript& script : ENDING_SCRIPTS) {
    SCOPED_TRACE(script.question);
    const Scratch scratch(example("small.dat"));
    const RunResult run = scratch.run(script.answers);
    expect_complete(scratch, run, script.pages);
    if (script.pages == 1) {
      EXPECT_NE(run.out.find("End of input: the remaining answers are taken as no."),
                std::string::npos);
    }
  }

  // Without a data file name the program cannot go on.
  const Scratch scratch(example("small.dat"));
  expect_stopped(run_bramble(scratch.dir(), "", "", TIMEOUT_S),
                 "Please input datafile name: \nNo data file name was given (end of input).\n");
  EXPECT_FALSE(scratch.has("h.inf"));
}

// One answer of a hostile script: mostly yes (so that the dialogue goes deep), otherwise a sensible
// other answer, a word or number the program cannot use, binary bytes, or a very long line.
std::string hostile_answer(std::mt19937& rng) {
  static const char* const sensible[] = {
      "n", "n", "0", "0", "1", "2", "3", "-1", "-2", "-4", "30", "24.5", "1 0 1", "1 0 1 0"};
  static const char* const unusable[] = {
      "maybe", "yes please", "quit", "", " ", "\t", "-", "+", ".", "NA", "nan", "inf", "0x10",
      "99999999999999999999", "2147483648", "-2147483649", "-2147483648", "1e308", "-1e308",
      "1e-320", "-99", "-7.5", "7", "0 0 0 0 0 0 0 0 0 1", "1 1 1 1 1 1 1 1 1 1"};
  const auto pick = [&rng](const auto& words) {
    return std::string(words[rng() % std::size(words)]);
  };
  std::string line;
  switch (rng() % 8) {
    case 0:
    case 1:
      line = pick(sensible);
      break;
    case 2:
    case 3:
      line = pick(unusable);
      break;
    case 4:
      for (int i = 1 + rng() % 40; i > 0; --i) line.push_back(static_cast<char>(rng() % 256));
      break;
    default:
      line = rng() % 40 == 0 ? std::string(20000, 'y') : "y";
  }
  return line + (rng() % 10 == 0 ? "\r\n" : "\n");
}

TEST(HostileConsole, GarbageAtEveryPromptOfTheControlledMode) {
  std::mt19937 rng(2024);
  for (int script = 0; script < 24; ++script) {
    // Most scripts enter the controlled mode; the others leave even that to chance.
    std::string answers = script % 4 != 0 ? "1\ny\n" : "";
    for (int line = 0; line < 300; ++line) answers += hostile_answer(rng);
    const Scratch scratch(example("small.dat"));
    const RunResult run = scratch.run(answers);
    SCOPED_TRACE("script " + std::to_string(script));
    const bool controlled = run.out.find("cases in node 1.  Split [y/n]? ") != std::string::npos;
    expect_complete(scratch, run, controlled ? 1 : 7);
  }
}

}  // namespace
}  // namespace bramble_test
