// Console answers. Every read takes standard input, one character or one word at a time, so the
// readers share one stream: a word read leaves the end of its line behind. No reader reads past
// end of input.
#pragma once

#include <string>

namespace bramble {

// A question with a default: Enter or a blank gives default_choice; Y/y/1 gives 1; N/n/2 gives 2
// (and 0 as well when zero_is_no); anything else is asked again, with the reminder when the line
// held more than one character. End of input counts as an empty answer.
int read_choice(int default_choice, const char* reminder, bool zero_is_no);

// A yes/no question of the dialogue: 1 for Y/y/1, 0 for N/n/0; passes over one leading newline or
// blank (the end of a line an earlier word read left behind) and consumes the rest of the
// answer's line. At end of input the answer is no, and end of input is noted.
int read_yes_no();

enum class NumberRead { number, not_a_number, end_of_input };

// Reads one word as a whole number within the range of an int. A word that is not one has the
// rest of its line discarded and "Please enter a whole number.\n" printed.
NumberRead read_number_word(int& value);

// Asks until a whole number is read; false at end of input.
bool read_whole_number(int& value);

// Reads one whitespace-delimited word of any length; false at end of input.
bool read_word(std::string& word);

// Reads and discards the rest of the current line, up to and including its end.
void discard_line();

// End of input met by a dialogue read: "\nEnd of input: the remaining answers are taken as no.\n"
// is printed once, and from then on every dialogue answer is no. read_yes_no notes it itself; the
// number and word readers only report it, since they also serve questions outside the dialogue.
bool input_ended();
void note_end_of_input();

// Clears the noted end of input (for tests that feed a fresh input stream).
void forget_end_of_input();

// Reads and discards one character (the wait before a fatal exit, the end of a typed line).
void wait_for_key();

// Opens /dev/null on every standard descriptor (0, 1, 2) that is closed, so that no file the
// program opens later takes its number: the console would otherwise read from the data file or
// write its prompts into the report.
void keep_standard_streams_open();

}  // namespace bramble
