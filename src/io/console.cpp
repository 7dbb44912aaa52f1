#include "io/console.h"

#include <cctype>
#include <charconv>
#include <cstdarg>

namespace bramble {

namespace {

bool is_space(int ch) { return ch != EOF && std::isspace(static_cast<unsigned char>(ch)); }

bool is_yes(int ch) { return ch == 'Y' || ch == 'y' || ch == '1'; }
bool is_no(int ch) { return ch == 'N' || ch == 'n' || ch == '0'; }

// A whole word of digits with an optional sign, within the range of an int. from_chars takes a
// minus sign only, and refuses an empty word.
bool parse_whole_number(const std::string& word, int& value) {
  const char* first = word.data();
  const char* last = first + word.size();
  if (first != last && *first == '+') ++first;
  int parsed = 0;
  const auto result = std::from_chars(first, last, parsed);
  if (result.ec != std::errc() || result.ptr != last) return false;
  value = parsed;
  return true;
}

}  // namespace

void Console::print(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(out_, format, arguments);
  va_end(arguments);
}

// The one place that reads the input; once the stream is at its end it is never read again.
int Console::next_char() {
  if (std::feof(in_)) return EOF;
  return std::getc(in_);
}

// Discards up to and including the end of the line (a NUL byte also ends it); true when at least
// one character stood before that end.
bool Console::discard_line_reporting_extra() {
  bool extra = false;
  for (int ch = next_char(); ch != EOF && ch != '\n' && ch != '\0'; ch = next_char()) extra = true;
  return extra;
}

// One whitespace-delimited word; the character that ends it stays in the input.
bool Console::read_raw_word(std::string& word) {
  int ch = next_char();
  while (is_space(ch)) ch = next_char();
  if (ch == EOF) return false;
  word.clear();
  while (ch != EOF && !is_space(ch)) {
    word.push_back(static_cast<char>(ch));
    ch = next_char();
  }
  if (ch != EOF) std::ungetc(ch, in_);
  return true;
}

Choice Console::read_choice(Choice default_choice, const char* reminder, bool zero_is_no) {
  std::fflush(out_);
  for (;;) {
    const int ch = next_char();
    // A blank answers with the default and leaves the rest of its line for the next read.
    if (ch == EOF || ch == '\n' || ch == ' ') return default_choice;
    const bool extra = discard_line_reporting_extra();
    if (ch == 'Y' || ch == 'y' || ch == '1') return Choice::first;
    if (ch == 'N' || ch == 'n' || ch == '2' || (zero_is_no && ch == '0')) return Choice::second;
    if (extra) std::fputs(reminder, out_);
  }
}

bool Console::read_yes_no() {
  if (input_ended()) return false;
  std::fflush(out_);
  for (;;) {
    int ch = next_char();
    bool extra = false;
    if (ch == '\n' || ch == ' ') {
      ch = next_char();
      // The answer after a passed-over line end takes its line with it, so that "yes" leaves no
      // "es" behind for the next question.
      if (is_yes(ch) || is_no(ch)) discard_line_reporting_extra();
    } else if (ch != EOF) {
      extra = discard_line_reporting_extra();
    }
    if (ch == EOF) {
      note_end_of_input();
      return false;
    }
    if (is_yes(ch)) return true;
    if (is_no(ch)) return false;
    if (extra) std::fputs(" Input [Y/y/1] for yes; [N/n/0] for no!", out_);
  }
}

NumberRead Console::read_number_word(int& value) {
  std::string word;
  if (!read_word(word)) return NumberRead::end_of_input;
  if (parse_whole_number(word, value)) return NumberRead::number;
  discard_line();
  std::fputs("Please enter a whole number.\n", out_);
  return NumberRead::not_a_number;
}

bool Console::read_whole_number(int& value) {
  for (;;) {
    const NumberRead read = read_number_word(value);
    if (read != NumberRead::not_a_number) return read == NumberRead::number;
  }
}

bool Console::read_word(std::string& word) {
  if (input_ended()) return false;
  std::fflush(out_);
  return read_raw_word(word);
}

void Console::discard_line() { discard_line_reporting_extra(); }

void Console::note_end_of_input() {
  if (end_of_input_noted_) return;
  end_of_input_noted_ = true;
  std::fputs("\nEnd of input: the remaining answers are taken as no.\n", out_);
}

void Console::wait_for_key() {
  std::fflush(out_);
  next_char();
}

int Console::finish(const ProgramExit& exit) {
  // The error output is written first: unbuffered, it always came out before the console text
  // still waiting in its buffer.
  if (exit.error_message != nullptr) {
    std::fprintf(err_, "Numerical Recipes run-time error ...\n");
    std::fprintf(err_, "%s\n", exit.error_message);
    std::fprintf(err_, "...now exiting to system...\n");
    std::fprintf(err_, "Press Enter to end this program!");
  }
  std::fputs(exit.console_text.c_str(), out_);
  std::fflush(out_);
  std::fflush(err_);
  if (exit.wait_for_key) wait_for_key();
  return exit.status;
}

}  // namespace bramble
