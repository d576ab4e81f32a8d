// DownloadRows: every row of the result list, one after the other, fetched with
// a bounded number of requests and stored through a temporary file.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

#include "batch/atomic_file_write.h"
#include "batch/batch_job.h"
#include "batch/stop_request.h"
#include "batch/video_file_name.h"
#include "web/web_request.h"

namespace zorvika {
namespace {

const Text kDownloading("\xCF\xC2\xD4\xD8\xD6\xD0");             // 下载中
const Text kDownloaded("\xCF\xC2\xD4\xD8\xCD\xEA");              // 下载完
const Text kDownloadFailed("\xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC");  // 下载失败
const Text kSaveFailed("\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC");      // 保存失败

// The smallest body taken as a video: 200000 bytes are taken, 199999 are not.
constexpr std::size_t kMinVideoBytes = 200000;

// The status cell's progress is updated at most this often.
constexpr std::chrono::milliseconds kProgressInterval(100);

// One request of a video: the body, and whether all the bytes the server
// announced arrived (a transfer cut short is not a video).
struct Attempt {
  Bytes body;
  bool complete = false;
};

Attempt RequestVideo(WindowControls& controls, int row, const Text& address, const BatchContext& context) {
  std::int64_t announced = -1;
  bool reportedOnce = false;
  std::chrono::steady_clock::time_point lastReport;
  TransferObserver observer = [&](std::int64_t received, std::int64_t expected) {
    if (StopRequested(context)) return false;
    if (expected > 0) announced = expected;
    const auto now = std::chrono::steady_clock::now();
    if (!reportedOnce || now - lastReport >= kProgressInterval) {
      controls.SetCellProgress(kResultList, row, kStatusColumn, received, expected);
      reportedOnce = true;
      lastReport = now;
    }
    return !StopRequested(context);
  };
  Attempt attempt;
  attempt.body = WebRequest(address, 0, Text(), nullptr, nullptr, nullptr, nullptr, false, nullptr, Text(), true,
                            true, observer);
  attempt.complete = announced < 0 || attempt.body.size() >= static_cast<std::size_t>(announced);
  return attempt;
}

enum class FetchOutcome { kTaken, kUsedUp, kStopped };

// Requests the video until a complete body of at least kMinVideoBytes arrives,
// at most retryPauses.size() + 1 times, pausing between the requests.
FetchOutcome FetchVideo(WindowControls& controls, int row, const Text& address, const BatchContext& context,
                        Bytes& video) {
  const std::size_t maxRequests = context.retryPauses.size() + 1;
  for (std::size_t request = 0; request < maxRequests; ++request) {
    if (request > 0 && !PauseUnlessStopped(context.retryPauses[request - 1], context)) return FetchOutcome::kStopped;
    if (StopRequested(context)) return FetchOutcome::kStopped;
    Attempt attempt = RequestVideo(controls, row, address, context);
    if (StopRequested(context)) return FetchOutcome::kStopped;
    if (attempt.complete && attempt.body.size() >= kMinVideoBytes) {
      video = std::move(attempt.body);
      return FetchOutcome::kTaken;
    }
  }
  return FetchOutcome::kUsedUp;
}

// Creates the whole folder chain and stores the video under its title.
bool SaveVideo(const Text& pageNumber, const Text& title, const Bytes& video, const BatchContext& context) {
  const std::filesystem::path folder = PageFolder(context.programDirectory, pageNumber);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder, error)) return false;
  return WriteFileAtomically(folder / PathFromUtf8(VideoFileName(title)), video);
}

}  // namespace

void DownloadRows(WindowControls& controls, const Text& pageNumber, const BatchContext& context) {
  if (StopRequested(context)) return;
  const int rowCount = controls.RowCount(kResultList);
  for (int row = 0; row < rowCount; ++row) {
    if (StopRequested(context)) return;
    const Text title = controls.GetCellText(kResultList, row, kTitleColumn);
    if (StopRequested(context)) return;
    const Text address = controls.GetCellText(kResultList, row, kAddressColumn);
    if (StopRequested(context)) return;
    controls.SetCellText(kResultList, row, kStatusColumn, kDownloading);

    Bytes video;
    const FetchOutcome outcome = FetchVideo(controls, row, address, context, video);
    if (outcome == FetchOutcome::kStopped) return;
    Text status = kDownloadFailed;
    if (outcome == FetchOutcome::kTaken) {
      status = SaveVideo(pageNumber, title, video, context) ? kDownloaded : kSaveFailed;
      video = Bytes();  // the next row's video may be as large as this one
    }
    if (StopRequested(context)) return;
    controls.SetCellText(kResultList, row, kStatusColumn, status);
  }
}

}  // namespace zorvika
