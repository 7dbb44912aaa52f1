#include "data/read_text.h"

#include <cstdio>

#include "data/reader.h"
#include "io/fatal.h"
#include "support/scratch_stream.h"

namespace bramble_test {

ReadOutcome read_text(const std::string& file_text) {
  FILE* data_file = std::tmpfile();
  FILE* report = std::tmpfile();
  FILE* console = std::tmpfile();
  std::fwrite(file_text.data(), 1, file_text.size(), data_file);
  std::rewind(data_file);

  ReadOutcome outcome;
  std::string exit_text;
  try {
    outcome.data = bramble::read_data(data_file, report, console);
  } catch (const bramble::ProgramExit& exit) {
    outcome.stopped = true;
    outcome.status = exit.status;
    exit_text = exit.console_text;
  }
  outcome.console = stream_text(console) + exit_text;
  outcome.report = stream_text(report);
  std::fclose(data_file);
  std::fclose(report);
  std::fclose(console);
  return outcome;
}

std::string recoding_lines(const std::string& report) {
  const std::string head_end = "will be listed.\n";
  const std::size_t at = report.find(head_end);
  return at == std::string::npos ? std::string() : report.substr(at + head_end.size());
}

}  // namespace bramble_test
