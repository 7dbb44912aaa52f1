#include "data/reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/collect.h"
#include "data/column_value.h"
#include "data/data_error.h"
#include "data/recode.h"
#include "data/token_reader.h"
#include "data/value_parse.h"
#include "io/fatal.h"
#include "numeric/fresh_memory.h"

namespace bramble {

namespace {

// The code of missing values unless some valid value is that low.
constexpr double DEFAULT_MISSING_CODE = -9.0;

// The longest token of the data file format; longer ones are read, but shown cut in messages.
constexpr int MAX_TOKEN_LENGTH = 199;

// The status a covariate's column starts with in Dataset::var_type.
constexpr int TYPE_ORDINAL = 1;
constexpr int TYPE_NOMINAL = 3;

// Column targets other than a covariate index.
constexpr int RESPONSE_COLUMN = -1;
constexpr int IGNORED_COLUMN = -2;

// Once this many records are read, the columns are sized for the whole file from its length.
constexpr int RECORDS_BEFORE_ESTIMATE = 4096;
// Every POPULATE_STEP records, the columns' pages for the next four steps are asked for at once
// (a mebibyte at least even for the responses).
constexpr int POPULATE_STEP = 1 << 16;

// The doubled covariate count must fit an int.
constexpr std::size_t MAX_COLUMNS = INT_MAX / 2;

// Stands for a missing covariate value until the missing code is known; parsing never yields it.
const double MISSING_MARK = std::numeric_limits<double>::quiet_NaN();

struct Header {
  std::vector<int> column_target;   // covariate index, RESPONSE_COLUMN or IGNORED_COLUMN
  std::vector<int> covariate_type;  // TYPE_ORDINAL or TYPE_NOMINAL, in column order
  int response_columns = 0;
  int n_columns() const { return static_cast<int>(column_target.size()); }
  int n_covariates() const { return static_cast<int>(covariate_type.size()); }
};

struct Columns {
  std::vector<std::vector<double>> values;  // per covariate, in case order
  std::vector<int> missing_count;           // per covariate
  std::vector<int> responses;
  std::vector<int> classes_seen;  // distinct responses, in order of first appearance
  double smallest_valid = std::numeric_limits<double>::infinity();  // least valid value read
  int n_cases = 0;
};

void add_column(Header& header, ColumnKind kind) {
  if (header.column_target.size() >= MAX_COLUMNS) {
    stop_with_message("The header names too many columns.\n", STATUS_DATA_ERROR);
  }
  int target = IGNORED_COLUMN;
  if (kind == ColumnKind::response) {
    target = RESPONSE_COLUMN;
    ++header.response_columns;
  } else if (kind != ColumnKind::ignored) {
    target = header.n_covariates();
    append(header.covariate_type, kind == ColumnKind::nominal ? TYPE_NOMINAL : TYPE_ORDINAL,
           "allocation failure in l_alloc()");
  }
  append(header.column_target, target, "allocation failure in l_alloc()");
}

// Reads the header letters; the first token that is not one is left for the records, and the
// values of the lines from there on are counted.
Header read_header(TokenReader& tokens) {
  std::string_view token;
  if (!tokens.next(token)) stop_with_message("No data in the file", STATUS_DATA_ERROR);
  Header header;
  std::string hint;  // when the header ends at a token such as "r,o,o"
  do {
    ColumnKind kind = ColumnKind::ignored;
    if (!header_letter(token, kind)) {
      hint = separator_hint(token);
      tokens.put_back();
      break;
    }
    add_column(header, kind);
  } while (tokens.next(token));

  const std::string no_covariate =
      hint.empty() ? "ERROR: No covariate!" : "ERROR: No covariate!\n" + hint;
  if (header.n_columns() - 1 < 1) stop_with_message(no_covariate, STATUS_DATA_ERROR);
  if (header.response_columns != 1) {
    stop_with_message("The header must name exactly one response column (letter r); it names " +
                          std::to_string(header.response_columns) + ".\n" + hint,
                      STATUS_DATA_ERROR);
  }
  if (header.n_covariates() == 0) stop_with_message(no_covariate, STATUS_DATA_ERROR);
  tokens.watch_lines(header.n_columns());
  return header;
}

void add_response(Columns& columns, std::string_view token, int record, int column) {
  const ColumnValue read = column_value(token, ColumnKind::response);
  if (read.outcome == ValueOutcome::missing) {
    stop_with_message("Record " + std::to_string(record) +
                          ": the response is missing; every record needs a response value.\n",
                      STATUS_DATA_ERROR);
  }
  if (read.outcome == ValueOutcome::refused) refuse_value(record, column, token, read.reason);
  const int value = static_cast<int>(read.value);
  if (value < columns.smallest_valid) columns.smallest_valid = value;
  append(columns.responses, value, "allocation failure in yl_alloc()");
  std::vector<int>& seen = columns.classes_seen;
  if (std::find(seen.begin(), seen.end(), value) != seen.end()) return;
  if (static_cast<int>(seen.size()) == MAX_CLASSES) {
    stop_with_message("Record " + std::to_string(record) + ": the response value " +
                          std::to_string(value) + " makes more than " +
                          std::to_string(MAX_CLASSES) + " classes; at most " +
                          std::to_string(MAX_CLASSES) + " are allowed.\n",
                      STATUS_DATA_ERROR);
  }
  seen.push_back(value);
}

void add_covariate(Columns& columns, int var, int type, std::string_view token, int record,
                   int column) {
  std::vector<double>& values = columns.values[var];
  const ColumnValue read =
      column_value(token, type == TYPE_NOMINAL ? ColumnKind::nominal : ColumnKind::ordinal);
  if (read.outcome == ValueOutcome::missing) {
    ++columns.missing_count[var];
    append(values, MISSING_MARK, "allocation failure in xl_alloc()");
    return;
  }
  if (read.outcome == ValueOutcome::refused) refuse_value(record, column, token, read.reason);
  const double value = read.value;
  if (value < columns.smallest_valid) columns.smallest_valid = value;
  append(values, value, "allocation failure in xl_alloc()");
}

// Sizes the columns for the whole file, judging by the bytes the records read so far took, so
// that they do not grow by doubling (which could need twice their final memory). Only a saving:
// when the estimate cannot be had, the columns simply keep growing.
void reserve_for_stream(Columns& columns, const TokenReader& tokens) {
  const long long consumed = tokens.bytes_consumed();
  if (tokens.stream_size() <= 0 || consumed <= 0) return;
  long long estimate = static_cast<long long>(columns.n_cases) * tokens.stream_size() / consumed;
  estimate = std::min<long long>(estimate + estimate / 16 + 16, INT_MAX);
  const auto capacity = static_cast<std::size_t>(estimate);
  try {
    for (std::vector<double>& values : columns.values) values.reserve(capacity);
    columns.responses.reserve(capacity);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// Asks for the pages the next records will fill, within the room the columns already have.
void populate_ahead(Columns& columns) {
  const auto ahead = [](auto& values) {
    const std::size_t room = values.capacity() - values.size();
    const std::size_t count = std::min<std::size_t>(room, 4 * POPULATE_STEP);
    populate(values.data() + values.size(), count * sizeof(values[0]));
  };
  for (std::vector<double>& values : columns.values) ahead(values);
  ahead(columns.responses);
}

// Gives back what an estimate left unused: a large surplus by moving the column, a small one by
// returning the pages populate_ahead asked for beyond the last record.
void trim_columns(Columns& columns) {
  const auto trim = [](auto& values) {
    if (values.capacity() - values.size() > values.size() / 8 + 16) values.shrink_to_fit();
    release_unused_room(values);
  };
  for (std::vector<double>& values : columns.values) trim(values);
  trim(columns.responses);
}

// Before anything else is said about a file whose lines all hold a number of values that does
// not fit its header.
void note_line_shape(const TokenReader& tokens, const Header& header, FILE* console) {
  const long long line_length = tokens.lines().mismatched_line_length();
  if (line_length == 0) return;
  std::fprintf(console,
               "Note: every line holds %lld values but the header names %d columns; a record is "
               "%d values, whatever the lines.\n",
               line_length, header.n_columns(), header.n_columns());
}

[[noreturn]] void refuse_incomplete_record(const Header& header, const TokenReader& tokens,
                                           int record, int column, FILE* console) {
  // The last token is shown only when it was a value of a used column, and never longer or with
  // other bytes than a token of the file format can have.
  const bool shown = header.column_target[column - 1] != IGNORED_COLUMN;
  note_line_shape(tokens, header, console);
  stop_with_message("Data file not complete error at line " + std::to_string(record) +
                        " variable number " + std::to_string(column) + " value = " +
                        (shown ? printable_token(tokens.last_token(), MAX_TOKEN_LENGTH) : "") +
                        " !!!\n",
                    STATUS_DATA_ERROR);
}

Columns read_records(TokenReader& tokens, const Header& header, FILE* console) {
  Columns columns;
  try {
    columns.values.resize(header.n_covariates());
  } catch (const std::bad_alloc&) {
    fatal_error("error in matrix X");
  }
  columns.missing_count.assign(header.n_covariates(), 0);
  const int n_columns = header.n_columns();
  std::string_view token;
  for (;;) {
    if (columns.n_cases == INT_MAX) {
      stop_with_message("The data file holds too many records.\n", STATUS_DATA_ERROR);
    }
    const int record = columns.n_cases + 1;
    for (int j = 0; j < n_columns; ++j) {
      if (!tokens.next(token)) {
        if (j == 0) return columns;
        refuse_incomplete_record(header, tokens, record, j, console);
      }
      const int target = header.column_target[j];
      if (target >= 0) {
        add_covariate(columns, target, header.covariate_type[target], token, record, j + 1);
      } else if (target == RESPONSE_COLUMN) {
        add_response(columns, token, record, j + 1);
      }
    }
    if (++columns.n_cases == RECORDS_BEFORE_ESTIMATE) reserve_for_stream(columns, tokens);
    if (columns.n_cases % POPULATE_STEP == 0) populate_ahead(columns);
  }
}

int first_column_of(const Header& header, int var) {
  const auto& targets = header.column_target;
  return static_cast<int>(std::find(targets.begin(), targets.end(), var) - targets.begin());
}

// Checks that need the whole file: classes 0 to n_classes - 1 and a present value in every
// covariate.
void check_columns(const Columns& columns, const Header& header) {
  std::vector<int> classes = columns.classes_seen;
  std::sort(classes.begin(), classes.end());
  if (static_cast<long long>(classes.back()) - classes.front() + 1 !=
      static_cast<long long>(classes.size())) {
    std::string message = "The response values must be consecutive integers; the file holds:";
    for (int value : classes) message += " " + std::to_string(value);
    stop_with_message(message + "\n", STATUS_DATA_ERROR);
  }
  for (int var = 0; var < header.n_covariates(); ++var) {
    if (columns.missing_count[var] < columns.n_cases) continue;
    stop_with_message("Covariate " + std::to_string(var + 1) + " (column " +
                          std::to_string(first_column_of(header, var) + 1) +
                          ") has only missing values; mark its column d to leave it out.\n",
                      STATUS_DATA_ERROR);
  }
}

// Every missing value gets one code below all valid values read; -9 unless that is not low enough.
double settle_missing_code(Columns& columns, FILE* console) {
  double code = DEFAULT_MISSING_CODE;
  if (columns.smallest_valid <= DEFAULT_MISSING_CODE) {
    std::fprintf(console, "Missing temp value > valid data case!!! \n");
    code = std::floor(columns.smallest_valid) - 1.0;
  }
  for (std::size_t var = 0; var < columns.values.size(); ++var) {
    if (columns.missing_count[var] == 0) continue;
    // A select rather than a conditional store: the loop vectorises.
    for (double& value : columns.values[var]) value = std::isnan(value) ? code : value;
  }
  return code;
}

void write_summary_head(FILE* report, const Dataset& data) {
  std::fprintf(report, "Original status of variables are\n");
  for (int type : data.var_type) std::fprintf(report, "%d ", type);
  std::fprintf(report, "\n");
  std::fprintf(report, "1 refers to as an ordinal covariate and 3 means a nominal one\n");
  std::fprintf(report, "For an ordinal covariate, the min. and max. will be given;\n");
  std::fprintf(report, "For a nominal one, the counts corresponding to each level will be");
  std::fprintf(report, " listed.\n");
}

}  // namespace

Dataset read_data(FILE* data_file, FILE* report, FILE* console) {
  TokenReader tokens(data_file);
  Header header = read_header(tokens);
  Columns columns = read_records(tokens, header, console);
  note_line_shape(tokens, header, console);
  if (columns.n_cases == 0) stop_with_message("No data in the file", STATUS_DATA_ERROR);
  trim_columns(columns);
  check_columns(columns, header);

  const bool has_missing = std::any_of(columns.missing_count.begin(), columns.missing_count.end(),
                                       [](int count) { return count > 0; });
  const double missing_code =
      has_missing ? settle_missing_code(columns, console) : DEFAULT_MISSING_CODE;

  Dataset data;
  data.n_cases = columns.n_cases;
  data.n_covariates = header.n_covariates();
  data.n_classes = std::max(2, static_cast<int>(columns.classes_seen.size()));
  data.X = std::move(columns.values);
  data.var_type = std::move(header.covariate_type);
  data.y = std::move(columns.responses);
  std::fprintf(report, "There are %d covariates\n", data.n_covariates);

  const int lowest_class = *std::min_element(data.y.begin(), data.y.end());
  for (int& y : data.y) y -= lowest_class;
  data.n_columns = header.n_columns();
  data.lowest_response = lowest_class;
  data.origins.resize(data.n_covariates);
  for (int var = 0; var < data.n_covariates; ++var) {
    data.origins[var].column = first_column_of(header, var) + 1;
    data.origins[var].missing = columns.missing_count[var];
  }
  write_summary_head(report, data);

  recode_covariates(data, has_missing, missing_code, report);
  return data;
}

}  // namespace bramble
