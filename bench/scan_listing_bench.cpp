// Speed of ScanListing over a listing page of the size the site serves at most:
// 10 MiB of code page 936 markup holding 20,000 entries, mostly ASCII tags with
// Chinese titles. Target: at least 300 MB of page text per second on one core.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "batch/listing_scan.h"

namespace zorvika {
namespace {

constexpr int kEntries = 20000;
constexpr std::size_t kPageBytes = 10u * 1024 * 1024;

// A Chinese title of 8 to 20 characters from the first level of GB2312
// (first byte 0xB0-0xD7, second byte 0xA1-0xFE), chosen by a fixed sequence.
std::string ChineseTitle(std::uint32_t& seed) {
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  std::string title;
  const std::uint32_t characters = 8 + next() % 13;
  for (std::uint32_t i = 0; i < characters; ++i) {
    title.push_back(static_cast<char>(0xB0 + next() % 0x28));
    title.push_back(static_cast<char>(0xA1 + next() % 0x5E));
  }
  return title;
}

// The listing page, built directly in code page 936. Each entry is padded with a
// description paragraph so that the whole page comes to kPageBytes.
std::string ListingPage() {
  const std::string marker = "\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5";  // 下载视频
  const std::size_t bytesPerEntry = kPageBytes / kEntries;
  std::uint32_t seed = 20240611;
  std::string page;
  page.reserve(kPageBytes + 4096);
  for (int n = 1; n <= kEntries; ++n) {
    const std::string id = std::to_string(n);
    const std::string title = ChineseTitle(seed);
    std::string entry = "<li class=\"video-item\" data-id=\"" + id +
                        "\"><div class=\"thumb\"><a class=\"cover\" href=\"/v/" + id +
                        "\"><img src=\"https://img.example.com/thumbs/2024/06/" + id +
                        ".jpg\" alt=\"\"></a></div>"
                        "<div class=\"meta\"><span class=\"views\">12.3k</span><span class=\"time\">03:21</span>"
                        "</div><button class=\"dl\" type=\"button\">" + marker +
                        "</button><span class=\"title\" data-text=\"" + title + "\">" + title +
                        "</span><a href=\"https://cdn.example.com/videos/2024/06/" + id +
                        ".mp4\" class=\"go\">&gt;</a><p class=\"desc\">";
    const std::string close = "</p></li>\n";
    if (entry.size() + close.size() < bytesPerEntry) entry.append(bytesPerEntry - entry.size() - close.size(), 'x');
    page += entry + close;
  }
  if (page.size() < kPageBytes) page.append(kPageBytes - page.size(), ' ');
  return page;
}

void BM_ScanListing(benchmark::State& state) {
  const Text page(ListingPage());
  int entries = 0;
  for (auto _ : state) {
    entries = 0;
    ScanListing(page, [&entries](const ListingEntry& entry) {
      benchmark::DoNotOptimize(entry.videoAddress.c_str());
      ++entries;
    });
  }
  if (entries != kEntries) state.SkipWithError("the page did not yield 20,000 entries");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * page.length());
  state.counters["page_MB"] = page.length() / 1e6;
  state.counters["MB_per_s"] =
      benchmark::Counter(static_cast<double>(page.length()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScanListing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvika

BENCHMARK_MAIN();
