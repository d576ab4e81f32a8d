#include "extract/escape_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvika {
namespace {

struct Case {
  const char* name;
  std::string title;
  std::string decoded;
};

TEST(DecodeEscapesTest, ScriptResultCases) {
  const Case cases[] = {
      {"empty title", "", ""},
      {"percent-u escapes", "%u4E2D%u6587", "\xD6\xD0\xCE\xC4"},       // 中文
      {"backslash-u escapes", "\\u4e2d\\u6587", "\xD6\xD0\xCE\xC4"},   // 中文
      {"code page text passes through", "\xD6\xD0\xCE\xC4 ok", "\xD6\xD0\xCE\xC4 ok"},
      {"apostrophe travels as U+2019 and comes back", "it's", "it's"},
      {"escaped right single quotation mark becomes an apostrophe", "%u2019", "'"},
      {"code page right single quotation mark becomes an apostrophe", "\xA1\xAF", "'"},
      {"percent hex escapes", "%41%42", "AB"},
      {"a lone percent stays", "100%", "100%"},
      {"a short percent-u stays", "%u12", "%u12"},
      {"percent without hex digits stays", "%zz%4", "%zz%4"},
      {"CR LF is kept", "a\r\nb", "a\r\nb"},
      {"the placeholder becomes CR LF", "a{$}b", "a\r\nb"},
      {"a leading lone CR is dropped", "\rab", "ab"},
      {"escaped CR LF", "%0D%0A", "\r\n"},
      {"backslash-t", "a\\tb", "a\tb"},
      {"single escape characters", "\\n\\r\\b\\f\\v\\\"\\\\", "\n\r\b\f\v\"\\"},
      {"escaped apostrophe", "it\\'s", "it's"},
      {"hex escape", "\\x41\\x4a", "AJ"},
      {"octal escapes", "\\101\\1018\\40", "AA8 "},
      {"octal stops at 0377", "\\400", " 0"},
      {"eight and nine stand for themselves", "\\8\\9", "89"},
      {"other escaped characters stand for themselves", "\\a\\U0041\\%", "aU0041%"},
      {"escaped backslash before u still becomes percent-u", "\\\\u0041", "A"},
      {"a 0x5C trail byte is no backslash", "\x81\x5Cu4e2d", "\x81\x5Cu4e2d"},  // 乗u4e2d
      {"Hangul has no code page form", "%uAC00", "?"},
      {"euro sign", "%u20AC", "\x80"},
      {"character outside the BMP", "a%uD83D%uDE00b", "a?b"},
      {"lone surrogate", "a%uD83Db", "a?b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeEscapes(Text(c.title)).bytes(), c.decoded) << c.name;
  }
}

// When the title would not compile as a script string literal, or evaluates to
// nothing, the working text's bytes read as UTF-16LE are the result.
TEST(DecodeEscapesTest, StreamResultWhenTheScriptResultIsEmpty) {
  const Case cases[] = {
      // 'ab' is the unit U+6261, 92 4C in code page 936; a trailing odd byte is dropped.
      {"ends in one backslash", "ab\\", "\x92\x4C"},
      {"ends in three backslashes", "ab\\\\\\", "\x92\x4C\x8C\xCF"},  // U+6261 U+5C5C
      {"lone LF", "ab\n", "\x92\x4C"},
      {"lone CR after the first byte", "ab\r", "\x92\x4C"},
      {"hex escape without two digits", "ab\\x4", "\x92\x4C\xB3\x81"},  // U+6261 U+785C
      {"literal evaluates to a leading U+0000", "\\0", "\xA4\xBC"},     // U+305C
      {"unescape gives a leading U+0000", "%00ab", "\xA9\x44\x90\xE9"},  // U+3025 U+6130
      // 0x80 starts a two-byte character for the text operations, so the
      // apostrophe after it is not replaced and would end the literal early.
      {"apostrophe hidden behind a lead byte", "\x80'", "?"},  // U+2780
      // The stream result is read back like the script result: U+2019 (bytes 19 20) becomes "'".
      {"right single quotation mark from the stream", "\x19\x20\\", "'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeEscapes(Text(c.title)).bytes(), c.decoded) << c.name;
  }
}

struct BytesCase {
  const char* name;
  Bytes bytes;
  std::string text;
};

TEST(BytesAsUnicodeTextTest, Cases) {
  const BytesCase cases[] = {
      {"empty", {}, ""},
      {"ab is U+6261", {'a', 'b'}, "\x92\x4C"},
      {"odd last byte dropped", {'a', 'b', 'c'}, "\x92\x4C"},
      {"byte-order mark dropped", {0xFF, 0xFE, 'a', 'b'}, "\x92\x4C"},
      {"Chinese", {0x2D, 0x4E, 0x87, 0x65}, "\xD6\xD0\xCE\xC4"},
      {"ASCII units", {'O', 0, 'K', 0}, "OK"},
      {"stops before U+0000", {'a', 0, 0, 0, 'b', 0}, "a"},
      {"lone surrogate", {0x3D, 0xD8, 'a', 0}, "?a"},
      {"surrogate pair is one ?", {0x3D, 0xD8, 0x00, 0xDE}, "?"},
      {"unmappable unit", {0x00, 0xAC}, "?"},
  };
  for (const BytesCase& c : cases) {
    EXPECT_EQ(BytesAsUnicodeText(c.bytes).bytes(), c.text) << c.name;
  }
}

}  // namespace
}  // namespace zorvika
