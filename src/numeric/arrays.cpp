#include "numeric/arrays.h"

#include <new>
#include <stdexcept>

#include "io/fatal.h"
#include "numeric/fresh_memory.h"

namespace bramble {

namespace {

template <typename T>
std::vector<T> zero_filled(long n, const char* message) {
  try {
    return populated_vector<T>(n > 0 ? static_cast<std::size_t>(n) : 0);
  } catch (const std::bad_alloc&) {
    fatal_error(message);
  } catch (const std::length_error&) {
    fatal_error(message);
  }
}

template <typename T>
std::vector<std::vector<T>> zero_filled_rows(long rows, long cols, const char* message) {
  try {
    return std::vector<std::vector<T>>(rows > 0 ? static_cast<std::size_t>(rows) : 0,
                                       std::vector<T>(cols > 0 ? static_cast<std::size_t>(cols) : 0));
  } catch (const std::bad_alloc&) {
    fatal_error(message);
  } catch (const std::length_error&) {
    fatal_error(message);
  }
}

}  // namespace

std::vector<double> dvector(long n) { return zero_filled<double>(n, "allocations failure in dvector"); }

std::vector<int> ivector(long n) { return zero_filled<int>(n, "allocation failure in ivector()"); }

std::vector<std::vector<int>> imatrix(long rows, long cols) {
  return zero_filled_rows<int>(rows, cols, "error in imatrix");
}

}  // namespace bramble
