#include "io/fatal.h"

#include <cstdio>

namespace bramble {

void end_program(int status, bool wait_for_key) {
  std::fflush(stdout);
  std::fflush(stderr);
  throw ProgramExit{status, wait_for_key};
}

void stop_with_message(const std::string& text, int status, bool prompt_newline) {
  std::fputs(text.c_str(), stdout);
  std::fputs(prompt_newline ? "Press Enter to end this program!\n" : "Press Enter to end this program!",
             stdout);
  end_program(status);
}

void fatal_error(const char* message) {
  std::fprintf(stderr, "Numerical Recipes run-time error ...\n");
  std::fprintf(stderr, "%s\n", message);
  std::fprintf(stderr, "...now exiting to system...\n");
  std::fprintf(stderr, "Press Enter to end this program!");
  end_program(STATUS_RUNTIME_ERROR);
}

}  // namespace bramble
