// Splits a data stream into tokens: maximal runs of characters other than ASCII white space
// (blank, tab, line feed, vertical tab, form feed, carriage return). The stream is read in large
// blocks; tokens may be of any length and may span blocks. A UTF-8 byte-order mark at the very
// start is skipped. A read error ends the program with a message (status -1).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "data/line_shape.h"

namespace bramble {

class TokenReader {
 public:
  explicit TokenReader(FILE* stream);

  // Sets token to the next token and returns true, or returns false at the end of the stream.
  // The token stays valid until the next call.
  bool next(std::string_view& token);

  // Makes the next call return the token just returned once more.
  void put_back() { replay_ = true; }

  // From the token put back on, counts the values of the stream's lines (see LineShape); nothing
  // is watched when no token is put back.
  void watch_lines(int header_letters);
  const LineShape& lines() const { return lines_; }

  // The token most recently returned; still valid after next() has returned false.
  std::string_view last_token() const { return last_; }

  // Bytes taken from the stream so far, and the bytes the stream held when reading began (0 when
  // unknown, e.g. for a pipe).
  long long bytes_consumed() const { return block_offset_ + static_cast<long long>(pos_); }
  long long stream_size() const { return stream_size_; }

 private:
  static bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
  bool refill();
  void skip_byte_order_mark();
  void gather_spanning_token(std::size_t start);

  FILE* stream_;
  std::vector<char> block_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  long long block_offset_ = 0;  // stream bytes before the current block
  long long stream_size_ = 0;
  bool at_end_ = false;
  bool replay_ = false;
  std::string spanning_;  // a token that crossed a block boundary
  std::string kept_;      // the last token, saved before its block was overwritten
  std::string_view last_;
  LineShape lines_;
};

}  // namespace bramble
