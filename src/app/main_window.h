// The tool's main window: the page range, the result list, the log and the two
// buttons. The download button runs the batch job on a worker thread; the About
// button opens the About window. Closing the window stops a running job.
#pragma once

#include <atomic>
#include <memory>

#include "app/toolkit.h"
#include "app/worker_thread.h"
#include "batch/batch_job.h"
#include "core/text.h"

namespace zorvika {

// The context of the jobs of the real program: SiteHost() and ProgramDirectory()
// of batch/site_host.h, the default pauses between requests.
BatchContext DefaultBatchContext();

class MainWindow {
 public:
  // Builds the window from its layout and shows it, not modal. Each job started
  // by "解析并下载" runs RunBatch with `jobContext`, whose stopRequested is
  // replaced by the window's own flag; 标签1 shows jobContext.siteHost.
  explicit MainWindow(BatchContext jobContext);
  // Stops a running job as closing does, then destroys the window.
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  ToolkitWindow& window() { return *window_; }

  // True while a job started from this window runs.
  bool JobRunning() const { return worker_.Running(); }

 private:
  void OnClicked(const Text& button);
  // Asks a running job to stop, aborts its transfer and waits for it while the
  // window keeps handling events (the job may be waiting on a control call).
  void StopJob();

  BatchContext jobContext_;
  std::atomic<bool> stopRequested_{false};
  std::unique_ptr<ToolkitWindow> window_;
  WorkerThread worker_;  // declared last: joined before the window goes
};

}  // namespace zorvika
