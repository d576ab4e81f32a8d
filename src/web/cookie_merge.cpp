#include "web/cookie_merge.h"

#include "core/text_ops.h"

namespace zorvika {

namespace {

// A pair that asks the client to forget its cookie.
bool IsDeletedPair(const Text& pair) {
  return CompareText(TextRight(pair, 8), "=deleted") == 0;
}

// Removes the last `n` bytes, as the loops below leave one separator too many.
Text DropLastBytes(const Text& text, int n) {
  return TextLeft(text, TextLength(text) - n);
}

}  // namespace

Text MergeCookies(Text& oldCookies, Text& newCookies) {
  oldCookies = RemoveSpaces(oldCookies);
  newCookies = RemoveSpaces(newCookies);

  const TextArray oldPairs = SplitText(oldCookies, ";");
  TextArray pairs = SplitText(newCookies, ";");
  // `pairs` grows while we walk, so only the first of several old pairs with one name is kept.
  for (const Text& oldPair : oldPairs) {
    if (!HasCookieName(pairs, CookieName(oldPair))) {
      ArrayAppend(pairs, oldPair);
    }
  }

  Text joined;
  for (const Text& pair : pairs) {
    if (!IsDeletedPair(pair)) {
      joined = Concat({joined, pair, "; "});
    }
  }
  joined = DropLastBytes(joined, 2);

  const Text merged = JoinDistinct(joined, "; ", true);
  oldCookies = merged;
  return merged;
}

Text CookieName(const Text& pair) {
  const int equals = FindText(pair, "=");
  const Text name = equals == -1 ? pair : TextLeft(pair, equals - 1);
  return TrimBoth(name);
}

bool HasCookieName(const TextArray& pairs, const Text& name) {
  for (const Text& pair : pairs) {
    if (CompareText(CookieName(pair), name) == 0) {
      return true;
    }
  }
  return false;
}

Text JoinDistinct(const Text& text, const Text& separator, bool byParts) {
  const TextArray pieces = byParts ? SplitText(text, separator) : SplitCharacters(text);
  TextArray seen;
  Text joined;
  for (const Text& piece : pieces) {
    if (IndexOfText(seen, piece) == -1) {
      ArrayAppend(seen, piece);
      joined = Concat({joined, piece, separator});
    }
  }
  return DropLastBytes(joined, TextLength(separator));
}

TextArray SplitCharacters(const Text& text) {
  TextArray characters;
  const int n = TextLength(text);
  int d = 1;
  while (d <= n) {
    int size = 1;
    if (d < n) {
      const unsigned char byte = text.ByteAt(d);
      const bool twoByteCharacter = byte > 0x80;
      const bool crLf = byte == 0x0D && text.ByteAt(d + 1) == 0x0A;
      size = (twoByteCharacter || crLf) ? 2 : 1;
    }
    ArrayAppend(characters, TextMid(text, d, size));
    d += size;
  }
  return characters;
}

int IndexOfText(const TextArray& list, const Text& text) {
  const int size = ArraySize(list);
  for (int i = 1; i <= size; ++i) {
    if (CompareText(ArrayItem(list, i), text) == 0) {
      return i;
    }
  }
  return -1;
}

}  // namespace zorvika
