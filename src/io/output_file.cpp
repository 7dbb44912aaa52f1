#include "io/output_file.h"

#include "io/fatal.h"

namespace bramble {

FILE* open_output(const std::string& name, const char* mode) {
  FILE* file = std::fopen(name.c_str(), mode);
  if (file == nullptr) {
    stop_with_message("Cannot over-write to file " + name + ". It seems protected.\n",
                      STATUS_DATA_ERROR);
  }
  return file;
}

void close_output(FILE* file, const std::string& name) {
  // A full disk may show only when the buffer is flushed, so both the stream's error flag and
  // the close itself count.
  const bool write_failed = std::ferror(file) != 0;
  const bool close_failed = std::fclose(file) != 0;
  if (write_failed || close_failed) {
    stop_with_message("Could not write the file " + name + " completely (is the disk full?).\n",
                      STATUS_DATA_ERROR);
  }
}

}  // namespace bramble
