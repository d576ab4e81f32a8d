// Lengths, joins, comparison, byte-wise cuts and the small text builders.
#include "core/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/text_case_table.h"

namespace zorvika {
namespace {

TEST(TextTest, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(Text(std::string_view("a\0b", 3)), Text("a"));
  EXPECT_EQ(Text(std::string("a\0b", 3)), Text("a"));
  EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text());
  EXPECT_TRUE(Text("").empty());
}

TEST(TextOpsTest, LengthCountsBytes) {
  EXPECT_EQ(TextLength("ab\xB0\xA1"), 4);  // ab啊
  EXPECT_EQ(TextLength(Text()), 0);
}

TEST(TextOpsTest, ByteWiseCuts) {
  ExpectAll({
      {"TextLeft within", TextLeft("abc", 2), "ab"},
      {"TextLeft beyond the length", TextLeft("abc", INT_MAX), "abc"},
      {"TextLeft of 0", TextLeft("abc", 0), ""},
      {"TextLeft of -1", TextLeft("abc", -1), ""},
      {"TextLeft splits a two-byte character", TextLeft("\xB0\xA1", 1), "\xB0"},  // 啊
      {"TextRight within", TextRight("abc", 2), "bc"},
      {"TextRight beyond the length", TextRight("abc", 5), "abc"},
      {"TextRight of 0", TextRight("abc", 0), ""},
      {"TextRight of an empty text", TextRight(Text(), 3), ""},
      {"TextMid start 0 is not moved to 1", TextMid("abc", 0, 2), ""},
      {"TextMid start below 0", TextMid("abc", INT_MIN, 2), ""},
      {"TextMid runs to the end", TextMid("abc", 2, 10), "bc"},
      {"TextMid huge count", TextMid("abc", 2, INT_MAX), "bc"},
      {"TextMid last byte", TextMid("abc", 3, 1), "c"},
      {"TextMid start beyond the end", TextMid("abc", 4, 1), ""},
      {"TextMid count 0", TextMid("abc", 1, 0), ""},
      {"TextMid count below 0", TextMid("abc", 1, -1), ""},
      {"TextMid second byte", TextMid("\xB0\xA1" "a", 2, 2), "\xA1" "a"},
  });
}

TEST(TextOpsTest, ConcatSkipsAbsentParts) {
  ExpectAll({
      {"absent around a", Concat({Text(), "a", Text()}), "a"},
      {"all empty", Concat({Text(), ""}), ""},
      {"in order", Concat({"ab", "\xB0\xA1", "c"}), "ab\xB0\xA1" "c"},
  });
}

TEST(TextOpsTest, CompareTextIsUnsignedAndCaseSensitive) {
  struct Case {
    Text a;
    Text b;
    int expected;
  };
  const std::vector<Case> cases = {
      {Text(), "", 0},      {"abc", "abc", 0}, {"a", "b", -1},  {"b", "a", 1},
      {"ab", "a", 1},       {"a", "ab", -1},   {"A", "a", -1},  {"\xB0", "a", 1},  // 0xB0 is above 'a'
      {"a\xB0", "a\x7F", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareText(c.a, c.b), c.expected) << testing::PrintToString(c.a) << " vs "
                                                 << testing::PrintToString(c.b);
  }
}

TEST(TextOpsTest, SmallBuilders) {
  ExpectAll({
      {"CharFromCode 0 is empty", CharFromCode(0), ""},
      {"CharFromCode A", CharFromCode(0x41), "A"},
      {"CharFromCode high byte", CharFromCode(0xB0), "\xB0"},
      {"BlankText 3", BlankText(3), "   "},
      {"BlankText 0", BlankText(0), ""},
      {"BlankText -2", BlankText(-2), ""},
      {"ToText -12", ToText(-12), "-12"},
      {"ToText 0", ToText(0), "0"},
      {"ToText smallest", ToText(INT_MIN), "-2147483648"},
      {"ToText of a Text", ToText(Text("x\xB0\xA1")), "x\xB0\xA1"},
      {"ToText of Bytes stops at zero", ToText(Bytes{'a', 0, 'b'}), "a"},
  });
}

TEST(TextOpsTest, BitOr) {
  EXPECT_EQ(BitOr({1, 2, 4}), 7);
  EXPECT_EQ(BitOr({0x10, static_cast<std::int32_t>(0x80000000u)}), static_cast<std::int32_t>(0x80000010u));
}

}  // namespace
}  // namespace zorvika
