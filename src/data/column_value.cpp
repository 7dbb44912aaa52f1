#include "data/column_value.h"

#include <climits>

#include "data/value_parse.h"

namespace bramble {

namespace {

ColumnValue refused(const char* reason) { return {ValueOutcome::refused, 0.0, reason}; }

ColumnValue response_value(std::string_view token) {
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

ColumnValue covariate_value(std::string_view token, ColumnKind kind) {
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

}  // namespace

bool header_letter(std::string_view token, ColumnKind& kind) {
  if (token.size() != 1) return false;
  switch (token[0]) {
    case 'r':
    case 'R':
      kind = ColumnKind::response;
      return true;
    case 'o':
    case 'O':
      kind = ColumnKind::ordinal;
      return true;
    case 'n':
    case 'N':
      kind = ColumnKind::nominal;
      return true;
    case 'd':
    case 'D':
      kind = ColumnKind::ignored;
      return true;
    default:
      return false;
  }
}

ColumnValue column_value(std::string_view token, ColumnKind kind) {
  if (token == "NA" || token == ".") return {ValueOutcome::missing, 0.0, nullptr};
  return kind == ColumnKind::response ? response_value(token) : covariate_value(token, kind);
}

}  // namespace bramble
