#include "data/token_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/read_text.h"

namespace bramble_test {
namespace {

using bramble::TokenReader;
using namespace std::string_literals;

constexpr std::size_t BLOCK = 1 << 20;  // the reader's block size

std::vector<std::string> all_tokens(const std::string& text, std::string* last = nullptr) {
  FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  TokenReader reader(file);
  std::vector<std::string> tokens;
  std::string_view token;
  while (reader.next(token)) tokens.emplace_back(token);
  if (last != nullptr) *last = std::string(reader.last_token());
  std::fclose(file);
  return tokens;
}

TEST(TokenReader, EveryAsciiWhiteSpaceSeparates) {
  EXPECT_EQ(all_tokens("a b\tc\nd\ve\ff\rg\r\n  h"),
            (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h"}));
  EXPECT_TRUE(all_tokens("").empty());
  EXPECT_TRUE(all_tokens(" \r\n").empty());
}

TEST(TokenReader, SkipsAByteOrderMarkOnlyAtTheStart) {
  EXPECT_EQ(all_tokens("\xEF\xBB\xBFr o"), (std::vector<std::string>{"r", "o"}));
  EXPECT_EQ(all_tokens("r \xEF\xBB\xBFo"), (std::vector<std::string>{"r", "\xEF\xBB\xBFo"}));
}

TEST(TokenReader, NulIsAnOrdinaryCharacter) {
  const std::string text = "a\0b c"s;
  EXPECT_EQ(all_tokens(text), (std::vector<std::string>{"a\0b"s, "c"}));
}

TEST(TokenReader, TokensSpanBlocksAndTheLastOneOutlivesTheEnd) {
  // One token ends exactly at the first block's end, the next straddles the second boundary.
  std::string text(BLOCK - 3, ' ');
  text += "abc";
  text += std::string(BLOCK - 2, ' ');
  text += "straddling";
  text += "  ";
  std::string last;
  EXPECT_EQ(all_tokens(text, &last), (std::vector<std::string>{"abc", "straddling"}));
  EXPECT_EQ(last, "straddling");

  // A token in the middle of a block, followed by a whole block of blanks before the end.
  std::string padded = "x y" + std::string(3 * BLOCK, '\n');
  EXPECT_EQ(all_tokens(padded, &last), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(last, "y");
}

TEST(TokenReader, PutBackReturnsTheSameTokenOnce) {
  FILE* file = std::tmpfile();
  std::fputs("one two", file);
  std::rewind(file);
  TokenReader reader(file);
  std::string_view token;
  ASSERT_TRUE(reader.next(token));
  reader.put_back();
  ASSERT_TRUE(reader.next(token));
  EXPECT_EQ(token, "one");
  ASSERT_TRUE(reader.next(token));
  EXPECT_EQ(token, "two");
  EXPECT_FALSE(reader.next(token));
  std::fclose(file);
}

TEST(ReadDataText, CrLfAndByteOrderMarkReadLikePlainText) {
  const std::string plain = "r o n\n1 2.5 3\n0 NA 4\n1 0.5 .\n";
  const ReadOutcome lf = read_text(plain);
  const ReadOutcome crlf = read_text("r o n\r\n1 2.5 3\r\n0 NA 4\r\n1 0.5 .\r\n");
  const ReadOutcome bom = read_text("\xEF\xBB\xBF" + plain);
  ASSERT_FALSE(lf.stopped);
  for (const ReadOutcome* other : {&crlf, &bom}) {
    ASSERT_FALSE(other->stopped) << other->console;
    EXPECT_EQ(other->data.X, lf.data.X);
    EXPECT_EQ(other->data.y, lf.data.y);
    EXPECT_EQ(other->report, lf.report);
  }
}

TEST(ReadDataText, NulBytesAreTokenCharacters) {
  const ReadOutcome ignored = read_text("r d o\n1 a\0b 2\n0 \0 3\n"s);
  ASSERT_FALSE(ignored.stopped) << ignored.console;
  EXPECT_EQ(ignored.data.X[0], (std::vector<double>{2, 3}));

  const ReadOutcome refused = read_text("r o\n1 \0\n"s);
  ASSERT_TRUE(refused.stopped);
  EXPECT_EQ(
      refused.console,
      "Record 1, column 2: the value \"?\" is not a number.\nPress Enter to end this program!");
}

TEST(ReadDataText, HugeTokensAndManyColumns) {
  const std::string long_token = "5" + std::string(10 << 20, 'x');
  const ReadOutcome huge = read_text("r o d\n1 " + long_token + " " + long_token + "\n0 4 z\n");
  ASSERT_FALSE(huge.stopped) << huge.console.substr(0, 200);
  EXPECT_EQ(huge.data.X[0], (std::vector<double>{5, 4}));

  const int n_columns = 20000;
  std::string wide = "r";
  for (int j = 1; j < n_columns; ++j) wide += " o";
  for (int record = 0; record < 2; ++record) {
    wide += "\n" + std::to_string(record);
    for (int j = 1; j < n_columns; ++j) wide += " " + std::to_string(j % 7 + record);
  }
  const ReadOutcome read = read_text(wide + "\n");
  ASSERT_FALSE(read.stopped);
  EXPECT_EQ(read.data.n_covariates, n_columns - 1);
  EXPECT_EQ(read.data.X[n_columns - 2],
            (std::vector<double>{(n_columns - 1) % 7, (n_columns - 1) % 7 + 1}));
}

TEST(ReadDataText, IncompleteRecordAfterManyBlocks) {
  std::string text = "r o\n";
  while (text.size() < 3 * BLOCK) text += "1 12345.5\n0 2\n";
  text += "1";
  const ReadOutcome read = read_text(text);
  ASSERT_TRUE(read.stopped);
  const int records = static_cast<int>((text.size() - 4) / 7);  // 7 bytes per record on average
  EXPECT_EQ(read.console, "Data file not complete error at line " + std::to_string(records + 1) +
                              " variable number 1 value = 1 !!!\nPress Enter to end this program!");
}

}  // namespace
}  // namespace bramble_test
