#include "interactive/scripted_console.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "io/console.h"
#include "support/run_binary.h"

namespace bramble_test {

ScriptedConsole::ScriptedConsole(const std::string& input)
    : input_path_(make_scratch_dir() + "/stdin") {
  write_file(input_path_, input);
  if (std::freopen(input_path_.c_str(), "r", stdin) == nullptr) {
    ADD_FAILURE() << "cannot read " << input_path_;
  }
  bramble::forget_end_of_input();
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
}

ScriptedConsole::~ScriptedConsole() {
  finish();
  std::freopen("/dev/null", "r", stdin);
  std::remove(input_path_.c_str());
  std::remove(input_path_.substr(0, input_path_.rfind('/')).c_str());
}

void ScriptedConsole::finish() {
  if (!capturing_) return;
  capturing_ = false;
  out_ = testing::internal::GetCapturedStdout();
  err_ = testing::internal::GetCapturedStderr();
}

const std::string& ScriptedConsole::out() {
  finish();
  return out_;
}

const std::string& ScriptedConsole::err() {
  finish();
  return err_;
}

}  // namespace bramble_test
