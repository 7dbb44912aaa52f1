// What page_summary.py reads from a page: trees, nodes, edges, texts, names and any overlap.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/run_binary.h"

namespace bramble_test {

// The summary of the page in the file at path; the test fails when the page is not well-formed XML.
inline std::string page_summary_of_file(const std::string& path) {
  const std::string command = std::string("'") + BRAMBLE_PYTHON + "' '" + source_dir() +
                              "/tests/html/page_summary.py' '" + path + "' >'" + path +
                              ".summary' 2>&1";
  const int status = std::system(command.c_str());
  const std::string summary = read_file(path + ".summary");
  EXPECT_EQ(status, 0) << summary;
  return summary;
}

}  // namespace bramble_test
