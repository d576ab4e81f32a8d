#include "app/startup.h"

#include <string>

#include "app/main_window.h"
#include "app/toolkit.h"
#include "core/run_time_error.h"

namespace zorvika {

void InstallRunTimeErrorMessageBox() {
  SetRunTimeErrorReporter([](const std::string& message) { ShowFatalMessage(Text(message)); });
}

int RunProgram(int& argc, char** argv) {
  ToolkitSession toolkit(argc, argv);
  InstallOutOfMemoryHandler();
  InstallRunTimeErrorMessageBox();
  MainWindow window(DefaultBatchContext());
  const int exitCode = toolkit.RunEventLoop();
  SetRunTimeErrorReporter(nullptr);  // the window thread's event loop has ended
  return exitCode;
}

}  // namespace zorvika
