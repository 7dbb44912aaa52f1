// bramble: classification trees grown, pruned by chi-square tests, reported and drawn.
#include <cstdio>

#include "io/standard_streams.h"
#include "program/entry.h"

int main(int argc, char** argv) {
  bramble::keep_standard_streams_open();
  return bramble::run_program(argc, argv, stdin, stdout, stderr);
}
