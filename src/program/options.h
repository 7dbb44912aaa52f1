// The command line: options that answer the run's questions beforehand, name its outputs and ask
// for further ones, and the data file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/model.h"

namespace bramble {

enum class ProgramAction { run, help, version };

struct Options {
  ProgramAction action = ProgramAction::run;
  std::optional<SplittingRule> rule;  // set: the rule question is neither asked nor read
  std::optional<RunMode> mode;        // set: the control question is neither asked nor read
  std::string output_base;            // empty: the data file's base name, in this directory
  bool quiet = false;                 // no start-up notice and no new-user notice
  bool html = false;                  // also write BASE.html
  bool json = false;                  // also write BASE.json
  std::string names_file;             // column names for the page and the model
  std::string data_file;              // empty: asked for at the prompt
};

// The parsed options, or the one-line description of a usage error (error not empty).
struct ParsedOptions {
  Options options;
  std::string error;
};

// Reads the arguments after the program name. Options and the data file may come in any order;
// "--" ends the options; "-" alone is a file name. Short options may be grouped ("-ga"), and take
// their argument joined or as the next word ("-oout", "-o out"); long ones as "--output=BASE" or
// "--output BASE".
ParsedOptions parse_options(const std::vector<std::string>& args);

}  // namespace bramble
