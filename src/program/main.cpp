// bramble: classification trees grown, pruned by chi-square tests, reported and drawn.
#include <cstdio>
#include <new>

#include "io/console.h"
#include "io/fatal.h"
#include "program/run.h"

int main(int argc, char** argv) {
  bramble::keep_standard_streams_open();
  try {
    return bramble::run_program(argc, argv);
  } catch (const bramble::ProgramExit& stop) {
    if (stop.wait_for_key) bramble::wait_for_key();
    return stop.status;
  } catch (const std::bad_alloc&) {
    // An allocation outside the array family (a growing collection) ran out of memory.
    try {
      bramble::fatal_error("allocation failure");
    } catch (const bramble::ProgramExit& stop) {
      bramble::wait_for_key();
      return stop.status;
    }
  }
}
