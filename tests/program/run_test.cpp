// Runs inside one process: each run owns its console, random case orders and settings.
#include <gtest/gtest.h>

#include <string>

#include "interactive/scripted_console.h"
#include "program/entry.h"
#include "program/run.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

struct RunOutput {
  int status;
  std::string console;
  std::string report;
  std::string drawing;
};

// A run on examples/small.dat with the given answers, writing dir/small.inf and dir/small.ps.
RunOutput run_small(const std::string& dir, const std::string& answers) {
  bramble::RunSettings settings;
  const std::string base = dir + "/small";
  settings.data_file = source_dir() + "/examples/small.dat";
  settings.output_base = base;
  ScriptedConsole typed(answers);
  bramble::Run run(typed.input(), typed.output(), typed.error_output(), settings);
  const int status = bramble::run_with_settings(run, "bramble");
  return {status, typed.out(), read_file(base + ".inf"), read_file(base + ".ps")};
}

// The second run sees a fresh console and the same random case orders (the cross-validation of
// every proposal), as a second process would.
TEST(RunSettings, RunsInOneProcessAreIndependent) {
  const std::string answers = read_file(source_dir() + "/examples/small.answers");
  const std::string dir = make_scratch_dir();
  const RunOutput first = run_small(dir, answers);
  const RunOutput second = run_small(dir, answers);
  ASSERT_EQ(first.status, 0);
  EXPECT_NE(first.console.find("A 5-fold cross validation relative risk"), std::string::npos);
  EXPECT_EQ(second.console, first.console);
  EXPECT_EQ(second.report, first.report);
  EXPECT_EQ(second.drawing, first.drawing);
}

}  // namespace
}  // namespace bramble_test
