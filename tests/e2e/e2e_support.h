// Whole-program runs on small data sets, compared with the hand-worked files of
// tests/e2e/expected, and the one check of a run that completed.
#pragma once

#include <string>

#include "support/run_binary.h"

namespace bramble_test {

// A fresh scratch directory holding a copy of tests/e2e/data/NAME.dat.
std::string scratch_with_data_set(const std::string& name);

// Runs `bramble NAME.dat` in a fresh scratch directory holding a copy of that data set.
RunResult run_data_set(const std::string& name, const std::string& stdin_text);

// The file FILE of tests/e2e/expected with "@PROGRAM@" standing for the path of the program.
std::string expected(const std::string& file);

// The console output after the start-up notice box (everything past its closing rule), or the
// whole text when it holds no complete box.
std::string after_notice(const std::string& console);

// The run of BASE.dat finished: status 0, the console's last line, the drawing closed by its
// trailer with one page (controlled mode) or seven (automatic mode), and the report written in
// full (the controlled tree table one line per remaining node, or the seven pruned trees).
void expect_completed(const RunResult& run, const std::string& base, int pages);

}  // namespace bramble_test
