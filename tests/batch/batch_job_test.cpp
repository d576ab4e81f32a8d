// RunBatch against a loopback site: log lines, the page range, the order of the
// requests and the rows of every page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batch_fixture.h"

namespace zorvika::batchtest {
namespace {

// Log messages in code page 936 (the stamp comes before each).
const std::string kJobStartedLine = "\xC5\xFA\xC1\xBF\xCF\xC2\xD4\xD8\xBF\xAA\xCA\xBC\xB4\xA6\xC0\xED\r\n";  // 批量下载开始处理
std::string PageStartedLine(const std::string& page) {
  return "\xB5\xDA" + page + "\xBF\xAA\xCA\xBC\xB4\xA6\xC0\xED\r\n";  // 第<page>开始处理
}
std::string PageScannedLine(const std::string& page) {
  return "\xB5\xDA" + page + "\xD2\xB3\xB4\xA6\xC0\xED\xCD\xEA\xA3\xAC\xCF\xC2\xD4\xD8\xD6\xD0\r\n";  // 第<page>页处理完，下载中
}
std::string PageDownloadedLine(const std::string& page) {
  return "\xB5\xDA" + page + "\xD2\xB3\xCF\xC2\xD4\xD8\xCD\xEA\r\n";  // 第<page>页下载完
}

bool IsTwoDigits(const std::string& field, int limit) {
  return field.size() == 2 && std::isdigit(static_cast<unsigned char>(field[0])) &&
         std::isdigit(static_cast<unsigned char>(field[1])) && std::stoi(field) < limit;
}

// Splits the log into its lines (each keeps its CR LF), checks that each begins
// with a well-formed stamp "HH:MM:SS " and returns the lines without it.
std::vector<std::string> MessagesOf(const std::string& log) {
  std::vector<std::string> messages;
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "log does not end in CR LF: " << log.substr(start);
      break;
    }
    const std::string line = log.substr(start, end + 2 - start);
    EXPECT_GE(line.size(), 9u);
    EXPECT_TRUE(IsTwoDigits(line.substr(0, 2), 24) && line[2] == ':' && IsTwoDigits(line.substr(3, 2), 60) &&
                line[5] == ':' && IsTwoDigits(line.substr(6, 2), 61) && line[8] == ' ')
        << "bad stamp in: " << line;
    messages.push_back(line.substr(9));
    start = end + 2;
  }
  return messages;
}

std::vector<std::string> ListingRequests(const demo::DemoSite& site) {
  std::vector<std::string> paths;
  for (const demo::RequestRecord& record : site.Requests()) {
    if (record.path.rfind("/video/", 0) == 0) paths.push_back(record.path);
  }
  return paths;
}

std::vector<std::string> AllRequests(const demo::DemoSite& site) {
  std::vector<std::string> paths;
  for (const demo::RequestRecord& record : site.Requests()) paths.push_back(record.path);
  return paths;
}

TEST_F(BatchTest, OnePageJobWritesFourStampedLogLines) {
  demo::DemoSite site({{7, {Video("a", 200000)}}});
  RunJob(site, "7", "7");

  EXPECT_EQ(MessagesOf(controls.log),
            (std::vector<std::string>{kJobStartedLine, PageStartedLine("7"), PageScannedLine("7"),
                                      PageDownloadedLine("7")}));
  EXPECT_EQ(ListingRequests(site), std::vector<std::string>{"/video/7"});
}

TEST_F(BatchTest, PagesAreFetchedInOrderEachBeforeItsVideos) {
  demo::DemoSite site({{1, {Video("a", 200000), Video("b", 200000)}}, {3, {Video("c", 200000)}}});
  RunJob(site, "1", "3");

  // Page 2 does not exist: its listing has no entries, yet it gets its three lines.
  EXPECT_EQ(AllRequests(site),
            (std::vector<std::string>{"/video/1", "/v/1/0", "/v/1/1", "/video/2", "/video/3", "/v/3/0"}));
  std::vector<std::string> expected{kJobStartedLine};
  for (const std::string page : {"1", "2", "3"}) {
    expected.insert(expected.end(), {PageStartedLine(page), PageScannedLine(page), PageDownloadedLine(page)});
  }
  EXPECT_EQ(MessagesOf(controls.log), expected);
  EXPECT_EQ(controls.listClears, 3);
}

TEST_F(BatchTest, FirstPageAboveLastWritesOnlyTheStartLineAndEnablesTheButtonAgain) {
  demo::DemoSite site({{2, {Video("a", 200000)}}, {5, {Video("b", 200000)}}});
  RunJob(site, "5", "2");

  EXPECT_EQ(MessagesOf(controls.log), std::vector<std::string>{kJobStartedLine});
  EXPECT_EQ(controls.calls,
            (std::vector<std::string>{"AppendText", "SetEnabled", "GetText", "GetText", "SetEnabled"}));
  EXPECT_TRUE(controls.enabled[kStartButton.bytes()]);
  EXPECT_TRUE(site.Requests().empty());
}

TEST_F(BatchTest, ButtonIsDisabledWhileTheJobRuns) {
  demo::DemoSite site({{1, {Video("a", 200000)}}});
  bool enabledDuringDownload = true;
  controls.onCall = [&](const std::string& operation) {
    if (operation == "RowCount") enabledDuringDownload = controls.enabled[kStartButton.bytes()];
  };
  RunJob(site, "1", "1");
  EXPECT_FALSE(enabledDuringDownload);
  EXPECT_TRUE(controls.enabled[kStartButton.bytes()]);
}

struct PageBoxCase {
  const char* first;
  const char* last;
  std::vector<std::string> listings;
};

void PrintTo(const PageBoxCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(Text(c.first)) << " to " << ::testing::PrintToString(Text(c.last));
}

class PageBoxTest : public BatchTest, public ::testing::WithParamInterface<PageBoxCase> {};

// The page boxes go through ToNumber and are cut toward zero; page numbers are
// written back in decimal with their sign.
TEST_P(PageBoxTest, PageNumbersComeFromTheBoxesCutTowardZero) {
  demo::DemoSite site({});
  RunJob(site, GetParam().first, GetParam().last);
  EXPECT_EQ(ListingRequests(site), GetParam().listings);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PageBoxTest,
    ::testing::Values(PageBoxCase{"4", "4", {"/video/4"}}, PageBoxCase{" 1.9", "2.9abc", {"/video/1", "/video/2"}},
                      PageBoxCase{"-2.9", "-1", {"/video/-2", "/video/-1"}},
                      PageBoxCase{"abc", "", {"/video/0"}},
                      PageBoxCase{"\xA3\xB1\xA3\xB1", "11", {"/video/11"}}));  // full-width 11

TEST_F(BatchTest, NegativePageKeepsItsSignInTheLog) {
  demo::DemoSite site({});
  RunJob(site, "-3", "-3");
  EXPECT_EQ(MessagesOf(controls.log), (std::vector<std::string>{kJobStartedLine, PageStartedLine("-3"),
                                                                PageScannedLine("-3"), PageDownloadedLine("-3")}));
}

TEST_F(BatchTest, RowsAreNumberedFromOneOnEveryPageWithDecodedTitlesAndAddresses) {
  const std::vector<std::string> page1Titles = {U8(u8"春天的第一场雨"), U8(u8"Vlog：周末 (1)"), U8(u8"it's 50%")};
  const std::vector<std::string> page2Titles = {U8(u8"海边日落"), U8(u8"《晴天》")};
  std::vector<demo::SitePage> pages = {{1, {}}, {2, {}}};
  for (const std::string& title : page1Titles) pages[0].videos.push_back(Video(title, 200000));
  for (const std::string& title : page2Titles) pages[1].videos.push_back(Video(title, 200000));
  demo::DemoSite site(pages);
  RunJob(site, "1", "2");

  for (int page = 1; page <= 2; ++page) {
    const std::vector<std::string>& titles = page == 1 ? page1Titles : page2Titles;
    for (int row = 0; row < static_cast<int>(titles.size()); ++row) {
      SCOPED_TRACE("page " + std::to_string(page) + " row " + std::to_string(row));
      EXPECT_EQ(controls.CellHistory(page, row, 0), std::vector<Text>{Text(std::to_string(row + 1))});
      EXPECT_EQ(controls.CellHistory(page, row, 1), std::vector<Text>{Utf8ToGbkText(titles[row])});
      EXPECT_EQ(controls.CellHistory(page, row, 2), std::vector<Text>{Text(site.VideoAddress(page, row))});
    }
  }
  // The list keeps the rows of the last page.
  ASSERT_EQ(controls.rows.size(), page2Titles.size());
  EXPECT_EQ(controls.rows[1][1], Utf8ToGbkText(page2Titles[1]));
  EXPECT_EQ(controls.rows[1][3], kDownloaded);
}

TEST_F(BatchTest, EachRowGoesFromDownloadingToDownloadedAndItsFileHoldsTheServedBytes) {
  demo::DemoSite site({{2, {Video("one", 200000), Video(U8(u8"第二个"), 250001), Video("three", 300000)}}});
  RunJob(site, "2", "2");

  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(controls.CellHistory(1, row, 3), (std::vector<Text>{kDownloading, kDownloaded})) << row;
  }
  EXPECT_EQ(FilesOnDisk(), (std::vector<std::string>{VideoFile("2", "one.mp4"), VideoFile("2", "three.mp4"),
                                                      VideoFile("2", U8(u8"第二个.mp4"))}));
  EXPECT_TRUE(HoldsVideo(PageFolder("2") / "one.mp4", 2, 0, 200000));
  EXPECT_TRUE(HoldsVideo(PageFolder("2") / Utf8Path(U8(u8"第二个.mp4")), 2, 1, 250001));
  EXPECT_TRUE(HoldsVideo(PageFolder("2") / "three.mp4", 2, 2, 300000));
}

}  // namespace
}  // namespace zorvika::batchtest
