#include "web/web_request.h"

#include <string>
#include <utility>

#include "core/text_ops.h"
#include "web/cookie_merge.h"
#include "web/http_transport.h"
#include "web/request_headers.h"
#include "web/set_cookies.h"
#include "web/url_parts.h"

namespace zorvika {

namespace {

constexpr int kGetMethod = 0;
constexpr const char* kVerbs[] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kHighestMethod = 7;

// The response header buffer holds 5000 bytes, its terminating zero included.
constexpr int kResponseHeaderBufferSize = 5000;

bool IsSecureAddress(const Text& url) {
  return CompareText(ToLower(TextLeft(url, 8)), "https://") == 0;
}

// The block as the buffer shows it: the block when it fits, else the untouched spaces.
Text CapturedResponseHeaders(const std::optional<std::string>& block) {
  if (block && block->size() < static_cast<std::size_t>(kResponseHeaderBufferSize)) {
    return Text(std::string_view(*block));
  }
  return BlankText(kResponseHeaderBufferSize);
}

// Agent, header block and body are settled before anything is sent; the caller's
// variables only learn of them once the request could be formed.
Text BuildHeaderBlock(const Text& callerHeaders, const Text& url, int method, const Text& cookies,
                      bool defaultHeaders) {
  Text block = callerHeaders;
  if (defaultHeaders) {
    block = AddDefaultHeaders(block, url, method);
  }
  block = NormalizeHeaders(block);
  return AppendCookieHeader(block, cookies);
}

}  // namespace

Bytes WebRequest(const Text& url, int method, const Text& bodyText, Text* cookies, Text* receivedCookies,
                 Text* headers, Text* responseHeaders, bool noRedirect, Bytes* bodyBytes, const Text& proxy,
                 bool mergeCookies, bool defaultHeaders, const TransferObserver& observer) {
  if (method < kGetMethod || method > kHighestMethod) {
    method = kGetMethod;
  }
  const bool secure = IsSecureAddress(url);
  const Text callerHeaders = headers ? *headers : Text();
  const Text agent = ChooseUserAgent(callerHeaders);
  const Text block = BuildHeaderBlock(callerHeaders, url, method, cookies ? *cookies : Text(), defaultHeaders);

  HttpExchangeRequest request;
  request.verb = kVerbs[method];
  request.host = UrlHost(url).bytes();
  request.port = UrlPort(url);
  request.path = UrlPath(url).bytes();
  request.secure = secure;
  request.headerBlock = block.bytes();
  if (method != kGetMethod) {
    const bool bytesGiven = bodyBytes != nullptr && !bodyBytes->empty();
    request.body = bytesGiven ? *bodyBytes : ToBytes(bodyText);
  }
  request.agent = agent.bytes();
  request.proxy = proxy.bytes();
  request.proxyForHttpOnly = !proxy.empty() && !secure;
  request.noCookies = cookies != nullptr;
  request.noRedirect = noRedirect;
  request.observer = observer;

  HttpExchangeResult result = PerformHttpExchange(request);
  if (!result.opened) {
    return Bytes();
  }

  if (headers) {
    *headers = block;
  }
  if (request.body && bodyBytes != nullptr && bodyBytes->empty()) {
    *bodyBytes = *request.body;
  }
  const Text capturedHeaders = CapturedResponseHeaders(result.headerBlock);
  Text gathered = GatherSetCookies(capturedHeaders);
  if (mergeCookies && cookies != nullptr) {
    gathered = MergeCookies(*cookies, gathered);
  }
  if (responseHeaders) {
    *responseHeaders = capturedHeaders;
  }
  if (receivedCookies) {
    *receivedCookies = gathered;
  }
  return std::move(result.body);
}

void AbortAllTransfers() { AbortAllHttpExchanges(); }

}  // namespace zorvika
