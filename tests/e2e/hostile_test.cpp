// Hostile input, end to end: whatever the data file, the console or the output files hold, the
// program does its job or stops with a clear message and a non-zero status. It never crashes,
// hangs, or leaves a report or drawing that looks complete but is not.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "program/entry.h"

namespace bramble_test {
namespace {

using namespace std::string_literals;

const std::string PRESS_ENTER = "Press Enter to end this program!";
const std::string SMALL = read_file(source_dir() + "/examples/small.dat");
std::string small() { return SMALL; }

// What stands in the scratch directory besides h.dat before the run.
enum class Setup { none, no_data, data_is_directory, report_is_directory, report_is_full,
                   drawing_is_directory, drawing_is_full };

// What the files must hold afterwards.
enum class Files {
  refused,        // an empty report and no drawing
  no_report,      // no report at all
  no_drawing,     // no drawing (whatever the report holds)
  as_stated,      // only what report_holds says
  grown_only,     // the grown tree and no pruned one in the report
  controlled,     // a complete controlled run (one page)
  automatic,      // a complete automatic run (seven pages)
  like_small,     // a complete automatic run with the files of the plain small.dat
};

struct HostileCase {
  const char* name;
  std::string (*data)();  // h.dat (made in the test alone: some are megabytes)
  std::string answers;
  int status;
  std::string message;  // the console ends with it (status 255) or holds it (status 0)
  Files files;
  Setup setup = Setup::none;
  std::string args = "h.dat";
  std::string report_holds = "";
};

// 40 cases in two classes: an ordinal covariate (repeated as a nominal one) and a response that
// follows it, so every run splits. With ignored_first, the records start with an ignored column
// holding ignored_first in the first record.
std::string forty_cases(const std::string& value_suffix, const std::string& ignored_first = "") {
  std::string text = ignored_first.empty() ? "r o n\n" : "d r o n\n";
  for (int i = 0; i < 40; ++i) {
    if (!ignored_first.empty()) text += (i == 0 ? ignored_first : "z") + " ";
    const std::string value = std::to_string(i % 8) + value_suffix;
    text += std::to_string(i % 8 < 4 ? 0 : 1) + " " + value + " " + value + "\n";
  }
  return text;
}

std::string every_byte() {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>(i % 256));
  return bytes;
}

std::string line_ends(const std::string& text, const std::string& end) {
  std::string result;
  for (const char c : text) result += c == '\n' ? end : std::string(1, c);
  return result;
}

std::string not_a_number(int record, int column, const std::string& token) {
  return "Record " + std::to_string(record) + ", column " + std::to_string(column) +
         ": the value \"" + token + "\" is not a number.\n";
}

std::string huge() { return std::string(10 << 20, 'x'); }
const std::string BOM = "\xEF\xBB\xBF";
const std::string ONE_SPLIT = "1\ny\ny\ny\n";  // rule 1, controlled, split the root, accept
const std::string END_NOTE = "End of input: the remaining answers are taken as no.";
const std::string PROTECTED_DRAWING = "Cannot over-write to file h.ps. It seems protected.\n";

const std::vector<HostileCase> CASES = {
    {"empty", [] { return ""s; }, "", 255, "No data in the file", Files::refused},
    {"mark_only", [] { return BOM; }, "", 255, "No data in the file", Files::refused},
    {"header_only", [] { return "r o n d\n"s; }, "", 255, "No data in the file", Files::refused},
    {"short_record", [] { return "r o n d 1 2"s; }, "", 255,
     "Data file not complete error at line 1 variable number 2 value = 2 !!!\n", Files::refused},
    {"binary", [] { return every_byte(); }, "", 255, "ERROR: No covariate!", Files::refused},
    // Bytes 0 to 8 form the first value; control bytes are shown as '?'.
    {"binary_records", [] { return "r o\n" + every_byte(); }, "", 255,
     not_a_number(1, 1, "?????????"),
     Files::refused},
    // A NUL is an ordinary character of a value, a missing marker or a header letter.
    {"nul_value", [] { return forty_cases("\0kg"s); }, "", 255, not_a_number(1, 2, "0?kg"),
     Files::refused},
    {"nul_marker", [] { return "r o n\n1 2 3\n0 NA\0 3\n"s; }, "", 255, not_a_number(2, 2, "NA?"),
     Files::refused},
    {"nul_header", [] { return "r\0 o\n1 2\n"s; }, "", 255, "ERROR: No covariate!", Files::refused},
    {"huge_value", [] { return "r o\n1 2\n0 " + huge() + "\n"; }, "", 255,
     not_a_number(2, 2, std::string(40, 'x') + "..."), Files::refused},
    {"huge_ignored", [] { return forty_cases("", huge()); }, "", 0, "", Files::automatic},
    {"huge_unfinished", [] { return "r o o\n1 2 3\n0 1." + std::string(10 << 20, '0'); }, "", 255,
     "Data file not complete error at line 2 variable number 2 value = 1." +
         std::string(197, '0') + "... !!!\n",
     Files::refused},
    {"terminal_escape", [] { return "r o o\n1 2 3\n0 1\x1b[2J\x07"s; }, "", 255,
     not_a_number(2, 2, "1?[2J?"),
     Files::refused},
    // 4294967297 would wrap to 1 in 32 bits; from 2^53 on, doubles miss whole numbers.
    {"response_wraps", [] { return "r o\n0 1\n4294967297 2\n"s; }, "", 255,
     "Record 2, column 1: the value \"4294967297\" is out of range for a response (a class "
     "number).\n",
     Files::refused},
    {"response_below_int", [] { return "r o\n0 1\n-2147483649 2\n"s; }, "", 255,
     "the value \"-2147483649\" is out of range for a response (a class number).\n",
     Files::refused},
    {"value_2_53", [] { return "r o\n0 1\n1 -9007199254740992\n"s; }, "", 255,
     "Record 2, column 2: the value \"-9007199254740992\" is too large (the limit is 2^53 in "
     "magnitude).\n",
     Files::refused},
    {"value_exponent", [] { return "r o\n0 1\n1 123456789e300\n"s; }, "", 255,
     "the value \"123456789e300\" is too large (the limit is 2^53 in magnitude).\n",
     Files::refused},
    {"largest_values", [] { return "r o\n0 -9007199254740991\n1 9007199254740991\n0 1\n"s; },
     "", 0, "",
     Files::automatic, Setup::none, "h.dat",
     "1: -9007199254740991.000000 9007199254740991.000000\n"},
    {"cr", [] { return line_ends(SMALL, "\r"); }, "", 0, "", Files::like_small},
    {"bom_crlf", [] { return BOM + line_ends(SMALL, "\r\n"); }, "", 0, "", Files::like_small},
    {"missing_file", small, "", 255, "h.dat\n Data file does not exist!\n" + PRESS_ENTER + "\n",
     Files::no_report, Setup::no_data},
    {"data_is_directory", small, "", 255, "The data file cannot be read (Is a directory).\n",
     Files::refused, Setup::data_is_directory},
    {"endless_token", small, "", 255,
     "Data file: /dev/zero\nThe data file holds more than 64 MB without a blank; it is not a data "
     "file.\n",
     Files::as_stated, Setup::none, "/dev/zero"},
    {"no_name", small, "", 255,
     "Please input datafile name: \nNo data file name was given (end of input).\n",
     Files::no_report, Setup::none, ""},
    // A directory in the place of an output defeats even root; /dev/full is a full disk.
    {"report_is_directory", small, "", 255,
     "h.dat\nCannot over-write to file h.inf. It seems protected.\n", Files::no_drawing,
     Setup::report_is_directory},
    {"report_is_full", small, "", 255,
     "Could not write the file h.inf completely (is the disk full?).\n", Files::no_drawing,
     Setup::report_is_full},
    {"drawing_is_directory", small, "", 255, "ready to prune\n" + PROTECTED_DRAWING,
     Files::grown_only, Setup::drawing_is_directory},
    {"drawing_is_directory_controlled", small, ONE_SPLIT, 255,
     "There remain 3 nodes\n" + PROTECTED_DRAWING, Files::as_stated, Setup::drawing_is_directory,
     "h.dat", "\nYour tree:\n"},
    {"drawing_is_full", small, "", 255,
     "ready to prune\nCould not write the file h.ps completely (is the disk full?).\n",
     Files::grown_only, Setup::drawing_is_full},
    // Input that ends at the questions of a run (the dialogue's own are tested on their own):
    // covariate 2 of small.dat is nominal.
    {"ends_at_rule", small, "", 0, "", Files::automatic},
    {"ends_at_control", small, "1\n", 0, "", Files::automatic},
    {"ends_in_pattern", small, "1\ny\ny\nn\n0\ny\n2\n1 0", 0, END_NOTE, Files::controlled},
    {"ends_at_daughter", small, ONE_SPLIT, 0, END_NOTE, Files::controlled},
    {"ends_without_line_end", small, "1\ny\ny\nn", 0, END_NOTE, Files::controlled},
};

void prepare(const std::string& dir, Setup setup) {
  namespace fs = std::filesystem;
  switch (setup) {
    case Setup::none: return;
    case Setup::no_data: fs::remove(dir + "/h.dat"); return;
    case Setup::data_is_directory:
      fs::remove(dir + "/h.dat");
      fs::create_directory(dir + "/h.dat");
      return;
    case Setup::report_is_directory: fs::create_directory(dir + "/h.inf"); return;
    case Setup::report_is_full: fs::create_symlink("/dev/full", dir + "/h.inf"); return;
    case Setup::drawing_is_directory: fs::create_directory(dir + "/h.ps"); return;
    case Setup::drawing_is_full: fs::create_symlink("/dev/full", dir + "/h.ps"); return;
  }
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class Hostile : public testing::TestWithParam<HostileCase> {};

TEST_P(Hostile, StopsWithItsMessageOrCompletes) {
  const HostileCase& c = GetParam();
  const std::string dir = make_scratch_dir();
  write_file(dir + "/h.dat", c.data());
  prepare(dir, c.setup);
  const RunResult session = run_in(dir, c.args, c.answers);
  const std::string& out = session.out;
  // Reading /dev/full would never end.
  const std::string report = c.setup == Setup::report_is_full ? "" : written(session, "h.inf");
  if (c.status == 255) {
    EXPECT_EQ(session.status, 255);
    EXPECT_FALSE(session.timed_out);
    EXPECT_TRUE(ends_with(out, c.message + PRESS_ENTER) || ends_with(out, c.message))
        << out.substr(out.size() - std::min<std::size_t>(out.size(), 400));
    EXPECT_LT(out.size(), 8000u);
    EXPECT_EQ(session.err, "");
  } else {
    EXPECT_NE(out.find(c.message), std::string::npos);
  }
  EXPECT_NE(report.find(c.report_holds), std::string::npos);
  switch (c.files) {
    case Files::refused:
      EXPECT_TRUE(file_exists(dir + "/h.inf"));
      EXPECT_EQ(report, "");
      EXPECT_FALSE(file_exists(dir + "/h.ps"));
      break;
    case Files::no_report: EXPECT_FALSE(file_exists(dir + "/h.inf")); break;
    case Files::as_stated: break;
    case Files::no_drawing: EXPECT_FALSE(file_exists(dir + "/h.ps")); break;
    case Files::grown_only:
      EXPECT_NE(report.find("\nThe initial tree:\n"), std::string::npos);
      EXPECT_EQ(report.find("pruned"), std::string::npos);
      break;
    case Files::controlled: expect_completed(session, "h", 1); break;
    case Files::automatic: expect_completed(session, "h", 7); break;
    case Files::like_small: {
      expect_completed(session, "h", 7);
      const std::string plain = make_scratch_dir();
      write_file(plain + "/h.dat", SMALL);
      const RunResult reference = run_in(plain, "h.dat", "");
      EXPECT_EQ(out, reference.out);
      EXPECT_EQ(report, written(reference, "h.inf"));
      EXPECT_EQ(written(session, "h.ps"), written(reference, "h.ps"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Hostile, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                           return std::string(info.param.name);
                         });

// Runs `bramble h.dat` in dir with the given shell redirections instead of the runner's own.
int run_redirected(const std::string& dir, const std::string& redirections) {
  const std::string command = "cd '" + dir + "' && timeout -s KILL 60 '" + BRAMBLE_BINARY +
                              "' h.dat " + redirections;
  const int raw = std::system(command.c_str());
  return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Closed standard output and error keep the prompts and the category list (written to the error
// output) out of the report; a closed or unreadable standard input is an empty one.
TEST(HostileStreams, ClosedStreamsChangeNoFile) {
  const struct { std::string data_set, answers, redirections; } runs[] = {
      {"ctl", "\ny\ny\nn\n2\ny\nn\nn\n", "<answers >&- 2>&-"},
      {"survive", "", "<&- >/dev/null"},
      {"survive", "", "<. >/dev/null"}};
  for (const auto& run : runs) {
    const RunResult plain = run_data_set(run.data_set, run.answers);
    const std::string dir = make_scratch_dir();
    write_file(dir + "/h.dat", read_file(plain.dir + "/" + run.data_set + ".dat"));
    write_file(dir + "/answers", run.answers);
    EXPECT_EQ(run_redirected(dir, run.redirections), 0) << run.redirections;
    EXPECT_EQ(read_file(dir + "/h.inf"), written(plain, run.data_set + ".inf")) << run.redirections;
    EXPECT_EQ(read_file(dir + "/h.ps"), written(plain, run.data_set + ".ps")) << run.redirections;
  }
}

// Standard input that hands out its answers a byte a read, noting first what the report and the
// drawing hold: what they held at each question.
struct ProbingInput {
  std::string dir;
  std::string answers;
  std::size_t next = 0;
  std::vector<std::string> files_at_read;

  static ssize_t read(void* cookie, char* buffer, std::size_t size) {
    ProbingInput& input = *static_cast<ProbingInput*>(cookie);
    input.files_at_read.push_back(read_file(input.dir + "/h.inf") + read_file(input.dir + "/h.ps"));
    if (size == 0 || input.next == input.answers.size()) return 0;
    buffer[0] = input.answers[input.next++];
    return 1;
  }
};

// The old report and drawing stay as they were until the control question has been answered, so
// a refused file or Ctrl-C at the first questions loses nothing.
TEST(HostileOutput, OldFilesSurviveUntilTheControlQuestionIsAnswered) {
  const std::string old_report = "the old report\n";
  const std::string old_drawing = "%!PS the old drawing\n";
  const auto with_old_files = [&](const std::string& data) {
    const std::string dir = make_scratch_dir();
    write_file(dir + "/h.dat", data);
    write_file(dir + "/h.inf", old_report);
    write_file(dir + "/h.ps", old_drawing);
    return dir;
  };
  const std::string refused = with_old_files("r o\n1 2\n0 2abc\n");
  EXPECT_EQ(run_in(refused, "h.dat", "").status, 255);
  EXPECT_EQ(read_file(refused + "/h.inf") + read_file(refused + "/h.ps"), old_report + old_drawing);

  ProbingInput input{with_old_files(SMALL), "\n\n", 0, {}};
  FILE* in = fopencookie(&input, "r", {ProbingInput::read, nullptr, nullptr, nullptr});
  FILE* out = std::tmpfile();
  bramble::RunSettings settings;
  settings.data_file = input.dir + "/h.dat";
  settings.output_base = input.dir + "/h";
  bramble::Run run(in, out, out, settings);
  EXPECT_EQ(bramble::run_with_settings(run, "bramble"), 0);
  std::fclose(in);
  std::fclose(out);
  ASSERT_GE(input.files_at_read.size(), 2u);
  EXPECT_EQ(input.files_at_read[0], old_report + old_drawing) << "at the rule question";
  EXPECT_EQ(input.files_at_read[1], old_report + old_drawing) << "at the control question";
  // A run that goes on writes what it always wrote.
  EXPECT_NE(read_file(input.dir + "/h.inf").find("pruned tree at p-value of 0.000001"),
            std::string::npos);
}

}  // namespace
}  // namespace bramble_test
