#include "extract/codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "extract/iconv_reference.h"

namespace zorvika {
namespace {

using reference::IconvConvert;
using reference::Utf8Of;

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

TEST(Utf8ToUtf16Test, EachMaximalIllFormedSubsequenceBecomesOneReplacementCharacter) {
  const Utf8Case cases[] = {
      {"ascii", "abc", u"abc"},
      {"two-byte U+0080", "\xC2\x80", u"\u0080"},
      {"three-byte 下", "\xE4\xB8\x8B", u"\u4E0B"},
      {"highest BMP unit", "\xEF\xBF\xBF", u"\uFFFF"},
      {"four-byte emoji", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"lone continuation byte", "a\x80" "b", u"a\uFFFDb"},
      {"two continuation bytes", "\x80\xBF", u"\uFFFD\uFFFD"},
      {"truncated in the middle", "\xE4\xB8" "a", u"\uFFFDa"},
      {"truncated four-byte in the middle", "\xF0\x9F\x98" "a", u"\uFFFDa"},
      {"truncated at the end", "a\xE4\xB8", u"a\uFFFD"},
      {"lead byte alone at the end", "a\xE4", u"a\uFFFD"},
      {"truncated sequence before another lead", "\xE4\xB8\xE4\xB8\x8B", u"\uFFFD\u4E0B"},
      {"overlong two-byte form", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three-byte form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"overlong four-byte form", "\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"byte F5", "\xF5\x80", u"\uFFFD\uFFFD"},
      {"byte FF", "a\xFF", u"a\uFFFD"},
      // The example of the Unicode standard's U+FFFD substitution practice.
      {"standard example", "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
       u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
      {"zero byte is kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Utf8Case& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.name;
  }
}

TEST(Utf16ToUtf8Test, EncodesPairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"a\u00E9\u4E0B\U0001F600"), "a\xC3\xA9\xE4\xB8\x8B\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

struct Utf16ToGbkCase {
  const char* name;
  std::u16string utf16;
  std::string gbk;
};

TEST(Utf16ToGbkTest, ConvertsAndMarksWhatTheCodePageCannotShow) {
  const Utf16ToGbkCase cases[] = {
      {"empty", u"", ""},
      {"ascii", u"<a href=\"/v/1\">", "<a href=\"/v/1\">"},
      {"下载视频", u"\u4E0B\u8F7D\u89C6\u9891", "\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5"},
      {"euro sign is 0x80", u"\u20AC", "\x80"},
      {"ideographic space", u"\u3000", "\xA1\xA1"},
      {"right single quotation mark", u"\u2019", "\xA1\xAF"},
      {"Hangul syllable", u"a\uAC00b", "a?b"},
      {"replacement character", u"\uFFFD", "?"},
      {"character outside the BMP is one ?", u"a\U0001F600b", "a?b"},
      {"lone high surrogate", std::u16string{u'a', 0xD83D, u'b'}, "a?b"},
      {"lone high surrogate at the end", std::u16string{u'a', 0xD83D}, "a?"},
      {"lone low surrogate", std::u16string{0xDE00, u'b'}, "?b"},
      {"stops before U+0000", std::u16string(u"\u4E2D\0b", 3), "\xD6\xD0"},
  };
  for (const Utf16ToGbkCase& c : cases) {
    EXPECT_EQ(Utf16ToGbk(c.utf16).bytes(), c.gbk) << c.name;
  }
}

TEST(GbkToUtf16Test, ConvertsAndMarksInvalidSequences) {
  const Utf16ToGbkCase cases[] = {
      {"empty", u"", ""},
      {"ascii", u"abc", "abc"},
      {"中文", u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
      {"0x80 is the euro sign", u"a\u20ACb", "a\x80" "b"},
      {"pair with a 0x5C trail byte", u"\u4E57u", "\x81\x5Cu"},
      {"stray first byte at the end", u"a?", "a\xCF"},
      {"undefined pair", u"?b", "\x81\xFF" "b"},
      {"an ASCII byte after a lead byte belongs to its pair", u"?b", "\x81\x27" "b"},
      {"byte 0xFF", u"?b", "\xFF" "b"},
  };
  for (const Utf16ToGbkCase& c : cases) {
    EXPECT_EQ(GbkToUtf16(Text(c.gbk)), c.utf16) << c.name;
  }
}

TEST(CodePageShorthandTest, GoThroughUtf16) {
  EXPECT_EQ(GbkToUtf8(Text("\xCF\xC2\xD4\xD8")), "\xE4\xB8\x8B\xE8\xBD\xBD");  // 下载
  EXPECT_EQ(Utf8ToGbkText("\xE4\xB8\x8B\xE8\xBD\xBD"), Text("\xCF\xC2\xD4\xD8"));
  EXPECT_EQ(Utf8ToGbkText("\xEA\xB0\x80"), Text("?"));  // U+AC00
}

// Every BMP unit converts exactly as iconv converts it on its own, or to "?"
// when iconv has no form for it: the tables hold the whole code page.
TEST(Utf16ToGbkTest, EveryBmpUnitAgreesWithIconv) {
  int mapped = 0;
  for (char32_t unit = 1; unit < 0x10000; ++unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    const std::optional<std::string> expected = IconvConvert("CP936", "UTF-8", Utf8Of(unit));
    const std::string actual = Utf16ToGbk(std::u16string(1, static_cast<char16_t>(unit))).bytes();
    if (expected) ++mapped;
    ASSERT_EQ(actual, expected.value_or("?")) << "U+" << std::hex << static_cast<unsigned>(unit);
  }
  EXPECT_GT(mapped, 21000);  // GBK holds over 21 000 characters
}

TEST(GbkToUtf16Test, EveryPairAgreesWithIconv) {
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::string> utf8 = IconvConvert("UTF-8", "CP936", pair);
      const std::string actual = GbkToUtf8(Text(pair));
      ASSERT_EQ(actual, utf8.value_or("?")) << std::hex << lead << " " << trail;
    }
  }
}

}  // namespace
}  // namespace zorvika
