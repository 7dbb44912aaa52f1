// Hostile input, end to end: whatever the data file, the console or the output files hold, the
// program does its job or stops with a clear message and a non-zero status. It never crashes,
// hangs, or leaves a report or drawing that looks complete but is not.
#include <gtest/gtest.h>

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
const std::string CTL = read_file(source_dir() + "/tests/e2e/data/ctl.dat");

// What stands in the scratch directory besides h.dat before the run.
enum class Setup { none, no_data, data_is_directory, report_is_directory, report_is_full,
                   drawing_is_directory, drawing_is_full, page_is_directory };

// What the files must hold afterwards.
enum class Files {
  refused,        // an empty report and no drawing
  no_report,      // no report at all
  no_drawing,     // no drawing (whatever the report holds)
  as_stated,      // only what report_holds says
  grown_only,     // the grown tree and no pruned one in the report
  controlled,     // a complete controlled run (one page)
  automatic,      // a complete automatic run (seven pages)
  like_plain,     // the console, report and drawing of the plain run of the data
  same_files,     // the report and drawing of the plain run of the data
};

// The content of h.dat: a text, or a function making it in the test alone (some are megabytes).
struct Data {
  Data(const char* text) : text(text) {}
  Data(std::string text) : text(std::move(text)) {}
  Data(std::string (*make)()) : make(make) {}
  std::string get() const { return make != nullptr ? make() : text; }
  std::string text;
  std::string (*make)() = nullptr;
};

struct HostileCase {
  const char* name; Data data; std::string answers; int status;
  std::string message;  // the console ends with it (status 255) or holds it (status 0)
  Files files;
  Setup setup = Setup::none;
  std::string args = "h.dat";
  std::string report_holds = "", plain_data = "";  // plain_data: the plain form, if not the same
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

std::string not_a_number(int record, int column, const std::string& token) {
  return "Record " + std::to_string(record) + ", column " + std::to_string(column) +
         ": the value \"" + token + "\" is not a number.\n";
}

std::string huge() { return std::string(10 << 20, 'x'); }
const std::string ONE_SPLIT = "1\ny\ny\ny\n";  // rule 1, controlled, split the root, accept
const std::string END_NOTE = "End of input: the remaining answers are taken as no.";
const std::string PROTECTED_DRAWING = "Cannot over-write to file h.ps. It seems protected.\n";
const std::string SEPARATORS =
    "Values are separated by blanks, tabs or line breaks, not by commas or semicolons.\n";
const std::string ONE_RESPONSE = "The header must name exactly one response column (letter r); ";

const std::vector<HostileCase> CASES = {
    // Files the reader refuses: the report stays empty.
    {"empty", "", "", 255, "No data in the file", Files::refused},
    {"mark_only", "\xEF\xBB\xBF", "", 255, "No data in the file", Files::refused},
    {"header_only", "r o n d\n", "", 255, "No data in the file", Files::refused},
    {"commas", "r,o,o\n1,2,3\n", "", 255, "ERROR: No covariate!\n" + SEPARATORS, Files::refused},
    {"no_response", "o o r;o\n1 2 3\n", "", 255, ONE_RESPONSE + "it names 0.\n" + SEPARATORS,
     Files::refused},
    {"two_responses", "r o r\n1 2 1\n", "", 255, ONE_RESPONSE + "it names 2.\n", Files::refused},
    {"short_record", "r o n d 1 2", "", 255,
     "Data file not complete error at line 1 variable number 2 value = 2 !!!\n", Files::refused},
    {"short_ignored", "d r o\nx 1 2\ny 0 3\nz\n", "", 255,
     "Data file not complete error at line 3 variable number 1 value =  !!!\n", Files::refused},
    {"binary", every_byte, "", 255, "ERROR: No covariate!", Files::refused},
    // Bytes 0 to 8 form the first value; control bytes are shown as '?'.
    {"binary_records", +[] { return "r o\n" + every_byte(); }, "", 255,
     not_a_number(1, 1, "?????????"), Files::refused},
    // A NUL is an ordinary character of a value.
    {"nul_value", +[] { return forty_cases("\0kg"s); }, "", 255, not_a_number(1, 2, "0?kg"),
     Files::refused},
    // A token is shown whole up to 40 characters.
    {"forty_characters", "r o\n1 " + std::string(40, 'x') + "\n", "", 255,
     not_a_number(1, 2, std::string(40, 'x')), Files::refused},
    {"huge_value", +[] { return "r o\n1 2\n0 " + huge() + "\n"; }, "", 255,
     not_a_number(2, 2, std::string(40, 'x') + "..."), Files::refused},
    {"huge_ignored", +[] { return forty_cases("", huge()); }, "", 0, "", Files::automatic},
    {"huge_unfinished", +[] { return "r o o\n1 2 3\n0 1." + std::string(10 << 20, '0'); }, "", 255,
     "variable number 2 value = 1." + std::string(197, '0') + "... !!!\n", Files::refused},
    {"missing_response", "r o\n1 1\nNA 2\n", "", 255,
     "Record 2: the response is missing; every record needs a response value.\n", Files::refused},
    {"response_gap", "r o\n1 1\n3 2\n1 2\n", "", 255,
     "The response values must be consecutive integers; the file holds: 1 3\n", Files::refused},
    {"eleven_classes", "r o\n0 1\n1 1\n2 1\n3 1\n4 1\n5 1\n6 1\n7 1\n8 1\n9 1\n10 1\n", "", 255,
     "Record 11: the response value 10 makes more than 10 classes; at most 10 are allowed.\n",
     Files::refused},
    // 4294967297 would wrap to 1 in 32 bits; from 2^53 on, doubles miss whole numbers.
    {"response_wraps", "r o\n0 1\n4294967297 2\n", "", 255,
     "\"4294967297\" is out of range for a response (a class number).\n", Files::refused},
    {"response_below_int", "r o\n0 1\n-2147483649 2\n", "", 255,
     "\"-2147483649\" is out of range for a response (a class number).\n", Files::refused},
    {"value_2_53", "r o\n0 1\n1 -9007199254740992\n", "", 255,
     "\"-9007199254740992\" is too large (the limit is 2^53 in magnitude).\n", Files::refused},
    {"value_exponent", "r o\n0 1\n1 123456789e300\n", "", 255,
     "\"123456789e300\" is too large (the limit is 2^53 in magnitude).\n", Files::refused},
    {"not_finite", "r o\n1 1e999\n", "", 255,
     "Record 1, column 2: the value \"1e999\" is not a finite number.\n", Files::refused},
    {"nominal_range", "r n\n1 3000000000\n", "", 255,
     "Record 1, column 2: the value \"3000000000\" is out of range for a nominal covariate.\n",
     Files::refused},
    {"only_missing", "r o d n\n1 1 x NA\n0 2 y .\n", "", 255,
     "Covariate 2 (column 4) has only missing values; mark its column d to leave it out.\n",
     Files::refused},
    {"nominal_six", "r o o o o n\n1 1 1 1 1 1\n0 1 1 1 1 1.5\n1 1 1 1 1 1\n", "", 255,
     "2 is not equal to 1 for variable 5\n", Files::refused},
    {"nominal_fraction", "r n\n1 1.5\n0 3\n1 3\n", "", 255,
     "Variable 1 is nominal but holds the value 1.5; nominal values must be whole numbers.\n",
     Files::refused},
    // A fractional smallest value met after the whole ones (found by fuzzing).
    {"nominal_late_fraction", "r n\n1 3\n0 4\n1 0.8\n", "", 255,
     "Variable 1 is nominal but holds the value 0.8; nominal values must be whole numbers.\n",
     Files::refused},
    {"largest_values", "r o\n0 -9007199254740991\n1 9007199254740991\n0 1\n", "", 0, "",
     Files::automatic, Setup::none, "h.dat",
     "1: -9007199254740991.000000 9007199254740991.000000\n"},
    {"cr", +[] { return replaced(SMALL, "\n", "\r"); }, "", 0, "", Files::like_plain, Setup::none,
     "h.dat", "", SMALL},
    {"bom_crlf", +[] { return "\xEF\xBB\xBF" + replaced(SMALL, "\n", "\r\n"); }, "", 0, "",
     Files::like_plain, Setup::none, "h.dat", "", SMALL},
    // Closed standard output and error keep the prompts and the category list (written to the
    // error output) out of the report; a closed or unreadable standard input is an empty one.
    {"closed_output", CTL, "\ny\ny\nn\n2\ny\nn\nn\n", 0, "", Files::same_files, Setup::none,
     "h.dat >&- 2>&-"},
    {"closed_input", SMALL, "", 0, "", Files::same_files, Setup::none, "h.dat <&-"},
    {"unreadable_input", SMALL, "", 0, "", Files::same_files, Setup::none, "h.dat <."},
    // Files that cannot be read or written.
    {"missing_file", SMALL, "", 255, "h.dat\n Data file does not exist!\n" + PRESS_ENTER + "\n",
     Files::no_report, Setup::no_data},
    {"data_is_directory", SMALL, "", 255, "The data file cannot be read (Is a directory).\n",
     Files::refused, Setup::data_is_directory},
    {"endless_token", SMALL, "", 255,
     "The data file holds more than 64 MB without a blank; it is not a data file.\n",
     Files::as_stated, Setup::none, "/dev/zero"},
    {"no_name", SMALL, "", 255,
     "Please input datafile name: \nNo data file name was given (end of input).\n",
     Files::no_report, Setup::none, ""},
    // A directory in the place of an output defeats even root; /dev/full is a full disk.
    {"report_is_directory", SMALL, "", 255,
     "h.dat\nCannot over-write to file h.inf. It seems protected.\n", Files::no_drawing,
     Setup::report_is_directory},
    {"report_is_full", SMALL, "", 255,
     "Could not write the file h.inf completely (is the disk full?).\n", Files::no_drawing,
     Setup::report_is_full},
    {"drawing_is_directory", SMALL, "", 255, "ready to prune\n" + PROTECTED_DRAWING,
     Files::grown_only, Setup::drawing_is_directory},
    {"drawing_is_directory_controlled", SMALL, ONE_SPLIT, 255,
     "There remain 3 nodes\n" + PROTECTED_DRAWING, Files::as_stated, Setup::drawing_is_directory,
     "h.dat", "\nYour tree:\n"},
    {"drawing_is_full", SMALL, "", 255,
     "ready to prune\nCould not write the file h.ps completely (is the disk full?).\n",
     Files::grown_only, Setup::drawing_is_full},
    {"page_is_directory", SMALL, "", 255, "Cannot over-write to file h.html. It seems protected.\n",
     Files::as_stated, Setup::page_is_directory, "--html h.dat"},
    {"output_into_missing_folder", SMALL, "", 255,
     "Cannot over-write to file nowhere/h.inf. It seems protected.\n", Files::no_report,
     Setup::none, "-a -o nowhere/h h.dat"},
    // A names file of the wrong length, or none, stops the run before any output is written.
    {"names_wrong_count", SMALL, "", 255, "The names file /dev/null holds 0 names, but the data "
     "file has 6 columns: give one name per column, r and d columns included.\n", Files::refused,
     Setup::none, "--html --names=/dev/null h.dat"},
    {"names_unreadable", SMALL, "", 255, "Cannot read the names file absent.\n", Files::refused,
     Setup::none, "--json --names=absent h.dat"},
    // Input that ends at the questions of a run (the dialogue's own are tested on their own):
    // covariate 2 of small.dat is nominal.
    {"ends_at_rule", SMALL, "", 0, "", Files::automatic},
    {"ends_at_daughter", SMALL, ONE_SPLIT, 0, END_NOTE, Files::controlled},
    {"ends_without_line_end", SMALL, "1\ny\ny\nn", 0, END_NOTE, Files::controlled},
};

void prepare(const std::string& dir, Setup setup) {
  namespace fs = std::filesystem;
  if (setup == Setup::no_data || setup == Setup::data_is_directory) fs::remove(dir + "/h.dat");
  switch (setup) {
    case Setup::none: case Setup::no_data: return;
    case Setup::data_is_directory: fs::create_directory(dir + "/h.dat"); return;
    case Setup::report_is_directory: fs::create_directory(dir + "/h.inf"); return;
    case Setup::report_is_full: fs::create_symlink("/dev/full", dir + "/h.inf"); return;
    case Setup::drawing_is_directory: fs::create_directory(dir + "/h.ps"); return;
    case Setup::drawing_is_full: fs::create_symlink("/dev/full", dir + "/h.ps"); return;
    case Setup::page_is_directory: fs::create_directory(dir + "/h.html"); return;
  }
}

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class Hostile : public testing::TestWithParam<HostileCase> {};

TEST_P(Hostile, StopsWithItsMessageOrCompletes) {
  const HostileCase& c = GetParam();
  const std::string dir = make_scratch_dir();
  write_file(dir + "/h.dat", c.data.get());
  prepare(dir, c.setup);
  const RunResult session = run_in(dir, c.args, c.answers);
  const std::string& out = session.out;
  // Reading /dev/full would never end.
  const std::string report = c.setup == Setup::report_is_full ? "" : written(session, "h.inf");
  if (c.status == 255) {
    EXPECT_EQ(session.status, 255);  // -1 when it timed out
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
      EXPECT_FALSE(file_exists(dir + "/h.ps") || file_exists(dir + "/h.html") ||
                   file_exists(dir + "/h.json"));
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
    case Files::like_plain: case Files::same_files: {
      const std::string plain = make_scratch_dir();
      write_file(plain + "/h.dat", c.plain_data.empty() ? c.data.get() : c.plain_data);
      const RunResult reference = run_in(plain, "h.dat", c.answers);
      EXPECT_EQ(reference.status, 0);
      EXPECT_TRUE(c.files != Files::like_plain || out == reference.out) << out;
      EXPECT_EQ(report, written(reference, "h.inf"));
      EXPECT_EQ(written(session, "h.ps"), written(reference, "h.ps"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Hostile, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                           return std::string(info.param.name);
                         });

// Standard input that hands out its answers a byte a read, noting first what the report and the
// drawing hold: what they held at each question.
struct ProbingInput {
  std::string dir, answers;
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
