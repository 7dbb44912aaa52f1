// Covariate values are the correctly rounded doubles of their decimal text, whichever conversion
// path a token takes.
#include "data/value_parse.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace bramble {
namespace {

// strtod rounds correctly; the reader must agree with it to the bit.
void expect_like_strtod(const std::string& token) {
  double value = -1.0;
  ASSERT_EQ(parse_decimal(token, value), ParseResult::ok) << token;
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
  EXPECT_EQ(parse_decimal("9007199254740992", value), ParseResult::too_large);
  EXPECT_EQ(parse_decimal("-.", value), ParseResult::no_number);
  std::mt19937 rng(11);
  for (int round = 0; round < 200000; ++round) {
    const int digits = std::uniform_int_distribution<int>(1, 20)(rng);
    std::string token;
    const int sign = std::uniform_int_distribution<int>(0, 2)(rng);
    if (sign == 1) token += '-';
    if (sign == 2) token += '+';
    const int point = std::uniform_int_distribution<int>(0, digits + 1)(rng);
    for (int d = 0; d < digits; ++d) {
      if (d == point) token += '.';
      token += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(rng));
    }
    if (point == digits) token += '.';
    if (parse_decimal(token, value) == ParseResult::too_large) continue;
    expect_like_strtod(token);
  }
}

}  // namespace
}  // namespace bramble
