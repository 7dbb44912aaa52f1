// A sink kept in memory: a stream whose text can be taken back.
#pragma once

#include <cstdio>
#include <string>

namespace bramble {

class TextBuffer {
 public:
  TextBuffer();
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  FILE* stream() { return stream_; }

  // Everything written so far; running out of memory ends the run (status 1).
  std::string text();

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  FILE* stream_;
};

}  // namespace bramble
