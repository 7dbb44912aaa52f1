#include "support/run_binary.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace bramble_test {

namespace {

std::vector<std::string>& scratch_dirs() {
  static std::vector<std::string> dirs;
  return dirs;
}

void remove_scratch_dirs() {
  std::error_code ignored;
  for (const std::string& dir : scratch_dirs()) std::filesystem::remove_all(dir, ignored);
}

}  // namespace

std::string make_scratch_dir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/bramble-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  if (scratch_dirs().empty()) std::atexit(remove_scratch_dirs);
  scratch_dirs().push_back(pattern);
  return pattern;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

bool file_exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

int occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string first_difference(const std::string& actual, const std::string& expected) {
  std::istringstream a(actual), e(expected);
  for (int number = 1; a || e; ++number) {
    std::string line_a, line_e;
    std::getline(a, line_a);
    std::getline(e, line_e);
    if (line_a == line_e) continue;
    return "line " + std::to_string(number) + ":\n" + line_a + "\nexpected:\n" + line_e;
  }
  return actual == expected ? "" : "at the end";
}

RunResult run_in(const std::string& dir, const std::string& args, const std::string& stdin_text) {
  write_file(dir + "/.stdin", stdin_text);
  // Redirections among the arguments come later, so they win.
  const std::string command = "cd '" + dir + "' && timeout -s KILL 60 '" + BRAMBLE_BINARY +
                              "' <.stdin >.stdout 2>.stderr " + args;
  const int raw = std::system(command.c_str());
  RunResult result;
  result.dir = dir;
  if (raw != -1 && WIFEXITED(raw)) {
    result.status = WEXITSTATUS(raw);
    // timeout exits 137 when it had to kill the program
    result.timed_out = result.status == 137;
    if (result.timed_out) result.status = -1;
  }
  result.out = read_file(dir + "/.stdout");
  result.err = read_file(dir + "/.stderr");
  return result;
}

std::string source_dir() { return BRAMBLE_SOURCE_DIR; }

}  // namespace bramble_test
