// DownloadRows through whole jobs against a loopback site: the size threshold,
// the bounded repetition of requests, replacing files only with complete ones,
// write failures, and the progress shown in the status cell.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "batch/batch_fixture.h"

namespace zorvika::batchtest {
namespace {

int RequestsFor(const demo::DemoSite& site, const std::string& path) {
  int count = 0;
  for (const demo::RequestRecord& record : site.Requests()) count += record.path == path ? 1 : 0;
  return count;
}

TEST_F(BatchTest, ABodyOf200000BytesIsTakenAndOneOf199999IsNot) {
  demo::DemoSite site({{1, {Video("short", 199999), Video("enough", 200000)}}});
  RunJob(site, "1", "1");

  EXPECT_EQ(controls.CellHistory(1, 0, 3), (std::vector<Text>{kDownloading, kDownloadFailed}));
  EXPECT_EQ(controls.CellHistory(1, 1, 3), (std::vector<Text>{kDownloading, kDownloaded}));
  EXPECT_EQ(RequestsFor(site, "/v/1/0"), 5);
  EXPECT_EQ(RequestsFor(site, "/v/1/1"), 1);
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("1", "enough.mp4")});
}

struct FlakyCase {
  const char* name;
  int shortResponses;
  int cutResponses;
  int expectedRequests;
};

void PrintTo(const FlakyCase& c, std::ostream* out) { *out << c.name; }

class FlakyVideoTest : public BatchTest, public ::testing::WithParamInterface<FlakyCase> {};

// A short body, or a transfer cut off before the announced length (here at
// exactly 200000 of 400000 bytes), is requested again; only the complete body
// is stored.
TEST_P(FlakyVideoTest, IsRequestedAgainUntilItArrivesWhole) {
  demo::SiteVideo video = Video("flaky", 400000);
  video.shortResponses = GetParam().shortResponses;
  video.cutResponses = GetParam().cutResponses;
  demo::DemoSite site({{1, {video}}});
  RunJob(site, "1", "1");

  EXPECT_EQ(RequestsFor(site, "/v/1/0"), GetParam().expectedRequests);
  EXPECT_EQ(controls.CellHistory(1, 0, 3), (std::vector<Text>{kDownloading, kDownloaded}));
  EXPECT_TRUE(HoldsVideo(PageFolder("1") / "flaky.mp4", 1, 0, 400000));
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("1", "flaky.mp4")});
}

INSTANTIATE_TEST_SUITE_P(Responses, FlakyVideoTest,
                         ::testing::Values(FlakyCase{"ShortOnce", 1, 0, 2}, FlakyCase{"CutOnce", 0, 1, 2},
                                           FlakyCase{"ShortTwiceThenCut", 2, 1, 4},
                                           FlakyCase{"FourFailures", 2, 2, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RetryBoundCase {
  int pauses;
  int expectedRequests;
};

void PrintTo(const RetryBoundCase& c, std::ostream* out) { *out << c.pauses << " pauses"; }

class RetryBoundTest : public BatchTest, public ::testing::WithParamInterface<RetryBoundCase> {};

// The requests of one video are bounded by the pauses between them; when they
// are used up the row fails, no file is written, and the next row follows.
TEST_P(RetryBoundTest, EndsInDownloadFailedAndTheNextRowFollows) {
  demo::SiteVideo never = Video("never", 300000);
  never.shortResponses = 100;
  demo::DemoSite site({{1, {never, Video("next", 200000)}}});
  BatchContext context = Context(site);
  context.retryPauses.assign(GetParam().pauses, std::chrono::milliseconds(1));
  controls.texts[kFirstPageBox.bytes()] = "1";
  controls.texts[kLastPageBox.bytes()] = "1";
  RunBatch(controls, context);

  EXPECT_EQ(RequestsFor(site, "/v/1/0"), GetParam().expectedRequests);
  EXPECT_EQ(controls.CellHistory(1, 0, 3), (std::vector<Text>{kDownloading, kDownloadFailed}));
  EXPECT_EQ(controls.CellHistory(1, 1, 3), (std::vector<Text>{kDownloading, kDownloaded}));
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("1", "next.mp4")});
}

INSTANTIATE_TEST_SUITE_P(Pauses, RetryBoundTest,
                         ::testing::Values(RetryBoundCase{4, 5}, RetryBoundCase{0, 1}, RetryBoundCase{2, 3}),
                         [](const auto& info) { return "Pauses" + std::to_string(info.param.pauses); });

TEST_F(BatchTest, DefaultBoundIsFiveRequestsWithGrowingPauses) {
  const BatchContext defaults;
  EXPECT_EQ(defaults.retryPauses,
            (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(500), std::chrono::milliseconds(1000),
                                                    std::chrono::milliseconds(2000), std::chrono::milliseconds(4000)}));
}

TEST_F(BatchTest, TheSameTitleTwiceLeavesTheLaterVideo) {
  demo::DemoSite site({{1, {Video(U8(u8"同名"), 200000), Video(U8(u8"同名"), 210000)}}});
  RunJob(site, "1", "1");

  EXPECT_EQ(controls.CellHistory(1, 0, 3), (std::vector<Text>{kDownloading, kDownloaded}));
  EXPECT_EQ(controls.CellHistory(1, 1, 3), (std::vector<Text>{kDownloading, kDownloaded}));
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("1", U8(u8"同名.mp4"))});
  EXPECT_TRUE(HoldsVideo(PageFolder("1") / Utf8Path(U8(u8"同名.mp4")), 1, 1, 210000));
}

TEST_F(BatchTest, AnEarlierFileIsReplacedOnlyByACompleteNewOne) {
  std::filesystem::create_directories(PageFolder("1"));
  std::ofstream(PageFolder("1") / "clip.mp4", std::ios::binary) << "earlier";

  {
    demo::DemoSite failing({{1, {Video("clip", 199999)}}});
    RunJob(failing, "1", "1");
  }
  EXPECT_EQ(ReadFile(PageFolder("1") / "clip.mp4"), "earlier");
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("1", "clip.mp4")});

  demo::DemoSite working({{1, {Video("clip", 220000)}}});
  RunJob(working, "1", "1");
  EXPECT_TRUE(HoldsVideo(PageFolder("1") / "clip.mp4", 1, 0, 220000));
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("1", "clip.mp4")});
}

TEST_F(BatchTest, TheWholeFolderChainIsCreated) {
  demo::DemoSite site({{12, {Video("a", 200000)}}});
  ASSERT_FALSE(std::filesystem::exists(programDirectory / Utf8Path(kVideoFolderUtf8)));
  RunJob(site, "12", "12");
  EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{VideoFile("12", "a.mp4")});
}

// What stands in the way of the file, created before the job.
enum class Obstacle { kFolderNamedLikeTheFile, kFileNamedLikeTheVideoFolder, kFileNamedLikeThePageFolder };

const char* ObstacleName(Obstacle obstacle) {
  switch (obstacle) {
    case Obstacle::kFolderNamedLikeTheFile: return "FolderNamedLikeTheFile";
    case Obstacle::kFileNamedLikeTheVideoFolder: return "FileNamedLikeTheVideoFolder";
    case Obstacle::kFileNamedLikeThePageFolder: return "FileNamedLikeThePageFolder";
  }
  return "";
}

void PrintTo(Obstacle obstacle, std::ostream* out) { *out << ObstacleName(obstacle); }

class SaveFailureTest : public BatchTest, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(SaveFailureTest, ShowsSaveFailedAndTheNextRowFollows) {
  const std::filesystem::path videoFolder = programDirectory / Utf8Path(kVideoFolderUtf8);
  switch (GetParam()) {
    case Obstacle::kFolderNamedLikeTheFile:
      std::filesystem::create_directories(PageFolder("1") / "blocked.mp4");
      break;
    case Obstacle::kFileNamedLikeTheVideoFolder:
      std::ofstream(videoFolder) << "in the way";
      break;
    case Obstacle::kFileNamedLikeThePageFolder:
      std::filesystem::create_directories(videoFolder);
      std::ofstream(PageFolder("1")) << "in the way";
      break;
  }
  const std::vector<std::string> before = FilesOnDisk();
  demo::DemoSite site({{1, {Video("blocked", 200000), Video("second", 200000)}}});
  RunJob(site, "1", "1");

  EXPECT_EQ(controls.CellHistory(1, 0, 3), (std::vector<Text>{kDownloading, kSaveFailed}));
  const Text secondStatus = GetParam() == Obstacle::kFolderNamedLikeTheFile ? kDownloaded : kSaveFailed;
  EXPECT_EQ(controls.CellHistory(1, 1, 3), (std::vector<Text>{kDownloading, secondStatus}));
  std::vector<std::string> expected = before;
  if (GetParam() == Obstacle::kFolderNamedLikeTheFile) expected.push_back(VideoFile("1", "second.mp4"));
  EXPECT_EQ(FilesOnDisk(), expected);  // and no temporary file is left
}

INSTANTIATE_TEST_SUITE_P(Obstacles, SaveFailureTest,
                         ::testing::Values(Obstacle::kFolderNamedLikeTheFile, Obstacle::kFileNamedLikeTheVideoFolder,
                                           Obstacle::kFileNamedLikeThePageFolder),
                         [](const auto& info) { return std::string(ObstacleName(info.param)); });

TEST_F(BatchTest, ProgressIsShownInTheStatusCellAtMostTenTimesASecond) {
  demo::SiteVideo slow = Video("slow", 600000);
  slow.bytesPerSecond = 1200000;  // about half a second
  demo::DemoSite site({{1, {slow}}});
  const auto start = std::chrono::steady_clock::now();
  RunJob(site, "1", "1");
  const auto elapsed = std::chrono::steady_clock::now() - start;

  ASSERT_GE(controls.progress.size(), 2u);
  EXPECT_LE(controls.progress.size(), 1 + static_cast<std::size_t>(elapsed / std::chrono::milliseconds(100)));
  std::int64_t previous = 0;
  for (const MemoryControls::Progress& report : controls.progress) {
    EXPECT_EQ(report.row, 0);
    EXPECT_EQ(report.cellText, kDownloading);
    EXPECT_GE(report.received, previous);
    EXPECT_TRUE(report.expected == -1 || report.expected == 600000) << report.expected;
    previous = report.received;
  }
  EXPECT_GT(controls.progress.back().received, 0);
  EXPECT_EQ(controls.progress.back().expected, 600000);
  EXPECT_EQ(controls.CellHistory(1, 0, 3), (std::vector<Text>{kDownloading, kDownloaded}));
}

}  // namespace
}  // namespace zorvika::batchtest
