#include "batch/stop_request.h"

#include <algorithm>
#include <thread>

namespace zorvika {

bool StopRequested(const BatchContext& context) {
  return context.stopRequested != nullptr && context.stopRequested->load();
}

bool PauseUnlessStopped(std::chrono::milliseconds pause, const BatchContext& context) {
  // Short slices, so that a stop ends the pause within about 20 ms.
  constexpr std::chrono::milliseconds kSlice(20);
  const auto end = std::chrono::steady_clock::now() + pause;
  while (!StopRequested(context)) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return true;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, end - now));
  }
  return false;
}

TransferObserver AbortWhenStopped(const BatchContext& context) {
  return [&context](std::int64_t, std::int64_t) { return !StopRequested(context); };
}

}  // namespace zorvika
