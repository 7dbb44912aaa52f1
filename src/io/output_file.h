// Output files are opened by name for each phase and closed after it; a file that cannot be
// opened or written completely ends the run with a message naming it (status -1).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace bramble {

// Owns a file while a fatal exit may unwind past its owner, which then closes it.
struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

// Opens name with mode ("w" or "a"); on failure the run ends with
// "Cannot over-write to file %s. It seems protected.\n".
FILE* open_output(const std::string& name, const char* mode);

// Closes the file; when any write to it failed, the run ends saying that name could not be
// written completely.
void close_output(FILE* file, const std::string& name);

}  // namespace bramble
