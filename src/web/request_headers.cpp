#include "web/request_headers.h"

#include "core/text_array.h"
#include "core/text_ops.h"
#include "extract/extraction.h"

namespace zorvika {

namespace {

// Presence test over the whole block, ignoring ASCII case.
bool BlockMentions(const Text& block, const Text& name) {
  return FindText(block, name, std::nullopt, true) != -1;
}

// "content-type" becomes "Content-Type"; a name without "-" gets its first byte raised.
Text CapitalizeName(const Text& name) {
  if (FindText(name, "-") == -1) {
    return CapitalizeFirst(name);
  }
  Text joined;
  bool first = true;
  for (const Text& piece : SplitText(name, "-")) {
    joined = first ? CapitalizeFirst(piece) : Concat({joined, "-", CapitalizeFirst(piece)});
    first = false;
  }
  return joined;
}

}  // namespace

Text ChooseUserAgent(const Text& headers) {
  if (!BlockMentions(headers, "User-Agent:")) {
    return Text(kDefaultUserAgent);
  }
  Text agent = TrimBoth(TextBetween(Concat({headers, "\r\n"}), "User-Agent:", "\r\n"));
  if (agent.empty()) {
    agent = ValueAfterColon(headers);
  }
  return agent;
}

Text AddDefaultHeaders(const Text& headers, const Text& url, int method) {
  Text block = headers.empty() ? Text("Accept: */*") : headers;
  if (!BlockMentions(block, "Accept:")) {
    block = Concat({block, "\r\nAccept: */*"});
  }
  if (!BlockMentions(block, "Referer:")) {
    block = Concat({block, "\r\nReferer: ", url});
  }
  if (!BlockMentions(block, "Accept-Language:")) {
    block = Concat({block, "\r\nAccept-Language: zh-cn"});
  }
  if (method == kPostMethod && !BlockMentions(block, "Content-Type:")) {
    block = Concat({block, "\r\nContent-Type: application/x-www-form-urlencoded"});
  }
  return block;
}

Text NormalizeHeaders(const Text& headers) {
  Text out;
  for (const Text& line : SplitText(headers, "\r\n")) {
    if (FindText(line, ": ") == -1) {
      continue;
    }
    const TextArray pieces = SplitText(line, ": ");
    const Text name = CapitalizeName(ArrayItem(pieces, 1));
    if (ArraySize(pieces) == 2) {
      out = Concat({out, name, ": ", ArrayItem(pieces, 2), "\r\n"});
    } else {
      out = Concat({out, name, ": \r\n"});
    }
  }
  return TextLeft(out, TextLength(out) - 2);
}

Text CapitalizeFirst(const Text& text) {
  return Concat({ToUpper(TextLeft(text, 1)), TextMid(text, 2, TextLength(text))});
}

Text AppendCookieHeader(const Text& headers, const Text& cookies) {
  if (cookies.empty()) {
    return headers;
  }
  if (FindText(cookies, "Cookie:") != -1) {
    return Concat({headers, "\r\n", cookies});
  }
  return Concat({headers, "\r\nCookie: ", cookies});
}

}  // namespace zorvika
