#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "program/entry.h"
#include "program/run.h"

namespace bramble_fuzz {

namespace {

[[noreturn]] void give_up(const std::string& what) {
  std::perror(what.c_str());
  std::exit(1);
}

std::string make_scratch_dir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/bramble-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) give_up("mkdtemp");
  return pattern;
}

const std::string& scratch_dir() {
  static const std::string dir = make_scratch_dir();
  return dir;
}

}  // namespace

std::string write_scratch_file(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = scratch_dir() + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!file.flush()) give_up(path);
  return path;
}

void run_program_on(const std::string& data_path, const std::uint8_t* input, std::size_t size) {
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
  // A fresh run for every input: nothing carries over from the inputs before.
  bramble::Run run(in, discarded, stderr, settings);
  bramble::run_with_settings(run, "bramble");
  std::fclose(in);
  std::fclose(discarded);
}

}  // namespace bramble_fuzz
