// Merging the cookies a server set into the cookie string a caller keeps, and the
// small list routines the merge uses. A cookie string is pairs "name=value"
// joined by "; "; a merged string holds no spaces at all.
#pragma once

#include "core/text.h"
#include "core/text_array.h"

namespace zorvika {

// Merges `newCookies` (the pairs a server set) into `oldCookies`: the new pairs
// first, in their order, then the old pairs whose names were not set again;
// pairs ending in "=deleted" are dropped and exact repeats removed. Spaces are
// removed from both arguments first (and written back into both); the result
// is also stored into `oldCookies`.
// Example: old "a=1; b=2", new "b=3" gives "b=3; a=1", and old then holds "b=3; a=1".
Text MergeCookies(Text& oldCookies, Text& newCookies);

// The name of a pair: what precedes its first "=", or the whole pair, trimmed.
// CookieName(" sid =1") == "sid"; CookieName("flag") == "flag".
Text CookieName(const Text& pair);

// True when some element of `pairs` has the cookie name `name` (exact case).
// HasCookieName({"a=1", "b=2"}, "b") is true.
bool HasCookieName(const TextArray& pairs, const Text& name);

// The pieces of `text` without repeats, in first-seen order, joined by `separator`.
// Pieces are the parts between separators when `byParts`, else single characters.
// JoinDistinct("b; a; b", "; ", true) == "b; a"; JoinDistinct("abca", ",", false) == "a,b,c".
Text JoinDistinct(const Text& text, const Text& separator, bool byParts);

// One element per character: a two-byte character (first byte above 0x80) and a
// CR LF pair each make one element. SplitCharacters("a\r\nb") gives "a", "\r\n", "b".
TextArray SplitCharacters(const Text& text);

// 1-based index of the first element equal to `text` (exact bytes), or -1.
// IndexOfText({"a", "b"}, "b") == 2.
int IndexOfText(const TextArray& list, const Text& text);

}  // namespace zorvika
