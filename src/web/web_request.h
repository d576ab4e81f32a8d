// The system's one way onto the network: one HTTP or HTTPS request that returns
// the response body, with the caller's headers completed, cookies sent and merged,
// an optional proxy and an optional switch against following redirects.
#pragma once

#include <cstdint>
#include <functional>

#include "core/bytes.h"
#include "core/text.h"

namespace zorvika {

// Observes a transfer: bytes of the body received so far and bytes expected
// (-1 when the server did not say). Returning false aborts the transfer, which
// then ends like a failed one. Called on the requesting thread.
using TransferObserver = std::function<bool(std::int64_t received, std::int64_t expected)>;

// Method codes: 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE,
// 7 CONNECT; any other code is GET.
// In/out arguments are pointers: nullptr means left out. A left-out `cookies`
// selects the process-wide cookie store; a given one (even empty) bypasses it
// and receives the merged cookies when `mergeCookies`.
// Returns the body; empty when the request could not be opened or nothing arrived.
// Example: WebRequest("http://host/video/2") fetches a listing page with every default.
Bytes WebRequest(const Text& url, int method = 0, const Text& bodyText = Text(), Text* cookies = nullptr,
                 Text* receivedCookies = nullptr, Text* headers = nullptr, Text* responseHeaders = nullptr,
                 bool noRedirect = false, Bytes* bodyBytes = nullptr, const Text& proxy = Text(),
                 bool mergeCookies = true, bool defaultHeaders = true, const TransferObserver& observer = nullptr);

// Aborts every transfer running in the process, from any thread, within a second.
// Aborted requests return what failed ones return.
void AbortAllTransfers();

}  // namespace zorvika
