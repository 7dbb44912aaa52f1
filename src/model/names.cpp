#include "model/names.h"

#include <cctype>
#include <cstdio>
#include <utility>

#include "io/output_file.h"

namespace bramble {

namespace {

// The whole file, or false when it cannot be opened or read (a directory, say).
bool read_whole_file(const std::string& path, std::string& text) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  return !std::ferror(file.get());
}

std::vector<std::string> tokens(const std::string& text) {
  std::vector<std::string> found;
  std::string token;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!token.empty()) found.push_back(token);
      token.clear();
    } else {
      token.push_back(c);
    }
  }
  if (!token.empty()) found.push_back(token);
  return found;
}

}  // namespace

NamesReading read_names(const std::string& path, std::size_t columns) {
  NamesReading reading;
  std::string text;
  if (!read_whole_file(path, text)) {
    reading.error = "Cannot read the names file " + path + ".";
    return reading;
  }
  // Editors on some systems start a UTF-8 file with a byte order mark; it is no part of a name.
  const std::string byte_order_mark = "\xEF\xBB\xBF";
  if (text.compare(0, byte_order_mark.size(), byte_order_mark) == 0)
    text.erase(0, byte_order_mark.size());
  std::vector<std::string> names = tokens(text);
  if (names.size() != columns) {
    reading.error = "The names file " + path + " holds " + std::to_string(names.size()) +
                    " names, but the data file has " + std::to_string(columns) +
                    " columns: give one name per column, r and d columns included.";
    return reading;
  }
  reading.names = std::move(names);
  return reading;
}

}  // namespace bramble
