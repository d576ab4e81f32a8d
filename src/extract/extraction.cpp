#include "extract/extraction.h"

#include <optional>

#include "core/text_ops.h"

namespace zorvika {

namespace {

// "#引号": a marker may write a double quote this way.
const char kQuotePlaceholder[] = "#\xD2\xFD\xBA\xC5";  // #引号

Text WithQuotes(const Text& marker) {
  return ReplaceText(marker, kQuotePlaceholder, "\"", std::nullopt, std::nullopt, true);
}

struct Between {
  int startMarkerPos = -1;  // where the start marker stands, -1 when it is missing
  Text value;
};

// The bytes between the first `startMarker` at or after `startPos` and the next
// `endMarker` after it, with the position of that start marker.
Between FindBetween(const Text& text, const Text& startMarker, const Text& endMarker, int startPos,
                    bool ignoreCase) {
  Between found;
  found.startMarkerPos = FindText(text, startMarker, startPos, ignoreCase);
  if (found.startMarkerPos == -1) return found;
  const int valueStart = found.startMarkerPos + startMarker.length();
  const int endMarkerPos = FindText(text, endMarker, valueStart, ignoreCase);
  if (endMarkerPos == -1) return found;
  // An empty end marker is reported at 1, before the value: that gives nothing.
  found.value = TextMid(text, valueStart, endMarkerPos - valueStart);
  return found;
}

}  // namespace

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, int startPos, bool ignoreCase) {
  return FindBetween(text, WithQuotes(startMarker), WithQuotes(endMarker), startPos, ignoreCase).value;
}

TextWithPosition TextBetweenAt(const Text& text, const Text& startMarker, const Text& endMarker, int startPos) {
  const Text workingStart = WithQuotes(startMarker);
  const Between found = FindBetween(text, workingStart, WithQuotes(endMarker), startPos, true);
  // The position comes from the start marker as written, placeholder and all.
  // Without a placeholder in it that is the search just made.
  const int startMarkerPos =
      workingStart == startMarker ? found.startMarkerPos : FindText(text, startMarker, startPos, true);
  return TextWithPosition{found.value, startMarkerPos + found.value.length()};
}

int CountOccurrences(const Text& text, const Text& marker, bool caseSensitive) {
  if (text.empty() || marker.empty()) return 0;
  int count = 0;
  int found = FindText(text, marker, 1, !caseSensitive);
  while (found != -1) {
    ++count;
    found = FindText(text, marker, found + marker.length(), !caseSensitive);
  }
  return count;
}

Text TextBefore(const Text& text, const Text& marker, int startPos, bool ignoreCase) {
  const int found = FindText(text, marker, startPos < 1 ? 1 : startPos, ignoreCase);
  if (found == -1) return Text();
  return TextLeft(text, found - 1);
}

Text ValueAfterColon(const Text& text) {
  const int colon = FindText(text, ":", 1, false);
  if (colon == -1) return Text();
  return TrimBoth(TextRight(text, text.length() - colon));
}

}  // namespace zorvika
