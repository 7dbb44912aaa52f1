// A refusal of untrusted input (a model file, a data file to classify): thrown where the fault is
// found, deep in a reader, and turned into a returned message by the reader's public function.
#pragma once

#include <string>
#include <utility>

namespace bramble {

struct Refusal {
  std::string message;
};

[[noreturn]] inline void refuse(std::string message) { throw Refusal{std::move(message)}; }

}  // namespace bramble
