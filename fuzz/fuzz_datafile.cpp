// The fuzz input is a data file: reading, recoding and a whole automatic run (standard input is
// empty, so every question takes its default).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > bramble_fuzz::MAX_INPUT_BYTES) return -1;
  const std::string path = bramble_fuzz::write_scratch_file("fuzz.dat", data, size);
  bramble_fuzz::run_program_on(path, nullptr, 0);
  return 0;
}
