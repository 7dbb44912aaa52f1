// The columns of a data file and the reading of one value of a column: the rules and refusal
// reasons shared by the program's reader and the classifier's, so that both read a file alike.
#pragma once

#include <string_view>

namespace bramble {

enum class ColumnKind { response, ordinal, nominal, ignored };

// The kind a header letter names (r, o, n, d in either case); false for any other token.
bool header_letter(std::string_view token, ColumnKind& kind);

enum class ValueOutcome { value, missing, refused };

struct ColumnValue {
  ValueOutcome outcome = ValueOutcome::value;
  double value = 0.0;            // a response is a whole number of the int range
  const char* reason = nullptr;  // refused: why, as "is not a number"
};

// The value of token in a response, ordinal or nominal column: NA or . is missing (which a
// response must not be); a response is a whole number in digits of the int range; a covariate a
// decimal number below 2^53 in magnitude, a nominal one within the int range.
ColumnValue column_value(std::string_view token, ColumnKind kind);

}  // namespace bramble
