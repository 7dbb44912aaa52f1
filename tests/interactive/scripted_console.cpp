#include "interactive/scripted_console.h"

#include "support/scratch_stream.h"

namespace bramble_test {

namespace {

FILE* stream_holding(const std::string& text) {
  FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  return file;
}

}  // namespace

ScriptedConsole::ScriptedConsole(const std::string& input)
    : in_(stream_holding(input)), out_(std::tmpfile()), err_(std::tmpfile()),
      console_(in_, out_, err_) {}

ScriptedConsole::~ScriptedConsole() {
  std::fclose(in_);
  std::fclose(out_);
  std::fclose(err_);
}

std::string ScriptedConsole::out() const { return stream_text(out_); }

std::string ScriptedConsole::err() const { return stream_text(err_); }

}  // namespace bramble_test
