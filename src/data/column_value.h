// The columns of a data file and the reading of one value of a column: the rules and refusal
// reasons shared by the program's reader and the classifier's, so that both read a file alike.
#pragma once

#include <climits>
#include <string_view>

#include "data/value_parse.h"

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

// Inline, with the parts it calls: a data file's reader calls it for every token.
namespace column_value_parts {

inline ColumnValue refused(const char* reason) { return {ValueOutcome::refused, 0.0, reason}; }

inline ColumnValue response_value(std::string_view token) {
  int value = 0;
  switch (parse_integer(token, value)) {
    case ParseResult::ok:
      return {ValueOutcome::value, static_cast<double>(value), nullptr};
    case ParseResult::too_large:
      return refused("is out of range for a response (a class number)");
    case ParseResult::not_whole:
      return refused("is not a whole number in digits (a response names a class)");
    case ParseResult::no_number:
    case ParseResult::not_finite:
      break;
  }
  return refused("is not a number");
}

inline ColumnValue covariate_value(std::string_view token, ColumnKind kind) {
  double value = 0.0;
  switch (parse_decimal(token, value)) {
    case ParseResult::ok:
      break;
    case ParseResult::no_number:
    case ParseResult::not_whole:  // given by whole-number reads only
      return refused("is not a number");
    case ParseResult::not_finite:
      return refused("is not a finite number");
    case ParseResult::too_large:
      return refused("is too large (the limit is 2^53 in magnitude)");
  }
  // Category labels are ints.
  if (kind == ColumnKind::nominal && (value < INT_MIN || value > INT_MAX)) {
    return refused("is out of range for a nominal covariate");
  }
  return {ValueOutcome::value, value, nullptr};
}

}  // namespace column_value_parts

// The value of token in a response, ordinal or nominal column: NA or . is missing (which a
// response must not be); a response is a whole number in digits of the int range; a covariate a
// decimal number below 2^53 in magnitude, a nominal one within the int range.
inline ColumnValue column_value(std::string_view token, ColumnKind kind) {
  if (token == "NA" || token == ".") return {ValueOutcome::missing, 0.0, nullptr};
  return kind == ColumnKind::response ? column_value_parts::response_value(token)
                                      : column_value_parts::covariate_value(token, kind);
}

}  // namespace bramble
