// A run that ends on a fatal condition inside the process closes every file it had opened, so that
// a caller running many programs in one process (as the fuzzers do) keeps its descriptors.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "interactive/scripted_console.h"
#include "io/fatal.h"
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

// Runs the program on data as h.dat in a scratch directory, after prepare(dir); true when it ended
// through a fatal exit. The descriptors open before and after are counted inside the capture of
// the console streams.
template <typename Prepare>
bool ended_fatally(const std::string& data, Prepare prepare, long& before, long& after) {
  const fs::path start = fs::current_path();
  const std::string dir = make_scratch_dir();
  write_file(dir + "/h.dat", data);
  prepare(dir);
  fs::current_path(dir);
  bool fatal = false;
  {
    ScriptedConsole console("");
    before = open_descriptors();
    std::vector<std::string> args = {"bramble", "h.dat"};
    std::vector<char*> argv = {args[0].data(), args[1].data()};
    try {
      bramble::run_program(2, argv.data());
    } catch (const bramble::ProgramExit&) {
      fatal = true;
    }
    after = open_descriptors();
  }
  fs::current_path(start);
  fs::remove_all(dir);
  return fatal;
}

TEST(FatalExitFiles, RefusedDataFileLeavesNoFileOpen) {
  long before = 0;
  long after = 0;
  ASSERT_TRUE(ended_fatally(
      "r o\n1 x\n", [](const std::string&) {}, before, after));
  EXPECT_EQ(after, before);
}

TEST(FatalExitFiles, UnwritableDrawingLeavesTheReportClosed) {
  long before = 0;
  long after = 0;
  const auto drawing_is_a_directory = [](const std::string& dir) {
    fs::create_directory(dir + "/h.ps");
  };
  ASSERT_TRUE(ended_fatally(read_file(source_dir() + "/examples/small.dat"), drawing_is_a_directory,
                            before, after));
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace bramble_test
