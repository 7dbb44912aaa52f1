// Runs console code against typed input: standard input reads the given text, and standard
// output and standard error are captured.
#pragma once

#include <string>

namespace bramble_test {

class ScriptedConsole {
 public:
  explicit ScriptedConsole(const std::string& input);
  ~ScriptedConsole();
  ScriptedConsole(const ScriptedConsole&) = delete;
  ScriptedConsole& operator=(const ScriptedConsole&) = delete;

  // Ends the capture (on the first call) and returns what was written to each stream.
  const std::string& out();
  const std::string& err();

 private:
  void finish();
  std::string input_path_;
  bool capturing_ = true;
  std::string out_;
  std::string err_;
};

}  // namespace bramble_test
