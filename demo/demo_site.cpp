#include "demo/demo_site.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

namespace zorvika::demo {
namespace {

// The listing's download marker "下载视频" in UTF-8.
constexpr const char* kDownloadMarker = "\xE4\xB8\x8B\xE8\xBD\xBD\xE8\xA7\x86\xE9\xA2\x91";

// Bytes handed to the connection per step of a video body.
constexpr std::size_t kChunkBytes = 128 * 1024;

// Size of the body a short response gets.
constexpr std::size_t kShortBodyBytes = 1000;

std::string FromU8(const char8_t* text) {
  return std::string(reinterpret_cast<const char*>(text));
}

// splitmix64: a well-mixed 64-bit value for every input.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t VideoSeed(int page, int index) {
  return Mix((std::uint64_t{static_cast<std::uint32_t>(page)} << 32) | static_cast<std::uint32_t>(index));
}

// The code points of well-formed UTF-8 (the site's own titles).
std::vector<char32_t> CodePoints(const std::string& utf8) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    points.push_back(point);
    i += 1 + extra;
  }
  return points;
}

std::string Hex(unsigned value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(digits, '0');
  for (int k = digits - 1; k >= 0; --k, value >>= 4) text[k] = kDigits[value & 0xF];
  return text;
}

// The title as the data-text attribute holds it: letters, digits, "-", "_" and
// "." stay; other characters up to U+00FF become %XX; the rest become one
// escape per UTF-16 unit, %uXXXX or, for odd entries, \uXXXX.
std::string EscapeTitle(const std::string& utf8Title, int entryIndex) {
  const std::string unitIntroducer = entryIndex % 2 == 0 ? "%u" : "\\u";
  std::string escaped;
  for (char32_t point : CodePoints(utf8Title)) {
    bool plain = (point >= '0' && point <= '9') || (point >= 'A' && point <= 'Z') || (point >= 'a' && point <= 'z') ||
                 point == '-' || point == '_' || point == '.';
    if (plain) {
      escaped += static_cast<char>(point);
    } else if (point <= 0xFF) {
      escaped.append("%").append(Hex(point, 2));
    } else if (point <= 0xFFFF) {
      escaped.append(unitIntroducer).append(Hex(point, 4));
    } else {
      char32_t offset = point - 0x10000;
      escaped.append(unitIntroducer).append(Hex(0xD800 + (offset >> 10), 4));
      escaped.append(unitIntroducer).append(Hex(0xDC00 + (offset & 0x3FF), 4));
    }
  }
  return escaped;
}

std::string HtmlText(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::vector<SitePage> DemoPages() {
  constexpr std::size_t kRate = 1024 * 1024;
  auto video = [](const char8_t* title, std::size_t size) { return SiteVideo{FromU8(title), size, 0, 0, kRate}; };
  return {
      {1,
       {video(u8"春天的第一场雨", 330000), video(u8"猫咪和毛线球", 280000),
        video(u8"城市夜景延时摄影", 420000), video(u8"Vlog：周末去爬山", 250000)}},
      {2,
       {video(u8"海边日落", 300000), video(u8"手工包饺子", 360000), video(u8"小狗学会了握手", 240000)}},
      {3,
       {video(u8"古镇一日游", 390000), video(u8"吉他弹唱《晴天》", 310000), video(u8"健身第30天", 270000),
        video(u8"家常红烧肉做法", 350000)}},
  };
}

void FillVideoBytes(int page, int index, std::uint64_t offset, char* out, std::size_t n) {
  const std::uint64_t seed = VideoSeed(page, index);
  std::size_t done = 0;
  while (done < n) {
    const std::uint64_t position = offset + done;
    const std::uint64_t word = Mix(seed + position / 8);
    const std::size_t inWord = position % 8;
    const std::size_t take = std::min<std::size_t>(8 - inWord, n - done);
    unsigned char bytes[8];
    for (int k = 0; k < 8; ++k) bytes[k] = static_cast<unsigned char>(word >> (8 * k));
    std::memcpy(out + done, bytes + inWord, take);
    done += take;
  }
}

std::string VideoBody(int page, int index, std::size_t size) {
  std::string body(size, '\0');
  FillVideoBytes(page, index, 0, body.data(), size);
  return body;
}

std::string ListingPageHtml(const SitePage& page, const std::string& hostPort) {
  const std::string number = std::to_string(page.number);
  std::string html =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Zorvika demo " + number +
      "</title></head>\n<body>\n<nav><a href=\"/video/" + std::to_string(page.number - 1) + "\">&lt;</a> " + number +
      " <a href=\"/video/" + std::to_string(page.number + 1) + "\">&gt;</a></nav>\n<ul class=\"videos\">\n";
  for (std::size_t i = 0; i < page.videos.size(); ++i) {
    const SiteVideo& video = page.videos[i];
    html += "<li class=\"video\">\n  <span class=\"badge\">" + std::string(kDownloadMarker) + "</span>\n";
    html += "  <p class=\"title\" data-text=\"" + EscapeTitle(video.utf8Title, static_cast<int>(i)) + "\">" +
            HtmlText(video.utf8Title) + "</p>\n";
    html += "  <a href=\"http://" + hostPort + "/v/" + number + "/" + std::to_string(i) +
            "\">mp4</a>\n</li>\n";
  }
  html += "</ul>\n</body></html>\n";
  return html;
}

struct DemoSite::State {
  std::vector<SitePage> pages;
  httplib::Server server;
  std::thread listener;
  int port = 0;
  std::atomic<bool> stopping{false};

  mutable std::mutex mutex;
  mutable std::condition_variable changed;
  std::vector<RequestRecord> records;
  std::map<std::pair<int, int>, int> requestsPerVideo;

  std::string HostPort() const { return "127.0.0.1:" + std::to_string(port); }

  const SitePage* FindPage(int number) const {
    for (const SitePage& page : pages) {
      if (page.number == number) return &page;
    }
    return nullptr;
  }

  std::size_t Record(const std::string& path, std::size_t announced, std::size_t sent, bool finished) {
    std::lock_guard<std::mutex> lock(mutex);
    records.push_back(RequestRecord{path, announced, sent, finished});
    changed.notify_all();
    return records.size() - 1;
  }

  void AddSent(std::size_t record, std::size_t bytes) {
    std::lock_guard<std::mutex> lock(mutex);
    records[record].bodySent += bytes;
  }

  void Finish(std::size_t record) {
    std::lock_guard<std::mutex> lock(mutex);
    records[record].finished = true;
    changed.notify_all();
  }

  // 0 for the first request of this video, then 1, 2, ...
  int CountRequest(int page, int index) {
    std::lock_guard<std::mutex> lock(mutex);
    return requestsPerVideo[{page, index}]++;
  }

  // Sleeps until `when` in short slices; false when the site is stopping.
  bool SleepUntil(std::chrono::steady_clock::time_point when) const {
    while (!stopping) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= when) return true;
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(std::chrono::milliseconds(20), when - now));
    }
    return false;
  }

  void ServeListing(const httplib::Request& request, httplib::Response& response) {
    const int number = std::stoi(request.matches[1].str());
    const SitePage* page = FindPage(number);
    const std::string html = page != nullptr ? ListingPageHtml(*page, HostPort())
                                             : ListingPageHtml(SitePage{number, {}}, HostPort());
    if (page == nullptr) response.status = 404;
    response.set_content(html, "text/html; charset=utf-8");
    Record(request.path, html.size(), html.size(), true);
  }

  void ServeVideo(const httplib::Request& request, httplib::Response& response) {
    const int pageNumber = std::stoi(request.matches[1].str());
    const int index = std::stoi(request.matches[2].str());
    const SitePage* page = FindPage(pageNumber);
    if (page == nullptr || index < 0 || index >= static_cast<int>(page->videos.size())) {
      response.status = 404;
      response.set_content("not found", "text/plain");
      Record(request.path, 9, 9, true);
      return;
    }
    const SiteVideo& video = page->videos[index];
    const int requestNumber = CountRequest(pageNumber, index);
    if (requestNumber < video.shortResponses) {
      response.set_content(VideoBody(pageNumber, index, std::min(kShortBodyBytes, video.size)), "video/mp4");
      const std::size_t length = response.body.size();
      Record(request.path, length, length, true);
      return;
    }
    const bool cut = requestNumber < video.shortResponses + video.cutResponses;
    const std::size_t record = Record(request.path, video.size, 0, false);
    StreamVideo(response, pageNumber, index, video, cut ? video.size / 2 : video.size, record);
  }

  // Sends the body of `video` up to `limit` bytes, paced when the video asks for
  // it; when `limit` is below the size the connection is closed there.
  void StreamVideo(httplib::Response& response, int pageNumber, int index, const SiteVideo& video, std::size_t limit,
                   std::size_t record) {
    auto buffer = std::make_shared<std::string>(kChunkBytes, '\0');
    const auto start = std::chrono::steady_clock::now();
    const std::size_t rate = video.bytesPerSecond;
    const std::size_t chunkBytes = rate == 0 ? kChunkBytes : std::clamp<std::size_t>(rate / 20, 1024, kChunkBytes);
    response.set_content_provider(
        video.size, "video/mp4",
        [this, buffer, start, rate, chunkBytes, limit, pageNumber, index, record](
            std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          if (stopping || offset >= limit) return false;
          const std::size_t n = std::min({chunkBytes, length, limit - offset});
          if (rate != 0) {
            const auto due = start + std::chrono::microseconds((offset + n) * 1000000 / rate);
            if (!SleepUntil(due)) return false;
          }
          FillVideoBytes(pageNumber, index, offset, buffer->data(), n);
          if (!sink.write(buffer->data(), n)) return false;
          AddSent(record, n);
          return true;
        },
        [this, record](bool) { Finish(record); });
  }
};

DemoSite::DemoSite(std::vector<SitePage> pages, int port) : state_(std::make_unique<State>()) {
  State& state = *state_;
  state.pages = std::move(pages);
  state.server.Get(R"(/video/(-?\d+))", [&state](const httplib::Request& request, httplib::Response& response) {
    state.ServeListing(request, response);
  });
  state.server.Get(R"(/v/(-?\d+)/(\d+))", [&state](const httplib::Request& request, httplib::Response& response) {
    state.ServeVideo(request, response);
  });
  // One request per connection: no idle connection holds up the shutdown.
  state.server.set_keep_alive_max_count(1);

  if (port == 0) {
    state.port = state.server.bind_to_any_port("127.0.0.1");
  } else if (state.server.bind_to_port("127.0.0.1", port)) {
    state.port = port;
  } else {
    state.port = -1;
  }
  if (state.port <= 0) throw std::runtime_error("demo site: cannot listen on 127.0.0.1");

  state.listener = std::thread([&state] { state.server.listen_after_bind(); });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!state.server.is_running()) {
    if (std::chrono::steady_clock::now() > deadline) {
      state.server.stop();
      state.listener.join();
      throw std::runtime_error("demo site: the server did not start");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

DemoSite::~DemoSite() {
  state_->stopping = true;
  state_->server.stop();
  state_->listener.join();
}

int DemoSite::Port() const { return state_->port; }

std::string DemoSite::HostPort() const { return state_->HostPort(); }

std::string DemoSite::VideoAddress(int page, int index) const {
  return "http://" + HostPort() + "/v/" + std::to_string(page) + "/" + std::to_string(index);
}

std::vector<RequestRecord> DemoSite::Requests() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->records;
}

bool DemoSite::WaitUntilIdle(int timeoutMs) const {
  std::unique_lock<std::mutex> lock(state_->mutex);
  return state_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] {
    return std::all_of(state_->records.begin(), state_->records.end(),
                       [](const RequestRecord& record) { return record.finished; });
  });
}

}  // namespace zorvika::demo
