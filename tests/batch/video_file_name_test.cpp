// Titles that try to lead a video out of its page folder, or that the file
// system would refuse, end up as plain names inside the page folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "batch/batch_fixture.h"
#include "batch/video_file_name.h"

namespace zorvika::batchtest {
namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int k = 0; k < times; ++k) text += piece;
  return text;
}

struct HostileTitle {
  std::string utf8Title;
  std::string expectedName;  // UTF-8
};

const std::string kEscape = U8(u8"逃出");
const std::string kShi = U8(u8"视");  // three bytes in UTF-8

// Each title, served escaped on a listing page and decoded by the job, and the
// file name it must get. 255 bytes is the limit of a name, ".mp4" included.
std::vector<HostileTitle> HostileTitles() {
  return {
      {"../../" + kEscape, ".._.._" + kEscape + ".mp4"},
      {"..\\..\\x" + kEscape, ".._.._x" + kEscape + ".mp4"},
      {"/etc/passwd", "_etc_passwd.mp4"},
      {"a\tb\x01" "c\x1F\x7F\r\nd", "a_b_c____d.mp4"},
      {"what?", "what.mp4"},
      {"?", ".mp4"},
      {".", "..mp4"},
      {"..", "...mp4"},
      {U8(u8"한국abc"), "abc.mp4"},  // no code page 936 form: "?", then removed
      {Repeat("a", 300), Repeat("a", 251) + ".mp4"},
      {Repeat(kShi, 100), Repeat(kShi, 83) + ".mp4"},              // 249 + 4 bytes
      {"b" + Repeat(kShi, 100), "b" + Repeat(kShi, 83) + ".mp4"},  // cut before a character
  };
}

TEST_F(BatchTest, HostileTitlesStayPlainNamesInsideThePageFolder) {
  demo::SitePage page{1, {}};
  std::vector<std::string> expectedFiles;
  for (const HostileTitle& title : HostileTitles()) {
    page.videos.push_back(Video(title.utf8Title, 200000));
    expectedFiles.push_back(VideoFile("1", title.expectedName));
  }
  demo::DemoSite site({page});
  RunJob(site, "1", "1");

  std::sort(expectedFiles.begin(), expectedFiles.end());
  EXPECT_EQ(FilesOnDisk(), expectedFiles);
  const std::vector<HostileTitle> titles = HostileTitles();
  for (int row = 0; row < static_cast<int>(titles.size()); ++row) {
    SCOPED_TRACE(titles[row].expectedName);
    EXPECT_LE(titles[row].expectedName.size(), 255u);
    EXPECT_EQ(controls.CellHistory(1, row, 3), (std::vector<Text>{kDownloading, kDownloaded}));
    EXPECT_TRUE(HoldsVideo(PageFolder("1") / Utf8Path(titles[row].expectedName), 1, row, 200000));
  }
}

TEST(VideoFileNameTest, ConvertsTheTitleFromCodePage936) {
  EXPECT_EQ(VideoFileName(Text("\xBA\xA3\xB1\xDF")), U8(u8"海边.mp4"));  // 海边
  EXPECT_EQ(VideoFileName(Text()), ".mp4");
}

TEST(VideoFileNameTest, PageFolderLiesBelowTheProgramDirectory) {
  EXPECT_EQ(PageFolder("/opt/z", "-3"), std::filesystem::path("/opt/z") / Utf8Path(kVideoFolderUtf8) / "-3");
}

}  // namespace
}  // namespace zorvika::batchtest
