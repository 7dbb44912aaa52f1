#include "e2e/e2e_support.h"

namespace bramble_test {

namespace {

constexpr int kRunTimeoutSeconds = 30;


// The rule above and below the start-up notice.
std::string notice_rule() { return std::string(75, '=') + "\n"; }

}  // namespace

std::string scratch_with_data_set(const std::string& name) {
  const std::string dir = make_scratch_dir();
  const std::string data_file = name + ".dat";
  write_file(dir + "/" + data_file, read_file(source_dir() + "/tests/e2e/data/" + data_file));
  return dir;
}

Session run_data_set(const std::string& name, const std::string& stdin_text) {
  return run_in(scratch_with_data_set(name), name + ".dat", stdin_text);
}

Session run_in(const std::string& dir, const std::string& args, const std::string& stdin_text) {
  return Session{dir, run_bramble(dir, args, stdin_text, kRunTimeoutSeconds)};
}

std::string written(const Session& session, const std::string& file) {
  return read_file(session.dir + "/" + file);
}

std::string expected_dir() { return source_dir() + "/tests/e2e/expected"; }

std::string expected(const std::string& file) {
  std::string text = read_file(expected_dir() + "/" + file);
  const std::string placeholder = "@PROGRAM@";
  const std::string program = BRAMBLE_BINARY;
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + program.size())) {
    text.replace(at, placeholder.size(), program);
  }
  return text;
}

std::string after_notice(const std::string& console) {
  const std::string rule = notice_rule();
  const std::size_t opening = console.find(rule);
  if (opening == std::string::npos) return console;
  const std::size_t closing = console.find(rule, opening + rule.size());
  if (closing == std::string::npos) return console;
  return console.substr(closing + rule.size());
}

}  // namespace bramble_test
