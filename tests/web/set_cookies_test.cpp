#include "web/set_cookies.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/text_printing.h"

namespace zorvika {
namespace {

TEST(GatherSetCookies, Table) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: sid=1; path=/\r\nSet-Cookie: a=b\r\n\r\n", "sid=1; a=b"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
      {"", ""},
      // Only the exact name followed by ": " counts.
      {"set-cookie: a=1\r\nSET-COOKIE: b=2\r\nSet-Cookie:c=3\r\nSet-Cookie2: d=4", ""},
      // The first pair only; spaces around it trimmed, inside it kept.
      {"Set-Cookie:  x = y ; HttpOnly", "x = y"},
      // A value that mentions the name again is cut out as well (any case).
      {"Set-Cookie: a=set-cookie:b", "a=b"},
      // A line whose first pair is empty still adds its separator.
      {"Set-Cookie: ;x\r\nSet-Cookie: a=1", "; a=1"},
      // A block of 5000 spaces (nothing captured) gathers nothing.
      {"                                        ", ""},
  };
  for (const auto& [block, cookies] : cases) {
    EXPECT_EQ(GatherSetCookies(block), Text(cookies)) << block;
  }
}

}  // namespace
}  // namespace zorvika
