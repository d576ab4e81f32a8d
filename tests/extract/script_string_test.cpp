#include "extract/script_string.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zorvika {
namespace {

struct LiteralCase {
  const char* name;
  std::u16string body;
  std::optional<std::u16string> value;
};

// Escape decoding reaches most of these through titles; the \u forms and the
// line separators cannot come out of a code page 936 title, so they are
// checked here.
TEST(EvaluateStringLiteralTest, Cases) {
  const LiteralCase cases[] = {
      {"plain", u"a b\u4E2D", u"a b\u4E2D"},
      {"unicode escape", u"\\u4e2D!", u"\u4E2D!"},
      {"unicode escape of a surrogate", u"\\uD83D", std::u16string(1, 0xD83D)},
      {"unicode escape with three digits", u"\\u4e2", std::nullopt},
      {"unicode escape with a non-hex digit", u"\\u4e2g", std::nullopt},
      {"capital U is no escape", u"\\U4e2d", u"U4e2d"},
      {"hex escape with one digit at the end", u"\\x4", std::nullopt},
      {"zero escape", u"a\\0b", std::u16string(u"a\0b", 3)},
      {"zero escape before 8", u"\\08", std::u16string(u"\0" u"8", 2)},
      {"three octal digits", u"\\377", u"\u00FF"},
      {"octal from 4 takes two digits", u"\\477", u"'7"},
      {"line separator", u"a\u2028", std::nullopt},
      {"paragraph separator", u"a\u2029", std::nullopt},
      {"backslash before LF", u"a\\\n", std::nullopt},
      {"unescaped apostrophe", u"a'+b+'", std::nullopt},
      {"two backslashes at the end", u"a\\\\", u"a\\"},
  };
  for (const LiteralCase& c : cases) {
    EXPECT_EQ(EvaluateStringLiteral(c.body), c.value) << c.name;
  }
}

TEST(UnescapeTest, Cases) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"%41%u4E2d", u"A\u4E2D"},
      {u"%u41", u"%u41"},        // too short for %u, and "u4" is no hex pair
      {u"%u0041%", u"A%"},
      {u"%%41", u"%A"},
      {u"%4", u"%4"},
      {u"%uDE00", std::u16string(1, 0xDE00)},
  };
  for (const auto& [text, unescaped] : cases) {
    EXPECT_EQ(Unescape(text), unescaped);
  }
}

}  // namespace
}  // namespace zorvika
