// The seam between the web request and the platform's HTTP client: one request
// described as a plain value, performed synchronously, and what came back.
// Each platform supplies one backend file (libcurl on Linux).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/bytes.h"
#include "web/web_request.h"

namespace zorvika {

struct HttpExchangeRequest {
  std::string verb = "GET";   // "GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"
  std::string host;           // host name to connect to, without port
  int port = 80;              // TCP port; 0 means the scheme's default
  std::string path = "/";     // request target: path and query, sent as given
  bool secure = false;        // TLS, certificate verified
  std::string headerBlock;    // lines joined by CR LF, sent as they are and nothing else
                              // beyond Host, Content-Length and the agent
  std::optional<Bytes> body;  // none: no body at all; else sent with its length (maybe 0)
  std::string agent;          // User-Agent value; empty sends none
  std::string proxy;          // empty: direct connection, proxy settings of the environment ignored
  bool proxyForHttpOnly = false;  // the proxy serves http addresses only ("http=" + proxy)
  bool noCookies = false;     // neither send nor store cookies of the process-wide store
  bool noRedirect = false;    // return a redirect response instead of following it
  TransferObserver observer;  // optional; see TransferObserver
};

struct HttpExchangeResult {
  // False when no request could be formed at all (the address or the handle was
  // refused); nothing was sent then. A request that was sent but failed is opened.
  bool opened = false;
  // What arrived of the final response's body, also after a failure or an abort.
  Bytes body;
  // Raw header block of the final response: the status line and every header
  // line, each ending in CR LF, then an empty line. None when no complete
  // response head arrived.
  std::optional<std::string> headerBlock;
};

// Performs one exchange on the calling thread and blocks until it ends. Redirects
// (http and https only) are followed unless `noRedirect`; no cache is used.
// Example: PerformHttpExchange({.host = "127.0.0.1", .port = 8080, .path = "/a"}).body
HttpExchangeResult PerformHttpExchange(const HttpExchangeRequest& request);

// Makes every exchange running in the process end within a second, as a failed
// one ends; exchanges started afterwards run normally. Safe from any thread.
void AbortAllHttpExchanges();

// Replaces the file of trusted certificate authorities for TLS servers; empty
// restores the system's own. For tests that serve TLS with a certificate they made.
void SetTrustedCertificateFile(const std::string& path);

}  // namespace zorvika
