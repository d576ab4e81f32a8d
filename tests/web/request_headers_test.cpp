#include "web/request_headers.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/text_printing.h"

namespace zorvika {
namespace {

TEST(ChooseUserAgent, Table) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"", kDefaultUserAgent},
      {"Accept: */*", kDefaultUserAgent},
      {"X-A: 1\r\nUser-Agent: Foo ", "Foo"},
      {"User-Agent: Foo\r\nX-A: 1", "Foo"},
      // Only the exact spelling is found between markers; otherwise everything
      // after the block's first colon is taken, the rest of the block included.
      {"user-agent: Foo", "Foo"},
      {"user-agent: Foo\r\nX-A: 1", "Foo\r\nX-A: 1"},
      {"X-A: 1\r\nuser-agent: Foo", "1\r\nuser-agent: Foo"},
      // An empty exact value also falls back to the first colon.
      {"X-A: 1\r\nUser-Agent: ", "1\r\nUser-Agent:"},
  };
  for (const auto& [headers, agent] : cases) {
    EXPECT_EQ(ChooseUserAgent(headers), Text(agent)) << headers;
  }
}

TEST(AddDefaultHeaders, Table) {
  struct Case {
    const char* headers;
    int method;
    const char* block;
  };
  const char* url = "http://media.test/video/2";
  const std::vector<Case> cases = {
      {"", 0, "Accept: */*\r\nReferer: http://media.test/video/2\r\nAccept-Language: zh-cn"},
      {"", 1,
       "Accept: */*\r\nReferer: http://media.test/video/2\r\nAccept-Language: zh-cn"
       "\r\nContent-Type: application/x-www-form-urlencoded"},
      // Only method 1 gets the Content-Type line.
      {"", 3, "Accept: */*\r\nReferer: http://media.test/video/2\r\nAccept-Language: zh-cn"},
      // Presence tests ignore case and look at the whole block, values included.
      {"ACCEPT: text/html", 0, "ACCEPT: text/html\r\nReferer: http://media.test/video/2\r\nAccept-Language: zh-cn"},
      {"X-Note: referer: none", 0, "X-Note: referer: none\r\nAccept: */*\r\nAccept-Language: zh-cn"},
      // "Accept-Language:" does not contain "Accept:".
      {"Accept-Language: en", 0, "Accept-Language: en\r\nAccept: */*\r\nReferer: http://media.test/video/2"},
      {"content-type: text/plain", 1,
       "content-type: text/plain\r\nAccept: */*\r\nReferer: http://media.test/video/2\r\nAccept-Language: zh-cn"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddDefaultHeaders(c.headers, url, c.method), Text(c.block)) << c.headers << " method " << c.method;
  }
}

TEST(NormalizeHeaders, Table) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"user-agent: A\r\ncontent-TYPE: b", "User-Agent: A\r\nContent-TYPE: b"},
      {"Host:x\r\n\r\naccept: */*", "Accept: */*"},
      {"X-Empty: ", "X-Empty: "},
      {"Referer: a: b", "Referer: "},
      {"x-: 1", "X: 1"},
      {"-a: 1", "-A: 1"},
      {"Host:x\r\nnothing here", ""},
      {"", ""},
      // A two-byte first character stays as it is; values are copied unchanged.
      {"\xC3\xFB: value x", "\xC3\xFB: value x"},
      {"a: B\r\n", "A: B"},
  };
  for (const auto& [headers, normalized] : cases) {
    EXPECT_EQ(NormalizeHeaders(headers), Text(normalized)) << headers;
  }
}

TEST(CapitalizeFirst, Table) {
  EXPECT_EQ(CapitalizeFirst("accept"), Text("Accept"));
  EXPECT_EQ(CapitalizeFirst("Accept"), Text("Accept"));
  EXPECT_EQ(CapitalizeFirst("x"), Text("X"));
  EXPECT_EQ(CapitalizeFirst("1a"), Text("1a"));
  EXPECT_EQ(CapitalizeFirst(""), Text(""));
  EXPECT_EQ(CapitalizeFirst("\xB0\xA1z"), Text("\xB0\xA1z"));
}

TEST(AppendCookieHeader, Table) {
  struct Case {
    const char* headers;
    const char* cookies;
    const char* block;
  };
  const std::vector<Case> cases = {
      {"A: 1", "a=1; b=2", "A: 1\r\nCookie: a=1; b=2"},
      {"A: 1", "Cookie: a=1", "A: 1\r\nCookie: a=1"},
      {"A: 1", "", "A: 1"},
      {"", "a=1", "\r\nCookie: a=1"},
      // "Cookie:" is looked for with exact case.
      {"A: 1", "cookie: a=1", "A: 1\r\nCookie: cookie: a=1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AppendCookieHeader(c.headers, c.cookies), Text(c.block)) << c.headers << " / " << c.cookies;
  }
}

}  // namespace
}  // namespace zorvika
