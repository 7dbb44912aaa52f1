#include "data/token_reader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "io/fatal.h"

namespace bramble {

namespace {

constexpr std::size_t BLOCK_SIZE = 1 << 20;

// Far beyond any value of a data file: a stream that never ends (a device such as /dev/zero) is
// refused here rather than filling the memory.
constexpr std::size_t MAX_TOKEN_BYTES = std::size_t{64} << 20;

long long regular_file_bytes_left(FILE* stream) {
  struct stat info;
  const int descriptor = fileno(stream);
  if (descriptor < 0 || fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  const long long start = ftello(stream);
  return start >= 0 && start < info.st_size ? info.st_size - start : 0;
}

}  // namespace

TokenReader::TokenReader(FILE* stream)
    : stream_(stream), block_(BLOCK_SIZE + 1), stream_size_(regular_file_bytes_left(stream)) {
  if (refill()) skip_byte_order_mark();
}

void TokenReader::skip_byte_order_mark() {
  static const char mark[] = "\xEF\xBB\xBF";
  if (end_ >= 3 && std::memcmp(block_.data(), mark, 3) == 0) pos_ = 3;
}

bool TokenReader::refill() {
  // The block is about to be overwritten: the last token must survive it for error messages.
  if (!last_.empty() && last_.data() >= block_.data() && last_.data() < block_.data() + end_) {
    kept_.assign(last_);
    last_ = kept_;
  }
  block_offset_ += static_cast<long long>(end_);
  pos_ = 0;
  end_ = 0;
  if (at_end_) return false;
  errno = 0;
  end_ = std::fread(block_.data(), 1, BLOCK_SIZE, stream_);
  if (std::ferror(stream_)) {
    // fopen succeeds on a directory on some systems; the read then fails (EISDIR).
    const int error = errno;
    stop_with_message(std::string("The data file cannot be read (") +
                          (error != 0 ? std::strerror(error) : "read error") + ").\n",
                      STATUS_DATA_ERROR);
  }
  at_end_ = end_ == 0;
  block_[end_] = ' ';
  if (at_end_) {
    lines_.finish();
  } else if (!lines_.ruled_out()) {
    lines_.scan(block_.data(), block_.data() + end_);
  }
  return !at_end_;
}

void TokenReader::watch_lines(int header_letters) {
  if (!replay_) return;
  lines_ = LineShape(header_letters);
  lines_.scan(block_.data() + pos_, block_.data() + end_);
}

bool TokenReader::next(std::string_view& token) {
  if (replay_) {
    replay_ = false;
    token = last_;
    return true;
  }
  // Local copies: the compiler cannot keep members in registers across stores of characters.
  const char* const data = block_.data();
  std::size_t pos = pos_;
  for (;;) {
    while (pos < end_ && is_blank(data[pos])) ++pos;
    if (pos < end_) break;
    pos_ = pos;
    if (!refill()) return false;
    pos = pos_;
  }
  const std::size_t start = pos;
  while (!is_blank(data[pos])) ++pos;  // the blank after the block stops the scan
  pos_ = pos;
  if (pos < end_) {
    // Both views built from the pointer and length: copying one view into the other makes the
    // compiler load it whole right after storing its two halves, which stalls.
    const char* const text = data + start;
    const std::size_t length = pos - start;
    token = std::string_view(text, length);
    last_ = std::string_view(text, length);
  } else {
    gather_spanning_token(start);
    token = last_;
  }
  return true;
}

// The token starting at start reaches the end of the block: it goes on in the next blocks, up to
// the next blank or the end of the stream.
void TokenReader::gather_spanning_token(std::size_t start) {
  spanning_.assign(block_.data() + start, end_ - start);
  last_ = spanning_;  // keeps refill from saving the partial token
  while (refill()) {
    while (pos_ < end_ && !is_blank(block_[pos_])) ++pos_;
    spanning_.append(block_.data(), pos_);
    if (pos_ < end_) break;
    if (spanning_.size() > MAX_TOKEN_BYTES) {
      stop_with_message("The data file holds more than 64 MB without a blank; it is not a data "
                        "file.\n",
                        STATUS_DATA_ERROR);
    }
  }
  last_ = spanning_;
}

}  // namespace bramble
