// Runs read_data on a data file given as text, capturing the console output, the report and the
// way the reading ended.
#pragma once

#include <string>

#include "data/dataset.h"

namespace bramble_test {

struct ReadOutcome {
  bool stopped = false;  // the program would have ended
  int status = 0;        // its exit status when stopped
  std::string console;   // the console output, with the text of the exit when stopped
  std::string report;
  bramble::Dataset data;  // complete only when not stopped
};

ReadOutcome read_text(const std::string& file_text);

// The report lines written by the recoding (everything after the reader's own summary head).
std::string recoding_lines(const std::string& report);

}  // namespace bramble_test
