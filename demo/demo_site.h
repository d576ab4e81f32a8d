// A small short-video site on 127.0.0.1 for the demo mode and the tests: listing
// pages at /video/<n> in UTF-8 with escaped Chinese titles, and generated video
// bodies at /v/<page>/<index>. It runs in its own threads until destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorvika::demo {

// One video of a listing page.
struct SiteVideo {
  // The title as the page shows it; the page's data-text attribute holds it
  // escaped (%uXXXX, \uXXXX, %XX).
  std::string utf8Title;
  // Bytes of the body served.
  std::size_t size = 0;
  // Test hooks, all off by default:
  // the first `shortResponses` requests get a complete body of 1000 bytes;
  int shortResponses = 0;
  // the next `cutResponses` requests announce `size` bytes but the connection
  // closes after half of them;
  int cutResponses = 0;
  // the body is sent at this rate (0: as fast as the connection takes it).
  std::size_t bytesPerSecond = 0;
};

// One listing page, served at /video/<number>.
struct SitePage {
  int number = 0;
  std::vector<SiteVideo> videos;
};

// The demo content: pages 1 to 3, a few videos each, Chinese titles, bodies of
// a few hundred KB, sent at about 1 MB/s so that progress can be seen.
std::vector<SitePage> DemoPages();

// Byte `offset` of the body of video `index` (from 0) of page `page` is a fixed
// function of the three: FillVideoBytes writes bytes [offset, offset + n).
void FillVideoBytes(int page, int index, std::uint64_t offset, char* out, std::size_t n);

// The whole body of that video at `size` bytes.
// VideoBody(1, 0, 300000) is what the site serves at /v/1/0 for a 300000-byte video.
std::string VideoBody(int page, int index, std::size_t size);

// The UTF-8 listing page that DemoSite serves for `page` with the given host and
// port in its video addresses.
std::string ListingPageHtml(const SitePage& page, const std::string& hostPort);

// One request the site answered, in arrival order.
struct RequestRecord {
  std::string path;
  // Body bytes announced (Content-Length) and actually handed to the connection.
  std::size_t bodyAnnounced = 0;
  std::size_t bodySent = 0;
  // True once the site has finished with the request (all sent, or gave up).
  bool finished = false;
};

class DemoSite {
 public:
  // Listens on 127.0.0.1:port (0: a free port chosen by the system) and returns
  // once it accepts connections. Throws std::runtime_error when it cannot bind.
  explicit DemoSite(std::vector<SitePage> pages, int port = 0);
  // Stops listening, ends running transfers and joins the server's threads.
  ~DemoSite();

  DemoSite(const DemoSite&) = delete;
  DemoSite& operator=(const DemoSite&) = delete;

  int Port() const;
  // "127.0.0.1:PORT", the site host to give the batch job.
  std::string HostPort() const;
  // "http://127.0.0.1:PORT/v/<page>/<index>", as the listing names it.
  std::string VideoAddress(int page, int index) const;

  // Every request so far, in arrival order.
  std::vector<RequestRecord> Requests() const;
  // Waits until every request so far is finished; false after `timeoutMs`.
  bool WaitUntilIdle(int timeoutMs) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zorvika::demo
