#include "extract/utf8_to_gbk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "extract/codepage.h"
#include "extract/iconv_reference.h"

namespace zorvika {
namespace {

using reference::IconvConvert;
using reference::Utf8Of;

Bytes BytesOf(const std::string& bytes) { return Bytes(bytes.begin(), bytes.end()); }

struct Case {
  const char* name;
  std::string utf8;
  std::string gbk;
};

TEST(Utf8ToGbkTest, Cases) {
  const Case cases[] = {
      {"empty body", "", ""},
      {"plain ASCII is unchanged", "<a href=\"/v/1?x=2\">ok</a>\r\n", "<a href=\"/v/1?x=2\">ok</a>\r\n"},
      {"the marker 下载视频", "\xE4\xB8\x8B\xE8\xBD\xBD\xE8\xA7\x86\xE9\xA2\x91",
       "\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5"},
      {"Hangul syllable, text around it intact", "a\xEA\xB0\x80\xE4\xB8\xAD" "b", "a?\xD6\xD0" "b"},
      {"emoji is one ?", "a\xF0\x9F\x98\x80" "b", "a?b"},
      {"U+FFFD itself", "\xEF\xBF\xBD", "?"},
      {"euro sign becomes 0x80", "\xE2\x82\xAC" "5", "\x80" "5"},
      {"zero byte in the middle ends the text", std::string("ab\0cd", 5), "ab"},
      {"zero byte first gives empty text", std::string("\0ab", 3), ""},
      {"lone continuation byte", "a\x80" "b", "a?b"},
      {"truncated sequence in the middle", "a\xE4\xB8" "b", "a?b"},
      {"truncated sequence at the end", "a\xE4\xB8", "a?"},
      {"overlong form", "a\xC0\xAF" "b", "a??b"},
      {"encoded surrogate", "a\xED\xA0\x80" "b", "a???b"},
      {"above U+10FFFF", "a\xF4\x90\x80\x80" "b", "a????b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToGbk(BytesOf(c.utf8)).bytes(), c.gbk) << c.name;
  }
}

// A large body is converted in slices; whatever sequence straddles a slice
// border must convert exactly as it does in one piece.
TEST(Utf8ToGbkTest, SequencesAcrossSliceBordersConvertAsInOnePiece) {
  const std::string pieces[] = {
      "\xE4\xB8\x8B",            // 下
      "\xF0\x9F\x98\x80",        // emoji
      "\xE4\xB8",                // truncated
      "\xC0\xAF",                // overlong
      std::string(40, '\x80'),    // run of continuation bytes
  };
  for (size_t border = 4096; border <= 65536; border *= 2) {
    for (size_t before = border - 5; before <= border + 2; ++before) {
      for (const std::string& piece : pieces) {
        const std::string body = std::string(before, 'a') + piece + "b";
        EXPECT_EQ(Utf8ToGbk(BytesOf(body)), Utf16ToGbk(Utf8ToUtf16(body)))
            << "piece after " << before << " bytes";
      }
    }
  }
}

// A listing-like page of `entries` entries: ASCII markup around titles of
// Chinese characters and punctuation, with the download marker. When
// `unmappableEvery` is above 0, every so many titles carry an emoji or a Hangul
// syllable; `withQuestionMarks` is the same page with "?" in their place.
struct Page {
  std::string utf8;
  std::string withQuestionMarks;
};

Page ChinesePage(int entries, int unmappableEvery) {
  const std::string marker = "\xE4\xB8\x8B\xE8\xBD\xBD\xE8\xA7\x86\xE9\xA2\x91";  // 下载视频
  std::uint32_t seed = 20240611;
  auto random = [&seed](std::uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
  };
  Page page;
  auto add = [&page](const std::string& both) {
    page.utf8 += both;
    page.withQuestionMarks += both;
  };
  add("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body><ul class=\"list\">\n");
  for (int entry = 1; entry <= entries; ++entry) {
    add("<li class=\"item\"><span data-text=\"");
    for (int k = 0; k < 10 + static_cast<int>(random(20)); ++k) {
      add(Utf8Of(0x4E00 + random(0x9FA6 - 0x4E00)));  // CJK unified ideographs, all in GBK
    }
    add(Utf8Of(0xFF0C) + "abc" + Utf8Of(0x3002));  // ，abc。
    if (unmappableEvery > 0 && entry % unmappableEvery == 0) {
      page.utf8 += Utf8Of(entry % 2 == 0 ? 0x1F600 : 0xAC00);  // 😀 or 가
      page.withQuestionMarks += "?";
    }
    add("\">" + marker + "</span> <a href=\"/video/" + std::to_string(entry) + ".mp4\">\xE2\x86\x93</a></li>\n");
  }
  add("</ul></body></html>\n");
  return page;
}

TEST(Utf8ToGbkTest, PageSizedBodyMatchesIconv) {
  const Page page = ChinesePage(3000, 0);
  ASSERT_GT(page.utf8.size(), 200000u);
  const std::optional<std::string> expected = IconvConvert("CP936", "UTF-8", page.utf8);
  ASSERT_TRUE(expected.has_value());
  EXPECT_EQ(Utf8ToGbk(BytesOf(page.utf8)).bytes(), *expected);
}

TEST(Utf8ToGbkTest, PageWithUnmappableCharactersKeepsEverythingElse) {
  const Page page = ChinesePage(3000, 7);
  const std::optional<std::string> expected = IconvConvert("CP936", "UTF-8", page.withQuestionMarks);
  ASSERT_TRUE(expected.has_value());
  EXPECT_EQ(Utf8ToGbk(BytesOf(page.utf8)).bytes(), *expected);
}

}  // namespace
}  // namespace zorvika
