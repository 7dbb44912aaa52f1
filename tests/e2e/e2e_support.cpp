#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

namespace bramble_test {

namespace {

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string scratch_with_data_set(const std::string& name) {
  const std::string dir = make_scratch_dir();
  const std::string data_file = name + ".dat";
  write_file(dir + "/" + data_file, read_file(source_dir() + "/tests/e2e/data/" + data_file));
  return dir;
}

RunResult run_data_set(const std::string& name, const std::string& stdin_text) {
  return run_in(scratch_with_data_set(name), name + ".dat", stdin_text);
}

std::string expected(const std::string& file) {
  std::string text = read_file(source_dir() + "/tests/e2e/expected/" + file);
  const std::string placeholder = "@PROGRAM@";
  const std::string program = BRAMBLE_BINARY;
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + program.size())) {
    text.replace(at, placeholder.size(), program);
  }
  return text;
}

std::string after_notice(const std::string& console) {
  const std::string rule = std::string(75, '=') + "\n";
  const std::size_t opening = console.find(rule);
  if (opening == std::string::npos) return console;
  const std::size_t closing = console.find(rule, opening + rule.size());
  if (closing == std::string::npos) return console;
  return console.substr(closing + rule.size());
}

void expect_completed(const RunResult& run, const std::string& base, int pages) {
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 0) << after_notice(run.out).substr(0, 2000);
  EXPECT_TRUE(ends_with(run.out, "Please view or print PS file: " + base + ".ps\n"));
  EXPECT_TRUE(ends_with(written(run, base + ".ps"),
                        "%%Trailer\n%%Pages: " + std::to_string(pages) + "\n%%EOF\n"));
  const std::string report = written(run, base + ".inf");
  if (pages == 1) {
    const std::size_t tree = report.find("\nYour tree:\n");
    const std::size_t remain = run.out.rfind("There remain ");
    ASSERT_NE(tree, std::string::npos);
    ASSERT_NE(remain, std::string::npos);
    EXPECT_EQ(occurrences(report.substr(tree), "\n"), std::stoi(run.out.substr(remain + 13)) + 3);
  } else {
    EXPECT_EQ(occurrences(report, "\nThe pruned tree at p-value of "), 7);
    EXPECT_NE(report.find("\nThe pruned tree at p-value of 0.000001:\n"), std::string::npos);
    EXPECT_TRUE(ends_with(report, " \n")) << "the last chi-square list ends the report";
  }
}

}  // namespace bramble_test
