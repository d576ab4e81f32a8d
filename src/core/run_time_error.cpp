#include "core/run_time_error.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

namespace zorvika {

namespace {

std::mutex reporterMutex;
std::function<void(const std::string&)> installedReporter;  // guarded by reporterMutex
std::atomic<bool> stopping{false};

const char* CodeMeaning(int code) {
  switch (code) {
    case 0: return "memory could not be obtained";
    case 1: return "array index above the number of elements";
    case 4: return "array index below 1";
    case 9: return "choice outside the list of values";
    default: return "unknown error";
  }
}

}  // namespace

void RunTimeError(int code, const char* situation) {
  // The message is formed in a fixed buffer and written with stdio (standard
  // error is unbuffered), so it needs no memory: code 0 may mean there is none.
  char line[512];
  const int written = std::snprintf(line, sizeof line - 1, "Zorvika run-time error %d (%s): %s", code,
                                    CodeMeaning(code), situation == nullptr ? "" : situation);
  const std::size_t messageLength =
      written < 0 ? 0 : std::min(static_cast<std::size_t>(written), sizeof line - 2);
  line[messageLength] = '\n';
  line[messageLength + 1] = '\0';
  std::fputs(line, stderr);
  std::fflush(stderr);

  // Only the first failure shows the reporter. A second one, from another thread
  // or from inside the reporter (no memory left to show it), ends at once.
  if (!stopping.exchange(true)) {
    std::lock_guard<std::mutex> lock(reporterMutex);
    if (installedReporter) {
      try {
        installedReporter(std::string(line, messageLength));
      } catch (...) {
        // The program ends either way.
      }
    }
  }
  std::_Exit(-1);
}

void SetRunTimeErrorReporter(std::function<void(const std::string& message)> reporter) {
  std::lock_guard<std::mutex> lock(reporterMutex);
  installedReporter = std::move(reporter);
}

void InstallOutOfMemoryHandler() {
  std::set_new_handler([] { RunTimeError(0, "a memory request could not be met"); });
}

}  // namespace zorvika
