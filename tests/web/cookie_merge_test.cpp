#include "web/cookie_merge.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_printing.h"

namespace zorvika {
namespace {

TEST(MergeCookies, Table) {
  struct Case {
    const char* oldCookies;
    const char* newCookies;
    const char* merged;
  };
  const std::vector<Case> cases = {
      {"a=1; b=2", "b=3", "b=3; a=1"},
      {"sid=1; u=x", "sid=deleted", "u=x"},
      {"a=1; a=2", "", "a=1"},
      {"", "a=1; a=1; a=2", "a=1; a=2"},
      {"", "", ""},
      // Spaces vanish everywhere, values included (the full-width space too).
      {"x=a b", "", "x=ab"},
      {"x=a\xA1\xA1z", "y=1", "y=1; x=az"},
      // A piece without "=" is named by itself.
      {"flag; a=1", "b=2", "b=2; flag; a=1"},
      {"flag; a=1", "flag=on", "flag=on; a=1"},
      // A trailing ";" adds nothing, a leading one an empty piece that is carried along.
      {"a=1;", "", "a=1"},
      {";a=1", "", "; a=1"},
      // Names compare with exact case.
      {"SID=1", "sid=2", "sid=2; SID=1"},
      // An old deleted pair goes too, and so does a new one for a name never sent.
      {"a=deleted; b=1", "c=deleted", "b=1"},
      // Same name with different values all stay.
      {"", "a=1; a=2", "a=1; a=2"},
  };
  for (const Case& c : cases) {
    Text oldCookies(c.oldCookies);
    Text newCookies(c.newCookies);
    EXPECT_EQ(MergeCookies(oldCookies, newCookies), Text(c.merged)) << c.oldCookies << " + " << c.newCookies;
    EXPECT_EQ(oldCookies, Text(c.merged)) << "old cookies hold the merged string";
  }
}

TEST(MergeCookies, WritesBothArgumentsWithoutSpaces) {
  Text oldCookies("a = 1");
  Text newCookies("b = 2; c=3");
  MergeCookies(oldCookies, newCookies);
  EXPECT_EQ(newCookies, Text("b=2;c=3"));
  EXPECT_EQ(oldCookies, Text("b=2; c=3; a=1"));
}

TEST(CookieName, Table) {
  EXPECT_EQ(CookieName("sid=1"), Text("sid"));
  EXPECT_EQ(CookieName(" sid =1=2"), Text("sid"));
  EXPECT_EQ(CookieName("flag"), Text("flag"));
  EXPECT_EQ(CookieName("\xA1\xA1x\xA1\xA1"), Text("x"));
  EXPECT_EQ(CookieName("=v"), Text(""));
  EXPECT_EQ(CookieName(""), Text(""));
}

TEST(HasCookieName, Table) {
  const TextArray pairs = {"a=1", " b=2", "flag"};
  EXPECT_TRUE(HasCookieName(pairs, "a"));
  EXPECT_TRUE(HasCookieName(pairs, "b"));
  EXPECT_TRUE(HasCookieName(pairs, "flag"));
  EXPECT_FALSE(HasCookieName(pairs, "A"));
  EXPECT_FALSE(HasCookieName(pairs, "1"));
  EXPECT_FALSE(HasCookieName(TextArray(), ""));
}

TEST(JoinDistinct, Table) {
  EXPECT_EQ(JoinDistinct("b; a; b", "; ", true), Text("b; a"));
  EXPECT_EQ(JoinDistinct("abca", ",", false), Text("a,b,c"));
  EXPECT_EQ(JoinDistinct("", "; ", true), Text(""));
  // Empty pieces count as pieces: the first is kept, later ones are repeats.
  EXPECT_EQ(JoinDistinct(";;a;", ";", true), Text(";a"));
  EXPECT_EQ(JoinDistinct("\xB0\xA1x\xB0\xA1", "|", false), Text("\xB0\xA1|x"));
}

TEST(SplitCharacters, Table) {
  EXPECT_EQ(SplitCharacters("a\r\nb"), (TextArray{"a", "\r\n", "b"}));
  EXPECT_EQ(SplitCharacters("\rb"), (TextArray{"\r", "b"}));
  EXPECT_EQ(SplitCharacters("\xB0\xA1z"), (TextArray{"\xB0\xA1", "z"}));
  // 0x80 is a piece of its own; a first byte at the very end stands alone.
  EXPECT_EQ(SplitCharacters("\x80z\xB0"), (TextArray{"\x80", "z", "\xB0"}));
  EXPECT_EQ(SplitCharacters(""), TextArray());
}

TEST(IndexOfText, Table) {
  const TextArray list = {"a", "b", "a"};
  EXPECT_EQ(IndexOfText(list, "a"), 1);
  EXPECT_EQ(IndexOfText(list, "b"), 2);
  EXPECT_EQ(IndexOfText(list, "B"), -1);
  EXPECT_EQ(IndexOfText(TextArray(), ""), -1);
  EXPECT_EQ(IndexOfText(TextArray{""}, ""), 1);
}

}  // namespace
}  // namespace zorvika
