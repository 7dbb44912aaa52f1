// A console for tests: its input reads the given text, and what it writes on its output and
// error streams is kept for reading back.
#pragma once

#include <cstdio>
#include <string>

#include "io/console.h"

namespace bramble_test {

class ScriptedConsole {
 public:
  explicit ScriptedConsole(const std::string& input);
  ~ScriptedConsole();
  ScriptedConsole(const ScriptedConsole&) = delete;
  ScriptedConsole& operator=(const ScriptedConsole&) = delete;

  bramble::Console& console() { return console_; }

  // The streams, for a run that makes its own console of them (use either that or console()).
  FILE* input() const { return in_; }
  FILE* output() const { return out_; }
  FILE* error_output() const { return err_; }

  // What was written to each stream so far.
  std::string out() const;
  std::string err() const;

 private:
  FILE* in_;
  FILE* out_;
  FILE* err_;
  bramble::Console console_;
};

}  // namespace bramble_test
