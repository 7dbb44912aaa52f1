// A run that ends on a fatal condition inside the process closes every file it had opened, so that
// a caller running many programs in one process (as the fuzzers do) keeps its descriptors.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "interactive/scripted_console.h"
#include "io/fatal.h"
#include "program/entry.h"
#include "program/run.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

namespace fs = std::filesystem;

long open_descriptors() {
  long count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// Runs the program on data as h.dat in a scratch directory, after prepare(dir), and returns its
// exit status; before and after receive the descriptors open before and after the run.
template <typename Prepare>
int run_status(const std::string& data, Prepare prepare, long& before, long& after) {
  const std::string dir = make_scratch_dir();
  write_file(dir + "/h.dat", data);
  prepare(dir);
  ScriptedConsole typed("");
  bramble::RunSettings settings;
  settings.data_file = dir + "/h.dat";
  settings.output_base = dir + "/h";
  bramble::Run run(typed.input(), typed.output(), typed.error_output(), settings);
  before = open_descriptors();
  const int status = bramble::run_with_settings(run, "bramble");
  after = open_descriptors();
  fs::remove_all(dir);
  return status;
}

TEST(FatalExitFiles, RefusedDataFileLeavesNoFileOpen) {
  long before = 0;
  long after = 0;
  EXPECT_EQ(run_status("r o\n1 x\n", [](const std::string&) {}, before, after),
            bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(after, before);
}

TEST(FatalExitFiles, UnwritableDrawingLeavesTheReportClosed) {
  long before = 0;
  long after = 0;
  const auto drawing_is_a_directory = [](const std::string& dir) {
    fs::create_directory(dir + "/h.ps");
  };
  EXPECT_EQ(run_status(read_file(source_dir() + "/examples/small.dat"), drawing_is_a_directory,
                       before, after),
            bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace bramble_test
