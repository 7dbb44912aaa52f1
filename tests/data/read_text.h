// Runs read_data on a data file given as text, capturing the console output, the report and the
// way the reading ended.
#pragma once

#include <cstdio>
#include <string>

#include "data/dataset.h"
#include "data/reader.h"
#include "io/fatal.h"
#include "support/scratch_stream.h"

namespace bramble_test {

struct ReadOutcome {
  bool stopped = false;  // the program would have ended
  int status = 0;        // its exit status when stopped
  std::string console, report;  // console: with the text of the exit when stopped
  bramble::Dataset data;  // complete only when not stopped
};

inline ReadOutcome read_text(const std::string& file_text) {
  FILE* data_file = stream_holding(file_text);
  FILE* report = std::tmpfile();
  FILE* console = std::tmpfile();
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
  for (FILE* stream : {data_file, report, console}) std::fclose(stream);
  return outcome;
}

// The report lines written by the recoding (everything after the reader's own summary head).
inline std::string recoding_lines(const std::string& report) {
  const std::string head_end = "will be listed.\n";
  const std::size_t at = report.find(head_end);
  return at == std::string::npos ? std::string() : report.substr(at + head_end.size());
}

}  // namespace bramble_test
