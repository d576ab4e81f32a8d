// Building the header block a web request sends: the agent string taken from the
// caller's block, the default lines, header names re-cased and the cookie line.
// A block is lines "Name: value" joined by CR LF, with no CR LF after the last.
#pragma once

#include "core/text.h"

namespace zorvika {

// The agent string used when the caller's block names none.
inline constexpr const char* kDefaultUserAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Method code of POST, the one method that gets a default Content-Type line.
inline constexpr int kPostMethod = 1;

// The agent string for a request: the default one when `headers` holds no
// "User-Agent:" (any case); otherwise the value of the line written exactly
// "User-Agent:", trimmed, or failing that everything after the block's first colon.
// ChooseUserAgent("X-A: 1\r\nUser-Agent: Foo ") == "Foo";
// ChooseUserAgent("user-agent: Foo\r\nX-A: 1") == "Foo\r\nX-A: 1".
Text ChooseUserAgent(const Text& headers);

// Completes the block with "Accept: */*", "Referer: " + url, "Accept-Language: zh-cn"
// and, for POST (method 1), "Content-Type: application/x-www-form-urlencoded",
// each only when the block does not contain its name anywhere (any case).
// An empty block starts as "Accept: */*".
// AddDefaultHeaders("", "http://h/v", 0) == "Accept: */*\r\nReferer: http://h/v\r\nAccept-Language: zh-cn".
Text AddDefaultHeaders(const Text& headers, const Text& url, int method);

// Keeps the lines holding ": ", upper-cases the first letter of each "-"-separated
// piece of the name, and drops the value of a line that splits into more than two
// pieces at ": ".
// NormalizeHeaders("user-agent: A\r\ncontent-TYPE: b") == "User-Agent: A\r\nContent-TYPE: b";
// NormalizeHeaders("Referer: a: b\r\nHost:x") == "Referer: ".
Text NormalizeHeaders(const Text& headers);

// The text with its first byte upper-cased (ASCII letters only).
// CapitalizeFirst("accept") == "Accept".
Text CapitalizeFirst(const Text& text);

// Adds the cookie line: nothing for empty `cookies`, the cookies as they are
// when they contain "Cookie:", else "Cookie: " + cookies.
// AppendCookieHeader("A: 1", "a=1; b=2") == "A: 1\r\nCookie: a=1; b=2".
Text AppendCookieHeader(const Text& headers, const Text& cookies);

}  // namespace zorvika
