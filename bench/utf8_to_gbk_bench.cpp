// Utf8ToGbk over 50 MB of mostly Chinese UTF-8 markup: once clean, once with one
// character in a thousand that code page 936 cannot show (an emoji or a Hangul
// syllable, as titles carry them).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "extract/utf8_to_gbk.h"

namespace {

constexpr size_t kPageBytes = 50u * 1000 * 1000;

void AppendUtf8(zorvika::Bytes& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<unsigned char>(codePoint));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<unsigned char>(0xE0 | codePoint >> 12));
    out.push_back(static_cast<unsigned char>(0x80 | (codePoint >> 6 & 0x3F)));
    out.push_back(static_cast<unsigned char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<unsigned char>(0xF0 | codePoint >> 18));
    out.push_back(static_cast<unsigned char>(0x80 | (codePoint >> 12 & 0x3F)));
    out.push_back(static_cast<unsigned char>(0x80 | (codePoint >> 6 & 0x3F)));
    out.push_back(static_cast<unsigned char>(0x80 | (codePoint & 0x3F)));
  }
}

// Listing-like markup: short ASCII tags around long titles of CJK ideographs and
// Chinese punctuation. With `unmappableEvery` above 0, every so many characters
// one is replaced by an emoji or a Hangul syllable.
zorvika::Bytes ChineseMarkup(int unmappableEvery) {
  zorvika::Bytes page;
  page.reserve(kPageBytes + 1024);
  std::uint32_t seed = 42;
  std::uint64_t characters = 0;
  auto add = [&](char32_t codePoint) {
    ++characters;
    if (unmappableEvery > 0 && characters % unmappableEvery == 0) {
      codePoint = (characters / unmappableEvery) % 2 == 0 ? 0x1F600 : 0xAC00;
    }
    AppendUtf8(page, codePoint);
  };
  auto addAscii = [&](const std::string& ascii) {
    for (char c : ascii) add(static_cast<unsigned char>(c));
  };
  int entry = 0;
  while (page.size() < kPageBytes) {
    addAscii("<li><a href=\"/video/" + std::to_string(++entry) + "\" data-text=\"");
    for (int k = 0; k < 40; ++k) {
      seed = seed * 1664525u + 1013904223u;
      add(0x4E00 + (seed >> 8) % (0x9FA6 - 0x4E00));
      if (k % 10 == 9) add(0xFF0C);  // ，
    }
    add(0x3002);  // 。
    addAscii("\">");
    for (char32_t c : {0x4E0B, 0x8F7D, 0x89C6, 0x9891}) add(c);  // 下载视频
    addAscii("</a></li>\n");
  }
  return page;
}

void RunUtf8ToGbk(benchmark::State& state, const zorvika::Bytes& page) {
  for (auto _ : state) {
    zorvika::Text text = zorvika::Utf8ToGbk(page);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(page.size()));
}

void BM_Utf8ToGbkClean(benchmark::State& state) {
  static const zorvika::Bytes page = ChineseMarkup(0);
  RunUtf8ToGbk(state, page);
}
BENCHMARK(BM_Utf8ToGbkClean)->Unit(benchmark::kMillisecond);

void BM_Utf8ToGbkOneUnmappableInAThousand(benchmark::State& state) {
  static const zorvika::Bytes page = ChineseMarkup(1000);
  RunUtf8ToGbk(state, page);
}
BENCHMARK(BM_Utf8ToGbkOneUnmappableInAThousand)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
