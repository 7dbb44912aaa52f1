// Runs the whole program in-process on fuzz inputs, a fresh run for each, with its report and
// drawing in one scratch directory ($TMPDIR/bramble-fuzz-*, made at the first call and left for
// inspection) and its standard output discarded.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "program/entry.h"
#include "program/run.h"

namespace bramble_fuzz {

// Longer inputs are passed over: they would only slow the search down.
constexpr std::size_t MAX_INPUT_BYTES = 1 << 16;

[[noreturn]] inline void give_up(const std::string& what) {
  std::perror(what.c_str());
  std::exit(1);
}

inline const std::string& scratch_dir() {
  static const std::string dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/bramble-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) give_up("mkdtemp");
    return pattern;
  }();
  return dir;
}

// Writes the file name of the scratch directory; returns its path.
inline std::string write_scratch_file(const std::string& name, const std::uint8_t* data,
                                      std::size_t size) {
  const std::string path = scratch_dir() + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!file.flush()) give_up(path);
  return path;
}

// Runs `bramble data_path` with the given bytes as standard input, as main would (a fatal exit's
// one-character wait included), the report and drawing of an earlier run removed first.
inline void run_program_on(const std::string& data_path, const std::uint8_t* input,
                           std::size_t size) {
  bramble::RunSettings settings;
  settings.data_file = data_path;
  settings.output_base = scratch_dir() + "/run";
  std::remove(settings.report_name().c_str());
  std::remove(settings.drawing_name().c_str());
  FILE* in = std::tmpfile();
  FILE* discarded = std::fopen("/dev/null", "w");
  if (in == nullptr || discarded == nullptr) give_up("scratch streams");
  if (size > 0) std::fwrite(input, 1, size, in);
  std::rewind(in);
  bramble::Run run(in, discarded, stderr, settings);  // nothing carries over from earlier inputs
  bramble::run_with_settings(run, "bramble");
  std::fclose(in);
  std::fclose(discarded);
}

}  // namespace bramble_fuzz
