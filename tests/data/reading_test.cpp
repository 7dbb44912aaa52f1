// Reading data: the files the reader accepts, in the forms people write them; the recoding of
// nominal covariates; values read to the bit (whole runs in tests/e2e pin down the rest).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "data/category_codes.h"
#include "data/read_text.h"
#include "data/ordering.h"
#include "data/recode.h"
#include "data/value_parse.h"

namespace bramble_test {
namespace {

using namespace std::string_literals;

TEST(ReadData, AcceptsUpperCaseLettersAndAnyTextInIgnoredColumns) {
  const ReadOutcome read = read_text("R D O N\n0 hello 1 5\n1 NA 2 6\n1 . 3 5\n");
  ASSERT_FALSE(read.stopped) << read.console;
  EXPECT_EQ(read.data.n_covariates, 2) << "a missing value in an ignored column makes no copy";
  EXPECT_EQ(read.data.X[0], (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(recoding_lines(read.report), "1: 1.000000 3.000000\n2: 2(5) 1(6) \n");
}

TEST(ReadData, MissingCodeMovesBelowTheLeastValidValue) {
  // Below -9 (or at it) floor(least) - 1 labels the nominal missing category; the ordinal missing
  // values sit at least - 1 in the covariate and largest + 1 in its copy.
  const struct { std::string least; double value; std::string summary; } cases[] = {
      {"-12.5", -12.5, "1: -12.500000 3.000000\n2: 2(1) 1(-14) \n"},
      {"-9", -9, "1: -9.000000 3.000000\n2: 2(1) 1(-10) \n"},
  };
  for (const auto& c : cases) {
    const ReadOutcome read = read_text("r o n\n0 " + c.least + " 1\n1 3 NA\n1 NA 1\n");
    ASSERT_FALSE(read.stopped) << read.console;
    EXPECT_EQ(read.console, "Missing temp value > valid data case!!! \n");
    EXPECT_EQ(recoding_lines(read.report), c.summary);
    bramble::Dataset data = read.data;
    bramble::fill_missing_copies(data);
    EXPECT_EQ(data.X[0], (std::vector<double>{c.value, 3, c.value - 1}));
    EXPECT_EQ(data.X[2], (std::vector<double>{c.value, 3, 4}));
  }
  EXPECT_EQ(read_text("r o\n0 -12.5\n1 3\n").console, "") << "no missing values, no code needed";
}

TEST(ReadData, ClassesStartAtTheLeastResponse) {
  const ReadOutcome shifted = read_text("o r\n1 3\n2 4\n3 4\n");
  EXPECT_EQ(shifted.data.y, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(shifted.data.n_classes, 2);
  // The ends of the int range are responses like any other.
  for (const char* ends :
       {"o r\n1 2147483647\n2 2147483646\n", "o r\n1 -2147483647\n2 -2147483648\n"}) {
    const ReadOutcome read = read_text(ends);
    ASSERT_FALSE(read.stopped) << read.console;
    EXPECT_EQ(read.data.y, (std::vector<int>{1, 0}));
  }
}

// A value is a missing marker or wholly a number, a response wholly a whole number: each spelling
// stands in record 2 of "r o n" in place of the plain value 1 (the least of its column, so a sign
// of zero would show in the summary too), and reads as its value or is refused by name.
TEST(ReadData, EachSpellingOfANumberReadsAsItsValueOrIsRefusedByName) {
  const std::string not_whole = "is not a whole number in digits (a response names a class)";
  const struct {  // an empty reason: read as plain
    int column; const char* plain; std::vector<const char*> spellings; std::string reason;
  } tokens[] = {
      {1, "1", {"+1", "1.", "1.0", "1.00", "01"}, ""},
      {2, "3", {"3.", "+3", "3.0", "0.3e1", "30E-1", ".3e+1", "3e0", "300e-2"}, ""},
      {2, "0", {"-0", "+0.", "-0.0e5", ".0", "-1e-400", "1e-400"}, ""},
      {3, "2", {"2.0", "2e0", "+2", "20e-1", "2."}, ""},
      {2, "1", {"1,5", "2abc", "0x1f", "5e", "1e+", "--1", "1-", "?", "inf"}, "is not a number"},
      {3, "1", {"1;7", "1.5.2", "+", "nan"}, "is not a number"},
      {1, "1", {"1,0", "1e", "-.", "+.", "+"}, "is not a number"},
      {1, "1", {"2.7", "0.5", "1e1", "1.01"}, not_whole},
  };
  const auto file = [](int column, const std::string& token) {
    std::string record = "1 4 5";
    record.replace(2 * (column - 1), 1, token);
    return "r o n\n0 5 6\n" + record + "\n1 6 7\n";
  };
  const std::string separators =
      "Values are separated by blanks, tabs or line breaks, not by commas or semicolons.\n";
  for (const auto& token : tokens) {
    const ReadOutcome plain = read_text(file(token.column, token.plain));
    ASSERT_FALSE(plain.stopped) << plain.console;
    for (const std::string spelling : token.spellings) {
      SCOPED_TRACE(spelling);
      const ReadOutcome read = read_text(file(token.column, spelling));
      if (!token.reason.empty()) {
        const bool csv = spelling.find_first_of(",;") != std::string::npos;
        EXPECT_EQ(read.console, "Record 2, column " + std::to_string(token.column) +
                                    ": the value \"" + spelling + "\" " + token.reason + ".\n" +
                                    (csv ? separators : "") + "Press Enter to end this program!");
        continue;
      }
      ASSERT_FALSE(read.stopped) << read.console;
      EXPECT_EQ(read.report, plain.report);
      EXPECT_EQ(read.data.X, plain.data.X);
      EXPECT_EQ(read.data.y, plain.data.y);
    }
  }
}

// Lines of values that do not fit the header are worth a note, never a refusal: the records are
// read by their tokens all the same.
TEST(ReadData, LinesThatDoNotFitTheHeaderAreNoted) {
  const std::string note = "Note: every line holds 4 values but the header names 3 columns; a "
                           "record is 3 values, whatever the lines.\n";
  std::string blocks = "r o o\n";  // past the reader's blocks of 1 MiB
  while (blocks.size() < (3 << 20)) blocks += "0 1 2 1\n3 4 0 5\n6 1 7 8\n";
  std::string records = "r o\n";  // a record a line, up to the end of the first block
  while (records.size() < (1 << 20)) records += "1 2\n";
  const struct { std::string file, console; } files[] = {
      {"r o o\n0 1 2 1\n3 4 0 5\n6 1 7 8\n", note},
      {"r o o\n\n0\t1 2 1\r\n\n3 4 0\t5\r\n6 1 7 8", note},  // blank lines, tabs, CR LF ends
      {"r o o\n0 1 2 1\n3 4 0 5\n6 1 7 8\n1 2 3 4\n",
       note + "Data file not complete error at line 6 variable number 1 value = 4 !!!\n"
              "Press Enter to end this program!"},
      {"r o o\n0 1 2 1\n3 4 0 5\n6\n", ""},                 // lines of 4, 4 and 1
      {blocks, note}, {blocks + "0 1 2\n", ""},
      // An unfinished record after them is named by its number and its token, the first of a
      // block whose other bytes are blanks.
      {records + "1" + std::string((1 << 20) - 1, ' '), "Data file not complete error at line " +
                          std::to_string(std::count(records.begin(), records.end(), '\n')) +
                          " variable number 1 value = 1 !!!\nPress Enter to end this program!"},
      {"r o o\n0 1 2 1\n3 4 0 5\n",  // two lines only
       "Data file not complete error at line 3 variable number 2 value = 5 !!!\n"
       "Press Enter to end this program!"},
      {"r o o\n0 1 2 1 3 4\n0 5 6 1 7 8\n0 1 1 1 2 2\n", ""}, // two records a line
      {"r o o o\n0 1\n2 3\n1 4\n5 6\n", ""},               // a record over two lines
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.file.substr(0, 80));
    const ReadOutcome read = read_text(file.file);
    EXPECT_EQ(read.console, file.console);
    EXPECT_EQ(read.report.find("Note"), std::string::npos);
  }
}

// The columns are sized once, from the file's length and what its first 4096 records took, with a
// sixteenth and 16 more to spare: here 4096 * 32772 / 16387 = 8191 (to the end of the last value)
// and 8191 + 511 + 16 = 8718.
TEST(ReadData, ColumnsAreSizedOnceFromTheFileLength) {
  std::string text = "r o\n";
  for (int i = 0; i < 8192; ++i) text += std::to_string(i % 2) + " " + std::to_string(i % 7) + "\n";
  const ReadOutcome read = read_text(text);
  EXPECT_TRUE(read.data.X[0].capacity() == 8718 && read.data.y.capacity() == 8718);
}

// A data file of one nominal covariate holding the tokens, the response alternating 0, 1.
ReadOutcome read_nominal(const std::vector<std::string>& tokens) {
  std::string text = "r n\n";
  for (std::size_t i = 0; i < tokens.size(); ++i) text += (i % 2 ? "1 " : "0 ") + tokens[i] + "\n";
  const ReadOutcome read = read_text(text);
  EXPECT_FALSE(read.stopped) << read.console;
  return read;
}

// Values 1, 2, ... each written as many times as counts says.
std::vector<std::string> tokens_with_counts(const std::vector<int>& counts) {
  std::vector<std::string> tokens;
  for (std::size_t v = 1; v <= counts.size(); ++v)
    tokens.insert(tokens.end(), counts[v - 1], std::to_string(v));
  return tokens;
}

TEST(RecodeNominal, CodesInValueOrderWithTheMissingCategoryLast) {
  const ReadOutcome missing = read_nominal({"1", "NA", "3", "1"});
  EXPECT_EQ(missing.data.X[0], (std::vector<double>{0, 2, 1, 0}));
  EXPECT_EQ(missing.data.ori_catg[0], (std::vector<int>{1, 3, -9}));
  EXPECT_EQ(recoding_lines(missing.report), "1: 2(1) 1(3) 1(-9) \n");
  EXPECT_EQ(missing.data.n_covariates, 1) << "nominal covariates get no missing copy";
}

// Whole values spanning fewer values than the row holds are coded through a table, any others
// through a sort; the codes are the same either way, the missing category (-9 here) last.
TEST(RecodeNominal, CategoriesAreTabulatedWhenTheirValuesAllowIt) {
  const struct { std::vector<double> row; bool tabulated; std::vector<int> codes; } rows[] = {
      {{3, 1, -9, 3, 2}, true, {2, 0, 3, 2, 1}},    {{-3, -1, -2, -1}, true, {0, 2, 1, 2}},
      {{INT_MIN, INT_MIN + 1.0}, true, {0, 1}},     {{INT_MAX, INT_MAX - 1.0}, true, {1, 0}},
      {{0, 1e9}, false, {0, 1}},                    {{2, 0.5, 1}, false, {2, 0, 1}},
      {{1, 1.5, 2, 2}, false, {0, 1, 2, 2}},
  };
  for (const auto& row : rows) {
    bramble::ColumnRange range{1e300, -1e300, false};
    for (const double value : row.row) {
      range.holds_missing = range.holds_missing || value == -9;
      range.min = value == -9 ? range.min : std::min(range.min, value);
      range.max = value == -9 ? range.max : std::max(range.max, value);
    }
    const bramble::CategoryCodes categories(row.row, range, -9);
    std::vector<int> codes;
    for (const double value : row.row) codes.push_back(categories.code(value));
    EXPECT_EQ(categories.tabulated(), row.tabulated) << row.row[0];
    EXPECT_EQ(codes, row.codes) << row.row[0];
  }
}

// Whatever the ties, the heapsort sorts its keys ascending and each companion moves with its key.
TEST(RecodeMerge, TheHeapsortSortsKeysWithTheirCompanions) {
  std::mt19937 rng(3);
  for (int n = 2; n < 40; ++n) {
    std::vector<double> keys(n + 1);  // from 1; a companion is 100 times its key, plus its place
    std::vector<int> companions(n + 1);
    for (int i = 1; i <= n; ++i) companions[i] = 100 * static_cast<int>(keys[i] = rng() % 6) + i;
    bramble::sort_with_companion(n, keys.data(), companions.data());
    EXPECT_TRUE(std::is_sorted(keys.begin() + 1, keys.end())) << n << " keys";
    for (int i = 1; i <= n; ++i) EXPECT_EQ(companions[i] / 100, keys[i]) << n << " keys";
  }
}

TEST(RecodeMerge, TiesAreSettledByTheHeapsort) {
  const ReadOutcome read = read_nominal(tokens_with_counts({2, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(recoding_lines(read.report),
            "1: 2(1) 2(2) 2(3) 3(4) 4(5) 5(6) 6(7) 7(8) 8(9) 9(10) 10(11) \n"
            "***Put catgories(3) (2) as category 999\n");
  EXPECT_EQ(read.data.ori_catg[0], (std::vector<int>{1, 4, 5, 6, 7, 8, 9, 10, 11, 999}));
  const std::vector<double>& codes = read.data.X[0];
  EXPECT_EQ(std::vector<double>(codes.begin(), codes.begin() + 6),
            (std::vector<double>{0, 0, 9, 9, 9, 9}));
  // Which three of the four categories of one case merge is the order the heapsort leaves them in.
  const ReadOutcome ones = read_nominal(tokens_with_counts({1, 3, 1, 4, 4, 4, 4, 2, 1, 4, 1, 4}));
  EXPECT_NE(ones.report.find("\n***Put catgories(11) (9) (1) as category 999\n"), std::string::npos);
}

// Values are the correctly rounded doubles of their decimal text, whatever the conversion path.
// strtod rounds correctly; the reader must agree with it to the bit.
void expect_like_strtod(const std::string& token) {
  double value = -1.0;
  ASSERT_EQ(bramble::parse_decimal(token, value), bramble::ParseResult::ok) << token;
  double expected = std::strtod(token.c_str(), nullptr);
  if (expected == 0.0) expected = 0.0;
  EXPECT_EQ(value, expected) << token;
  EXPECT_FALSE(std::signbit(value) && value == 0.0) << token;
}

// Up to 20 digits (past the 19 of the short path), the point anywhere or absent, and the edges of
// the exact range.
TEST(ParseDecimal, DecimalsAreCorrectlyRounded) {
  for (const char* token : {"9007199254740991", "900719925474099.35", "900719925474099.3",
                            "0.0000000000000000000001", "0.00000000000000000000001", "4.35",
                            "1234567890123.456789", "-0.000", "-0", "+.5", "7.", "0.1",
                            "123456789012345.6"}) {
    expect_like_strtod(token);
  }
  double value = 0.0;
  EXPECT_EQ(bramble::parse_decimal("9007199254740992", value), bramble::ParseResult::too_large);
  EXPECT_EQ(bramble::parse_decimal("-.", value), bramble::ParseResult::no_number);
  std::mt19937 rng(11);
  for (int round = 0; round < 200000; ++round) {
    const int digits = std::uniform_int_distribution<int>(1, 20)(rng);
    std::string token;
    const int sign = std::uniform_int_distribution<int>(0, 2)(rng);
    if (sign > 0) token += sign == 1 ? '-' : '+';
    const int point = std::uniform_int_distribution<int>(0, digits + 1)(rng);
    for (int d = 0; d < digits; ++d) {
      if (d == point) token += '.';
      token += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(rng));
    }
    if (point == digits) token += '.';
    if (bramble::parse_decimal(token, value) == bramble::ParseResult::too_large) continue;
    expect_like_strtod(token);
  }
}

}  // namespace
}  // namespace bramble_test
