#include "data/line_shape.h"

namespace bramble {

namespace {

constexpr int LINES_FOR_A_NOTICE = 3;

bool is_line_end(char c) { return c == '\n' || c == '\r'; }
bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool fit(long long a, long long b) { return a % b == 0 || b % a == 0; }

}  // namespace

LineShape::LineShape(int header_letters)
    : header_letters_(header_letters), line_values_(1), in_value_(true), ruled_out_(false) {}

void LineShape::scan(const char* begin, const char* end) {
  for (const char* p = begin; p < end && !ruled_out_; ++p) {
    if (!is_blank(*p)) {
      if (!in_value_) ++line_values_;
      in_value_ = true;
    } else {
      in_value_ = false;
      if (is_line_end(*p)) end_line();
    }
  }
}

void LineShape::end_line() {
  if (line_values_ == 0 || ruled_out_) return;
  if (lines_ == 0) {
    line_length_ = line_values_;
    // Records of whole lines, records over several lines, several records a line: all as meant.
    ruled_out_ = fit(line_length_, header_letters_);
  } else {
    ruled_out_ = line_values_ != line_length_;
  }
  if (lines_ < LINES_FOR_A_NOTICE) ++lines_;
  line_values_ = 0;
}

long long LineShape::mismatched_line_length() const {
  return !ruled_out_ && lines_ == LINES_FOR_A_NOTICE ? line_length_ : 0;
}

}  // namespace bramble
