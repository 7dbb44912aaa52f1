#include "io/fatal.h"

namespace bramble {

void stop_with_message(const std::string& text, int status, bool prompt_newline) {
  throw ProgramExit{status, true,
                    text + (prompt_newline ? "Press Enter to end this program!\n"
                                           : "Press Enter to end this program!")};
}

void stop_without_wait(const std::string& text, int status) {
  throw ProgramExit{status, false, text};
}

ProgramExit runtime_exit(const char* message) {
  return ProgramExit{STATUS_RUNTIME_ERROR, true, std::string(), message};
}

void fatal_error(const char* message) { throw runtime_exit(message); }

}  // namespace bramble
