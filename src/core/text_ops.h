// Operations on Text, integers and numbers: searching, cutting, replacing,
// splitting, trimming, case and number conversion. Positions count bytes from 1,
// a search that finds nothing gives -1, and every result is a fresh value.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "core/bytes.h"
#include "core/text.h"
#include "core/text_array.h"

namespace zorvika {

// Number of bytes. TextLength("ab\xB0\xA1") == 4.
int TextLength(const Text& text);

// The parts joined in order. Concat({"a", Text(), "b"}) == "ab".
Text Concat(std::initializer_list<Text> parts);

// Unsigned byte-wise comparison: -1, 0 or 1. CompareText(Text(), "") == 0.
int CompareText(const Text& a, const Text& b);

// Byte-wise cuts. TextLeft("abc", -1) == ""; TextRight("abc", 5) == "abc";
// TextMid("abc", 0, 2) == "" (a start below 1 is not moved); TextMid("abc", 2, 10) == "bc".
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
Text TextMid(const Text& text, int startPos, int n);

// Position of the first occurrence of `needle` at or after `startPos` (left out
// or below 1: the whole text), walking character-wise; -1 when none. A match never
// begins on the second byte of a two-byte character, though the byte at
// `startPos` counts as a character start. An empty needle gives 1 (not startPos)
// when the searched stretch is not empty. `ignoreCase` folds the ASCII letters of
// every byte compared, second bytes included. The text is walked in place.
// FindText("abcabc", "bc", 3) == 5; FindText("\xB0\xA1" "A", "\xA1" "A") == -1.
int FindText(const Text& text, const Text& needle, std::optional<int> startPos = std::nullopt,
             bool ignoreCase = false);

// Position of the last occurrence lying wholly before `startPos` (left out: the
// whole text; 1 or below: none), walking character-wise; occurrences may overlap.
// FindTextBack("a.b.c", ".") == 4; FindTextBack("a.b.c", ".", 4) == 2;
// FindTextBack("aaa", "aa") == 2.
int FindTextBack(const Text& text, const Text& needle, std::optional<int> startPos = std::nullopt,
                 bool ignoreCase = false);

// Replaces occurrences of `needle` from `startPos` on, at most `count` of them
// (left out or below 0: all; 0: none). Ignores ASCII case unless `caseSensitive`
// (the opposite default of FindText). Walks character-wise; when a one-byte needle
// lets the walk reach a first byte standing last in the text, that byte is dropped.
// ReplaceText("aXa", "a", "b", std::nullopt, std::nullopt, true) == "bXb";
// ReplaceText("aXa", "a", "b", std::nullopt, 1, true) == "bXa".
Text ReplaceText(const Text& text, const Text& needle, const Text& replacement = Text(),
                 std::optional<int> startPos = std::nullopt, std::optional<int> count = std::nullopt,
                 bool caseSensitive = false);

// Splits at every `delimiter` (exact case, character-wise). A trailing delimiter
// yields no piece; an empty delimiter gives the whole text; `maxPieces` (below 0
// counts as 0) stops the split and drops the rest.
// SplitText("a;;b;", ";") gives "a", "", "b"; SplitText("a;b;c", ";", 2) gives "a", "b".
TextArray SplitText(const Text& text, const Text& delimiter = Text(","),
                    std::optional<int> maxPieces = std::nullopt);

// Removes spaces (0x20 and the full-width 0xA1 0xA1) at both ends / everywhere,
// walking character-wise; tab, CR and LF are no spaces. A first byte standing last
// is cut off (TrimBoth keeps the spaces before it). TrimBoth(" a\xA1\xA1") == "a".
Text TrimBoth(const Text& text);
Text RemoveSpaces(const Text& text);

// ASCII case changes; two-byte characters stay as they are.
Text ToUpper(const Text& text);
Text ToLower(const Text& text);

// A one-byte text; code 0 gives the empty text.
Text CharFromCode(unsigned char code);

// n bytes 0x20; n <= 0 gives the empty text.
Text BlankText(int n);

// Full-width digits, signs, letters and spaces to their one-byte forms.
// FullWidthFold("\xA3\xB1\xA3\xB2") == "12".
Text FullWidthFold(const Text& text);

// Leading number of the text after FullWidthFold: white space, sign, digits, a
// decimal point (always '.') and an exponent; 0 when there is none.
// ToNumber(" -3.5") == -3.5; ToNumber("12abc") == 12.
double ToNumber(const Text& text);

// Leading decimal integer after FullWidthFold, wrapping modulo 2^32.
// ToInteger("8080/") == 8080.
std::int32_t ToInteger(const Text& text);

// Decimal digits of an integer; a Text is copied; Bytes read up to the first zero byte.
// ToText(-12) == "-12".
Text ToText(std::int32_t value);
Text ToText(const Text& text);
Text ToText(const Bytes& bytes);

// Toward zero, low 32 bits of the 64-bit value; 0 outside the 64-bit range or for NaN.
// TruncateToInteger(-2.9) == -2.
std::int32_t TruncateToInteger(double number);

// Bitwise OR of all values. BitOr({0x10, 0x80000000}) == 0x80000010.
std::int32_t BitOr(std::initializer_list<std::int32_t> values);

}  // namespace zorvika
