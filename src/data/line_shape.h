// The shape of a data file's lines of values. Records may span lines, so lines mean nothing to the
// reader; but when every line holds the same number of values and that number does not fit the
// header (neither a multiple nor a part of it), the header most likely does not describe the file.
#pragma once

namespace bramble {

class LineShape {
 public:
  // Nothing is watched: no notice.
  LineShape() = default;

  // Watches the lines from inside their first value on (the first line counts that value).
  explicit LineShape(int header_letters);

  // Counts the values of each line in the text; does nothing once no notice can come of it.
  // A line ends at a line feed or a carriage return; lines without values are passed over.
  void scan(const char* begin, const char* end);

  // The text has ended: its last line is complete.
  void finish() {
    in_value_ = false;
    end_line();
  }

  // No notice can come of the lines, whatever follows.
  bool ruled_out() const { return ruled_out_; }

  // The number of values on every line when at least three lines hold values, all the same number,
  // and neither that number nor the header's is a multiple of the other; 0 otherwise.
  long long mismatched_line_length() const;

 private:
  void end_line();

  long long header_letters_ = 0;
  long long line_values_ = 0;  // values so far on the current line
  long long line_length_ = 0;  // values of every complete line so far
  int lines_ = 0;              // complete lines with values, counted up to 3
  bool in_value_ = false;
  bool ruled_out_ = true;
};

}  // namespace bramble
