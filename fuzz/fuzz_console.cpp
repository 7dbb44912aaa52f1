// The fuzz input is what the analyst types: a whole run, in either mode, on a fixed data file of
// 40 cases and two classes (enough for the cross-validation), with an ordinal covariate holding
// missing values (it gets a missing copy), a nominal one of twelve values (merged into ten
// categories, so that a pattern can send the tenth category right), a nominal one with a missing
// category and a plain ordinal one.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"

namespace {

const char* const DATA = R"(d r o n n o
c00 1 55 8 3 8.3
c01 0 59 3 . 8.4
c02 0 25 9 3 3.2
c03 1 48 11 3 5.0
c04 0 20 9 . 9.0
c05 0 69 8 3 5.9
c06 1 53 4 2 7.8
c07 0 46 9 1 5.0
c08 0 40 4 1 8.1
c09 1 74 5 1 8.5
c10 0 20 4 1 -0.5
c11 0 24 10 3 6.1
c12 1 25 5 2 7.1
c13 0 26 1 . 4.0
c14 0 31 11 2 -0.8
c15 1 46 11 2 6.7
c16 0 33 1 3 3.6
c17 0 45 10 1 8.9
c18 1 NA 3 2 9.7
c19 0 44 2 . 5.2
c20 0 60 4 . 3.1
c21 1 57 8 1 9.0
c22 0 31 11 1 5.6
c23 0 67 11 1 3.6
c24 1 44 8 2 7.9
c25 0 36 4 2 5.3
c26 0 72 10 3 6.4
c27 1 NA 4 3 9.8
c28 0 59 2 1 5.0
c29 0 35 1 . 4.2
c30 1 53 10 1 4.3
c31 0 62 12 3 8.2
c32 0 57 1 2 7.6
c33 1 21 10 2 5.3
c34 0 NA 5 1 7.2
c35 0 77 12 1 6.1
c36 1 78 6 3 6.2
c37 0 80 1 3 5.1
c38 0 NA 11 3 5.8
c39 1 NA 2 2 7.1
)";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  bramble_fuzz::start(argc, argv);
  bramble_fuzz::write_scratch_file("console.dat", reinterpret_cast<const std::uint8_t*>(DATA),
                                   std::strlen(DATA));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > bramble_fuzz::MAX_INPUT_BYTES) return -1;
  bramble_fuzz::run_program_on("console.dat", data, size);
  return 0;
}
