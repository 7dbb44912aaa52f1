// Whole-program runs on the small data sets of tests/e2e/data, compared with the hand-worked
// files of tests/e2e/expected.
#pragma once

#include <string>

#include "support/ghostscript.h"
#include "support/run_binary.h"

namespace bramble_test {

struct Session {
  std::string dir;  // scratch directory holding NAME.dat and the files the run wrote
  RunResult result;
};

// A fresh scratch directory holding a copy of tests/e2e/data/NAME.dat.
std::string scratch_with_data_set(const std::string& name);

// Runs `bramble NAME.dat` in a fresh scratch directory holding a copy of that data set.
Session run_data_set(const std::string& name, const std::string& stdin_text);

// Runs bramble with the given arguments in dir.
Session run_in(const std::string& dir, const std::string& args, const std::string& stdin_text);

// A file the run wrote, by its name in the scratch directory.
std::string written(const Session& session, const std::string& file);

// tests/e2e/expected, and the file FILE there with "@PROGRAM@" standing for the path of the
// program (argument 0).
std::string expected_dir();
std::string expected(const std::string& file);

// The console output after the start-up notice box (everything past its closing rule), or the
// whole text when it holds no complete box.
std::string after_notice(const std::string& console);

}  // namespace bramble_test
