#include "web/web_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/text_ops.h"
#include "core/text_printing.h"
#include "web/http_transport.h"
#include "web/loopback_servers.h"
#include "web/request_headers.h"

namespace zorvika {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;
using testing::LoopbackHttpServer;
using testing::ParsedRequest;
using testing::ParseRequest;
using testing::RawRecordingServer;

std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Text T(const std::string& bytes) { return Text(std::string_view(bytes)); }

bool IsNamed(const std::string& line, const std::string& name) {
  return line.size() > name.size() && line.compare(0, name.size() + 1, name + ":") == 0;
}

// A received request's header lines without Host and User-Agent, which curl
// writes itself (from the address and the agent string).
std::vector<std::string> LinesBesideHostAndAgent(const ParsedRequest& request) {
  std::vector<std::string> lines;
  for (const std::string& line : request.headerLines) {
    if (!IsNamed(line, "Host") && !IsNamed(line, "User-Agent")) {
      lines.push_back(line);
    }
  }
  return lines;
}

std::vector<std::string> LinesNamed(const ParsedRequest& request, const std::string& name) {
  std::vector<std::string> lines;
  for (const std::string& line : request.headerLines) {
    if (IsNamed(line, name)) {
      lines.push_back(line);
    }
  }
  return lines;
}

std::vector<std::string> SplitBlock(const std::string& block) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < block.size()) {
    size_t end = block.find("\r\n", start);
    if (end == std::string::npos) end = block.size();
    lines.push_back(block.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

ParsedRequest OnlyRequest(RawRecordingServer& server) {
  const std::vector<std::string> requests = server.Requests();
  EXPECT_EQ(requests.size(), 1u);
  return requests.empty() ? ParsedRequest() : ParseRequest(requests.back());
}

// ---------------------------------------------------------------------------
// What the server receives

TEST(WebRequest, ListingPageCallSendsTheDefaultRequestAndNothingElse) {
  RawRecordingServer server(RawRecordingServer::OkResponse("page"));
  const std::string url = server.Url("/video/2");

  const Bytes body = WebRequest(T(url));

  EXPECT_EQ(AsString(body), "page");
  const ParsedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.requestLine, "GET /video/2 HTTP/1.1");
  EXPECT_THAT(request.headerLines,
              ::testing::IsSupersetOf({"Host: 127.0.0.1:" + std::to_string(server.port()),
                                       std::string("User-Agent: ") + kDefaultUserAgent}));
  EXPECT_THAT(LinesBesideHostAndAgent(request),
              ElementsAre("Accept: */*", "Referer: " + url, "Accept-Language: zh-cn"));
  EXPECT_EQ(request.headerLines.size(), 5u);
  EXPECT_EQ(request.body, "");
}

TEST(WebRequest, MethodCodesPickTheVerbAndTheBody) {
  struct Case {
    int method;
    const char* verb;
    bool bodyTaken;  // the caller's empty body bytes receive the text's bytes
    bool bodySent;   // HEAD takes the body but does not send it
  };
  const std::vector<Case> cases = {
      {0, "GET", false, false},      {1, "POST", true, true},    {2, "HEAD", true, false},
      {3, "PUT", true, true},        {4, "OPTIONS", true, true}, {5, "DELETE", true, true},
      {6, "TRACE", true, true},      {7, "CONNECT", true, true}, {9, "GET", false, false},
      {-1, "GET", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    RawRecordingServer server;
    Bytes bodyBytes;
    Text headers;
    const Bytes body =
        WebRequest(T(server.Url("/m")), c.method, "a=1", nullptr, nullptr, &headers, nullptr, false, &bodyBytes);

    const ParsedRequest request = OnlyRequest(server);
    EXPECT_EQ(request.requestLine, std::string(c.verb) + " /m HTTP/1.1");
    EXPECT_EQ(request.body, c.bodySent ? "a=1" : "");
    EXPECT_EQ(LinesNamed(request, "Content-Length"),
              c.bodySent ? std::vector<std::string>{"Content-Length: 3"} : std::vector<std::string>{});
    EXPECT_EQ(AsString(bodyBytes), c.bodyTaken ? "a=1" : "");
    const bool post = c.method == 1;
    EXPECT_EQ(FindText(headers, "Content-Type: application/x-www-form-urlencoded") != -1, post);
    EXPECT_EQ(LinesNamed(request, "Content-Type").size(), post ? 1u : 0u);
    // A HEAD response has no body to read.
    EXPECT_EQ(AsString(body), c.method == 2 ? "" : "ok");
  }
}

TEST(WebRequest, PostWithoutBodySendsLengthZeroAndTheFormContentType) {
  RawRecordingServer server;
  const std::string url = server.Url("/form");
  Bytes bodyBytes;

  WebRequest(T(url), 1, "", nullptr, nullptr, nullptr, nullptr, false, &bodyBytes);

  const ParsedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.requestLine, "POST /form HTTP/1.1");
  EXPECT_THAT(LinesBesideHostAndAgent(request),
              UnorderedElementsAre("Accept: */*", "Referer: " + url, "Accept-Language: zh-cn",
                                   "Content-Type: application/x-www-form-urlencoded", "Content-Length: 0"));
  EXPECT_EQ(request.body, "");
  EXPECT_TRUE(bodyBytes.empty());
}

TEST(WebRequest, BodyBytesGoBeforeBodyTextAndLargeBodiesGoWithoutExpect) {
  RawRecordingServer server;
  const std::string large(3000, 'x');
  Bytes bodyBytes(large.begin(), large.end());

  WebRequest(T(server.Url("/upload")), 3, "ignored", nullptr, nullptr, nullptr, nullptr, false, &bodyBytes);

  const ParsedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.requestLine, "PUT /upload HTTP/1.1");
  EXPECT_EQ(request.body, large);
  EXPECT_THAT(LinesNamed(request, "Expect"), ::testing::IsEmpty());
  EXPECT_THAT(LinesNamed(request, "Content-Type"), ::testing::IsEmpty());
  EXPECT_EQ(AsString(bodyBytes), large);
}

TEST(WebRequest, CallerHeadersAreCompletedRecasedSentAndWrittenBack) {
  RawRecordingServer server;
  const std::string url = server.Url("/h?x=1");
  Text headers("x-token: 7\r\nUser-Agent: Agent/1");

  WebRequest(T(url), 0, "", nullptr, nullptr, &headers);

  const std::string expectedBlock =
      "X-Token: 7\r\nUser-Agent: Agent/1\r\nAccept: */*\r\nReferer: " + url + "\r\nAccept-Language: zh-cn";
  EXPECT_EQ(headers, T(expectedBlock));
  const ParsedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.requestLine, "GET /h?x=1 HTTP/1.1");
  EXPECT_THAT(LinesNamed(request, "User-Agent"), ElementsAre("User-Agent: Agent/1"));
  std::vector<std::string> withoutHost;
  for (const std::string& line : request.headerLines) {
    if (!IsNamed(line, "Host")) withoutHost.push_back(line);
  }
  EXPECT_THAT(withoutHost, ElementsAreArray(SplitBlock(expectedBlock)));
}

TEST(WebRequest, AgentTakenFromTheWholeBlockEndsAtItsFirstLineBreak) {
  RawRecordingServer server;
  // "user-agent:Foo" has no ": ", so it leaves the block, and the agent is the
  // rest of the block after its first colon: "Foo\r\nX-A: 1".
  Text headers("user-agent:Foo\r\nX-A: 1");

  WebRequest(T(server.Url("/agent")), 0, "", nullptr, nullptr, &headers, nullptr, false, nullptr, "", true, false);

  const ParsedRequest request = OnlyRequest(server);
  EXPECT_THAT(LinesNamed(request, "User-Agent"), ElementsAre("User-Agent: Foo"));
  EXPECT_THAT(LinesNamed(request, "X-A"), ElementsAre("X-A: 1"));
}

TEST(WebRequest, WithoutDefaultHeadersOnlyTheCallersLinesGo) {
  RawRecordingServer server;
  Text headers("x-empty: \r\nx-b: 2\r\nno colon here");

  WebRequest(T(server.Url("/plain")), 0, "", nullptr, nullptr, &headers, nullptr, false, nullptr, "", true, false);

  EXPECT_EQ(headers, Text("X-Empty: \r\nX-B: 2"));
  // No Accept of curl's own; an empty value goes out as "Name:" (trailing space dropped).
  EXPECT_THAT(LinesBesideHostAndAgent(OnlyRequest(server)), ElementsAre("X-Empty:", "X-B: 2"));
}

TEST(WebRequest, PathIsSentAsGivenWithUnsafeBytesEscaped) {
  RawRecordingServer server;

  // "/a/../B c", the two GBK bytes of one character, a tab, and a query with a space.
  WebRequest(T(server.Url("/a/../B c\xB0\xA1\t?q=1 2")));

  EXPECT_EQ(OnlyRequest(server).requestLine, "GET /a/../B%20c%b0%a1%09?q=1%202 HTTP/1.1");
}

// ---------------------------------------------------------------------------
// Response head and cookies the server set

TEST(WebRequest, ResponseHeadIsCapturedAndItsSetCookieLinesGathered) {
  const std::string head =
      "HTTP/1.1 200 OK\r\nSet-Cookie: sid=1; path=/\r\nSet-Cookie: a=b\r\nContent-Length: 2\r\n"
      "Connection: close\r\n\r\n";
  RawRecordingServer server(head + "ok");
  Text receivedCookies("old");
  Text responseHeaders;
  Text cookies;  // supplied and not merged: gathered cookies come back as they are, the store stays out

  const Bytes body = WebRequest(T(server.Url("/c")), 0, "", &cookies, &receivedCookies, nullptr, &responseHeaders,
                                false, nullptr, "", false);

  EXPECT_EQ(AsString(body), "ok");
  EXPECT_EQ(responseHeaders, T(head));
  EXPECT_EQ(receivedCookies, Text("sid=1; a=b"));
}

TEST(WebRequest, ResponseHeadLinesEndInCrLfWhateverTheServerUsed) {
  RawRecordingServer server("HTTP/1.1 200 OK\nSet-Cookie: x=1\nContent-Length: 2\nConnection: close\n\nok");
  Text responseHeaders;
  Text cookies;

  WebRequest(T(server.Url("/lf")), 0, "", &cookies, nullptr, nullptr, &responseHeaders);

  EXPECT_EQ(responseHeaders,
            Text("HTTP/1.1 200 OK\r\nSet-Cookie: x=1\r\nContent-Length: 2\r\nConnection: close\r\n\r\n"));
}

TEST(WebRequest, ResponseHeadOf5000BytesOrMoreIsNotCaptured) {
  struct Case {
    size_t headSize;
    bool captured;
  };
  for (const Case c : {Case{4999, true}, Case{5000, false}, Case{20000, false}}) {
    SCOPED_TRACE(c.headSize);
    const std::string start = "HTTP/1.1 200 OK\r\nSet-Cookie: k=v\r\nContent-Length: 4\r\nConnection: close\r\nX-Pad: ";
    const std::string end = "\r\n\r\n";
    const std::string head = start + std::string(c.headSize - start.size() - end.size(), 'p') + end;
    ASSERT_EQ(head.size(), c.headSize);
    RawRecordingServer server(head + "body");
    Text receivedCookies("old");
    Text responseHeaders;
    Text cookies;

    const Bytes body = WebRequest(T(server.Url("/big-head")), 0, "", &cookies, &receivedCookies, nullptr,
                                  &responseHeaders, false, nullptr, "", false);

    EXPECT_EQ(AsString(body), "body");
    EXPECT_EQ(responseHeaders, c.captured ? T(head) : BlankText(5000));
    EXPECT_EQ(receivedCookies, c.captured ? Text("k=v") : Text());
  }
}

class CookieServer : public ::testing::Test {
 protected:
  void SetUp() override {
    // Echoes the Cookie lines it received; /store paths also set a cookie that
    // only /store paths get back, so other tests never see it.
    const auto echo = [](const httplib::Request& request, httplib::Response& response) {
      response.set_content(request.get_header_value("Cookie") + "|" +
                               std::to_string(request.get_header_value_count("Cookie")),
                           "text/plain");
    };
    server_.server().Get("/store/set", [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Set-Cookie", "stored=s1; Path=/store");
      response.set_content("set", "text/plain");
    });
    server_.server().Get("/store/echo", echo);
    server_.server().Get("/merge", [echo](const httplib::Request& request, httplib::Response& response) {
      response.set_header("Set-Cookie", "b=3; Path=/store");
      echo(request, response);
    });
    server_.Start();
  }

  std::string Url(const std::string& path) { return server_.Url(path); }

  LoopbackHttpServer server_;
};

TEST_F(CookieServer, WithoutCookiesTheProcessStoreSendsWhatAnEarlierResponseSet) {
  Text receivedCookies;
  EXPECT_EQ(AsString(WebRequest(T(Url("/store/set")), 0, "", nullptr, &receivedCookies)), "set");
  EXPECT_EQ(receivedCookies, Text("stored=s1"));  // gathered, no merge

  EXPECT_EQ(AsString(WebRequest(T(Url("/store/echo")))), "stored=s1|1");

  // Supplied cookies, even empty ones, leave the store out.
  Text cookies;
  EXPECT_EQ(AsString(WebRequest(T(Url("/store/echo")), 0, "", &cookies)), "|0");
}

TEST_F(CookieServer, SuppliedCookiesAreSentMergedAndNotStored) {
  Text cookies("a=1; b=2");
  Text receivedCookies;
  Text headers;

  const Bytes body = WebRequest(T(Url("/merge")), 0, "", &cookies, &receivedCookies, &headers);

  EXPECT_EQ(AsString(body), "a=1; b=2|1");
  EXPECT_THAT(headers.bytes(), ::testing::EndsWith("\r\nCookie: a=1; b=2"));
  EXPECT_EQ(cookies, Text("b=3; a=1"));
  EXPECT_EQ(receivedCookies, Text("b=3; a=1"));
  // The store did not keep b=3 (its path would have sent it here).
  EXPECT_THAT(AsString(WebRequest(T(Url("/store/echo")))), ::testing::Not(HasSubstr("b=3")));
}

TEST_F(CookieServer, SuppliedEmptyCookiesSendNoCookieLineAndReceiveTheMerge) {
  Text cookies;
  Text receivedCookies;

  const Bytes body = WebRequest(T(Url("/merge")), 0, "", &cookies, &receivedCookies);

  EXPECT_EQ(AsString(body), "|0");
  EXPECT_EQ(cookies, Text("b=3"));
  EXPECT_EQ(receivedCookies, Text("b=3"));
}

TEST_F(CookieServer, WithoutMergeTheCallersCookiesStayAsTheyWere) {
  Text cookies("a=1; b=2");
  Text receivedCookies;

  WebRequest(T(Url("/merge")), 0, "", &cookies, &receivedCookies, nullptr, nullptr, false, nullptr, "", false);

  EXPECT_EQ(cookies, Text("a=1; b=2"));
  EXPECT_EQ(receivedCookies, Text("b=3"));
}

TEST_F(CookieServer, TheStoreServesRequestsOnSeveralThreadsAtOnce) {
  std::vector<std::future<std::string>> results;
  for (int thread = 0; thread < 4; ++thread) {
    results.push_back(std::async(std::launch::async, [this] {
      std::string bodies;
      for (int i = 0; i < 10; ++i) {
        WebRequest(T(Url("/store/set")));
        bodies += AsString(WebRequest(T(Url("/store/echo")))) + ";";
      }
      return bodies;
    }));
  }
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += "stored=s1|1;";
  for (auto& result : results) {
    EXPECT_EQ(result.get(), expected);
  }
}

// ---------------------------------------------------------------------------
// Redirects, connections, failures

class RedirectServer : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.server().Get("/from", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/to", 302);
      response.set_content("moved", "text/plain");
    });
    server_.server().Get("/to", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("arrived", "text/plain");
    });
    server_.Start();
  }
  LoopbackHttpServer server_;
};

TEST_F(RedirectServer, RedirectsAreFollowedToTheFinalResponse) {
  Text responseHeaders;
  const Bytes body = WebRequest(T(server_.Url("/from")), 0, "", nullptr, nullptr, nullptr, &responseHeaders);
  EXPECT_EQ(AsString(body), "arrived");
  EXPECT_THAT(responseHeaders.bytes(), StartsWith("HTTP/1.1 200 OK\r\n"));
  EXPECT_THAT(responseHeaders.bytes(), ::testing::Not(HasSubstr("Location")));
}

TEST_F(RedirectServer, NoRedirectReturnsTheRedirectResponseItself) {
  Text responseHeaders;
  const Bytes body = WebRequest(T(server_.Url("/from")), 0, "", nullptr, nullptr, nullptr, &responseHeaders, true);
  EXPECT_EQ(AsString(body), "moved");
  EXPECT_THAT(responseHeaders.bytes(), StartsWith("HTTP/1.1 302 Found\r\n"));
  EXPECT_THAT(responseHeaders.bytes(), HasSubstr("\r\nLocation: /to\r\n"));
}

TEST(WebRequest, RedirectsToOtherSchemesAreNotFollowed) {
  RawRecordingServer elsewhere("", false);
  LoopbackHttpServer server;
  const std::string target = "ftp://127.0.0.1:" + std::to_string(elsewhere.port()) + "/x";
  server.server().Get("/to-ftp", [&](const httplib::Request&, httplib::Response& response) {
    response.set_redirect(target, 302);
  });
  server.Start();

  Text responseHeaders;
  WebRequest(T(server.Url("/to-ftp")), 0, "", nullptr, nullptr, nullptr, &responseHeaders);

  EXPECT_EQ(elsewhere.ConnectionsAccepted(), 0);
  EXPECT_THAT(responseHeaders.bytes(), StartsWith("HTTP/1.1 302 Found\r\n"));
}

TEST(WebRequest, ARedirectLoopEndsAfterTwentyHops) {
  LoopbackHttpServer server;
  std::atomic<int> hits{0};
  server.server().Get("/loop", [&](const httplib::Request&, httplib::Response& response) {
    ++hits;
    response.set_redirect("/loop", 302);
  });
  server.Start();

  WebRequest(T(server.Url("/loop")));

  EXPECT_EQ(hits, 21);  // the first request and twenty redirects
}

TEST(WebRequest, ConsecutiveRequestsToOneHostReuseTheConnection) {
  LoopbackHttpServer server;
  std::mutex mutex;
  std::vector<int> clientPorts;
  server.server().Get("/port", [&](const httplib::Request& request, httplib::Response& response) {
    std::lock_guard<std::mutex> lock(mutex);
    clientPorts.push_back(request.remote_port);
    response.set_content("p", "text/plain");
  });
  server.Start();

  WebRequest(T(server.Url("/port")));
  WebRequest(T(server.Url("/port")));

  std::lock_guard<std::mutex> lock(mutex);
  ASSERT_EQ(clientPorts.size(), 2u);
  EXPECT_EQ(clientPorts[0], clientPorts[1]);
}

TEST(WebRequest, UnreachableServerGivesNothingButStillWritesBack) {
  const std::string url = "http://127.0.0.1:" + std::to_string(testing::UnusedPort()) + "/x";
  Text headers("X-A: 1");
  Text receivedCookies("old");
  Text responseHeaders("old");
  Bytes bodyBytes;

  const Bytes body = WebRequest(T(url), 1, "q=1", nullptr, &receivedCookies, &headers, &responseHeaders, false,
                                &bodyBytes);

  EXPECT_TRUE(body.empty());
  EXPECT_EQ(responseHeaders, BlankText(5000));
  EXPECT_EQ(receivedCookies, Text());
  EXPECT_EQ(headers, T("X-A: 1\r\nAccept: */*\r\nReferer: " + url +
                       "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"));
  EXPECT_EQ(AsString(bodyBytes), "q=1");

  // A merge still takes place when asked for.
  Text cookies("a = 1");
  WebRequest(T(url), 0, "", &cookies, &receivedCookies);
  EXPECT_EQ(cookies, Text("a=1"));
  EXPECT_EQ(receivedCookies, Text("a=1"));
}

TEST(WebRequest, AddressWithoutHostIsNotOpenedAndChangesNothing) {
  Text headers("X-A: 1");
  Text responseHeaders("old");
  Text cookies("a=1");

  const Bytes body = WebRequest("http:///x", 0, "", &cookies, nullptr, &headers, &responseHeaders);

  EXPECT_TRUE(body.empty());
  EXPECT_EQ(headers, Text("X-A: 1"));
  EXPECT_EQ(responseHeaders, Text("old"));
  EXPECT_EQ(cookies, Text("a=1"));
}

// ---------------------------------------------------------------------------
// Proxy

TEST(WebRequest, ProxyServesHttpAddresses) {
  RawRecordingServer proxy;
  const Bytes body = WebRequest("http://media.test/v/1", 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr,
                                T("127.0.0.1:" + std::to_string(proxy.port())));
  EXPECT_EQ(AsString(body), "ok");
  const ParsedRequest request = OnlyRequest(proxy);
  EXPECT_EQ(request.requestLine, "GET http://media.test/v/1 HTTP/1.1");
  EXPECT_THAT(request.headerLines, ::testing::Contains("Host: media.test"));
}

TEST(WebRequest, ProxyServesHttpsAddressesThroughATunnel) {
  RawRecordingServer proxy("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  const Bytes body = WebRequest("https://media.test/v/1", 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr,
                                T("127.0.0.1:" + std::to_string(proxy.port())));
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(OnlyRequest(proxy).requestLine, "CONNECT media.test:443 HTTP/1.1");
}

TEST(WebRequest, EmptyProxyIgnoresProxyEnvironmentVariables) {
  RawRecordingServer proxy;
  RawRecordingServer server(RawRecordingServer::OkResponse("direct"));
  const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.port());
  setenv("http_proxy", proxyUrl.c_str(), 1);
  setenv("HTTP_PROXY", proxyUrl.c_str(), 1);
  setenv("ALL_PROXY", proxyUrl.c_str(), 1);

  const Bytes body = WebRequest(T(server.Url("/d")));

  unsetenv("http_proxy");
  unsetenv("HTTP_PROXY");
  unsetenv("ALL_PROXY");
  EXPECT_EQ(AsString(body), "direct");
  EXPECT_TRUE(proxy.Requests().empty());
}

// ---------------------------------------------------------------------------
// TLS

class TlsServer : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<LoopbackHttpServer>(std::make_unique<httplib::SSLServer>(
        certificate_.certificateFile().c_str(), certificate_.keyFile().c_str()));
    ASSERT_TRUE(server_->server().is_valid());
    server_->server().Get("/s", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("secure", "text/plain");
    });
    server_->Start();
  }
  void TearDown() override { SetTrustedCertificateFile(""); }

  testing::TestCertificate certificate_;
  std::unique_ptr<LoopbackHttpServer> server_;
};

TEST_F(TlsServer, UntrustedCertificateGivesAnEmptyBody) {
  Text responseHeaders;
  const Bytes body = WebRequest(T(server_->Url("/s", true)), 0, "", nullptr, nullptr, nullptr, &responseHeaders);
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(responseHeaders, BlankText(5000));
}

TEST_F(TlsServer, TrustedCertificateGivesTheBodyOverTls) {
  SetTrustedCertificateFile(certificate_.certificateFile());
  // Any letter case of the scheme selects TLS.
  const std::string url = "HTTPS://127.0.0.1:" + std::to_string(server_->port()) + "/s";
  Text responseHeaders;
  const Bytes body = WebRequest(T(url), 0, "", nullptr, nullptr, nullptr, &responseHeaders);
  EXPECT_EQ(AsString(body), "secure");
  EXPECT_THAT(responseHeaders.bytes(), StartsWith("HTTP/1.1 200 OK\r\n"));

  // The same address over plain http reaches no TLS server.
  EXPECT_TRUE(WebRequest(T("http://127.0.0.1:" + std::to_string(server_->port()) + "/s")).empty());
}

// ---------------------------------------------------------------------------
// Abort and progress

// Sends "first" at once, then holds the response open until released.
class SlowServer : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.server().Get("/slow", [this](const httplib::Request&, httplib::Response& response) {
      response.set_chunked_content_provider("text/plain", [this](size_t, httplib::DataSink& sink) {
        sink.write("first", 5);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(40);
        while (!released_ && std::chrono::steady_clock::now() < until) {
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        sink.done();
        return true;
      });
    });
    server_.server().Get("/fast", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("fast", "text/plain");
    });
    server_.Start();
  }
  void TearDown() override { released_ = true; }

  std::atomic<bool> released_{false};
  LoopbackHttpServer server_;
};

TEST_F(SlowServer, AbortFromAnotherThreadEndsTheTransferPromptly) {
  std::atomic<bool> firstBytesArrived{false};
  const TransferObserver observer = [&](std::int64_t received, std::int64_t) {
    if (received > 0) firstBytesArrived = true;
    return true;
  };
  Text responseHeaders;
  auto transfer = std::async(std::launch::async, [&] {
    return WebRequest(T(server_.Url("/slow")), 0, "", nullptr, nullptr, nullptr, &responseHeaders, false, nullptr, "",
                      true, true, observer);
  });
  while (!firstBytesArrived) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }

  AbortAllTransfers();

  // The server would hold the response for 40 s and the stall detector waits 30 s.
  ASSERT_EQ(transfer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(AsString(transfer.get()), "first");
  EXPECT_THAT(responseHeaders.bytes(), StartsWith("HTTP/1.1 200 OK\r\n"));

  // Transfers started after the abort run normally.
  EXPECT_EQ(AsString(WebRequest(T(server_.Url("/fast")))), "fast");
}

TEST(WebRequest, AbortReachesATransferStillWaitingForTheTlsHandshake) {
  RawRecordingServer silent("", false);
  auto transfer = std::async(std::launch::async, [&] { return WebRequest(T(silent.Url("/x", true))); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  AbortAllTransfers();

  ASSERT_EQ(transfer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_TRUE(transfer.get().empty());
}

TEST_F(SlowServer, ObserverReturningFalseEndsTheTransfer) {
  const TransferObserver observer = [](std::int64_t received, std::int64_t) { return received == 0; };
  auto transfer = std::async(std::launch::async, [&] {
    return WebRequest(T(server_.Url("/slow")), 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr, "", true,
                      true, observer);
  });
  ASSERT_EQ(transfer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(AsString(transfer.get()), "first");
}

TEST(WebRequest, ObserverSeesTheWholeBodyAndItsLength) {
  LoopbackHttpServer server;
  const std::string large(300000, 'v');
  server.server().Get("/video", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(large, "video/mp4");
  });
  server.Start();
  std::int64_t lastReceived = -1;
  std::int64_t lastExpected = -2;
  const TransferObserver observer = [&](std::int64_t received, std::int64_t expected) {
    EXPECT_GE(received, lastReceived);
    lastReceived = received;
    lastExpected = expected;
    return true;
  };

  const Bytes body = WebRequest(T(server.Url("/video")), 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr, "",
                                true, true, observer);

  EXPECT_EQ(body.size(), large.size());
  EXPECT_EQ(lastReceived, 300000);
  EXPECT_EQ(lastExpected, 300000);
}

}  // namespace
}  // namespace zorvika
