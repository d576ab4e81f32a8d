#include "web/url_parts.h"

#include "core/text_array.h"
#include "core/text_ops.h"
#include "extract/extraction.h"

namespace zorvika {

namespace {

// Scheme-and-slash method: the text between the scheme and the next "/".
Text HostBySchemeAndSlash(Text w, bool rootOnly) {
  if (CompareText(TextRight(w, 1), "/") != 0) {
    w = Concat({w, "/"});
  }
  if (CompareText(TextLeft(w, 8), "https://") == 0) {
    w = TextBetween(w, "https://", "/");
  } else {
    if (FindText(w, "http://") == -1) {
      w = Concat({"http://", w});
    }
    w = TextBetween(w, "http://", "/");
  }
  if (rootOnly) {
    const TextArray labels = SplitText(w, ".");
    const int n = ArraySize(labels);
    if (n >= 2) {
      w = Concat({ArrayItem(labels, n - 1), ".", ArrayItem(labels, n)});
    }
  }
  return w;
}

// Label-counting method: walks back over the dots of the host.
Text HostByLabelCount(Text w, bool rootOnly, int levels) {
  w = ReplaceText(w, "http://", Text(), std::nullopt, std::nullopt, true);
  w = ReplaceText(w, "https://", Text(), std::nullopt, std::nullopt, true);
  const int slash = FindText(w, "/");
  if (slash != -1) {
    w = TextLeft(w, slash - 1);
  }
  const int n = TextLength(w);

  // Each step finds the last dot standing before position h.
  int h = n;
  for (int i = 0; i < levels && h != -1; ++i) {
    h = FindTextBack(w, ".", h);
  }
  const int d1 = (h == -1) ? -1 : FindTextBack(w, ".", h);

  if (rootOnly) {
    return TextRight(w, n - d1);
  }
  if (d1 != -1) {
    const int d2 = FindTextBack(w, ".", d1);
    if (d2 != -1) {
      return TextRight(w, n - d2);
    }
  }
  return w;
}

}  // namespace

Text UrlHost(const Text& url, bool rootOnly, bool keepPort, std::optional<int> levels) {
  const Text lowered = ToLower(url);
  Text w = levels.has_value() ? HostByLabelCount(lowered, rootOnly, *levels)
                              : HostBySchemeAndSlash(lowered, rootOnly);
  if (keepPort) {
    return w;
  }
  const int colon = FindText(w, ":");
  return colon == -1 ? w : TextLeft(w, colon - 1);
}

int UrlPort(const Text& url) {
  const Text hostAndPort = UrlHost(url, false, true);
  const int colon = FindTextBack(hostAndPort, ":");
  if (colon == -1) {
    return CompareText(TextLeft(ToLower(url), 5), "https") == 0 ? 443 : 80;
  }
  return ToInteger(TextRight(hostAndPort, TextLength(hostAndPort) - colon));
}

Text UrlPath(const Text& url) {
  const Text host = UrlHost(url);
  const int hostPos = FindText(url, host, 1, true);
  const int slash = FindText(url, "/", hostPos == -1 ? 1 : hostPos);
  if (slash == -1) {
    return Text("/");
  }
  return TextRight(url, TextLength(url) - slash + 1);
}

}  // namespace zorvika
