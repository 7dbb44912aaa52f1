#include "data/data_error.h"

#include "io/fatal.h"

namespace bramble {

std::string printable_token(std::string_view token, std::size_t shown_length) {
  std::string shown(token.substr(0, shown_length));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  if (token.size() > shown_length) shown += "...";
  return shown;
}

std::string separator_hint(std::string_view token) {
  if (token.find_first_of(",;") == std::string_view::npos) return "";
  return "Values are separated by blanks, tabs or line breaks, not by commas or semicolons.\n";
}

void refuse_value(int record, int column, std::string_view token, const char* reason) {
  stop_with_message("Record " + std::to_string(record) + ", column " + std::to_string(column) +
                        ": the value \"" + printable_token(token, SHOWN_TOKEN_LENGTH) + "\" " +
                        reason + ".\n" + separator_hint(token),
                    STATUS_DATA_ERROR);
}

}  // namespace bramble
