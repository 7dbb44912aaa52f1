// `bramble classify MODEL.json DATAFILE [--tree LABEL] [-o OUT]`: one tree of a saved model applied
// to the cases of a data file (docs/classify.md).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace bramble {

// arguments are those after "classify". The table of cases goes to out, or to the file OUT; the
// tree used, the confusion table and every message go to err. Returns 0; 2 for a usage error (one
// line naming it and a hint to --help); STATUS_DATA_ERROR when a file cannot be read or written,
// or the model or data file is refused.
int classify_command(const std::vector<std::string>& arguments, FILE* out, FILE* err);

}  // namespace bramble
