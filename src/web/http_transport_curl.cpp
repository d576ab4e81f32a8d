// The HTTP exchange over libcurl (the Linux backend of http_transport.h).
//
// One process-wide runtime holds what outlives a call, as the operating system's
// HTTP library would: the cookie store, the DNS cache and TLS sessions (curl share
// objects, locked per kind of data), and a pool of easy handles whose connection
// caches keep connections to a host open from one call to the next.
#include <curl/curl.h>
#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "web/http_transport.h"

namespace zorvika {

namespace {

constexpr long kConnectTimeoutSeconds = 60;
// A transfer that receives less than one byte a second for this long is failed.
constexpr long kStallSeconds = 30;
constexpr long kMaxRedirects = 20;
// Reservation from Content-Length is capped so a lying server cannot make us
// claim absurd amounts up front; larger bodies still arrive, growing as they come.
constexpr curl_off_t kMaxBodyReservation = curl_off_t{1} << 31;
// A response head longer than this is not kept (the web request keeps 4999 bytes at most).
constexpr std::size_t kMaxHeadBytes = 1 << 20;
constexpr std::size_t kIdleHandlesKept = 4;
// Fewer, larger pieces per video: curl's default is 16 KiB.
constexpr long kReceiveBufferBytes = 256 * 1024;
// Bodies announced at this size or more are asked to sit on huge pages.
constexpr std::size_t kHugePageThreshold = 8u << 20;

// ---------------------------------------------------------------------------
// Process-wide runtime

// A share object with one mutex per kind of data, as curl asks.
class LockedShare {
 public:
  explicit LockedShare(bool withCookies) : share_(curl_share_init()) {
    curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &LockedShare::Lock);
    curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &LockedShare::Unlock);
    curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    if (withCookies) {
      curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
  }
  LockedShare(const LockedShare&) = delete;
  LockedShare& operator=(const LockedShare&) = delete;

  CURLSH* get() const { return share_; }

 private:
  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<LockedShare*>(self)->MutexFor(data).lock();
  }
  static void Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<LockedShare*>(self)->MutexFor(data).unlock();
  }
  std::mutex& MutexFor(curl_lock_data data) {
    const int index = static_cast<int>(data);
    return mutexes_[(index >= 0 && index < CURL_LOCK_DATA_LAST) ? index : 0];
  }

  std::mutex mutexes_[CURL_LOCK_DATA_LAST];
  CURLSH* share_;
};

// Easy handles waiting for their next exchange. Each keeps its own connection
// cache, so the last handle given back (taken first) still holds the connection
// to the host the same thread talked to last.
class HandlePool {
 public:
  CURL* Take() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!idle_.empty()) {
        CURL* handle = idle_.back();
        idle_.pop_back();
        return handle;
      }
    }
    return curl_easy_init();
  }

  void GiveBack(CURL* handle) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (idle_.size() < kIdleHandlesKept) {
        idle_.push_back(handle);
        return;
      }
    }
    curl_easy_cleanup(handle);
  }

 private:
  std::mutex mutex_;
  std::vector<CURL*> idle_;
};

struct CurlRuntime {
  CurlRuntime() : initialized(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}

  const bool initialized;  // first member: curl is set up before any share exists
  LockedShare withCookieStore{true};
  LockedShare withoutCookies{false};
  HandlePool handles;
  std::atomic<std::uint64_t> abortGeneration{0};

  std::mutex trustMutex;
  std::string trustedCertificateFile;  // empty: curl's built-in bundle

  std::string TrustedCertificateFile() {
    std::lock_guard<std::mutex> lock(trustMutex);
    return trustedCertificateFile;
  }
};

// Created on first use (thread-safe) and kept for the life of the process: a
// worker thread may still be inside a transfer while the process ends.
CurlRuntime& Runtime() {
  static CurlRuntime* runtime = new CurlRuntime();
  return *runtime;
}

// ---------------------------------------------------------------------------
// One exchange

// What the callbacks collect while curl runs one exchange.
struct TransferState {
  CURL* handle = nullptr;
  std::uint64_t generation = 0;
  const TransferObserver* observer = nullptr;

  Bytes body;                     // body of the response whose head came last
  bool bodySized = false;         // reservation done for that body
  std::int64_t expected = -1;     // its Content-Length, -1 when not given

  std::string head;               // head being received
  bool headComplete = false;      // `head` ended with its empty line
  bool headTooLong = false;
  std::optional<std::string> lastCompleteHead;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Header lines of every response pass here (redirects, 100 Continue, trailers).
// Each status line starts a new head; the last complete head is kept, each line
// ending in CR LF whatever the server used.
size_t OnHeaderLine(char* data, size_t size, size_t count, void* userdata) {
  auto& state = *static_cast<TransferState*>(userdata);
  const size_t length = size * count;
  std::string_view line(data, length);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.remove_suffix(1);
  }

  const bool statusLine = StartsWith(line, "HTTP/");
  if (state.headComplete && !statusLine) {
    return length;  // trailer after a chunked body: not part of the head
  }
  if (statusLine) {
    state.head.clear();
    state.headComplete = false;
    state.headTooLong = false;
    state.body.clear();  // whatever came before belonged to an earlier response
    state.bodySized = false;
    state.expected = -1;
  }

  if (!state.headTooLong) {
    state.head.append(line);
    state.head.append("\r\n");
    state.headTooLong = state.head.size() > kMaxHeadBytes;
  }
  if (line.empty()) {
    state.headComplete = true;
    if (state.headTooLong) {
      state.lastCompleteHead.reset();
    } else {
      state.lastCompleteHead = state.head;
    }
    curl_off_t contentLength = -1;
    if (curl_easy_getinfo(state.handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &contentLength) == CURLE_OK) {
      state.expected = contentLength;
    }
  }
  return length;
}

// Asks the kernel to back a large body buffer with huge pages: filling it then
// takes a few hundred page faults instead of tens of thousands.
void PreferHugePages(Bytes& buffer) {
  constexpr std::uintptr_t kPage = 4096;
  if (buffer.capacity() < kHugePageThreshold) {
    return;
  }
  const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
  const std::uintptr_t alignedBegin = (begin + kPage - 1) & ~(kPage - 1);
  const std::uintptr_t alignedEnd = (begin + buffer.capacity()) & ~(kPage - 1);
  if (alignedEnd > alignedBegin) {
    madvise(reinterpret_cast<void*>(alignedBegin), alignedEnd - alignedBegin, MADV_HUGEPAGE);
  }
}

size_t OnBodyData(char* data, size_t size, size_t count, void* userdata) {
  auto& state = *static_cast<TransferState*>(userdata);
  const size_t length = size * count;
  if (!state.bodySized) {
    state.bodySized = true;
    if (state.expected > 0) {
      state.body.reserve(static_cast<size_t>(std::min<curl_off_t>(state.expected, kMaxBodyReservation)));
      PreferHugePages(state.body);
    }
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  state.body.insert(state.body.end(), bytes, bytes + length);
  return length;
}

// Called by curl at least once a second, also while nothing arrives. A non-zero
// return ends the transfer as a failure.
int OnProgress(void* userdata, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& state = *static_cast<TransferState*>(userdata);
  if (Runtime().abortGeneration.load() != state.generation) {
    return 1;
  }
  if (*state.observer && !(*state.observer)(static_cast<std::int64_t>(state.body.size()), state.expected)) {
    return 1;
  }
  return 0;
}

// Bytes a request line cannot carry as they are (controls, space, DEL and the
// bytes of two-byte characters) are written as %xx. curl does so for some of them
// in the path only, and with lower-case digits, which we follow.
std::string EscapeUnsafeBytes(std::string_view target) {
  static const char kHex[] = "0123456789abcdef";
  std::string escaped;
  escaped.reserve(target.size());
  for (const char c : target) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

// The address of the request from its parts, or null when curl refuses one of
// them (an empty or malformed host, a port outside 0..65535).
UrlHandle BuildAddress(const HttpExchangeRequest& request) {
  if (request.host.empty() || request.port < 0 || request.port > 65535) {
    return nullptr;
  }
  UrlHandle url(curl_url());
  if (!url) {
    return nullptr;
  }
  const std::string target = EscapeUnsafeBytes(request.path);
  const size_t question = target.find('?');
  const std::string path = target.substr(0, question);
  bool ok = curl_url_set(url.get(), CURLUPART_SCHEME, request.secure ? "https" : "http", 0) == CURLUE_OK &&
            curl_url_set(url.get(), CURLUPART_HOST, request.host.c_str(), 0) == CURLUE_OK &&
            curl_url_set(url.get(), CURLUPART_PATH, path.c_str(), 0) == CURLUE_OK;
  if (ok && request.port != 0) {
    ok = curl_url_set(url.get(), CURLUPART_PORT, std::to_string(request.port).c_str(), 0) == CURLUE_OK;
  }
  if (ok && question != std::string::npos && question + 1 < target.size()) {
    ok = curl_url_set(url.get(), CURLUPART_QUERY, target.c_str() + question + 1, 0) == CURLUE_OK;
  }
  if (!ok) {
    return nullptr;
  }
  return url;
}

struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

// The block's lines for curl, plus the switches that keep curl from adding
// headers of its own the block does not hold. curl reads "Name:" as "leave this
// header out" and "Name;" as "send it with an empty value".
HeaderList HeaderLinesFor(const std::string& block) {
  curl_slist* lines = nullptr;
  const auto append = [&lines](const std::string& line) {
    if (curl_slist* grown = curl_slist_append(lines, line.c_str())) {
      lines = grown;
    }
  };
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= block.size()) {
    size_t end = block.find("\r\n", start);
    if (end == std::string::npos) {
      end = block.size();
    }
    const std::string line = block.substr(start, end - start);
    start = end + 2;

    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      continue;  // not a header line
    }
    const std::string name = line.substr(0, colon);
    names.push_back(name);
    const bool valueBlank = line.find_first_not_of(" \t", colon + 1) == std::string::npos;
    append(valueBlank ? name + ";" : line);
  }

  for (const char* added : {"Accept", "Content-Type", "Expect"}) {
    const bool inBlock = std::any_of(names.begin(), names.end(),
                                     [added](const std::string& name) { return EqualsIgnoringCase(name, added); });
    if (!inBlock) {
      append(std::string(added) + ":");
    }
  }
  return HeaderList(lines);
}

// Verb and body. POST always carries a body (maybe empty: "Content-Length: 0");
// PUT, OPTIONS, DELETE, TRACE and CONNECT carry one when it is not empty. HEAD
// goes without: curl cannot send a body with HEAD and still expect a response
// that has none.
void SetVerbAndBody(CURL* handle, const HttpExchangeRequest& request) {
  const bool isGet = request.verb == "GET";
  const bool isHead = request.verb == "HEAD";
  const bool isPost = request.verb == "POST";
  const bool hasBody = request.body.has_value() && !isHead && (isPost || !request.body->empty());

  if (isHead) {
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
  } else if (!isGet && !isPost) {
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  }
  if (hasBody) {
    const char* bytes = request.body->empty() ? "" : reinterpret_cast<const char*>(request.body->data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body->size()));
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, bytes);
  }
}

void SetProxy(CURL* handle, const HttpExchangeRequest& request) {
  // An explicit empty proxy and bypass list keep the proxy environment variables out.
  const bool useProxy = !request.proxy.empty() && !(request.proxyForHttpOnly && request.secure);
  curl_easy_setopt(handle, CURLOPT_PROXY, useProxy ? request.proxy.c_str() : "");
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "");
}

// Cookies: the process-wide store, or none at all.
void SetCookieStore(CURL* handle, CurlRuntime& runtime, bool noCookies) {
  if (noCookies) {
    curl_easy_setopt(handle, CURLOPT_SHARE, runtime.withoutCookies.get());
  } else {
    curl_easy_setopt(handle, CURLOPT_SHARE, runtime.withCookieStore.get());
    curl_easy_setopt(handle, CURLOPT_COOKIEFILE, "");  // switches the cookie engine on, reads no file
  }
}

// What is fetched and how: the address as built, HTTP/1.1, redirects within http
// and https, the time-outs, TLS verified.
void SetTransferRules(CURL* handle, CurlRuntime& runtime, CURLU* url, bool noRedirect) {
  curl_easy_setopt(handle, CURLOPT_CURLU, url);
  curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, noRedirect ? 0L : 1L);
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);

  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStallSeconds);

  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
  const std::string trusted = runtime.TrustedCertificateFile();
  if (!trusted.empty()) {
    curl_easy_setopt(handle, CURLOPT_CAINFO, trusted.c_str());  // copied by curl
  }
}

void SetCallbacks(CURL* handle, TransferState& state) {
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &OnHeaderLine);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnBodyData);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &state);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &state);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
}

}  // namespace

HttpExchangeResult PerformHttpExchange(const HttpExchangeRequest& request) {
  HttpExchangeResult result;
  CurlRuntime& runtime = Runtime();
  if (!runtime.initialized) {
    return result;
  }
  const UrlHandle url = BuildAddress(request);
  if (!url) {
    return result;
  }
  CURL* const handle = runtime.handles.Take();
  if (handle == nullptr) {
    return result;
  }
  result.opened = true;
  curl_easy_reset(handle);

  TransferState state;
  state.handle = handle;
  state.generation = runtime.abortGeneration.load();
  state.observer = &request.observer;

  SetCookieStore(handle, runtime, request.noCookies);
  SetTransferRules(handle, runtime, url.get(), request.noRedirect);
  SetProxy(handle, request);
  // An agent taken from a whole block can hold line breaks; a header value cannot.
  const std::string agent = request.agent.substr(0, request.agent.find_first_of("\r\n"));
  if (!agent.empty()) {
    curl_easy_setopt(handle, CURLOPT_USERAGENT, agent.c_str());
  }
  const HeaderList headerLines = HeaderLinesFor(request.headerBlock);
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headerLines.get());
  SetVerbAndBody(handle, request);
  SetCallbacks(handle, state);

  // Failures are not reported: what arrived is returned, as with any failed read.
  curl_easy_perform(handle);

  // Nothing of this call stays reachable from the pooled handle.
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(handle, CURLOPT_CURLU, nullptr);
  // curl 7.88 does not free its list of cookie files on reset; emptying it here
  // does (the shared store itself is untouched).
  curl_easy_setopt(handle, CURLOPT_COOKIEFILE, nullptr);
  runtime.handles.GiveBack(handle);

  result.body = std::move(state.body);
  result.headerBlock = std::move(state.lastCompleteHead);
  return result;
}

void AbortAllHttpExchanges() { Runtime().abortGeneration.fetch_add(1); }

void SetTrustedCertificateFile(const std::string& path) {
  CurlRuntime& runtime = Runtime();
  std::lock_guard<std::mutex> lock(runtime.trustMutex);
  runtime.trustedCertificateFile = path;
}

}  // namespace zorvika
