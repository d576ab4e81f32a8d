// The tool's one job: for every page of the range typed into the main window,
// fetch and scan the listing page, fill the result list, download every video
// and log each stage with a time stamp.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <vector>

#include "batch/window_controls.h"
#include "core/text.h"

namespace zorvika {

// What a job needs beyond the window's controls.
struct BatchContext {
  // Host (or host:port) of the listing site.
  Text siteHost;
  // Videos go below programDirectory / "下载视频" / <page>.
  std::filesystem::path programDirectory;
  // Pauses between the requests of one video; their number + 1 is the bound on
  // requests per row. Default: 0.5, 1, 2 and 4 seconds (five requests).
  std::vector<std::chrono::milliseconds> retryPauses{std::chrono::milliseconds(500), std::chrono::milliseconds(1000),
                                                     std::chrono::milliseconds(2000), std::chrono::milliseconds(4000)};
  // Set from another thread to stop the job at its next step; the job then makes
  // no further control call and leaves nothing half-written. May be null.
  const std::atomic<bool>* stopRequested = nullptr;
};

// The body of the worker thread.
void RunBatch(WindowControls& controls, const BatchContext& context);

// Local time of day as "HH:MM:SS " (9 bytes).
Text ClockStamp();

// Appends ClockStamp() and `message` to the log box.
void AppendLog(WindowControls& controls, const Text& message);

// Downloads every row of the result list into the page's folder.
void DownloadRows(WindowControls& controls, const Text& pageNumber, const BatchContext& context);

}  // namespace zorvika
