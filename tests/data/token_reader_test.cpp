#include "data/token_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

TEST(TokenReader, SplitsAtAsciiWhiteSpaceOnly) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"a b\tc\nd\ve\ff\rg\r\n  h", {"a", "b", "c", "d", "e", "f", "g", "h"}},
      {"", {}},
      {" \r\n", {}},
      {"\xEF\xBB\xBFr o", {"r", "o"}},  // a byte-order mark is skipped at the very start only
      {"r \xEF\xBB\xBFo", {"r", "\xEF\xBB\xBFo"}},
      {"a\0b c"s, {"a\0b"s, "c"}},  // NUL is an ordinary character
  };
  for (const auto& [text, tokens] : cases) EXPECT_EQ(all_tokens(text), tokens) << text;
}

TEST(TokenReader, TokensSpanBlocksAndTheLastOneOutlivesTheEnd) {
  // One token ends exactly at the first block's end, the next straddles the second boundary.
  const std::string text = std::string(BLOCK - 3, ' ') + "abc" + std::string(BLOCK - 2, ' ') +
                           "straddling  ";
  std::string last;
  EXPECT_EQ(all_tokens(text, &last), (std::vector<std::string>{"abc", "straddling"}));
  EXPECT_EQ(last, "straddling");

  // A token in the middle of a block, followed by a whole block of blanks before the end.
  EXPECT_EQ(all_tokens("x y" + std::string(3 * BLOCK, '\n'), &last),
            (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(last, "y");
}

}  // namespace
}  // namespace bramble_test
