// Reading the cookies a server set out of a raw response header block: the first
// "name=value" pair of every "Set-Cookie" line, without path, domain or expiry.
#pragma once

#include "core/text.h"

namespace zorvika {

// The cookie string of the first pair of every line whose name is exactly
// "Set-Cookie" (followed by ": "), in order, joined by "; ". Lines named in
// another case ("set-cookie") are not read.
// GatherSetCookies("HTTP/1.1 200 OK\r\nSet-Cookie: sid=1; path=/\r\nSet-Cookie: a=b\r\n\r\n")
//   == "sid=1; a=b".
Text GatherSetCookies(const Text& responseHeaders);

}  // namespace zorvika
