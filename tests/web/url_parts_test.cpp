#include "web/url_parts.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/text_printing.h"

namespace zorvika {
namespace {

struct HostCase {
  const char* url;
  bool rootOnly;
  bool keepPort;
  std::optional<int> levels;
  const char* host;
};

TEST(UrlHost, Table) {
  const std::vector<HostCase> cases = {
      {"http://cdn.media.test/video/12", false, false, std::nullopt, "cdn.media.test"},
      {"HTTPS://CDN.Media.Test:8443/a", false, false, std::nullopt, "cdn.media.test"},
      {"HTTPS://CDN.Media.Test:8443/a", false, true, std::nullopt, "cdn.media.test:8443"},
      {"cdn.media.test/a", false, false, std::nullopt, "cdn.media.test"},
      {"cdn.media.test", false, false, std::nullopt, "cdn.media.test"},
      {"", false, false, std::nullopt, ""},
      // A scheme somewhere later still counts: no "http://" is put in front.
      {"x http://media.test/a", false, false, std::nullopt, "media.test"},
      // rootOnly keeps the last two labels; the port is cut only after that.
      {"http://cdn.media.test/", true, false, std::nullopt, "media.test"},
      {"http://localhost/", true, false, std::nullopt, "localhost"},
      {"http://a.media.test:81/", true, false, std::nullopt, "media.test"},
      {"http://a.media.test:81/", true, true, std::nullopt, "media.test:81"},
      // A query right after the host stays in the host.
      {"http://media.test?x=1", false, false, std::nullopt, "media.test?x=1"},
      // Label counting: levels + 2 labels, levels + 1 with rootOnly.
      {"http://a.b.media.test/x", false, false, 0, "media.test"},
      {"http://a.b.media.test/x", true, false, 0, "test"},
      {"http://a.b.media.test/x", false, false, 1, "b.media.test"},
      {"http://a.b.media.test/x", true, false, 1, "media.test"},
      {"http://a.b.media.test/x", false, false, 2, "a.b.media.test"},
      {"http://a.b.media.test/x", true, false, 2, "b.media.test"},
      {"http://a.b.media.test/x", false, false, -3, "media.test"},
      {"https://a.b.media.test/x", false, false, 9, "a.b.media.test"},
      // Label counting never counts a dot in the last byte.
      {"http://a.b.test./", false, false, 0, "b.test."},
      // The port comes out with label counting too, unless kept.
      {"http://a.b.media.test:8080/x", false, false, 0, "media.test"},
      {"http://a.b.media.test:8080/x", false, true, 0, "media.test:8080"},
      {"http://localhost/", true, false, 0, "localhost"},
  };
  for (const HostCase& c : cases) {
    EXPECT_EQ(UrlHost(c.url, c.rootOnly, c.keepPort, c.levels), Text(c.host))
        << c.url << " rootOnly=" << c.rootOnly << " keepPort=" << c.keepPort
        << " levels=" << (c.levels ? std::to_string(*c.levels) : "none");
  }
}

TEST(UrlPort, Table) {
  const std::vector<std::pair<const char*, int>> cases = {
      {"http://media.test/x", 80},        {"https://media.test/x", 443},
      {"HTTPS://media.test", 443},        {"http://media.test:8080/x", 8080},
      {"http://media.test:/x", 0},        {"https://media.test:8443", 8443},
      {"media.test:81/a", 81},            {"", 80},
      {"http://media.test:abc/", 0},
  };
  for (const auto& [url, port] : cases) {
    EXPECT_EQ(UrlPort(url), port) << url;
  }
}

TEST(UrlPath, Table) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"http://media.test/video/3", "/video/3"},
      {"HTTP://Media.Test:8080/A?b=1", "/A?b=1"},
      {"http://media.test", "/"},
      {"", "/"},
      {"media.test/a/b", "/a/b"},
      {"http://media.test?x=1", "/"},
      // The host is found ignoring case, the path keeps the caller's case.
      {"http://MEDIA.test/Index.HTML#top", "/Index.HTML#top"},
  };
  for (const auto& [url, path] : cases) {
    EXPECT_EQ(UrlPath(url), Text(path)) << url;
  }
}

}  // namespace
}  // namespace zorvika
