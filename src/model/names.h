// The names file: one name per column of the data file, so that pages and models can say "age"
// where the report says covariate 2.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bramble {

struct NamesReading {
  std::vector<std::string> names;  // in column order; empty when the file was refused
  std::string error;               // why the file was refused; empty when it was read

  bool ok() const { return error.empty(); }
};

// Reads the names, separated by blanks, tabs or line breaks, one for each of the data file's
// columns (r and d columns included, in header order). Refuses a file that cannot be read or that
// holds another number of names than columns.
NamesReading read_names(const std::string& path, std::size_t columns);

}  // namespace bramble
