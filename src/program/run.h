// Everything one run of the program owns: its console (the input with its state, and the output
// sinks), its random case orders and its settings. Nothing of a run lives anywhere else, so runs
// in one process (tests, fuzzing) are as independent as runs of separate processes.
#pragma once

#include <cstdio>
#include <utility>

#include "io/console.h"
#include "numeric/random.h"
#include "program/settings.h"

namespace bramble {

// The seed of a run's random case orders.
constexpr int RANDOM_SEED = 7;

struct Run {
  Run(FILE* in, FILE* out, FILE* err, RunSettings run_settings = {})
      : console(in, out, err), random(RANDOM_SEED), settings(std::move(run_settings)) {}

  Console console;
  RandomStream random;
  RunSettings settings;
};

}  // namespace bramble
