// Growing the reader's collections: exhausted memory ends the program through fatal_error with
// the collection's own message instead of escaping as an exception.
#pragma once

#include <new>
#include <vector>

#include "io/fatal.h"

namespace bramble {

template <typename T>
void append(std::vector<T>& values, const T& value, const char* failure_message) {
  try {
    values.push_back(value);
  } catch (const std::bad_alloc&) {
    fatal_error(failure_message);
  }
}

}  // namespace bramble
