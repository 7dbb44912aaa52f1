// Scratch streams: what was written to a temporary file, read back.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace bramble_test {

// Everything written to a scratch stream so far.
inline std::string stream_text(FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text.push_back(static_cast<char>(c));
  std::fseek(file, 0, SEEK_END);  // the stream may be written again
  return text;
}

// A scratch stream holding text, to be read from its start.
inline FILE* stream_holding(const std::string& text) {
  FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  return file;
}

// What write puts in a scratch stream.
inline std::string written_by(const std::function<void(FILE*)>& write) {
  FILE* file = std::tmpfile();
  write(file);
  const std::string text = stream_text(file);
  std::fclose(file);
  return text;
}

}  // namespace bramble_test
