// Searching, replacing and splitting: the edges of the character-wise walk,
// then a check of all four operations against a plain, literal walk on many
// small random texts full of two-byte characters and mixed case.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/text_case_table.h"
#include "core/text_ops.h"

namespace zorvika {
namespace {

constexpr std::nullopt_t kWhole = std::nullopt;

struct FindCase {
  Text text;
  Text needle;
  std::optional<int> startPos;
  bool ignoreCase;
  int expected;
};

std::string Describe(const FindCase& c) {
  return testing::PrintToString(c.text) + " / " + testing::PrintToString(c.needle) + " from " +
         (c.startPos ? std::to_string(*c.startPos) : "(whole)") + (c.ignoreCase ? " ignoring case" : "");
}

TEST(FindTextTest, Cases) {
  const std::vector<FindCase> cases = {
      // An empty needle gives 1, not the start position, while anything is left to search.
      {"abc", "", 3, false, 1},
      {"abc", "", 4, false, -1},
      {"abc", "", -5, false, 1},
      {"", "", kWhole, false, -1},
      {Text(), "a", kWhole, false, -1},
      // Start positions: below 1 searches from the first byte, beyond the end finds nothing.
      {"abcabc", "bc", 3, false, 5},
      {"abcabc", "bc", 0, false, 2},
      {"abcabc", "bc", -5, false, 2},
      {"abcabc", "bc", INT_MIN, false, 2},
      {"abc", "c", 3, false, 3},
      {"abc", "c", 4, false, -1},
      {"abc", "c", INT_MAX, false, -1},
      {"ab", "abc", kWhole, false, -1},
      // A match never begins on a second byte (啊 = B0 A1, then A).
      {"\xB0\xA1" "A", "\xA1" "A", kWhole, false, -1},
      {"\xB0<a", "<a", kWhole, false, -1},
      {"\xB0" "aa", "a", kWhole, false, 3},
      {"\xB0\xB0\xB0\xB0\xB0", "\xB0\xB0", 2, false, 2},
      {"x\xB0\xB0\xB0\xB0" "\xB0\xA1", "\xB0\xA1", kWhole, false, 6},
      {"x\xB0\xB0\xB0\xA1", "\xB0\xA1", kWhole, false, 4},
      {"x\xB0\xB0\xA1", "\xB0\xA1", kWhole, false, -1},
      // ... but the first byte searched counts as a character start, even a second byte.
      {"\xB0\xA1" "A", "\xA1" "A", 2, false, 2},
      // A first byte standing last in the text still matches a one-byte needle.
      {"a\xB0", "\xB0", kWhole, false, 2},
      // Case folding: ASCII letters only, second bytes included.
      {"Content-Type: x", "content-type", kWhole, true, 1},
      {"Content-Type: x", "content-type", kWhole, false, -1},
      {"xxABC", "abc", kWhole, true, 3},
      {"x<A HREF=\"u\"", "<a href=\"", kWhole, true, 2},
      {"\xB0\x61", "\xB0\x41", kWhole, true, 1},
      {"\xB0\x61", "\xB0\x41", kWhole, false, -1},
      {"\xC1\xE1", "\xE1\xE1", kWhole, true, -1},  // 0xC1/0xE1 are not letters
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.needle, c.startPos, c.ignoreCase), c.expected) << Describe(c);
  }
}

TEST(FindTextBackTest, Cases) {
  const std::vector<FindCase> cases = {
      {"a.b.c", ".", kWhole, false, 4},
      {"a.b.c", ".", 4, false, 2},
      {"a.b.c", ".", 2, false, -1},
      {"a.b.c", ".", 1, false, -1},
      {"a.b.c", ".", 0, false, -1},
      {"a.b.c", ".", 100, false, 4},
      {"aaa", "aa", kWhole, false, 2},  // occurrences may overlap
      {"abcd", "cd", 4, false, -1},     // must end before the start position
      {"abcd", "cd", 5, false, 3},
      {"abc", "", 2, false, 1},
      {"abc", "", 1, false, -1},
      {"", "", kWhole, false, -1},
      {"A.b.C", "c", kWhole, true, 5},
      {"A.b.C", "c", kWhole, false, -1},
      {"\xB0\xA1\xA1", "\xA1", kWhole, false, 3},  // 啊, then a stray first byte
      {"\xB0\xA1\xA1", "\xA1\xA1", kWhole, false, -1},
      {"\xB0\xB0\xB0\xB0\xB0", "\xB0\xB0", kWhole, false, 3},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindTextBack(c.text, c.needle, c.startPos, c.ignoreCase), c.expected) << Describe(c);
  }
}

TEST(ReplaceTextTest, Cases) {
  ExpectAll({
      {"ignoring case", ReplaceText("Set-Cookie: a=1", "set-cookie:", "", kWhole, kWhole, false), " a=1"},
      {"case ignored by default", ReplaceText("aAa", "a", "b"), "bbb"},
      {"case-sensitive", ReplaceText("aXa", "a", "b", kWhole, kWhole, true), "bXb"},
      {"case-sensitive skips capitals", ReplaceText("aAa", "a", "b", kWhole, kWhole, true), "bAb"},
      {"empty needle", ReplaceText("aXa", "", "b"), "aXa"},
      {"empty text", ReplaceText("", "a", "b"), ""},
      {"replacement left out", ReplaceText("a,b,", ","), "ab"},
      {"longer replacement", ReplaceText("a,b", ",", ";;"), "a;;b"},
      {"count 1", ReplaceText("aXa", "a", "b", kWhole, 1), "bXa"},
      {"count below 0 means all", ReplaceText("aXa", "a", "b", kWhole, -1), "bXb"},
      {"count 0", ReplaceText("aXa", "a", "b", kWhole, 0), "aXa"},
      {"count above the occurrences", ReplaceText("aXa", "a", "b", kWhole, 9), "bXb"},
      {"from position 2", ReplaceText("aXa", "a", "b", 2), "aXb"},
      {"start 0 and below", ReplaceText("aXa", "a", "b", -3), "bXb"},
      {"start beyond the end", ReplaceText("aXa", "a", "b", 4), "aXa"},
      {"matches do not overlap", ReplaceText("aaa", "aa", "b"), "ba"},
      {"second byte untouched", ReplaceText("\xB0\x61" "a", "a", "b", kWhole, kWhole, true), "\xB0\x61" "b"},
      {"two-byte needle", ReplaceText("x\xB0\xA1y\xB0\xA1", "\xB0\xA1", "-"), "x-y-"},
      // A first byte standing last is dropped when the walk reaches it ...
      {"stray byte dropped", ReplaceText("a\xB0", "x", "y"), "a"},
      // ... which a longer needle or a count that ran out never lets happen.
      {"stray byte kept, long needle", ReplaceText("a\xB0", "xy", "z"), "a\xB0"},
      {"stray byte kept, count ran out", ReplaceText("ab\xB0", "a", "c", kWhole, 1), "cb\xB0"},
      {"stray byte kept, behind a pair", ReplaceText("a\xB0\xB0", "x", "y"), "a\xB0\xB0"},
  });
}

TEST(SplitTextTest, Cases) {
  struct Case {
    const char* what;
    TextArray actual;
    TextArray expected;
  };
  const std::vector<Case> cases = {
      {"empty pieces, no trailing one", SplitText("a;;b;", ";"), {"a", "", "b"}},
      {"only the delimiter", SplitText(";", ";"), {""}},
      {"leading delimiter", SplitText(";a", ";"), {"", "a"}},
      {"empty text", SplitText("", ";"), {}},
      {"empty delimiter", SplitText("abc", ""), {"abc"}},
      {"comma by default", SplitText("a,b"), {"a", "b"}},
      {"maxPieces drops the rest", SplitText("a;b;c", ";", 2), {"a", "b"}},
      {"maxPieces above the pieces", SplitText("a;b;c", ";", 5), {"a", "b", "c"}},
      {"maxPieces 0", SplitText("a;b", ";", 0), {}},
      {"maxPieces below 0", SplitText("a;b", ";", -1), {}},
      {"maxPieces with an empty delimiter", SplitText("abc", "", 1), {"abc"}},
      {"case matters", SplitText("aXbxc", "x"), {"aXb", "c"}},
      {"two-byte delimiter", SplitText("a\r\nb\r\n", "\r\n"), {"a", "b"}},
      // B0 3B is one character: its ';' is no delimiter.
      {"delimiter inside a character", SplitText("\xB0;;b", ";"), {"\xB0;", "b"}},
      {"stray byte kept in the last piece", SplitText("a;\xB0", ";"), {"a", "\xB0"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

// ---- The walk written out literally, one character at a time ----

char Fold(char byte) { return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 32) : byte; }
bool IsLead(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

bool SameAt(const std::string& text, long pos, const std::string& needle, bool ignoreCase) {
  if (static_cast<long>(text.size()) - pos < static_cast<long>(needle.size())) return false;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    const char a = text[pos + i];
    const char b = needle[i];
    if (ignoreCase ? Fold(a) != Fold(b) : a != b) return false;
  }
  return true;
}

// Next character start after `pos`, or -1 when a first byte stands last.
long Step(const std::string& text, long pos) {
  if (!IsLead(text[pos])) return pos + 1;
  return pos + 1 < static_cast<long>(text.size()) ? pos + 2 : -1;
}

int LiteralFind(const std::string& text, const std::string& needle, std::optional<int> start, bool ignoreCase) {
  const long length = static_cast<long>(text.size());
  const long b = start ? std::max<long>(*start - 1L, 0) : 0;
  if (b >= length) return -1;
  if (needle.empty()) return 1;
  for (long p = b; p != -1 && p < length; p = Step(text, p)) {
    if (SameAt(text, p, needle, ignoreCase)) return static_cast<int>(p + 1);
  }
  return -1;
}

int LiteralFindBack(const std::string& text, const std::string& needle, std::optional<int> start,
                    bool ignoreCase) {
  long end = static_cast<long>(text.size());
  if (start) {
    const long b = std::max<long>(*start - 1L, 0);
    if (b == 0) return -1;
    end = std::min(end, b);
  }
  if (end == 0) return -1;
  if (needle.empty()) return 1;
  int found = -1;
  for (long p = 0; p != -1 && p < end; p = Step(text, p)) {
    if (p + static_cast<long>(needle.size()) <= end && SameAt(text, p, needle, ignoreCase)) {
      found = static_cast<int>(p + 1);
    }
  }
  return found;
}

std::string LiteralReplace(const std::string& text, const std::string& needle, const std::string& replacement,
                           std::optional<int> start, std::optional<int> count, bool caseSensitive) {
  const long length = static_cast<long>(text.size());
  const long m = static_cast<long>(needle.size());
  const long b = start ? std::max<long>(*start - 1L, 0) : 0;
  if (count && *count < 0) count.reset();
  if (length == 0 || m == 0 || b >= length || count == 0) return text;
  std::string result = text.substr(0, b);
  long p = b;
  while (length - p >= m) {
    if (SameAt(text, p, needle, !caseSensitive)) {
      result += replacement;
      p += m;
      if (count && --*count == 0) break;
    } else if (!IsLead(text[p])) {
      result += text[p++];
    } else if (p + 1 < length) {
      result += text.substr(p, 2);
      p += 2;
    } else {
      p = length;  // a stray first byte is dropped
    }
  }
  return result + text.substr(p);
}

std::vector<std::string> LiteralSplit(const std::string& text, const std::string& delimiter,
                                      std::optional<int> maxPieces) {
  std::vector<std::string> pieces;
  if (maxPieces && *maxPieces < 0) maxPieces = 0;
  if (text.empty() || maxPieces == 0) return pieces;
  if (delimiter.empty()) return {text};
  const long length = static_cast<long>(text.size());
  const long d = static_cast<long>(delimiter.size());
  long pieceStart = 0;
  long p = 0;
  while (p != -1 && length - p >= d) {
    if (SameAt(text, p, delimiter, false)) {
      pieces.push_back(text.substr(pieceStart, p - pieceStart));
      p += d;
      pieceStart = p;
      if (maxPieces && --*maxPieces == 0) return pieces;
    } else {
      p = Step(text, p);
    }
  }
  if (pieceStart < length) pieces.push_back(text.substr(pieceStart));
  return pieces;
}

TEST(TextSearchTest, AgreesWithTheLiteralWalkOnRandomTexts) {
  const char alphabet[] = {'a', 'A', 'b', '<', '\xB0', '\xA1'};
  std::mt19937 random(20240611);
  auto pick = [&](int maxLength) {
    std::string bytes(std::uniform_int_distribution<int>(0, maxLength)(random), ' ');
    for (char& byte : bytes) byte = alphabet[std::uniform_int_distribution<int>(0, 5)(random)];
    return bytes;
  };
  auto pickOptional = [&](int low, int high) -> std::optional<int> {
    const int value = std::uniform_int_distribution<int>(low - 1, high)(random);
    return value < low ? std::nullopt : std::optional<int>(value);
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string text = pick(12);
    const std::string needle = pick(3);
    const std::string replacement = pick(2);
    const std::optional<int> start = pickOptional(-2, 15);
    const std::optional<int> count = pickOptional(-1, 3);
    const bool caseSwitch = round % 2 == 0;  // ignoreCase, or caseSensitive for ReplaceText
    const std::string what = testing::PrintToString(Text(text)) + " / " + testing::PrintToString(Text(needle)) +
                             " from " + (start ? std::to_string(*start) : "(whole)");

    ASSERT_EQ(FindText(Text(text), Text(needle), start, caseSwitch), LiteralFind(text, needle, start, caseSwitch))
        << what;
    ASSERT_EQ(FindTextBack(Text(text), Text(needle), start, caseSwitch),
              LiteralFindBack(text, needle, start, caseSwitch))
        << what;
    ASSERT_EQ(ReplaceText(Text(text), Text(needle), Text(replacement), start, count, caseSwitch),
              Text(LiteralReplace(text, needle, replacement, start, count, caseSwitch)))
        << what;
    const std::optional<int> maxPieces = count;
    TextArray expected;
    for (const std::string& piece : LiteralSplit(text, needle, maxPieces)) ArrayAppend(expected, Text(piece));
    ASSERT_EQ(SplitText(Text(text), Text(needle), maxPieces), expected) << what;
  }
}

}  // namespace
}  // namespace zorvika
