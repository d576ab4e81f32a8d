// Splitting a web address into what a request needs: the host to connect to,
// the TCP port and the path with its query. Accepts "http://", "https://" in any
// letter case, or no scheme at all; never fails, an odd address still yields a value.
#pragma once

#include <optional>

#include "core/text.h"

namespace zorvika {

// The host of `url` in lower case.
// Without `levels` (scheme-and-slash method) the host is what lies between the
// scheme and the next "/"; `rootOnly` keeps only its last two labels.
// With `levels` given, whatever its value (label-counting method), the host keeps
// its last levels + 2 labels, or levels + 1 with `rootOnly`.
// The port is cut off unless `keepPort`.
// Examples:
//   UrlHost("HTTPS://CDN.Media.Test:8443/a") == "cdn.media.test"
//   UrlHost("HTTPS://CDN.Media.Test:8443/a", false, true) == "cdn.media.test:8443"
//   UrlHost("http://a.media.test:81/", true) == "media.test"
//   UrlHost("http://a.b.media.test/x", false, false, 1) == "b.media.test"
//   UrlHost("http://media.test?x=1") == "media.test?x=1"  (a query right after the host stays)
Text UrlHost(const Text& url, bool rootOnly = false, bool keepPort = false,
             std::optional<int> levels = std::nullopt);

// The port written after the host; without one 443 for "https" addresses and 80
// otherwise; 0 when the port text is not a number.
// UrlPort("http://media.test:8080/x") == 8080; UrlPort("HTTPS://media.test") == 443;
// UrlPort("http://media.test:/x") == 0.
int UrlPort(const Text& url);

// The path and query from the first "/" after the host, in the caller's letter
// case; "/" when there is none.
// UrlPath("HTTP://Media.Test:8080/A?b=1") == "/A?b=1"; UrlPath("http://media.test") == "/".
Text UrlPath(const Text& url);

}  // namespace zorvika
