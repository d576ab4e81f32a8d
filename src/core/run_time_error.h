// The program's one fatal stop: a message naming the code and the situation,
// then the whole process ends with exit code -1. The window layer may install a
// reporter that shows the message first (a message box).
#pragma once

#include <functional>
#include <string>

namespace zorvika {

// Codes: 1 array index above the size, 4 index below 1, 9 choice outside a list,
// 0 memory could not be obtained.
[[noreturn]] void RunTimeError(int code, const char* situation);

// Shows the full message before the process ends (it is always written to
// standard error as well). The reporter must not return control to the failing
// code; RunTimeError ends the process after it returns. Empty: standard error only.
// Only the first failure reaches the reporter; a second one (another thread, or a
// failed allocation inside the reporter) ends the process at once.
void SetRunTimeErrorReporter(std::function<void(const std::string& message)> reporter);

// Makes a failed memory allocation end the program through RunTimeError(0).
void InstallOutOfMemoryHandler();

}  // namespace zorvika
