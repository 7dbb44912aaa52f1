// The floors of the source tree: src/floors.txt lists its folders bottom to top, and no file
// includes from a floor above its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/run_binary.h"

namespace bramble_test {
namespace {

TEST(Floors, NoFileIncludesFromAFloorAbove) {
  const std::string src = source_dir() + "/src";
  std::vector<std::string> floors;  // bottom first; lines starting with '#' are comments
  std::ifstream list(src + "/floors.txt");
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line[0] != '#') floors.push_back(line.substr(0, line.find(' ')));
  }
  ASSERT_GE(floors.size(), 9u);
  const auto floor_of = [&](const std::string& folder) {
    const auto at = std::find(floors.begin(), floors.end(), folder);
    return at == floors.end() ? -1 : static_cast<int>(at - floors.begin());
  };
  const std::regex project_include("#include \"([a-z_]+)/.*");
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
    const std::string folder = entry.path().parent_path().filename().string();
    if (entry.is_directory()) {
      EXPECT_GE(floor_of(entry.path().filename().string()), 0) << entry.path() << " has no floor";
      continue;
    }
    if (entry.path().extension() != ".h" && entry.path().extension() != ".cpp") continue;
    ++files;
    std::ifstream file(entry.path());
    std::smatch include;
    for (std::string line; std::getline(file, line);) {
      if (!std::regex_match(line, include, project_include)) continue;
      EXPECT_GE(floor_of(include[1]), 0) << entry.path() << ": " << line;
      EXPECT_LE(floor_of(include[1]), floor_of(folder)) << entry.path() << ": " << line;
    }
  }
  EXPECT_GT(files, 50);
}

}  // namespace
}  // namespace bramble_test
