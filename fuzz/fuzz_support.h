// Runs the whole program in-process on fuzz inputs, a fresh run for each, with its data file,
// report and drawing in one scratch directory made at start-up and its standard output discarded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bramble_fuzz {

// Longer inputs are passed over: they would only slow the search down.
constexpr std::size_t MAX_INPUT_BYTES = 1 << 16;

// Writes the file name of the scratch directory ($TMPDIR/bramble-fuzz-*, made at the first call and
// left for inspection); returns its path.
std::string write_scratch_file(const std::string& name, const std::uint8_t* data, std::size_t size);

// Runs `bramble data_path` with the given bytes as standard input, as main would (a fatal exit's
// one-character wait included), writing its report and drawing to the scratch directory, where
// those of an earlier run are removed first.
void run_program_on(const std::string& data_path, const std::uint8_t* input, std::size_t size);

}  // namespace bramble_fuzz
