// Cutting values out of text by literal markers: the value between two markers,
// the count of a marker, the text before a marker and the value after a colon.
// Pure functions; a missing marker gives an empty Text or -1.
#pragma once

#include "core/text.h"

namespace zorvika {

struct TextWithPosition {
  Text text;
  int position = -1;
};

// Bytes between the first `startMarker` at or after `startPos` and the next
// `endMarker`. Every "#引号" (GBK 23 D2 FD BA C5) in a marker stands for a double quote.
// TextBetween("k data=[ab] z", "data=[", "]") == "ab".
Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, int startPos = 0,
                 bool ignoreCase = false);

// TextBetween ignoring case, with `position` = the start marker's position plus
// the value's length (-1 without a start marker).
// TextBetweenAt("k data=[ab] z", "data=[", "]", 1) == {"ab", 5}.
TextWithPosition TextBetweenAt(const Text& text, const Text& startMarker, const Text& endMarker, int startPos);

// Non-overlapping occurrences; ignores ASCII case unless `caseSensitive`.
// CountOccurrences("AbaB", "ab") == 2.
int CountOccurrences(const Text& text, const Text& marker, bool caseSensitive = false);

// Everything before the first `marker` at or after `startPos`; empty when none.
// TextBefore("Set-Cookie: a=1", ": ") == "Set-Cookie".
Text TextBefore(const Text& text, const Text& marker, int startPos = 0, bool ignoreCase = false);

// What follows the first colon, trimmed of spaces. ValueAfterColon("a:b:c") == "b:c".
Text ValueAfterColon(const Text& text);

}  // namespace zorvika
