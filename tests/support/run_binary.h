// Runs the bramble binary in a scratch directory, feeding standard input and capturing the console
// streams, the exit status and the files it leaves.
#pragma once

#include <string>

namespace bramble_test {

struct RunResult {
  std::string dir;        // where it ran: the data file and the files the run wrote
  int status = -1;        // exit status, or -1 when killed (timeout, signal)
  bool timed_out = false;
  std::string out, err;   // standard output and standard error
};

// A fresh empty directory under the system's temporary directory, removed when the tests end.
std::string make_scratch_dir();

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);

inline bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// text with every part replaced by replacement.
inline std::string replaced(std::string text, const std::string& part, const std::string& replacement) {
  for (std::size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + replacement.size())) {
    text.replace(at, part.size(), replacement);
  }
  return text;
}

// How many times part occurs in text (overlapping occurrences counted).
int occurrences(const std::string& text, const std::string& part);

// Where two texts first differ: the line number and both lines; empty when they are equal.
std::string first_difference(const std::string& actual, const std::string& expected);

// Runs `bramble args` (unquoted; shell redirections among them replace the runner's own) in dir
// with the given standard input (an empty text gives an input that is at its end at once), killed
// after a minute.
RunResult run_in(const std::string& dir, const std::string& args, const std::string& stdin_text);

// A file the run wrote, by its name in its directory.
inline std::string written(const RunResult& run, const std::string& file) {
  return read_file(run.dir + "/" + file);
}

// The project's source directory (for examples/ and test data files).
std::string source_dir();

}  // namespace bramble_test
