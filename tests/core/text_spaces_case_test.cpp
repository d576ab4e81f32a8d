// Spaces (0x20 and the full-width 0xA1 0xA1) and ASCII letter case, walked character-wise.
#include <gtest/gtest.h>

#include <vector>

#include "core/text_ops.h"
#include "core/text_case_table.h"

namespace zorvika {
namespace {

TEST(TrimBothTest, Cases) {
  ExpectAll({
      {"ASCII spaces", TrimBoth("  a b  "), "a b"},
      {"full-width spaces", TrimBoth("\xA1\xA1" "a" "\xA1\xA1"), "a"},
      {"mixed runs", TrimBoth(" \xA1\xA1 x \xA1\xA1 "), "x"},
      {"tab, CR and LF are no spaces", TrimBoth("\ta\r\n"), "\ta\r\n"},
      {"only spaces", TrimBoth(" \xA1\xA1 "), ""},
      {"empty", TrimBoth(Text()), ""},
      {"inner spaces stay", TrimBoth("a \xA1\xA1 b"), "a \xA1\xA1 b"},
      // 啊 (B0 A1) then A1 A1: the space starts on the third byte, not the second.
      {"space after a character ending in A1", TrimBoth("a\xB0\xA1\xA1\xA1"), "a\xB0\xA1"},
      // A stray first byte: cut just before it, spaces before it stay.
      {"stray byte after a space", TrimBoth("a \xB0"), "a "},
      {"stray A1 after a character ending in A1", TrimBoth("a\xB0\xA1\xA1"), "a\xB0\xA1"},
      {"stray byte after leading spaces", TrimBoth("  \xB0"), ""},
  });
}

TEST(RemoveSpacesTest, Cases) {
  ExpectAll({
      {"both kinds", RemoveSpaces("a b\xA1\xA1" "c"), "abc"},
      {"A1 A1 across two characters stays", RemoveSpaces("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0"},
      {"space after a character ending in A1", RemoveSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1"},
      {"other white space stays", RemoveSpaces("\ta\r\n"), "\ta\r\n"},
      {"stray byte dropped", RemoveSpaces("a \xB0"), "a"},
      {"empty", RemoveSpaces(Text()), ""},
  });
}

TEST(LetterCaseTest, Cases) {
  ExpectAll({
      {"upper", ToUpper("abc-Z09"), "ABC-Z09"},
      {"lower", ToLower("ABC-z09"), "abc-z09"},
      // The second byte of B0 61 / B0 41 is a letter value, but part of a character.
      {"upper leaves second bytes", ToUpper("\xB0\x61" "a"), "\xB0\x61" "A"},
      {"lower leaves second bytes", ToLower("\xB0\x41" "A"), "\xB0\x41" "a"},
      {"stray byte copied", ToUpper("a\xB0"), "A\xB0"},
      {"empty", ToLower(Text()), ""},
  });
}

}  // namespace
}  // namespace zorvika
