// Full-width folding, number parsing, decimal digits and truncation to 32 bits.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "core/text_ops.h"
#include "core/text_printing.h"

namespace zorvika {
namespace {

TEST(FullWidthFoldTest, Cases) {
  struct Case {
    Text text;
    Text expected;
  };
  const std::vector<Case> cases = {
      {"\xA3\xB1\xA3\xB2", "12"},             // １２
      {"\xA3\xAD\xA3\xB3", "-3"},             // －３
      {"\xA3\xC1\xA3\xE1", "Aa"},             // Ａａ
      {"\xA3\xA1\xA3\xFE", "!~"},             // the first and last of the A3 row
      {"\xA3\xA0", "\xA3\xA0"},               // below the row: unchanged
      {"\xA1\xA1", " "},                      // full-width space
      {"\xA1\xAB", "~"},                      // ～
      {"\xA1\xEE\xA1\xEF", "**"},             // ※ and the other star
      {"\xB0\xA1", "\xB0\xA1"},               // 啊 stays
      {"\xB0\xA3\xB1", "\xB0\xA3"},           // B0 A3 is a character; B1 is a stray byte, dropped
      {"1\xA3", "1"},                         // stray first byte dropped
      {Text(), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FullWidthFold(c.text), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(ToNumberTest, Cases) {
  struct Case {
    Text text;
    double expected;
  };
  const double infinity = std::numeric_limits<double>::infinity();
  const std::vector<Case> cases = {
      {"12abc", 12},
      {" -3.5", -3.5},
      {"\xA3\xB1\xA3\xB2", 12},             // １２
      {"\xA1\xA1\xA3\xAD\xA3\xB3", -3},     // full-width space, －３
      {"abc", 0},
      {Text(), 0},
      {"\t\n\v\f\r +7", 7},
      {"1e3", 1000},
      {"2E-2", 0.02},
      {"1e", 1},
      {"1e+", 1},
      {"1e+x", 1},
      {".5", 0.5},
      {"5.", 5},
      {"-", 0},
      {".", 0},
      {"- 5", 0},
      {"0x10", 0},
      {"1,5", 1},  // the decimal point is always '.', whatever the locale
      {"1e400", infinity},
      {"-1e400", -infinity},
      {"1e-400", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToNumber(c.text), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(ToIntegerTest, Cases) {
  struct Case {
    Text text;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {"8080/", 8080},
      {Text(), 0},
      {" -42x", -42},
      {"+7", 7},
      {"12.9", 12},
      {"abc", 0},
      {"- 5", 0},
      {"\xA3\xB8\xA3\xB0", 80},             // ８０
      {"2147483647", INT_MAX},
      {"2147483648", INT_MIN},               // wraps modulo 2^32
      {"4294967297", 1},
      {"-2147483649", INT_MAX},
      {"99999999999", 1215752191},           // 99999999999 mod 2^32
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToInteger(c.text), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(TruncateToIntegerTest, Cases) {
  struct Case {
    double number;
    std::int32_t expected;
  };
  const double twoTo40 = 1099511627776.0;
  const std::vector<Case> cases = {
      {2.9, 2},
      {-2.9, -2},
      {-0.5, 0},
      {2147483647.9, INT_MAX},
      {2147483648.0, INT_MIN},               // low 32 bits of the 64-bit value
      {-2147483649.0, INT_MAX},
      {twoTo40 + 7, 7},
      {-(twoTo40 + 7), -7},
      {9223372036854774784.0, -1024},        // 2^63 - 1024, the largest double below 2^63
      {9223372036854775808.0, 0},            // 2^63 is outside the 64-bit range
      {1e300, 0},
      {std::numeric_limits<double>::infinity(), 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TruncateToInteger(c.number), c.expected) << c.number;
}

}  // namespace
}  // namespace zorvika
