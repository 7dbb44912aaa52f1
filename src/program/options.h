// The command line: options that answer the run's questions beforehand, name its outputs and ask
// for further ones, and the data file.
#pragma once

#include <string>
#include <vector>

#include "program/settings.h"

namespace bramble {

enum class ProgramAction { run, help, version };

struct Options {
  ProgramAction action = ProgramAction::run;
  RunSettings settings;  // a rule or mode set here is neither asked nor read
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
