// Whole-program runs on small data sets, compared with the hand-worked files of
// tests/e2e/expected, and the one check of a run that completed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/run_binary.h"

namespace bramble_test {

// A fresh scratch directory holding a copy of tests/e2e/data/NAME.dat.
inline std::string scratch_with_data_set(const std::string& name) {
  const std::string dir = make_scratch_dir();
  const std::string data_file = name + ".dat";
  write_file(dir + "/" + data_file, read_file(source_dir() + "/tests/e2e/data/" + data_file));
  return dir;
}

// Runs `bramble NAME.dat` in a fresh scratch directory holding a copy of that data set.
inline RunResult run_data_set(const std::string& name, const std::string& stdin_text) {
  return run_in(scratch_with_data_set(name), name + ".dat", stdin_text);
}

// The file FILE of tests/e2e/expected with "@PROGRAM@" standing for the path of the program.
inline std::string expected(const std::string& file) {
  return replaced(read_file(source_dir() + "/tests/e2e/expected/" + file), "@PROGRAM@",
                  BRAMBLE_BINARY);
}

// The console output after the start-up notice box (everything past its closing rule), or the
// whole text when it holds no complete box.
inline std::string after_notice(const std::string& console) {
  const std::string rule = std::string(75, '=') + "\n";
  const std::size_t closing = console.find(rule, console.find(rule) + 1);  // npos + 1 is 0
  return closing == std::string::npos ? console : console.substr(closing + rule.size());
}

// The run of BASE.dat finished: status 0, the console's last line, the drawing closed by its
// trailer with one page (controlled mode) or seven (automatic mode), and the report written in
// full (the controlled tree table one line per remaining node, or the seven pruned trees).
inline void expect_completed(const RunResult& run, const std::string& base, int pages) {
  EXPECT_EQ(run.status, 0) << after_notice(run.out).substr(0, 2000);
  EXPECT_TRUE(ends_with(run.out, "Please view or print PS file: " + base + ".ps\n"));
  EXPECT_TRUE(ends_with(written(run, base + ".ps"),
                        "%%Trailer\n%%Pages: " + std::to_string(pages) + "\n%%EOF\n"));
  const std::string report = written(run, base + ".inf");
  if (pages == 1) {
    const std::size_t tree = report.find("\nYour tree:\n");
    const std::size_t remain = run.out.rfind("There remain ");
    ASSERT_TRUE(tree != std::string::npos && remain != std::string::npos);
    EXPECT_EQ(occurrences(report.substr(tree), "\n"), std::stoi(run.out.substr(remain + 13)) + 3);
  } else {
    EXPECT_EQ(occurrences(report, "\nThe pruned tree at p-value of "), 7);
    EXPECT_NE(report.find("\nThe pruned tree at p-value of 0.000001:\n"), std::string::npos);
    EXPECT_TRUE(ends_with(report, " \n")) << "the last chi-square list ends the report";
  }
}

}  // namespace bramble_test
