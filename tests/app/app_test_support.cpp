#include "app_test_support.h"

#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "app/toolkit.h"

namespace zorvika::testing {

void EnsureToolkit() {
  static ToolkitSession* session = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    return new ToolkitSession(argc, argv);  // kept for the whole program
  }();
  (void)session;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  ProcessEventsUntil([&] { return done() || std::chrono::steady_clock::now() >= deadline; });
  return done();
}

void WhenModalShown(std::function<void(QWidget* modal)> action) {
  auto* poll = new QTimer();
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(modal);
  });
  poll->start();
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorvika-app-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> FilesBelow(const std::filesystem::path& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file()) files.push_back(std::filesystem::relative(it->path(), folder).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace zorvika::testing
