// The console of a run: the answers it reads and the text it writes. Every read takes the input
// one character or one word at a time, so the readers share one stream: a word read leaves the
// end of its line behind. No reader reads past end of input.
#pragma once

#include <cstdio>
#include <string>

#include "io/fatal.h"

namespace bramble {

// The two answers of a question with a default.
enum class Choice { first, second };

enum class NumberRead { number, not_a_number, end_of_input };

class Console {
 public:
  // in: the answers; out: questions, results and messages; err: what the program shows apart
  // from its console text (the categories of a nominal split, internal errors).
  Console(FILE* in, FILE* out, FILE* err) : in_(in), out_(out), err_(err) {}

  FILE* out() const { return out_; }
  FILE* err() const { return err_; }

  // Formatted text on the console output.
  [[gnu::format(printf, 2, 3)]] void print(const char* format, ...);

  // A question with a default: Enter or a blank gives default_choice; Y/y/1 gives first; N/n/2
  // gives second (and 0 as well when zero_is_no); anything else is asked again, with the reminder
  // when the line held more than one character. End of input counts as an empty answer.
  Choice read_choice(Choice default_choice, const char* reminder, bool zero_is_no);

  // A yes/no question of the dialogue: true for Y/y/1, false for N/n/0; passes over one leading
  // newline or blank (the end of a line an earlier word read left behind) and consumes the rest
  // of the answer's line. At end of input the answer is no, and end of input is noted.
  bool read_yes_no();

  // Reads one word as a whole number within the range of an int. A word that is not one has the
  // rest of its line discarded and "Please enter a whole number.\n" printed.
  NumberRead read_number_word(int& value);

  // Asks until a whole number is read; false at end of input.
  bool read_whole_number(int& value);

  // Reads one whitespace-delimited word of any length; false at end of input.
  bool read_word(std::string& word);

  // Reads and discards the rest of the current line, up to and including its end.
  void discard_line();

  // End of input met by a dialogue read: "\nEnd of input: the remaining answers are taken as
  // no.\n" is printed once, and from then on every dialogue answer is no. read_yes_no notes it
  // itself; the number and word readers only report it, since they also serve questions outside
  // the dialogue.
  bool input_ended() const { return end_of_input_noted_; }
  void note_end_of_input();

  // Reads and discards one character (the wait before a fatal exit, the end of a typed line).
  void wait_for_key();

  // Writes the texts of exit, waits for a key when it asks to, and returns its status.
  int finish(const ProgramExit& exit);

 private:
  int next_char();
  bool discard_line_reporting_extra();
  bool read_raw_word(std::string& word);

  FILE* in_;
  FILE* out_;
  FILE* err_;
  bool end_of_input_noted_ = false;
};

}  // namespace bramble
