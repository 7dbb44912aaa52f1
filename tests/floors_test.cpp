// The floors of the source tree: src/floors.txt lists its folders bottom to top, and no file
// includes from a floor above its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_binary.h"

namespace bramble_test {
namespace {

namespace fs = std::filesystem;

// The folder names of floors.txt, bottom first; lines starting with '#' are comments.
std::vector<std::string> floors(const std::string& src) {
  std::ifstream list(src + "/floors.txt");
  std::vector<std::string> names;
  for (std::string line; std::getline(list, line);) {
    if (line.empty() || line[0] == '#') continue;
    names.push_back(line.substr(0, line.find(' ')));
  }
  return names;
}

// The folder of a project include ("#include "tree/grow.h"" names tree), or "" for any other line.
std::string included_folder(const std::string& line) {
  const std::string directive = "#include \"";
  if (line.compare(0, directive.size(), directive) != 0) return "";
  const std::size_t slash = line.find('/', directive.size());
  return slash == std::string::npos ? "" : line.substr(directive.size(), slash - directive.size());
}

int floor_of(const std::vector<std::string>& names, const std::string& folder) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == folder) return static_cast<int>(i);
  }
  return -1;
}

TEST(Floors, NoFileIncludesFromAFloorAbove) {
  const std::string src = source_dir() + "/src";
  const std::vector<std::string> names = floors(src);
  ASSERT_GE(names.size(), 9u);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (entry.is_directory()) {
      const std::string folder = entry.path().filename().string();
      EXPECT_GE(floor_of(names, folder), 0) << folder << " is missing from src/floors.txt";
      continue;
    }
    const std::string extension = entry.path().extension().string();
    if (extension != ".h" && extension != ".cpp") continue;
    ++files;
    const std::string folder = entry.path().parent_path().filename().string();
    std::ifstream file(entry.path());
    for (std::string line; std::getline(file, line);) {
      const std::string included = included_folder(line);
      if (included.empty()) continue;
      const int floor = floor_of(names, included);
      EXPECT_GE(floor, 0) << entry.path().string() << ": " << line;
      EXPECT_LE(floor, floor_of(names, folder)) << entry.path().string() << ": " << line;
    }
  }
  EXPECT_GT(files, 50);
}

}  // namespace
}  // namespace bramble_test
