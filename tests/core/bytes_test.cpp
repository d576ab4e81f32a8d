// Byte buffers: conversion from and to text, cuts, replacement, joins, equality.
#include "core/bytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/text_printing.h"

namespace zorvika {
namespace {

constexpr std::nullopt_t kLeftOut = std::nullopt;

TEST(BytesTest, TextConversions) {
  EXPECT_EQ(ToBytes("abc"), (Bytes{0x61, 0x62, 0x63}));
  EXPECT_EQ(ToBytes("\xB0\xA1"), (Bytes{0xB0, 0xA1}));
  EXPECT_EQ(ToBytes(Text()), Bytes());
  EXPECT_EQ(BytesToText({0x61, 0x00, 0x62}), Text("a"));
  EXPECT_EQ(BytesToText({0x61, 0xB0, 0xA1}), Text("a\xB0\xA1"));
  EXPECT_EQ(BytesToText({0x00, 0x61}), Text());
  EXPECT_EQ(BytesLength(Bytes()), 0);
  EXPECT_EQ(BytesLength({0, 0, 0}), 3);
}

TEST(BytesTest, Cuts) {
  struct Case {
    const char* what;
    Bytes actual;
    Bytes expected;
  };
  const Bytes five = {1, 2, 3, 4, 5};
  const std::vector<Case> cases = {
      {"left beyond the length", BytesLeft(five, 9), five},
      {"left 2", BytesLeft(five, 2), {1, 2}},
      {"left -1", BytesLeft(five, -1), {}},
      {"mid start 0 reads from the first byte", BytesMid(five, 0, 2), {1, 2}},
      {"mid start far below 1", BytesMid(five, INT_MIN, 2), {1, 2}},
      {"mid runs to the end", BytesMid(five, 4, 9), {4, 5}},
      {"mid huge count", BytesMid(five, 4, INT_MAX), {4, 5}},
      {"mid start beyond the end", BytesMid(five, 7, 1), {}},
      {"mid start just after the end", BytesMid(five, 6, 1), {}},
      {"mid count below 0", BytesMid(five, 2, -1), {}},
      {"blank 3", BlankBytes(3), {0, 0, 0}},
      {"blank 0", BlankBytes(0), {}},
      {"blank -1", BlankBytes(-1), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(ReplaceBytesTest, Cases) {
  struct Case {
    const char* what;
    Bytes actual;
    Bytes expected;
  };
  const Bytes crLfCr = {0x0D, 0x0A, 0x0D};
  const std::vector<Case> cases = {
      {"count 1", ReplaceBytes(crLfCr, {0x0D}, {}, kLeftOut, 1), {0x0A, 0x0D}},
      {"count left out", ReplaceBytes(crLfCr, {0x0D}), {0x0A}},
      {"count below 0 replaces nothing", ReplaceBytes(crLfCr, {0x0D}, {}, kLeftOut, -1), crLfCr},
      {"count 0", ReplaceBytes(crLfCr, {0x0D}, {}, kLeftOut, 0), crLfCr},
      {"from position 2", ReplaceBytes(crLfCr, {0x0D}, {0x20}, 2), {0x0D, 0x0A, 0x20}},
      {"start beyond the end", ReplaceBytes(crLfCr, {0x0D}, {0x20}, 4), crLfCr},
      {"empty needle", ReplaceBytes(crLfCr, {}, {0x20}), crLfCr},
      {"empty buffer", ReplaceBytes({}, {0x0D}, {0x20}), {}},
      {"zero bytes are ordinary bytes", ReplaceBytes({0, 1, 0, 1}, {0, 1}, {7}), {7, 7}},
      {"partial match then match", ReplaceBytes({1, 1, 2}, {1, 2}, {9}), {1, 9}},
      {"needle longer than the rest", ReplaceBytes({5, 1}, {1, 2}, {9}), {5, 1}},
      {"every byte of a two-byte character", ReplaceBytes({0xB0, 0xA1, 0xA1}, {0xA1, 0xA1}, {}), {0xB0}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(BytesTest, ConcatAndCompare) {
  EXPECT_EQ(ConcatBytes({Bytes(), Bytes()}), Bytes());
  EXPECT_EQ(ConcatBytes({Bytes(), {1, 2}}), (Bytes{1, 2}));
  EXPECT_EQ(ConcatBytes({{1}, {0}, {2, 3}}), (Bytes{1, 0, 2, 3}));
  EXPECT_FALSE(CompareBytes({1, 2}, {1, 2, 3}));
  EXPECT_FALSE(CompareBytes({1, 2}, {1, 3}));
  EXPECT_TRUE(CompareBytes({1, 0, 2}, {1, 0, 2}));
  EXPECT_TRUE(CompareBytes(Bytes(), {}));
}

}  // namespace
}  // namespace zorvika
