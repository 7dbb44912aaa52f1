// The program on its arguments.
#pragma once

#include <cstdio>

#include "program/run.h"

namespace bramble {

// The whole program with in, out and err as its standard input, output and error: the help, the
// version, or a run. Returns the exit status; a run that ended early has had its message written
// and its wait for a key done.
int run_program(int argc, char** argv, FILE* in, FILE* out, FILE* err);

// A run on its settings: the start notice, the data file (asked for when the settings name none),
// the data read, the questions the settings leave open, the tree grown, reported and drawn.
// program names the program in the notice. Returns the exit status, as run_program does.
int run_with_settings(Run& run, const char* program);

}  // namespace bramble
