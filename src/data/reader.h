// The data file reader: header letters, then records of whitespace-separated tokens.
#pragma once

#include <cstdio>

#include "data/dataset.h"

namespace bramble {

// Reads the whole data file, writes the data summary to the report and recodes the covariates;
// its notices (a header that does not fit the lines, the missing code) go to the console. Any data error ends the run with its
// message (status -1), before the report's first line for the reader's own checks.
Dataset read_data(FILE* data_file, FILE* report, FILE* console);

}  // namespace bramble
