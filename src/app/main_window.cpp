#include "app/main_window.h"

#include <utility>

#include "app/about_window.h"
#include "app/window_layout.h"
#include "batch/site_host.h"
#include "batch/window_controls.h"
#include "web/web_request.h"

namespace zorvika {

BatchContext DefaultBatchContext() {
  BatchContext context;
  context.siteHost = SiteHost();
  context.programDirectory = ProgramDirectory();
  return context;
}

MainWindow::MainWindow(BatchContext jobContext) : jobContext_(std::move(jobContext)) {
  WindowEvents events;
  events.clicked = [this](ToolkitWindow&, const Text& button) { OnClicked(button); };
  events.closing = [this](ToolkitWindow&) { StopJob(); };
  window_ = LoadWindow(MainWindowLayout(jobContext_.siteHost), std::move(events));
}

MainWindow::~MainWindow() { StopJob(); }

void MainWindow::OnClicked(const Text& button) {
  if (button == kStartButton) {
    // The job disables the button itself as its first steps; a second click
    // that arrives before then is ignored, so one job runs at a time.
    if (worker_.Running()) return;
    stopRequested_ = false;
    BatchContext context = jobContext_;
    context.stopRequested = &stopRequested_;
    worker_.Start([this, context] { RunBatch(*window_, context); });
  } else if (button == kAboutButton) {
    ShowAboutWindow();
  }
}

void MainWindow::StopJob() {
  if (!worker_.Running()) {
    worker_.Join();
    return;
  }
  stopRequested_ = true;
  // Aborted again while waiting: a transfer the job opened just before it saw
  // the flag is cut short too.
  worker_.Join([] { AbortAllTransfers(); });
}

}  // namespace zorvika
