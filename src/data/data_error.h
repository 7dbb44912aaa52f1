// Refusal of a data value that the reader cannot use.
#pragma once

#include <string>
#include <string_view>

namespace bramble {

// The token as it can be shown in a message: control bytes as '?', cut after shown_length
// characters (with "..." added).
std::string printable_token(std::string_view token, std::size_t shown_length);

// Prints "Record R, column C: the value "TOKEN" REASON." and ends the program (status -1).
// Records and columns count from 1.
[[noreturn]] void refuse_value(int record, int column, std::string_view token, const char* reason);

}  // namespace bramble
