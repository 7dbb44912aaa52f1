#include "io/text_buffer.h"

#include <cstdlib>

#include "io/fatal.h"

namespace bramble {

TextBuffer::TextBuffer() : stream_(open_memstream(&data_, &size_)) {
  if (stream_ == nullptr) fatal_error("allocation failure");
}

TextBuffer::~TextBuffer() {
  std::fclose(stream_);
  std::free(data_);
}

std::string TextBuffer::text() {
  if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) fatal_error("allocation failure");
  return std::string(data_, size_);
}

}  // namespace bramble
