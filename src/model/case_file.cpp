#include "model/case_file.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "data/data_error.h"
#include "data/token_reader.h"
#include "data/value_parse.h"
#include "model/classify.h"
#include "model/json_format.h"
#include "model/refusal.h"

namespace bramble {

namespace {

enum class Column { response, ordinal, nominal, ignored };

constexpr std::size_t SHOWN_TOKEN_LENGTH = 40;

bool header_letter(std::string_view token, Column& column) {
  if (token.size() != 1) return false;
  switch (token[0]) {
    case 'r':
    case 'R':
      column = Column::response;
      return true;
    case 'o':
    case 'O':
      column = Column::ordinal;
      return true;
    case 'n':
    case 'N':
      column = Column::nominal;
      return true;
    case 'd':
    case 'D':
      column = Column::ignored;
      return true;
    default:
      return false;
  }
}

const char* kind_of(Column column) {
  return column == Column::nominal ? "nominal (n)" : "ordinal (o)";
}

// The header's columns; the first token that is no header letter is left for the records.
std::vector<Column> read_header(TokenReader& tokens) {
  std::vector<Column> columns;
  std::string_view token;
  while (tokens.next(token)) {
    Column column = Column::ignored;
    if (!header_letter(token, column)) {
      tokens.put_back();
      break;
    }
    columns.push_back(column);
  }
  if (columns.empty()) refuse("the file does not start with header letters (r, o, n, d)");
  if (std::count(columns.begin(), columns.end(), Column::response) > 1) {
    refuse("the header names more than one response column (letter r)");
  }
  return columns;
}

// The file's o and n columns against the model's covariates of the data file.
void match_model(const std::vector<Column>& columns, const Model& model) {
  std::vector<std::size_t> covariate_columns;
  for (std::size_t j = 0; j < columns.size(); ++j) {
    if (columns[j] == Column::ordinal || columns[j] == Column::nominal) {
      covariate_columns.push_back(j);
    }
  }
  std::size_t n_model = 0;
  while (n_model < model.covariates.size() && !model.covariates[n_model].is_missing_copy()) {
    ++n_model;
  }
  if (covariate_columns.size() != n_model) {
    refuse("the file has " + std::to_string(covariate_columns.size()) +
           " covariate columns (o and n), the model " + std::to_string(n_model) +
           " covariates (not counting missing copies)");
  }
  for (std::size_t k = 0; k < n_model; ++k) {
    const ModelCovariate& covariate = model.covariates[k];
    const Column column = columns[covariate_columns[k]];
    if ((column == Column::nominal) != (covariate.kind == CovariateKind::nominal)) {
      refuse("covariate " + std::to_string(covariate.number) + " (" + covariate.name + ") is " +
             std::string(name_of(KIND_NAMES, covariate.kind)) + " in the model, but column " +
             std::to_string(covariate_columns[k] + 1) + " of the file is " + kind_of(column));
    }
  }
}

[[noreturn]] void refuse_token(std::size_t record, std::size_t column, std::string_view token,
                               const std::string& reason) {
  refuse("record " + std::to_string(record) + ", column " + std::to_string(column) +
         ": the value \"" + printable_token(token, SHOWN_TOKEN_LENGTH) + "\" " + reason);
}

int response_value(std::string_view token, std::size_t record, std::size_t column) {
  if (token == "NA" || token == ".") {
    refuse("record " + std::to_string(record) + ": the response is missing");
  }
  int value = 0;
  const ParseResult result = parse_integer(token, value);
  if (result == ParseResult::too_large) {
    refuse_token(record, column, token, "is out of range for a class label");
  }
  if (result != ParseResult::ok) refuse_token(record, column, token, "is not a number");
  return value;
}

double covariate_value(std::string_view token, Column kind, std::size_t record,
                       std::size_t column) {
  if (token == "NA" || token == ".") return MISSING_VALUE;
  double value = 0.0;
  switch (parse_decimal(token, value)) {
    case ParseResult::ok:
      break;
    case ParseResult::no_number:
    case ParseResult::not_whole:  // given by whole-number reads only
      refuse_token(record, column, token, "is not a number");
    case ParseResult::not_finite:
      refuse_token(record, column, token, "is not a finite number");
    case ParseResult::too_large:
      refuse_token(record, column, token, "is too large (the limit is 2^53 in magnitude)");
  }
  if (kind == Column::nominal &&
      (value != std::floor(value) || value < INT_MIN || value > INT_MAX)) {
    refuse_token(record, column, token, "is no category label (a whole number of the int range)");
  }
  return value;
}

void read_records(TokenReader& tokens, const std::vector<Column>& columns, CaseTable& cases) {
  std::string_view token;
  for (;;) {
    const std::size_t record = cases.n_cases + 1;
    for (std::size_t j = 0; j < columns.size(); ++j) {
      if (!tokens.next(token)) {
        if (j == 0) return;
        refuse("record " + std::to_string(record) + " is incomplete: the file ends after " +
               std::to_string(j) + " of its " + std::to_string(columns.size()) + " values");
      }
      if (columns[j] == Column::response) {
        cases.responses.push_back(response_value(token, record, j + 1));
      } else if (columns[j] != Column::ignored) {
        cases.values.push_back(covariate_value(token, columns[j], record, j + 1));
      }
    }
    ++cases.n_cases;
  }
}

}  // namespace

bool read_case_file(FILE* file, const Model& model, CaseTable& cases, std::string& error) {
  try {
    TokenReader tokens(file);
    const std::vector<Column> columns = read_header(tokens);
    match_model(columns, model);
    CaseTable read;
    read.has_response = std::count(columns.begin(), columns.end(), Column::response) == 1;
    read.n_covariates = columns.size() -
                        std::count(columns.begin(), columns.end(), Column::ignored) -
                        (read.has_response ? 1 : 0);
    read_records(tokens, columns, read);
    if (read.n_cases == 0) refuse("the file holds no records");
    cases = std::move(read);
    return true;
  } catch (const Refusal& refusal) {
    error = refusal.message;
    return false;
  }
}

}  // namespace bramble
