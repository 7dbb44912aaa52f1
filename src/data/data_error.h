// Refusal of a data value that the reader cannot use.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bramble {

// How many characters of a refused value a message shows.
constexpr std::size_t SHOWN_TOKEN_LENGTH = 40;

// The token as it can be shown in a message: control bytes as '?', cut after shown_length
// characters (with "..." added).
std::string printable_token(std::string_view token, std::size_t shown_length);

// For a token holding a comma or a semicolon (a file exported as CSV), a line saying how values
// are separated; otherwise empty.
std::string separator_hint(std::string_view token);

// Prints "Record R, column C: the value "TOKEN" REASON.", the separator hint for the token, and
// ends the program (status -1). Records and columns count from 1.
[[noreturn]] void refuse_value(int record, int column, std::string_view token, const char* reason);

}  // namespace bramble
