// The one way out of a run that cannot go on.
#pragma once

#include <string>

namespace bramble {

// Exit statuses: data and file errors end with -1 (255 for the shell), internal errors with 1.
constexpr int STATUS_OK = 0;
constexpr int STATUS_DATA_ERROR = -1;
constexpr int STATUS_RUNTIME_ERROR = 1;

// Thrown by end_program and turned by main into the wait for one character and the exit status.
struct ProgramExit {
  int status;
  bool wait_for_key;
};

// Every fatal path ends here: flushes the console streams and throws ProgramExit.
[[noreturn]] void end_program(int status, bool wait_for_key = true);

// Prints text on standard output, then "Press Enter to end this program!" (with a line end when
// prompt_newline is set) and ends the program with status after the one-character wait.
[[noreturn]] void stop_with_message(const std::string& text, int status, bool prompt_newline = false);

// The run-time error of the numerical routines: four texts on standard error, status 1.
[[noreturn]] void fatal_error(const char* message);

}  // namespace bramble
