#include "web/set_cookies.h"

#include "core/text_array.h"
#include "core/text_ops.h"
#include "extract/extraction.h"

namespace zorvika {

Text GatherSetCookies(const Text& responseHeaders) {
  Text gathered;
  for (const Text& line : SplitText(responseHeaders, "\r\n")) {
    if (CompareText(TextBefore(line, ": "), "Set-Cookie") != 0) {
      continue;
    }
    Text pair;
    if (FindText(line, ";") == -1) {
      pair = TrimBoth(ReplaceText(line, "Set-Cookie:", Text(), std::nullopt, std::nullopt, false));
    } else {
      pair = TrimBoth(TextBetween(line, "Set-Cookie:", ";"));
    }
    gathered = Concat({gathered, pair, "; "});
  }
  return TextLeft(gathered, TextLength(gathered) - 2);
}

}  // namespace zorvika
