// The fuzz input is what the analyst types: a whole run, in either mode, on fuzz/console.dat:
// 40 cases and two classes (enough for the cross-validation), with an ordinal covariate holding
// missing values (it gets a missing copy), a nominal one of twelve values (merged into ten
// categories, so that a pattern can send the tenth category right), a nominal one with a missing
// category and a plain ordinal one.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > bramble_fuzz::MAX_INPUT_BYTES) return -1;
  bramble_fuzz::run_program_on(BRAMBLE_FUZZ_DIR "/console.dat", data, size);
  return 0;
}
