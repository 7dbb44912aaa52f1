#include "fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "program/entry.h"
#include "program/settings.h"

namespace bramble_fuzz {

namespace {

std::string scratch_dir;
int start_dir = -1;  // descriptor of the starting directory
FILE* discarded = nullptr;  // the runs' standard output

const char* const INPUT_FILE = "standard-input";

[[noreturn]] void give_up(const char* what) {
  std::perror(what);
  std::exit(1);
}

bool starts_with(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool names_artifact_path(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (starts_with(arg, "-artifact_prefix=") || starts_with(arg, "-exact_artifact_path=")) {
      return true;
    }
  }
  return false;
}

void default_artifact_prefix(int* argc, char*** argv) {
  if (names_artifact_path(*argc, *argv)) return;
  std::vector<char> cwd(4096);
  if (getcwd(cwd.data(), cwd.size()) == nullptr) give_up("getcwd");
  static std::string flag = "-artifact_prefix=" + std::string(cwd.data()) + "/";
  static std::vector<char*> args(*argv, *argv + *argc);
  args.insert(args.begin() + 1, flag.data());
  args.push_back(nullptr);
  *argv = args.data();
  ++*argc;
}

void enter_scratch() {
  if (chdir(scratch_dir.c_str()) != 0) give_up("chdir to the scratch directory");
}

void leave_scratch() {
  if (fchdir(start_dir) != 0) give_up("fchdir to the starting directory");
}

FILE* input_holding(const std::uint8_t* input, std::size_t size) {
  write_scratch_file(INPUT_FILE, input, size);
  FILE* file = std::fopen(INPUT_FILE, "r");
  if (file == nullptr) give_up("standard input");
  return file;
}

}  // namespace

void start(int* argc, char*** argv) {
  default_artifact_prefix(argc, argv);
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/bramble-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) give_up("mkdtemp");
  scratch_dir = pattern;
  start_dir = open(".", O_RDONLY | O_DIRECTORY);
  if (start_dir < 0) give_up("open the starting directory");
  discarded = std::fopen("/dev/null", "w");
  if (discarded == nullptr) give_up("discard standard output");
}

void write_scratch_file(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = scratch_dir + "/" + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) give_up(path.c_str());
  if (size > 0 && std::fwrite(data, 1, size, file) != size) give_up(path.c_str());
  if (std::fclose(file) != 0) give_up(path.c_str());
}

void copy_to_scratch(const std::string& path, const std::string& name) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) give_up(path.c_str());
  std::vector<std::uint8_t> bytes;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    bytes.push_back(static_cast<std::uint8_t>(c));
  }
  std::fclose(file);
  write_scratch_file(name, bytes.data(), bytes.size());
}

void run_program_on(const std::string& data_name, const std::uint8_t* input, std::size_t size) {
  enter_scratch();
  bramble::RunSettings settings;
  settings.data_file = data_name;
  std::remove(settings.report_name().c_str());
  std::remove(settings.drawing_name().c_str());
  FILE* in = input_holding(input, size);
  std::string program = "bramble";
  std::string data_arg = data_name;
  char* argv[] = {program.data(), data_arg.data(), nullptr};
  // A fresh run for every input: nothing carries over from the inputs before.
  bramble::run_program(2, argv, in, discarded, stderr);
  std::fclose(in);
  std::fflush(discarded);
  leave_scratch();
}

}  // namespace bramble_fuzz
