#include "support/ghostscript.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/run_binary.h"

namespace bramble_test {

namespace {

int shell_status(int raw) { return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }

}  // namespace

bool check_ghostscript_pages(const std::string& ps_path, int pages) {
  if (shell_status(std::system("command -v gs >/dev/null 2>&1")) != 0) return false;
  const std::string log = make_scratch_dir() + "/gs.log";
  const std::string command = "timeout -s KILL 60 gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox '" +
                              ps_path + "' </dev/null >'" + log + "' 2>&1";
  const int status = shell_status(std::system(command.c_str()));
  const std::string messages = read_file(log);
  EXPECT_EQ(status, 0) << messages;
  EXPECT_EQ(messages.find("Error"), std::string::npos) << messages;
  EXPECT_EQ(occurrences(messages, "%%BoundingBox"), pages) << messages;
  return true;
}

}  // namespace bramble_test
