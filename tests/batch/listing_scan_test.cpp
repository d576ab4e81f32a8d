// The listing scan over code page 936 pages built byte by byte: entries in page
// order, numbered from 1 on every page, and the running-position rules that
// decide what an entry gets when its attribute or anchor is missing.
#include "batch/listing_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_ops.h"
#include "core/text_printing.h"

namespace zorvika {
namespace {

const Text kMarker = "\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5";  // 下载视频
const Text kCat = "\xC3\xA8\xDF\xE4";                     // 猫咪
const Text kDog = "\xD0\xA1\xB9\xB7";                     // 小狗
const Text kPanda = "\xD0\xDC\xC3\xA8";                   // 熊猫
const Text kPreface = "\xC7\xB0\xD1\xD4";                 // 前言

// One entry as the site lays it out: the marker, the title attribute, the anchor.
Text Entry(const Text& title, const Text& address) {
  return Concat({"<li><button>", kMarker, "</button><span data-text=\"", title, "\">", title,
                 "</span><a href=\"", address, "\">go</a></li>\n"});
}

Text MarkerButton() { return Concat({"<li><button>", kMarker, "</button>"}); }
Text TitleSpan(const Text& title) { return Concat({"<span data-text=\"", title, "\"></span>"}); }
Text Anchor(const Text& address) { return Concat({"<a href=\"", address, "\">go</a>"}); }

// Entries as readable lines, so a failure shows every field.
std::vector<std::string> Lines(const std::vector<ListingEntry>& entries) {
  std::vector<std::string> lines;
  for (const ListingEntry& entry : entries) {
    lines.push_back(std::to_string(entry.sequence) + " " + testing::PrintToString(entry.rawTitle) + " " +
                    testing::PrintToString(entry.videoAddress));
  }
  return lines;
}

struct ScanCase {
  const char* what;
  Text page;
  std::vector<ListingEntry> expected;
};

TEST(ListingScanTest, Cases) {
  const std::vector<ScanCase> cases = {
      {"three entries in page order",
       Concat({"<ul>", Entry(kCat, "https://v.example/1.mp4"), Entry(kDog, "https://v.example/2.mp4"),
               Entry(kPanda, "https://v.example/3.mp4"), "</ul>"}),
       {{1, kCat, "https://v.example/1.mp4"}, {2, kDog, "https://v.example/2.mp4"},
        {3, kPanda, "https://v.example/3.mp4"}}},
      {"empty page", Text(), {}},
      {"no marker, though attributes and anchors are there",
       Concat({TitleSpan(kCat), Anchor("/a"), TitleSpan(kDog), Anchor("/b")}), {}},
      {"attribute and anchor before the first marker are not taken",
       Concat({TitleSpan(kPreface), Anchor("/top"), Entry(kCat, "/1"), Entry(kDog, "/2")}),
       {{1, kCat, "/1"}, {2, kDog, "/2"}}},
      {"capitals DATA-TEXT= and A HREF=",
       Concat({MarkerButton(), "<SPAN DATA-TEXT=\"", kCat, "\"></SPAN><A HREF=\"/CAPS.mp4\">go</A>"}),
       {{1, kCat, "/CAPS.mp4"}}},
      {"escapes stay in the raw title",
       Entry("%u4E2D%u6587 \\u732b &amp;#39;", "/e.mp4"),
       {{1, "%u4E2D%u6587 \\u732b &amp;#39;", "/e.mp4"}}},
      // The first entry lacks its attribute: it takes the second entry's title and
      // address, the second marker is passed over, and the last pass finds no
      // marker and starts again from the top of the page.
      {"an entry without data-text",
       Concat({MarkerButton(), Anchor("/1"), Entry(kDog, "/2"), Entry(kPanda, "/3")}),
       {{1, kDog, "/2"}, {2, kPanda, "/3"}, {3, kDog, "/2"}}},
      // No attribute at all: every pass restarts at byte 2, so the anchor at byte 1
      // is skipped and each entry gets the next one.
      {"markers with no data-text at all",
       Concat({Anchor("/home"), MarkerButton(), Anchor("/1"), MarkerButton(), Anchor("/2")}),
       {{1, "", "/1"}, {2, "", "/1"}}},
      {"title without a closing quote",
       Concat({MarkerButton(), Anchor("/1"), "<span data-text=\"abc"}), {{1, "", ""}}},
      // The address and the next marker are searched from the title on: an anchor
      // before the title is not taken, and a marker between the title and the
      // anchor is the next entry's.
      {"address searched from the title",
       Concat({MarkerButton(), Anchor("/before"), TitleSpan(kCat), Anchor("/after")}), {{1, kCat, "/after"}}},
      {"next marker searched from the title, not after the address",
       Concat({MarkerButton(), TitleSpan(kCat), MarkerButton(), Anchor("/1"), TitleSpan(kDog), Anchor("/2")}),
       {{1, kCat, "/1"}, {2, kDog, "/2"}}},
      // The next search starts 8 bytes before the title's closing quote, so a title
      // that is the marker itself is found again as an entry.
      {"a title holding the marker", Concat({MarkerButton(), TitleSpan(kMarker), Anchor("/1")}),
       {{1, kMarker, "/1"}, {2, "", "/1"}}},
      {"entry without an anchor", Concat({MarkerButton(), TitleSpan(kCat)}), {{1, kCat, ""}}},
  };
  for (const ScanCase& c : cases) {
    EXPECT_EQ(Lines(ScanListing(c.page)), Lines(c.expected)) << c.what;
  }
}

TEST(ListingScanTest, EveryPageIsNumberedFromOne) {
  const Text firstPage = Concat({Entry(kCat, "/1"), Entry(kDog, "/2")});
  const Text secondPage = Entry(kPanda, "/3");
  ASSERT_EQ(ScanListing(firstPage).size(), 2u);
  const std::vector<ListingEntry> second = ScanListing(secondPage);
  EXPECT_EQ(Lines(second), Lines({{1, kPanda, "/3"}}));
  EXPECT_EQ(Lines(ScanListing(firstPage)), Lines({{1, kCat, "/1"}, {2, kDog, "/2"}}));
}

TEST(ListingScanTest, HandsOverEachEntryInOrder) {
  const Text page = Concat({Entry(kCat, "/1"), Entry(kDog, "/2"), Entry(kPanda, "/3")});
  std::vector<ListingEntry> received;
  ScanListing(page, [&received](const ListingEntry& entry) { received.push_back(entry); });
  EXPECT_EQ(Lines(received), Lines(ScanListing(page)));
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2].sequence, 3);
}

}  // namespace
}  // namespace zorvika
