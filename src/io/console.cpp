#include "io/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>

namespace bramble {

namespace {

bool end_of_input_noted = false;

// The one place that reads standard input; once the stream is at its end it is never read again.
int next_char() {
  if (std::feof(stdin)) return EOF;
  return std::getchar();
}

bool is_space(int ch) { return ch != EOF && std::isspace(static_cast<unsigned char>(ch)); }

// Discards up to and including the end of the line (a NUL byte also ends it); true when at least
// one character stood before that end.
bool discard_line_reporting_extra() {
  bool extra = false;
  for (int ch = next_char(); ch != EOF && ch != '\n' && ch != '\0'; ch = next_char()) extra = true;
  return extra;
}

bool is_yes(int ch) { return ch == 'Y' || ch == 'y' || ch == '1'; }
bool is_no(int ch) { return ch == 'N' || ch == 'n' || ch == '0'; }

// One whitespace-delimited word; the character that ends it stays in the input.
bool read_raw_word(std::string& word) {
  int ch = next_char();
  while (is_space(ch)) ch = next_char();
  if (ch == EOF) return false;
  word.clear();
  while (ch != EOF && !is_space(ch)) {
    word.push_back(static_cast<char>(ch));
    ch = next_char();
  }
  if (ch != EOF) std::ungetc(ch, stdin);
  return true;
}

// A whole word of digits with an optional sign, within the range of an int.
bool parse_whole_number(const std::string& word, int& value) {
  const char* first = word.data();
  const char* last = first + word.size();
  if (first != last && *first == '+') ++first;
  if (first == last || *first == '+') return false;
  int parsed = 0;
  const auto result = std::from_chars(first, last, parsed);
  if (result.ec != std::errc() || result.ptr != last) return false;
  value = parsed;
  return true;
}

}  // namespace

int read_choice(int default_choice, const char* reminder, bool zero_is_no) {
  std::fflush(stdout);
  for (;;) {
    const int ch = next_char();
    // A blank answers with the default and leaves the rest of its line for the next read.
    if (ch == EOF || ch == '\n' || ch == ' ') return default_choice;
    const bool extra = discard_line_reporting_extra();
    if (ch == 'Y' || ch == 'y' || ch == '1') return 1;
    if (ch == 'N' || ch == 'n' || ch == '2' || (zero_is_no && ch == '0')) return 2;
    if (extra) std::fputs(reminder, stdout);
  }
}

int read_yes_no() {
  if (input_ended()) return 0;
  std::fflush(stdout);
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
      return 0;
    }
    if (is_yes(ch)) return 1;
    if (is_no(ch)) return 0;
    if (extra) std::fputs(" Input [Y/y/1] for yes; [N/n/0] for no!", stdout);
  }
}

NumberRead read_number_word(int& value) {
  std::string word;
  if (!read_word(word)) return NumberRead::end_of_input;
  if (parse_whole_number(word, value)) return NumberRead::number;
  discard_line();
  std::fputs("Please enter a whole number.\n", stdout);
  return NumberRead::not_a_number;
}

bool read_whole_number(int& value) {
  for (;;) {
    const NumberRead read = read_number_word(value);
    if (read != NumberRead::not_a_number) return read == NumberRead::number;
  }
}

bool read_word(std::string& word) {
  if (input_ended()) return false;
  std::fflush(stdout);
  return read_raw_word(word);
}

void discard_line() { discard_line_reporting_extra(); }

bool input_ended() { return end_of_input_noted; }

void note_end_of_input() {
  if (end_of_input_noted) return;
  end_of_input_noted = true;
  std::fputs("\nEnd of input: the remaining answers are taken as no.\n", stdout);
}

void forget_end_of_input() { end_of_input_noted = false; }

void wait_for_key() {
  std::fflush(stdout);
  next_char();
}

void keep_standard_streams_open() {
  // Descriptors are filled from the lowest free one, so each open lands on the closed one.
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    if (open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY) != descriptor) return;
  }
}

}  // namespace bramble
