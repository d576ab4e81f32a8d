// Cutting values out of text by markers: TextBetween, TextBetweenAt,
// CountOccurrences, TextBefore and ValueAfterColon.
#include "extract/extraction.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_ops.h"
#include "core/text_case_table.h"

namespace zorvika {
namespace {

const char kQuote[] = "#\xD2\xFD\xBA\xC5";  // #引号, the quote placeholder

TEST(TextBetweenTest, Cases) {
  ExpectAll({
      {"value", TextBetween("k data=[ab] z", "data=[", "]"), "ab"},
      {"no end marker", TextBetween("k data=[ab] z", "data=[", "}"), ""},
      {"markers side by side", TextBetween("x[]y", "[", "]"), ""},
      {"no start marker", TextBetween("k ab] z", "data=[", "]"), ""},
      {"end marker searched after the start marker", TextBetween("]a[b]", "[", "]"), "b"},
      {"quote placeholder in both markers", TextBetween("v=\"12\"", Concat({"v=", kQuote}), kQuote), "12"},
      {"placeholder as the whole marker", TextBetween("a\"b\"c", kQuote, kQuote), "b"},
      {"empty end marker", TextBetween("k data=[ab] z", "data=[", ""), ""},
      {"empty start marker runs from the first byte", TextBetween("ab]c]", "", "]"), "ab"},
      {"empty start marker ignores startPos", TextBetween("ab]c]", "", "]", 4), "ab"},
      {"empty start marker, startPos beyond", TextBetween("ab]c]", "", "]", 6), ""},
      {"startPos skips a first value", TextBetween("[a][b]", "[", "]", 2), "b"},
      {"startPos 0 and below", TextBetween("[a][b]", "[", "]", -3), "a"},
      {"startPos beyond the text", TextBetween("[a][b]", "[", "]", 7), ""},
      {"case ignored when asked", TextBetween("X DATA=[v]", "data=[", "]", 0, true), "v"},
      {"case matters by default", TextBetween("X DATA=[v]", "data=[", "]"), ""},
      // B0 5B is one character: its '[' starts nothing.
      {"marker inside a two-byte character", TextBetween("\xB0[a]", "[", "]"), ""},
      {"two-byte value", TextBetween("t=\"\xCF\xC2\xD4\xD8\"", "t=\"", "\""), "\xCF\xC2\xD4\xD8"},  // 下载
  });
}

TEST(TextBetweenAtTest, Cases) {
  struct Case {
    const char* what;
    TextWithPosition actual;
    Text text;
    int position;
  };
  const std::vector<Case> cases = {
      // The position is the start marker's (3) plus the value's length, not the end marker's.
      {"value", TextBetweenAt("k data=[ab] z", "data=[", "]", 1), "ab", 5},
      {"no start marker", TextBetweenAt("k ab] z", "data=[", "]", 1), "", -1},
      {"no end marker", TextBetweenAt("k data=[ab z", "data=[", "]", 1), "", 3},
      {"case always ignored", TextBetweenAt("k DATA=[ab] z", "data=[", "]", 1), "ab", 5},
      {"from startPos on", TextBetweenAt("[a] [bc]", "[", "]", 2), "bc", 7},
      {"startPos beyond the text", TextBetweenAt("[a]", "[", "]", 4), "", -1},
      // The position search takes the start marker as written, placeholder included.
      {"placeholder not replaced for the position",
       TextBetweenAt("k v=\"12\"", Concat({"v=", kQuote}), kQuote, 1), "12", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.actual.text, c.text) << c.what;
    EXPECT_EQ(c.actual.position, c.position) << c.what;
  }
}

TEST(CountOccurrencesTest, Cases) {
  struct Case {
    Text text;
    Text marker;
    bool caseSensitive;
    int expected;
  };
  const Text marker = "\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5";  // 下载视频
  const std::vector<Case> cases = {
      {"aaaa", "aa", false, 2},
      {"aaa", "aa", false, 1},
      {"AbaB", "ab", false, 2},
      {"AbaB", "ab", true, 0},
      {"", "a", false, 0},
      {"a", "", false, 0},
      {"\xB0\x61" "a", "a", true, 1},  // the second byte of B0 61 is not counted
      {Concat({"x", marker, "\xB0\xA1", marker}), marker, false, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountOccurrences(c.text, c.marker, c.caseSensitive), c.expected)
        << testing::PrintToString(c.text) << " / " << testing::PrintToString(c.marker);
  }
}

TEST(TextBeforeTest, Cases) {
  ExpectAll({
      {"name of a header line", TextBefore("Set-Cookie: a=1", ": "), "Set-Cookie"},
      {"marker at the start", TextBefore(": a", ": "), ""},
      {"no marker", TextBefore("abc", ": "), ""},
      {"always from the first byte", TextBefore("a:b:c", ":", 3), "a:b"},
      {"startPos below 1", TextBefore("a:b", ":", -4), "a"},
      {"startPos beyond the text", TextBefore("a:b", ":", 4), ""},
      {"case ignored when asked", TextBefore("xABy", "ab", 0, true), "x"},
      {"case matters by default", TextBefore("xABy", "ab"), ""},
      {"empty marker", TextBefore("abc", ""), ""},
  });
}

TEST(ValueAfterColonTest, Cases) {
  ExpectAll({
      {"trimmed value", ValueAfterColon("Accept:  */* "), "*/*"},
      {"after the first colon only", ValueAfterColon("a:b:c"), "b:c"},
      {"no colon", ValueAfterColon("abc"), ""},
      {"colon last", ValueAfterColon("abc:"), ""},
      {"full-width spaces trimmed", ValueAfterColon("k:\xA1\xA1v\xA1\xA1"), "v"},
      {"tab kept", ValueAfterColon("k:\tv"), "\tv"},
      // B0 3A is one character; the first colon is the one after it.
      {"colon inside a two-byte character", ValueAfterColon("\xB0:x:y"), "y"},
  });
}

}  // namespace
}  // namespace zorvika
