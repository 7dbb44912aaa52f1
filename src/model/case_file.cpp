#include "model/case_file.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "data/column_value.h"
#include "data/data_error.h"
#include "data/token_reader.h"
#include "model/classify.h"
#include "model/json_format.h"
#include "model/refusal.h"

namespace bramble {

namespace {

const char* kind_of(ColumnKind column) {
  return column == ColumnKind::nominal ? "nominal (n)" : "ordinal (o)";
}

// The header's columns; the first token that is no header letter is left for the records.
std::vector<ColumnKind> read_header(TokenReader& tokens) {
  std::vector<ColumnKind> columns;
  std::string_view token;
  while (tokens.next(token)) {
    ColumnKind column = ColumnKind::ignored;
    if (!header_letter(token, column)) {
      tokens.put_back();
      break;
    }
    columns.push_back(column);
  }
  if (columns.empty()) refuse("the file does not start with header letters (r, o, n, d)");
  if (std::count(columns.begin(), columns.end(), ColumnKind::response) > 1) {
    refuse("the header names more than one response column (letter r)");
  }
  return columns;
}

// The file's o and n columns against the model's covariates of the data file.
void match_model(const std::vector<ColumnKind>& columns, const Model& model) {
  std::vector<std::size_t> covariate_columns;
  for (std::size_t j = 0; j < columns.size(); ++j) {
    if (columns[j] == ColumnKind::ordinal || columns[j] == ColumnKind::nominal) {
      covariate_columns.push_back(j);
    }
  }
  const auto first_copy =
      std::find_if(model.covariates.begin(), model.covariates.end(),
                   [](const ModelCovariate& covariate) { return covariate.is_missing_copy(); });
  const std::size_t n_model = first_copy - model.covariates.begin();
  if (covariate_columns.size() != n_model) {
    refuse("the file has " + std::to_string(covariate_columns.size()) +
           " covariate columns (o and n), the model " + std::to_string(n_model) +
           " covariates (not counting missing copies)");
  }
  for (std::size_t k = 0; k < n_model; ++k) {
    const ModelCovariate& covariate = model.covariates[k];
    const ColumnKind column = columns[covariate_columns[k]];
    if ((column == ColumnKind::nominal) != (covariate.kind == CovariateKind::nominal)) {
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

// A value of the file by the reader's own rules; a nominal one must also be a category label.
double case_value(std::string_view token, ColumnKind kind, std::size_t record, std::size_t column) {
  const ColumnValue read = column_value(token, kind);
  if (read.outcome == ValueOutcome::refused) refuse_token(record, column, token, read.reason);
  if (read.outcome == ValueOutcome::missing) {
    if (kind == ColumnKind::response) {
      refuse("record " + std::to_string(record) + ": the response is missing");
    }
    return MISSING_VALUE;
  }
  if (kind == ColumnKind::nominal && read.value != std::floor(read.value)) {
    refuse_token(record, column, token, "is no category label (a whole number)");
  }
  return read.value;
}

void read_records(TokenReader& tokens, const std::vector<ColumnKind>& columns, CaseTable& cases) {
  std::string_view token;
  for (;;) {
    const std::size_t record = cases.n_cases + 1;
    for (std::size_t j = 0; j < columns.size(); ++j) {
      if (!tokens.next(token)) {
        if (j == 0) return;
        refuse("record " + std::to_string(record) + " is incomplete: the file ends after " +
               std::to_string(j) + " of its " + std::to_string(columns.size()) + " values");
      }
      if (columns[j] == ColumnKind::response) {
        cases.responses.push_back(static_cast<int>(case_value(token, columns[j], record, j + 1)));
      } else if (columns[j] != ColumnKind::ignored) {
        cases.values.push_back(case_value(token, columns[j], record, j + 1));
      }
    }
    ++cases.n_cases;
  }
}

}  // namespace

bool read_case_file(FILE* file, const Model& model, CaseTable& cases, std::string& error) {
  try {
    TokenReader tokens(file);
    const std::vector<ColumnKind> columns = read_header(tokens);
    match_model(columns, model);
    CaseTable read;
    read.has_response = std::count(columns.begin(), columns.end(), ColumnKind::response) == 1;
    read.n_covariates = columns.size() -
                        std::count(columns.begin(), columns.end(), ColumnKind::ignored) -
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
