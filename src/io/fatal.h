// The one way out of a run that cannot go on. Whatever stops a run throws ProgramExit with the
// texts it ends on; the owner of the run's console writes them (Console::finish), so no step of
// a run writes to a stream it was not given.
#pragma once

#include <string>

namespace bramble {

// Exit statuses: data and file errors end with -1 (255 for the shell), internal errors with 1,
// usage errors with 2.
constexpr int STATUS_OK = 0;
constexpr int STATUS_DATA_ERROR = -1;
constexpr int STATUS_RUNTIME_ERROR = 1;
constexpr int STATUS_USAGE_ERROR = 2;  // a command line that cannot be followed

struct ProgramExit {
  int status;
  bool wait_for_key;             // the one-character wait before the exit
  std::string console_text;      // written on the console output
  // An internal error's message, shown on the error output; a literal, so that running out of
  // memory does not keep the message from being shown.
  const char* error_message = nullptr;
};

// Ends the run with status after text and "Press Enter to end this program!" (with a line end
// when prompt_newline is set); the one-character wait follows.
[[noreturn]] void stop_with_message(const std::string& text, int status, bool prompt_newline = false);

// Ends the run with status after text, without the wait.
[[noreturn]] void stop_without_wait(const std::string& text, int status);

// The exit of a run-time error of the numerical routines: four lines on the error output naming
// message, status 1, after the wait.
ProgramExit runtime_exit(const char* message);
[[noreturn]] void fatal_error(const char* message);

}  // namespace bramble
