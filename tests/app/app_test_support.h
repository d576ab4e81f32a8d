// Shared pieces of the application tests: the one toolkit session of the test
// program, waiting while the window thread handles events, a scratch folder,
// controls looked up by name, and acting inside a modal window.
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zorvika::testing {

// Starts the toolkit once per test program (offscreen unless QT_QPA_PLATFORM
// says otherwise); it lives until the program ends.
void EnsureToolkit();

// Handles window events until `done()` gives true or `timeout` has passed;
// returns `done()`.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(20000));

// The child of `window` named `utf8Name` (a control name such as "编辑框1").
template <typename Widget = QWidget>
Widget* Control(QWidget* window, const char* utf8Name) {
  return window->findChild<Widget*>(QString::fromUtf8(utf8Name), Qt::FindDirectChildrenOnly);
}

// Runs `action` on the window thread as soon as a modal window is shown, with
// that window. Arm it before the call that opens the window and blocks.
void WhenModalShown(std::function<void(QWidget* modal)> action);

// A fresh empty folder, removed with everything in it when the value goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Every regular file below `folder`, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::filesystem::path& folder);

}  // namespace zorvika::testing
