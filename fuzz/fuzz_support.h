// Runs the whole program in-process on fuzz inputs, a fresh run for each. Every run takes place in
// one scratch directory made at start-up (the program writes its report and drawing to the current
// directory), with its standard output discarded; the starting directory is the current one again
// between runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bramble_fuzz {

// Longer inputs are passed over: they would only slow the search down.
constexpr std::size_t MAX_INPUT_BYTES = 1 << 16;

// Makes the scratch directory and the discarding output. Unless the command line says where,
// crash and hang reports go to the starting directory rather than to the scratch directory, which
// is the current one while a run is under way.
void start(int* argc, char*** argv);

// Writes a file of the scratch directory.
void write_scratch_file(const std::string& name, const std::uint8_t* data, std::size_t size);

// Copies the file at path into the scratch directory under name.
void copy_to_scratch(const std::string& path, const std::string& name);

// Runs `bramble data_name` in the scratch directory with the given bytes as standard input, as main
// would (a fatal exit's one-character wait included). Report and drawing of an earlier run are
// removed first.
void run_program_on(const std::string& data_name, const std::uint8_t* input, std::size_t size);

}  // namespace bramble_fuzz
