// Telling a running job to stop (the window closing): it stops at its next step,
// aborts a running transfer, leaves no partial or temporary file, and makes no
// control call after it was told to stop.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "batch/batch_fixture.h"
#include "web/web_request.h"

namespace zorvika::batchtest {
namespace {

constexpr std::size_t kSlowSize = 4000000;

// A video that takes about ten seconds to arrive.
demo::SiteVideo SlowVideo() {
  demo::SiteVideo video = Video("slow", kSlowSize);
  video.bytesPerSecond = kSlowSize / 10;
  return video;
}

// Waits until the site has finished with every request, then gives the body
// bytes it sent for `path` (summed over its requests).
std::size_t BodyBytesSentFor(const demo::DemoSite& site, const std::string& path) {
  EXPECT_TRUE(site.WaitUntilIdle(8000));
  std::size_t sent = 0;
  for (const demo::RequestRecord& record : site.Requests()) sent += record.path == path ? record.bodySent : 0;
  return sent;
}

TEST_F(BatchTest, StopDuringATransferAbortsItAndLeavesNothing) {
  demo::DemoSite site({{1, {SlowVideo(), Video("later", 200000)}}});
  controls.stopFlag = &stop;
  controls.onCall = [&](const std::string& operation) {
    if (operation == "SetCellProgress" && controls.progress.back().received > 0) stop = true;
  };
  RunJob(site, "1", "1");

  EXPECT_EQ(controls.callsAfterStop, 0);
  EXPECT_EQ(controls.calls.back(), "SetCellProgress");
  EXPECT_TRUE(FilesOnDisk().empty());
  EXPECT_LT(BodyBytesSentFor(site, "/v/1/0"), kSlowSize);
  EXPECT_EQ(BodyBytesSentFor(site, "/v/1/1"), 0u);
}

// The window closing from its own thread: the flag goes up and every transfer
// is aborted. The aborted request is not repeated and nothing is written.
TEST_F(BatchTest, StopFromAnotherThreadWithAbortAllTransfers) {
  demo::DemoSite site({{1, {SlowVideo()}}});
  std::promise<void> transferRunning;
  bool signalled = false;
  controls.onCall = [&](const std::string& operation) {
    if (!signalled && operation == "SetCellProgress" && controls.progress.back().received > 0) {
      signalled = true;
      transferRunning.set_value();
    }
  };
  controls.texts[kFirstPageBox.bytes()] = "1";
  controls.texts[kLastPageBox.bytes()] = "1";
  const BatchContext context = Context(site);
  std::thread worker([&] { RunBatch(controls, context); });
  transferRunning.get_future().wait();
  stop = true;
  AbortAllTransfers();
  worker.join();

  EXPECT_TRUE(FilesOnDisk().empty());
  EXPECT_LT(BodyBytesSentFor(site, "/v/1/0"), kSlowSize);
  EXPECT_EQ(site.Requests().size(), 2u);  // the listing and one request of the video
}

TEST_F(BatchTest, StopEndsThePauseBetweenRequests) {
  demo::SiteVideo never = Video("never", 300000);
  never.shortResponses = 100;
  demo::DemoSite site({{1, {never}}});
  BatchContext context = Context(site);
  context.retryPauses.assign(4, std::chrono::seconds(60));
  controls.texts[kFirstPageBox.bytes()] = "1";
  controls.texts[kLastPageBox.bytes()] = "1";
  std::thread worker([&] { RunBatch(controls, context); });
  while (site.Requests().size() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const auto stopped = std::chrono::steady_clock::now();
  stop = true;
  worker.join();

  // Far below the minute the pause would last.
  EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(20));
  EXPECT_EQ(site.Requests().size(), 2u);
  EXPECT_EQ(controls.CellHistory(1, 0, 3), std::vector<Text>{kDownloading});
}

int CountNonProgressCalls(const std::vector<std::string>& calls) {
  int count = 0;
  for (const std::string& call : calls) count += call == "SetCellProgress" ? 0 : 1;
  return count;
}

// A stop requested during any one call of a job, from the first to the last:
// no later call, and whatever is on disk is complete.
TEST_F(BatchTest, StopDuringAnyControlCallEndsTheJobThere) {
  demo::DemoSite site({{1, {Video("a", 200000), Video("b", 250000)}}});
  RunJob(site, "1", "1");
  const int totalCalls = CountNonProgressCalls(controls.calls);
  ASSERT_GT(totalCalls, 20);

  for (int stopAt = 1; stopAt <= totalCalls; ++stopAt) {
    SCOPED_TRACE("stop during call " + std::to_string(stopAt));
    std::filesystem::remove_all(programDirectory);
    std::filesystem::create_directories(programDirectory);
    stop = false;
    controls = MemoryControls();
    controls.stopFlag = &stop;
    int callsSoFar = 0;
    controls.onCall = [&](const std::string& operation) {
      if (operation != "SetCellProgress" && ++callsSoFar == stopAt) stop = true;
    };
    RunJob(site, "1", "1");

    EXPECT_EQ(controls.callsAfterStop, 0);
    EXPECT_EQ(CountNonProgressCalls(controls.calls), stopAt);
    for (const std::string& file : FilesOnDisk()) {
      if (file == VideoFile("1", "a.mp4")) {
        EXPECT_TRUE(HoldsVideo(PageFolder("1") / "a.mp4", 1, 0, 200000));
      } else if (file == VideoFile("1", "b.mp4")) {
        EXPECT_TRUE(HoldsVideo(PageFolder("1") / "b.mp4", 1, 1, 250000));
      } else {
        ADD_FAILURE() << "unexpected file " << file;
      }
    }
  }
}

}  // namespace
}  // namespace zorvika::batchtest
